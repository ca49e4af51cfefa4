// Timings of the game engine, run on demand (they assert nothing about time):
//   orvalde_tests --gtest_also_run_disabled_tests --gtest_filter='EngineBenchmark*'
// A whole turn is measured inside test plays of many turns where the text zone
// is full and scrolls at every turn; printInZone on a 2000-character text.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine/session.h"
#include "tests/test_support.h"

TEST(EngineBenchmark, DISABLED_WholeTurnWithAScrollingTextZone) {
    startProject("benchmark_turn");
    // A major event tested every turn and a minor event printing a message:
    // each turn prints the prompt, the echo, the message and the blank line,
    // so the text zone scrolls at every turn once it is full.
    adventure.messageTexts[1] = u"Rien de particulier ici, sauf une lampe qui brille doucement.";
    addMajorEvent({step(FlagSuperieurA, 7, 100)}, {});
    addMinorEvent(WordLook, {}, {step(AfficheMessage, 1)});
    constexpr int Turns = 200;
    std::string script;
    for (int turn = 0; turn < Turns; ++turn) script += "type regarde\nkey return\n";
    std::vector<double> perTurn;
    for (int run = 0; run < 11; ++run) {
        queueScript(script + "key escape\n");
        const auto start = std::chrono::steady_clock::now();
        runGameSession();
        perTurn.push_back(millisecondsSince(start) / (Turns + 1));
        EXPECT_EQ(countOf(drawnTexts(takeOutput()), "Rien de particulier ici, sauf une lampe qui brille doucement."),
                  Turns);
    }
    std::printf(
        "whole turn (7 characters typed, events, scrolling text zone): median %.3f ms over 11 plays of %d turns\n",
        medianOf(perTurn), Turns + 1);
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
    std::printf("printInZone, 2000 characters into the text zone: median %.3f ms over 101 runs\n", medianOf(times));
    EXPECT_EQ(textCursor, (adventure.textZone.height - 4) / gameLineHeight() * gameLineHeight());
}
