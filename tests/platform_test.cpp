// The platform as the pages and the game rely on it: drawing into off-screen
// images; files and folders with their line ends, integers, sizes and
// failures reported as such; sound on the silent device. (Text drawing and
// picture loading are shown by the widget, game screen and picture scenarios.)
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Grey = rgb(128, 128, 128);
constexpr Colour Red = rgb(255, 0, 0);

ImageHandle greyImage(int width, int height) {
    const ImageHandle image = createImage(width, height, 32);
    beginDrawing(image);
    fillRect(0, 0, width, height, Grey);
    endDrawing();
    return image;
}

int64_t countPixels(ImageHandle image, Colour colour) {
    return pixelsOf(image, 0, 0, imageWidth(image), imageHeight(image), colour);
}

}  // namespace

TEST(PlatformDrawing, BoxesLinesAndImagesAreClippedStretchedAndGrabbed) {
    startInProcess(makeWorkFolder("drawing-boxes"));
    const ImageHandle image = greyImage(50, 50);
    const ImageHandle red = createImage(4, 4, 24);
    beginDrawing(red);
    fillRect(0, 0, 4, 4, Red);
    endDrawing();
    beginDrawing(image);
    fillRect(-5, -5, 10, 10, Red);          // only the 5 x 5 inside the image
    fillRect(45, 45, 1000000000, 50, Red);  // far past the edge: clipped, no overflow
    fillRect(10, 10, 0, 5, Red);            // nothing
    setFrontColour(White);
    drawLine(10, 30, 14, 30);              // five pixels, both ends
    drawLine(-100, -100, -50, -50);        // wholly outside
    drawImage(red, 48, 0);                 // clipped at the edge
    drawImageScaled(red, 10, 10, 20, 10);  // stretched
    drawImageScaled(red, 0, 40, 0, 5);     // width 0: nothing
    drawImageScaled(red, 0, 40, 5, -1);    // height below 0: nothing
    endDrawing();
    EXPECT_EQ(readPixel(image, 4, 4), Red);
    EXPECT_EQ(readPixel(image, 5, 5), Grey);
    EXPECT_EQ(readPixel(image, 49, 49), Red);
    EXPECT_EQ(countPixels(image, Red), 25 + 25 + 8 + 200);
    EXPECT_EQ(countPixels(image, White), 5);
    EXPECT_EQ(readPixel(image, 14, 30), White);
    EXPECT_EQ(readPixel(image, 29, 19), Red);
    EXPECT_EQ(readPixel(image, 30, 19), Grey);
    EXPECT_EQ(readPixel(image, 50, 0), -1);

    const int64_t before = liveImageCount();
    const ImageHandle piece = grabImage(image, 25, 15, 10, 10);
    ASSERT_NE(piece, 0);
    EXPECT_EQ(liveImageCount(), before + 1);
    EXPECT_EQ(imageWidth(piece), 10);
    EXPECT_EQ(readPixel(piece, 4, 4), Red);   // (29, 19) of the source
    EXPECT_EQ(readPixel(piece, 5, 5), Grey);  // (30, 20)
    EXPECT_EQ(grabImage(image, 0, 0, 0, 10), 0);
    freeImage(piece);
    freeImage(piece);  // twice: harmless
    EXPECT_EQ(liveImageCount(), before);
    freeImage(red);
    freeImage(image);
}

// Every kind of line end ends a line; lines are written in UTF-8 with CR LF,
// integers as eight bytes least significant first; a long line crosses the
// reading buffer whole.
TEST(PlatformFiles, LinesAndIntegersAreWrittenAndReadBack) {
    const std::string folder = makeWorkFolder("files-lines");
    startInProcess(folder);
    writeFileBytes(folder + "/lines.txt", std::string("un\r\ndeux\ntrois\rquatre\0cinq\r\n\r\nsept", 34));
    FileHandle file = openFile(u"lines.txt");
    ASSERT_NE(file, 0);
    for (const char16_t* line : {u"un", u"deux", u"trois", u"quatre", u"cinq", u"", u"sept"}) {
        EXPECT_FALSE(endOfFile(file));
        EXPECT_EQ(readLine(file), line);
    }
    EXPECT_TRUE(endOfFile(file));
    EXPECT_TRUE(closeFile(file));

    file = createFile(u"out.txt");
    ASSERT_NE(file, 0);
    EXPECT_TRUE(writeLine(file, u"épée"));
    EXPECT_TRUE(writeLine(file, u""));
    EXPECT_TRUE(writeInteger(file, -2));
    EXPECT_TRUE(writeInteger(file, 0x0102030405060708));
    EXPECT_TRUE(closeFile(file));
    EXPECT_EQ(readFileBytes(folder + "/out.txt"),
              std::string("\xC3\xA9p\xC3\xA9"
                          "e\r\n\r\n\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x08\x07\x06\x05\x04\x03\x02\x01",
                          26));
    EXPECT_EQ(fileSize(u"out.txt"), 26);

    writeFileBytes(folder + "/n.bin", std::string("\x01\x02\x00\x00\x00\x00\x00\x80\x07", 9));
    file = openFile(u"n.bin");
    int64_t value = 0;
    ASSERT_TRUE(readInteger(file, value));
    EXPECT_EQ(value, static_cast<int64_t>(0x8000000000000201ULL));
    EXPECT_FALSE(readInteger(file, value));  // one byte left: not an integer
    closeFile(file);

    const std::u16string longLine(200000, u'à');
    file = createFile(u"big.txt");
    EXPECT_TRUE(writeLine(file, longLine));
    EXPECT_TRUE(writeLine(file, u"fin"));
    EXPECT_TRUE(closeFile(file));
    file = openFile(u"big.txt");
    EXPECT_EQ(readLine(file), longLine);
    EXPECT_EQ(readLine(file), u"fin");
    EXPECT_TRUE(endOfFile(file));
    closeFile(file);
}

TEST(PlatformFiles, SizesFoldersRenamesDeletesAndListings) {
    const std::string folder = makeWorkFolder("files-folders");
    startInProcess(folder);
    EXPECT_EQ(fileSize(u"absent"), -1);
    EXPECT_EQ(fileSize(u"Projets"), -2);
    EXPECT_TRUE(createFolder(u"Projets\\chateau"));
    EXPECT_FALSE(createFolder(u"Projets\\chateau"));  // there already
    EXPECT_FALSE(createFolder(u"absent\\deep"));      // one level at a time
    writeFileBytes(folder + "/Projets/chateau/a.orv", "abc");
    EXPECT_EQ(fileSize(u"Projets\\chateau\\a.orv"), 3);
    EXPECT_TRUE(renameFile(u"Projets\\chateau\\a.orv", u"Projets\\chateau\\a.bak"));
    EXPECT_EQ(fileSize(u"Projets\\chateau\\a.orv"), -1);
    EXPECT_FALSE(deleteFile(u"Projets\\chateau"));  // a folder is not a file
    EXPECT_TRUE(deleteFile(u"Projets\\chateau\\a.bak"));
    EXPECT_FALSE(deleteFile(u"Projets\\chateau\\a.bak"));
    EXPECT_EQ(openFile(u"Projets"), 0);
    EXPECT_EQ(createFile(u"Projets"), 0);
    EXPECT_EQ(createFile(u"absent\\x.txt"), 0);

    // The working directory is absolute, in "\" form, and a relative change works.
    const std::u16string here = currentDirectory();
    EXPECT_EQ(here.front(), u'\\');
    EXPECT_EQ(here.back(), u'\\');
    EXPECT_TRUE(setCurrentDirectory(u"Projets\\chateau"));
    EXPECT_EQ(currentDirectory(), here + u"Projets\\chateau\\");
    EXPECT_FALSE(setCurrentDirectory(u"absent"));
    EXPECT_TRUE(setCurrentDirectory(here));

    // A listing gives every entry with its kind.
    writeFileBytes(folder + "/Projets/b.txt", "");
    const FolderListing listing = openFolderListing(u"Projets", u"*.*");
    ASSERT_NE(listing, 0);
    std::u16string name;
    bool isFolder = false;
    std::u16string seen;
    while (nextFolderEntry(listing, name, isFolder)) seen += u" " + name + (isFolder ? u"/ " : u" ");
    closeFolderListing(listing);
    for (const char16_t* entry : {u" ./ ", u" ../ ", u" chateau/ ", u" b.txt "}) {
        EXPECT_NE(seen.find(entry), std::u16string::npos) << textToUtf8(seen);
    }
    EXPECT_EQ(openFolderListing(u"absent", u"*.*"), 0);
    EXPECT_FALSE(nextFolderEntry(listing, name, isFolder));  // closed
}

TEST(PlatformFiles, AWriteThatCannotBeCompletedIsReportedAtTheClose) {
    startInProcess(makeWorkFolder("files-full"));
    if (fileSize(u"\\dev\\full") == -1) GTEST_SKIP() << "no /dev/full here";
    const FileHandle file = createFile(u"\\dev\\full");
    ASSERT_NE(file, 0);
    writeLine(file, u"a line that the full device cannot take");
    EXPECT_FALSE(closeFile(file));
}

TEST(PlatformSound, SamplesPlayOnTheirOwnVoiceOrAnExtraOneAndMissingOnesLoadAsNoSound) {
    const std::string folder = makeWorkFolder("sound");
    startInProcess(folder);
    const SoundHandle beep = loadSound(utf8ToText(ORVALDE_TEST_DATA "/beep.ogg"));
    ASSERT_NE(beep, 0);
    const int64_t own = playSound(beep, false);
    EXPECT_GT(own, 0);
    EXPECT_EQ(playSound(beep, false), own);  // restarting takes the same voice again
    const int64_t extra = playSound(beep, true);
    EXPECT_GT(extra, 0);
    EXPECT_NE(extra, own);
    stopSound(beep, own);
    stopSound(beep, 0);      // no voice: nothing happens
    stopSound(0, own);       // no sample: nothing happens
    stopSound(beep, 99999);  // a handle from nowhere: nothing happens
    stopAllSounds();
    freeSound(beep);
    EXPECT_EQ(playSound(beep, false), 0);  // a released sample plays no more
    EXPECT_EQ(loadSound(u"absent.ogg"), 0);
    writeFileBytes(folder + "/broken.ogg", "OggS but not really");
    EXPECT_EQ(loadSound(u"broken.ogg"), 0);
    EXPECT_EQ(playSound(0, true), 0);
}
