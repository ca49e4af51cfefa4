// "MULTIMEDIA": reports which media files the project folder holds. Nothing is
// cached: every redraw looks at the folder again, so the report follows files
// added or removed while the page is shown.
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
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

static void drawPresence(const std::u16string& fileName, const std::u16string& present, const std::u16string& absent,
                         int64_t y) {
    drawCentredText(isPresent(fileName) ? present : absent, 400, y, 0, 0, 0);
}

void drawMultimediaPage() {
    // The report follows files copied in while the page is shown.
    liveRefreshWanted = true;
    clearClickZones();
    beginDrawing(backBuffer);
    fillRect(0, 0, 800, 600, rgb(128, 128, 128));
    drawTitleBar(u"MULTIMEDIA", 80);
    drawButton(200, 200, 400, 180);
    drawCentredText(u"Présents dans le dossier projet :", 400, 220, 0, 0, 0);

    // File names are relative: without a project the change of directory
    // fails and the program's own folder is examined.
    setCurrentDirectory(projectFolder);
    drawPresence(u"introduction.jpg", u"Image d'introduction", u"Pas d'image d'introduction", 260);
    drawPresence(u"introduction.ogg", u"Son d'introduction", u"Pas de son d'introduction", 280);
    drawPresence(u"ecran.jpg", u"Image écran", u"Pas d'image écran", 300);
    drawCentredText(integerToText(countNumberedFiles(252, u".jpg")) + u" images d'illustration trouvées", 400, 320, 0,
                    0, 0);
    drawCentredText(integerToText(countNumberedFiles(999, u".ogg")) + u" sons ogg trouvés", 400, 340, 0, 0, 0);

    drawLabelledButton(u"MENU", 360, 400, 80, 30);
    setClickZone(0, 1, 360, 400, 80, 30);
    setCurrentDirectory(programFolder);
    endDrawing();
}

void multimediaPageClick(int64_t zone) {
    if (zone == 1) currentPage = Menu;
}
