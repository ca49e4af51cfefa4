// The editor's shared state: the pages, the click-zone table that every page
// fills while it draws, and the input modes of the main loop.
#pragma once

#include <cstdint>
#include <string>

// The pages, numbered as their entries stand on the menu: the entry of page N
// is the menu's N-th. "REINITIALISER" and "QUITTER" act at once and are never
// shown.
enum EditorPage {
    Menu = 0,
    Vocabulary = 1,
    MessageTexts = 2,
    RoomTexts = 3,
    Movements = 4,
    ObjectTexts = 5,
    ObjectPlacement = 6,
    MinorEvents = 7,
    MajorEvents = 8,
    SystemMessages = 9,
    Multimedia = 10,
    SaveFile = 11,
    LoadFile = 12,
    ObjectAttributes = 13,
    TestGame = 14,
    Reset = 15,
    Quit = 16,
    Findings = 17,  // "VERIFIER"
    Map = 18,       // "CARTE"
};

struct ClickZone {
    int64_t id;
    int64_t x;
    int64_t y;
    int64_t width;
    int64_t height;
};

// Click zones are numbered from 1; 0 stands for no zone. The event pages have
// the most: 40, then 75 argument fields from 41 on.
constexpr int ClickZoneCount = 115;

extern ClickZone clickZones[ClickZoneCount];  // zone N in row N - 1
extern int64_t currentPage;
extern int64_t adjustStep;       // of this turn's wheel or key: 1 or 10
extern int64_t adjustDirection;  // of this turn's wheel or key: 1, -1 or 0
extern bool editingText;         // a text entry is active: typed keys go to the page
extern std::u16string editBuffer;
extern bool listSelecting;  // the vocabulary page's choice of a word is active
extern int64_t selectedSetting;
// Set by a page with live content each time it is drawn; the editor loop
// clears it before every redraw.
extern bool liveRefreshWanted;

void clearClickZones();
// The rectangle of zone `id`; an id outside 1..ClickZoneCount is no zone.
void setClickZone(int64_t id, int64_t x, int64_t y, int64_t width, int64_t height);
// The lowest zone whose rectangle holds the point; 0 when none does.
int64_t hitTest(int64_t x, int64_t y);
