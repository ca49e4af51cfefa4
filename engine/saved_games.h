// Saved games: "0.sav" (the session's starting state) and the player's slots
// "1.sav" to "9.sav" in the current directory, each 770 little-endian 64-bit
// integers: turnCount, currentRoom, then for every index i the object
// location, the room picture number and the flag of i.
#pragma once

#include <cstdint>
#include <string>

constexpr int SavedGameValueCount = 2 + 3 * 256;

// Where the player's slots 1 to 9 are kept: empty for the current directory
// (the project's folder), or a folder ending with "\\" that the start-up
// chose, as the web player does for the browser's storage of the site.
extern std::u16string playerSlotsFolder;

// Writes the game state under `name`. The file is written beside it first and
// only replaces it once complete, so a failed save leaves the old file byte
// for byte as it was. Returns false on any failure.
bool saveGame(const std::u16string& name);

enum class LoadResult {
    Loaded,
    NoSuchSlot,  // a player slot ("1.sav" to "9.sav") with nothing under its name
    CannotOpen,  // not a regular file that opens (a folder, a pipe), or "0.sav" missing
    Corrupt,     // fewer than 770 values, or a room or object location outside 0..255
};

// Reads the game state from `name`. Nothing of the file is applied unless it
// is Loaded.
LoadResult loadGame(const std::u16string& name);
// What the player or the author is told of a load that failed:
// "Sauvegarde inexistante !", "Impossible d'ouvrir le fichier N.sav !" or
// "Fichier corrompu !".
std::u16string loadFailureMessage(LoadResult result, const std::u16string& name);

// Prints the slot question in the text zone and waits for a digit 1..9; every
// other key and character is ignored. Returns the slot number.
int64_t askSaveSlot();

// The built-in verbs 12 (save) and 13 (load) with one word. A slot that
// cannot be loaded prints why in the text zone and the game goes on unchanged.
void saveGameVerb();
void loadGameVerb();
