// The two evaluation loops: order, every event considered, effects seen by
// later events, the stop at the first empty slot, the event counts, and the
// exact three-word key of minor events.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/events.h"
#include "tests/actions_scenario.h"

using namespace scenario;

namespace {

// flags[1] holds 1, so "Affiche 2 au flag 1" counts in flags[2] how many
// times the action ran.
EventStep countRun() {
    return step(AjouteAuFlag, 2, 1);
}

}  // namespace

TEST(EventLoops, AnEventWithoutConditionsFiresAtEveryPass) {
    startPlay("loops_unconditional");
    flags[1] = 1;
    adventure.majorEventCount = 1;
    setMajorEvent(0, {}, {countRun()});
    evaluateMajorEvents();
    evaluateMajorEvents();
    evaluateMajorEvents();
    EXPECT_EQ(flags[2], 3);
}

TEST(EventLoops, EventsRunInIndexOrderAndAllAreConsidered) {
    startPlay("loops_order");
    adventure.majorEventCount = 3;
    // 3, doubled, doubled again: 12 only in this order.
    setMajorEvent(0, {}, {step(DonneAuFlag, 1, 3)});
    setMajorEvent(1, {}, {step(AjouteAuFlag, 1, 1)});
    setMajorEvent(2, {}, {step(AjouteAuFlag, 1, 1)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[1], 12);
    // The event count bounds the loop.
    flags[1] = 0;
    adventure.majorEventCount = 2;
    evaluateMajorEvents();
    EXPECT_EQ(flags[1], 6);
}

TEST(EventLoops, AnEventWithoutActionsDoesNotStopTheOthers) {
    startPlay("loops_no_action");
    adventure.majorEventCount = 2;
    setMajorEvent(0, {step(FlagEgalAZero, 9)}, {});
    setMajorEvent(1, {step(FlagEgalAZero, 9)}, {step(MetFlag, 8)});
    const PlaySnapshot before = snapshotPlay();
    evaluateMajorEvents();
    EXPECT_EQ(flags[8], 255);
    flags[8] = 0;
    EXPECT_TRUE(snapshotPlay() == before);
}

TEST(EventLoops, SlotsAfterTheFirstEmptyOneAreNeverLookedAt) {
    startPlay("loops_empty_slot");
    adventure.majorEventCount = 1;
    MajorEvent& event = adventure.majorEvents[0];
    setMajorEvent(0, {step(FlagEgalAZero, 1)}, {step(MetFlag, 4)});
    // Behind the empty slot 1: a condition that never holds and an action.
    event.conditions[2] = step(20);
    event.conditions[3] = step(FlagPasEgalAZero, 1);
    event.actions[2] = step(MetFlag, 5);
    evaluateMajorEvents();
    EXPECT_EQ(flags[4], 255);
    EXPECT_EQ(flags[5], 0);
}

TEST(EventLoops, AllTwentyFiveSlotsAreUsedWhenFull) {
    startPlay("loops_full");
    flags[1] = 1;
    adventure.majorEventCount = 1;
    MajorEvent& event = adventure.majorEvents[0];
    for (int slot = 0; slot < StepsPerList; ++slot) {
        event.conditions[slot] = step(FlagEgalA, 1, 1);
        event.actions[slot] = countRun();
    }
    evaluateMajorEvents();
    EXPECT_EQ(flags[2], 25);
    // The last condition alone failing stops the whole event.
    event.conditions[24] = step(FlagEgalA, 1, 2);
    evaluateMajorEvents();
    EXPECT_EQ(flags[2], 25);
}

TEST(EventLoops, AConditionOfUnknownTypeMakesTheEventNeverFire) {
    startPlay("loops_unknown_condition");
    adventure.majorEventCount = 1;
    setMajorEvent(0, {step(FlagEgalAZero, 1), step(20, 1, 1)}, {step(MetFlag, 4)});
    evaluateMajorEvents();
    evaluateMajorEvents();
    EXPECT_EQ(flags[4], 0);
}

TEST(EventLoops, LaterEventsSeeWhatEarlierEventsChanged) {
    startPlay("loops_effects");
    adventure.majorEventCount = 2;
    setMajorEvent(0, {}, {step(DonneAuFlag, 5, 1)});
    setMajorEvent(1, {step(FlagPasEgalAZero, 5)}, {step(MetFlag, 6)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[6], 255);

    // The other way round the requiring event fires only at the next pass.
    resetPlayState();
    adventure.majorEventCount = 2;
    setMajorEvent(0, {step(FlagPasEgalAZero, 5)}, {step(MetFlag, 6)});
    setMajorEvent(1, {}, {step(DonneAuFlag, 5, 1)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[5], 1);
    EXPECT_EQ(flags[6], 0);
    evaluateMajorEvents();
    EXPECT_EQ(flags[6], 255);
}

TEST(EventLoops, AnObjectMovedByAnEarlierEventStopsALaterOne) {
    startPlay("loops_object_moved");
    currentRoom = 3;
    adventure.objectLocations[2] = 3;
    adventure.majorEventCount = 2;
    setMajorEvent(0, {}, {step(PrendsObjet, 2)});
    setMajorEvent(1, {step(ObjetIci, 2)}, {step(MetFlag, 9)});
    evaluateMajorEvents();
    EXPECT_EQ(adventure.objectLocations[2], InInventory);
    EXPECT_EQ(flags[9], 0);
}

TEST(EventLoops, TheActionsAfterEndingQuittingOrMovingStillRun) {
    startPlay("loops_no_early_stop");
    adventure.majorEventCount = 2;
    setMajorEvent(0, {}, {step(FinirLeJeu), step(QuitterJeu), step(AllerEn, 3), step(MetFlag, 7)});
    setMajorEvent(1, {}, {step(MetFlag, 8)});
    evaluateMajorEvents();
    EXPECT_TRUE(endOfGamePending);
    EXPECT_TRUE(quitPending);
    EXPECT_EQ(currentRoom, 3);
    EXPECT_EQ(flags[7], 255);
    EXPECT_EQ(flags[8], 255);
}

// A count read from a file may be anything: the loops never go past the table.
// Every event adds 1 to flags[2] (modulo 256), and the last one of the table
// also raises a flag of its own.
TEST(EventLoops, CountsOutsideTheTablesAreBounded) {
    startPlay("loops_counts");
    flags[1] = 1;
    for (int i = 0; i < MaxEvents; ++i) {
        setMajorEvent(i, {}, {countRun()});
        setMinorEvent(i, 14, NoWord, NoWord, {}, {countRun()});
    }
    setMajorEvent(MaxEvents - 1, {}, {countRun(), step(MetFlag, 3)});
    setMinorEvent(MaxEvents - 1, 14, NoWord, NoWord, {}, {countRun(), step(MetFlag, 4)});
    adventure.majorEventCount = 5000;
    evaluateMajorEvents();
    EXPECT_EQ(flags[2], MaxEvents % 256);
    EXPECT_EQ(flags[3], 255);
    adventure.minorEventCount = 5000;
    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[2], 2 * MaxEvents % 256);
    EXPECT_EQ(flags[4], 255);
    adventure.majorEventCount = -3;
    adventure.minorEventCount = -3;
    flags[3] = 0;
    flags[4] = 0;
    evaluateMajorEvents();
    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[2], 2 * MaxEvents % 256);
    EXPECT_EQ(flags[3] + flags[4], 0);
}

TEST(EventLoops, MinorEventsMatchAllThreeWordsExactly) {
    startPlay("loops_minor_key");
    adventure.minorEventCount = 3;
    setMinorEvent(0, 14, NoWord, NoWord, {}, {step(MetFlag, 10)});
    setMinorEvent(1, 14, 15, NoWord, {}, {step(MetFlag, 11)});
    setMinorEvent(2, 14, 15, 16, {}, {step(MetFlag, 12)});

    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[10], 255);
    EXPECT_EQ(flags[11], 0);
    EXPECT_EQ(flags[12], 0);

    resetPlayState();
    adventure.minorEventCount = 3;
    evaluateMinorEvents(14, 15, NoWord);
    EXPECT_EQ(flags[10], 0);
    EXPECT_EQ(flags[11], 255);
    EXPECT_EQ(flags[12], 0);

    resetPlayState();
    adventure.minorEventCount = 3;
    evaluateMinorEvents(14, 15, 16);
    EXPECT_EQ(flags[10], 0);
    EXPECT_EQ(flags[11], 0);
    EXPECT_EQ(flags[12], 255);

    // Other words, or the same words in another order, match nothing.
    resetPlayState();
    adventure.minorEventCount = 3;
    evaluateMinorEvents(15, 14, NoWord);
    evaluateMinorEvents(NoWord, 14, NoWord);
    evaluateMinorEvents(14, 15, 17);
    EXPECT_EQ(flags[10] + flags[11] + flags[12], 0);

    // A third word numbered 255 cannot be told from no third word.
    evaluateMinorEvents(14, 15, 255);
    EXPECT_EQ(flags[11], 255);
}

TEST(EventLoops, MinorEventsWithTheSameWordsAllFireInOrder) {
    startPlay("loops_minor_same_words");
    adventure.minorEventCount = 4;
    setMinorEvent(0, 14, NoWord, NoWord, {}, {step(DonneAuFlag, 1, 3)});
    setMinorEvent(1, 15, NoWord, NoWord, {}, {step(DonneAuFlag, 1, 100)});  // another command
    setMinorEvent(2, 14, NoWord, NoWord, {step(FlagEgalA, 1, 3)}, {step(AjouteAuFlag, 1, 1)});
    setMinorEvent(3, 14, NoWord, NoWord, {step(FlagEgalA, 1, 6)}, {step(AjouteAuFlag, 1, 1)});
    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[1], 12);
}

TEST(EventLoops, MinorEventsNeedTheirConditionsToo) {
    startPlay("loops_minor_conditions");
    adventure.minorEventCount = 2;
    adventure.objectLocations[1] = 4;
    setMinorEvent(0, 6, 20, NoWord, {step(ObjetIci, 1)}, {step(PrendsObjet, 1)});
    setMinorEvent(1, 6, 20, NoWord, {step(ObjetEnInventaire, 1)}, {step(MetFlag, 3)});
    currentRoom = 2;
    evaluateMinorEvents(6, 20, NoWord);
    EXPECT_EQ(adventure.objectLocations[1], 4);
    EXPECT_EQ(flags[3], 0);
    currentRoom = 4;
    evaluateMinorEvents(6, 20, NoWord);
    EXPECT_EQ(adventure.objectLocations[1], InInventory);
    EXPECT_EQ(flags[3], 255);
}

// Word numbers that no vocabulary row has (only a file can put them in an
// event) match no command, not even the same number passed as a word.
TEST(EventLoops, WordNumbersOutsideTheVocabularyMatchNothing) {
    startPlay("loops_minor_range");
    adventure.minorEventCount = 3;
    setMinorEvent(0, 300, NoWord, NoWord, {}, {step(MetFlag, 1)});
    setMinorEvent(1, 14, -1, NoWord, {}, {step(MetFlag, 2)});
    setMinorEvent(2, 14, NoWord, 256, {}, {step(MetFlag, 3)});
    evaluateMinorEvents(300, NoWord, NoWord);
    evaluateMinorEvents(14, -1, NoWord);
    evaluateMinorEvents(14, NoWord, 256);
    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[1], 0);
    EXPECT_EQ(flags[2], 0);
    EXPECT_EQ(flags[3], 0);
}

TEST(EventLoops, MajorEventsIgnoreTheMinorOnesAndTheOtherWayRound) {
    startPlay("loops_kinds");
    adventure.majorEventCount = 1;
    adventure.minorEventCount = 1;
    setMajorEvent(0, {}, {step(MetFlag, 1)});
    setMinorEvent(0, 14, NoWord, NoWord, {}, {step(MetFlag, 2)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[1], 255);
    EXPECT_EQ(flags[2], 0);
    flags[1] = 0;
    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[1], 0);
    EXPECT_EQ(flags[2], 255);
}
