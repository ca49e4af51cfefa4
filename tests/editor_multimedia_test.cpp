// The multimedia page: what it reports of the project folder's media files,
// read again at every redraw.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor/pages/pages.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

// True when the text was drawn centred on (400, cy).
bool reportLine(const std::vector<DrawnText>& texts, const std::u16string& text, int64_t cy) {
    return findDrawn(texts, textToUtf8(text), centredX(text, 400), centredY(text, cy)) != -1;
}

void putFile(const std::string& path, size_t size) {
    writeFileBytes(path, std::string(size, 'x'));
}

}  // namespace

TEST(EditorMultimedia, ReportsTheProjectFilesWithTheirExactNames) {
    const std::string folder = makeWorkFolder("media-project");
    const std::string project = folder + "/Projets/media/";
    fs::create_directories(project);
    putFile(project + "introduction.jpg", 10);
    putFile(project + "ecran.jpg", 0);  // empty: counts as absent
    for (const char* name : {"0.jpg", "7.jpg", "252.jpg", "007.jpg", "253.jpg", "5.jpg.bak"}) {
        putFile(project + name, 3);
    }
    putFile(project + "20.jpg", 0);
    for (const char* name : {"0.ogg", "999.ogg", "1000.ogg", "01.ogg"}) putFile(project + name, 1);
    fs::create_directory(project + "44.ogg");  // a folder is no sound
    // The program's own folder has other files, which must not be reported.
    putFile(folder + "/introduction.ogg", 5);
    putFile(folder + "/1.jpg", 5);

    startInProcess(folder);
    projectName = u"media";
    projectFolder = u"Projets\\media\\";
    const std::string output = runEditorScript(clickMenuEntry(Multimedia) + "key escape\nkey escape\n");
    const std::vector<DrawnText> texts = outputEntries(output);
    EXPECT_TRUE(reportLine(texts, u"Présents dans le dossier projet :", 220));
    EXPECT_TRUE(reportLine(texts, u"Image d'introduction", 260)) << output;
    EXPECT_TRUE(reportLine(texts, u"Pas de son d'introduction", 280));
    EXPECT_TRUE(reportLine(texts, u"Pas d'image écran", 300));
    // 0, 7 and 252: not 007, not 253 (rooms stop at 252), not an empty 20.
    EXPECT_TRUE(reportLine(texts, u"3 images d'illustration trouvées", 320)) << output;
    // 0 and 999: not 1000, not 01, not a folder.
    EXPECT_TRUE(reportLine(texts, u"2 sons ogg trouvés", 340)) << output;
    // The working directory is the program's folder again after the drawing.
    EXPECT_EQ(currentDirectory(), programFolder);
}

TEST(EditorMultimedia, WithoutAProjectTheProgramFolderIsReportedInThePlural) {
    const std::string folder = makeWorkFolder("media-none");
    putFile(folder + "/ecran.jpg", 8);
    putFile(folder + "/introduction.ogg", 8);
    putFile(folder + "/3.jpg", 8);
    startInProcess(folder);
    const std::string output = runEditorScript(clickMenuEntry(Multimedia) + "key escape\nkey escape\n");
    const std::vector<DrawnText> texts = outputEntries(output);
    EXPECT_TRUE(reportLine(texts, u"Pas d'image d'introduction", 260));
    EXPECT_TRUE(reportLine(texts, u"Son d'introduction", 280));
    EXPECT_TRUE(reportLine(texts, u"Image écran", 300));
    EXPECT_TRUE(reportLine(texts, u"1 images d'illustration trouvées", 320)) << output;
    EXPECT_TRUE(reportLine(texts, u"0 sons ogg trouvés", 340)) << output;
    // Title bar starting at x 60, "MENU" button as a click zone.
    EXPECT_NE(findDrawn(texts, "MULTIMEDIA", 60, centredY(u"MULTIMEDIA", 95)), -1);
    EXPECT_NE(findDrawn(texts, "MENU", centredX(u"MENU", 400), centredY(u"MENU", 415)), -1);
}

TEST(EditorMultimedia, EveryRedrawLooksAtTheFolderAgain) {
    const std::string folder = makeWorkFolder("media-live");
    fs::create_directories(folder + "/Projets/live");
    startInProcess(folder);
    projectName = u"live";
    projectFolder = u"Projets\\live\\";
    currentPage = Multimedia;

    takeOutput();
    drawCurrentPage();
    std::vector<DrawnText> texts = drawnTexts(takeOutput());
    EXPECT_TRUE(reportLine(texts, u"0 sons ogg trouvés", 340));
    EXPECT_TRUE(reportLine(texts, u"Pas d'image d'introduction", 260));

    putFile(folder + "/Projets/live/17.ogg", 4);
    putFile(folder + "/Projets/live/introduction.jpg", 4);
    drawCurrentPage();
    texts = drawnTexts(takeOutput());
    EXPECT_TRUE(reportLine(texts, u"1 sons ogg trouvés", 340));
    EXPECT_TRUE(reportLine(texts, u"Image d'introduction", 260));

    fs::remove(folder + "/Projets/live/17.ogg");
    drawCurrentPage();
    texts = drawnTexts(takeOutput());
    EXPECT_TRUE(reportLine(texts, u"0 sons ogg trouvés", 340));
    EXPECT_EQ(currentDirectory(), programFolder);
}

TEST(EditorMultimedia, TheWheelAndKeysChangeNothingAndEveryEventRedrawsThePage) {
    const std::string folder = makeWorkFolder("media-keys");
    fs::create_directories(folder + "/Projets/keys");
    startInProcess(folder);
    projectName = u"keys";
    projectFolder = u"Projets\\keys\\";
    const std::string output = runEditorScript(clickMenuEntry(Multimedia) + "mark one\nwheel 1\nkey pagedown\n" +
                                               "type a\nmark two\nkey escape\nkey escape\n");
    const std::vector<DrawnText> texts = outputEntries(output);
    const int64_t one = findDrawn(texts, "mark one");
    const int64_t two = findDrawn(texts, "mark two");
    ASSERT_NE(one, -1);
    ASSERT_NE(two, -1);
    // Three events between the marks: three more frames of the same page.
    int64_t frames = 0;
    for (int64_t i = one; i < two; ++i) frames += texts[i].text == "0 sons ogg trouvés" ? 1 : 0;
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(editingText, 0);
    EXPECT_EQ(projectName, u"keys");
    EXPECT_EQ(adventure.imageZone.x, 0);
}
