// Dispatch of the main loop's entry points to the page shown, and the reset of
// the editor state.
#include "editor/editor_frame.h"

#include "editor/editor_state.h"
#include "editor/folder_list.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "engine/game_state.h"
#include "model/adventure.h"
#include "model/project.h"
#include "model/work_copies.h"
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
        case Vocabulary:
            drawVocabularyPage();
            break;
        case MessageTexts:
        case RoomTexts:
        case ObjectTexts:
        case SystemMessages:
            drawTextPage(currentPage);
            break;
        case Movements:
            drawMovementsPage();
            break;
        case Map:
            drawMapPage();
            break;
        case ObjectPlacement:
            drawPlacementPage();
            break;
        case ObjectAttributes:
            drawAttributesPage();
            break;
        case MinorEvents:
        case MajorEvents:
            drawEventPage(currentPage);
            break;
        case Findings:
            drawCheckPage();
            break;
        case TestGame:
            runTestGame();
            break;
        case Reset:
        case Quit:
            // Never shown: these entries act at once from the menu.
            break;
        default:
            break;
    }
}

bool handlePageClick(int64_t zone) {
    if (currentPage != Menu && zone == MenuButtonZone) {
        currentPage = Menu;
        return false;
    }
    switch (currentPage) {
        case Menu:
            return menuPageClick(zone);
        case SaveFile:
            savePageClick(zone);
            break;
        case LoadFile:
            loadPageClick(zone);
            break;
        case Vocabulary:
            vocabularyPageClick(zone);
            break;
        case MessageTexts:
        case RoomTexts:
        case ObjectTexts:
        case SystemMessages:
            textPageClick(currentPage, zone);
            break;
        case Movements:
            movementsPageClick(zone);
            break;
        case Map:
            mapPageClick(zone);
            break;
        case ObjectPlacement:
            placementPageClick(zone);
            break;
        case ObjectAttributes:
            attributesPageClick(zone);
            break;
        case MinorEvents:
        case MajorEvents:
            eventPageClick(currentPage, zone);
            break;
        default:
            break;
    }
    return false;
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
        case Vocabulary:
            vocabularyPageAdjust(direction, step);
            break;
        case MessageTexts:
        case RoomTexts:
        case ObjectTexts:
        case SystemMessages:
            textPageAdjust(currentPage, direction, step);
            break;
        case Movements:
            movementsPageAdjust(direction, step);
            break;
        case Map:
            mapPageAdjust(direction, step);
            break;
        case ObjectPlacement:
            placementPageAdjust(direction, step);
            break;
        case ObjectAttributes:
            attributesPageAdjust(direction, step);
            break;
        case MinorEvents:
        case MajorEvents:
            eventPageAdjust(currentPage, direction, step);
            break;
        case Findings:
            checkPageAdjust(direction, step);
            break;
        default:
            break;
    }
}

void handlePageScrollAcross(int64_t direction) {
    if (currentPage == Map) mapPageScrollAcross(direction);
}

void handleListSelection() {
    if (currentPage == Vocabulary) vocabularyListSelection();
}

void handleTextEntryKey(int64_t key) {
    switch (currentPage) {
        case SaveFile:
            savePageKey(key);
            break;
        case Vocabulary:
            vocabularyPageKey(key);
            break;
        case MessageTexts:
        case RoomTexts:
        case ObjectTexts:
        case SystemMessages:
            textPageKey(currentPage, key);
            break;
        default:
            break;
    }
}

void handleEventLineDelete() {
    if (currentPage == MinorEvents || currentPage == MajorEvents) eventPageBackspace(currentPage);
}

void returnToMenu() {
    currentPage = Menu;
    editingText = false;
    listSelecting = false;
}

void startNewAdventure() {
    resetEditorState();
    resetAdventure();
    resetVocabularyPage();
    currentRoom = 0;
    beginWork();
}

void resetEditorState() {
    selectedSetting = 0;
    resetLayoutSettings();  // also both event counts to 1
    resetTextPages();
    resetMovementsPage();
    resetPlacementPage();
    resetAttributesPage();
    resetEventPages();
    for (int i = 0; i < FolderListSlots; ++i) folderList[i].clear();
    rebuildFolderList(0, FolderListSlots);
    projectFolder.clear();
    projectName.clear();
}
