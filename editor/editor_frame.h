// The frame around the editor pages: the main loop's entry points, which
// hand each input to the page shown, and the reset of the editor state.
#pragma once

#include <cstdint>

// Draws the current page completely into backBuffer (or runs the test play).
void drawCurrentPage();

// Click on a zone id of the current page (the menu page included); true when
// the click chose "QUITTER", which ends the editor.
bool handlePageClick(int64_t zone);
// Wheel or arrow keys: the current page changes its selected value; false
// when nothing it shows changed (nothing chosen, a value at a bound).
bool handlePageAdjust(int64_t direction, int64_t step);
// The left and right keys: a page wider than the screen (the map) scrolls
// across, direction -1 to the left, 1 to the right.
void handlePageScrollAcross(int64_t direction);
// List selection (vocabulary page) with the input of this loop turn.
void handleListSelection();
// Text entry: key is a typed character, 8 (Backspace) or 13 (Return).
void handleTextEntryKey(int64_t key);
// Backspace on the event pages deletes the selected line.
void handleEventLineDelete();
// Escape on a page other than the menu: back to the menu, entries ended.
void returnToMenu();
// Selected setting, layout settings, every page's cursors, the project folder
// list (rebuilt from disk) and the project name and folder.
void resetEditorState();
// The editor state reset, then the default adventure (the vocabulary list
// from its first rows) and no project, the player of the next game in room 0:
// the program's start and "REINITIALISER".
void startNewAdventure();
