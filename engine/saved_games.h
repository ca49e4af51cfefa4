// Saved games: "0.sav" (the session's starting state) and the player's slots
// "1.sav" to "9.sav" in the current directory, each 770 little-endian 64-bit
// integers: turnCount, currentRoom, then for every index i the object
// location, the room picture number and the flag of i.
#pragma once

#include <cstdint>
#include <string>

constexpr int SavedGameValueCount = 2 + 3 * 256;

// Writes the game state under `name`. The file is written beside it first and
// only replaces it once complete, so a failed save leaves the old file as it
// was. Returns false on any failure.
bool saveGame(const std::u16string& name);

// Reads the game state from `name`. Returns false only for a player slot
// ("1.sav" to "9.sav") that does not exist. A file that cannot be opened, ends
// before 770 values or holds a room or an object location outside 0..255 ends
// the program through fatalError, with nothing of it applied.
bool loadGame(const std::u16string& name);

// Prints the slot question in the text zone and waits for a digit 1..9; every
// other key and character is ignored. Returns the slot number.
int64_t askSaveSlot();

// The built-in verbs 12 (save) and 13 (load) with one word.
void saveGameVerb();
void loadGameVerb();
