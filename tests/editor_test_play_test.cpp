// "TESTER JEU": the test play runs in the project folder, or in the scratch
// folder "Projets/Sans Titre" when no project is named, whose saved games are
// removed afterwards; the editor comes back on its menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "editor/folder_list.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

// A play that saves in slot 3 ("SAUVE", then the digit) and leaves with Escape.
const std::string PlayAndSaveInSlot3 = "type SAUVE\nkey return\ntype 3\nkey escape\n";

int savedGamesIn(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().extension() == ".sav" ? 1 : 0;
    return count;
}

// True when a text holding `piece` (or, with `whole`, equal to it) was drawn
// between the entries `from` and `to`.
bool drawnBetween(const std::vector<DrawnText>& texts, const std::string& piece, int64_t from, int64_t to,
                  bool whole = false) {
    for (int64_t i = std::max<int64_t>(from, 0); i < to && i < static_cast<int64_t>(texts.size()); ++i) {
        if (whole ? texts[i].text == piece : texts[i].text.find(piece) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

TEST(EditorTestPlay, WithoutAProjectThePlayUsesSansTitreOnceAndLeavesNoSavedGame) {
    const std::string folder = makeWorkFolder("play-scratch");
    const std::string scratch = folder + "/Projets/Sans Titre";
    ASSERT_FALSE(pathExists(scratch));
    startInProcess(folder);
    runEditorScript(clickMenuEntry(TestGame) + PlayAndSaveInSlot3 + "mark back\nkey escape\n");
    ASSERT_TRUE(fs::is_directory(scratch));
    EXPECT_EQ(savedGamesIn(scratch), 0);
    // Back in the program's folder, on the menu.
    EXPECT_EQ(currentDirectory(), programFolder);
    EXPECT_EQ(currentPage, Menu);
    EXPECT_EQ(projectFolder, u"");
    // The scratch folder is not a project: it is never listed.
    EXPECT_NE(folderList[0], u"Sans Titre");

    // A second play reuses the folder as it is; an older saved game left there
    // by hand goes with the others.
    writeFileBytes(scratch + "/notes.txt", "a garder");
    writeFileBytes(scratch + "/7.SAV", std::string(6160, '\0'));
    startInProcess(folder);
    runEditorScript(clickMenuEntry(TestGame) + "key escape\nkey escape\n");
    EXPECT_EQ(readFileBytes(scratch + "/notes.txt"), "a garder");
    EXPECT_EQ(savedGamesIn(scratch), 0);
    EXPECT_FALSE(pathExists(scratch + "/7.SAV"));
    int folders = 0;
    for (const auto& entry : fs::directory_iterator(folder + "/Projets")) folders += entry.is_directory() ? 1 : 0;
    EXPECT_EQ(folders, 1);
}

// With a project the play runs in its folder, where its saved games stay; the
// author's placement comes back and the menu is drawn again when it ends.
TEST(EditorTestPlay, WithAProjectItsSavedGamesStayAndTheAuthorsPlacementComesBack) {
    const std::string folder = makeWorkFolder("play-project");
    startInProcess(folder);
    // Object 0 ("Une épée", word 20 EPEE) lies in room 0 and can be taken.
    adventure.vocabulary[20][0] = u"EPEE";
    adventure.objectLocations[0] = 0;
    adventure.objectAttributes[0][AssociatedWord] = 20;
    adventure.objectAttributes[0][Takeable] = 1;
    const std::string output = runEditorScript(clickMenuEntry(SaveFile) +
                                               "click 50 450\ntype castel\nkey return\nclick 400 475\nkey escape\n" +
                                               clickMenuEntry(TestGame) + "type PRENDS EPEE\nkey return\nmark taken\n" +
                                               PlayAndSaveInSlot3 + "mark back\nkey escape\n");
    const std::string project = folder + "/Projets/castel";
    for (const char* file : {"/castel.orv", "/3.sav", "/0.sav"}) EXPECT_TRUE(pathExists(project + file)) << file;
    EXPECT_FALSE(pathExists(folder + "/Projets/Sans Titre"));
    EXPECT_EQ(currentDirectory(), programFolder);
    EXPECT_EQ(projectName, u"castel");
    EXPECT_EQ(adventure.objectLocations[0], 0);
    const std::vector<DrawnText> texts = outputEntries(output);
    const int64_t menu = findDrawn(texts, "MENU", -1, centredY(u"MENU", 16), findDrawn(texts, "mark taken"));
    EXPECT_NE(menu, -1) << output;
    EXPECT_LT(menu, findDrawn(texts, "mark back"));
}

TEST(EditorTestPlay, AWholeTestPlayThroughTheRunner) {
    // The program in this process only measures texts, as the runner draws them.
    startInProcess(makeWorkFolder("play-runner-measure"));
    const std::string folder = makeWorkFolder("play-runner");
    const HeadlessRun run = runHeadless(folder, "key return\n" + clickMenuEntry(TestGame) +
                                                    "mark playing\ntype XYZZY\nkey return\nmark answered\n"
                                                    "type inventaire\nkey return\nmark listed\n"
                                                    "key escape\nmark menu\nkey escape\nmark never\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("box "), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("mark never"), std::string::npos);
    const std::vector<DrawnText> texts = outputEntries(run.output);
    const int64_t playing = findDrawn(texts, "mark playing");
    const int64_t answered = findDrawn(texts, "mark answered");
    const int64_t listed = findDrawn(texts, "mark listed");
    const int64_t menu = findDrawn(texts, "mark menu");
    ASSERT_TRUE(playing != -1 && answered != -1 && listed != -1 && menu != -1) << run.output;
    // The game screen: the room, the prompt; an unknown word echoed (upper
    // case) and not understood; the inventory, typed in small letters, is
    // recognised: its heading and the empty list; Escape left the game: the
    // menu came back before "mark menu".
    EXPECT_TRUE(drawnBetween(texts, "entrée du château", 0, playing)) << run.output;
    EXPECT_TRUE(drawnBetween(texts, "A vous :", 0, playing, true));
    EXPECT_TRUE(drawnBetween(texts, "Je ne comprends pas ces mots.", playing, answered, true));
    EXPECT_TRUE(drawnBetween(texts, "XYZZY", playing, answered));
    EXPECT_TRUE(drawnBetween(texts, "Vous avez:", answered, listed));
    EXPECT_TRUE(drawnBetween(texts, "Rien du tout", answered, listed));
    EXPECT_NE(findDrawn(texts, "MENU", -1, centredY(u"MENU", 16), listed), -1);
    EXPECT_LT(findDrawn(texts, "MENU", -1, centredY(u"MENU", 16), listed), menu);
    // The scratch folder keeps no saved game, not even the starting state.
    EXPECT_EQ(savedGamesIn(folder + "/Projets/Sans Titre"), 0);
}

TEST(EditorTestPlay, WithoutProjetsTheScratchFolderIsMadeInTheWorkingDirectory) {
    const std::string folder = makeWorkFolder("play-no-projets");
    startInProcess(folder);
    fs::remove_all(folder + "/Projets");
    runEditorScript(clickMenuEntry(TestGame) + "type SAUVE\nkey return\ntype 2\nkey escape\nkey escape\n");
    EXPECT_TRUE(fs::is_directory(folder + "/Sans Titre"));
    EXPECT_EQ(savedGamesIn(folder + "/Sans Titre"), 0);
    EXPECT_EQ(savedGamesIn(folder), 0);
    EXPECT_EQ(currentDirectory(), programFolder);
    fs::create_directory(folder + "/Projets");
}
