// "SAUVER FICHIER": names the project and writes the adventure into its folder
// under "Projets".
#include "editor/editor_state.h"
#include "editor/folder_list.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "model/adventure_file.h"
#include "model/project.h"
#include "model/work_copies.h"
#include "platform/platform.h"
#include "platform/program.h"

static const char16_t* const saveButtonLabels[3] = {u"MENU", u"EFFA", u"EDIT"};
static const TextBox nameBox = {150, 400, 600, 30, 20, 5};

void drawSavePage() {
    drawFilePageFrame(u"SAUVER FICHIER");
    drawButtonColumn(saveButtonLabels, 3, 10, 365);
    drawButton(150, 400, 600, 30);
    drawTextField(projectName, nameBox);
    drawLabelledButton(u"SAUVER", 300, 460, 200, 30);
    setClickZone(4, 300, 460, 200, 30);
    endDrawing();
}

// "SAUVER": the project folder under "Projets" (made when missing, one level
// only: "Projets" itself is expected to exist) shows at once in the folder
// list, and the adventure is written into it.
static void requestSaveAdventure() {
    projectFolder = projectFolderOf(projectName);
    const std::u16string folderPath = programFolder + projectFolder;
    if (fileSize(folderPath) != -2) createFolder(folderPath);
    rebuildFolderList(0, folderListShown);
    if (saveAdventure(projectName + u".orv", projectFolder)) workSaved();
}

void savePageClick(int64_t zone) {
    switch (zone) {
        case 2:
            projectName.clear();
            break;
        case 3:
            startTextEntry(projectName);
            break;
        case 4:
            if (isProjectName(projectName)) requestSaveAdventure();
            break;
        default:
            break;
    }
}

void savePageKey(int64_t key) {
    applyTextEntryKey(projectName, key, true, nameBox);
}
