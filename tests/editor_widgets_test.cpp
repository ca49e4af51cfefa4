// The editor widgets drawn into the back buffer: the button's three fills, the
// centred text, word wrap with its measuring mode and its result, and the
// small text helpers.
#include <gtest/gtest.h>

#include <tuple>

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

// Centred text is placed by half its measured size; transparent text and
// labels leave the background around their glyphs, an opaque label fills its
// cell with the back colour of a new drawing, black.
TEST(EditorWidgets, CentredTextAndLabelsAreTransparentUnlessAskedOtherwise) {
    startDrawing("widgets-centred");
    const std::u16string text = u"Présents";
    drawCentredText(text, 400, 220, 0, 0, 0);
    const std::vector<DrawnText> drawn = drawnTexts(takeOutput());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].x, 400 - textWidth(text) / 2);
    EXPECT_EQ(drawn[0].y, 220 - textHeight(text) / 2);
    EXPECT_EQ(drawn[0].text, "Présents");
    EXPECT_EQ(readPixel(backBuffer, drawn[0].x, drawn[0].y), Grey);
    drawLabel(u"ZONE", 10, 10, 255, 0, 0);
    setDrawingMode(DrawMode::OpaqueText);
    drawLabel(u"000", 300, 300, 0, 0, 0);
    endDrawing();
    EXPECT_EQ(readPixel(backBuffer, 10, 10), Grey);
    EXPECT_GT(pixelsOf(backBuffer, 10, 10, textWidth(u"ZONE"), textHeight(u"ZONE"), rgb(255, 0, 0)), 0);
    EXPECT_EQ(readPixel(backBuffer, 300, 300), Black);
    EXPECT_EQ(readPixel(backBuffer, 300 + textWidth(u"000") - 1, 300 + textHeight(u"000") - 1), Black);
}

// Lines break at spaces, the breaking space dropped, each line as full as it
// can be and placed inside the margins one line height apart; a word wider
// than the box is cut where the width runs out; a line exactly as wide as the
// box stays whole, and one pixel narrower the word is cut.
TEST(EditorWidgets, WrappedTextBreaksAtSpacesAndCutsWordsWiderThanTheBox) {
    startDrawing("widgets-wrap");
    const struct {
        std::u16string text;
        int64_t width, margin;
        const char* joiner;
    } cases[] = {{u"Vous vous trouvez à l'entrée du château, devant une porte close.", 200, 20, " "},
                 {u"ANTICONSTITUTIONNELLEMENTANTICONSTITUTIONNELLEMENT", 140, 10, ""}};
    for (const auto& c : cases) {
        int64_t result = -1;
        const std::vector<DrawnText> lines = wrappedLines(c.text, 100, 100, c.width, 400, c.margin, result);
        const int64_t usable = c.width - 2 * c.margin;
        EXPECT_EQ(result, 1);
        ASSERT_GE(lines.size(), 3u);
        std::string joined;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::u16string line = utf8ToText(lines[i].text);
            EXPECT_LE(textWidth(line), usable) << lines[i].text;
            EXPECT_NE(line.front(), u' ');
            EXPECT_NE(line.back(), u' ');
            EXPECT_EQ(lines[i].x, 100 + c.margin);
            EXPECT_EQ(lines[i].y, 100 + c.margin + textHeight(u"V") * static_cast<int64_t>(i));
            joined += (i == 0 ? "" : c.joiner) + lines[i].text;
            // The next word, or the next letter of a cut word, would not have fitted.
            if (i + 1 < lines.size()) {
                const std::string& next = lines[i + 1].text;
                const std::string more = *c.joiner ? " " + next.substr(0, next.find(' ')) : next.substr(0, 1);
                EXPECT_GT(textWidth(utf8ToText(lines[i].text + more)), usable) << lines[i].text;
            }
        }
        EXPECT_EQ(joined, textToUtf8(c.text));
    }
    const int64_t exact = textWidth(u"ABCD");
    int64_t result = -1;
    EXPECT_EQ(allTexts(wrappedLines(u"ABCD EFG", 0, 0, exact, 300, 0, result)),
              (std::vector<std::string>{"ABCD", "EFG"}));
    EXPECT_EQ(allTexts(wrappedLines(u"ABCD EFG", 0, 0, exact - 1, 300, 0, result)).at(0), "ABC");
    endDrawing();
}

// A text that does not fit returns 0 and keeps the lines above; measuring
// only gives the same answer and draws nothing. An empty text fits; no usable
// width draws nothing and counts as fitting; less height than one line draws
// nothing and does not fit; a usable width narrower than one letter still ends.
TEST(EditorWidgets, WrappedTextThatDoesNotFitReturnsZeroAndLimitCases) {
    startDrawing("widgets-overflow");
    const int64_t twoLines = 2 * textHeight(u"A") + 10;
    const std::u16string text = u"un deux trois quatre cinq six sept huit neuf dix onze douze treize";
    int64_t result = -1;
    EXPECT_EQ(wrappedLines(text, 0, 0, 120, twoLines, 5, result).size(), 2u);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(drawWrappedText(text, 0, 0, 120, twoLines, 5, 5, 0, 0, 0, 0), 0);
    EXPECT_EQ(drawWrappedText(u"un deux", 0, 0, 120, twoLines, 5, 5, 0, 0, 0, 0), 1);
    EXPECT_EQ(drawWrappedText(u"", 0, 0, 10, 10, 0, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(drawWrappedText(u"abc", 0, 0, 40, 100, 20, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(drawWrappedText(u"abc", 0, 0, 30, 100, 20, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(drawWrappedText(u"abc", 0, 0, 400, textHeight(u"abc") - 1, 0, 0, 0, 0, 0, 1), 0);
    EXPECT_EQ(takeOutput(), "");
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

// The first non-empty spelling slot of a word; word numbers from a file may
// be anything: no reading outside the table.
TEST(EditorWidgets, FirstSpellingSlotFindsTheFirstNonEmptySlot) {
    startInProcess(makeWorkFolder("widgets-spelling"));
    for (int slot = 0; slot < SpellingsPerWord; ++slot) adventure.vocabulary[40][slot].clear();
    adventure.vocabulary[40][4] = u"LAMPE";
    adventure.vocabulary[40][7] = u"TORCHE";
    const std::tuple<int64_t, int64_t, std::u16string> cases[] = {{40, 4, u"LAMPE"}, {41, 0, u""}, {7, 0, u"LAISSE"},
                                                                  {256, 0, u""},     {-1, 0, u""}, {100000, 0, u""}};
    for (const auto& [word, slot, spelling] : cases) {
        EXPECT_EQ(firstSpellingSlot(word), slot) << word;
        EXPECT_EQ(firstSpelling(word), spelling) << word;
    }
}
