// "CHARGER FICHIER": the project folders of "Projets"; a click on a name makes
// it the project and loads its adventure at once. Also the frame and the
// folder list that the save page shares.
#include "editor/editor_state.h"
#include "editor/folder_list.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "engine/game_state.h"
#include "model/project.h"
#include "model/work_copies.h"
#include "platform/platform.h"
#include "platform/program.h"

void drawFilePageFrame(const char16_t* title) {
    startPage(title, 20);
    drawButton(10, 100, 780, 220);
    for (int slot = 0; slot < FolderListSlots; ++slot) drawCentredText(folderList[slot], 400, 120 + 20 * slot, 0, 0, 0);
}

bool scrollFilePageList(int64_t direction, int64_t step) {
    return scrollFolderList(direction, step);
}

void drawLoadPage() {
    drawFilePageFrame(u"CHARGER FICHIER");
    // Every line of the list is clickable, blank ones included (they do nothing).
    for (int slot = 0; slot < FolderListSlots; ++slot) setClickZone(slot + 2, 10, 110 + 20 * slot, 780, 20);
    drawButton(100, 400, 600, 30);
    drawLabel(projectName, 120, 405, 0, 0, 0);
    drawMenuButton(360, 460);
    endDrawing();
}

void loadPageClick(int64_t zone) {
    if (zone < 2 || zone >= 2 + FolderListSlots) return;
    if (folderList[zone - 2].empty() || !mayLeaveWork()) return;
    loadProject(folderList[zone - 2]);
    resetVocabularyPage();
    currentRoom = 0;
    beginWork();
}
