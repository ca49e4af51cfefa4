// What an author's files go through: links planted in a project folder, named
// pipes, huge pictures, a folder where a saved game belongs, a disk that fails
// in the middle of a save. Nothing is written or deleted outside the project,
// nothing waits for ever, and no failure loses a file or the adventure.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdarg>
#include <filesystem>
#include <functional>
#include <sstream>

#include "model/adventure_file.h"
#include "tests/support.h"

namespace fs = std::filesystem;

// Every step of this process that may change a file passes here first: a
// scenario may look at the files then, record the flushes and renames, make
// some fail as on a broken disk or every write short, or count the opens of a
// few file names.
namespace {
std::function<void()> beforeStep;
// A write or flush fails on a file whose name starts with failingWriteTo or
// failingFlushOf, or on the folder "NAME" when failingFlushOf is "NAME/".
std::string failingRenameTo, failingWriteTo, failingFlushOf;
std::vector<std::string> countedNames;
size_t shortestWrite = 0;  // when not 0, every write into a ".tmp" file hands over at most this many bytes
int openCount = 0;
bool recordingSteps = false;
std::vector<std::string> steps;  // "flush NAME", "flush folder NAME", "rename NAME NAME"
// The system's own call, once the step is watched.
template <typename Call>
Call real(const char* name, bool changesFiles = true) {
    if (beforeStep && changesFiles) beforeStep();
    return reinterpret_cast<Call>(dlsym(RTLD_NEXT, name));
}
std::string pathOf(int descriptor) {
    char path[4096];
    const ssize_t length = readlink(("/proc/self/fd/" + std::to_string(descriptor)).c_str(), path, sizeof path);
    return length > 0 ? std::string(path, static_cast<size_t>(length)) : "";
}
std::string nameIn(const std::string& path) {
    return fs::path(path).filename().string();
}
}  // namespace

extern "C" int rename(const char* from, const char* to) noexcept {
    const auto call = real<int (*)(const char*, const char*)>("rename");
    if (recordingSteps) steps.push_back("rename " + nameIn(from) + " " + nameIn(to));
    if (!failingRenameTo.empty() && std::string_view(to).ends_with(failingRenameTo)) return errno = EIO, -1;
    return call(from, to);
}
extern "C" int link(const char* from, const char* to) noexcept {
    return real<int (*)(const char*, const char*)>("link")(from, to);
}
extern "C" int unlink(const char* path) noexcept {
    return real<int (*)(const char*)>("unlink")(path);
}
extern "C" int open(const char* path, int how, ...) {
    va_list rest;
    va_start(rest, how);
    const mode_t mode = how & O_CREAT ? va_arg(rest, mode_t) : 0;
    va_end(rest);
    openCount += static_cast<int>(std::count(countedNames.begin(), countedNames.end(), path));
    return real<int (*)(const char*, int, ...)>("open", (how & O_ACCMODE) != O_RDONLY)(path, how, mode);
}
extern "C" ssize_t write(int descriptor, const void* bytes, size_t count) {
    const auto call = real<ssize_t (*)(int, const void*, size_t)>("write");
    if (failingWriteTo.empty() && shortestWrite == 0) return call(descriptor, bytes, count);
    const std::string path = pathOf(descriptor);
    if (!failingWriteTo.empty() && nameIn(path).starts_with(failingWriteTo)) return errno = ENOSPC, -1;
    if (shortestWrite > 0 && path.ends_with(".tmp")) count = std::min(count, shortestWrite);
    return call(descriptor, bytes, count);
}
extern "C" int fsync(int descriptor) {
    const auto call = real<int (*)(int)>("fsync");
    const std::string path = pathOf(descriptor);
    const bool folder = fs::is_directory(path);
    if (recordingSteps) steps.push_back((folder ? "flush folder " : "flush ") + nameIn(path));
    const std::string name = nameIn(path) + (folder ? "/" : "");
    if (!failingFlushOf.empty() && (folder ? name == failingFlushOf : name.starts_with(failingFlushOf))) {
        return errno = EIO, -1;
    }
    return call(descriptor);
}

namespace {

// The project "essai" named in the editor, its folder current, and a folder
// beside the work folder holding a file that must never change.
std::string namedProject(const std::string& name) {
    const std::string project = startProject(name);
    projectName = u"essai";
    projectFolder = u"Projets\\essai\\";
    fs::create_directories(project + "/../../outside");
    writeFile(project + "/../../outside/victim.sav", "precious");
    return project;
}
// The editor on its menu again after an earlier run ended it (a test play
// starts from the program's folder, like the editor).
std::string saveInEditor() {
    return runEditor(menuEntry(11) + click(400, 475));
}
std::string testPlay() {
    setCurrentDirectory(programFolder);
    return runEditor(menuEntry(14) + "key escape\n");
}
// Files left under a temporary name in the folder.
int temporaryFiles(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == ".tmp";
    return count;
}
}  // namespace

// Links an archive can plant under the names of the files the program keeps:
// each is replaced by a file of the project's own, never written through.
TEST(ProjectFiles, LinksPlantedInAProjectFolderAreNeverWrittenOrDeletedThrough) {
    const struct {
        const char* link;  // in the project folder, to the outside file or folder
        std::string (*does)();
        const char* written;  // a regular file in the project folder after; none: the box "Erreur" instead
    } cases[] = {
        {"essai.orv", saveInEditor, "essai.bak"},
        {"essai.bak", [] { return saveInEditor() + saveInEditor(); }, "essai.bak"},
        {"0.sav", testPlay, "0.sav"},
        {"1.sav", [] { return playSession(typed({"sauve"}) + "type 1\n"); }, "1.sav"},
        {"../Sans Titre", [] { return projectFolder.clear(), testPlay(); }, nullptr},
    };
    for (const auto& c : cases) {
        const std::string project = namedProject("links");
        const fs::path outside = fs::canonical(project + "/../../outside");
        fs::create_symlink(std::string(c.link).starts_with("..") ? outside : outside / "victim.sav",
                           project + "/" + c.link);
        const std::string output = c.does();
        EXPECT_EQ(readFile(outside / "victim.sav"), "precious") << c.link;
        EXPECT_EQ(std::distance(fs::directory_iterator(outside), {}), 1) << c.link;
        EXPECT_TRUE(c.written == nullptr || fs::is_regular_file(fs::symlink_status(project + "/" + c.written)))
            << c.link;
        EXPECT_EQ(boxes(output).size(), c.written ? 0u : 1u) << c.link;
    }
}

// "Projets/evil" leads to a folder elsewhere, holding an adventure: it is not
// offered for loading, and saving or playing under its name touch nothing
// there.
TEST(ProjectFiles, AProjectFolderThatIsALinkIsNoProject) {
    const std::string work = makeWorkFolder("linked_project");
    startInProcess(work);
    const std::string outside = work + "/../ailleurs";
    fs::create_directories(outside);
    fs::create_directories(work + "/Projets/vrai");
    ASSERT_TRUE(saveAdventure(u"evil.orv", u"..\\ailleurs\\"));
    fs::create_directory_symlink(outside, work + "/Projets/evil");
    const std::string before = readFile(outside + "/evil.orv");

    const std::vector<std::string> listed = texts(runEditor(menuEntry(12)));
    EXPECT_NE(std::find(listed.begin(), listed.end(), "vrai"), listed.end());
    EXPECT_EQ(std::find(listed.begin(), listed.end(), "evil"), listed.end());
    projectName = u"evil";
    EXPECT_EQ(boxes(saveInEditor()), std::vector<std::string>{"Erreur | Impossible de sauver le fichier evil.orv !"});
    projectFolder = u"Projets\\evil\\";
    EXPECT_EQ(boxes(testPlay()), std::vector<std::string>{"Erreur | Impossible de faire la sauvegarde du jeu !"});
    EXPECT_EQ(readFile(outside + "/evil.orv"), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(outside), {}), 1);
}

// Watched at each of its steps, a save always leaves a whole adventure file
// under the main name: the old one until the new one replaces it.
TEST(ProjectFiles, ASaveKeepsAWholeAdventureFileUnderItsNameAtEveryStep) {
    const struct {
        bool backupIsAFolder;
        const char* failingRename;
        bool saved;
    } cases[] = {{false, "", true}, {true, "", false}, {false, "essai.orv", false}, {false, "essai.bak", false}};
    for (const auto& c : cases) {
        const std::string project = namedProject("save_steps");
        const std::string main = project + "/essai.orv";
        saveInEditor();
        const std::string old = readFile(main);
        if (c.backupIsAFolder) fs::create_directory(project + "/essai.bak");
        adventure.roomTexts[0] = u"Une autre salle.";
        std::vector<std::string> seen;
        beforeStep = [&] { seen.push_back(readFile(main)); };
        failingRenameTo = c.failingRename;
        const std::vector<std::string> shown = boxes(saveInEditor());
        beforeStep = nullptr;
        failingRenameTo.clear();
        const std::string now = readFile(main);
        EXPECT_GE(seen.size(), 2u);
        for (const std::string& file : seen) EXPECT_TRUE(file == old || file == now) << c.failingRename;
        EXPECT_EQ(now != old, c.saved) << c.failingRename;
        EXPECT_EQ(readFile(project + "/essai.bak") == old, c.saved || c.failingRename == std::string("essai.orv"));
        EXPECT_EQ(shown.size(), c.saved ? 0u : 1u);
        EXPECT_EQ(temporaryFiles(project), 0);
    }
}

// The adventure with its backup, and a play's starting state and slot: each
// file reaches the disk under a name of this process's own before it replaces
// the old one, and the folder reaches it after, so a power cut keeps one whole
// file and two programs saving at once never share a file.
TEST(ProjectFiles, EveryFileIsFlushedBeforeItReplacesTheOldOneAndItsFolderAfter) {
    const std::string project = namedProject("durable");
    saveInEditor();
    const struct {
        std::string (*does)();
        std::vector<std::string> replaced;
    } cases[] = {{saveInEditor, {"essai.bak", "essai.orv"}},
                 {[] { return playSession(typed({"sauve"}) + "type 4\n"); }, {"0.sav", "4.sav"}}};
    for (const auto& c : cases) {
        steps.clear();
        recordingSteps = true;
        c.does();
        recordingSteps = false;
        std::vector<std::string> replaced;
        for (size_t i = 0; i < steps.size(); ++i) {
            std::istringstream rename(steps[i]);
            std::string word, from, to;
            if (!(rename >> word >> from >> to) || word != "rename") continue;
            replaced.push_back(to);
            EXPECT_TRUE(from.starts_with(to + "." + std::to_string(getpid()) + "-")) << from;
            EXPECT_EQ(i > 0 ? steps[i - 1] : "", "flush " + from);
            EXPECT_EQ(i + 1 < steps.size() ? steps[i + 1] : "", "flush folder essai");
        }
        EXPECT_EQ(replaced, c.replaced);
    }
}

// A disk that refuses a write or a flush, or takes a few bytes at a time: a
// refused save says so with its usual message and leaves the old file byte for
// byte; nothing temporary is left either way.
TEST(ProjectFiles, ASaveTheDiskRefusesLeavesTheOldFileAndNothingTemporary) {
    const struct {
        const char* file;      // "essai.orv": saved in the editor; "1.sav": SAUVE 1 in a play
        std::string* failing;  // the failure injected, and on what
        const char* on;
        bool saved;  // the new content is in place
    } cases[] = {
        {"essai.orv", &failingWriteTo, "essai.orv.", false}, {"essai.orv", &failingFlushOf, "essai.orv.", false},
        {"essai.orv", &failingFlushOf, "essai/", false},     {"essai.orv", &failingWriteTo, "", true},
        {"1.sav", &failingWriteTo, "1.sav.", false},         {"1.sav", &failingFlushOf, "1.sav.", false},
        {"1.sav", &failingRenameTo, "1.sav", false},         {"1.sav", &failingWriteTo, "", true},
    };
    for (const auto& c : cases) {
        const std::string project = namedProject("refused"), work = project + "/../..";
        const bool slot = c.file == std::string("1.sav");
        auto save = [&] { return slot ? playSession(typed({"sauve"}) + "type 1\n") : saveInEditor(); };
        save();
        const std::string old = readFile(project + "/" + c.file);
        adventure.objectLocations[Lamp] = 1;
        ASSERT_TRUE(saveAdventure(u"attendu.orv", u""));
        *c.failing = c.on;
        shortestWrite = 1000;
        const std::string output = save();
        shortestWrite = 0;
        c.failing->clear();
        const std::string now = readFile(project + "/" + c.file);
        EXPECT_EQ(now == old, !c.saved) << c.file << " " << c.on;
        EXPECT_TRUE(!c.saved || (slot ? now.size() == 6160 : now == readFile(work + "/attendu.orv"))) << c.file;
        const bool told =
            slot ? static_cast<bool>(inOrder(dialogue(output), {"Vous ne pouvez pas écrire sur ce disque."}))
                 : boxes(output) == std::vector<std::string>{"Erreur | Impossible de sauver le fichier essai.orv !"};
        EXPECT_EQ(told, !c.saved) << c.file << " " << c.on;
        EXPECT_EQ(temporaryFiles(project), 0) << c.file << " " << c.on;
    }
}

// Loaded with CHARGE, a slot that is not a saved game says why in the text
// zone for three seconds; nothing of it is applied and the game goes on.
TEST(SavedGames, ASlotThatCannotBeLoadedIsReportedAndTheGameGoesOn) {
    startProject("bad_slots");
    fs::create_directory("1.sav");
    writeFile("2.sav", std::string(100, '\0'));  // cut short
    mkfifo("3.sav", 0600);
    std::string farRoom(6160, '\0');
    farRoom[9] = 1;  // room 256
    writeFile("4.sav", farRoom);
    const struct {
        const char* slot;
        const char* message;
    } cases[] = {{"1", "Impossible d'ouvrir le fichier 1.sav !"},
                 {"2", "Fichier corrompu !"},
                 {"3", "Impossible d'ouvrir le fichier 3.sav !"},
                 {"4", "Fichier corrompu !"},
                 {"5", "Sauvegarde inexistante !"}};
    for (const auto& c : cases) {
        takeRecordedSleeps();
        const std::string output =
            playSession(typed({"prends lampe", "charge"}) + "type " + c.slot + "\n" + typed({"i"}));
        EXPECT_TRUE(inOrder(texts(output), {"CHARGE", c.message, "I", "Vous avez: Une lampe"})) << c.slot;
        const std::vector<int64_t> sleeps = takeRecordedSleeps();
        EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 3000), 1) << c.slot;  // time to read the message
    }
}

// The room takes picture 7 when the player looks; on a blue background the
// picture shows or the image zone stays blue.
TEST(RoomPictures, PicturesTooLargeOrNotFilesAreLeftOutAndNothingWaits) {
    const Colour blue = rgb(0, 0, 255);
    const struct {
        int64_t width, height;  // a red PNG; 0: a copy of a JPEG; -1: a named pipe
        uint16_t jpegWidth;     // the JPEG's width as its header says, 0 as it is
        size_t after;           // bytes after the JPEG's end
        bool shown;
    } cases[] = {
        // clang-format off
        {4096, 8, 0, 0, true}, {4097, 8, 0, 0, false}, {8, 4097, 0, 0, false}, {0, 0, 0, 0, true},
        {0, 0, 5000, 0, false}, {-1, 0, 0, 0, false}, {0, 0, 0, (64 << 20) - 70000, true}, {0, 0, 0, 64 << 20, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        startProject("pictures");
        writePicture("ecran.jpg", blue, 800, 600);
        writeFile("0.jpg", "x");
        addMinorEvent(WordLook, NoWord, NoWord, {}, {step(SallePrendImage, 0, 7)});
        std::string jpeg = readFile(std::string(ORVALDE_RUN_FOLDER) + "/Images/ecran.jpg");
        const std::string width{char(c.jpegWidth >> 8), char(c.jpegWidth & 255)};
        if (c.jpegWidth != 0) jpeg.replace(jpeg.find("\xFF\xC0") + 7, 2, width);  // the frame header's width
        if (c.width > 0) writePicture("7.jpg", rgb(255, 0, 0), c.width, c.height);
        if (c.width == 0) writeFile("7.jpg", jpeg + std::string(c.after, '\0'));
        if (c.width < 0) mkfifo("7.jpg", 0600);
        playSession(typed({"regarde"}));
        EXPECT_EQ(pixelsOf(0, 0, 400, 300, blue) < 400 * 300, c.shown)
            << c.width << " " << c.jpegWidth << " " << c.after;
    }
}

// Each scan of a JPEG is a pass over the whole picture, which a few bytes can
// ask for: a picture of more than 32 scans is left out as absent, stray bytes
// before its scans or not.
TEST(RoomPictures, AJpegOfTooManyScansIsLeftOut) {
    const struct {
        int scans;
        bool strayBytes;
        bool shown;
    } cases[] = {{10, false, true}, {32, true, true}, {33, false, false}, {33, true, false}, {3000, false, false}};
    for (const auto& c : cases) {
        startProject("scans");
        writePicture("ecran.jpg", rgb(0, 0, 255), 800, 600);
        writeJpegOfScans("0.jpg", 256, 256, c.scans);
        std::string jpeg = readFile("0.jpg");
        for (size_t at = jpeg.find("\xFF\xDA", jpeg.find("\xFF\xDA") + 2); c.strayBytes && at != std::string::npos;
             at = jpeg.find("\xFF\xDA", at + 3)) {
            jpeg.insert(at, 1, 'x');
        }
        writeFile("0.jpg", jpeg);
        playSession("");
        EXPECT_EQ(pixelsOf(0, 0, 256, 256, rgb(128, 128, 128)), c.shown ? 256 * 256 : 0) << c.scans;
    }
}

TEST(RoomPictures, ARoomPictureIsDecodedOnceUntilAnotherIsShown) {
    startProject("decoded_once");
    writePicture("0.jpg", rgb(255, 0, 0));
    writePicture("1.jpg", rgb(0, 255, 0));
    countedNames = {"0.jpg"};
    openCount = 0;
    playSession(typed({"regarde", "regarde", "prends lampe", "nord", "sud", "regarde"}));
    countedNames.clear();
    EXPECT_EQ(openCount, 2);
    EXPECT_EQ(pixelsOf(0, 0, 400, 300, rgb(255, 0, 0)), 400 * 300);
}

TEST(TestPlay, AStartingStateThatCannotBeWrittenShowsErrorAndKeepsTheAdventure) {
    const std::string startingState = namedProject("no_start") + "/0.sav";
    fs::create_directory(startingState);
    adventure.objectLocations[5] = 1000;
    const std::vector<int64_t> placement(adventure.objectLocations, adventure.objectLocations + TableSize);
    const std::string output = testPlay();
    EXPECT_EQ(boxes(output), std::vector<std::string>{"Erreur | Impossible de faire la sauvegarde du jeu !"});
    EXPECT_LT(output.find("box Erreur"), output.rfind("TESTER JEU"));
    EXPECT_EQ(output.find("A vous :"), std::string::npos);
    EXPECT_EQ(std::vector<int64_t>(adventure.objectLocations, adventure.objectLocations + TableSize), placement);
    EXPECT_TRUE(fs::is_directory(startingState));
}

// The project's samples: nothing of them is read when a play starts; each is
// decoded on its first play and kept for the next; together they stay within
// a bound (two samples of ten minutes), past which a sample is not played
// while the others play on. The introduction sound is streamed and holds
// nothing of it.
TEST(Sounds, SamplesAreReadWhenFirstPlayedAndTogetherStayWithinABound) {
    startProject("sample_bound");
    for (const char* name : {"introduction.ogg", "5.ogg", "6.ogg", "7.ogg"}) writeLongSample(name, 590);
    const std::string beep = readFile(std::string(ORVALDE_TEST_DATA) + "/beep.ogg");
    writeFile("8.ogg", beep);
    // Pages of a second stream after the first (another serial number): a
    // second stream could have any rate.
    std::string chained = beep;
    for (size_t page = beep.find("OggS"); page != std::string::npos; page = chained.find("OggS", page + 4)) {
        chained[page + 14] = '\x7F';
    }
    writeFile("9.ogg", beep + chained);
    addMinorEvent(WordLook, NoWord, NoWord, {},
                  {step(JouerSample, 5), step(JouerSample, 6), step(JouerSample, 7), step(JouerSample, 8),
                   step(JouerSample, 9), step(JouerSample, 5)});
    // A sample decoded (5), or refused (7), is read once in a play.
    countedNames = {(fs::current_path() / "5.ogg").string(), (fs::current_path() / "7.ogg").string()};
    openCount = 0;
    playSession(typed({"prends lampe"}));
    EXPECT_EQ(openCount, 0);
    // Played in a second play and in a third: each play starts with nothing held.
    for (const int play : {2, 3}) {
        for (int n : {5, 6, 7, 8, 9}) samplePlayHandles[n] = 0;
        playSession(typed({"regarde", "regarde"}));
        EXPECT_EQ(openCount, 2 * (play - 1));
        std::string played;
        for (int n : {5, 6, 7, 8, 9}) played += samplePlayHandles[n] != 0 ? "o" : "-";
        EXPECT_EQ(played, "oo-o-");  // 7 too long, 9 a second stream
    }
    countedNames.clear();
    // Streamed, even an hour of sound plays; decoded whole, it would not.
    writeLongSample("heure.ogg", 3600);
    const SoundHandle hour = loadSound(u"heure.ogg");
    EXPECT_NE(playSound(hour, true), 0);
    EXPECT_EQ(playSound(hour, false), 0);
    freeSound(hour);
}

// A site that the disk refuses at any step (a copy, the page, the rename
// onto its folder) leaves nothing behind: neither that folder nor the one the
// site was made in.
TEST(Publishing, ASiteThatCannotBeWrittenWholeLeavesNothingBehind) {
    if (!ORVALDE_WEB_PLAYER_BUILT) GTEST_SKIP() << "built without the web player";
    const struct {
        const char *failingWrite, *failingRename;
    } cases[] = {{"orvalde-web.wasm", ""}, {"chateau.orv", ""}, {"index.html", ""}, {"", "site"}};
    for (const auto& c : cases) {
        const std::string folder = folderWithDemo("publish_fails");
        fs::current_path(folder);
        failingWriteTo = c.failingWrite;
        failingRenameTo = c.failingRename;
        EXPECT_FATAL_BOX(runPublishing(u"chateau", u"site"), "Impossible d'écrire le site dans 'site' !");
        failingWriteTo.clear();
        failingRenameTo.clear();
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left, (std::vector<std::string>{"Fonts", "Images", "Projets"})) << c.failingWrite;
    }
}
