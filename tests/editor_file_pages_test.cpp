// The save and load pages: the project name field, "SAUVER" into a project
// folder, the folder list with its scrolling, loading a project by a click on
// its line, and "REINITIALISER" after a load.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/folder_list.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

// The save page's buttons and the load page's list lines, where a person
// clicks them.
const std::string ClickEffa = "click 50 415\n";
const std::string ClickEdit = "click 50 450\n";
const std::string ClickSauver = "click 400 475\n";
const std::string ClickLoadMenu = "click 400 475\n";

std::string clickListLine(int line) {
    return "click 400 " + std::to_string(120 + 20 * line) + "\n";
}

// Opens the save page, types the name and saves.
std::string saveAs(const std::string& name) {
    return clickMenuEntry(SaveFile) + ClickEdit + "type " + name + "\nkey return\n" + ClickSauver;
}

}  // namespace

// The typed name drops the characters a file name cannot hold; Escape ends
// the entry and keeps what was typed; a name too long is shortened until it
// and its "_" mark fit the 560-pixel usable width, one letter more would not.
TEST(EditorFilePages, TypedNameDropsTheCharactersAFileNameCannotHoldAndFitsTheField) {
    startInProcess(makeWorkFolder("files-filter"));  // the editor's font measures the field
    std::u16string longest;
    while (longest.size() < 90 && textWidth(longest + u"W_") <= 560) longest += u'W';
    ASSERT_LT(longest.size(), 90u);
    const std::pair<std::string, std::u16string> cases[] = {{"a/b\nkey escape", u"ab"},
                                                            {"x<>:\"/\\|?*é 2\nkey return", u"xé 2"},
                                                            {std::string(90, 'W') + "\nkey return", longest}};
    for (const auto& [typed, name] : cases) {
        startInProcess(makeWorkFolder("files-filter"));
        runEditorScript(clickMenuEntry(SaveFile) + ClickEdit + "type " + typed + "\nkey escape\nkey escape\n");
        EXPECT_EQ(projectName, name) << typed;
        EXPECT_EQ(editingText, 0);
    }
}

TEST(EditorFilePages, NameEntryKeepsEveryKeystrokeAndEndsOnlyOnANonEmptyReturn) {
    startInProcess(makeWorkFolder("files-entry"));
    // Backspace removes the last letter at once; Return on an empty name does
    // not end the entry, so "z" still counts; a click on "EFFA" during the
    // entry is ignored, so "y" follows "z".
    const std::string output = runEditorScript(clickMenuEntry(SaveFile) + ClickEdit +
                                               "type abc\nkey backspace\nmark typed\n"
                                               "key backspace\nkey backspace\nkey backspace\nkey return\n"
                                               "type z\n" +
                                               ClickEffa + "type y\nkey return\nmark ended\nkey escape\nkey escape\n");
    EXPECT_EQ(projectName, u"zy");
    EXPECT_EQ(editingText, 0);
    // The field showed "ab" with the cursor mark before "mark typed", and
    // "zy" without it once Return had ended the entry.
    const std::vector<DrawnText> texts = outputEntries(output);
    const int64_t typed = findDrawn(texts, "mark typed");
    const int64_t ended = findDrawn(texts, "mark ended");
    ASSERT_NE(typed, -1);
    ASSERT_NE(ended, -1);
    EXPECT_EQ(texts[typed - 1].text, "SAUVER");
    const int64_t field = findDrawn(texts, "ab_", 170, 405, findDrawn(texts, "abc_"));  // after the Backspace
    EXPECT_NE(field, -1) << output;
    EXPECT_LT(field, typed);
    EXPECT_EQ(texts[ended - 2].text, "zy");
}

TEST(EditorFilePages, SauverCreatesTheFolderListsItAndWritesTheAdventure) {
    const std::string folder = makeWorkFolder("files-save");
    startInProcess(folder);
    adventure.roomTexts[2] = u"La cour, sous la pluie.";
    const std::string output = runEditorScript(saveAs("monjeu") + "mark saved\nkey escape\nkey escape\n");
    EXPECT_EQ(projectName, u"monjeu");
    EXPECT_EQ(projectFolder, u"Projets\\monjeu\\");
    const std::string file = folder + "/Projets/monjeu/monjeu.orv";
    ASSERT_TRUE(pathExists(file));
    EXPECT_NE(readFileBytes(file).find("La cour, sous la pluie.\r\n"), std::string::npos);
    // The list, redrawn after the save, shows the new project on its first line.
    EXPECT_EQ(folderList[0], u"monjeu");
    const std::vector<DrawnText> texts = outputEntries(output);
    const int64_t listed = findDrawn(texts, "monjeu", centredX(u"monjeu", 400), centredY(u"monjeu", 120));
    EXPECT_NE(listed, -1) << output;
    EXPECT_LT(listed, findDrawn(texts, "mark saved"));
}

TEST(EditorFilePages, SauverDoesNothingWithAnEmptyOrDotName) {
    const std::string folder = makeWorkFolder("files-dots");
    for (const std::string name : {"", ".", ".."}) {
        startInProcess(folder);
        const std::string typing = name.empty() ? "" : ClickEdit + "type " + name + "\nkey return\n";
        runEditorScript(clickMenuEntry(SaveFile) + typing + ClickSauver + "key escape\nkey escape\n");
        EXPECT_EQ(projectName, utf8ToText(name));
        EXPECT_EQ(projectFolder, u"") << name;
    }
    // Nothing was written anywhere: not in "Projets", not beside it.
    EXPECT_TRUE(fs::is_empty(folder + "/Projets"));
    for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_NE(entry.path().extension(), ".orv") << entry.path();
    }
}

TEST(EditorFilePages, LoadingAProjectReplacesTheAdventureAndABlankLineDoesNothing) {
    const std::string folder = makeWorkFolder("files-load");
    startInProcess(folder);
    adventure.roomTexts[0] = u"Le donjon.";
    adventure.maxObjectsInHand = 7;
    adventure.exits[0][1] = 3;
    runEditorScript(saveAs("donjon") + "key escape\nkey escape\n");

    // A new run: the default adventure, no project.
    startInProcess(folder);
    ASSERT_EQ(adventure.maxObjectsInHand, 2);
    runEditorScript(clickMenuEntry(LoadFile) + clickListLine(5) + "mark blank\nkey escape\nkey escape\n");
    EXPECT_EQ(projectName, u"");
    EXPECT_EQ(adventure.roomTexts[0], u"Vous vous trouvez à l'entrée du château.");

    startInProcess(folder);
    const std::string output =
        runEditorScript(clickMenuEntry(LoadFile) + clickListLine(0) + "mark loaded\n" + ClickLoadMenu + "key escape\n");
    EXPECT_EQ(projectName, u"donjon");
    EXPECT_EQ(projectFolder, u"Projets\\donjon\\");
    EXPECT_EQ(adventure.roomTexts[0], u"Le donjon.");
    EXPECT_EQ(adventure.maxObjectsInHand, 7);
    EXPECT_EQ(adventure.exits[0][1], 3);
    // The page stays and shows the current project in its box.
    const std::vector<DrawnText> texts = outputEntries(output);
    const int64_t loaded = findDrawn(texts, "mark loaded");
    ASSERT_NE(loaded, -1);
    const int64_t shown = findDrawn(texts, "donjon", 120, 405);
    EXPECT_NE(shown, -1) << output;
    EXPECT_LT(shown, loaded);
}

TEST(EditorFilePages, ReinitialiserAfterALoadEmptiesTheNameSoSauverDoesNothing) {
    const std::string folder = makeWorkFolder("files-reset");
    startInProcess(folder);
    runEditorScript(saveAs("tour") + "key escape\nkey escape\n");
    const std::string before = readFileBytes(folder + "/Projets/tour/tour.orv");

    startInProcess(folder);
    adventure.roomTexts[1] = u"Changé après le chargement";
    const std::string output =
        runEditorScript(clickMenuEntry(LoadFile) + clickListLine(0) + "key escape\n" + clickMenuEntry(Reset) +
                        clickMenuEntry(SaveFile) + "mark save\n" + ClickSauver + "key escape\nkey escape\n");
    EXPECT_EQ(projectName, u"");
    EXPECT_EQ(projectFolder, u"");
    // The save page showed an empty name field, and "SAUVER" wrote nothing.
    const std::vector<DrawnText> texts = outputEntries(output);
    const int64_t savePage = findDrawn(texts, "mark save");
    ASSERT_NE(savePage, -1);
    EXPECT_EQ(texts[savePage - 1].text, "SAUVER");
    EXPECT_EQ(texts[savePage - 2].text, "EDIT");  // no name drawn between them
    for (const DrawnText& text : texts) EXPECT_FALSE(text.x == 170 && text.y == 405) << text.text;
    EXPECT_EQ(readFileBytes(folder + "/Projets/tour/tour.orv"), before);
    EXPECT_FALSE(pathExists(folder + "/Projets/tour/tour.bak"));
}

TEST(EditorFilePages, TheListScrollsWithTheWheelAndTheKeysWithinItsNames) {
    const std::string folder = makeWorkFolder("files-scroll");
    for (int i = 0; i < 12; ++i) fs::create_directory(folder + "/Projets/projet" + std::to_string(i));
    fs::create_directory(folder + "/Projets/Sans Titre");
    writeFileBytes(folder + "/Projets/fichier.txt", "pas un projet");

    startInProcess(folder);
    runEditorScript(clickMenuEntry(LoadFile) + "wheel -1\nwheel -1\nwheel -1\nkey escape\nkey escape\n");
    EXPECT_EQ(folderListFirst, 2);  // 12 projects, ten shown: at most 2
    for (const std::u16string& name : folderList) {
        EXPECT_NE(name, u"Sans Titre");
        EXPECT_NE(name, u"fichier.txt");
        EXPECT_FALSE(name.empty());
    }

    startInProcess(folder);
    runEditorScript(clickMenuEntry(SaveFile) + "key pagedown\nkey up\nkey escape\nkey escape\n");
    EXPECT_EQ(folderListFirst, 1);

    startInProcess(folder);
    runEditorScript(clickMenuEntry(LoadFile) + "key down\nwheel 1\nwheel 1\nkey escape\nkey escape\n");
    EXPECT_EQ(folderListFirst, 0);
}

TEST(EditorFilePages, TheListIsRebuiltWhenThePageIsOpened) {
    const std::string folder = makeWorkFolder("files-rebuild");
    startInProcess(folder);
    EXPECT_EQ(folderList[0], u"");
    // A project folder made outside the program shows when the page opens.
    fs::create_directory(folder + "/Projets/nouveau");
    const std::string output = runEditorScript(clickMenuEntry(LoadFile) + "key escape\nkey escape\n");
    EXPECT_EQ(folderList[0], u"nouveau");
    EXPECT_NE(findDrawn(outputEntries(output), "nouveau", centredX(u"nouveau", 400), centredY(u"nouveau", 120)), -1);
}
