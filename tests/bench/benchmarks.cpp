// Timings run on demand (ctest -L benchmark, or build/orvalde_benchmarks):
// medians over many rounds, printed for the notes of a change. They check
// nothing about speed; a slower program still passes.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "model/adventure_file.h"
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

void report(const std::string& what, double milliseconds) {
    std::printf("%-60s %8.3f ms\n", what.c_str(), milliseconds);
    EXPECT_GT(milliseconds, 0.0);
}

void redrawAndPresent() {
    drawCurrentPage();
    presentBackBuffer();
}

}  // namespace

// Every page with its boxes and lists full: long texts, a vocabulary of wide
// words, 25 conditions and 25 actions, a project folder of pictures.
TEST(Benchmark, EveryPageRedrawAndPresentation) {
    const std::string folder = makeWorkFolder("bench_pages");
    startInProcess(folder);
    std::u16string longText;
    for (int i = 0; i < 60; ++i) longText += u"une phrase assez longue ";
    for (int i = 0; i < TableSize; ++i) {
        adventure.messageTexts[i] = adventure.roomTexts[i] = adventure.objectTexts[i] = longText;
        adventure.systemMessages[i] = longText;
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
    } pages[] = {{Menu, "menu", ""},
                 {Vocabulary, "vocabulary", ""},
                 {MessageTexts, "message texts", ""},
                 {RoomTexts, "room texts", ""},
                 {ObjectTexts, "object texts, typing", menuEntry(ObjectTexts) + click(50, 350)},
                 {SystemMessages, "system messages", ""},
                 {Movements, "movements", ""},
                 {ObjectPlacement, "placement", ""},
                 {ObjectAttributes, "attributes", ""},
                 {Multimedia, "multimedia, nothing changing", ""},
                 {MinorEvents, "minor events, 25 conditions", menuEntry(MinorEvents) + click(725, 85)},
                 {MinorEvents, "minor events, 25 actions", menuEntry(MinorEvents) + click(270, 65)},
                 {MajorEvents, "major events, 25 actions", menuEntry(MajorEvents) + click(270, 65)}};
    for (const auto& p : pages) {
        if (!p.before.empty()) runEditor(p.before);
        currentPage = p.page;
        report(std::string("page ") + p.name + ": redraw and presentation", medianMilliseconds(500, redrawAndPresent));
        editingText = 0;
    }
}

TEST(Benchmark, GameTurns) {
    startProject("bench_turns");
    adventure.messageTexts[1] = std::u16string(300, u'x');
    addMinorEvent(WordLook, NoWord, NoWord, {}, {step(AfficheMessage, 1)});
    std::string script;
    for (int i = 0; i < 200; ++i) script += "type regarde\nkey return\n";
    const auto start = std::chrono::steady_clock::now();
    playSession(script);
    report("game: one turn of a 7-letter command with a scrolling message",
           std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / 201);
    clearScreen();
    const std::u16string text(2000, u'a');
    report("game: printInZone of 2000 characters",
           medianMilliseconds(200, [&] { textCursor = printInZone(text, adventure.textZone, textCursor); }));
}

TEST(Benchmark, LargestAdventureFile) {
    const std::string folder = makeWorkFolder("bench_file");
    startInProcess(folder);
    adventure.minorEventCount = MaxEvents;
    adventure.majorEventCount = MaxEvents;
    for (int i = 0; i < TableSize; ++i) adventure.messageTexts[i] = std::u16string(200, u'é');
    report("file: save of 1000 + 1000 events", medianMilliseconds(21, [] { saveAdventure(u"big.orv", u""); }));
    report("file: load of 1000 + 1000 events", medianMilliseconds(21, [] { loadAdventure(u"big.orv", u""); }));
    std::printf("%-60s %8.1f MB\n", "file: size", std::filesystem::file_size(folder + "/big.orv") / 1e6);
}
