// The menu page: the sixteen entries of the editor and, below them, the
// layout of the game screen (four zones) and the two carrying limits, changed
// with the wheel or the arrow keys once their red cell is chosen.
#include "editor/editor_state.h"
#include "editor/folder_list.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

static const char16_t* const menuLabels[16] = {
    u"VOCABULAIRE",    u"TEXTE MESSAGES", u"TEXTE SALLES",   u"DEPLACEMENTS", u"TEXTE OBJETS",   u"PLACER OBJETS",
    u"EVTS. MINEURS",  u"EVTS. MAJEURS",  u"MESS. SYSTEMES", u"MULTIMEDIA",   u"SAUVER FICHIER", u"CHARGER FICHIER",
    u"ATTRIB. OBJETS", u"TESTER JEU",     u"REINITIALISER",  u"QUITTER"};

constexpr int SettingCount = 18;
constexpr int64_t FirstSettingZone = 17;  // zone id = setting number + 16

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

    for (int entry = 0; entry < 16; ++entry) {
        const int64_t x = 33 + 383 * (entry % 2);
        const int64_t y = 35 * (entry / 2 + 1);
        drawButton(x, y, 350, 30);
        drawCentredText(menuLabels[entry], x + 175, y + 15, 0, 0, 0);
        setClickZone(entry, entry + 1, x, y, 350, 30);
    }
    for (int row = 0; row < 6; ++row) drawLabel(settingRowLabels[row], 33, settingRowY[row], 0, 0, 0);

    const int64_t cellWidth = textWidth(u"000");
    const int64_t cellHeight = textHeight(u"000");
    for (int64_t setting = 1; setting <= SettingCount; ++setting) {
        int64_t x = 0;
        int64_t y = 0;
        settingCell(setting, x, y);
        fillRect(x, y, cellWidth, cellHeight, rgb(255, 0, 0));
        setClickZone(static_cast<int>(setting + 15), setting + 16, x, y, cellWidth, cellHeight);
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

void menuPageClick(int64_t zone) {
    selectedSetting = 0;
    if ((zone >= Vocabulary && zone <= Multimedia) || zone == ObjectAttributes) {
        currentPage = zone;
    } else if (zone == SaveFile || zone == LoadFile) {
        currentPage = zone;
        rebuildFolderList(0, FolderListSlots);
    } else if (zone == TestGame) {
        currentPage = TestGame;
    } else if (zone >= FirstSettingZone && zone < FirstSettingZone + SettingCount) {
        selectedSetting = zone - 16;
    }
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
