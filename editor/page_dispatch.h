// The main loop's entry points into the editor pages.
#pragma once

#include <cstdint>

// Click on a zone id of the current page (the menu page included).
void handlePageClick(int64_t zone);
// Wheel or arrow keys: the current page changes its selected value.
void handlePageAdjust(int64_t direction, int64_t step);
// List selection (vocabulary page) with the input of this loop turn.
void handleListSelection();
// Text entry: key is a typed character, 8 (Backspace) or 13 (Return).
void handleTextEntryKey(int64_t key);
// Backspace on the event pages deletes the selected line.
void handleEventLineDelete();
// Escape on a page other than the menu: back to the menu, entries ended.
void returnToMenu();
// The cursors every page keeps, to their start values.
void resetPageCursors();
