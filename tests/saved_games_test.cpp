// Saved games in play: "SAUVE" and "CHARGE" with the slot question, the file
// of 770 little-endian integers, and the starting state "0.sav".
#include <filesystem>

#include "engine/saved_games.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

std::vector<int64_t> savedValues(const std::string& bytes) {
    std::vector<int64_t> values;
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        uint64_t value = 0;
        for (int i = 7; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        values.push_back(static_cast<int64_t>(value));
    }
    return values;
}

std::string savedBytes(const std::vector<int64_t>& values) {
    std::string bytes;
    for (int64_t value : values) {
        for (int i = 0; i < 8; ++i) bytes += static_cast<char>(static_cast<uint64_t>(value) >> (8 * i));
    }
    return bytes;
}

}  // namespace

TEST(SavedGames, ASavedGameHoldsTheWholeStateAndBringsItBack) {
    startProject("save_and_load");
    addMinorEvent(WordLook, NoWord, NoWord, {}, {step(DonneAuFlag, 9, -5), step(SallePrendImage, 1, 300)});
    // "0" is no slot: the question waits for 1 to 9.
    const std::string output = playSession(
        "type prends lampe\nkey return\ntype regarde\nkey return\ntype nord\nkey return\n"
        "type sauve\nkey return\ntype 0\ntype 3\ntype sud\nkey return\ntype laisse lampe\nkey return\n"
        "type charge\nkey return\ntype 3\ntype i\nkey return\n");
    const std::vector<int64_t> values = savedValues(readFile("3.sav"));
    ASSERT_EQ(values.size(), 770u);
    // The turns (the save was the fourth command), the room, the lamp carried,
    // the rock in the hall, room 1's picture, flag 9, room 255's picture.
    EXPECT_EQ((std::vector<int64_t>{values[0], values[1], values[2 + 3 * 0], values[2 + 3 * 2], values[3 + 3 * 1],
                                    values[4 + 3 * 9], values[3 + 3 * 255]}),
              (std::vector<int64_t>{4, 1, 254, 0, 300, -5, 255}));
    // After the load: back in the cave, the lamp carried again.
    EXPECT_TRUE(inOrder(dialogue(output),
                        {"SAUVE", "Numéro de sauvegarde (1 à 9) :", "CHARGE", "Numéro de sauvegarde (1 à 9) :", "I"}));
    EXPECT_TRUE(inOrder(texts(output), {"LAISSE LAMPE", "La cave. <S>", "Vous avez: Une lampe"}));
}

// A slot written by hand: extra bytes after the 770 values are ignored, and a
// saved state with a negative flag plays on from it.
TEST(SavedGames, ASlotFileIsReadValueByValue) {
    startProject("slot_file");
    std::vector<int64_t> values(770, 0);
    values[0] = 12;
    values[1] = 1;
    for (int i = 0; i < 256; ++i) {
        values[2 + 3 * i] = NotCreated;
        values[3 + 3 * i] = i;
    }
    values[2 + 3 * Key] = InHand;
    values[4 + 3 * 2] = -1;
    writeFile("2.sav", savedBytes(values) + std::string(8, '\x7f'));
    adventure.messageTexts[1] = u"Flag négatif.";
    addMajorEvent({step(FlagInferieurA, 2, 0)}, {step(AfficheMessage, 1)});
    const std::string output = playSession("type load\nkey return\ntype 2\ntype i\nkey return\n");
    EXPECT_TRUE(inOrder(texts(output), {"LOAD", "La cave. <S>", "Flag négatif.", "Vous avez: La clef"}));
    EXPECT_EQ(savedValues(readFile("0.sav")).size(), 770u);
}

// The player's slots kept in a folder of their own, as the web player keeps
// them in the browser's storage: the starting state stays with the project.
TEST(SavedGames, SlotsKeptInAFolderOfTheirOwn) {
    const std::string project = startProject("slots_folder");
    fs::create_directory(project + "/rangement");
    playerSlotsFolder = u"rangement\\";
    const std::string output = playSession(typed({"prends lampe", "sauve"}) + "type 4\n" + typed({"laisse lampe", "charge"}) +
                                           "type 5\n" + typed({"charge"}) + "type 4\n" + typed({"i"}));
    playerSlotsFolder.clear();
    EXPECT_TRUE(inOrder(texts(output), {"CHARGE", "Sauvegarde inexistante !", "CHARGE", "I", "Vous avez: Une lampe"}));
    EXPECT_EQ(readFile(project + "/rangement/4.sav").size(), 6160u);
    EXPECT_FALSE(fs::exists(project + "/4.sav"));
    EXPECT_TRUE(fs::exists(project + "/0.sav"));
    EXPECT_FALSE(fs::exists(project + "/rangement/0.sav"));
}
