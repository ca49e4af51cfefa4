// The interface pictures that the build draws into the run folder's "Images":
// right kind, right size, real transparency, and each fits where its page
// draws it.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/platform.h"

namespace {

const std::string imagesFolder = std::string(ORVALDE_RUN_FOLDER) + "/Images/";

struct PictureHeader {
    bool png = false, jpeg = false;
    int width = 0, height = 0;
    int pngColourType = -1;
};

std::vector<unsigned char> readPicture(const std::string& name) {
    std::ifstream file(imagesFolder + name, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

int bigEndian(const std::vector<unsigned char>& b, size_t at, int bytes) {
    int value = 0;
    for (int i = 0; i < bytes; ++i) value = value * 256 + b[at + i];
    return value;
}

// Reads the size from a PNG's IHDR chunk or a JPEG's start-of-frame segment.
PictureHeader readHeader(const std::vector<unsigned char>& b) {
    PictureHeader h;
    const unsigned char pngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (b.size() >= 26 && std::equal(pngSignature, pngSignature + 8, b.begin()) &&
        std::string(b.begin() + 12, b.begin() + 16) == "IHDR") {
        h.png = true, h.width = bigEndian(b, 16, 4), h.height = bigEndian(b, 20, 4), h.pngColourType = b[25];
        return h;
    }
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return h;
    size_t at = 2;
    while (at + 9 < b.size() && b[at] == 0xFF) {
        int marker = b[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            h.jpeg = true, h.height = bigEndian(b, at + 5, 2), h.width = bigEndian(b, at + 7, 2);
            return h;
        }
        at += 2 + bigEndian(b, at + 2, 2);
    }
    return h;
}

PictureHeader headerOf(const std::string& name) {
    std::vector<unsigned char> bytes = readPicture(name);
    EXPECT_FALSE(bytes.empty()) << name << " is missing or empty";
    return readHeader(bytes);
}

// True when a picture drawn at (x, y) stays inside the rectangle (left, top, right, bottom).
bool fitsWithin(const PictureHeader& h, int x, int y, int left, int top, int right, int bottom) {
    return h.width > 0 && h.height > 0 && x >= left && y >= top && x + h.width <= right && y + h.height <= bottom;
}

std::u16string programPath(const std::string& name) {
    std::string path = imagesFolder + name;
    for (char& c : path)
        if (c == '/') c = '\\';
    return utf8ToText(path);
}

TEST(RunFolderPictures, IntroductionAndScreenBackgroundAreWholeWindowJpegs) {
    for (const char* name : {"introduction.jpg", "ecran.jpg"}) {
        PictureHeader h = headerOf(name);
        EXPECT_TRUE(h.jpeg) << name;
        EXPECT_EQ(h.width, 800) << name;
        EXPECT_EQ(h.height, 600) << name;
    }
}

TEST(RunFolderPictures, DecorationsCompassAndIconsArePngsWithAlpha) {
    for (const char* name : {"deco1.png", "deco2.png", "deco3.png", "nseo.png", "suppr.png", "supprSel.png"}) {
        PictureHeader h = headerOf(name);
        EXPECT_TRUE(h.png) << name;
        EXPECT_EQ(h.pngColourType, 6) << name << " has no alpha channel";
    }
    // The delete icon marks one 20-pixel row of the event lists.
    EXPECT_EQ(headerOf("suppr.png").height, 20);
    EXPECT_EQ(headerOf("supprSel.png").height, 20);
    EXPECT_TRUE(readPicture("suppr.png") != readPicture("supprSel.png")) << "the two delete icons are the same";
}

TEST(RunFolderPictures, DecorationsFitWhereTheirPagesDrawThem) {
    // Message pages draw deco1 at (137, 435); room and object pages deco2 at
    // (300, 350); the vocabulary page deco3 at (200, 300), left of its list box at x 400.
    EXPECT_TRUE(fitsWithin(headerOf("deco1.png"), 137, 435, 0, 0, 800, 600));
    EXPECT_TRUE(fitsWithin(headerOf("deco2.png"), 300, 350, 0, 0, 800, 600));
    EXPECT_TRUE(fitsWithin(headerOf("deco3.png"), 200, 300, 0, 0, 400, 600));
    // The compass at (350, 100) stays left of the cells at x 750 and above the one at y 520.
    EXPECT_TRUE(fitsWithin(headerOf("nseo.png"), 350, 100, 0, 0, 750, 520));
}

// Draws the movements page's value cells and then the compass the way the
// page does (alpha blending at (350, 100)): every cell must still show whole,
// the compass must draw something, and its background must let the page through.
TEST(RunFolderPictures, CompassLeavesTheMovementsPageCellsVisible) {
    useHeadlessMode();
    ASSERT_TRUE(platformInit());
    const Colour grey = rgb(128, 128, 128), red = rgb(255, 0, 0);
    FontHandle font = loadFont(utf8ToText(ORVALDE_RUN_FOLDER "/Fonts/DroidSansMono.ttf"), 12);
    ImageHandle compass = loadImage(programPath("nseo.png"));
    ImageHandle page = createImage(800, 600, 32);
    ASSERT_NE(font, 0);
    ASSERT_NE(compass, 0);
    ASSERT_NE(page, 0);
    beginDrawing(page);
    selectFont(font);
    const int64_t cellW = textWidth(u"000"), cellH = textHeight(u"000");
    const int cells[6][2] = {{750, 460}, {330, 280}, {330, 460}, {750, 280}, {530, 70}, {530, 520}};
    fillRect(0, 0, 800, 600, grey);
    for (const auto& cell : cells) fillRect(cell[0], cell[1], cellW, cellH, red);
    setDrawingMode(DrawMode::AlphaBlend);
    drawImage(compass, 350, 100);
    endDrawing();

    for (const auto& cell : cells) {
        int covered = 0;
        for (int64_t y = cell[1]; y < cell[1] + cellH; ++y)
            for (int64_t x = cell[0]; x < cell[0] + cellW; ++x) covered += readPixel(page, x, y) != red;
        EXPECT_EQ(covered, 0) << "cell at " << cell[0] << ", " << cell[1];
    }
    int drawn = 0;
    for (int64_t y = 100; y < 100 + imageHeight(compass); ++y)
        for (int64_t x = 350; x < 350 + imageWidth(compass); ++x) drawn += readPixel(page, x, y) != grey;
    EXPECT_GT(drawn, 5000);                                            // arrows, labels and centre piece
    EXPECT_LT(drawn, imageWidth(compass) * imageHeight(compass) / 2);  // mostly see-through
    EXPECT_EQ(readPixel(page, 350, 100), grey);
    freeImage(page);
    freeImage(compass);
}

}  // namespace
