// Dispatch of the main loop's entry points to the page shown, the menu
// entries "REINITIALISER" and "QUITTER", and the reset of the editor state.
#include "editor/editor_frame.h"

#include "editor/editor_state.h"
#include "editor/folder_list.h"
#include "editor/pages/pages.h"
#include "engine/game_state.h"
#include "model/adventure.h"
#include "platform/program.h"

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
        case MinorEvents:
        case MajorEvents:
            drawEventPage(currentPage);
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
            if (zone == Reset) {
                // "REINITIALISER": the default adventure and no project, at
                // once and without a question.
                selectedSetting = 0;
                resetEditorState();
                resetAdventure();
                currentRoom = 0;
            } else if (zone == Quit) {
                running = 0;
            } else {
                menuPageClick(zone);
            }
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
        case MinorEvents:
        case MajorEvents:
            eventPageClick(currentPage, zone);
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
        case MinorEvents:
        case MajorEvents:
            eventPageAdjust(currentPage, direction, step);
            break;
        default:
            break;
    }
}

void handleListSelection() {}

void handleTextEntryKey(int64_t key) {
    if (currentPage == SaveFile) savePageKey(key);
}

void handleEventLineDelete() {
    if (currentPage == MinorEvents || currentPage == MajorEvents) eventPageBackspace(currentPage);
}

void returnToMenu() {
    currentPage = Menu;
    editingText = 0;
    listSelecting = 0;
}

void resetEditorState() {
    selectedSetting = 0;
    resetEventPages();
    resetLayoutSettings();  // also both event counts to 1
    for (int i = 0; i < FolderListSlots; ++i) folderList[i].clear();
    rebuildFolderList(0, FolderListSlots);
    projectFolder.clear();
    projectName.clear();
}
