// What the game prints: system messages, the dialogue, the quit question, the
// inventory zone and the turn start.
#include "engine/game_text.h"

#include "engine/game_state.h"
#include "engine/screen.h"
#include "platform/program.h"

const std::u16string& systemMessage(SystemMessage message) {
    return adventure.systemMessages[message];
}

void printInTextZone(const std::u16string& text) {
    textCursor = printInZone(text, adventure.textZone, textCursor);
}

void printSystemMessage(SystemMessage message) {
    printInTextZone(systemMessage(message));
}

std::u16string yesNoChoice() {
    return systemMessage(MsgYes) + u"/" + systemMessage(MsgNo);
}

void askQuitQuestion() {
    printSystemMessage(MsgQuitQuestion);
    printInTextZone(yesNoChoice());
    quitPending = true;
}

void refreshInventoryZone(SystemMessage heading, int64_t location) {
    inventoryCursor = 0;
    std::u16string list = listObjectsAt(location);
    if (list.empty()) list = systemMessage(MsgNothing);
    beginDrawing(backBuffer);
    drawImage(inventoryBackground, adventure.inventoryZone.x, adventure.inventoryZone.y);
    endDrawing();
    inventoryCursor = printInZone(systemMessage(heading) + u" " + list, adventure.inventoryZone, 0);
}

void drawTurnStart() {
    beginDrawing(backBuffer);
    drawImage(turnSnapshot, 0, 0);
    endDrawing();
    drawRoomPicture();
    if (descriptionCursor == 0 && isTableIndex(currentRoom)) {
        descriptionCursor =
            printInZone(adventure.roomTexts[currentRoom] + exitsTag(currentRoom), adventure.descriptionZone, 0);
    }
    if (inventoryCursor == 0) refreshInventoryZone(MsgYouSee, currentRoom);
}
