// The menu page and the editor frame: every entry opens its page and Escape or
// "MENU" comes back, the quitting entries, the click zones, and the layout
// settings changed with the wheel and the keys.
#include <gtest/gtest.h>

#include "app/platform.h"
#include "app/program.h"
#include "editor/editor_state.h"
#include "model/adventure.h"
#include "tests/editor_scenario.h"
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
int64_t findPageTitle(const std::vector<DrawnText>& texts, const PageCase& page, int64_t from = 0) {
    return findDrawn(texts, utf8(page.title), 60, centredY(page.title, page.titleY), from);
}

std::string clickAt(int64_t x, int64_t y) {
    return "click " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

// The cell of a layout setting (1..18) and a click on it.
std::string clickSetting(int64_t setting) {
    const int64_t rowY[6] = {350, 380, 410, 440, 470, 500};
    const int64_t x = setting <= 16 ? 400 + 50 * ((setting - 1) % 4) : 400;
    const int64_t y = setting <= 16 ? rowY[(setting - 1) / 4] : rowY[setting - 13];
    return clickAt(x + 5, y + 5);
}

}  // namespace

TEST(EditorMenu, EveryEntryOpensItsPageAndEscapeComesBack) {
    for (const PageCase& page : pageCases) {
        startInProcess(makeWorkFolder("menu-escape"));
        const std::string output = runEditorScript(clickMenuEntry(page.page) + "key escape\nmark back\nkey escape\n");
        const std::vector<DrawnText> texts = drawnTexts(output);
        const int64_t title = findPageTitle(texts, page);
        ASSERT_NE(title, -1) << utf8(page.title) << "\n" << output;
        // Escape brings the menu page back without ending the program: the
        // menu is drawn again and the next script line is read.
        const int64_t menu = findMenuTitle(texts, title);
        ASSERT_NE(menu, -1) << utf8(page.title);
        EXPECT_NE(findDrawn(texts, "mark back", -1, -1, menu), -1) << utf8(page.title);
        EXPECT_EQ(currentPage, Menu);
        EXPECT_EQ(running, 0);
    }
}

TEST(EditorMenu, EveryPageHasAMenuButtonThatComesBack) {
    for (const PageCase& page : pageCases) {
        startInProcess(makeWorkFolder("menu-button"));
        const std::string output = runEditorScript(clickMenuEntry(page.page) + clickAt(page.menuX, page.menuY) +
                                                   "mark back\nkey escape\nmark never\n");
        const std::vector<DrawnText> texts = drawnTexts(output);
        const int64_t title = findPageTitle(texts, page);
        ASSERT_NE(title, -1) << utf8(page.title);
        const int64_t menu = findMenuTitle(texts, title);
        ASSERT_NE(menu, -1) << utf8(page.title) << "\n" << output;
        EXPECT_NE(findDrawn(texts, "mark back", -1, -1, menu), -1);
        // Back on the menu, Escape ends the program.
        EXPECT_EQ(findDrawn(texts, "mark never"), -1);
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

TEST(EditorMenu, ButtonsStandInTwoColumnsAndTheirRightAndBottomEdgesMiss) {
    startInProcess(makeWorkFolder("menu-edges"));
    // Drawn places: entry i at x 33 + 383 (i mod 2), y 35 (i / 2 + 1), label
    // centred on the button.
    std::string output = runEditorScript("key escape\n");
    std::vector<DrawnText> texts = drawnTexts(output);
    EXPECT_NE(findDrawn(texts, "VOCABULAIRE", centredX(u"VOCABULAIRE", 208), centredY(u"VOCABULAIRE", 50)), -1);
    EXPECT_NE(findDrawn(texts, "TEXTE MESSAGES", centredX(u"TEXTE MESSAGES", 591), centredY(u"TEXTE MESSAGES", 50)),
              -1);
    EXPECT_NE(findDrawn(texts, "REINITIALISER", centredX(u"REINITIALISER", 208), centredY(u"REINITIALISER", 295)), -1);
    EXPECT_NE(findDrawn(texts, "QUITTER", centredX(u"QUITTER", 591), centredY(u"QUITTER", 295)), -1);
    EXPECT_EQ(readPixel(backBuffer, 33, 35), rgb(0, 0, 0));
    EXPECT_EQ(readPixel(backBuffer, 34, 36), rgb(255, 255, 255));

    // "VOCABULAIRE" covers x 33..382 and y 35..64: x 383 and y 65 miss it,
    // though its shadow is drawn there.
    startInProcess(makeWorkFolder("menu-edges"));
    output = runEditorScript("click 383 50\nclick 200 65\nmark missed\nkey escape\nkey escape\n");
    texts = drawnTexts(output);
    EXPECT_EQ(findDrawn(texts, "VOCABULAIRE", 60), -1);
    EXPECT_NE(findDrawn(texts, "mark missed"), -1);
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
    EXPECT_EQ(hitTest(130, 130), 7);  // lower row wins where they overlap
    EXPECT_EQ(hitTest(100, 100), 9);
    EXPECT_EQ(hitTest(149, 149), 7);
    EXPECT_EQ(hitTest(169, 169), 7);
    EXPECT_EQ(hitTest(170, 130), 0);  // right edge excluded
    EXPECT_EQ(hitTest(130, 170), 0);  // bottom edge excluded
    setClickZone(10, 4, 0, 0, 0, 600);
    EXPECT_EQ(hitTest(0, 10), 0);  // a zone of width 0 never matches
    setClickZone(115, 12, 0, 0, 800, 600);
    EXPECT_EQ(hitTest(700, 500), 0);
    setClickZone(114, 13, 0, 0, 800, 600);
    EXPECT_EQ(hitTest(700, 500), 13);
    clearClickZones();
    EXPECT_EQ(hitTest(700, 500), 0);
}

TEST(EditorMenu, SettingsWrapAroundTheirRanges) {
    struct WrapCase {
        int64_t setting;
        int64_t* value;
        int64_t start;
        const char* keys;
        int64_t expected;
    };
    const WrapCase cases[] = {
        {1, &adventure.imageZone.x, 795, "key pageup\n", 5},
        {1, &adventure.imageZone.x, 0, "wheel -1\n", 799},
        {2, &adventure.imageZone.y, 595, "key pageup\n", 5},
        {6, &adventure.descriptionZone.y, 3, "key pagedown\n", 593},
        {7, &adventure.descriptionZone.width, 5, "wheel -1 ctrl\n", 795},
        {7, &adventure.descriptionZone.width, 800, "key up\n", 800 + 1 - 800},
        {11, &adventure.textZone.width, 1, "key down\n", 800},
        {12, &adventure.textZone.height, 600, "wheel 1\n", 1},
        {16, &adventure.inventoryZone.height, 1, "key down\n", 600},
        {17, &adventure.maxObjectsInInventory, 250, "wheel 1 ctrl\n", 4},
        {18, &adventure.maxObjectsInHand, 0, "wheel -1\n", 255},
        {18, &adventure.maxObjectsInHand, 255, "key up\n", 0},
        {13, &adventure.inventoryZone.x, 490, "key up\nkey up\nkey down\nkey pageup\n", 501},
    };
    for (const WrapCase& wrap : cases) {
        startInProcess(makeWorkFolder("menu-wrap"));
        *wrap.value = wrap.start;
        runEditorScript(clickSetting(wrap.setting) + wrap.keys + "key escape\n");
        EXPECT_EQ(*wrap.value, wrap.expected) << "setting " << wrap.setting << " from " << wrap.start;
        EXPECT_EQ(selectedSetting, wrap.setting);
    }
}

TEST(EditorMenu, AValueFarOutsideItsRangeMovesByOneRangeOnly) {
    startInProcess(makeWorkFolder("menu-far"));
    adventure.imageZone.x = 5000;
    adventure.maxObjectsInHand = -300;
    runEditorScript(clickSetting(1) + "key up\n" + clickSetting(18) + "key down\nkey escape\n");
    EXPECT_EQ(adventure.imageZone.x, 4201);
    EXPECT_EQ(adventure.maxObjectsInHand, -45);
}

TEST(EditorMenu, NothingChangesWithoutASelectedSetting) {
    startInProcess(makeWorkFolder("menu-none"));
    const Adventure before = adventure;
    // No setting chosen yet; then one chosen and cleared by a click on an
    // empty place of the page.
    runEditorScript("wheel 1\nkey pageup\nkey down\nwheel -1 ctrl\n" + clickSetting(5) + clickAt(700, 580) +
                    "wheel 1\nkey pagedown\nkey escape\n");
    EXPECT_EQ(selectedSetting, 0);
    const Zone* zonesNow[4] = {&adventure.imageZone, &adventure.descriptionZone, &adventure.textZone,
                               &adventure.inventoryZone};
    const Zone* zonesBefore[4] = {&before.imageZone, &before.descriptionZone, &before.textZone, &before.inventoryZone};
    for (int z = 0; z < 4; ++z) {
        EXPECT_EQ(zonesNow[z]->x, zonesBefore[z]->x);
        EXPECT_EQ(zonesNow[z]->y, zonesBefore[z]->y);
        EXPECT_EQ(zonesNow[z]->width, zonesBefore[z]->width);
        EXPECT_EQ(zonesNow[z]->height, zonesBefore[z]->height);
    }
    EXPECT_EQ(adventure.maxObjectsInInventory, 10);
    EXPECT_EQ(adventure.maxObjectsInHand, 2);
    EXPECT_EQ(adventure.descriptionZone.x, 0);
}

TEST(EditorMenu, CellsAreRedWithTheirValuesAndTheSelectedOneIsWhite) {
    startInProcess(makeWorkFolder("menu-cells"));
    adventure.inventoryZone.width = 1234;  // only a file can bring such a value
    const std::string output = runEditorScript(clickSetting(17) + "key escape\n");
    const std::vector<DrawnText> texts = drawnTexts(output);
    // Defaults after start, each drawn at its cell's corner.
    EXPECT_NE(findDrawn(texts, "400", 500, 350), -1);
    EXPECT_NE(findDrawn(texts, "360", 450, 380), -1);
    EXPECT_NE(findDrawn(texts, "424", 450, 410), -1);
    EXPECT_NE(findDrawn(texts, "1234", 500, 440), -1);
    EXPECT_NE(findDrawn(texts, "010", 400, 470), -1);
    EXPECT_NE(findDrawn(texts, "002", 400, 500), -1);
    EXPECT_NE(findDrawn(texts, "MAX. OBJETS EN INVENTAIRE", 33, 470), -1);

    // The last frame shows setting 17 selected: white digits on its red cell,
    // black digits on the others.
    const int64_t width = textWidth(u"000");
    const int64_t height = textHeight(u"000");
    auto count = [&](int64_t left, int64_t top, Colour colour) {
        int64_t found = 0;
        for (int64_t y = top; y < top + height; ++y) {
            for (int64_t x = left; x < left + width; ++x) found += readPixel(backBuffer, x, y) == colour ? 1 : 0;
        }
        return found;
    };
    EXPECT_GT(count(400, 470, rgb(255, 255, 255)), 0);
    EXPECT_GT(count(400, 470, rgb(255, 0, 0)), 0);
    EXPECT_EQ(count(400, 500, rgb(255, 255, 255)), 0);
    EXPECT_GT(count(400, 500, rgb(0, 0, 0)), 0);
    EXPECT_GT(count(400, 500, rgb(255, 0, 0)), 0);
    // The cell is exactly the size of "000": the pixel after it is grey.
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
    // The click on the entry cleared the selection: "key up" changed nothing.
    EXPECT_EQ(adventure.imageZone.width, 400);
    EXPECT_EQ(projectName, u"");
    EXPECT_EQ(projectFolder, u"");
    EXPECT_EQ(currentPage, Menu);
}
