// The interface pictures that the build draws into the run folder's "Images":
// right kind, right size, real transparency, and each fits where its page
// draws it.
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

const std::string imagesFolder = std::string(ORVALDE_RUN_FOLDER) + "/Images/";

ImageHandle loadPicture(const std::string& name) {
    static const bool started = [] {

        return platformInit();
    }();
    EXPECT_TRUE(started);
    const ImageHandle picture = loadImage(utf8ToText(imagesFolder + name));
    EXPECT_NE(picture, 0) << name;
    return picture;
}

// True when the picture drawn at (x, y) stays inside the rectangle (left, top, right, bottom).
bool fitsWithin(const std::string& name, int64_t x, int64_t y, int64_t left, int64_t top, int64_t right,
                int64_t bottom) {
    const ImageHandle picture = loadPicture(name);
    const int64_t width = imageWidth(picture), height = imageHeight(picture);
    freeImage(picture);
    return width > 0 && height > 0 && x >= left && y >= top && x + width <= right && y + height <= bottom;
}

}  // namespace

// The introduction and the screen background are whole-window JPEGs; the
// decorations, the compass and the icons PNGs with an alpha channel (colour
// type 6 in the header); the two delete icons mark one 20-pixel row of the
// event lists and differ.
TEST(RunFolderPictures, PicturesAreOfTheirKindAndSize) {
    for (const char* name : {"introduction.jpg", "ecran.jpg"}) {
        EXPECT_EQ(readFileBytes(imagesFolder + name).substr(0, 2), "\xFF\xD8") << name;
        const ImageHandle picture = loadPicture(name);
        EXPECT_EQ(imageWidth(picture), 800) << name;
        EXPECT_EQ(imageHeight(picture), 600) << name;
        freeImage(picture);
    }
    for (const char* name : {"deco1.png", "deco2.png", "deco3.png", "nseo.png", "suppr.png", "supprSel.png"}) {
        const std::string bytes = readFileBytes(imagesFolder + name);
        ASSERT_GE(bytes.size(), 26u) << name;
        EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1A\n") << name;
        EXPECT_EQ(bytes.substr(12, 4), "IHDR") << name;
        EXPECT_EQ(bytes[25], 6) << name << " has no alpha channel";
    }
    for (const char* name : {"suppr.png", "supprSel.png"}) {
        const ImageHandle picture = loadPicture(name);
        EXPECT_EQ(imageHeight(picture), 20) << name;
        freeImage(picture);
    }
    EXPECT_NE(readFileBytes(imagesFolder + "suppr.png"), readFileBytes(imagesFolder + "supprSel.png"));
    EXPECT_EQ(loadImage(utf8ToText(imagesFolder + "absent.jpg")), 0);  // missing pictures fail quietly
    EXPECT_EQ(loadImage(utf8ToText(imagesFolder)), 0);
    // Message pages draw deco1 at (137, 435); room and object pages deco2 at
    // (300, 350); the vocabulary page deco3 at (200, 300), left of its list
    // box at x 400; the compass at (350, 100) stays left of the cells at x 750
    // and above the one at y 520.
    EXPECT_TRUE(fitsWithin("deco1.png", 137, 435, 0, 0, 800, 600));
    EXPECT_TRUE(fitsWithin("deco2.png", 300, 350, 0, 0, 800, 600));
    EXPECT_TRUE(fitsWithin("deco3.png", 200, 300, 0, 0, 400, 600));
    EXPECT_TRUE(fitsWithin("nseo.png", 350, 100, 0, 0, 750, 520));
}

// Draws the movements page's value cells and then the compass the way the
// page does (alpha blending at (350, 100)): every cell must still show whole,
// the compass must draw something, and its background must let the page through.
TEST(RunFolderPictures, CompassLeavesTheMovementsPageCellsVisible) {
    const Colour grey = rgb(128, 128, 128), red = rgb(255, 0, 0);
    const ImageHandle compass = loadPicture("nseo.png");
    const FontHandle font = loadFont(utf8ToText(ORVALDE_RUN_FOLDER "/Fonts/DroidSansMono.ttf"), 12);
    const ImageHandle page = createImage(800, 600, 32);
    ASSERT_NE(font, 0);
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
        EXPECT_EQ(pixelsOf(page, cell[0], cell[1], cellW, cellH, red), cellW * cellH) << cell[0] << ", " << cell[1];
    }
    const int64_t area = imageWidth(compass) * imageHeight(compass);
    const int64_t drawn = area - pixelsOf(page, 350, 100, imageWidth(compass), imageHeight(compass), grey);
    EXPECT_GT(drawn, 5000);      // arrows, labels and centre piece
    EXPECT_LT(drawn, area / 2);  // mostly see-through
    EXPECT_EQ(readPixel(page, 350, 100), grey);
    freeImage(page);
    freeImage(compass);
}
