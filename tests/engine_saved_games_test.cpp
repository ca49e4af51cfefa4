// Saved games: the bytes of a slot file, the round trip of the whole game
// state, the files that end the program, the slot prompt, and the save and
// load verbs with their messages.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

using Texts = std::vector<std::string>;

// A game state where every value has its own recognisable number.
void writeDistinctState() {
    turnCount = 42;
    currentRoom = 7;
    for (int i = 0; i < TableSize; ++i) {
        adventure.objectLocations[i] = (i * 7) % 256;
        roomImages[i] = 1000 + i;
        flags[i] = i % 2 == 0 ? -i - 1 : i * 100000;
    }
}

void expectDistinctState() {
    EXPECT_EQ(turnCount, 42);
    EXPECT_EQ(currentRoom, 7);
    for (int i = 0; i < TableSize; ++i) {
        EXPECT_EQ(adventure.objectLocations[i], (i * 7) % 256);
        EXPECT_EQ(roomImages[i], 1000 + i);
        EXPECT_EQ(flags[i], i % 2 == 0 ? -i - 1 : i * 100000);
    }
}

void writeOtherState() {
    turnCount = 1;
    currentRoom = 3;
    for (int i = 0; i < TableSize; ++i) {
        adventure.objectLocations[i] = NotCreated;
        roomImages[i] = 0;
        flags[i] = 5;
    }
}

std::vector<int64_t> validValues() {
    std::vector<int64_t> values(SavedGameValueCount, 0);
    values[0] = 11;
    values[1] = 2;
    for (int i = 0; i < TableSize; ++i) {
        values[2 + 3 * i] = 200;
        values[3 + 3 * i] = -7;
        values[4 + 3 * i] = i;
    }
    return values;
}

}  // namespace

// A slot file holds the turn count, the room, then object by object its
// location, its room's picture and its flag, each as 8 bytes least
// significant first: 770 values, 6160 bytes. Saving again replaces it.
TEST(EngineSavedGames, SlotFileHoldsTheStateInterleavedObjectByObject) {
    const std::string project = startProject("saved_bytes");
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"4.sav"));
    const std::string bytes = readFileBytes(project + "/4.sav");
    ASSERT_EQ(bytes.size(), 6160u);
    EXPECT_EQ(bytes.substr(0, 16), std::string("\x2a\0\0\0\0\0\0\0\x07\0\0\0\0\0\0\0", 16));
    EXPECT_EQ(bytes.substr(32, 8), std::string(8, '\xff'));                // flag 0 is -1
    EXPECT_EQ(bytes.substr(40, 8), std::string("\x07\0\0\0\0\0\0\0", 8));  // object 1 in room 7
    const std::vector<int64_t> values = savedGameValues(bytes);
    for (int i = 0; i < TableSize; ++i) {
        EXPECT_EQ(values[2 + 3 * i], (i * 7) % 256);
        EXPECT_EQ(values[3 + 3 * i], 1000 + i);
        EXPECT_EQ(values[4 + 3 * i], i % 2 == 0 ? -i - 1 : i * 100000);
    }
    EXPECT_FALSE(pathExists(project + "/4.sav.part"));

    writeOtherState();
    needFullRedraw = false;
    ASSERT_TRUE(loadGame(u"4.sav"));
    expectDistinctState();
    EXPECT_TRUE(needFullRedraw);
    writeOtherState();
    ASSERT_TRUE(saveGame(u"4.sav"));
    const std::vector<int64_t> again = savedGameValues(readFileBytes(project + "/4.sav"));
    ASSERT_EQ(again.size(), 770u);
    EXPECT_EQ((std::vector<int64_t>{again[0], again[1], again[769]}), (std::vector<int64_t>{1, 3, 5}));
}

// Files of exactly 6160 bytes and longer ones load, the extra bytes ignored;
// picture numbers and flags may hold any value; a missing player slot is no
// saved game and changes nothing.
TEST(EngineSavedGames, ExactAndLongerFilesLoadAndAMissingSlotIsNoSavedGame) {
    const std::string project = startProject("saved_sizes");
    std::vector<int64_t> values = validValues();
    writeFileBytes(project + "/1.sav", savedGameBytes(values));
    ASSERT_TRUE(loadGame(u"1.sav"));
    EXPECT_EQ(turnCount, 11);
    EXPECT_EQ(currentRoom, 2);
    EXPECT_EQ(adventure.objectLocations[255], 200);
    EXPECT_EQ(roomImages[100], -7);
    EXPECT_EQ(flags[255], 255);

    values[0] = 12;
    values[1] = 255;
    values[2] = 253;
    values[3] = -123456789;
    values[4] = INT64_MIN;
    values.push_back(99999);
    writeFileBytes(project + "/1.sav", savedGameBytes(values));
    ASSERT_EQ(readFileBytes(project + "/1.sav").size(), 6168u);
    ASSERT_TRUE(loadGame(u"1.sav"));
    EXPECT_EQ(turnCount, 12);
    EXPECT_EQ(currentRoom, 255);
    EXPECT_EQ(adventure.objectLocations[0], 253);
    EXPECT_EQ(roomImages[0], -123456789);
    EXPECT_EQ(flags[0], INT64_MIN);
    EXPECT_EQ(flags[255], 255);

    writeOtherState();
    EXPECT_FALSE(loadGame(u"3.sav"));
    EXPECT_EQ(currentRoom, 3);
    EXPECT_EQ(turnCount, 1);
    EXPECT_EQ(flags[0], 5);
}

// A file one value short (6152 bytes), empty, or holding a room or location
// no table has is corrupt; the starting state missing, or a folder in a
// slot's place, cannot be opened. Each ends the program.
TEST(EngineSavedGamesDeath, ShortDamagedOrUnopenableFilesEndTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string project = startProject("saved_corrupt");
    std::vector<int64_t> values = validValues();
    values.pop_back();
    writeFileBytes(project + "/1.sav", savedGameBytes(values));
    writeFileBytes(project + "/2.sav", "");
    const struct {
        const char* slot;
        size_t value;
        int64_t stored;
    } damaged[] = {{"7.sav", 1, 256}, {"8.sav", 2 + 3 * 200, -1}, {"9.sav", 1, -40}};
    for (const auto& d : damaged) {
        values = validValues();
        values[d.value] = d.stored;
        writeFileBytes(project + "/" + d.slot, savedGameBytes(values));
    }
    ASSERT_EQ(readFileBytes(project + "/1.sav").size(), 6152u);
    for (const char16_t* slot : {u"1.sav", u"2.sav", u"7.sav", u"8.sav", u"9.sav"}) {
        EXPECT_FATAL_BOX(loadGame(slot), "Fichier corrompu !");
    }
    EXPECT_FATAL_BOX(loadGame(u"0.sav"), "Impossible d'ouvrir le fichier 0.sav !");
    fs::create_directory(project + "/4.sav");
    EXPECT_FATAL_BOX(loadGame(u"4.sav"), "Impossible d'ouvrir le fichier 4.sav !");
}

// A failed save keeps the old slot and leaves nothing behind: the file
// written beside the slot lands on a full device, or a folder stands in the
// slot's place. The save verb then says so.
TEST(EngineSavedGames, AFailedSaveKeepsTheOldSlotAndLeavesNothingBehind) {
    const std::string project = startProject("saved_failed");
    clearScreen();
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"3.sav"));
    const std::string before = readFileBytes(project + "/3.sav");
    writeOtherState();
    fs::create_symlink("/dev/full", project + "/3.sav.part");
    EXPECT_FALSE(saveGame(u"3.sav"));
    EXPECT_EQ(readFileBytes(project + "/3.sav"), before);
    EXPECT_FALSE(fs::is_symlink(project + "/3.sav.part"));
    fs::create_directory(project + "/4.sav");
    EXPECT_FALSE(saveGame(u"4.sav"));
    EXPECT_TRUE(fs::is_directory(project + "/4.sav"));
    EXPECT_FALSE(pathExists(project + "/4.sav.part"));

    fs::create_symlink("/dev/full", project + "/3.sav.part");
    takeOutput();
    queueScript("type 3\n");
    saveGameVerb();
    EXPECT_EQ(readFileBytes(project + "/3.sav"), before);
    EXPECT_EQ(textsAt(drawnTexts(takeOutput()), 2, 426 + gameLineHeight()),
              Texts{"Vous ne pouvez pas écrire sur ce disque."});
}

// The prompt waits for a digit from 1 to 9 and does not echo it; the verbs
// save and load the chosen slot without a word; a missing slot says so.
TEST(EngineSavedGames, TheSlotPromptAndTheSaveAndLoadVerbs) {
    const std::string project = startProject("saved_verbs");
    clearScreen();
    writeDistinctState();
    queueScript("type 9\n");
    saveGameVerb();
    EXPECT_EQ(savedGameValues(readFileBytes(project + "/9.sav")).at(0), 42);
    EXPECT_EQ(textsOnly(takeOutput()), Texts{"Numéro de sauvegarde (1 à 9) :"});
    writeOtherState();
    queueScript("type 9\n");
    loadGameVerb();
    expectDistinctState();
    EXPECT_EQ(textsOnly(takeOutput()), Texts{"Numéro de sauvegarde (1 à 9) :"});

    clearScreen();
    writeOtherState();
    needFullRedraw = false;
    queueScript("type 3\n");
    loadGameVerb();
    EXPECT_EQ(textsAt(drawnTexts(takeOutput()), 2, 426 + gameLineHeight()), Texts{"Sauvegarde inexistante !"});
    EXPECT_TRUE(needFullRedraw);
    EXPECT_EQ(currentRoom, 3);
    EXPECT_EQ(flags[9], 5);

    // Last, so that keys a failing prompt leaves unread go with the scenario.
    clearScreen();
    queueScript("type 0\nkey escape\nkey return\nclick 10 10\ntype a\ntype 7\n");
    EXPECT_EQ(askSaveSlot(), 7);
    const std::vector<DrawnText> texts = drawnTexts(takeOutput());
    EXPECT_EQ(textsAt(texts, 2, 426), Texts{"Numéro de sauvegarde (1 à 9) :"});
    EXPECT_EQ(findDrawn(texts, "7"), -1);
    EXPECT_EQ(textCursor, gameLineHeight());
}
