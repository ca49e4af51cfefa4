// Saved games: the bytes of a slot file, the round trip of the whole game
// state, the files that end the program, the slot prompt, and the save and
// load verbs with their messages.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "tests/engine_scenario.h"

using namespace engine_scenario;

namespace {

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

// The statement runs in a child process; its "Erreur" box and its exit are
// what the parent sees, through the child's error output.
void showBoxesOnErrorOutput() {
    recordHeadlessOutputInMemory(false);
    dup2(2, 1);
}

}  // namespace

TEST(EngineSavedGames, SlotFileHoldsTheStateInterleavedObjectByObject) {
    const std::string project = startProject("saved_bytes");
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"4.sav"));
    const std::string bytes = readFileBytes(project + "/4.sav");
    ASSERT_EQ(bytes.size(), 6160u);
    // turnCount 42 then currentRoom 7, little-endian.
    EXPECT_EQ(bytes.substr(0, 16), std::string("\x2a\0\0\0\0\0\0\0\x07\0\0\0\0\0\0\0", 16));
    const std::vector<int64_t> values = savedGameValues(bytes);
    for (int i = 0; i < TableSize; ++i) {
        EXPECT_EQ(values[2 + 3 * i], (i * 7) % 256);
        EXPECT_EQ(values[3 + 3 * i], 1000 + i);
        EXPECT_EQ(values[4 + 3 * i], i % 2 == 0 ? -i - 1 : i * 100000);
    }
    // Flag 0 is -1: eight bytes of 255 at offset 32.
    EXPECT_EQ(bytes.substr(32, 8), std::string(8, '\xff'));
    EXPECT_FALSE(pathExists(project + "/4.sav.part"));
}

TEST(EngineSavedGames, SaveThenLoadRestoresEveryValue) {
    startProject("saved_round_trip");
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"2.sav"));
    writeOtherState();
    needFullRedraw = false;
    ASSERT_TRUE(loadGame(u"2.sav"));
    EXPECT_EQ(turnCount, 42);
    EXPECT_EQ(currentRoom, 7);
    for (int i = 0; i < TableSize; ++i) {
        EXPECT_EQ(adventure.objectLocations[i], (i * 7) % 256);
        EXPECT_EQ(roomImages[i], 1000 + i);
        EXPECT_EQ(flags[i], i % 2 == 0 ? -i - 1 : i * 100000);
    }
    EXPECT_TRUE(needFullRedraw);
}

TEST(EngineSavedGames, SavingAgainReplacesTheSlot) {
    const std::string project = startProject("saved_overwrite");
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"5.sav"));
    writeOtherState();
    ASSERT_TRUE(saveGame(u"5.sav"));
    const std::vector<int64_t> values = savedGameValues(readFileBytes(project + "/5.sav"));
    ASSERT_EQ(values.size(), 770u);
    EXPECT_EQ(values[0], 1);
    EXPECT_EQ(values[1], 3);
    EXPECT_EQ(values[769], 5);
}

TEST(EngineSavedGames, ExactAndLongerFilesLoadTheExtraBytesIgnored) {
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
    values.push_back(99999);  // 6168 bytes
    writeFileBytes(project + "/1.sav", savedGameBytes(values));
    ASSERT_EQ(readFileBytes(project + "/1.sav").size(), 6168u);
    ASSERT_TRUE(loadGame(u"1.sav"));
    EXPECT_EQ(turnCount, 12);
    EXPECT_EQ(flags[255], 255);
}

TEST(EngineSavedGames, AMissingPlayerSlotIsNoSavedGame) {
    startProject("saved_missing");
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"1.sav"));
    ASSERT_TRUE(saveGame(u"2.sav"));
    writeOtherState();
    EXPECT_FALSE(loadGame(u"3.sav"));
    EXPECT_EQ(currentRoom, 3);
    EXPECT_EQ(turnCount, 1);
    EXPECT_EQ(flags[0], 5);
}

TEST(EngineSavedGamesDeath, AFileOneValueShortIsCorrupt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string project = startProject("saved_short");
    std::vector<int64_t> values = validValues();
    values.pop_back();  // 6152 bytes
    writeFileBytes(project + "/6.sav", savedGameBytes(values));
    EXPECT_EXIT(
        {
            showBoxesOnErrorOutput();
            loadGame(u"6.sav");
        },
        testing::ExitedWithCode(1), "box Erreur \\| Fichier corrompu !");
}

TEST(EngineSavedGamesDeath, AnEmptySlotFileIsCorrupt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string project = startProject("saved_empty");
    writeFileBytes(project + "/6.sav", "");
    EXPECT_EXIT(
        {
            showBoxesOnErrorOutput();
            loadGame(u"6.sav");
        },
        testing::ExitedWithCode(1), "box Erreur \\| Fichier corrompu !");
}

TEST(EngineSavedGamesDeath, ARoomOrLocationNoTableHoldsIsRefusedAsCorrupt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string project = startProject("saved_out_of_range");
    std::vector<int64_t> values = validValues();
    values[1] = 256;
    writeFileBytes(project + "/7.sav", savedGameBytes(values));
    values = validValues();
    values[2 + 3 * 200] = -1;
    writeFileBytes(project + "/8.sav", savedGameBytes(values));
    values = validValues();
    values[1] = -40;
    writeFileBytes(project + "/9.sav", savedGameBytes(values));
    for (const char16_t* slot : {u"7.sav", u"8.sav", u"9.sav"}) {
        EXPECT_EXIT(
            {
                showBoxesOnErrorOutput();
                loadGame(slot);
            },
            testing::ExitedWithCode(1), "box Erreur \\| Fichier corrompu !");
    }
    // Picture numbers and flags may hold any value.
    values = validValues();
    values[3] = -123456789;
    values[4] = INT64_MIN;
    values[1] = 255;
    values[2] = 253;
    writeFileBytes(project + "/7.sav", savedGameBytes(values));
    ASSERT_TRUE(loadGame(u"7.sav"));
    EXPECT_EQ(roomImages[0], -123456789);
    EXPECT_EQ(flags[0], INT64_MIN);
    EXPECT_EQ(currentRoom, 255);
}

TEST(EngineSavedGamesDeath, AMissingStartingStateOrAFolderCannotBeOpened) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string project = startProject("saved_cannot_open");
    EXPECT_EXIT(
        {
            showBoxesOnErrorOutput();
            loadGame(u"0.sav");
        },
        testing::ExitedWithCode(1), "box Erreur \\| Impossible d'ouvrir le fichier 0.sav !");
    std::filesystem::create_directory(project + "/4.sav");
    EXPECT_EXIT(
        {
            showBoxesOnErrorOutput();
            loadGame(u"4.sav");
        },
        testing::ExitedWithCode(1), "box Erreur \\| Impossible d'ouvrir le fichier 4.sav !");
}

TEST(EngineSavedGames, AFailedSaveKeepsTheOldSlotAndLeavesNothingBehind) {
    const std::string project = startProject("saved_failed");
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"3.sav"));
    const std::string before = readFileBytes(project + "/3.sav");
    writeOtherState();
    // The file written beside the slot lands on a full device.
    std::filesystem::create_symlink("/dev/full", project + "/3.sav.part");
    EXPECT_FALSE(saveGame(u"3.sav"));
    EXPECT_EQ(readFileBytes(project + "/3.sav"), before);
    EXPECT_FALSE(std::filesystem::is_symlink(project + "/3.sav.part"));
    // A folder in the slot's place cannot be replaced.
    std::filesystem::create_directory(project + "/4.sav");
    EXPECT_FALSE(saveGame(u"4.sav"));
    EXPECT_TRUE(std::filesystem::is_directory(project + "/4.sav"));
    EXPECT_FALSE(pathExists(project + "/4.sav.part"));
}

TEST(EngineSavedGames, SlotPromptWaitsForADigitFromOneToNine) {
    startProject("saved_prompt");
    clearScreen();
    queueScript("type 0\nkey escape\nkey return\nclick 10 10\ntype a\ntype 7\n");
    EXPECT_EQ(askSaveSlot(), 7);
    const auto texts = drawnTexts(takeOutput());
    EXPECT_EQ(textsAt(texts, 2, 426), std::vector<std::string>{"Numéro de sauvegarde (1 à 9) :"});
    // The digit is not echoed.
    EXPECT_FALSE(wasDrawn(texts, "7"));
    EXPECT_EQ(textCursor, gameLineHeight());
}

TEST(EngineSavedGames, SaveVerbWritesTheChosenSlotSilently) {
    const std::string project = startProject("saved_verb");
    clearScreen();
    writeDistinctState();
    queueScript("type 9\n");
    saveGameVerb();
    EXPECT_EQ(savedGameValues(readFileBytes(project + "/9.sav"))[0], 42);
    EXPECT_EQ(allTexts(drawnTexts(takeOutput())), std::vector<std::string>{"Numéro de sauvegarde (1 à 9) :"});
}

TEST(EngineSavedGames, SaveVerbThatFailsSaysSoAndKeepsTheOldSlot) {
    const std::string project = startProject("saved_verb_fails");
    clearScreen();
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"2.sav"));
    const std::string before = readFileBytes(project + "/2.sav");
    writeOtherState();
    std::filesystem::create_symlink("/dev/full", project + "/2.sav.part");
    queueScript("type 2\n");
    saveGameVerb();
    EXPECT_EQ(readFileBytes(project + "/2.sav"), before);
    const int64_t th = gameLineHeight();
    const auto texts = drawnTexts(takeOutput());
    EXPECT_EQ(textsAt(texts, 2, 426 + th), std::vector<std::string>{"Vous ne pouvez pas écrire sur ce disque."});
}

TEST(EngineSavedGames, LoadVerbOfAMissingSlotSaysSoAndChangesNothing) {
    startProject("saved_load_missing");
    clearScreen();
    writeOtherState();
    needFullRedraw = false;
    queueScript("type 3\n");
    loadGameVerb();
    const int64_t th = gameLineHeight();
    const auto texts = drawnTexts(takeOutput());
    EXPECT_EQ(textsAt(texts, 2, 426 + th), std::vector<std::string>{"Sauvegarde inexistante !"});
    EXPECT_TRUE(needFullRedraw);
    EXPECT_EQ(currentRoom, 3);
    EXPECT_EQ(flags[9], 5);
}

TEST(EngineSavedGames, LoadVerbRestoresTheSlotWithoutAWord) {
    startProject("saved_load_verb");
    clearScreen();
    writeDistinctState();
    ASSERT_TRUE(saveGame(u"1.sav"));
    writeOtherState();
    queueScript("type 1\n");
    loadGameVerb();
    EXPECT_EQ(currentRoom, 7);
    EXPECT_EQ(flags[1], 100000);
    EXPECT_EQ(allTexts(drawnTexts(takeOutput())), std::vector<std::string>{"Numéro de sauvegarde (1 à 9) :"});
}
