// The editor's shared state and its click-zone table.
#include "editor/editor_state.h"

ClickZone clickZones[ClickZoneCount];
int64_t currentPage = Menu;
int64_t adjustStep = 1;
int64_t adjustDirection = 0;
bool editingText = false;
std::u16string editBuffer;
bool listSelecting = false;
int64_t selectedSetting = 0;
bool liveRefreshWanted = false;

void clearClickZones() {
    for (ClickZone& zone : clickZones) zone = {0, 0, 0, 0, 0};
}

void setClickZone(int64_t id, int64_t x, int64_t y, int64_t width, int64_t height) {
    if (id < 1 || id > ClickZoneCount) return;
    clickZones[id - 1] = {id, x, y, width, height};
}

int64_t hitTest(int64_t x, int64_t y) {
    for (int row = 0; row < ClickZoneCount; ++row) {
        const ClickZone& zone = clickZones[row];
        if (zone.width <= 0 || zone.height <= 0) continue;
        if (x >= zone.x && x < zone.x + zone.width && y >= zone.y && y < zone.y + zone.height) return zone.id;
    }
    return 0;
}
