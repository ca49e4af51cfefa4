// "DEPLACEMENTS": the six exits of one room at a time, shown as a list beside
// the direction names and again around the compass, where the author clicks
// the value to change and turns the wheel. There is no text entry here.
#include "editor/editor_pictures.h"
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/referent_line.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

// The room shown, and the value the wheel changes: 0 the room, 1..6 its exit
// in direction 0..5.
static int64_t movementsRoom = 0;
static int64_t movementsField = 0;

// The compass cells of the directions; their zone ids are 3..8 in this order.
static const int64_t compassCellX[DirectionCount] = {750, 330, 330, 750, 530, 530};
static const int64_t compassCellY[DirectionCount] = {460, 280, 460, 280, 70, 520};

void drawMovementsPage() {
    startPage(u"DEPLACEMENTS", 20);

    drawButton(75, 200, 170, 200);
    drawLabel(u"Salle", 95, 220, 0, 0, 0);
    drawValueCell(formatNumber3(movementsRoom), 175, 220, movementsField == 0, 2);
    for (int direction = 0; direction < DirectionCount; ++direction) {
        const std::u16string value = formatNumber3(adventure.exits[movementsRoom][direction]);
        const int64_t panelY = 260 + 20 * direction;
        drawLabel(directionNames[direction], 95, panelY, 0, 0, 0);
        drawValueCell(value, 175, panelY, false);
        drawValueCell(value, compassCellX[direction], compassCellY[direction], movementsField == direction + 1,
                      direction + 3);
    }

    // Where the chosen exit leads, or which room is shown.
    if (movementsField == 0) {
        drawReferentLine(RoomArgument, movementsRoom, 75, 150, 430);
    } else if (movementsField <= DirectionCount) {
        drawReferentLine(ExitArgument, adventure.exits[movementsRoom][movementsField - 1], 75, 150, 430);
    }

    setDrawingMode(DrawMode::AlphaBlend);
    drawImage(editorPictures[Compass], 350, 100);
    setDrawingMode(DrawMode::OpaqueText);
    drawMenuButton(360, 560);
    endDrawing();
}

void movementsPageClick(int64_t zone) {
    if (zone >= 2 && zone <= 8) movementsField = zone - 2;
}

bool movementsPageAdjust(int64_t direction, int64_t step) {
    if (movementsField == 0) return stepInPlace(movementsRoom, direction, step, 0, TableSize);
    if (movementsField >= 1 && movementsField <= DirectionCount) {
        return stepInPlace(adventure.exits[movementsRoom][movementsField - 1], direction, step, 0, TableSize);
    }
    return false;
}

void openMovementsPageOn(int64_t room) {
    // The value the wheel changes stays the one the author last chose.
    currentPage = Movements;
    movementsRoom = room;
}

int64_t movementsPageRoom() {
    return movementsRoom;
}

void resetMovementsPage() {
    movementsRoom = 0;
    movementsField = 0;
}
