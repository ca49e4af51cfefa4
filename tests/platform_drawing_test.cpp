// Drawing into off-screen images as the pages and the game rely on it.
#include <gtest/gtest.h>

#include "app/platform.h"
#include "app/program.h"
#include "tests/test_support.h"

namespace {

constexpr Colour Black = rgb(0, 0, 0);
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

int countPixels(ImageHandle image, Colour colour) {
    int count = 0;
    for (int y = 0; y < imageHeight(image); ++y) {
        for (int x = 0; x < imageWidth(image); ++x) count += readPixel(image, x, y) == colour ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(PlatformDrawing, BoxesAndLinesAreClippedAndIncludeBothEnds) {
    startInProcess(makeWorkFolder("drawing-boxes"));
    const ImageHandle image = greyImage(40, 30);
    beginDrawing(image);
    fillRect(-5, -5, 10, 10, Red);          // only the 5 x 5 inside the image
    fillRect(35, 25, 1000000000, 50, Red);  // far past the edge: clipped, no overflow
    fillRect(10, 10, 0, 5, Red);            // nothing
    setFrontColour(White);
    drawLine(10, 20, 14, 20);        // five pixels, both ends
    drawLine(-100, -100, -50, -50);  // wholly outside
    endDrawing();
    EXPECT_EQ(readPixel(image, 4, 4), Red);
    EXPECT_EQ(readPixel(image, 5, 5), Grey);
    EXPECT_EQ(readPixel(image, 39, 29), Red);
    EXPECT_EQ(countPixels(image, Red), 25 + 25);
    EXPECT_EQ(countPixels(image, White), 5);
    EXPECT_EQ(readPixel(image, 14, 20), White);
    EXPECT_EQ(readPixel(image, 40, 0), -1);
    freeImage(image);
}

TEST(PlatformDrawing, OpaqueTextFillsItsCellTransparentTextDoesNot) {
    startInProcess(makeWorkFolder("drawing-text"));
    EXPECT_EQ(textHeight(u""), 0);
    EXPECT_EQ(textWidth(u""), 0);
    const ImageHandle image = greyImage(200, 40);
    beginDrawing(image);
    const int64_t width = textWidth(u"Orvalde");
    const int64_t height = textHeight(u"Orvalde");
    EXPECT_GT(width, 30);
    EXPECT_GT(height, 10);
    EXPECT_EQ(textHeight(u"é"), height);
    drawText(0, 0, u"Orvalde");  // opaque: the cell takes the back colour, black
    setDrawingMode(DrawMode::TransparentText);
    setFrontColour(Red);
    drawText(100, 0, u"Orvalde");
    endDrawing();
    // The opaque cell is black except where the white letters are.
    EXPECT_EQ(countPixels(image, Black) + countPixels(image, White) > width * height / 2, true);
    EXPECT_EQ(readPixel(image, width - 1, height - 1), Black);
    // Beside the transparent text the grey stays.
    EXPECT_EQ(readPixel(image, 100 + width - 1, height - 1), Grey);
    int redish = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 100; x < 100 + width; ++x) {
            const Colour c = readPixel(image, x, y);
            redish += (c & 255) > 200 && ((c >> 8) & 255) < 60 ? 1 : 0;
        }
    }
    EXPECT_GT(redish, 20);
    freeImage(image);
}

TEST(PlatformDrawing, ImagesAreDrawnStretchedAndGrabbed) {
    startInProcess(makeWorkFolder("drawing-images"));
    const ImageHandle red = createImage(4, 4, 24);
    beginDrawing(red);
    fillRect(0, 0, 4, 4, Red);
    endDrawing();
    const ImageHandle image = greyImage(50, 50);
    beginDrawing(image);
    drawImage(red, 48, 48);                // clipped at the corner
    drawImageScaled(red, 10, 10, 20, 10);  // stretched
    drawImageScaled(red, 0, 40, 0, 5);     // width 0: nothing
    drawImageScaled(red, 0, 40, 5, -1);    // height below 0: nothing
    endDrawing();
    EXPECT_EQ(countPixels(image, Red), 4 + 200);
    EXPECT_EQ(readPixel(image, 29, 19), Red);
    EXPECT_EQ(readPixel(image, 30, 19), Grey);

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

TEST(PlatformDrawing, PicturesLoadFromJpegAndPngAndMissingOnesFailQuietly) {
    startInProcess(makeWorkFolder("drawing-load"));
    const ImageHandle jpeg = loadImage(u"Images\\ecran.jpg");
    const ImageHandle png = loadImage(u"Images\\suppr.png");
    EXPECT_NE(jpeg, 0);
    EXPECT_NE(png, 0);
    EXPECT_EQ(imageWidth(jpeg), 800);
    EXPECT_EQ(imageHeight(png), 20);
    EXPECT_EQ(loadImage(u"Images\\absent.jpg"), 0);
    EXPECT_EQ(loadImage(u"Images"), 0);
    freeImage(jpeg);
    freeImage(png);
}
