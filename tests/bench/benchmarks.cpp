// Timings run on demand (ctest -L benchmark, or build/orvalde_benchmarks):
// medians over many rounds, printed for the notes of a change. They check
// nothing about speed; a slower program still passes.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "model/adventure_file.h"
#include "tests/bench/bench.h"
#include "tests/support.h"

double medianMilliseconds(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
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

TEST(Benchmark, MenuRedrawAndPresentation) {
    startInProcess(makeWorkFolder("bench_menu"));
    report("menu: full redraw and presentation", medianMilliseconds(500, [] {
               drawCurrentPage();
               presentBackBuffer();
           }));
}

TEST(Benchmark, MultimediaPageWhileNothingChanges) {
    const std::string folder = makeWorkFolder("bench_multimedia");
    startInProcess(folder);
    std::filesystem::create_directories(folder + "/Projets/p");
    for (int n = 0; n < 40; ++n) writeFile(folder + "/Projets/p/" + std::to_string(n) + ".jpg", "x");
    projectFolder = u"Projets\\p\\";
    currentPage = Multimedia;
    report("multimedia page: redraw and presentation", medianMilliseconds(500, [] {
               drawCurrentPage();
               presentBackBuffer();
           }));
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
