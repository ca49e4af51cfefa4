// "MULTIMEDIA": reports which media files the project folder holds. The page
// is redrawn four times a second while shown, so the report follows files
// added or removed meanwhile; the 1256 names are looked at again only when
// the folder has changed since the last count.
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "model/project.h"
#include "platform/platform.h"
#include "platform/program.h"

static bool isPresent(const std::u16string& fileName) {
    return fileSize(fileName) >= 1;
}

// How many of the files n + extension, n from 0 to last in decimal without
// leading zeros, are present.
static int64_t countNumberedFiles(int64_t last, const std::u16string& extension) {
    int64_t count = 0;
    for (int64_t number = 0; number <= last; ++number) {
        if (isPresent(integerToText(number) + extension)) ++count;
    }
    return count;
}

// The five lines of the report, and the folder and change stamp they are for.
static std::u16string reportLines[5];
static std::u16string reportedFolder;
static int64_t reportedStamp = -1;

static void countMediaFiles() {
    reportLines[0] = isPresent(u"introduction.jpg") ? u"Image d'introduction" : u"Pas d'image d'introduction";
    reportLines[1] = isPresent(u"introduction.ogg") ? u"Son d'introduction" : u"Pas de son d'introduction";
    reportLines[2] = isPresent(u"ecran.jpg") ? u"Image écran" : u"Pas d'image écran";
    reportLines[3] = integerToText(countNumberedFiles(252, u".jpg")) + u" images d'illustration trouvées";
    reportLines[4] = integerToText(countNumberedFiles(999, u".ogg")) + u" sons ogg trouvés";
}

void drawMultimediaPage() {
    liveRefreshWanted = true;
    startPage(u"MULTIMEDIA", 80);
    drawButton(200, 200, 400, 180);
    drawCentredText(u"Présents dans le dossier projet :", 400, 220, 0, 0, 0);

    // File names are relative: without a project the change of directory
    // fails and the program's own folder is examined.
    const bool inProject = setCurrentDirectory(projectFolder);
    const std::u16string folder = inProject ? programFolder + projectFolder : programFolder;
    const int64_t stamp = folderChangeStamp(folder);
    if (stamp < 0 || stamp != reportedStamp || folder != reportedFolder) countMediaFiles();
    reportedStamp = stamp;
    reportedFolder = folder;
    for (int line = 0; line < 5; ++line) drawCentredText(reportLines[line], 400, 260 + 20 * line, 0, 0, 0);

    drawMenuButton(360, 400);
    setCurrentDirectory(programFolder);
    endDrawing();
}
