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
    // A page drawn after another (a play is a page too) starts from nothing
    // of what the back buffer shows.
    static int64_t lastPageDrawn = -1;
    if (currentPage != lastPageDrawn) forgetReadyLayer();
    lastPageDrawn = currentPage;
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

bool handlePageAdjust(int64_t direction, int64_t step) {
    switch (currentPage) {
        case Menu:
            return menuPageAdjust(direction, step);
        case SaveFile:
        case LoadFile:
            return scrollFilePageList(direction, step);
        case Vocabulary:
            return vocabularyPageAdjust(direction, step);
        case MessageTexts:
        case RoomTexts:
        case ObjectTexts:
        case SystemMessages:
            return textPageAdjust(currentPage, direction, step);
        case Movements:
            return movementsPageAdjust(direction, step);
        case Map:
            return mapPageAdjust(direction, step);
        case ObjectPlacement:
            return placementPageAdjust(direction, step);
        case ObjectAttributes:
            return attributesPageAdjust(direction, step);
        case MinorEvents:
        case MajorEvents:
            return eventPageAdjust(currentPage, direction, step);
        case Findings:
            return checkPageAdjust(direction, step);
        default:
            return false;
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
