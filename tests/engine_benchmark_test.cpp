// Timings of the game engine, run on demand (they assert nothing about time):
//   orvalde_tests --gtest_also_run_disabled_tests --gtest_filter='EngineBenchmark*'
// A whole turn is measured inside test plays of many turns where the text zone
// is full and scrolls at every turn; printInZone on a 2000-character text.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "engine/session.h"
#include "model/event_labels.h"
#include "tests/engine_scenario.h"

using namespace engine_scenario;

namespace {

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

EventStep step(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    return {type, arg1, arg2, 255};
}

}  // namespace

TEST(EngineBenchmark, DISABLED_WholeTurnWithAScrollingTextZone) {
    startProject("benchmark_turn");
    // A major event tested every turn and a minor event printing a message:
    // each turn prints the prompt, the echo, the message and the blank line,
    // so the text zone scrolls at every turn once it is full.
    adventure.messageTexts[1] = u"Rien de particulier ici, sauf une lampe qui brille doucement.";
    adventure.majorEventCount = 1;
    adventure.majorEvents[0].conditions[0] = step(FlagSuperieurA, 7, 100);
    adventure.majorEvents[0].conditions[1] = step(EndOfList);
    adventure.majorEvents[0].actions[0] = step(EndOfList);
    adventure.minorEventCount = 1;
    adventure.minorEvents[0].words[0] = WordLook;
    adventure.minorEvents[0].words[1] = NoWord;
    adventure.minorEvents[0].words[2] = NoWord;
    adventure.minorEvents[0].conditions[0] = step(EndOfList);
    adventure.minorEvents[0].actions[0] = step(AfficheMessage, 1);
    adventure.minorEvents[0].actions[1] = step(EndOfList);

    constexpr int Turns = 200;
    std::string script;
    for (int turn = 0; turn < Turns; ++turn) script += "type regarde\nkey return\n";
    script += "key escape\n";
    std::vector<double> perTurn;
    for (int run = 0; run < 11; ++run) {
        queueScript(script);
        const auto start = std::chrono::steady_clock::now();
        runGameSession();
        perTurn.push_back(millisecondsSince(start) / (Turns + 1));
        takeOutput();
    }
    std::printf(
        "whole turn (7 characters typed, events, scrolling text zone): median %.3f ms over 11 plays of %d turns\n",
        median(perTurn), Turns + 1);
    EXPECT_EQ(perTurn.size(), 11u);
}

TEST(EngineBenchmark, DISABLED_PrintInZoneOfTwoThousandCharacters) {
    startProject("benchmark_print");
    clearScreen();
    std::u16string text;
    while (text.size() < 2000) text += u"Une phrase de la description, avec des mots de longueurs variées. ";
    text.resize(2000);
    std::vector<double> times;
    for (int run = 0; run < 101; ++run) {
        const auto start = std::chrono::steady_clock::now();
        textCursor = printInZone(text, adventure.textZone, textCursor);
        times.push_back(millisecondsSince(start));
    }
    takeOutput();
    std::printf("printInZone, 2000 characters into the text zone: median %.3f ms over 101 runs\n", median(times));
    EXPECT_EQ(textCursor, (adventure.textZone.height - 4) / gameLineHeight() * gameLineHeight());
}
