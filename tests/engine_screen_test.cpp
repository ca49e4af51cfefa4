// The game screen: where zone text lands, how it wraps, cuts and scrolls, the
// exits tag and object lists, the turn-start drawing, the turn snapshot, and
// zones far outside the screen. (That the screen's pictures stay the same in
// number turn after turn is shown by whole test plays.)
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

const Colour Sky = rgb(200, 220, 240);
const Colour Black = rgb(0, 0, 0);
using Texts = std::vector<std::string>;

// A project background of one colour, drawn by a cleared screen.
void useSolidBackground(Colour colour) {
    releaseScreenImages();
    screenImage = createImage(800, 600, 32);
    beginDrawing(screenImage);
    fillRect(0, 0, 800, 600, colour);
    endDrawing();
    hasScreenImage = true;
    clearScreen();
}

int64_t charWidth() {
    beginDrawing(backBuffer);
    selectFont(interfaceFont);
    const int64_t width = textWidth(u"M");
    const int64_t ten = textWidth(u"MMMMMMMMMM");
    endDrawing();
    // The game font is monospaced: every zone width below counts characters.
    EXPECT_EQ(ten, 10 * width);
    return width;
}

int64_t blackPixels(int64_t x, int64_t y, int64_t width, int64_t height) {
    return pixelsOf(backBuffer, x, y, width, height, Black);
}

}  // namespace

TEST(EngineScreenText, FirstLineLiesTwoPixelsInsideTheZoneInBlackWithoutFillingItsCell) {
    startProject("screen_first_line");
    const int64_t th = gameLineHeight();
    const Zone zone = {100, 50, 300, 100};
    EXPECT_EQ(printInZone(u"Bonjour", zone, 0), th);
    EXPECT_EQ(printInZone(u"Encore", zone, th), 2 * th);
    const auto texts = drawnTexts(takeOutput());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(textsAt(texts, 102, 52), Texts{"Bonjour"});
    EXPECT_EQ(textsAt(texts, 102, 52 + th), Texts{"Encore"});
    // Nothing to print: nothing drawn, cursor unchanged; one blank: an empty line.
    EXPECT_EQ(printInZone(u"", zone, 7), 7);
    EXPECT_TRUE(takeOutput().empty());
    EXPECT_EQ(printInZone(u" ", adventure.textZone, th), 2 * th);

    useSolidBackground(Sky);
    printInZone(u"MMMM", adventure.textZone, 0);
    const int64_t x = adventure.textZone.x + 2;
    const int64_t y = adventure.textZone.y + 2;
    EXPECT_GT(blackPixels(x, y, 40, th), 20);
    EXPECT_GT(pixelsOf(backBuffer, x, y, 40, th, Sky), 100);        // transparent: the background between strokes
    EXPECT_TRUE(allOfColour(adventure.textZone.x, y, 2, th, Sky));  // the margin column
}

// Lines break at the last blank that fits and only the first blank of a
// break goes; a line exactly as wide as the zone stays whole; a word wider
// than the zone is cut where the width runs out.
TEST(EngineScreenText, LinesBreakAtTheLastBlankThatFitsAndLongWordsAreCut) {
    startProject("screen_wrap");
    const int64_t th = gameLineHeight();
    const Zone zone = {0, 0, 4 + 10 * charWidth(), 300};  // ten characters a line
    const struct {
        const char16_t* text;
        Texts lines;
    } cases[] = {
        {u"AAAA BBBB CCCC", {"AAAA BBBB", "CCCC"}},
        {u"AAAAAA BBBBBB", {"AAAAAA", "BBBBBB"}},
        {u"ABCDEFGHIJ", {"ABCDEFGHIJ"}},
        {u"AAAAAAAAA   BBBB", {"AAAAAAAAA ", " BBBB"}},
        {u"AAAAAAAA   BBBB", {"AAAAAAAA  ", "BBBB"}},
        {u"ABCDEFGHIJKLMNOPQRSTUVWXY", {"ABCDEFGHIJ", "KLMNOPQRST", "UVWXY"}},
        {u"ABCDEFGHIJKLM NOP", {"ABCDEFGHIJ", "KLM NOP"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(printInZone(c.text, zone, 0), static_cast<int64_t>(c.lines.size()) * th) << textToUtf8(c.text);
        const auto texts = drawnTexts(takeOutput());
        EXPECT_EQ(allTexts(texts), c.lines) << textToUtf8(c.text);
        for (size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].x, 2);
            EXPECT_EQ(texts[i].y, 2 + static_cast<int64_t>(i) * th);
        }
    }
}

TEST(EngineScreenText, ZonesNarrowerThanOneCharacterOrLowerThanOneLine) {
    startProject("screen_narrow");
    const int64_t th = gameLineHeight();
    const Zone narrow = {10, 10, 4 + charWidth() / 2, 300};
    EXPECT_EQ(printInZone(u"ABC", narrow, 0), 3 * th);
    EXPECT_EQ(textsOnly(takeOutput()), (Texts{"A", "B", "C"}));
    // No inner width at all: nothing is drawn and the cursor stays.
    for (int64_t width : {4, -30}) EXPECT_EQ(printInZone(u"ABC", Zone{10, 10, width, 300}, 5), 5);
    EXPECT_TRUE(takeOutput().empty());
    // Lower than one line: the last line shows at the zone's top.
    const Zone low = {20, 30, 300, 4 + th / 2};
    EXPECT_EQ(printInZone(u"UN", low, 0), th);
    EXPECT_EQ(printInZone(u"DEUX TROIS", low, th), th);
    const auto texts = drawnTexts(takeOutput());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(textsAt(texts, 22, 32), (Texts{"UN", "DEUX TROIS"}));
}

// A full zone scrolls up one line and cleans its bottom slot, with whole
// lines and 5 pixels to spare as with exactly whole lines; outside the inner
// area nothing moves.
TEST(EngineScreenText, FullZoneScrollsUpOneLineAndCleansTheBottomSlot) {
    startProject("screen_scroll");
    const int64_t th = gameLineHeight();
    const int64_t cw = charWidth();
    for (int64_t spare : {5, 0}) {
        useSolidBackground(Sky);
        const Zone zone = {100, 100, 4 + 10 * cw, 4 + 3 * th + spare};
        const int64_t rightPart = zone.x + 2 + 3 * cw;
        int64_t cursor = 0;
        for (const char16_t* line : {u"MMMMMMMMMM", u"I", u"MMMMMMMMMM"}) cursor = printInZone(line, zone, cursor);
        EXPECT_EQ(cursor, 3 * th);
        EXPECT_GT(blackPixels(rightPart, zone.y + 2, 7 * cw, th), 0);
        takeOutput();
        cursor = printInZone(u"I", zone, cursor);
        EXPECT_EQ(cursor, 3 * th);
        // The new line lies in the bottom slot; the first line is gone, the
        // second and third moved up one line each.
        EXPECT_EQ(textsAt(drawnTexts(takeOutput()), zone.x + 2, zone.y + 2 + 2 * th), Texts{"I"}) << spare;
        EXPECT_EQ(blackPixels(rightPart, zone.y + 2, 7 * cw, th), 0) << spare;
        EXPECT_GT(blackPixels(zone.x + 2, zone.y + 2, cw, th), 0) << spare;
        EXPECT_GT(blackPixels(rightPart, zone.y + 2 + th, 7 * cw, th), 0) << spare;
        EXPECT_TRUE(allOfColour(rightPart, zone.y + 2 + 2 * th, 7 * cw, th, Sky)) << spare;
        EXPECT_TRUE(allOfColour(zone.x, zone.y, zone.width, 2, Sky)) << spare;
        EXPECT_TRUE(allOfColour(zone.x, zone.y + 2 + 3 * th, zone.width, zone.height - 2 - 3 * th, Sky)) << spare;
    }
}

TEST(EngineScreenText, ATextLongerThanTheZoneScrollsAsOftenAsNeeded) {
    startProject("screen_long_text");
    const int64_t th = gameLineHeight();
    const Zone& zone = adventure.textZone;
    std::u16string text;
    for (int i = 0; i < 200; ++i) text += u"mot" + integerToText(i) + u" ";
    text += u"FIN";
    const int64_t wholeLines = (zone.height - 4) / th;
    EXPECT_EQ(printInZone(text, zone, 0), wholeLines * th);
    const auto texts = drawnTexts(takeOutput());
    ASSERT_FALSE(texts.empty());
    // The last line ends the text and lies in the bottom slot.
    EXPECT_EQ(texts.back().y, lineTop(zone, wholeLines - 1));
    EXPECT_NE(texts.back().text.find("FIN"), std::string::npos);
    for (const DrawnText& t : texts) {
        EXPECT_GE(t.y, zone.y + 2);
        EXPECT_LE(t.y, lineTop(zone, wholeLines - 1));
    }
}

// The exits tag lists the ways out in direction order; 253 and above, and
// values no room can have, are no way out. Object lists lower each entry and
// raise the first letter; carried objects are listed together.
TEST(EngineScreenLists, ExitsTagAndObjectLists) {
    startProject("screen_lists");
    adventure.exits[3][4] = 0;
    adventure.exits[3][5] = 7;
    adventure.exits[4][2] = 252;
    adventure.exits[4][0] = 0;
    adventure.exits[5][0] = 253;
    adventure.exits[5][1] = 254;
    adventure.exits[5][2] = -1;
    adventure.exits[5][3] = 1000;
    EXPECT_EQ(exitsTag(3), u" <HB>");
    EXPECT_EQ(exitsTag(4), u" <NE>");
    EXPECT_EQ(exitsTag(5), u"");
    adventure.exits[5][3] = 2;
    EXPECT_EQ(exitsTag(5), u" <O>");
    EXPECT_EQ(exitsTag(-1), u"");
    EXPECT_EQ(exitsTag(256), u"");

    adventure.objectTexts[4] = u"Une épée";
    adventure.objectTexts[5] = u"";
    adventure.objectTexts[6] = u"La clef";
    for (int o : {4, 5, 6}) adventure.objectLocations[o] = 9;
    EXPECT_EQ(listObjectsAt(9), u"Une épée, , la clef");
    adventure.objectLocations[5] = 3;
    EXPECT_EQ(listObjectsAt(9), u"Une épée, la clef");
    adventure.objectTexts[7] = u"épée rouillée";
    adventure.objectLocations[7] = 8;
    EXPECT_EQ(listObjectsAt(8), u"Épée rouillée");
    EXPECT_EQ(listObjectsAt(12), u"");
    adventure.objectLocations[Lamp] = InHand;
    adventure.objectLocations[Key] = InInventory;
    adventure.objectLocations[Rock] = NotCreated;
    EXPECT_EQ(listObjectsAt(InInventory), u"Une lampe, la clef");
    EXPECT_EQ(listObjectsAt(InHand), u"Une lampe, la clef");
    EXPECT_EQ(listObjectsAt(NotCreated), u"");
    EXPECT_EQ(lowerFirst(u"École"), u"école");
    EXPECT_EQ(upperFirst(u""), u"");
}

TEST(EngineScreenTurn, TurnStartDescribesTheRoomAndItsObjectsAndRetriesAnEmptyRoom) {
    startProject("screen_turn_start");
    const int64_t th = gameLineHeight();
    clearScreen();
    drawTurnStart();
    auto texts = drawnTexts(takeOutput());
    EXPECT_EQ(textsAt(texts, 2, 362), Texts{"Le hall. <N>"});
    EXPECT_EQ(textsAt(texts, 492, 192), Texts{"Vous voyez : Une lampe, un"});
    EXPECT_EQ(textsAt(texts, 492, 192 + th), Texts{"rocher"});
    EXPECT_EQ(descriptionCursor, th);
    EXPECT_EQ(inventoryCursor, 2 * th);
    drawTurnStart();  // both cursors set: nothing printed again
    EXPECT_TRUE(drawnTexts(takeOutput()).empty());

    // An empty room without exits is tried again at every turn start.
    currentRoom = 5;
    clearScreen();
    drawTurnStart();
    texts = drawnTexts(takeOutput());
    EXPECT_TRUE(textsAt(texts, 2, 362).empty());
    EXPECT_EQ(descriptionCursor, 0);
    EXPECT_EQ(textsAt(texts, 492, 192), Texts{"Vous voyez : Rien du tout"});
    adventure.roomTexts[5] = u"Le vide.";
    drawTurnStart();
    EXPECT_EQ(textsAt(drawnTexts(takeOutput()), 2, 362), Texts{"Le vide."});
}

TEST(EngineScreenTurn, TheInventoryZoneIsBlankedAndTheSnapshotKeepsTheScreen) {
    startProject("screen_snapshot");
    useSolidBackground(Sky);
    const int64_t th = gameLineHeight();
    drawTurnStart();
    takeTurnSnapshot();
    const Zone& inventory = adventure.inventoryZone;
    EXPECT_GT(blackPixels(inventory.x, inventory.y, inventory.width, inventory.height), 0);
    adventure.objectLocations[Lamp] = 9;
    adventure.objectLocations[Rock] = 9;
    inventoryCursor = 0;
    adventure.systemMessages[0] = u"";
    adventure.systemMessages[7] = u"";
    drawTurnStart();  // the heading and list are now a single blank
    EXPECT_EQ(blackPixels(inventory.x, inventory.y, inventory.width, inventory.height), 0);

    clearScreen();
    const Zone& zone = adventure.textZone;
    textCursor = printInZone(u"A vous :", zone, 0);
    takeTurnSnapshot();
    EXPECT_EQ(imageWidth(inputBackground), zone.width - 4);
    EXPECT_EQ(imageHeight(inputBackground), zone.height - th - 4);
    EXPECT_EQ(readPixel(inputBackground, 3, 3), Sky);
    // The snapshot is the screen as it was: drawing it back undoes later text.
    printInZone(u"MMMMMMMMMM", zone, textCursor);
    EXPECT_GT(blackPixels(zone.x + 2, zone.y + 2 + th, 100, th), 0);
    beginDrawing(backBuffer);
    drawImage(turnSnapshot, 0, 0);
    endDrawing();
    EXPECT_EQ(blackPixels(zone.x + 2, zone.y + 2 + th, 100, th), 0);
    EXPECT_GT(blackPixels(zone.x + 2, zone.y + 2, 60, th), 0);
    // A cleared screen shows the project's background, or without one the program's own.
    clearScreen();
    EXPECT_TRUE(allOfColour(zone.x, zone.y, 60, 30, Sky));
    hasScreenImage = false;
    clearScreen();
    EXPECT_NE(readPixel(backBuffer, 5, 590), Sky);
    takeOutput();
}

TEST(EngineScreenTurn, ZonesFarOutsideTheScreenAreHarmless) {
    startProject("screen_wild_zones");
    adventure.inventoryZone = {-5000000000, 7, 3000000000000, 9000000000};
    adventure.textZone = {790, 590, 1000000, 1000000000000};
    adventure.descriptionZone = {-100, -100, 50, 50};
    adventure.imageZone = {100000000, 0, 5, 5};
    clearScreen();
    drawTurnStart();
    textCursor = printInZone(u"Un texte assez long pour une ligne", adventure.textZone, textCursor);
    takeTurnSnapshot();
    presentFrame();
    EXPECT_EQ(inventoryBackground, 0);
    EXPECT_EQ(textCursor, gameLineHeight());
    // The extremes of the stored numbers: nothing overflows, and a line typed
    // there is still read.
    for (Zone* zone :
         {&adventure.imageZone, &adventure.descriptionZone, &adventure.textZone, &adventure.inventoryZone}) {
        *zone = {INT64_MAX, INT64_MIN, INT64_MAX, INT64_MAX};
    }
    clearScreen();
    drawTurnStart();
    textCursor = printInZone(u"Encore un texte", adventure.textZone, textCursor);
    takeTurnSnapshot();
    queueScript("type nord\nkey return\n");
    EXPECT_FALSE(readCommandLine());
    EXPECT_EQ(commandLine, u"NORD");
    eraseTypedLine();
    adventure.textZone = {INT64_MIN, INT64_MAX, INT64_MIN, INT64_MIN};
    EXPECT_EQ(printInZone(u"Rien", adventure.textZone, 0), 0);
    takeOutput();
}
