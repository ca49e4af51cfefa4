// Saved games: the 770 values of the game state in a slot file, the slot
// prompt and the two built-in verbs that use them.
#include "engine/saved_games.h"

#include "engine/game_state.h"
#include "engine/game_text.h"
#include "engine/screen.h"
#include "platform/program.h"

std::u16string playerSlotsFolder;

// The game state in file order: turnCount, currentRoom, then object location,
// room picture number and flag of every index in turn.
static void collectGameState(int64_t values[SavedGameValueCount]) {
    values[0] = turnCount;
    values[1] = currentRoom;
    for (int i = 0; i < TableSize; ++i) {
        values[2 + 3 * i] = adventure.objectLocations[i];
        values[3 + 3 * i] = roomImages[i];
        values[4 + 3 * i] = flags[i];
    }
}

static void applyGameState(const int64_t values[SavedGameValueCount]) {
    turnCount = values[0];
    currentRoom = values[1];
    for (int i = 0; i < TableSize; ++i) {
        adventure.objectLocations[i] = values[2 + 3 * i];
        roomImages[i] = values[3 + 3 * i];
        flags[i] = values[4 + 3 * i];
    }
}

bool saveGame(const std::u16string& name) {
    int64_t values[SavedGameValueCount];
    collectGameState(values);
    // The new contents replace the slot only once every value is on the
    // disk: a full disk or a locked slot keeps the old game.
    const FileHandle file = beginReplacing(name);
    if (file == 0) return false;
    bool written = true;
    for (int64_t value : values) written = writeInteger(file, value) && written;
    return finishReplacing(file, written);
}

// Whether the values can be used as they stand: the room and every object
// location index 256-row tables elsewhere. Picture numbers and flags may be
// anything (a file name, a number).
static bool savedValuesUsable(const int64_t values[SavedGameValueCount]) {
    if (!isTableIndex(values[1])) return false;
    for (int i = 0; i < TableSize; ++i) {
        if (!isTableIndex(values[2 + 3 * i])) return false;
    }
    return true;
}

LoadResult loadGame(const std::u16string& name) {
    const size_t fileName = name.rfind(u'\\') + 1;  // 0 without a folder
    const bool playerSlot = fileName < name.size() && name[fileName] >= u'1' && name[fileName] <= u'9';
    if (fileSize(name) == -1 && playerSlot) return LoadResult::NoSuchSlot;
    FileHandle file = openFile(name);
    if (file == 0) return LoadResult::CannotOpen;
    // Every value is read and checked before any is applied, so a short or
    // damaged file changes nothing.
    int64_t values[SavedGameValueCount] = {};
    bool complete = true;
    for (int64_t& value : values) {
        if (!complete) break;
        complete = readInteger(file, value);
    }
    closeFile(file);
    if (!complete || !savedValuesUsable(values)) return LoadResult::Corrupt;
    applyGameState(values);
    needFullRedraw = true;
    return LoadResult::Loaded;
}

std::u16string loadFailureMessage(LoadResult result, const std::u16string& name) {
    if (result == LoadResult::NoSuchSlot) return u"Sauvegarde inexistante !";
    if (result == LoadResult::CannotOpen) return u"Impossible d'ouvrir le fichier " + name + u" !";
    return u"Fichier corrompu !";
}

int64_t askSaveSlot() {
    printSystemMessage(MsgSlotQuestion);
    presentFrame();
    waitForInput({.characters = u"123456789"});
    return inputState.typedChar - u'0';
}

static std::u16string slotFileName(int64_t slot) {
    return integerToText(slot) + u".sav";
}

void saveGameVerb() {
    int64_t slot = askSaveSlot();
    if (!saveGame(playerSlotsFolder + slotFileName(slot))) printSystemMessage(MsgCannotWrite);
}

void loadGameVerb() {
    needFullRedraw = true;
    const std::u16string name = slotFileName(askSaveSlot());
    const LoadResult result = loadGame(playerSlotsFolder + name);
    if (result == LoadResult::Loaded) return;
    printInTextZone(loadFailureMessage(result, name));
    presentFrame();
    sleepMs(3000);
}
