// The adventure's own logic in play: the conditions, the actions, the order
// in which events see each other's changes, and the session around the turns
// (questions, replay, Escape, pauses, what is restored afterwards).
#include <filesystem>

#include "engine/actions.h"
#include "model/adventure_file.h"
#include "tests/support.h"

TEST(PlayEvents, EachConditionHoldsExactlyWhenTheStateSaysSo) {
    startProject("conditions");
    currentRoom = 7;
    flags[5] = 0;
    flags[6] = 3;
    adventure.objectLocations[1] = InInventory;
    adventure.objectLocations[2] = InHand;
    adventure.objectLocations[3] = 7;
    adventure.objectLocations[4] = NotCreated;
    const struct {
        int64_t type, arg1, arg2;
        bool holds;
    } cases[] = {
        // clang-format off
        {EnSalle, 7, 255, true}, {EnSalle, 6, 255, false}, {EnSalleInferieureA, 7, 255, false},
        {EnSalleInferieureA, 8, 255, true}, {EnSalleSuperieureA, 7, 255, false}, {EnSalleSuperieureA, 6, 255, true},
        {FlagEgalAZero, 5, 255, true}, {FlagEgalAZero, 6, 255, false}, {FlagPasEgalAZero, 6, 255, true},
        {FlagInferieurA, 6, 4, true}, {FlagInferieurA, 5, -1, false}, {FlagEgalA, 6, 3, true},
        {FlagSuperieurA, 6, 3, false}, {FlagSuperieurA, 5, -1, true},
        {ObjetEnInventaire, 1, 255, true}, {ObjetEnInventaire, 2, 255, false}, {ObjetEnMain, 2, 255, true},
        {ObjetIci, 3, 255, true}, {ObjetIci, 1, 255, false}, {ObjetPasEnInventaire, 2, 255, true},
        {ObjetPasEnMain, 1, 255, true}, {ObjetPasIci, 4, 255, true}, {ObjetPasIci, 3, 255, false},
        // Out of the tables: an unknown condition, a flag or an object beyond them.
        {20, 0, 0, false}, {FlagEgalAZero, 300, 255, false}, {ObjetPasIci, -1, 255, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(testCondition(c.type, c.arg1, c.arg2, 255), c.holds) << c.type << " " << c.arg1 << " " << c.arg2;
    }
}

// Object moves: exact transitions from the locations before (lamp, key,
// rock) to the locations after, with the player in room 0.
TEST(PlayEvents, ObjectActionsMoveOnlyWhatTheirTransitionAllows) {
    startProject("object_actions");
    clearZones();
    constexpr int64_t Inv = InInventory, Hand = InHand, None = NotCreated;
    const struct {
        int64_t type, arg1, arg2;
        int64_t before[3], after[3];
    } cases[] = {
        {PrendsObjet, Lamp, 255, {0, 1, 0}, {Inv, 1, 0}},       {PrendsObjet, Key, 255, {0, 1, 0}, {0, 1, 0}},
        {PrendsObjet, Lamp, 255, {Hand, 1, 0}, {Hand, 1, 0}},   {MetObjetEnMain, Lamp, 255, {0, 1, 0}, {0, 1, 0}},
        {MetObjetEnMain, Lamp, 255, {Inv, 1, 0}, {Hand, 1, 0}}, {ObjetNonEnMain, Lamp, 255, {Hand, 1, 0}, {Inv, 1, 0}},
        {JetteObjet, Key, 255, {0, Hand, 0}, {0, 0, 0}},        {JetteObjet, Key, 255, {0, 1, 0}, {0, 1, 0}},
        {JetteTout, 255, 255, {Inv, Hand, 1}, {0, 0, 1}},       {DetruitObjet, Key, 255, {0, Inv, 0}, {0, None, 0}},
        {CreeObjet, Key, 255, {0, None, 0}, {0, 0, 0}},         {CreeObjetEn, Key, Inv, {0, 5, 0}, {0, Inv, 0}},
        {EchangeObjets, Lamp, Key, {Hand, 3, 0}, {3, Hand, 0}}, {EchangeObjets, Key, Key, {0, 3, 0}, {0, 3, 0}},
        {PrendsObjet, 256, 255, {0, 1, 0}, {0, 1, 0}},          {40, Lamp, 255, {0, 1, 0}, {0, 1, 0}},
        {CreeObjetEn, Key, 300, {0, 5, 0}, {0, 5, 0}},
    };
    for (const auto& c : cases) {
        for (int o = 0; o < 3; ++o) adventure.objectLocations[o] = c.before[o];
        executeAction(c.type, c.arg1, c.arg2, 255);
        for (int o = 0; o < 3; ++o) EXPECT_EQ(adventure.objectLocations[o], c.after[o]) << c.type << " object " << o;
    }
}

TEST(PlayEvents, FlagActionsKeepTheSignOfTheirSum) {
    startProject("flag_actions");
    const struct {
        int64_t type, arg1, arg2, flag1, flag2, flag1After;
    } cases[] = {
        // clang-format off
        {AjouteAuFlag, 1, 2, 200, 100, 44}, {AjouteAuFlag, 1, 2, -5, 2, -3},
        {AjouteAuFlag, 1, 1, 100, 0, 200}, {AjouteAuFlag, 1, 2, INT64_MAX, INT64_MAX, 254},
        {DonneAuFlag, 1, -7, 0, 0, -7}, {MetFlag, 1, 255, 0, 0, 255}, {EffaceFlag, 1, 255, 9, 0, 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        flags[1] = c.flag1;
        flags[2] = c.flag2;
        executeAction(c.type, c.arg1, c.arg2, 255);
        EXPECT_EQ(flags[1], c.flag1After) << c.type << " " << c.flag1 << " " << c.flag2;
    }
}

// Event 0 sets a flag that event 1 requires: both fire in the same turn. The
// other way round the second event fires only on the next turn.
TEST(PlayEvents, LaterEventsSeeWhatEarlierOnesChanged) {
    for (bool setterFirst : {true, false}) {
        startProject("event_order");
        adventure.messageTexts[1] = u"Le flag est mis.";
        const EventStep set = step(DonneAuFlag, 5, 1);
        const EventStep say = step(AfficheMessage, 1);
        if (setterFirst) addMajorEvent({}, {set});
        addMajorEvent({step(FlagPasEgalAZero, 5), step(EndOfList), step(FlagEgalAZero, 5)},
                      {say, step(EndOfList), say});
        if (!setterFirst) addMajorEvent({}, {set});
        const std::vector<std::string> seen = dialogue(playSession("type regarde\nkey return\n"));
        const std::vector<std::string> firstTurn(seen.begin(), std::find(seen.begin(), seen.end(), "REGARDE"));
        EXPECT_EQ(std::count(firstTurn.begin(), firstTurn.end(), "Le flag est mis."), setterFirst ? 1 : 0);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), "Le flag est mis."), setterFirst ? 2 : 1);
    }
}

TEST(PlayEvents, TheEndOfTheGameAsksAtOnceAndReplaysFromTheAuthorsPlacement) {
    startProject("end_of_game");
    addMajorEvent({step(ObjetEnInventaire, Lamp)}, {step(FinirLeJeu), step(AfficheMessage, 0)});
    const std::vector<std::string> seen =
        texts(playSession("type prends lampe\nkey return\ntype o\ntype prends lampe\nkey return\ntype n\n"));
    EXPECT_TRUE(inOrder(seen, {"Vous voyez : Une lampe, un", "PRENDS LAMPE", "Vous voyez : Un rocher",
                               "Vous avez fait 1 action", "Fin de la partie - Voulez-vous rejouer ?", "O/N",
                               "Message 0.", "Vous voyez : Une lampe, un", "PRENDS LAMPE", "Vous avez fait 1 action"}));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "Je ne comprends pas ces mots."), 0);
    EXPECT_EQ(adventure.objectLocations[Lamp], 0);
}

// Escape while typing: the line typed so far is still played, then the play
// ends and the adventure is as the author left it.
TEST(PlayEvents, EscapePlaysTheLineThenEndsWithTheAuthorsPlacementBack) {
    startProject("escape");
    adventure.messageTexts[1] = u"Vers le nord.";
    addMinorEvent(0, NoWord, NoWord, {}, {step(AfficheMessage, 1), step(PrendsObjet, Rock)});
    EXPECT_TRUE(inOrder(dialogue(playSession("type nord\nkey escape\n")), {"NORD", "Vers le nord."}));
    EXPECT_EQ(adventure.objectLocations[Rock], 0);
    EXPECT_EQ(currentRoom, 0);
}

TEST(PlayEvents, ANewPlayStartsWithoutThePreviousPlaysLastCommandOrAnswer) {
    startProject("last_command");
    playSession("type sud\nkey return\n");
    addMajorEvent({}, {step(DecritSalleActuelle)});
    const std::vector<std::string> seen = texts(playSession(""));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "SUD"), 0);
    // The last answer of the first play (to its closing Escape) is not shown
    // again: only the Escape that ends this play is answered.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "Je ne comprends pas ces mots."), 1);
    EXPECT_TRUE(inOrder(seen, {"Le hall. <N>", "A vous :"}));
}

// Locations outside 0..255 come only from files: the play treats such objects
// as not created and the adventure afterwards saves back byte for byte.
TEST(PlayEvents, AnOutOfRangePlacementSurvivesATestPlayUnchanged) {
    startProject("out_of_range");
    adventure.objectLocations[5] = 999;
    adventure.objectLocations[6] = -4;
    ASSERT_TRUE(saveAdventure(u"avant.orv", u""));
    const std::string output = playSession("type prends lampe\nkey return\ntype sauve\nkey return\ntype 4\n");
    EXPECT_TRUE(boxes(output).empty());
    ASSERT_TRUE(saveAdventure(u"apres.orv", u""));
    EXPECT_EQ(readFile("apres.orv"), readFile("avant.orv"));
    EXPECT_EQ(adventure.objectLocations[5], 999);
}

TEST(PlayEvents, PausesSleepWholeSecondsAndWaitsEndOnAKey) {
    startProject("pauses");
    addMajorEvent({step(FlagEgalAZero, 1)},
                  {step(Pause, 3), step(Pause, 0), step(AttendreTouche), step(AttendreTouche), step(MetFlag, 1)});
    takeRecordedSleeps();
    const std::vector<std::string> seen = dialogue(playSession("wheel 1\nkey up\ntype x\ntype regarde\nkey return\n"));
    // Only the pause sleeps: each poll of the waits waits for an event itself.
    EXPECT_EQ(takeRecordedSleeps(), std::vector<int64_t>{3000});
    // The wheel does not end a wait; the Up key ends the first, a typed letter
    // the second, and "REGARDE" is typed next.
    EXPECT_TRUE(inOrder(seen, {"A vous :", "REGARDE"}));
}

// A sample that would decode to more than ten minutes is refused before it
// takes the memory: it plays as a missing one, not at all.
TEST(PlayEvents, SamplesRestartOnTheirOwnVoice) {
    startProject("samples");
    std::filesystem::copy_file(std::string(ORVALDE_TEST_DATA) + "/beep.ogg", "5.ogg");
    writeLongSample("7.ogg", 700);
    addMajorEvent({}, {step(JouerSample, 5), step(JouerSample, 5), step(JouerSample, 6), step(JouerSample, 7)});
    samplePlayHandles[5] = samplePlayHandles[6] = samplePlayHandles[7] = 0;
    playSession("");
    EXPECT_NE(samplePlayHandles[5], 0);  // kept after the play
    EXPECT_EQ(samplePlayHandles[6], 0);  // no file: nothing played
    EXPECT_EQ(samplePlayHandles[7], 0);
}
