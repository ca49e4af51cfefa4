// The services everything rests on: texts in UTF-16 and UTF-8, case mapping
// and numbers, the input poll, files and folders, and the drawing widgets.
#include <array>
#include <filesystem>
#include <tuple>

#include "editor/widgets.h"
#include "tests/support.h"

namespace fs = std::filesystem;

TEST(Platform, TextsConvertBetweenUtf8AndUtf16) {
    const struct {
        std::u16string text;
        std::string utf8;
    } cases[] = {
        // clang-format off
        {u"A", "A"}, {u"é", "\xC3\xA9"}, {u"\u07FF", "\xDF\xBF"}, {u"\u0800", "\xE0\xA0\x80"}, {u"€", "\xE2\x82\xAC"},
        {u"\uFFFF", "\xEF\xBF\xBF"}, {u"😀", "\xF0\x9F\x98\x80"},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textToUtf8(c.text), c.utf8);
        EXPECT_EQ(utf8ToText(c.utf8), c.text);
    }
    // Broken UTF-8 still gives a text, one unit per undecodable byte at most.
    for (const std::string broken : {"\xC3", "\xFF\xFE", "\xED\xA0\x80", "\xF0\x9F\x98"}) {
        EXPECT_LE(utf8ToText(broken).size(), broken.size());
    }
}

TEST(Platform, CaseNumbersAndPartsOfTexts) {
    EXPECT_EQ(upperCase(u"épée çà ÿ œ ž abc"), u"ÉPÉE ÇÀ Ÿ Œ Ž ABC");
    EXPECT_EQ(lowerCase(u"ÉPÉE ÇÀ Ÿ Œ Ž ABC"), u"épée çà ÿ œ ž abc");
    const struct {
        std::u16string text;
        int64_t value;
    } numbers[] = {
        // clang-format off
        {u"  \t12ab", 12}, {u"+7", 7}, {u"x1", 0}, {u"$10", 0},
        {u"-9223372036854775808", INT64_MIN}, {u"18446744073709551617", INT64_MAX},
        // clang-format on
    };
    for (const auto& c : numbers) EXPECT_EQ(textToInteger(c.text), c.value) << textToUtf8(c.text);
    EXPECT_EQ(integerToText(INT64_MIN), u"-9223372036854775808");
    EXPECT_EQ(rightPart(u"abcdef", 2) + rightPart(u"abc", 9) + rightPart(u"abc", -1), u"efabc");
}

// One event per poll, keys on their release; the wheel's step of ten needs
// Control alone.
TEST(Platform, EachEventFillsItsOwnFieldOfTheInputState) {
    startInProcess(makeWorkFolder("poll"));
    const struct {
        const char* event;
        InputState expected;
    } cases[] = {
        // clang-format off
        {"click 3 4", {.clicked = true}}, {"wheel 2", {.wheelSteps = 2}},
        {"wheel -1 ctrl", {.wheelSteps = -1, .ctrlWheel = true}}, {"wheel 1 ctrl shift", {.wheelSteps = 1}},
        {"key escape", {.escapeKey = true}}, {"key return", {.returnKey = true}}, {"key up", {.upKey = true}},
        {"key down", {.downKey = true}}, {"key pageup", {.pageUpKey = true}}, {"key pagedown", {.pageDownKey = true}},
        {"key backspace", {.backspaceKey = true}}, {"type é", {.typedChar = u'é'}}, {"type 😀", {.typedChar = 0x1F600}},
        // clang-format on
    };
    for (const auto& c : cases) {
        queueInputScript(c.event);
        pollInput();
        EXPECT_TRUE(inputState == c.expected) << c.event;
    }
}

TEST(Platform, FilesAndFoldersReportWhatIsThere) {
    const std::string folder = makeWorkFolder("files");
    startInProcess(folder);
    writeFile(folder + "/vide", "");
    EXPECT_EQ(fileSize(u"vide"), 0);
    EXPECT_EQ(fileSize(u"absent"), -1);
    EXPECT_EQ(fileSize(u"Projets"), -2);
    EXPECT_EQ(fileSize(u"Images\\ecran.jpg"), static_cast<int64_t>(fs::file_size(folder + "/Images/ecran.jpg")));
    EXPECT_FALSE(createFolder(u"Projets"));
    EXPECT_FALSE(deleteFile(u"Projets"));
    EXPECT_TRUE(renameFile(u"vide", u"Projets\\plein"));
    std::vector<std::u16string> names;
    const FolderListing listing = openFolderListing(u"Projets");
    std::u16string name;
    bool isFolder = false;
    while (nextFolderEntry(listing, name, isFolder)) names.push_back(name + (isFolder ? u"/" : u""));
    closeFolderListing(listing);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::u16string>{u"../", u"./", u"plein"}));
}

TEST(Platform, ButtonsAndWrappedTextsAreDrawnInTheirBoxes) {
    startInProcess(makeWorkFolder("widgets"));
    beginDrawing(backBuffer);
    fillRect(0, 0, 800, 600, rgb(128, 128, 128));
    drawButton(10, 10, 20, 10);
    const struct {
        int64_t x, y;
        Colour colour;
    } pixels[] = {{10, 10, rgb(0, 0, 0)},       {29, 19, rgb(0, 0, 0)},      {11, 11, rgb(255, 255, 255)},
                  {28, 18, rgb(255, 255, 255)}, {31, 21, rgb(0, 0, 0)},      {30, 10, rgb(128, 128, 128)},
                  {10, 20, rgb(128, 128, 128)}, {32, 12, rgb(128, 128, 128)}};
    for (const auto& p : pixels) EXPECT_EQ(readPixel(backBuffer, p.x, p.y), p.colour) << p.x << "," << p.y;
    // A long word is cut at the box's width; what does not fit is reported.
    takeHeadlessOutput();
    EXPECT_EQ(drawWrappedText(u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa b", 100, 100, 100, 200, 10, 10, 0, 0, 0, 1), 1);
    const std::vector<Drawn> lines = drawn(takeHeadlessOutput());
    ASSERT_GE(lines.size(), 3u);
    std::string joined;
    for (const Drawn& line : lines) {
        EXPECT_LE(textWidth(utf8ToText(line.text)), 80) << line.text;
        joined += line.text;
    }
    EXPECT_EQ(joined, std::string(30, 'a') + " b");
    EXPECT_EQ(drawWrappedText(u"un deux trois quatre", 100, 100, 60, 30, 10, 5, 0, 0, 0, 1), 0);
    EXPECT_EQ(drawWrappedText(u"x", 100, 100, 10, 30, 10, 5, 0, 0, 0, 1), 1);
    // Each font measures a text for itself, whatever another measured before.
    selectFont(interfaceFont);
    const int64_t wide = textWidth(u"iiii");
    selectFont(loadFont(u"Fonts/DroidSansMono.ttf", 8));
    EXPECT_LT(textWidth(u"iiii"), wide);
    endDrawing();
}

// A text is blended by the program's own computation (the same in the
// browser): each pixel lies on the way from its ground to the ink, new or drawn
// again, on one ground, another or two; cut by the picture's edges, the text
// shows the very pixels it shows whole.
TEST(Platform, ATextCutByTheEdgesOfAPictureShowsTheSamePixelsAsWhole) {
    startInProcess(makeWorkFolder("text_edges"));
    const std::u16string text = u"Mémé W_";
    const Colour ink = rgb(200, 40, 0);
    int64_t width = 0, height = 0;
    // The ground is `right` from column `split` and row `split` / 4 on, `left` elsewhere.
    auto drawn = [&](int64_t imageWidth, int64_t imageHeight, int64_t x, int64_t y, Colour left, Colour right,
                     int64_t split) {
        const ImageHandle image = createImage(imageWidth, imageHeight, 32);
        beginDrawing(image);
        selectFont(interfaceFont);
        fillRect(0, 0, imageWidth, imageHeight, left);
        fillRect(split, split / 4, imageWidth, imageHeight, right);
        setFrontColour(ink);
        setDrawingMode(DrawMode::TransparentText);
        drawText(x, y, text);
        width = textWidth(text);
        height = textHeight(text);
        endDrawing();
        return image;
    };
    const Colour ground = rgb(0, 160, 200), other = rgb(0, 250, 90);
    const ImageHandle whole = drawn(300, 60, 10, 5, ground, ground, 300);
    for (const auto& [left, right, split] : std::vector<std::tuple<Colour, Colour, int64_t>>{
             {ground, ground, 300}, {other, other, 300}, {ground, other, 50}, {ground, ground, 300}}) {
        const ImageHandle again = drawn(300, 60, 10, 5, left, right, split);
        int64_t inked = 0, faint = 0;
        for (int64_t y = 0; y < 60; ++y) {
            for (int64_t x = 0; x < 300; ++x) {  // how far from ground to ink, by the red
                const Colour pixel = readPixel(again, x, y), under = x < split || y < split / 4 ? left : right;
                const double way = (pixel & 255) / 200.0;
                const int64_t green = (under >> 8) & 255, blue = under >> 16;
                EXPECT_NEAR((pixel >> 8) & 255, green + (40 - green) * way, 2) << x << "," << y;
                EXPECT_NEAR(pixel >> 16, blue - blue * way, 2) << x << "," << y;
                inked += pixel == ink;
                faint += way > 0 && way < 0.3;
            }
        }
        EXPECT_GT(inked, 20);
        EXPECT_GT(faint, 10);
        freeImage(again);
    }
    for (const auto& [cutX, cutY, cutWidth, cutHeight] : std::vector<std::array<int64_t, 4>>{
             {-7, -3, width, height}, {0, 0, width - 6, height - 4}, {-1, 2, width - 9, height}}) {
        const ImageHandle part = drawn(cutWidth, cutHeight, cutX, cutY, ground, ground, cutWidth);
        int64_t differing = 0;
        for (int64_t y = 0; y < cutHeight; ++y) {
            for (int64_t x = 0; x < cutWidth; ++x) differing += readPixel(part, x, y) != readPixel(whole, x - cutX + 10, y - cutY + 5);
        }
        EXPECT_EQ(differing, 0) << cutX << "," << cutY;
        freeImage(part);
    }
    freeImage(whole);
}
