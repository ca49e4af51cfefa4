// The menu page and the editor frame: every entry opens its page and Escape or
// "MENU" comes back, the quitting entries, the click zones, and the layout
// settings changed with the wheel and the keys.
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

struct PageCase {
    int64_t page;
    const char16_t* title;
    int64_t titleY;  // centre of the title bar
    int64_t menuX;   // centre of the page's "MENU" button
    int64_t menuY;
};

// Where a person sees each page's title and finds its "MENU" button.
const PageCase pageCases[] = {
    {Vocabulary, u"VOCABULAIRE", 35, 140, 250},         {MessageTexts, u"TEXTE MESSAGES", 95, 50, 280},
    {RoomTexts, u"TEXTE SALLES", 95, 50, 280},          {Movements, u"DEPLACEMENTS", 35, 400, 575},
    {ObjectTexts, u"TEXTE OBJETS", 95, 50, 280},        {ObjectPlacement, u"PLACER OBJETS", 35, 400, 575},
    {MinorEvents, u"EVTS. MINEURS", 35, 50, 450},       {MajorEvents, u"EVTS. MAJEURS", 35, 50, 450},
    {SystemMessages, u"MESS. SYSTEMES", 95, 50, 280},   {Multimedia, u"MULTIMEDIA", 95, 400, 415},
    {SaveFile, u"SAUVER FICHIER", 35, 50, 380},         {LoadFile, u"CHARGER FICHIER", 35, 400, 475},
    {ObjectAttributes, u"ATTRIB. OBJETS", 35, 400, 515}};

// The menu page's own title, drawn centred on (400, 16).
int64_t findMenuTitle(const std::vector<DrawnText>& texts, int64_t from) {
    return findDrawn(texts, "MENU", centredX(u"MENU", 400), centredY(u"MENU", 16), from);
}

// A page's title: it starts at x 60 in its title bar.
int64_t findPageTitle(const std::vector<DrawnText>& texts, const PageCase& page, int64_t from) {
    return findDrawn(texts, textToUtf8(page.title), 60, centredY(page.title, page.titleY), from);
}

// A click on the cell of a layout setting (1..18).
std::string clickSetting(int64_t setting) {
    const int64_t rowY[6] = {350, 380, 410, 440, 470, 500};
    const int64_t x = setting <= 16 ? 400 + 50 * ((setting - 1) % 4) : 400;
    const int64_t y = setting <= 16 ? rowY[(setting - 1) / 4] : rowY[setting - 13];
    return clickAt(x + 5, y + 5);
}

}  // namespace

// Escape brings the menu page back without ending the program (the menu is
// drawn again and the next script line is read); so does the page's "MENU"
// button; back on the menu, Escape ends the program.
TEST(EditorMenu, EveryEntryOpensItsPageAndEscapeOrItsMenuButtonComesBack) {
    for (const PageCase& page : pageCases) {
        const std::string name = textToUtf8(page.title);
        startInProcess(makeWorkFolder("menu-pages"));
        const std::string output =
            runEditorScript(clickMenuEntry(page.page) + "key escape\nmark escaped\n" + clickMenuEntry(page.page) +
                            clickAt(page.menuX, page.menuY) + "mark back\nkey escape\nmark never\n");
        const std::vector<DrawnText> texts = outputEntries(output);
        int64_t at = 0;
        for (const char* step : {"title", "menu", "mark escaped", "title", "menu", "mark back"}) {
            const std::string wanted = step;
            at = wanted == "title"  ? findPageTitle(texts, page, at)
                 : wanted == "menu" ? findMenuTitle(texts, at)
                                    : findDrawn(texts, wanted, -1, -1, at);
            ASSERT_NE(at, -1) << name << ": " << wanted << "\n" << output;
        }
        EXPECT_EQ(findDrawn(texts, "mark never"), -1) << name;
        EXPECT_EQ(currentPage, Menu);
        EXPECT_EQ(running, 0);
    }
}

TEST(EditorMenu, SecondEscapeAndQuitterEndTheProgramWithStatusZero) {
    const std::string folder = makeWorkFolder("menu-quit");
    HeadlessRun run = runHeadless(
        folder, "key return\n" + clickMenuEntry(RoomTexts) + "key escape\nmark menu\nkey escape\nmark never\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("mark menu"), std::string::npos);
    EXPECT_EQ(run.output.find("mark never"), std::string::npos);
    EXPECT_EQ(run.output.find("box "), std::string::npos);
    // "QUITTER" ends at once, without a question, unsaved changes or not.
    run = runHeadless(folder, "key return\n" + clickSetting(18) + "wheel 1\n" + clickMenuEntry(Quit) + "mark never\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("mark never"), std::string::npos);
    EXPECT_EQ(run.output.find("box "), std::string::npos);
}

// Entry i stands at x 33 + 383 (i mod 2), y 35 (i / 2 + 1), its label centred
// on it; "VOCABULAIRE" covers x 33..382 and y 35..64: x 383 and y 65 miss it,
// though its shadow is drawn there.
TEST(EditorMenu, ButtonsStandInTwoColumnsAndTheirRightAndBottomEdgesMiss) {
    startInProcess(makeWorkFolder("menu-edges"));
    const std::vector<DrawnText> texts = drawnTexts(runEditorScript("key escape\n"));
    const struct {
        const char16_t* label;
        int64_t cx, cy;
    } buttons[] = {
        {u"VOCABULAIRE", 208, 50}, {u"TEXTE MESSAGES", 591, 50}, {u"REINITIALISER", 208, 295}, {u"QUITTER", 591, 295}};
    for (const auto& b : buttons) {
        EXPECT_NE(findDrawn(texts, textToUtf8(b.label), centredX(b.label, b.cx), centredY(b.label, b.cy)), -1)
            << textToUtf8(b.label);
    }
    EXPECT_EQ(readPixel(backBuffer, 33, 35), rgb(0, 0, 0));
    EXPECT_EQ(readPixel(backBuffer, 34, 36), rgb(255, 255, 255));

    startInProcess(makeWorkFolder("menu-edges"));
    std::string output = runEditorScript("click 383 50\nclick 200 65\nmark missed\nkey escape\nkey escape\n");
    EXPECT_EQ(findDrawn(outputEntries(output), "VOCABULAIRE", 60), -1);
    EXPECT_NE(findDrawn(outputEntries(output), "mark missed"), -1);
    EXPECT_EQ(currentPage, Menu);
    startInProcess(makeWorkFolder("menu-edges"));
    output = runEditorScript("click 382 64\nmark hit\nkey escape\nkey escape\n");
    EXPECT_NE(findDrawn(drawnTexts(output), "VOCABULAIRE", 60), -1);
}

TEST(EditorMenu, HitTestTakesTheFirstRowAndNeverRowOneHundredFifteen) {
    startInProcess(makeWorkFolder("menu-hittest"));
    clearClickZones();
    setClickZone(5, 9, 100, 100, 50, 50);
    setClickZone(3, 7, 120, 120, 50, 50);
    const int64_t points[][3] = {{130, 130, 7},  // the lower row wins where they overlap
                                 {100, 100, 9}, {149, 149, 7}, {169, 169, 7}, {170, 130, 0},  // right edge excluded
                                 {130, 170, 0}};                                              // bottom edge excluded
    for (const auto& p : points) EXPECT_EQ(hitTest(p[0], p[1]), p[2]) << p[0] << "," << p[1];
    setClickZone(10, 4, 0, 0, 0, 600);
    EXPECT_EQ(hitTest(0, 10), 0);  // a zone of width 0 never matches
    setClickZone(115, 12, 0, 0, 800, 600);
    EXPECT_EQ(hitTest(700, 500), 0);
    setClickZone(114, 13, 0, 0, 800, 600);
    EXPECT_EQ(hitTest(700, 500), 13);
    clearClickZones();
    EXPECT_EQ(hitTest(700, 500), 0);
}

// Each setting wraps once around its range, on the side it moved towards; a
// value far outside its range moves by one range only.
TEST(EditorMenu, SettingsWrapAroundTheirRanges) {
    const struct {
        int64_t setting;
        int64_t* value;
        int64_t start;
        const char* keys;
        int64_t expected;
    } cases[] = {
        {1, &adventure.imageZone.x, 795, "key pageup\n", 5},
        {1, &adventure.imageZone.x, 0, "wheel -1\n", 799},
        {2, &adventure.imageZone.y, 595, "key pageup\n", 5},
        {6, &adventure.descriptionZone.y, 3, "key pagedown\n", 593},
        {7, &adventure.descriptionZone.width, 5, "wheel -1 ctrl\n", 795},
        {7, &adventure.descriptionZone.width, 800, "key up\n", 1},
        {11, &adventure.textZone.width, 1, "key down\n", 800},
        {12, &adventure.textZone.height, 600, "wheel 1\n", 1},
        {16, &adventure.inventoryZone.height, 1, "key down\n", 600},
        {17, &adventure.maxObjectsInInventory, 250, "wheel 1 ctrl\n", 4},
        {18, &adventure.maxObjectsInHand, 0, "wheel -1\n", 255},
        {18, &adventure.maxObjectsInHand, 255, "key up\n", 0},
        {13, &adventure.inventoryZone.x, 490, "key up\nkey up\nkey down\nkey pageup\n", 501},
        {1, &adventure.imageZone.x, 5000, "key up\n", 4201},
        {18, &adventure.maxObjectsInHand, -300, "key down\n", -45},
    };
    for (const auto& wrap : cases) {
        startInProcess(makeWorkFolder("menu-wrap"));
        *wrap.value = wrap.start;
        runEditorScript(clickSetting(wrap.setting) + wrap.keys + "key escape\n");
        EXPECT_EQ(*wrap.value, wrap.expected) << "setting " << wrap.setting << " from " << wrap.start;
        EXPECT_EQ(selectedSetting, wrap.setting);
    }
}

TEST(EditorMenu, NothingChangesWithoutASelectedSetting) {
    startInProcess(makeWorkFolder("menu-none"));
    keptAdventure = adventure;
    // No setting chosen yet; then one chosen and cleared by a click on an
    // empty place of the page.
    runEditorScript("wheel 1\nkey pageup\nkey down\nwheel -1 ctrl\n" + clickSetting(5) + clickAt(700, 580) +
                    "wheel 1\nkey pagedown\nkey escape\n");
    EXPECT_EQ(selectedSetting, 0);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
    EXPECT_EQ(adventure.maxObjectsInInventory, 10);
}

TEST(EditorMenu, CellsAreRedWithTheirValuesAndTheSelectedOneIsWhite) {
    startInProcess(makeWorkFolder("menu-cells"));
    adventure.inventoryZone.width = 1234;  // only a file can bring such a value
    const std::vector<DrawnText> texts = drawnTexts(runEditorScript(clickSetting(17) + "key escape\n"));
    // Defaults after start, each drawn at its cell's corner.
    const struct {
        const char* text;
        int64_t x, y;
    } cells[] = {{"400", 500, 350},
                 {"360", 450, 380},
                 {"424", 450, 410},
                 {"1234", 500, 440},
                 {"010", 400, 470},
                 {"002", 400, 500},
                 {"MAX. OBJETS EN INVENTAIRE", 33, 470}};
    for (const auto& c : cells) EXPECT_NE(findDrawn(texts, c.text, c.x, c.y), -1) << c.text;

    // The last frame shows setting 17 selected: white digits on its red cell,
    // black digits on the others; the cell is exactly the size of "000".
    const int64_t width = textWidth(u"000");
    const int64_t height = textHeight(u"000");
    auto count = [&](int64_t top, Colour colour) { return pixelsOf(backBuffer, 400, top, width, height, colour); };
    EXPECT_GT(count(470, rgb(255, 255, 255)), 0);
    EXPECT_GT(count(470, rgb(255, 0, 0)), 0);
    EXPECT_EQ(count(500, rgb(255, 255, 255)), 0);
    EXPECT_GT(count(500, rgb(0, 0, 0)), 0);
    EXPECT_GT(count(500, rgb(255, 0, 0)), 0);
    EXPECT_EQ(readPixel(backBuffer, 400 + width, 500 + height / 2), rgb(128, 128, 128));
    EXPECT_EQ(readPixel(backBuffer, 400 + width / 2, 500 + height), rgb(128, 128, 128));
}

TEST(EditorMenu, ReinitialiserRestoresTheDefaultAdventureAndLayoutAndStaysOnTheMenu) {
    startInProcess(makeWorkFolder("menu-reset"));
    adventure.roomTexts[0] = u"Une salle changée";
    adventure.textZone.height = 77;
    adventure.minorEventCount = 12;
    projectName = u"chateau";
    projectFolder = u"Projets\\chateau\\";
    runEditorScript(clickSetting(3) + clickMenuEntry(Reset) + "key up\nmark after\nkey escape\n");
    EXPECT_EQ(adventure.roomTexts[0], u"Vous vous trouvez à l'entrée du château.");
    EXPECT_EQ(adventure.textZone.height, 140);
    EXPECT_EQ(adventure.minorEventCount, 1);
    EXPECT_EQ(adventure.imageZone.width, 400);  // the click on the entry cleared the selection
    EXPECT_EQ(projectName, u"");
    EXPECT_EQ(projectFolder, u"");
    EXPECT_EQ(currentPage, Menu);
}
