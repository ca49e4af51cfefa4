// The multimedia page: what it reports of the project folder's media files,
// read again at every redraw, and the only page that keeps refreshing while
// the person does nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/pages/pages.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

// The five report lines, each centred on x 400 at its own height.
void expectReport(const std::vector<DrawnText>& texts, std::vector<std::u16string> lines) {
    const int64_t heights[5] = {260, 280, 300, 320, 340};
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NE(findDrawn(texts, textToUtf8(lines[i]), centredX(lines[i], 400), centredY(lines[i], heights[i])), -1)
            << textToUtf8(lines[i]);
    }
}

void putFile(const std::string& path, size_t size) {
    writeFileBytes(path, std::string(size, 'x'));
}

}  // namespace

// Pictures 0 to 252 count, not "007" nor 253 (rooms stop at 252) nor an empty
// file; sounds 0 to 999, not "1000" nor "01" nor a folder; an empty
// "ecran.jpg" is absent; the program's own folder is not looked at.
TEST(EditorMultimedia, ReportsTheProjectFilesWithTheirExactNames) {
    const std::string folder = makeWorkFolder("media-project");
    const std::string project = folder + "/Projets/media/";
    fs::create_directories(project);
    putFile(project + "introduction.jpg", 10);
    putFile(project + "ecran.jpg", 0);
    for (const char* name : {"0.jpg", "7.jpg", "252.jpg", "007.jpg", "253.jpg", "5.jpg.bak"})
        putFile(project + name, 3);
    putFile(project + "20.jpg", 0);
    for (const char* name : {"0.ogg", "999.ogg", "1000.ogg", "01.ogg"}) putFile(project + name, 1);
    fs::create_directory(project + "44.ogg");
    putFile(folder + "/introduction.ogg", 5);
    putFile(folder + "/1.jpg", 5);
    startInProcess(folder);
    projectName = u"media";
    projectFolder = u"Projets\\media\\";
    const std::string output = runEditorScript(clickMenuEntry(Multimedia) + "key escape\nkey escape\n");
    const std::vector<DrawnText> texts = drawnTexts(output);
    EXPECT_NE(findDrawn(texts, "Présents dans le dossier projet :", centredX(u"Présents dans le dossier projet :", 400),
                        centredY(u"Présents dans le dossier projet :", 220)),
              -1);
    expectReport(texts, {u"Image d'introduction", u"Pas de son d'introduction", u"Pas d'image écran",
                         u"3 images d'illustration trouvées", u"2 sons ogg trouvés"});
    EXPECT_EQ(currentDirectory(), programFolder);  // the program's folder again after the drawing
}

// Without a project the program's folder is reported, the counts in the
// plural whatever they are; the page has its title bar and "MENU" button.
TEST(EditorMultimedia, WithoutAProjectTheProgramFolderIsReportedInThePlural) {
    const std::string folder = makeWorkFolder("media-none");
    for (const char* name : {"ecran.jpg", "introduction.ogg", "3.jpg"}) putFile(folder + "/" + name, 8);
    startInProcess(folder);
    const std::vector<DrawnText> texts =
        drawnTexts(runEditorScript(clickMenuEntry(Multimedia) + "key escape\nkey escape\n"));
    expectReport(texts, {u"Pas d'image d'introduction", u"Son d'introduction", u"Image écran",
                         u"1 images d'illustration trouvées", u"0 sons ogg trouvés"});
    EXPECT_NE(findDrawn(texts, "MULTIMEDIA", 60, centredY(u"MULTIMEDIA", 95)), -1);
    EXPECT_NE(findDrawn(texts, "MENU", centredX(u"MENU", 400), centredY(u"MENU", 415)), -1);
}

// Every redraw looks at the folder again; the wheel and keys change nothing
// and every event redraws the page; only this page asks for idle redraws.
TEST(EditorMultimedia, EveryRedrawLooksAtTheFolderAgain) {
    const std::string folder = makeWorkFolder("media-live");
    const std::string project = folder + "/Projets/live/";
    fs::create_directories(project);
    startInProcess(folder);
    projectName = u"live";
    projectFolder = u"Projets\\live\\";
    runEditorScript(clickMenuEntry(Multimedia) + "key escape\nkey escape\n");
    EXPECT_FALSE(liveRefreshWanted);  // the menu was the last page drawn
    currentPage = Multimedia;
    const std::pair<std::vector<const char*>, std::vector<std::u16string>> steps[] = {
        {{}, {u"Pas d'image d'introduction", u"Pas de son d'introduction"}},
        {{"17.ogg", "introduction.jpg"}, {u"Image d'introduction"}},
        {{"-17.ogg"}, {u"Image d'introduction"}}};
    for (const auto& [changes, report] : steps) {
        for (const char* change : changes) {
            if (change[0] == '-')
                fs::remove(project + (change + 1));
            else
                putFile(project + change, 4);
        }
        drawCurrentPage();
        EXPECT_TRUE(liveRefreshWanted);
        const std::vector<DrawnText> texts = drawnTexts(takeOutput());
        expectReport(texts, report);
        const std::u16string sounds = changes.size() == 2 ? u"1 sons ogg trouvés" : u"0 sons ogg trouvés";
        EXPECT_NE(findDrawn(texts, textToUtf8(sounds), centredX(sounds, 400), centredY(sounds, 340)), -1);
    }
    EXPECT_EQ(currentDirectory(), programFolder);

    startInProcess(folder);
    projectName = u"live";
    projectFolder = u"Projets\\live\\";
    const std::vector<DrawnText> texts = outputEntries(runEditorScript(
        clickMenuEntry(Multimedia) + "mark one\nwheel 1\nkey pagedown\ntype a\nmark two\nkey escape\nkey escape\n"));
    int64_t frames = 0;  // three events between the marks: three more frames of the same page
    for (int64_t i = findDrawn(texts, "mark one"); i >= 0 && i < findDrawn(texts, "mark two"); ++i) {
        frames += texts[i].text == "0 sons ogg trouvés" ? 1 : 0;
    }
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(editingText, 0);
    EXPECT_EQ(projectName, u"live");
    EXPECT_EQ(adventure.imageZone.x, 0);
}
