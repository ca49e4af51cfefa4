// The fourteen conditions: signed comparisons, the exclusive carried states,
// unknown types and numbers that cannot index a table.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "engine/events.h"
#include "tests/actions_scenario.h"

using namespace scenario;

namespace {

bool holds(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    return testCondition(type, arg1, arg2, 255);
}

constexpr int64_t Huge = std::numeric_limits<int64_t>::max();
constexpr int64_t Tiny = std::numeric_limits<int64_t>::min();

}  // namespace

TEST(EventsConditions, RoomTestsCompareRoomNumbersStrictly) {
    startPlay("conditions_rooms");
    currentRoom = 7;
    EXPECT_TRUE(holds(EnSalle, 7));
    EXPECT_FALSE(holds(EnSalle, 6));
    EXPECT_FALSE(holds(EnSalle, 7 + 256));  // no wrap of room numbers
    EXPECT_FALSE(holds(EnSalleInferieureA, 7));
    EXPECT_TRUE(holds(EnSalleInferieureA, 8));
    EXPECT_FALSE(holds(EnSalleSuperieureA, 7));
    EXPECT_TRUE(holds(EnSalleSuperieureA, 6));
    // Range tests over the numbering, signed: any room is above -1 and below
    // a number past the table.
    currentRoom = 0;
    EXPECT_TRUE(holds(EnSalleSuperieureA, -1));
    EXPECT_FALSE(holds(EnSalleInferieureA, 0));
    EXPECT_TRUE(holds(EnSalleInferieureA, 1000));
    EXPECT_FALSE(holds(EnSalleSuperieureA, Huge));
    EXPECT_TRUE(holds(EnSalleSuperieureA, Tiny));
}

TEST(EventsConditions, FlagTestsCompareSignedValues) {
    startPlay("conditions_flags");
    flags[3] = 0;
    EXPECT_TRUE(holds(FlagEgalAZero, 3));
    EXPECT_FALSE(holds(FlagPasEgalAZero, 3));
    EXPECT_FALSE(holds(FlagInferieurA, 3, -1));  // 0 is not < -1
    EXPECT_TRUE(holds(FlagSuperieurA, 3, -1));
    EXPECT_TRUE(holds(FlagEgalA, 3, 0));

    flags[3] = -5;
    EXPECT_FALSE(holds(FlagEgalAZero, 3));
    EXPECT_TRUE(holds(FlagPasEgalAZero, 3));
    EXPECT_TRUE(holds(FlagInferieurA, 3, -1));
    EXPECT_FALSE(holds(FlagInferieurA, 3, -5));
    EXPECT_TRUE(holds(FlagEgalA, 3, -5));
    EXPECT_FALSE(holds(FlagEgalA, 3, 251));  // no reduction modulo 256
    EXPECT_TRUE(holds(FlagSuperieurA, 3, -6));
    EXPECT_FALSE(holds(FlagSuperieurA, 3, 0));

    flags[3] = 255;  // what "Met flag *" stores
    EXPECT_TRUE(holds(FlagEgalA, 3, 255));
    EXPECT_FALSE(holds(FlagEgalA, 3, -1));
    EXPECT_TRUE(holds(FlagSuperieurA, 3, 254));
    EXPECT_FALSE(holds(FlagInferieurA, 3, 255));

    flags[3] = Tiny;
    EXPECT_TRUE(holds(FlagInferieurA, 3, Tiny + 1));
    EXPECT_FALSE(holds(FlagSuperieurA, 3, Tiny));
    // Another flag is not looked at.
    EXPECT_TRUE(holds(FlagEgalAZero, 4));
}

TEST(EventsConditions, InHandAndInInventoryAreExclusive) {
    startPlay("conditions_carried");
    currentRoom = 2;
    adventure.objectLocations[1] = InHand;
    EXPECT_TRUE(holds(ObjetEnMain, 1));
    EXPECT_FALSE(holds(ObjetEnInventaire, 1));
    EXPECT_TRUE(holds(ObjetPasEnInventaire, 1));
    EXPECT_FALSE(holds(ObjetPasEnMain, 1));
    EXPECT_FALSE(holds(ObjetIci, 1));
    EXPECT_TRUE(holds(ObjetPasIci, 1));

    adventure.objectLocations[1] = InInventory;
    EXPECT_FALSE(holds(ObjetEnMain, 1));
    EXPECT_TRUE(holds(ObjetEnInventaire, 1));
    EXPECT_FALSE(holds(ObjetPasEnInventaire, 1));
    EXPECT_TRUE(holds(ObjetPasEnMain, 1));
    EXPECT_FALSE(holds(ObjetIci, 1));
    EXPECT_TRUE(holds(ObjetPasIci, 1));
}

TEST(EventsConditions, HereMeansLyingInTheCurrentRoom) {
    startPlay("conditions_here");
    currentRoom = 2;
    adventure.objectLocations[4] = 2;
    adventure.objectLocations[5] = 3;
    EXPECT_TRUE(holds(ObjetIci, 4));
    EXPECT_FALSE(holds(ObjetPasIci, 4));
    EXPECT_FALSE(holds(ObjetEnInventaire, 4));
    EXPECT_FALSE(holds(ObjetEnMain, 4));
    EXPECT_TRUE(holds(ObjetPasEnInventaire, 4));
    EXPECT_TRUE(holds(ObjetPasEnMain, 4));

    EXPECT_FALSE(holds(ObjetIci, 5));
    EXPECT_TRUE(holds(ObjetPasIci, 5));
    currentRoom = 3;
    EXPECT_TRUE(holds(ObjetIci, 5));
    EXPECT_FALSE(holds(ObjetIci, 4));

    // Never created (or destroyed): neither here nor carried.
    adventure.objectLocations[6] = NotCreated;
    EXPECT_FALSE(holds(ObjetIci, 6));
    EXPECT_TRUE(holds(ObjetPasIci, 6));
    EXPECT_FALSE(holds(ObjetEnInventaire, 6));
    EXPECT_FALSE(holds(ObjetEnMain, 6));
    EXPECT_TRUE(holds(ObjetPasEnInventaire, 6));
    EXPECT_TRUE(holds(ObjetPasEnMain, 6));
}

TEST(EventsConditions, UnknownTypesNeverHold) {
    startPlay("conditions_unknown");
    // State in which every known test with these arguments would be
    // satisfied by one type or another.
    flags[0] = 0;
    adventure.objectLocations[0] = 0;
    for (int64_t type : {int64_t{14}, int64_t{20}, int64_t{25}, int64_t{-2}, int64_t{1000}, Huge, Tiny}) {
        EXPECT_FALSE(holds(type, 0, 0)) << type;
        EXPECT_FALSE(holds(type, 255, 255)) << type;
    }
}

// A flag or object number read from a file that lies outside 0..255 makes the
// condition fail, even a negated one, instead of reading beside the table.
TEST(EventsConditions, NumbersOutsideTheTablesNeverHold) {
    startPlay("conditions_range");
    for (int64_t bad : {int64_t{256}, int64_t{-1}, int64_t{1000}, Huge, Tiny}) {
        EXPECT_FALSE(holds(FlagEgalAZero, bad)) << bad;
        EXPECT_FALSE(holds(FlagPasEgalAZero, bad)) << bad;
        EXPECT_FALSE(holds(FlagInferieurA, bad, Huge)) << bad;
        EXPECT_FALSE(holds(FlagEgalA, bad, 0)) << bad;
        EXPECT_FALSE(holds(FlagSuperieurA, bad, Tiny)) << bad;
        EXPECT_FALSE(holds(ObjetEnInventaire, bad)) << bad;
        EXPECT_FALSE(holds(ObjetEnMain, bad)) << bad;
        EXPECT_FALSE(holds(ObjetIci, bad)) << bad;
        EXPECT_FALSE(holds(ObjetPasEnInventaire, bad)) << bad;
        EXPECT_FALSE(holds(ObjetPasEnMain, bad)) << bad;
        EXPECT_FALSE(holds(ObjetPasIci, bad)) << bad;
    }
    // The boundaries themselves are valid numbers.
    adventure.objectLocations[255] = InHand;
    EXPECT_TRUE(holds(ObjetEnMain, 255));
    EXPECT_TRUE(holds(FlagEgalAZero, 0));
    EXPECT_TRUE(holds(FlagEgalAZero, 255));
}

TEST(EventsConditions, TestingChangesNothing) {
    startPlay("conditions_pure");
    currentRoom = 3;
    flags[1] = 9;
    adventure.objectLocations[1] = 3;
    adventure.objectLocations[2] = InHand;
    const PlaySnapshot before = snapshotPlay();
    for (int64_t type = -1; type <= 14; ++type) {
        for (int64_t arg : {int64_t{1}, int64_t{2}, int64_t{300}}) holds(type, arg, 9);
    }
    EXPECT_TRUE(snapshotPlay() == before);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}
