// Actions that change the game state only: object moves with their exact
// transitions, flags and their arithmetic, moving the player; and numbers that
// cannot index a table.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "engine/actions.h"
#include "tests/actions_scenario.h"

using namespace scenario;

namespace {

void act(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    executeAction(type, arg1, arg2, 255);
}
int64_t& location(int object) {
    return adventure.objectLocations[object];
}

constexpr int64_t Huge = std::numeric_limits<int64_t>::max();
constexpr int64_t Tiny = std::numeric_limits<int64_t>::min();

}  // namespace

TEST(ActionsState, TakeMovesOnlyAnObjectLyingHereIntoTheInventory) {
    startPlay("actions_take");
    currentRoom = 2;
    location(0) = 3;
    location(1) = InHand;
    location(2) = NotCreated;
    location(3) = 2;
    act(PrendsObjet, 0);
    act(PrendsObjet, 1);
    act(PrendsObjet, 2);
    EXPECT_EQ(location(0), 3);
    EXPECT_EQ(location(1), InHand);
    EXPECT_EQ(location(2), NotCreated);
    // The limits of the built-in verbs are not checked by the action.
    adventure.maxObjectsInInventory = 0;
    adventure.maxObjectsInHand = 0;
    act(PrendsObjet, 3);
    EXPECT_EQ(location(3), InInventory);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsState, HoldAndPutAwayMoveOnlyBetweenInventoryAndHand) {
    startPlay("actions_hold");
    currentRoom = 2;
    location(0) = 2;
    location(1) = InInventory;
    act(MetObjetEnMain, 0);  // lying in the room: must be taken first
    EXPECT_EQ(location(0), 2);
    adventure.maxObjectsInHand = 0;
    act(MetObjetEnMain, 1);
    EXPECT_EQ(location(1), InHand);
    act(MetObjetEnMain, 1);
    EXPECT_EQ(location(1), InHand);
    act(ObjetNonEnMain, 1);
    EXPECT_EQ(location(1), InInventory);
    act(ObjetNonEnMain, 1);
    EXPECT_EQ(location(1), InInventory);
    act(ObjetNonEnMain, 0);
    EXPECT_EQ(location(0), 2);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsState, DropMovesOnlyCarriedObjectsHere) {
    startPlay("actions_drop");
    currentRoom = 5;
    location(0) = InInventory;
    location(1) = InHand;
    location(2) = 3;
    location(3) = NotCreated;
    act(JetteObjet, 0);
    act(JetteObjet, 1);
    act(JetteObjet, 2);
    act(JetteObjet, 3);
    EXPECT_EQ(location(0), 5);
    EXPECT_EQ(location(1), 5);
    EXPECT_EQ(location(2), 3);
    EXPECT_EQ(location(3), NotCreated);
}

TEST(ActionsState, DropEverythingTakesHandAndInventory) {
    startPlay("actions_drop_all");
    currentRoom = 4;
    const PlaySnapshot before = snapshotPlay();
    act(JetteTout);  // nothing carried
    EXPECT_TRUE(snapshotPlay() == before);

    location(0) = InInventory;
    location(7) = InHand;
    location(255) = InInventory;
    location(1) = 2;
    location(2) = NotCreated;
    act(JetteTout);
    EXPECT_EQ(location(0), 4);
    EXPECT_EQ(location(7), 4);
    EXPECT_EQ(location(255), 4);
    EXPECT_EQ(location(1), 2);
    EXPECT_EQ(location(2), NotCreated);
}

TEST(ActionsState, DestroyAndExchangeApplyWhereverTheObjectIs) {
    startPlay("actions_destroy_exchange");
    currentRoom = 1;
    location(0) = InHand;
    location(1) = 3;
    act(EchangeObjets, 0, 1);
    EXPECT_EQ(location(0), 3);
    EXPECT_EQ(location(1), InHand);
    act(EchangeObjets, 1, 1);  // the same object twice: nothing changes
    EXPECT_EQ(location(1), InHand);
    location(2) = InInventory;
    act(EchangeObjets, 2, 0);
    EXPECT_EQ(location(2), 3);
    EXPECT_EQ(location(0), InInventory);

    act(DetruitObjet, 0);  // carried
    act(DetruitObjet, 2);  // in another room
    EXPECT_EQ(location(0), NotCreated);
    EXPECT_EQ(location(2), NotCreated);
    act(DetruitObjet, 2);
    EXPECT_EQ(location(2), NotCreated);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsState, CreatePutsTheObjectHereOrWhereAsked) {
    startPlay("actions_create");
    currentRoom = 6;
    location(0) = InHand;
    act(CreeObjet, 0);  // even a carried object
    EXPECT_EQ(location(0), 6);
    act(CreeObjetEn, 1, 254);
    EXPECT_EQ(location(1), InInventory);
    act(CreeObjetEn, 2, 3);
    EXPECT_EQ(location(2), 3);
    act(CreeObjetEn, 2, NotCreated);
    EXPECT_EQ(location(2), NotCreated);
    act(CreeObjetEn, 3, InHand);
    EXPECT_EQ(location(3), InHand);
}

TEST(ActionsState, FlagsAreSetClearedAndRaised) {
    startPlay("actions_flags");
    act(DonneAuFlag, 3, -42);
    EXPECT_EQ(flags[3], -42);
    act(DonneAuFlag, 3, Huge);
    EXPECT_EQ(flags[3], Huge);
    act(MetFlag, 4);
    EXPECT_EQ(flags[4], 255);
    act(EffaceFlag, 4);
    EXPECT_EQ(flags[4], 0);
    act(DonneAuFlag, 255, 7);
    EXPECT_EQ(flags[255], 7);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

// The sum is reduced by the remainder with the sign of the sum: 0..255 stay,
// 256..510 lose 256, negative sums stay negative.
TEST(ActionsState, FlagArithmeticKeepsTheSignOfTheSum) {
    startPlay("actions_flag_sum");
    struct Case {
        int64_t first, second, stored;
    } cases[] = {
        {200, 100, 44},
        {255, 1, 0},
        {3, 4, 7},
        {255, 255, 254},
        {-10, 7, -3},
        {-300, 10, -34},
        {-1, -255, 0},
        {300, -100, 200},
        {-256, 0, 0},
        {1000, 24, 0},
        {Huge, Huge, 254},  // 2^64 - 2 without
                            // overflow
        {Tiny, Tiny, 0},    // -2^64
        {Tiny, -1, -1},     // -2^63 - 1: remainder -1
    };
    for (const Case& c : cases) {
        flags[1] = c.first;
        flags[2] = c.second;
        act(AjouteAuFlag, 1, 2);
        EXPECT_EQ(flags[1], c.stored) << c.first << " + " << c.second;
        EXPECT_EQ(flags[2], c.second);
    }
    // The same flag twice doubles it modulo 256.
    flags[5] = 200;
    act(AjouteAuFlag, 5, 5);
    EXPECT_EQ(flags[5], 144);
    flags[5] = -200;
    act(AjouteAuFlag, 5, 5);
    EXPECT_EQ(flags[5], -144);
}

TEST(ActionsState, GoingElsewhereOnlyMarksTheScreenForRedrawing) {
    startPlay("actions_goto");
    act(AllerEn, 4);
    EXPECT_EQ(currentRoom, 4);
    EXPECT_TRUE(needFullRedraw);
    EXPECT_TRUE(takeOutput().find("text ") == std::string::npos);
    needFullRedraw = false;
    act(AllerEn, 255);  // a pseudo-location is still a number of the table
    EXPECT_EQ(currentRoom, 255);
    EXPECT_TRUE(needFullRedraw);
}

// An action whose object, flag, room, message or sample number lies outside
// 0..255 (possible only in a loaded file) does nothing at all.
TEST(ActionsState, NumbersOutsideTheTablesDoNothing) {
    startPlay("actions_range");
    currentRoom = 2;
    location(0) = 2;
    location(1) = InInventory;
    location(2) = InHand;
    flags[0] = 7;
    textCursor = 0;
    const PlaySnapshot before = snapshotPlay();
    for (int64_t bad : {int64_t{256}, int64_t{-1}, int64_t{1000}, Huge, Tiny}) {
        act(AfficheMessage, bad);
        act(AjouteAuFlag, bad, 0);
        act(AjouteAuFlag, 0, bad);
        act(AllerEn, bad);
        act(CreeObjet, bad);
        act(CreeObjetEn, bad, 2);
        act(CreeObjetEn, 1, bad);
        act(DetruitObjet, bad);
        act(EchangeObjets, bad, 1);
        act(EchangeObjets, 1, bad);
        act(EffaceFlag, bad);
        act(SallePrendImage, bad, 9);
        act(DonneAuFlag, bad, 1);
        act(JetteObjet, bad);
        act(MetFlag, bad);
        act(MetObjetEnMain, bad);
        act(ObjetNonEnMain, bad);
        act(PrendsObjet, bad);
        act(JouerSample, bad);
    }
    EXPECT_TRUE(snapshotPlay() == before);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsState, UnknownTypesDoNothing) {
    startPlay("actions_unknown");
    location(0) = InInventory;
    const PlaySnapshot before = snapshotPlay();
    for (int64_t type : {int64_t{25}, int64_t{-1}, int64_t{-2}, int64_t{1000}, Huge, Tiny}) {
        act(type, 0, 0);
        act(type, 1, 254);
    }
    EXPECT_TRUE(snapshotPlay() == before);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}
