// The editor widgets drawn into the back buffer: the button's three fills, the
// centred text, word wrap with its measuring mode and its result, and the
// small text helpers.
#include <gtest/gtest.h>

#include "editor/widgets.h"
#include "tests/test_support.h"

namespace {

constexpr Colour Black = rgb(0, 0, 0);
constexpr Colour White = rgb(255, 255, 255);
constexpr Colour Grey = rgb(128, 128, 128);

// The back buffer cleared to the editor's grey, open for drawing, with the
// recorded output emptied.
void startDrawing(const char* folderName) {
    startInProcess(makeWorkFolder(folderName));
    beginDrawing(backBuffer);
    fillRect(0, 0, 800, 600, Grey);
    takeOutput();
}

// The lines drawn by a wrapped text, in order.
std::vector<DrawnText> wrappedLines(const std::u16string& text, int64_t x, int64_t y, int64_t width, int64_t height,
                                    int64_t margin, int64_t& result) {
    takeOutput();
    result = drawWrappedText(text, x, y, width, height, margin, margin, 0, 0, 0, 1);
    return drawnTexts(takeOutput());
}

}  // namespace

TEST(EditorWidgets, ButtonIsAWhiteFaceWithABorderAndAShadowTwoPixelsDeep) {
    startDrawing("widgets-button");
    drawButton(100, 100, 50, 20);
    endDrawing();
    // Border on the four sides of the face, the face inside it; the shadow
    // reaches x + width + 1 and y + height + 1, offset by 2, and starts 2
    // pixels in, so the corners beside it stay grey.
    const struct {
        int64_t x, y;
        Colour colour;
    } pixels[] = {{100, 100, Black}, {149, 110, Black}, {120, 119, Black}, {100, 110, Black}, {101, 101, White},
                  {148, 118, White}, {151, 110, Black}, {120, 121, Black}, {151, 121, Black}, {152, 110, Grey},
                  {120, 122, Grey},  {151, 101, Grey},  {150, 100, Grey},  {101, 121, Grey},  {102, 121, Black}};
    for (const auto& p : pixels) EXPECT_EQ(readPixel(backBuffer, p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(EditorWidgets, ButtonOfAnySizeIsThePictureOfItsThreeFills) {
    startDrawing("widgets-button-sizes");
    // The reference: the three fills themselves, on a second grey area.
    const int64_t sizes[][2] = {{80, 30}, {350, 30}, {3, 3}, {4, 7}, {2, 9}, {9, 2}, {1, 1}, {0, 5}};
    for (const auto& size : sizes) {
        const int64_t w = size[0];
        const int64_t h = size[1];
        fillRect(0, 0, 800, 600, Grey);
        drawButton(10, 10, w, h);
        fillRect(410, 10, w, h, Black);
        fillRect(412, 12, w, h, Black);
        fillRect(411, 11, w - 2, h - 2, White);
        int64_t differences = 0;
        for (int64_t y = 0; y < h + 20; ++y) {
            for (int64_t x = 0; x < w + 20; ++x) {
                differences += readPixel(backBuffer, x, y) != readPixel(backBuffer, 400 + x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differences, 0) << w << " x " << h;
    }
    endDrawing();
}

TEST(EditorWidgets, CentredTextIsPlacedByHalfItsMeasuredSizeAndLeavesTheBackground) {
    startDrawing("widgets-centred");
    const std::u16string text = u"Présents";
    drawCentredText(text, 400, 220, 0, 0, 0);
    const std::vector<DrawnText> drawn = drawnTexts(takeOutput());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].x, 400 - textWidth(text) / 2);
    EXPECT_EQ(drawn[0].y, 220 - textHeight(text) / 2);
    EXPECT_EQ(drawn[0].text, "Présents");
    // Transparent text: the grey around the glyphs stays, no cell is filled.
    EXPECT_EQ(readPixel(backBuffer, drawn[0].x, drawn[0].y), Grey);
    // A label drawn afterwards stays transparent too, in its own colour.
    drawLabel(u"ZONE", 10, 10, 255, 0, 0);
    endDrawing();
    EXPECT_EQ(readPixel(backBuffer, 10, 10), Grey);
    bool redFound = false;
    for (int64_t y = 10; y < 10 + textHeight(u"ZONE"); ++y) {
        for (int64_t x = 10; x < 10 + textWidth(u"ZONE"); ++x)
            redFound = redFound || readPixel(backBuffer, x, y) == rgb(255, 0, 0);
    }
    EXPECT_TRUE(redFound);
}

TEST(EditorWidgets, LabelInOpaqueModeFillsItsCellWithTheBackColour) {
    startDrawing("widgets-opaque");
    setDrawingMode(DrawMode::OpaqueText);
    drawLabel(u"000", 300, 300, 0, 0, 0);
    endDrawing();
    // The back colour of a new drawing is black: the cell's corner is black.
    EXPECT_EQ(readPixel(backBuffer, 300, 300), Black);
    EXPECT_EQ(readPixel(backBuffer, 300 + textWidth(u"000") - 1, 300 + textHeight(u"000") - 1), Black);
}

TEST(EditorWidgets, WrappedTextBreaksAtSpacesAndDropsTheBreakingSpace) {
    startDrawing("widgets-wrap");
    const std::u16string text = u"Vous vous trouvez à l'entrée du château, devant une porte close.";
    const int64_t width = 200;
    const int64_t margin = 20;
    int64_t result = -1;
    const std::vector<DrawnText> lines = wrappedLines(text, 100, 100, width, 400, margin, result);
    endDrawing();
    EXPECT_EQ(result, 1);
    ASSERT_GE(lines.size(), 3u);
    std::string joined;
    const int64_t lineHeight = textHeight(u"V");
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::u16string line = utf8ToText(lines[i].text);
        EXPECT_LE(textWidth(line), width - 2 * margin) << lines[i].text;
        EXPECT_NE(line.front(), u' ');
        EXPECT_NE(line.back(), u' ');
        EXPECT_EQ(lines[i].x, 100 + margin);
        EXPECT_EQ(lines[i].y, 100 + margin + lineHeight * static_cast<int64_t>(i));
        joined += (i == 0 ? "" : " ") + lines[i].text;
    }
    // Every word is kept whole and in order; only the breaking spaces went.
    EXPECT_EQ(joined, textToUtf8(text));
    // Each line is as full as it can be: the next word would not have fitted.
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::string nextWord = lines[i + 1].text.substr(0, lines[i + 1].text.find(' '));
        EXPECT_GT(textWidth(utf8ToText(lines[i].text + " " + nextWord)), width - 2 * margin);
    }
}

TEST(EditorWidgets, WrappedTextCutsAWordWiderThanTheBoxAtTheWidth) {
    startDrawing("widgets-long-word");
    const std::u16string word = u"ANTICONSTITUTIONNELLEMENTANTICONSTITUTIONNELLEMENT";
    int64_t result = -1;
    const std::vector<DrawnText> lines = wrappedLines(word, 0, 0, 140, 300, 10, result);
    endDrawing();
    EXPECT_EQ(result, 1);
    ASSERT_GE(lines.size(), 3u);
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::u16string line = utf8ToText(lines[i].text);
        EXPECT_LE(textWidth(line), 120);
        // A cut line holds as many letters as fit: one more would be too wide.
        if (i + 1 < lines.size()) {
            EXPECT_GT(textWidth(line + utf8ToText(lines[i + 1].text.substr(0, 1))), 120);
        }
        joined += lines[i].text;
    }
    EXPECT_EQ(joined, textToUtf8(word));
}

TEST(EditorWidgets, WrappedLineExactlyAsWideAsTheBoxStaysWhole) {
    startDrawing("widgets-exact");
    const int64_t exact = textWidth(u"ABCD");
    int64_t result = -1;
    std::vector<DrawnText> lines = wrappedLines(u"ABCD EFG", 0, 0, exact, 300, 0, result);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "ABCD");
    EXPECT_EQ(lines[1].text, "EFG");
    // One pixel narrower: no space before the cut, so the word is cut.
    lines = wrappedLines(u"ABCD EFG", 0, 0, exact - 1, 300, 0, result);
    endDrawing();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].text, "ABC");
}

TEST(EditorWidgets, WrappedTextThatDoesNotFitReturnsZeroAndKeepsTheLinesAbove) {
    startDrawing("widgets-overflow");
    const int64_t lineHeight = textHeight(u"A");
    const std::u16string text = u"un deux trois quatre cinq six sept huit neuf dix onze douze treize";
    int64_t result = -1;
    // Room for exactly two lines.
    const std::vector<DrawnText> lines = wrappedLines(text, 0, 0, 120, 2 * lineHeight + 10, 5, result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(lines.size(), 2u);
    // Measuring only: the same answer, nothing drawn.
    takeOutput();
    EXPECT_EQ(drawWrappedText(text, 0, 0, 120, 2 * lineHeight + 10, 5, 5, 0, 0, 0, 0), 0);
    EXPECT_EQ(drawWrappedText(u"un deux", 0, 0, 120, 2 * lineHeight + 10, 5, 5, 0, 0, 0, 0), 1);
    EXPECT_EQ(takeOutput(), "");
    endDrawing();
}

TEST(EditorWidgets, WrappedTextLimitCases) {
    startDrawing("widgets-limits");
    // Empty text: fits, nothing drawn.
    EXPECT_EQ(drawWrappedText(u"", 0, 0, 10, 10, 0, 0, 0, 0, 0, 1), 1);
    // No usable width: nothing drawn, and it counts as fitting.
    EXPECT_EQ(drawWrappedText(u"abc", 0, 0, 40, 100, 20, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(drawWrappedText(u"abc", 0, 0, 30, 100, 20, 0, 0, 0, 0, 1), 1);
    // Less height than one line: nothing drawn, does not fit.
    EXPECT_EQ(drawWrappedText(u"abc", 0, 0, 400, textHeight(u"abc") - 1, 0, 0, 0, 0, 0, 1), 0);
    EXPECT_EQ(takeOutput(), "");
    // A usable width narrower than one letter still ends.
    EXPECT_EQ(drawWrappedText(u"WWW", 0, 0, 2, 1000, 0, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(drawnTexts(takeOutput()).size(), 3u);
    endDrawing();
}

TEST(EditorWidgets, NumbersArePaddedToThreeDigitsAndFileNamesDropTheNineForbiddenCharacters) {
    const std::pair<int64_t, std::u16string> numbers[] = {
        {7, u"007"}, {42, u"042"}, {0, u"000"}, {255, u"255"}, {1000, u"1000"}};
    for (const auto& [value, text] : numbers) EXPECT_EQ(formatNumber3(value), text) << value;
    for (char16_t refused : std::u16string(u"<>:\"/\\|?*")) EXPECT_EQ(filterFileNameChar(refused), u"") << int(refused);
    for (char16_t kept : std::u16string(u"aé .")) EXPECT_EQ(filterFileNameChar(kept), std::u16string(1, kept));
}

TEST(EditorWidgets, FirstSpellingSlotFindsTheFirstNonEmptySlot) {
    startInProcess(makeWorkFolder("widgets-spelling"));
    for (int slot = 0; slot < SpellingsPerWord; ++slot) adventure.vocabulary[40][slot].clear();
    adventure.vocabulary[40][4] = u"LAMPE";
    adventure.vocabulary[40][7] = u"TORCHE";
    EXPECT_EQ(firstSpellingSlot(40), 4);
    EXPECT_EQ(firstSpelling(40), u"LAMPE");
    EXPECT_EQ(firstSpellingSlot(41), 0);
    EXPECT_EQ(firstSpelling(41), u"");
    // Default vocabulary: word 7 is LAISSE in slot 0.
    EXPECT_EQ(firstSpellingSlot(7), 0);
    EXPECT_EQ(firstSpelling(7), u"LAISSE");
    // Word numbers from a file may be anything: no reading outside the table.
    EXPECT_EQ(firstSpellingSlot(256), 0);
    EXPECT_EQ(firstSpellingSlot(-1), 0);
    EXPECT_EQ(firstSpelling(100000), u"");
}
