// The editor's frame as an author uses it: the menu's buttons and layout
// settings, the project list, saving and loading a project, the test play and
// the multimedia report.
#include <filesystem>

#include "editor/folder_list.h"
#include "model/adventure_file.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

std::string startEditor(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    return folder;
}

// Whether a page's title bar (its title starting at x 60) was drawn.
bool titleShown(const std::string& output, const std::string& title) {
    for (const Drawn& text : drawn(output)) {
        if (text.x == 60 && text.text == title) return true;
    }
    return false;
}

}  // namespace

TEST(EditorMenu, LayoutSettingsWrapWithinTheirRanges) {
    const struct {
        int64_t cellX, cellY;
        int64_t* value;
        int64_t before;
        const char* does;
        int64_t after;
    } cases[] = {
        {400, 350, &adventure.imageZone.x, 795, "key pageup", 5},
        {450, 350, &adventure.imageZone.y, 0, "key pagedown", 590},
        {500, 350, &adventure.imageZone.width, 5, "wheel -1 ctrl", 795},
        {550, 350, &adventure.imageZone.height, 600, "key up", 1},
        {450, 380, &adventure.descriptionZone.y, 360, "wheel 1 ctrl shift", 361},
        {550, 440, &adventure.inventoryZone.height, 1, "key down", 600},
        {400, 500, &adventure.maxObjectsInHand, 0, "wheel -1", 255},
        {400, 470, &adventure.maxObjectsInInventory, 250, "wheel 1 ctrl", 4},
        {500, 410, &adventure.textZone.width, 5000, "key up", 201},  // a value from a file comes into the range
        {404, 350, &adventure.imageZone.x, 7, "click 100 560\nwheel 1", 7},
    };
    for (const auto& c : cases) {
        startEditor("settings");
        *c.value = c.before;
        runEditor(click(c.cellX + 4, c.cellY + 4) + c.does);
        EXPECT_EQ(*c.value, c.after) << c.does;
    }
}

TEST(EditorMenu, ANotchThatChangesNothingDrawsNothing) {
    // Nothing chosen on the menu, the first spelling, the map's top, an empty list; and notches that change.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"", "wheel 1", false}, {click(404, 354), "wheel 1", true}, {menuEntry(Vocabulary), "wheel 1", false},
        {menuEntry(Vocabulary), "key down", true}, {menuEntry(Map), "key pageup", false},
        {menuEntry(LoadFile), "wheel -1", false}, {menuEntry(ObjectPlacement), "wheel 1", true}};
    for (const auto& [opens, notch, changes] : cases) {
        startEditor("notch");
        const size_t without = drawn(runEditor(opens)).size();
        startEditor("notch");
        EXPECT_EQ(drawn(runEditor(opens + notch)).size() != without, changes) << opens << notch;
    }
}

TEST(EditorMenu, ButtonsOpenTheirPagesUpToTheirEdges) {
    startEditor("menu");
    adventure.textZone.width = 1000;
    // "TEXTE SALLES" spans x 33 to 382 and y 70 to 99: a click at 383 or 69 misses it.
    const std::string output = runEditor(click(504, 414) + click(200, 69) + "mark gap\n" + click(382, 70) +
                                         "key escape\n" + click(383, 75) + "mark edge\n");
    const size_t gap = output.find("mark gap"), edge = output.find("mark edge");
    EXPECT_FALSE(titleShown(output.substr(0, gap), "TEXTE SALLES"));
    EXPECT_TRUE(titleShown(output.substr(gap, edge - gap), "TEXTE SALLES"));
    EXPECT_FALSE(titleShown(output.substr(edge), "TEXTE SALLES"));
    // A value from a file wider than its cell is drawn whole.
    const std::vector<Drawn> all = drawn(output);
    EXPECT_TRUE(std::any_of(all.begin(), all.end(), [](const Drawn& t) { return t.text == "1000" && t.x == 500; }));
}

TEST(EditorMenu, ResetGivesTheDefaultAdventureAndForgetsTheProject) {
    startEditor("reset");
    projectName = u"p";
    adventure.roomTexts[0] = u"changé";
    adventure.imageZone.x = 9;
    runEditor(menuEntry(Reset));
    EXPECT_EQ(adventure.roomTexts[0], u"Vous vous trouvez à l'entrée du château.");
    EXPECT_EQ(adventure.imageZone.x, 0);
    EXPECT_EQ(projectName, u"");
    startEditor("quit");
    queueInputScript(menuEntry(Quit) + "mark still running\nkey escape\n");
    runMainLoop();
    EXPECT_EQ(takeHeadlessOutput().find("mark still running"), std::string::npos);
}

TEST(EditorProjects, TheListShowsProjectFoldersTenAtATime) {
    const struct {
        int folders;
        const char* does;
        int64_t first;
    } cases[] = {{0, "wheel -1", 0},
                 {11, "wheel -1\nwheel -1", 1},
                 {11, "wheel -1\nwheel 1", 0},
                 {30, "key pagedown\nkey pagedown\nkey pagedown", 20},
                 {30, "key pagedown\nkey up", 9}};
    for (const auto& c : cases) {
        const std::string folder = startEditor("list");
        for (int i = 0; i < c.folders; ++i) fs::create_directories(folder + "/Projets/projet" + std::to_string(i));
        fs::create_directories(folder + "/Projets/Sans Titre");
        writeFile(folder + "/Projets/fichier", "x");
        const std::string output = runEditor(menuEntry(LoadFile) + c.does + "\nmark shown\n");
        EXPECT_EQ(folderListFirst, c.first) << c.does;
        const std::string upToMark = output.substr(0, output.find("mark shown"));
        const std::string shown = upToMark.substr(upToMark.rfind("CHARGER FICHIER"));
        for (const char* hidden : {"Sans Titre", "fichier"}) EXPECT_EQ(shown.find(hidden), std::string::npos);
        int names = 0;
        for (const Drawn& text : drawn(shown)) names += text.text.rfind("projet", 0) == 0;
        EXPECT_EQ(names, std::min(c.folders, 10)) << c.does;
    }
}

TEST(EditorProjects, ANamedProjectIsSavedThenLoadedFromTheList) {
    const std::string folder = startEditor("save_load");
    adventure.roomTexts[0] = u"Ma salle.";
    const std::string rename = menuEntry(SaveFile) + click(50, 415) + click(50, 450);  // "EFFA", "EDIT"
    runEditor(rename + "type a/b:c\nkey return\n" + click(400, 475));
    EXPECT_EQ(projectName, u"abc");
    EXPECT_EQ(fileLines(folder + "/Projets/abc/abc.orv")[11], "Ma salle.");
    // Names that are not project folders save nothing.
    for (const char* name : {"Sans Titre", ".", ".."}) {
        runEditor(rename + "type " + name + "\nkey return\n" + click(400, 475));
        EXPECT_FALSE(fs::exists(folder + "/Projets/" + name + "/" + name + ".orv")) << name;
    }
    // A long name is cut until it fits its field with the cursor.
    runEditor(rename + "type " + std::string(90, 'n') + "\nkey return\n");
    EXPECT_GT(projectName.size(), 30u);
    EXPECT_LT(projectName.size(), 90u);

    runEditor(menuEntry(Reset) + menuEntry(LoadFile) + click(400, 240) + click(400, 120));
    EXPECT_EQ(adventure.roomTexts[0], u"Ma salle.");
    EXPECT_EQ(projectName, u"abc");
}

TEST(EditorProjectsDeathTest, LoadingAFolderWithoutItsAdventureEndsWithItsMessage) {
    const std::string folder = startEditor("load_missing");
    fs::create_directories(folder + "/Projets/vide");
    EXPECT_FATAL_BOX(runEditor(menuEntry(LoadFile) + click(400, 120)),
                     "Fichier 'Projets\\vide\\vide.orv' introuvable !");
}

TEST(EditorMultimedia, TheReportCountsTheProjectsMediaFiles) {
    const std::string folder = startEditor("multimedia");
    const std::string project = folder + "/Projets/p/";
    fs::create_directories(project);
    for (const char* name : {"introduction.jpg", "0.jpg", "252.jpg", "253.jpg", "007.jpg", "5.ogg", "999.ogg"}) {
        writeFile(project + name, "x");
    }
    writeFile(project + "ecran.jpg", "");
    projectFolder = u"Projets\\p\\";
    EXPECT_TRUE(inOrder(texts(runEditor(menuEntry(Multimedia))),
                        {"Image d'introduction", "Pas de son d'introduction", "Pas d'image écran",
                         "2 images d'illustration trouvées", "2 sons ogg trouvés"}));
    // The report follows the folder: a picture copied in, a sound emptied.
    writeFile(project + "8.jpg", "x");
    writeFile(project + "5.ogg", "");
    EXPECT_TRUE(
        inOrder(texts(runEditor(menuEntry(Multimedia))), {"3 images d'illustration trouvées", "1 sons ogg trouvés"}));
    projectFolder.clear();  // no project: the program's own folder, which has none
    EXPECT_TRUE(inOrder(texts(runEditor(menuEntry(Multimedia))),
                        {"Pas d'image d'introduction", "0 images d'illustration trouvées", "0 sons ogg trouvés"}));
}
