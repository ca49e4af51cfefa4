// Scenario support: working folders, headless runs, the in-process program and
// what it drew, the adventures the scenarios play, files, pixels and timings.
#include "tests/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "model/adventure_file.h"

namespace fs = std::filesystem;

namespace {

fs::path testRoot() {
    return fs::temp_directory_path() / ("orvalde-test-" + std::to_string(getpid()));
}

// The folders of one test process go when it ends.
void removeTestRoot() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(testRoot(), ignored);
}

}  // namespace

std::string makeWorkFolder(const std::string& name) {
    static bool cleanupRegistered = false;
    if (!cleanupRegistered) {
        std::atexit(removeTestRoot);
        cleanupRegistered = true;
    }
    const fs::path folder = testRoot() / name;
    fs::remove_all(folder);
    fs::create_directories(folder / "Projets");
    fs::copy(fs::path(ORVALDE_RUN_FOLDER) / "Images", folder / "Images", fs::copy_options::recursive);
    fs::copy(fs::path(ORVALDE_RUN_FOLDER) / "Fonts", folder / "Fonts", fs::copy_options::recursive);
    return folder.string();
}

HeadlessRun runHeadless(const std::string& folder, const std::string& script, const std::string& environment) {
    const std::string scriptPath = folder + "/.script";
    writeFileBytes(scriptPath, script);
    const std::string command =
        "cd '" + folder + "' && " + environment + " '" + ORVALDE_HEADLESS + "' '" + scriptPath + "' 2>/dev/null";
    HeadlessRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::remove(scriptPath.c_str());
    return run;
}

void startInProcess(const std::string& folder) {
    static bool started = false;
    fs::current_path(folder);
    if (!started) {

        recordHeadlessOutputInMemory(true);
        startUp();
        started = true;
    }
    recordHeadlessOutputInMemory(true);
    takeHeadlessOutput();
    programFolder = currentDirectory();
    hasScreenImage = false;
    initialiseEditor();
}

void queueScript(const std::string& script) {
    queueInputScript(script);
}

std::string takeOutput() {
    return takeHeadlessOutput();
}

std::string readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

bool pathExists(const std::string& path) {
    return fs::exists(path);
}

// ---- What the program drew ----

namespace {

std::vector<DrawnText> parseOutput(const std::string& output, bool keepOtherLines) {
    std::vector<DrawnText> texts;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        DrawnText drawn{-1, -1, line};
        std::istringstream fields(line);
        std::string word;
        if (fields >> word && word == "text" && fields >> drawn.x >> drawn.y) {
            fields.get();
            std::getline(fields, drawn.text);
        } else if (!keepOtherLines) {
            continue;
        }
        texts.push_back(drawn);
    }
    return texts;
}

}  // namespace

std::vector<DrawnText> drawnTexts(const std::string& output) {
    return parseOutput(output, false);
}

std::vector<DrawnText> outputEntries(const std::string& output) {
    return parseOutput(output, true);
}

std::vector<std::string> allTexts(const std::vector<DrawnText>& texts) {
    std::vector<std::string> found;
    for (const DrawnText& t : texts) found.push_back(t.text);
    return found;
}

std::vector<std::string> textsOnly(const std::string& output) {
    return allTexts(drawnTexts(output));
}

std::string placed(int64_t x, int64_t y, const std::string& text) {
    return std::to_string(x) + "," + std::to_string(y) + " " + text;
}

std::vector<std::string> placedTexts(const std::string& output) {
    std::vector<std::string> found;
    for (const DrawnText& t : drawnTexts(output)) found.push_back(placed(t.x, t.y, t.text));
    return found;
}

std::vector<std::string> textsAt(const std::vector<DrawnText>& texts, int64_t x, int64_t y) {
    std::vector<std::string> found;
    for (const DrawnText& t : texts) {
        if (t.x == x && t.y == y) found.push_back(t.text);
    }
    return found;
}

int64_t findDrawn(const std::vector<DrawnText>& texts, const std::string& text, int64_t x, int64_t y, int64_t from) {
    for (int64_t i = from < 0 ? 0 : from; i < static_cast<int64_t>(texts.size()); ++i) {
        if (texts[i].text == text && (x == -1 || texts[i].x == x) && (y == -1 || texts[i].y == y)) return i;
    }
    return -1;
}

int64_t countOf(const std::vector<DrawnText>& texts, const std::string& text) {
    return std::count_if(texts.begin(), texts.end(), [&](const DrawnText& t) { return t.text == text; });
}

bool inOrder(const std::vector<DrawnText>& texts, std::initializer_list<const char*> expected) {
    int64_t at = 0;
    for (const char* wanted : expected) {
        at = findDrawn(texts, wanted, -1, -1, at);
        if (at == -1) return false;
        ++at;
    }
    return true;
}

// ---- The editor ----

int64_t centredX(const std::u16string& text, int64_t cx) {
    return cx - textWidth(text) / 2;
}

int64_t centredY(const std::u16string& text, int64_t cy) {
    return cy - textHeight(text) / 2;
}

std::string clickAt(int64_t x, int64_t y) {
    return "click " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

std::string clickMenuEntry(int64_t page) {
    const int64_t entry = page - 1;
    return clickAt(33 + 383 * (entry % 2) + 175, 35 * (entry / 2 + 1) + 15);
}

std::string runEditorScript(const std::string& script) {
    queueScript(script);
    runMainLoop();
    return takeOutput();
}

// ---- Events, game states and adventures to play ----

void fillSteps(EventStep* slots, std::initializer_list<EventStep> steps) {
    int slot = 0;
    for (const EventStep& s : steps) slots[slot++] = s;
    for (; slot < StepsPerList; ++slot) slots[slot] = {EndOfList, 255, 255, 255};
}

void setMajorEvent(int index, std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions) {
    fillSteps(adventure.majorEvents[index].conditions, conditions);
    fillSteps(adventure.majorEvents[index].actions, actions);
}

void setMinorEvent(int index, int64_t w1, int64_t w2, int64_t w3, std::initializer_list<EventStep> conditions,
                   std::initializer_list<EventStep> actions) {
    MinorEvent& event = adventure.minorEvents[index];
    event.words[0] = w1;
    event.words[1] = w2;
    event.words[2] = w3;
    fillSteps(event.conditions, conditions);
    fillSteps(event.actions, actions);
}

void addMajorEvent(std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions) {
    setMajorEvent(adventure.majorEventCount++, conditions, actions);
}

void addMinorEvent(int64_t word, std::initializer_list<EventStep> conditions,
                   std::initializer_list<EventStep> actions) {
    setMinorEvent(adventure.minorEventCount++, word, NoWord, NoWord, conditions, actions);
}

void resetGameState() {
    currentRoom = 0;
    turnCount = 0;
    for (int i = 0; i < TableSize; ++i) {
        flags[i] = 0;
        roomImages[i] = i;
        sampleSounds[i] = 0;
    }
    needFullRedraw = true;
    quitPending = false;
    endOfGamePending = false;
    clearCommandWords();
    commandLine.clear();
    lastCommand.clear();
    textCursor = 0;
    descriptionCursor = 0;
    inventoryCursor = 0;
    adventure.majorEventCount = 0;
    adventure.minorEventCount = 0;
}

std::string startPlay(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    resetGameState();
    hasScreenImage = false;
    clearScreen();
    takeOutput();
    return folder;
}

void writeSmallAdventure() {
    for (int i = 0; i < TableSize; ++i) {
        adventure.roomTexts[i].clear();
        adventure.objectTexts[i].clear();
        adventure.messageTexts[i].clear();
        for (int d = 0; d < DirectionCount; ++d) adventure.exits[i][d] = NoExit;
        adventure.objectLocations[i] = NotCreated;
        adventure.objectAttributes[i][AssociatedWord] = NoWord;
        adventure.objectAttributes[i][Takeable] = 0;
        adventure.objectAttributes[i][Holdable] = 0;
        for (int s = 0; i >= 14 && s < SpellingsPerWord; ++s) adventure.vocabulary[i][s].clear();
    }
    adventure.vocabulary[WordLamp][0] = u"LAMPE";
    adventure.vocabulary[WordKey][0] = u"CLEF";
    adventure.vocabulary[WordKey][1] = u"CLE";
    adventure.vocabulary[WordRock][0] = u"ROCHER";
    adventure.vocabulary[WordLook][0] = u"REGARDE";
    adventure.roomTexts[0] = u"Le hall.";
    adventure.roomTexts[1] = u"La cave.";
    adventure.exits[0][0] = 1;
    adventure.exits[1][1] = 0;
    const std::tuple<const char16_t*, int64_t, int64_t> objects[3] = {
        {u"Une lampe", 0, WordLamp}, {u"La clef", 1, WordKey}, {u"Un rocher", 0, WordRock}};
    for (int o = 0; o < 3; ++o) {
        std::tie(adventure.objectTexts[o], adventure.objectLocations[o],
                 adventure.objectAttributes[o][AssociatedWord]) = objects[o];
        adventure.objectAttributes[o][Takeable] = o == Rock ? 0 : 1;
    }
    resetLayoutSettings();
}

std::string startProject(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    const std::string project = folder + "/Projets/Essai";
    fs::create_directories(project);
    setCurrentDirectory(utf8ToText(project));
    writeSmallAdventure();
    resetGameState();
    releaseScreenImages();
    takeOutput();
    return project;
}

PlaySnapshot snapshotPlay() {
    PlaySnapshot s{};
    s.room = currentRoom;
    s.turns = turnCount;
    s.locations.assign(adventure.objectLocations, adventure.objectLocations + TableSize);
    s.flagValues.assign(flags, flags + TableSize);
    s.images.assign(roomImages, roomImages + TableSize);
    s.handles.assign(samplePlayHandles, samplePlayHandles + TableSize);
    s.redraw = needFullRedraw;
    s.quit = quitPending;
    s.end = endOfGamePending;
    s.cursors[0] = textCursor;
    s.cursors[1] = descriptionCursor;
    s.cursors[2] = inventoryCursor;
    return s;
}

// ---- Pictures and pixels ----

void writeSolidPicture(const std::string& path, Colour colour, int64_t width, int64_t height) {
    ImageHandle picture = createImage(width, height, 32);
    beginDrawing(picture);
    fillRect(0, 0, width, height, colour);
    endDrawing();
    EXPECT_TRUE(saveImagePng(picture, utf8ToText(path))) << path;
    freeImage(picture);
}

int64_t pixelsOf(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height, Colour colour) {
    int64_t count = 0;
    for (int64_t py = y; py < y + height; ++py) {
        for (int64_t px = x; px < x + width; ++px) count += readPixel(image, px, py) == colour ? 1 : 0;
    }
    return count;
}

// ---- Saved games ----

std::string savedGameBytes(const std::vector<int64_t>& values) {
    std::string bytes;
    for (int64_t value : values) {
        const uint64_t bits = static_cast<uint64_t>(value);
        for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
    }
    return bytes;
}

std::vector<int64_t> savedGameValues(const std::string& bytes) {
    std::vector<int64_t> values;
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        values.push_back(static_cast<int64_t>(bits));
    }
    return values;
}

// ---- Fatal errors, in death tests ----

void reportBoxesOnStandardError() {
    recordHeadlessOutputInMemory(false);
    dup2(2, 1);
}

std::string errorBoxPattern(const std::string& text) {
    std::string pattern;
    for (char c : "box Erreur | " + text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// ---- Timings ----

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// ---- Adventure files ----

Adventure keptAdventure;
std::string workFolder;

std::string startIn(const std::string& name) {
    const std::string folder = makeWorkFolder("adventure_file_" + name);
    startInProcess(folder);
    workFolder = folder + "/";
    return workFolder;
}

namespace {

// A small generator of its own, so that the contents do not depend on the
// standard library's distributions.
struct Sequence {
    uint64_t state;
    uint64_t next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    }
};

int64_t distinctInteger(Sequence& random) {
    static const int64_t specials[] = {0,    -1,   255,       253,       254,       1,         1000,
                                       1001, -255, INT64_MAX, INT64_MIN, 123456789, -98765432, 4294967296};
    const uint64_t pick = random.next() % 20;
    if (pick < 14) return specials[pick];
    if (pick < 18) return static_cast<int64_t>(random.next() % 2000) - 1000;
    return static_cast<int64_t>(random.next() * 2654435761ULL);
}

std::u16string distinctText(Sequence& random, size_t length) {
    static const char16_t* const pieces[] = {
        u"épée", u"Château", u"forêt", u" blanc au début", u"à la fin ", u"\tTab", u"œuf", u"€", u"\U0001F409",
        u"-12",  u"$FF",     u"%101",  u"ÀÉÎÕÜ",           u"'\"",       u"N",     u"ç",
    };
    const uint64_t pick = random.next() % 20;
    if (length == 0 && pick >= 16) return u"";
    std::u16string text;
    do {
        text += pieces[random.next() % 16];
    } while (text.size() < length || (length == 0 && random.next() % 3 != 0));
    return text;
}

void fillDistinctSteps(Sequence& random, EventStep* steps) {
    for (int s = 0; s < StepsPerList; ++s) {
        steps[s] = {distinctInteger(random), distinctInteger(random), distinctInteger(random), distinctInteger(random)};
    }
}

std::string shown(const std::u16string& text) {
    return "\"" + textToUtf8(text) + "\"";
}

// The model's numbers are plain 64-bit integers, without padding between them.
template <typename T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

void fillDistinctAdventure(int64_t minorCount, int64_t majorCount, uint64_t seed, size_t textLength) {
    Sequence random{seed};
    for (int i = 0; i < TableSize; ++i) {
        for (int s = 0; s < SpellingsPerWord; ++s) adventure.vocabulary[i][s] = distinctText(random, textLength);
        adventure.messageTexts[i] = distinctText(random, textLength);
        adventure.roomTexts[i] = distinctText(random, textLength);
        for (int d = 0; d < DirectionCount; ++d) adventure.exits[i][d] = distinctInteger(random);
        adventure.objectTexts[i] = distinctText(random, textLength);
        adventure.objectLocations[i] = distinctInteger(random);
        adventure.systemMessages[i] = distinctText(random, textLength);
        for (int c = 0; c < AttributeCount; ++c) adventure.objectAttributes[i][c] = distinctInteger(random);
    }
    for (Zone* zone :
         {&adventure.imageZone, &adventure.descriptionZone, &adventure.textZone, &adventure.inventoryZone}) {
        *zone = {distinctInteger(random), distinctInteger(random), distinctInteger(random), distinctInteger(random)};
    }
    adventure.maxObjectsInInventory = distinctInteger(random);
    adventure.maxObjectsInHand = distinctInteger(random);
    adventure.minorEventCount = minorCount;
    for (int64_t e = 0; e < minorCount; ++e) {
        for (int w = 0; w < WordsPerMinorEvent; ++w) adventure.minorEvents[e].words[w] = distinctInteger(random);
        fillDistinctSteps(random, adventure.minorEvents[e].conditions);
        fillDistinctSteps(random, adventure.minorEvents[e].actions);
    }
    adventure.majorEventCount = majorCount;
    for (int64_t e = 0; e < majorCount; ++e) {
        fillDistinctSteps(random, adventure.majorEvents[e].conditions);
        fillDistinctSteps(random, adventure.majorEvents[e].actions);
    }
}

::testing::AssertionResult sameAdventure(const Adventure& expected, const Adventure& actual) {
    const char* const names[] = {"vocabulary", "message", "room", "object", "system message"};
    const std::u16string* const tables[][2] = {{expected.vocabulary[0], actual.vocabulary[0]},
                                               {expected.messageTexts, actual.messageTexts},
                                               {expected.roomTexts, actual.roomTexts},
                                               {expected.objectTexts, actual.objectTexts},
                                               {expected.systemMessages, actual.systemMessages}};
    for (int t = 0; t < 5; ++t) {
        for (int i = 0; i < (t == 0 ? TableSize * SpellingsPerWord : TableSize); ++i) {
            if (tables[t][0][i] != tables[t][1][i]) {
                return ::testing::AssertionFailure() << names[t] << " text " << i << ": " << shown(tables[t][1][i])
                                                     << " instead of " << shown(tables[t][0][i]);
            }
        }
    }
    if (!sameBytes(expected.exits, actual.exits)) return ::testing::AssertionFailure() << "an exit differs";
    if (!sameBytes(expected.objectLocations, actual.objectLocations) ||
        !sameBytes(expected.objectAttributes, actual.objectAttributes)) {
        return ::testing::AssertionFailure() << "an object location or attribute differs";
    }
    if (!sameBytes(expected.imageZone, actual.imageZone) || !sameBytes(expected.textZone, actual.textZone) ||
        !sameBytes(expected.descriptionZone, actual.descriptionZone) ||
        !sameBytes(expected.inventoryZone, actual.inventoryZone)) {
        return ::testing::AssertionFailure() << "a zone differs";
    }
    if (expected.maxObjectsInInventory != actual.maxObjectsInInventory ||
        expected.maxObjectsInHand != actual.maxObjectsInHand) {
        return ::testing::AssertionFailure() << "an object limit differs";
    }
    if (expected.minorEventCount != actual.minorEventCount || expected.majorEventCount != actual.majorEventCount) {
        return ::testing::AssertionFailure()
               << "event counts " << actual.minorEventCount << "/" << actual.majorEventCount << " instead of "
               << expected.minorEventCount << "/" << expected.majorEventCount;
    }
    for (int64_t e = 0; e < expected.minorEventCount && e < MaxEvents; ++e) {
        if (!sameBytes(expected.minorEvents[e], actual.minorEvents[e])) {
            return ::testing::AssertionFailure() << "minor event " << e << " differs";
        }
    }
    for (int64_t e = 0; e < expected.majorEventCount && e < MaxEvents; ++e) {
        if (!sameBytes(expected.majorEvents[e], actual.majorEvents[e])) {
            return ::testing::AssertionFailure() << "major event " << e << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> crLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos || bytes[end] != '\r' || end + 1 >= bytes.size() || bytes[end + 1] != '\n') {
            return {};
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

AdventureReadResult readAdventureAt(const std::string& hostPath, bool reset) {
    const FileHandle file = openFile(utf8ToText(hostPath));
    EXPECT_NE(file, 0) << hostPath;
    if (reset) resetAdventure();
    const AdventureReadResult result = readAdventureLines(file);
    closeFile(file);
    return result;
}

std::string saveBytes(const std::u16string& fileName) {
    if (!saveAdventure(fileName, u"")) return "";
    return readFileBytes(workFolder + textToUtf8(fileName));
}
#include "editor/folder_list.h"
#include "model/adventure_file.h"
void requestSaveAdventure() {
    if (projectName.empty()) return;
    projectFolder = u"Projets" + pathSeparator + projectName + pathSeparator;
    const std::u16string folderPath = programFolder + u"Projets" + pathSeparator + projectName;
    if (fileSize(folderPath) != -2) createFolder(folderPath);
    rebuildFolderList(0, folderListShown);
    saveAdventure(projectName + u".orv", projectFolder);
}
void requestLoadAdventure(const std::u16string& name) {
    if (name.empty()) return;
    projectName = name;
    projectFolder = u"Projets" + pathSeparator + name + pathSeparator;
    loadAdventure(projectName + u".orv", projectFolder);
}
