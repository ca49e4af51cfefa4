// Dispatch of the main loop's entry points to the page shown.
#include "editor/page_dispatch.h"

#include "app/program.h"
#include "editor/editor_state.h"
#include "editor/pages/pages.h"

void drawCurrentPage() {
    switch (currentPage) {
        case Menu:
            drawMenuPage();
            break;
        case SaveFile:
            drawSavePage();
            break;
        case LoadFile:
            drawLoadPage();
            break;
        case Multimedia:
            drawMultimediaPage();
            break;
        case TestGame:
            runTestGame();
            break;
        case Reset:
        case Quit:
            // Never shown: these entries act at once from the menu.
            break;
        default:
            drawPlaceholderPage(currentPage);
            break;
    }
}

void handlePageClick(int64_t zone) {
    switch (currentPage) {
        case Menu:
            menuPageClick(zone);
            break;
        case SaveFile:
            savePageClick(zone);
            break;
        case LoadFile:
            loadPageClick(zone);
            break;
        case Multimedia:
            multimediaPageClick(zone);
            break;
        default:
            placeholderPageClick(zone);
            break;
    }
}

void handlePageAdjust(int64_t direction, int64_t step) {
    switch (currentPage) {
        case Menu:
            menuPageAdjust(direction, step);
            break;
        case SaveFile:
        case LoadFile:
            scrollFilePageList(direction, step);
            break;
        default:
            break;
    }
}

void handleListSelection() {}

void handleTextEntryKey(int64_t key) {
    if (currentPage == SaveFile) savePageKey(key);
}

void handleEventLineDelete() {}

void returnToMenu() {
    currentPage = Menu;
    editingText = 0;
    listSelecting = 0;
}

void resetPageCursors() {
    // The pages built so far keep no cursor of their own; the text, movement,
    // object and event pages add theirs here.
}
