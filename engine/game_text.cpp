// What the game prints: system messages, the dialogue, the quit question, the
// inventory zone and the turn start.
#include "engine/game_text.h"

#include <deque>

#include "engine/game_state.h"
#include "engine/readable_text.h"
#include "engine/screen.h"
#include "platform/program.h"

const std::u16string& systemMessage(SystemMessage message) {
    return adventure.systemMessages[message];
}

// The answer of the current or last turn. A turn may print any number of
// texts of any length (they come from the adventure file); only what the text
// zone can show is worth keeping, and no screen shows more than a few
// thousand characters, so only the last AnswerLimit characters are kept.
constexpr size_t AnswerLimit = 8192;
static std::u16string answeredCommand;
static std::deque<std::u16string> answerTexts;
static size_t answerLength = 0;
static bool answerOpen = false;

static void keepInAnswer(const std::u16string& text) {
    size_t from = text.size() > AnswerLimit ? text.size() - AnswerLimit : 0;
    if (from > 0 && text[from] >= 0xDC00 && text[from] <= 0xDFFF) ++from;  // never half a character
    answerTexts.push_back(text.substr(from));
    answerLength += answerTexts.back().size();
    while (answerLength > AnswerLimit && answerTexts.size() > 1) {
        answerLength -= answerTexts.front().size();
        answerTexts.pop_front();
    }
}

void printInTextZone(const std::u16string& text) {
    textCursor = printInZone(text, adventure.textZone, textCursor);
    if (answerOpen && !text.empty()) keepInAnswer(text);
}

void printSystemMessage(SystemMessage message) {
    printInTextZone(systemMessage(message));
}

void startTurnAnswer(const std::u16string& command) {
    forgetTurnAnswer();
    answeredCommand = command;
    answerOpen = true;
}

void endTurnAnswer() {
    answerOpen = false;
}

void forgetTurnAnswer() {
    answeredCommand.clear();
    answerTexts.clear();
    answerLength = 0;
    answerOpen = false;
}

void showTurnAnswerAgain() {
    if (answerTexts.empty()) return;
    printInTextZone(answeredCommand);
    for (const std::u16string& text : answerTexts) printInTextZone(text);
    printInTextZone(u" ");
}

void printPromptAndAnswerAgain(const std::u16string& command) {
    const bool open = answerOpen;
    answerOpen = false;
    printSystemMessage(MsgPrompt);
    printInTextZone(command);
    if (open) {
        for (const std::u16string& text : answerTexts) printInTextZone(text);
    }
    answerOpen = open;
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
    noteAreaPainted(adventure.inventoryZone.x, adventure.inventoryZone.y, imageWidth(inventoryBackground),
                    imageHeight(inventoryBackground));
    inventoryCursor = printInZone(systemMessage(heading) + u" " + list, adventure.inventoryZone, 0);
}

void drawTurnStart() {
    drawRoomPicture();
    if (descriptionCursor == 0 && isTableIndex(currentRoom)) {
        descriptionCursor =
            printInZone(adventure.roomTexts[currentRoom] + exitsTag(currentRoom), adventure.descriptionZone, 0);
    }
    if (inventoryCursor == 0) refreshInventoryZone(MsgYouSee, currentRoom);
}
