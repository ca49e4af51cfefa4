// Timings run on demand (ctest -L benchmark, or build/orvalde_benchmarks):
// medians over many rounds, printed for the notes of a change, each next to
// the floor of one frame copy. They check nothing about speed; a slower
// program still passes. Run under callgrind (tests/bench/instructions.sh),
// each figure is also counted in instructions, which a busy machine does not
// change.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>

#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#else
#define RUNNING_ON_VALGRIND 0
#define CALLGRIND_ZERO_STATS
#define CALLGRIND_DUMP_STATS_AT(name) (void)(name)
#endif

#include "editor/map_layout.h"
#include "editor/map_picture.h"
#include "editor/pages/pages.h"
#include "model/adventure_check.h"
#include "model/adventure_file.h"
#include "model/adventure_lines.h"
#include "tests/support.h"

namespace {

double medianMilliseconds(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i, takeHeadlessOutput()) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The floor every figure is set against: one copy of a whole 800 x 600
// frame of 32-bit pixels, measured in the same run.
double frameCopyMilliseconds() {
    static const double measured = [] {
        std::vector<char> from(ScreenWidth * ScreenHeight * 4, 1), to(from.size());
        return medianMilliseconds(301, [&] {
            std::memcpy(to.data(), from.data(), from.size());
            from[to[from.size() / 2] & 7] ^= 1;  // keeps the copy from being optimised away
        });
    }();
    return measured;
}

void report(const std::string& what, double milliseconds) {
    std::printf("%-60s %8.3f ms %7.1f floors\n", what.c_str(), milliseconds, milliseconds / frameCopyMilliseconds());
    EXPECT_GT(milliseconds, 0.0);
}

// Reported with what ran since the last counting started (the floor being
// measured before), counted by callgrind under the figure's name with the
// number of events it covers.
void reportCounted(const std::string& what, const std::function<double()>& run, int events) {
    frameCopyMilliseconds();
    CALLGRIND_ZERO_STATS;
    const double milliseconds = run();
    const std::string dumpName = what + " | " + std::to_string(events);
    CALLGRIND_DUMP_STATS_AT(dumpName.c_str());
    report(what, milliseconds);
}

// The median of the rounds; under callgrind a few rounds after one left out
// (it fills the caches of rendered texts and pictures) suffice.
void measure(const std::string& what, int rounds, const std::function<void()>& work) {
    if (RUNNING_ON_VALGRIND && rounds > 3) work(), rounds = 5;
    reportCounted(what, [&] { return medianMilliseconds(rounds, work); }, rounds);
}

// A play of the script, per event (a turn, a key) it holds.
void measurePlay(const std::string& what, const std::string& script, int events) {
    reportCounted(what, [&] { return medianMilliseconds(1, [&] { playSession(script); }) / events; }, events);
}

void redrawAndPresent() {
    drawCurrentPage();
    presentBackBuffer();
}

}  // namespace

// Every page full (long texts, each unlike the next, wide words, 25 steps, a
// folder of pictures): a wheel notch that changes what it shows, one way then
// back, handled, drawn and presented. Multimedia takes no notch: drawn whole.
TEST(Benchmark, EveryPageRedrawAndPresentation) {
    const std::string folder = makeWorkFolder("bench_pages");
    startInProcess(folder);
    std::u16string longText;
    for (int i = 0; i < 60; ++i) longText += u"une phrase assez longue ";
    for (int i = 0; i < TableSize; ++i) {
        const std::u16string text = longText.substr(static_cast<size_t>(i % 23)) + integerToText(i);
        adventure.messageTexts[i] = adventure.roomTexts[i] = adventure.objectTexts[i] = text;
        adventure.systemMessages[i] = text;
        adventure.vocabulary[i][9] = u"WWWWWWWWWWWW";
    }
    for (int slot = 0; slot < StepsPerList; ++slot) {
        adventure.minorEvents[0].conditions[slot] = {slot % ConditionTypeCount, slot, 200 + slot, 255};
        adventure.minorEvents[0].actions[slot] = {slot % ActionTypeCount, slot, 100 + slot, 255};
        adventure.majorEvents[0].actions[slot] = adventure.minorEvents[0].actions[slot];
    }
    std::filesystem::create_directories(folder + "/Projets/p");
    for (int n = 0; n < 40; ++n) writeFile(folder + "/Projets/p/" + std::to_string(n) + ".jpg", "x");
    projectFolder = u"Projets\\p\\";
    const struct {
        int64_t page;
        const char* name;
        std::string before;  // what the author does first
        int64_t x, y;        // then where the author clicks on the page (none at 0, 0)
    } pages[] = {{Menu, "menu, a setting", "", 404, 354},
                 {Vocabulary, "vocabulary", "", 0, 0},
                 {MessageTexts, "message texts", "", 0, 0},
                 {RoomTexts, "room texts", "", 0, 0},
                 {ObjectTexts, "object texts, while typing", menuEntry(ObjectTexts) + click(50, 350), 0, 0},
                 {SystemMessages, "system messages", "", 0, 0},
                 {Movements, "movements", "", 0, 0},
                 {ObjectPlacement, "placement", "", 0, 0},
                 {ObjectAttributes, "attributes", "", 0, 0},
                 {Multimedia, "multimedia, read again", "", 0, 0},
                 {MinorEvents, "minor events of 25 conditions, the marked step", menuEntry(MinorEvents) + click(725, 85), 0, 0},
                 {MinorEvents, "minor events of 25 actions, the marked step", menuEntry(MinorEvents) + click(270, 65) + click(725, 85), 0, 0},
                 {MinorEvents, "minor events of 25 actions, an argument", "", 580, 131},
                 {MinorEvents, "minor events of 25 actions, the verb", "", 70, 140},
                 {MajorEvents, "major events of 25 actions, an argument", menuEntry(MajorEvents) + click(270, 65), 580, 131},
                 {Findings, "findings of the check", menuEntry(Findings), 0, 0}};
    for (const auto& p : pages) {
        if (!p.before.empty()) runEditor(p.before);
        currentPage = p.page;
        redrawAndPresent();
        if (p.x != 0) handlePageClick(hitTest(p.x, p.y)), redrawAndPresent();
        int64_t direction = -1;
        const bool notched = p.page != Multimedia;
        measure(std::string("page ") + p.name + (notched ? ": a notch, drawn and presented" : ": drawn and presented"),
                500, [&] {
                    EXPECT_TRUE(!notched || handlePageAdjust(direction, 1)) << p.name;
                    direction = -direction;
                    redrawAndPresent();
                });
        editingText = false;
    }
}

// One typed character on a text page, handled, drawn and shown: 400 typed
// less none typed (medians of 7; once each under callgrind). Each round types
// other letters, so that every line is new to the font library.
TEST(Benchmark, TypedCharacter) {
    startInProcess(makeWorkFolder("bench_typing"));
    const int rounds = RUNNING_ON_VALGRIND ? 1 : 7;
    int round = 0;
    const auto typing = [&](int count) {
        return medianMilliseconds(rounds, [&] {
            std::string text;
            ++round;
            for (int i = 0; i < count; ++i) text += i % 6 == 5 ? ' ' : static_cast<char>('a' + (i + 5 * round) % 26);
            startNewAdventure();
            adventure.messageTexts[0] = u"x";
            runEditor(menuEntry(MessageTexts) + click(50, 350) + "type " + text + "\nkey return\n");
        });
    };
    typing(400);  // the texts rendered and the pictures loaded once
    CALLGRIND_ZERO_STATS;
    const double none = typing(0);
    CALLGRIND_DUMP_STATS_AT("typing nothing | base");
    reportCounted("editor: one typed character on a text page", [&] { return (typing(400) - none) / 400; }, 400);
}

TEST(Benchmark, Floor) {
    report("floor: one 800 x 600 frame copy", frameCopyMilliseconds());
}

TEST(Benchmark, GameTurns) {
    startProject("bench_turns");
    adventure.messageTexts[1] = std::u16string(300, u'x');
    addMinorEvent(WordLook, NoWord, NoWord, {}, {step(AfficheMessage, 1)});
    const int turns = RUNNING_ON_VALGRIND ? 20 : 200;
    std::string script, typing;
    for (int i = 0; i < turns; ++i) script += "type regarde\nkey return\n", typing += "type A\nkey backspace\n";
    measurePlay("game: one turn of a 7-letter command with a scrolling message", script, turns + 1);
    measurePlay("game: one typed character or backspace, drawn and presented", typing + "key return\n", 2 * turns);
    clearZones();
    const std::u16string text(2000, u'a');
    measure("game: printInZone of 2000 characters", 200,
            [&] { textCursor = printInZone(text, adventure.textZone, textCursor); });
}

// A text of about 1 MB from a file, in words, printed: wrapped line by line
// and scrolled through the text zone.
TEST(Benchmark, LongText) {
    startProject("bench_long_text");
    clearZones();
    std::u16string book;
    while (book.size() < 1000000) book += u"un mot et puis un autre, ";
    measure("game: printInZone of a 1 MB text", RUNNING_ON_VALGRIND ? 1 : 3,
            [&] { textCursor = printInZone(book, adventure.textZone, textCursor); });
}

TEST(Benchmark, LargestAdventureFile) {
    const std::string folder = makeWorkFolder("bench_file");
    startInProcess(folder);
    adventure.minorEventCount = MaxEvents;
    adventure.majorEventCount = MaxEvents;
    for (int i = 0; i < TableSize; ++i) adventure.messageTexts[i] = std::u16string(200, u'é');
    measure("file: save of 1000 + 1000 events", 21, [] { saveAdventure(u"big.orv", u""); });
    // The same writing into a replacement that is abandoned: no flush to the disk.
    measure("file: save of 1000 + 1000 events, flush excluded", 21, [] {
        const FileHandle file = beginReplacing(u"unflushed.orv");
        writeAdventureLines(file);
        finishReplacing(file, false);
    });
    measure("file: load of 1000 + 1000 events", 21, [] { loadAdventure(u"big.orv", u""); });
    std::printf("%-60s %8.1f MB\n", "file: size", std::filesystem::file_size(folder + "/big.orv") / 1e6);
}

// Every step of every event in use, each argument a row without text: the
// most findings an adventure gives, most of them past the listed ones.
TEST(Benchmark, CheckOfTheLargestAdventure) {
    startInProcess(makeWorkFolder("bench_check"));
    adventure.minorEventCount = MaxEvents;
    adventure.majorEventCount = MaxEvents;
    for (int e = 0; e < MaxEvents; ++e) {
        for (int slot = 0; slot < StepsPerList; ++slot) {
            adventure.minorEvents[e].conditions[slot] = {slot % ConditionTypeCount, 200, 200, 255};
            adventure.minorEvents[e].actions[slot] = {slot % ActionTypeCount, 200, 200, 255};
            adventure.majorEvents[e].conditions[slot] = adventure.minorEvents[e].conditions[slot];
            adventure.majorEvents[e].actions[slot] = adventure.minorEvents[e].actions[slot];
        }
        adventure.minorEvents[e].words[0] = 200;
    }
    AdventureCheck check;
    measure("check: 1000 + 1000 events of 25 + 25 steps", 11, [&] { check = checkAdventure(); });
    std::printf("%-60s %8ld findings, %ld listed\n", "check: found", check.errors + check.remarks,
                static_cast<long>(check.findings.size()));
    runEditor(menuEntry(Findings));
    currentPage = Findings;
    measure("page findings of that check: redraw and presentation", 500, redrawAndPresent);
    measure("page findings: opened (the check and its lines)", 11, openCheckPage);
}

// The map of the largest adventure: 253 rooms, every exit used. An author's
// map (each room's exits to its neighbours on a grid of 16 columns, the edges
// wrapping around, up and down to rooms further on), exits to any room, and
// exits to seven rooms only, which leaves over 200 pieces for Graphviz. The
// picture with a thumbnail for each room, from a picture of 400 x 300.
TEST(Benchmark, LargestMap) {
    const std::string folder = makeWorkFolder("bench_map");
    startInProcess(folder);
    std::filesystem::create_directories(folder + "/Projets/p");
    for (int room = 0; room < 253; ++room) {
        writePicture(folder + "/Projets/p/" + std::to_string(room) + ".jpg", rgb(room, 90, 200), 400, 300);
    }
    projectFolder = u"Projets\\p\\";
    static AdventureMap map;
    const char* const names[] = {"an author's grid", "exits to any room", "exits to seven rooms"};
    const int64_t steps[DirectionCount] = {-16, 16, 1, -1, 37, -37};
    for (int kind = 0; kind < 3; ++kind) {
        for (int64_t room = 0; room < 253; ++room) {
            adventure.roomTexts[room] = u"Une salle assez longue à décrire, qui remplit sa boîte.";
            for (int64_t d = 0; d < DirectionCount; ++d) {
                const int64_t exits[] = {(room + steps[d] + 253) % 253, (room * 97 + d * 61 + 13) % 253, (room * 5 + d) % 7};
                adventure.exits[room][d] = exits[kind];
            }
        }
        const std::string name = names[kind];
        report("map of " + name + ": layout", medianMilliseconds(21, [] { layOutMap(adventure, map); }));
        std::printf("%-60s %5ld x %5ld px\n", ("map of " + name + ": size").c_str(), map.width, map.height);
        openMapPage();
        currentPage = Map;
        report("map of " + name + ": page redraw and presentation", medianMilliseconds(101, redrawAndPresent));
        report("map of " + name + ": SVG with 253 thumbnails",
               medianMilliseconds(5, [] { EXPECT_TRUE(writeMapPicture(u"carte.svg")); }));
        std::printf("%-60s %8.1f MB\n", ("map of " + name + ": SVG size").c_str(),
                    std::filesystem::file_size(folder + "/carte.svg") / 1e6);
    }
}

namespace {

// One play of the project by the headless runner (ORVALDE_BENCH_HEADLESS, or
// this build's), its output dropped, ended by the system after three minutes
// and kept within 4 GB of memory: wall-clock seconds and peak resident memory
// of the process.
void reportPlay(const std::string& what, const std::string& folder, const std::string& project,
                const std::string& script) {
    writeFile(folder + "/bench.script", script);
    const char* chosen = std::getenv("ORVALDE_BENCH_HEADLESS");
    const std::string program = chosen != nullptr ? chosen : ORVALDE_HEADLESS;
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, 1);
        alarm(180);
        const rlimit memory{rlim_t{4} << 30, rlim_t{4} << 30};
        setrlimit(RLIMIT_AS, &memory);
        if (chdir(folder.c_str()) == 0) {
            execl(program.c_str(), program.c_str(), "--jouer", project.c_str(), "bench.script", nullptr);
        }
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const char* end = WIFSIGNALED(status) ? " (stopped)" : WEXITSTATUS(status) != 0 ? " (failed)" : "";
    std::printf("%-60s %8.2f s %7.0f MB%s\n", what.c_str(), seconds, usage.ru_maxrss / 1024.0, end);
}

// A work folder with the small adventure saved as "hostile", whose command
// REGARDE plays the samples 0 to 24 (one event, 25 actions).
std::string hostileProject(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    writeSmallAdventure();
    addMinorEvent(WordLook, NoWord, NoWord, {}, {});
    for (int n = 0; n < StepsPerList; ++n) adventure.minorEvents[0].actions[n] = step(JouerSample, n);
    std::filesystem::create_directories(folder + "/Projets/hostile");
    EXPECT_TRUE(saveAdventure(u"hostile.orv", u"Projets\\hostile\\"));
    return folder;
}

}  // namespace

// Hostile media in a project, played with the real program: room pictures
// that are progressive JPEGs of many scans (room 0 is shown at once), and
// samples that decode to nearly ten minutes each (hard links to one file).
TEST(Benchmark, HostileMediaOfAPlay) {
    const std::string look = "type regarde\nkey return\n";
    for (const int scans : {32, 4800, 28600}) {
        const std::string folder = hostileProject("bench_jpeg"), picture = folder + "/Projets/hostile/0.jpg";
        writeJpegOfScans(picture, 4096, 4096, scans);
        reportPlay("play: room picture 4096 x 4096 of " + std::to_string(scans) + " scans, " +
                       std::to_string(std::filesystem::file_size(picture) / 1000) + " KB",
                   folder, "hostile", look);
    }
    for (const int samples : {30, 255}) {
        const std::string folder = hostileProject("bench_sounds");
        const std::string project = folder + "/Projets/hostile/";
        writeLongSample(project + "0.ogg", 590, true);
        for (int n = 1; n < samples; ++n) {
            std::filesystem::create_hard_link(project + "0.ogg", project + std::to_string(n) + ".ogg");
        }
        const std::string count = std::to_string(samples) + " samples of 590 s";
        reportPlay("play: " + count + ", start and end", folder, "hostile", "");
        reportPlay("play: " + count + ", 25 played", folder, "hostile", look);
    }
}
