// The fourteen conditions (signed comparisons, the exclusive carried states,
// unknown types, numbers that cannot index a table), the two evaluation loops
// (order, every event considered, effects seen by later events, the stop at
// the first empty slot, the counts, the three-word key of minor events) and
// whole turns of a test play with events.
#include "engine/events.h"

#include <gtest/gtest.h>

#include <limits>

#include "engine/session.h"
#include "tests/test_support.h"

namespace {

constexpr int64_t Huge = std::numeric_limits<int64_t>::max();
constexpr int64_t Tiny = std::numeric_limits<int64_t>::min();

struct Check {
    int64_t type, arg1, arg2;
    bool holds;
};

void expectConditions(const char* state, std::initializer_list<Check> checks) {
    for (const Check& c : checks) {
        EXPECT_EQ(testCondition(c.type, c.arg1, c.arg2, 255), c.holds)
            << state << ": type " << c.type << " (" << c.arg1 << ", " << c.arg2 << ")";
    }
}

// flags[1] holds 1, so "Affiche 2 au flag 1" counts in flags[2] how many
// times the action ran.
EventStep countRun() {
    return step(AjouteAuFlag, 2, 1);
}

// Word 14 is "ALLUME" in the default vocabulary.
constexpr int64_t WordLight = 14;

std::vector<DrawnText> playSession(const std::string& script) {
    queueScript(script);
    runGameSession();
    return drawnTexts(takeOutput());
}

}  // namespace

TEST(EventsConditions, RoomAndFlagTestsCompareSignedNumbersStrictly) {
    startPlay("conditions_numbers");
    // clang-format off
    currentRoom = 7;
    expectConditions("room 7", {{EnSalle, 7, 0, true}, {EnSalle, 6, 0, false},
                                {EnSalle, 7 + 256, 0, false},  // no wrap of room numbers
                                {EnSalleInferieureA, 7, 0, false}, {EnSalleInferieureA, 8, 0, true},
                                {EnSalleSuperieureA, 7, 0, false}, {EnSalleSuperieureA, 6, 0, true}});
    currentRoom = 0;
    expectConditions("room 0", {{EnSalleSuperieureA, -1, 0, true}, {EnSalleInferieureA, 0, 0, false},
                                {EnSalleInferieureA, 1000, 0, true}, {EnSalleSuperieureA, Huge, 0, false},
                                {EnSalleSuperieureA, Tiny, 0, true}});
    flags[3] = 0;
    expectConditions("flag 0", {{FlagEgalAZero, 3, 0, true}, {FlagPasEgalAZero, 3, 0, false},
                                {FlagInferieurA, 3, -1, false}, {FlagSuperieurA, 3, -1, true}, {FlagEgalA, 3, 0, true}});
    flags[3] = -5;
    expectConditions("flag -5", {{FlagEgalAZero, 3, 0, false}, {FlagPasEgalAZero, 3, 0, true},
                                 {FlagInferieurA, 3, -1, true}, {FlagInferieurA, 3, -5, false}, {FlagEgalA, 3, -5, true},
                                 {FlagEgalA, 3, 251, false},  // no reduction modulo 256
                                 {FlagSuperieurA, 3, -6, true}, {FlagSuperieurA, 3, 0, false}});
    flags[3] = 255;  // what "Met flag *" stores
    expectConditions("flag 255", {{FlagEgalA, 3, 255, true}, {FlagEgalA, 3, -1, false},
                                  {FlagSuperieurA, 3, 254, true}, {FlagInferieurA, 3, 255, false}});
    flags[3] = Tiny;
    expectConditions("flag min", {{FlagInferieurA, 3, Tiny + 1, true}, {FlagSuperieurA, 3, Tiny, false},
                                  {FlagEgalAZero, 4, 0, true}});  // another flag is not looked at
    // clang-format on
}

// In hand and in inventory exclude each other; "here" means lying in the
// current room; an object never created is neither here nor carried.
TEST(EventsConditions, ObjectTestsFollowWhereTheObjectIs) {
    const int64_t types[6] = {ObjetEnInventaire,    ObjetEnMain,    ObjetIci,
                              ObjetPasEnInventaire, ObjetPasEnMain, ObjetPasIci};
    startPlay("conditions_objects");
    for (int64_t room : {2, 3}) {
        currentRoom = room;
        const struct {
            int64_t location;
            bool holds[6];
        } places[] = {{InHand, {false, true, false, true, false, true}},
                      {InInventory, {true, false, false, false, true, true}},
                      {room, {false, false, true, true, true, false}},
                      {room + 1, {false, false, false, true, true, true}},
                      {NotCreated, {false, false, false, true, true, true}}};
        for (const auto& place : places) {
            adventure.objectLocations[4] = place.location;
            for (int t = 0; t < 6; ++t) {
                EXPECT_EQ(testCondition(types[t], 4, 255, 255), place.holds[t])
                    << "type " << types[t] << ", object at " << place.location << ", room " << room;
            }
        }
    }
}

// Unknown types never hold; a flag or object number read from a file that
// lies outside 0..255 makes the condition fail, even a negated one, instead
// of reading beside the table; testing changes nothing.
TEST(EventsConditions, UnknownTypesAndNumbersOutsideTheTablesNeverHold) {
    startPlay("conditions_range");
    currentRoom = 3;
    flags[1] = 9;
    adventure.objectLocations[1] = 3;
    adventure.objectLocations[2] = InHand;
    adventure.objectLocations[0] = 0;
    const PlaySnapshot before = snapshotPlay();
    for (int64_t type : {int64_t{14}, int64_t{20}, int64_t{25}, int64_t{-2}, int64_t{1000}, Huge, Tiny}) {
        expectConditions("unknown type", {{type, 0, 0, false}, {type, 255, 255, false}});
    }
    for (int64_t bad : {int64_t{256}, int64_t{-1}, int64_t{1000}, Huge, Tiny}) {
        // clang-format off
        expectConditions("number outside", {{FlagEgalAZero, bad, 0, false}, {FlagPasEgalAZero, bad, 0, false},
                                            {FlagInferieurA, bad, Huge, false}, {FlagEgalA, bad, 0, false},
                                            {FlagSuperieurA, bad, Tiny, false}, {ObjetEnInventaire, bad, 0, false},
                                            {ObjetEnMain, bad, 0, false}, {ObjetIci, bad, 0, false},
                                            {ObjetPasEnInventaire, bad, 0, false}, {ObjetPasEnMain, bad, 0, false},
                                            {ObjetPasIci, bad, 0, false}});
        // clang-format on
    }
    for (int64_t type = -1; type <= 14; ++type) {
        for (int64_t arg : {1, 2, 300}) testCondition(type, arg, 9, 255);
    }
    EXPECT_TRUE(snapshotPlay() == before);
    // The boundaries themselves are valid numbers.
    adventure.objectLocations[255] = InHand;
    flags[255] = 0;
    expectConditions("boundaries", {{ObjetEnMain, 255, 0, true}, {FlagEgalAZero, 255, 0, true}});
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(EventLoops, EventsRunInIndexOrderEveryPassAndAllAreConsidered) {
    startPlay("loops_order");
    flags[1] = 1;
    adventure.majorEventCount = 1;
    setMajorEvent(0, {}, {countRun()});  // without conditions: fires at every pass
    for (int pass = 0; pass < 3; ++pass) evaluateMajorEvents();
    EXPECT_EQ(flags[2], 3);
    // 3, doubled, doubled again: 12 only in this order.
    adventure.majorEventCount = 3;
    setMajorEvent(0, {}, {step(DonneAuFlag, 1, 3)});
    setMajorEvent(1, {}, {step(AjouteAuFlag, 1, 1)});
    setMajorEvent(2, {}, {step(AjouteAuFlag, 1, 1)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[1], 12);
    adventure.majorEventCount = 2;  // the count bounds the loop
    evaluateMajorEvents();
    EXPECT_EQ(flags[1], 6);
    // An event without actions does not stop the others.
    setMajorEvent(0, {step(FlagEgalAZero, 9)}, {});
    setMajorEvent(1, {step(FlagEgalAZero, 9)}, {step(MetFlag, 8)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[8], 255);
}

TEST(EventLoops, SlotsStopAtTheFirstEmptyOneAndAllTwentyFiveAreUsedWhenFull) {
    startPlay("loops_slots");
    flags[1] = 1;
    adventure.majorEventCount = 1;
    MajorEvent& event = adventure.majorEvents[0];
    setMajorEvent(0, {step(FlagEgalA, 1, 1)}, {step(MetFlag, 4)});
    // Behind the empty slot 1: a condition that never holds and an action.
    event.conditions[2] = step(20);
    event.conditions[3] = step(FlagPasEgalAZero, 1);
    event.actions[2] = step(MetFlag, 5);
    evaluateMajorEvents();
    EXPECT_EQ(flags[4], 255);
    EXPECT_EQ(flags[5], 0);
    for (int slot = 0; slot < StepsPerList; ++slot) {
        event.conditions[slot] = step(FlagEgalA, 1, 1);
        event.actions[slot] = countRun();
    }
    evaluateMajorEvents();
    EXPECT_EQ(flags[2], 25);
    event.conditions[24] = step(FlagEgalA, 1, 2);  // the last condition alone failing stops the event
    evaluateMajorEvents();
    EXPECT_EQ(flags[2], 25);
    // A condition of unknown type makes the event never fire.
    setMajorEvent(0, {step(FlagEgalAZero, 7), step(20, 1, 1)}, {step(MetFlag, 6)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[6], 0);
}

TEST(EventLoops, LaterEventsSeeWhatEarlierEventsChangedAndNoActionStopsTheList) {
    startPlay("loops_effects");
    adventure.majorEventCount = 2;
    setMajorEvent(0, {}, {step(DonneAuFlag, 5, 1)});
    setMajorEvent(1, {step(FlagPasEgalAZero, 5)}, {step(MetFlag, 6)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[6], 255);
    // The other way round the requiring event fires only at the next pass.
    resetGameState();
    adventure.majorEventCount = 2;
    setMajorEvent(0, {step(FlagPasEgalAZero, 5)}, {step(MetFlag, 6)});
    setMajorEvent(1, {}, {step(DonneAuFlag, 5, 1)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[5], 1);
    EXPECT_EQ(flags[6], 0);
    evaluateMajorEvents();
    EXPECT_EQ(flags[6], 255);
    // An object taken by an earlier event is no longer here for a later one.
    resetGameState();
    currentRoom = 3;
    adventure.objectLocations[2] = 3;
    adventure.majorEventCount = 2;
    setMajorEvent(0, {}, {step(PrendsObjet, 2)});
    setMajorEvent(1, {step(ObjetIci, 2)}, {step(MetFlag, 9)});
    evaluateMajorEvents();
    EXPECT_EQ(adventure.objectLocations[2], InInventory);
    EXPECT_EQ(flags[9], 0);
    // Ending, quitting or moving does not cut the list or the loop short.
    setMajorEvent(0, {}, {step(FinirLeJeu), step(QuitterJeu), step(AllerEn, 4), step(MetFlag, 7)});
    setMajorEvent(1, {}, {step(MetFlag, 8)});
    evaluateMajorEvents();
    EXPECT_TRUE(endOfGamePending);
    EXPECT_TRUE(quitPending);
    EXPECT_EQ(currentRoom, 4);
    EXPECT_EQ(flags[7], 255);
    EXPECT_EQ(flags[8], 255);
    takeOutput();
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

// Minor events match all three words exactly, in order; word numbers that no
// vocabulary row has match nothing, not even the same number.
TEST(EventLoops, MinorEventsMatchAllThreeWordsExactly) {
    startPlay("loops_minor_key");
    const struct {
        int64_t w1, w2, w3;
        int64_t raised;  // 0: none
    } commands[] = {     // clang-format off
        {14, NoWord, NoWord, 10}, {14, 15, NoWord, 11}, {14, 15, 16, 12}, {15, 14, NoWord, 0}, {NoWord, 14, NoWord, 0},
        {14, 15, 17, 0}, {14, 15, 255, 11},  // 255 is no third word
        {300, NoWord, NoWord, 0}, {14, -1, NoWord, 0}, {14, NoWord, 256, 0}};
    // clang-format on
    for (const auto& c : commands) {
        resetGameState();
        adventure.minorEventCount = 6;
        setMinorEvent(0, 14, NoWord, NoWord, {}, {step(MetFlag, 10)});
        setMinorEvent(1, 14, 15, NoWord, {}, {step(MetFlag, 11)});
        setMinorEvent(2, 14, 15, 16, {}, {step(MetFlag, 12)});
        setMinorEvent(3, 300, NoWord, NoWord, {}, {step(MetFlag, 13)});
        setMinorEvent(4, 14, -1, NoWord, {}, {step(MetFlag, 14)});
        setMinorEvent(5, 14, NoWord, 256, {}, {step(MetFlag, 15)});
        evaluateMinorEvents(c.w1, c.w2, c.w3);
        for (int flag = 10; flag <= 15; ++flag) {
            EXPECT_EQ(flags[flag], flag == c.raised ? 255 : 0)
                << "command " << c.w1 << " " << c.w2 << " " << c.w3 << ", flag " << flag;
        }
    }
}

TEST(EventLoops, MinorEventsWithTheSameWordsAllFireInOrderWhenTheirConditionsHold) {
    startPlay("loops_minor_same_words");
    adventure.minorEventCount = 4;
    setMinorEvent(0, 14, NoWord, NoWord, {}, {step(DonneAuFlag, 1, 3)});
    setMinorEvent(1, 15, NoWord, NoWord, {}, {step(DonneAuFlag, 1, 100)});  // another command
    setMinorEvent(2, 14, NoWord, NoWord, {step(FlagEgalA, 1, 3)}, {step(AjouteAuFlag, 1, 1)});
    setMinorEvent(3, 14, NoWord, NoWord, {step(FlagEgalA, 1, 6)}, {step(AjouteAuFlag, 1, 1)});
    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[1], 12);

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
    // The major loop ignores the minor events and the other way round.
    resetGameState();
    adventure.majorEventCount = 1;
    adventure.minorEventCount = 1;
    setMajorEvent(0, {}, {step(MetFlag, 1)});
    setMinorEvent(0, 14, NoWord, NoWord, {}, {step(MetFlag, 2)});
    evaluateMajorEvents();
    EXPECT_EQ(flags[1] * 1000 + flags[2], 255000);
    flags[1] = 0;
    evaluateMinorEvents(14, NoWord, NoWord);
    EXPECT_EQ(flags[1] * 1000 + flags[2], 255);
}

TEST(EventsSession, AMinorEventPrintsAfterTheEchoedCommand) {
    startPlay("session_minor");
    adventure.messageTexts[3] = u"La lampe s'allume.";
    addMinorEvent(WordLight, {step(FlagEgalAZero, 1)}, {step(AfficheMessage, 3), step(MetFlag, 1)});
    // Same words, later index: sees the flag the first one raised.
    addMinorEvent(WordLight, {step(FlagPasEgalAZero, 1)}, {step(AfficheOk)});
    const auto texts = playSession("type ALLUME\nkey return\ntype ALLUME\nkey return\nkey escape\n");
    EXPECT_TRUE(
        inOrder(texts, {"A vous :", "ALLUME", "La lampe s'allume.", "D'accord.", "A vous :", "ALLUME", "D'accord."}));
    EXPECT_EQ(countOf(texts, "La lampe s'allume."), 1);
    // A known word without a built-in meaning says nothing by itself; only
    // the empty line of the Escape pass is not understood.
    EXPECT_EQ(countOf(texts, "Je ne comprends pas ces mots."), 1);
    EXPECT_EQ(countOf(texts, "D'accord."), 2);
}

TEST(EventsSession, AMoveByAMajorEventIsShownAtTheNextTurnStart) {
    startPlay("session_major_move");
    addMajorEvent({step(FlagEgalAZero, 1)}, {step(AllerEn, 2), step(MetFlag, 1), step(AfficheMessage, 0)});
    const auto texts = playSession("key return\nkey escape\n");
    EXPECT_TRUE(inOrder(texts, {"Vous vous trouvez à l'entrée du château.", "A vous :", "Message 0.",
                                "Dans la cours du château.", "A vous :"}));
    EXPECT_EQ(countOf(texts, "Message 0."), 1);
}

// Quitting from a major event asks once, at once: the answer "n" goes on
// with the game, which Escape leaves.
TEST(EventsSession, QuittingFromAMajorEventWaitsForTheAnswerAtOnce) {
    startPlay("session_quit_action");
    addMajorEvent({step(FlagEgalAZero, 2)}, {step(QuitterJeu), step(MetFlag, 2)});
    const auto texts = playSession("type n\ntype ALLUME\nkey escape\n");
    EXPECT_TRUE(inOrder(texts, {"A vous :", "Voulez-vous vraiment arrêter le jeu ?", "O/N", "A vous :", "ALLUME"}));
    EXPECT_EQ(countOf(texts, "Voulez-vous vraiment arrêter le jeu ?"), 1);
    EXPECT_EQ(countOf(texts, "Je ne comprends pas ces mots."), 0);  // the empty command
}

TEST(EventsSession, WaitingForAKeyInsideATurnLetsTheGameGoOn) {
    startPlay("session_wait");
    addMajorEvent({step(FlagEgalAZero, 1)}, {step(AfficheOk), step(AttendreTouche), step(MetFlag, 1)});
    // The click ends the wait; the letters that follow form the command.
    const auto texts = playSession("click 100 100\ntype ALLUME\nkey return\nkey escape\n");
    EXPECT_TRUE(inOrder(texts, {"A vous :", "D'accord.", "ALLUME", "A vous :"}));
}
