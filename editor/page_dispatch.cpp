// Placeholder pages: a grey page with its title; Escape returns to the menu.
#include "editor/page_dispatch.h"

#include "app/program.h"
#include "editor/editor_state.h"

void drawCurrentPage() {
    clearClickZones();
    beginDrawing(backBuffer);
    fillRect(0, 0, 800, 600, rgb(128, 128, 128));
    endDrawing();
}

void handlePageClick(int64_t) {}
void handlePageAdjust(int64_t, int64_t) {}
void handleListSelection() {}
void handleTextEntryKey(int64_t) {}
void handleEventLineDelete() {}

void returnToMenu() {
    currentPage = Menu;
    editingText = 0;
    listSelecting = 0;
}

void resetPageCursors() {}
