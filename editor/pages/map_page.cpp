// "CARTE": the map of the adventure, laid out each time the page opens (the
// layout of editor/map_layout.h, which the SVG picture draws too), centred
// on the room "DEPLACEMENTS" shows, which is where the author last worked (at
// first room 0, where play starts). The wheel and the arrow keys scroll a map
// larger than the page; a click on a room opens "DEPLACEMENTS" on that room.
#include <algorithm>
#include <cmath>

#include "editor/editor_state.h"
#include "editor/map_layout.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

namespace {

AdventureMap shownMap;
int64_t scrollX = 0;  // the map's pixel at the left edge of the view
int64_t scrollY = 0;  // the map's pixel at the top of the view

// The map shows between the title bar and the "MENU" button.
constexpr int64_t ViewTop = 58;
constexpr int64_t ViewBottom = 552;
constexpr int64_t ViewHeight = ViewBottom - ViewTop;
constexpr int64_t ScrollStep = 50;  // pixels per notch or key; 10 steps with Control or the page keys
constexpr int64_t MapZone = 2;      // the whole view: the room under the pointer is looked up
constexpr Colour Grey = rgb(128, 128, 128);

// Where the map's corner is on the page: scrolled, or centred when the map is
// smaller than the view that way.
int64_t originX() {
    return shownMap.width <= ScreenWidth ? (ScreenWidth - shownMap.width) / 2 : -scrollX;
}
int64_t originY() {
    return ViewTop + (shownMap.height <= ViewHeight ? (ViewHeight - shownMap.height) / 2 : -scrollY);
}

void keepScrollWithinMap() {
    scrollX = std::clamp<int64_t>(scrollX, 0, std::max<int64_t>(0, shownMap.width - ScreenWidth));
    scrollY = std::clamp<int64_t>(scrollY, 0, std::max<int64_t>(0, shownMap.height - ViewHeight));
}

// Draws the part of the line within the view (and a pixel beyond): a line of a
// large map may reach tens of thousands of pixels outside it.
void drawLineInView(double x1, double y1, double x2, double y2) {
    const double left = -1, right = ScreenWidth, top = ViewTop - 1, bottom = ViewBottom;
    double from = 0, to = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int side = 0; side < 4; ++side) {
        if (p[side] == 0) {
            if (q[side] < 0) return;
            continue;
        }
        const double t = q[side] / p[side];
        if (p[side] < 0) from = std::max(from, t);
        if (p[side] > 0) to = std::min(to, t);
    }
    if (from > to) return;
    drawLine(std::llround(x1 + from * dx), std::llround(y1 + from * dy), std::llround(x1 + to * dx),
             std::llround(y1 + to * dy));
}

Colour exitColour(const MapExit& exit) {
    return shownMap.rooms[exit.to].hasText ? rgb(0, 0, 0) : rgb(255, 0, 0);
}

void drawExitLine(const MapExit& exit, int64_t x, int64_t y) {
    setFrontColour(exitColour(exit));
    drawLineInView(x + exit.x1, y + exit.y1, x + exit.x2, y + exit.y2);
    if (exit.oneWay) {
        for (int side = 0; side < 2; ++side) {
            drawLineInView(x + exit.arrowX[side], y + exit.arrowY[side], x + exit.x2, y + exit.y2);
        }
    }
}

// The direction's name on the grey ground, over the lines that pass there.
void drawExitLabel(const MapExit& exit, int64_t x, int64_t y) {
    const int64_t labelX = x + exit.labelX, labelY = y + exit.labelY;
    if (!exit.labelled || labelX < -50 || labelX > ScreenWidth + 50 || labelY < ViewTop || labelY > ViewBottom) return;
    const std::u16string name = directionNames[exit.direction];
    const int64_t width = textWidth(name), height = textHeight(name);
    fillRect(labelX - width / 2 - 1, labelY - height / 2, width + 2, height, Grey);
    const Colour colour = exitColour(exit);
    drawCentredText(name, labelX, labelY, colour & 255, (colour >> 8) & 255, (colour >> 16) & 255);
}

// The box of a room: its number, and as much of the beginning of its text as
// the box holds (only the beginning is handed on: a text from a file may be of
// any length).
void drawRoom(int64_t room, int64_t x, int64_t y) {
    drawButton(x, y, MapBoxWidth, MapBoxHeight);
    drawLabel(formatNumber3(room), x + 6, y + 3, 0, 0, 0);
    const std::u16string beginning = adventure.roomTexts[room].substr(0, 4 * MapBoxWidth);
    drawWrappedText(beginning, x, y + 20, MapBoxWidth, MapBoxHeight - 20, 6, 0, 0, 0, 0, 1);
}

}  // namespace

void openMapPage() {
    layOutMap(adventure, shownMap);
    const MapRoom& centre = shownMap.rooms[std::clamp<int64_t>(movementsPageRoom(), 0, MapRoomCount - 1)];
    if (centre.shown) {
        scrollX = centre.x + MapBoxWidth / 2 - ScreenWidth / 2;
        scrollY = centre.y + MapBoxHeight / 2 - ViewHeight / 2;
    }
    keepScrollWithinMap();
}

void drawMapPage() {
    startPage(u"", 0);
    const int64_t x = originX(), y = originY();
    for (int64_t e = 0; e < shownMap.exitCount; ++e) drawExitLine(shownMap.exits[e], x, y);
    for (int64_t e = 0; e < shownMap.exitCount; ++e) drawExitLabel(shownMap.exits[e], x, y);
    bool anyRoom = false;
    for (int64_t room = 0; room < MapRoomCount; ++room) {
        const MapRoom& box = shownMap.rooms[room];
        anyRoom = anyRoom || box.shown;
        const int64_t left = x + box.x, top = y + box.y;
        if (!box.shown || left + MapBoxWidth + 2 < 0 || left >= ScreenWidth || top + MapBoxHeight + 2 < ViewTop ||
            top >= ViewBottom) {
            continue;
        }
        drawRoom(room, left, top);
    }
    if (!anyRoom) drawCentredText(u"Aucune salle n'a de texte ni de sortie.", 400, 300, 0, 0, 0);

    // The title bar and the buttons over what of the map reaches beyond the view.
    fillRect(0, 0, ScreenWidth, ViewTop, Grey);
    fillRect(0, ViewBottom, ScreenWidth, ScreenHeight - ViewBottom, Grey);
    drawTitleBar(u"CARTE", 20);
    drawLabel(u"Molette, flèches : défiler", 20, 566, 0, 0, 0);
    drawLabel(u"Clic sur une salle : ses sorties", 540, 566, 0, 0, 0);
    drawMenuButton(360, 560);
    setClickZone(MapZone, 0, ViewTop, ScreenWidth, ViewHeight);
    endDrawing();
}

void mapPageClick(int64_t zone) {
    if (zone != MapZone) return;
    int pointerX = -1, pointerY = -1;
    pointerPosition(pointerX, pointerY);
    const int64_t room = mapRoomAt(shownMap, pointerX - originX(), pointerY - originY());
    if (room >= 0) openMovementsPageOn(room);
}

bool mapPageAdjust(int64_t direction, int64_t step) {
    const int64_t before = scrollY;
    scrollY -= direction * step * ScrollStep;
    keepScrollWithinMap();
    return scrollY != before;
}

void mapPageScrollAcross(int64_t direction) {
    scrollX += direction * ScrollStep;
    keepScrollWithinMap();
}

