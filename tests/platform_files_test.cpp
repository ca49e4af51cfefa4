// Files and folders: line ends, integers, sizes, and failures reported as such.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/platform.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

TEST(PlatformFiles, EveryKindOfLineEndEndsALine) {
    const std::string folder = makeWorkFolder("files-lines");
    startInProcess(folder);
    writeFileBytes(folder + "/lines.txt", std::string("un\r\ndeux\ntrois\rquatre\0cinq\r\n\r\nsept", 34));
    const FileHandle file = openFile(u"lines.txt");
    ASSERT_NE(file, 0);
    const std::u16string expected[] = {u"un", u"deux", u"trois", u"quatre", u"cinq", u"", u"sept"};
    for (const std::u16string& line : expected) {
        EXPECT_FALSE(endOfFile(file));
        EXPECT_EQ(readLine(file), line);
    }
    EXPECT_TRUE(endOfFile(file));
    EXPECT_TRUE(closeFile(file));
}

TEST(PlatformFiles, LinesAreWrittenInUtf8WithCrLfAndReadBack) {
    const std::string folder = makeWorkFolder("files-write");
    startInProcess(folder);
    const FileHandle file = createFile(u"out.txt");
    ASSERT_NE(file, 0);
    EXPECT_TRUE(writeLine(file, u"épée"));
    EXPECT_TRUE(writeLine(file, u""));
    EXPECT_TRUE(writeInteger(file, -2));
    EXPECT_TRUE(closeFile(file));
    EXPECT_EQ(readFileBytes(folder + "/out.txt"), std::string("\xC3\xA9p\xC3\xA9"
                                                              "e\r\n\r\n\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF",
                                                              18));
    EXPECT_EQ(fileSize(u"out.txt"), 18);

    // A long line crosses the reading buffer whole.
    const std::u16string longLine(200000, u'à');
    const FileHandle big = createFile(u"big.txt");
    EXPECT_TRUE(writeLine(big, longLine));
    EXPECT_TRUE(writeLine(big, u"fin"));
    EXPECT_TRUE(closeFile(big));
    const FileHandle reading = openFile(u"big.txt");
    EXPECT_EQ(readLine(reading), longLine);
    EXPECT_EQ(readLine(reading), u"fin");
    EXPECT_TRUE(endOfFile(reading));
    closeFile(reading);
}

TEST(PlatformFiles, IntegersAreEightBytesLittleEndian) {
    const std::string folder = makeWorkFolder("files-integers");
    startInProcess(folder);
    writeFileBytes(folder + "/n.bin", std::string("\x01\x02\x00\x00\x00\x00\x00\x80\x07", 9));
    const FileHandle file = openFile(u"n.bin");
    int64_t value = 0;
    ASSERT_TRUE(readInteger(file, value));
    EXPECT_EQ(value, static_cast<int64_t>(0x8000000000000201ULL));
    EXPECT_FALSE(readInteger(file, value));  // one byte left: not an integer
    closeFile(file);
}

TEST(PlatformFiles, SizesFoldersRenamesAndDeletes) {
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
}

TEST(PlatformFiles, AListingGivesEveryEntryWithItsKind) {
    const std::string folder = makeWorkFolder("files-listing");
    startInProcess(folder);
    fs::create_directories(folder + "/Projets/a");
    writeFileBytes(folder + "/Projets/b.txt", "");
    const FolderListing listing = openFolderListing(u"Projets", u"*.*");
    ASSERT_NE(listing, 0);
    std::u16string name;
    bool isFolder = false;
    int dots = 0;
    bool sawFolder = false;
    bool sawFile = false;
    while (nextFolderEntry(listing, name, isFolder)) {
        if (name == u"." || name == u"..") dots += isFolder ? 1 : 0;
        if (name == u"a") sawFolder = isFolder;
        if (name == u"b.txt") sawFile = !isFolder;
    }
    closeFolderListing(listing);
    EXPECT_EQ(dots, 2);
    EXPECT_TRUE(sawFolder);
    EXPECT_TRUE(sawFile);
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
