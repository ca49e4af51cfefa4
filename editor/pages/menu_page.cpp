// The menu page: the entries of the editor and, below them, the layout of
// the game screen (four zones) and the two carrying limits, changed with the
// wheel or the arrow keys once their red cell is chosen.
#include <iterator>

#include "editor/editor_frame.h"
#include "editor/editor_state.h"
#include "editor/folder_list.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "model/work_copies.h"
#include "platform/platform.h"
#include "platform/program.h"

// What choosing an entry does.
enum MenuAction {
    ShowsPage,
    ShowsProjectList,  // its page, with the project folders read again
    StartsAfresh,      // at once and without a question: the default adventure, no project
    EndsEditor,
    ShowsFindings,  // its page, with the adventure checked afresh
    ShowsMap,       // its page, with the map laid out afresh
};

struct MenuEntry {
    const char16_t* label;
    EditorPage page;
    MenuAction action;
    int64_t x;  // the button's top-left corner; every button is 350 x 30
    int64_t y;
};

// Two entries a row from the top, and one more row below the layout
// settings, at y 540.
constexpr MenuEntry menuEntries[] = {
    {u"VOCABULAIRE", Vocabulary, ShowsPage, 33, 35},
    {u"TEXTE MESSAGES", MessageTexts, ShowsPage, 416, 35},
    {u"TEXTE SALLES", RoomTexts, ShowsPage, 33, 70},
    {u"DEPLACEMENTS", Movements, ShowsPage, 416, 70},
    {u"TEXTE OBJETS", ObjectTexts, ShowsPage, 33, 105},
    {u"PLACER OBJETS", ObjectPlacement, ShowsPage, 416, 105},
    {u"EVTS. MINEURS", MinorEvents, ShowsPage, 33, 140},
    {u"EVTS. MAJEURS", MajorEvents, ShowsPage, 416, 140},
    {u"MESS. SYSTEMES", SystemMessages, ShowsPage, 33, 175},
    {u"MULTIMEDIA", Multimedia, ShowsPage, 416, 175},
    {u"SAUVER FICHIER", SaveFile, ShowsProjectList, 33, 210},
    {u"CHARGER FICHIER", LoadFile, ShowsProjectList, 416, 210},
    {u"ATTRIB. OBJETS", ObjectAttributes, ShowsPage, 33, 245},
    {u"TESTER JEU", TestGame, ShowsPage, 416, 245},
    {u"REINITIALISER", Reset, StartsAfresh, 33, 280},
    {u"QUITTER", Quit, EndsEditor, 416, 280},
    {u"VERIFIER", Findings, ShowsFindings, 33, 540},
    {u"CARTE", Map, ShowsMap, 416, 540},
};
constexpr int MenuEntryCount = static_cast<int>(std::size(menuEntries));

// A page's number is also where its entry stands on the menu and the entry's
// click zone (the guide's screenshots and the tests name entries so): the
// entries follow the numbers of their pages.
constexpr bool entriesFollowPageNumbers() {
    for (int entry = 0; entry < MenuEntryCount; ++entry) {
        if (menuEntries[entry].page != entry + 1) return false;
    }
    return true;
}
static_assert(entriesFollowPageNumbers(), "the menu's entries must follow the numbers of their pages");

// One value of the layout: its row and column of cells, and the range it
// wraps around in, lowest to lowest + size - 1.
struct LayoutSetting {
    const char16_t* rowLabel;  // drawn at the start of the row, left of its first cell
    int64_t row;
    int64_t column;
    int64_t* value;
    int64_t lowest;
    int64_t size;
};

// Positions start at 0, sizes at 1; the carrying limits run 0 to 255. The
// setting number of a row of this table is its place from 1 on.
static const LayoutSetting layoutSettings[] = {
    {u"ZONE IMAGE", 0, 0, &adventure.imageZone.x, 0, ScreenWidth},
    {u"ZONE IMAGE", 0, 1, &adventure.imageZone.y, 0, ScreenHeight},
    {u"ZONE IMAGE", 0, 2, &adventure.imageZone.width, 1, ScreenWidth},
    {u"ZONE IMAGE", 0, 3, &adventure.imageZone.height, 1, ScreenHeight},
    {u"ZONE DESCRIPTION", 1, 0, &adventure.descriptionZone.x, 0, ScreenWidth},
    {u"ZONE DESCRIPTION", 1, 1, &adventure.descriptionZone.y, 0, ScreenHeight},
    {u"ZONE DESCRIPTION", 1, 2, &adventure.descriptionZone.width, 1, ScreenWidth},
    {u"ZONE DESCRIPTION", 1, 3, &adventure.descriptionZone.height, 1, ScreenHeight},
    {u"ZONE TEXTE", 2, 0, &adventure.textZone.x, 0, ScreenWidth},
    {u"ZONE TEXTE", 2, 1, &adventure.textZone.y, 0, ScreenHeight},
    {u"ZONE TEXTE", 2, 2, &adventure.textZone.width, 1, ScreenWidth},
    {u"ZONE TEXTE", 2, 3, &adventure.textZone.height, 1, ScreenHeight},
    {u"ZONE INVENTAIRE", 3, 0, &adventure.inventoryZone.x, 0, ScreenWidth},
    {u"ZONE INVENTAIRE", 3, 1, &adventure.inventoryZone.y, 0, ScreenHeight},
    {u"ZONE INVENTAIRE", 3, 2, &adventure.inventoryZone.width, 1, ScreenWidth},
    {u"ZONE INVENTAIRE", 3, 3, &adventure.inventoryZone.height, 1, ScreenHeight},
    {u"MAX. OBJETS EN INVENTAIRE", 4, 0, &adventure.maxObjectsInInventory, 0, 256},
    {u"MAX. OBJETS EN MAIN", 5, 0, &adventure.maxObjectsInHand, 0, 256},
};
constexpr int SettingCount = static_cast<int>(std::size(layoutSettings));
constexpr int64_t FirstSettingZone = MenuEntryCount + 1;  // the zone of setting N is FirstSettingZone + N - 1

// The top-left corner of a setting's cell; its row label is at x 33.
static int64_t cellX(const LayoutSetting& setting) {
    return 400 + 50 * setting.column;
}
static int64_t rowY(const LayoutSetting& setting) {
    return 350 + 30 * setting.row;
}

// The heading, the entries and the row labels, which never change.
static void drawMenuLayer() {
    drawCentredText(u"MENU", 400, 16, 0, 0, 0);
    for (int entry = 0; entry < MenuEntryCount; ++entry) {
        const MenuEntry& shown = menuEntries[entry];
        drawLabelledButton(shown.label, shown.x, shown.y, 350, 30);
        setClickZone(entry + 1, shown.x, shown.y, 350, 30);
    }
    for (const LayoutSetting& setting : layoutSettings) {
        if (setting.column == 0) drawLabel(setting.rowLabel, 33, rowY(setting), 0, 0, 0);
    }
    showReadyLayer();
}

void drawMenuPage() {
    if (startLayeredPage(Menu, u"", 0)) drawMenuLayer();
    // Each value cell covers its whole box: nothing to bring back under it.
    for (int setting = 0; setting < SettingCount; ++setting) {
        const LayoutSetting& shown = layoutSettings[setting];
        drawValueCell(formatNumber3(*shown.value), cellX(shown), rowY(shown), setting + 1 == selectedSetting,
                      FirstSettingZone + setting);
    }
    endDrawing();
}

bool menuPageClick(int64_t zone) {
    selectedSetting = 0;
    if (zone >= FirstSettingZone && zone < FirstSettingZone + SettingCount) {
        selectedSetting = zone - FirstSettingZone + 1;
        return false;
    }
    if (zone < 1 || zone > MenuEntryCount) return false;
    const MenuEntry& chosen = menuEntries[zone - 1];
    switch (chosen.action) {
        case ShowsPage:
            currentPage = chosen.page;
            break;
        case ShowsProjectList:
            currentPage = chosen.page;
            rebuildFolderList(0, FolderListSlots);
            break;
        case StartsAfresh:
            if (mayLeaveWork()) startNewAdventure();
            break;
        case ShowsMap:
            currentPage = chosen.page;
            openMapPage();
            break;
        case EndsEditor:
            return true;
        case ShowsFindings:
            currentPage = chosen.page;
            openCheckPage();
            break;
    }
    return false;
}

bool menuPageAdjust(int64_t direction, int64_t step) {
    if (selectedSetting < 1 || selectedSetting > SettingCount || direction == 0) return false;
    const LayoutSetting& setting = layoutSettings[selectedSetting - 1];
    return stepInPlace(*setting.value, direction, step, setting.lowest, setting.size);
}
