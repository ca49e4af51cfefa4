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
#include "platform/platform.h"
#include "platform/program.h"

// What choosing an entry does.
enum MenuAction {
    ShowsPage,
    ShowsProjectList,  // its page, with the project folders read again
    StartsAfresh,      // at once and without a question: the default adventure, no project
    EndsEditor,
};

struct MenuEntry {
    const char16_t* label;
    EditorPage page;
    MenuAction action;
    int64_t x;  // the button's top-left corner; every button is 350 x 30
    int64_t y;
};

// Two entries a row from the top; below the layout settings, from y 530 on,
// there is room for more.
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

constexpr int SettingCount = 18;
constexpr int64_t FirstSettingZone = MenuEntryCount + 1;  // zone id = FirstSettingZone + setting number - 1

static const char16_t* const settingRowLabels[6] = {
    u"ZONE IMAGE",      u"ZONE DESCRIPTION",          u"ZONE TEXTE",
    u"ZONE INVENTAIRE", u"MAX. OBJETS EN INVENTAIRE", u"MAX. OBJETS EN MAIN"};
static const int64_t settingRowY[6] = {350, 380, 410, 440, 470, 500};

// The stored value of setting 1..18, in the order of the page's table.
static int64_t* settingValue(int64_t setting) {
    if (setting == 17) return &adventure.maxObjectsInInventory;
    if (setting == 18) return &adventure.maxObjectsInHand;
    Zone* zones[4] = {&adventure.imageZone, &adventure.descriptionZone, &adventure.textZone, &adventure.inventoryZone};
    Zone* zone = zones[(setting - 1) / 4];
    switch ((setting - 1) % 4) {
        case 0:
            return &zone->x;
        case 1:
            return &zone->y;
        case 2:
            return &zone->width;
        default:
            return &zone->height;
    }
}

static void settingCell(int64_t setting, int64_t& x, int64_t& y) {
    if (setting >= 17) {
        x = 400;
        y = settingRowY[setting - 13];
        return;
    }
    x = 400 + 50 * ((setting - 1) % 4);
    y = settingRowY[(setting - 1) / 4];
}

void drawMenuPage() {
    startPage(u"", 0);
    drawCentredText(u"MENU", 400, 16, 0, 0, 0);

    for (int entry = 0; entry < MenuEntryCount; ++entry) {
        const MenuEntry& shown = menuEntries[entry];
        drawLabelledButton(shown.label, shown.x, shown.y, 350, 30);
        setClickZone(entry, entry + 1, shown.x, shown.y, 350, 30);
    }
    for (int row = 0; row < 6; ++row) drawLabel(settingRowLabels[row], 33, settingRowY[row], 0, 0, 0);

    const int64_t cellWidth = textWidth(u"000");
    const int64_t cellHeight = textHeight(u"000");
    for (int64_t setting = 1; setting <= SettingCount; ++setting) {
        int64_t x = 0;
        int64_t y = 0;
        settingCell(setting, x, y);
        fillRect(x, y, cellWidth, cellHeight, rgb(255, 0, 0));
        const int64_t zone = FirstSettingZone + setting - 1;
        setClickZone(static_cast<int>(zone - 1), zone, x, y, cellWidth, cellHeight);
    }
    for (int64_t setting = 1; setting <= SettingCount; ++setting) {
        int64_t x = 0;
        int64_t y = 0;
        settingCell(setting, x, y);
        const int64_t level = setting == selectedSetting ? 255 : 0;
        drawLabel(formatNumber3(*settingValue(setting)), x, y, level, level, level);
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
            startNewAdventure();
            break;
        case EndsEditor:
            return true;
    }
    return false;
}

// Wraps a changed value back into its range once, on the side it moved
// towards: a value brought from a file far outside the range moves by one
// range only.
static int64_t wrapOnce(int64_t value, int64_t direction, int64_t lowest, int64_t size) {
    if (direction > 0 && value > lowest + size - 1) return value - size;
    if (direction < 0 && value < lowest) return value + size;
    return value;
}

void menuPageAdjust(int64_t direction, int64_t step) {
    if (selectedSetting < 1 || selectedSetting > SettingCount || direction == 0) return;
    int64_t* value = settingValue(selectedSetting);
    const int64_t changed = *value + (direction > 0 ? step : -step);
    if (selectedSetting >= 17) {
        *value = wrapOnce(changed, direction, 0, 256);
        return;
    }
    // x, y, width, height: positions start at 0, sizes at 1.
    const int64_t lowest[4] = {0, 0, 1, 1};
    const int64_t size[4] = {800, 600, 800, 600};
    const int64_t kind = (selectedSetting - 1) % 4;
    *value = wrapOnce(changed, direction, lowest[kind], size[kind]);
}
