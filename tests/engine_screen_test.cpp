// The game screen: where zone text lands, how it wraps, cuts and scrolls, the
// exits tag and object lists, the turn-start drawing with its pictures, and
// the pictures the screen keeps staying the same in number turn after turn.
#include <gtest/gtest.h>

#include "tests/engine_scenario.h"

using namespace engine_scenario;

namespace {

const Colour Sky = rgb(200, 220, 240);
const Colour Black = rgb(0, 0, 0);

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
    int64_t width = textWidth(u"M");
    int64_t ten = textWidth(u"MMMMMMMMMM");
    endDrawing();
    // The game font is monospaced: every zone width below counts characters.
    EXPECT_EQ(ten, 10 * width);
    return width;
}

// Black pixels of the back buffer inside a rectangle.
int64_t blackPixels(int64_t x, int64_t y, int64_t width, int64_t height) {
    int64_t count = 0;
    for (int64_t py = y; py < y + height; ++py) {
        for (int64_t px = x; px < x + width; ++px) count += readPixel(backBuffer, px, py) == Black;
    }
    return count;
}

bool allOfColour(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour) {
    for (int64_t py = y; py < y + height; ++py) {
        for (int64_t px = x; px < x + width; ++px) {
            if (readPixel(backBuffer, px, py) != colour) return false;
        }
    }
    return true;
}

}  // namespace

TEST(EngineScreenText, FirstLineLiesTwoPixelsInsideTheZoneAndTheCursorMovesOneLine) {
    startProject("screen_first_line");
    const int64_t th = gameLineHeight();
    const Zone zone = {100, 50, 300, 100};
    EXPECT_EQ(printInZone(u"Bonjour", zone, 0), th);
    EXPECT_EQ(printInZone(u"Encore", zone, th), 2 * th);
    const auto texts = drawnTexts(takeOutput());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(textsAt(texts, 102, 52), std::vector<std::string>{"Bonjour"});
    EXPECT_EQ(textsAt(texts, 102, 52 + th), std::vector<std::string>{"Encore"});
    // Nothing to print: nothing drawn, cursor unchanged.
    EXPECT_EQ(printInZone(u"", zone, 7), 7);
    EXPECT_TRUE(takeOutput().empty());
}

TEST(EngineScreenText, PrintedTextIsBlackOnTheBackgroundWithoutFillingItsCell) {
    startProject("screen_text_style");
    useSolidBackground(Sky);
    const int64_t th = gameLineHeight();
    printInZone(u"MMMM", adventure.textZone, 0);
    const int64_t x = adventure.textZone.x + 2;
    const int64_t y = adventure.textZone.y + 2;
    EXPECT_GT(blackPixels(x, y, 40, th), 20);
    // Transparent text: between the strokes the background shows.
    int64_t background = 0;
    for (int64_t py = y; py < y + th; ++py) {
        for (int64_t px = x; px < x + 40; ++px) background += readPixel(backBuffer, px, py) == Sky;
    }
    EXPECT_GT(background, 100);
    // The margin column left of the text keeps the background.
    EXPECT_TRUE(allOfColour(adventure.textZone.x, y, 2, th, Sky));
}

TEST(EngineScreenText, LinesBreakAtTheLastBlankThatFits) {
    startProject("screen_wrap");
    const int64_t th = gameLineHeight();
    const Zone zone = {0, 0, 4 + 10 * charWidth(), 200};  // ten characters a line
    EXPECT_EQ(printInZone(u"AAAA BBBB CCCC", zone, 0), 2 * th);
    EXPECT_EQ(printInZone(u"AAAAAA BBBBBB", zone, 0), 2 * th);
    // A line exactly as wide as the zone stays whole.
    EXPECT_EQ(printInZone(u"ABCDEFGHIJ", zone, 0), th);
    const auto texts = drawnTexts(takeOutput());
    EXPECT_EQ(allTexts(texts), (std::vector<std::string>{"AAAA BBBB", "CCCC", "AAAAAA", "BBBBBB", "ABCDEFGHIJ"}));
    EXPECT_EQ(texts[1].y, 2 + th);
    EXPECT_EQ(texts[1].x, 2);
}

TEST(EngineScreenText, OnlyTheFirstBlankOfABreakIsRemoved) {
    startProject("screen_blanks");
    const Zone zone = {0, 0, 4 + 10 * charWidth(), 200};
    // Nine letters and a blank fill the first line; of the two blanks left
    // at the break only the first goes.
    printInZone(u"AAAAAAAAA   BBBB", zone, 0);
    // Eight letters and two blanks fill it; the third blank is the break.
    printInZone(u"AAAAAAAA   BBBB", zone, 0);
    EXPECT_EQ(allTexts(drawnTexts(takeOutput())),
              (std::vector<std::string>{"AAAAAAAAA ", " BBBB", "AAAAAAAA  ", "BBBB"}));
}

TEST(EngineScreenText, AWordWiderThanTheZoneIsCutWhereTheWidthRunsOut) {
    startProject("screen_long_word");
    const int64_t th = gameLineHeight();
    const Zone zone = {0, 0, 4 + 10 * charWidth(), 300};
    EXPECT_EQ(printInZone(u"ABCDEFGHIJKLMNOPQRSTUVWXY", zone, 0), 3 * th);
    printInZone(u"ABCDEFGHIJKLM NOP", zone, 0);
    EXPECT_EQ(allTexts(drawnTexts(takeOutput())),
              (std::vector<std::string>{"ABCDEFGHIJ", "KLMNOPQRST", "UVWXY", "ABCDEFGHIJ", "KLM NOP"}));
}

TEST(EngineScreenText, AZoneNarrowerThanOneCharacterPrintsOneCharacterALine) {
    startProject("screen_narrow");
    const int64_t th = gameLineHeight();
    const Zone narrow = {10, 10, 4 + charWidth() / 2, 300};
    EXPECT_EQ(printInZone(u"ABC", narrow, 0), 3 * th);
    EXPECT_EQ(allTexts(drawnTexts(takeOutput())), (std::vector<std::string>{"A", "B", "C"}));
    // No inner width at all: nothing is drawn and the cursor stays.
    const Zone none = {10, 10, 4, 300};
    EXPECT_EQ(printInZone(u"ABC", none, 5), 5);
    const Zone negative = {10, 10, -30, 300};
    EXPECT_EQ(printInZone(u"ABC", negative, 5), 5);
    EXPECT_TRUE(takeOutput().empty());
}

TEST(EngineScreenText, AZoneLowerThanOneLineShowsItsLastLineAtItsTop) {
    startProject("screen_low");
    const int64_t th = gameLineHeight();
    const Zone low = {20, 30, 300, 4 + th / 2};
    EXPECT_EQ(printInZone(u"UN", low, 0), th);
    EXPECT_EQ(printInZone(u"DEUX TROIS", low, th), th);
    const auto texts = drawnTexts(takeOutput());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(textsAt(texts, 22, 32), (std::vector<std::string>{"UN", "DEUX TROIS"}));
}

TEST(EngineScreenText, FullZoneScrollsUpOneLineAndCleansTheBottomSlot) {
    startProject("screen_scroll");
    useSolidBackground(Sky);
    const int64_t th = gameLineHeight();
    const int64_t cw = charWidth();
    // Three whole lines and 5 pixels to spare.
    const Zone zone = {100, 100, 4 + 10 * cw, 4 + 3 * th + 5};
    int64_t cursor = 0;
    cursor = printInZone(u"MMMMMMMMMM", zone, cursor);
    cursor = printInZone(u"I", zone, cursor);
    cursor = printInZone(u"MMMMMMMMMM", zone, cursor);
    EXPECT_EQ(cursor, 3 * th);
    const int64_t rightPart = zone.x + 2 + 3 * cw;
    EXPECT_GT(blackPixels(rightPart, zone.y + 2, 7 * cw, th), 0);
    takeOutput();

    cursor = printInZone(u"I", zone, cursor);
    EXPECT_EQ(cursor, 3 * th);
    // The new line lies in the bottom slot; the first line is gone, the
    // second and third moved up one line each.
    EXPECT_EQ(textsAt(drawnTexts(takeOutput()), zone.x + 2, zone.y + 2 + 2 * th), std::vector<std::string>{"I"});
    EXPECT_EQ(blackPixels(rightPart, zone.y + 2, 7 * cw, th), 0);
    EXPECT_GT(blackPixels(zone.x + 2, zone.y + 2, cw, th), 0);
    EXPECT_GT(blackPixels(rightPart, zone.y + 2 + th, 7 * cw, th), 0);
    EXPECT_TRUE(allOfColour(rightPart, zone.y + 2 + 2 * th, 7 * cw, th, Sky));
    // Outside the zone's inner area nothing moved.
    EXPECT_TRUE(allOfColour(zone.x, zone.y, zone.width, 2, Sky));
    EXPECT_TRUE(allOfColour(zone.x, zone.y + 2 + 3 * th, zone.width, zone.height - 2 - 3 * th, Sky));
}

TEST(EngineScreenText, AZoneOfExactlyWholeLinesCleansItsTrueBottomSlot) {
    startProject("screen_scroll_exact");
    useSolidBackground(Sky);
    const int64_t th = gameLineHeight();
    const int64_t cw = charWidth();
    const Zone zone = {100, 100, 4 + 10 * cw, 4 + 3 * th};
    int64_t cursor = 0;
    for (const char16_t* line : {u"MMMMMMMMMM", u"MMMMMMMMMM", u"MMMMMMMMMM", u"I"}) {
        cursor = printInZone(line, zone, cursor);
    }
    EXPECT_EQ(cursor, 3 * th);
    const int64_t rightPart = zone.x + 2 + 3 * cw;
    // The second and third lines are still shown, one line higher; the
    // bottom slot holds only the new short line.
    EXPECT_GT(blackPixels(rightPart, zone.y + 2, 7 * cw, th), 0);
    EXPECT_GT(blackPixels(rightPart, zone.y + 2 + th, 7 * cw, th), 0);
    EXPECT_TRUE(allOfColour(rightPart, zone.y + 2 + 2 * th, 7 * cw, th, Sky));
}

TEST(EngineScreenText, ATextLongerThanTheZoneScrollsAsOftenAsNeeded) {
    startProject("screen_long_text");
    const int64_t th = gameLineHeight();
    const Zone& zone = adventure.textZone;
    std::u16string text;
    for (int i = 0; i < 200; ++i) text += u"mot" + integerToText(i) + u" ";
    text += u"FIN";
    const int64_t cursor = printInZone(text, zone, 0);
    const int64_t wholeLines = (zone.height - 4) / th;
    EXPECT_EQ(cursor, wholeLines * th);
    EXPECT_LE(cursor, zone.height - 4);
    const auto texts = drawnTexts(takeOutput());
    ASSERT_FALSE(texts.empty());
    // The last line ends the text and lies in the bottom slot.
    EXPECT_EQ(texts.back().y, zone.y + 2 + (wholeLines - 1) * th);
    EXPECT_NE(texts.back().text.find("FIN"), std::string::npos);
    for (const DrawnText& t : texts) {
        EXPECT_GE(t.y, zone.y + 2);
        EXPECT_LE(t.y, zone.y + 2 + (wholeLines - 1) * th);
    }
}

TEST(EngineScreenText, OneBlankPrintsAnEmptyLine) {
    startProject("screen_blank_line");
    const int64_t th = gameLineHeight();
    EXPECT_EQ(printInZone(u" ", adventure.textZone, th), 2 * th);
}

TEST(EngineScreenLists, ExitsTagListsTheWaysOutInDirectionOrder) {
    startProject("screen_exits");
    adventure.exits[3][4] = 0;
    adventure.exits[3][5] = 7;
    EXPECT_EQ(exitsTag(3), u" <HB>");
    adventure.exits[4][2] = 252;
    adventure.exits[4][0] = 0;
    EXPECT_EQ(exitsTag(4), u" <NE>");
    // 253 and above, and values no room can have, are no way out.
    adventure.exits[5][0] = 253;
    adventure.exits[5][1] = 254;
    adventure.exits[5][2] = -1;
    adventure.exits[5][3] = 1000;
    EXPECT_EQ(exitsTag(5), u"");
    adventure.exits[5][3] = 2;
    EXPECT_EQ(exitsTag(5), u" <O>");
    EXPECT_EQ(exitsTag(-1), u"");
    EXPECT_EQ(exitsTag(256), u"");
}

TEST(EngineScreenLists, ObjectListLowersEachEntryAndRaisesTheFirstLetter) {
    startProject("screen_objects");
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
}

TEST(EngineScreenLists, CarriedObjectsAreListedTogetherAndNotCreatedOnesNever) {
    startProject("screen_carried");
    adventure.objectLocations[Lamp] = InHand;
    adventure.objectLocations[Key] = InInventory;
    adventure.objectLocations[Rock] = NotCreated;
    EXPECT_EQ(listObjectsAt(InInventory), u"Une lampe, la clef");
    EXPECT_EQ(listObjectsAt(InHand), u"Une lampe, la clef");
    EXPECT_EQ(listObjectsAt(NotCreated), u"");
    EXPECT_EQ(lowerFirst(u"École"), u"école");
    EXPECT_EQ(upperFirst(u""), u"");
}

TEST(EngineScreenTurn, TurnStartDescribesTheRoomAndItsObjects) {
    startProject("screen_turn_start");
    clearScreen();
    drawTurnStart();
    const int64_t th = gameLineHeight();
    const auto texts = drawnTexts(takeOutput());
    EXPECT_EQ(textsAt(texts, 2, 362), std::vector<std::string>{"Le hall. <N>"});
    EXPECT_EQ(textsAt(texts, 492, 192), std::vector<std::string>{"Vous voyez : Une lampe, un"});
    EXPECT_EQ(textsAt(texts, 492, 192 + th), std::vector<std::string>{"rocher"});
    EXPECT_EQ(descriptionCursor, th);
    EXPECT_EQ(inventoryCursor, 2 * th);
    // A second turn start with both cursors set prints nothing again.
    drawTurnStart();
    EXPECT_TRUE(drawnTexts(takeOutput()).empty());
}

TEST(EngineScreenTurn, AnEmptyRoomWithoutExitsIsTriedAgainAtEveryTurnStart) {
    startProject("screen_empty_room");
    currentRoom = 5;
    clearScreen();
    drawTurnStart();
    auto texts = drawnTexts(takeOutput());
    EXPECT_TRUE(textsAt(texts, 2, 362).empty());
    EXPECT_EQ(descriptionCursor, 0);
    EXPECT_EQ(textsAt(texts, 492, 192), std::vector<std::string>{"Vous voyez : Rien du tout"});
    adventure.roomTexts[5] = u"Le vide.";
    drawTurnStart();
    texts = drawnTexts(takeOutput());
    EXPECT_EQ(textsAt(texts, 2, 362), std::vector<std::string>{"Le vide."});
}

TEST(EngineScreenTurn, ClearScreenDrawsTheBackgroundAndEmptiesEveryZone) {
    const std::string project = startProject("screen_clear");
    useSolidBackground(Sky);
    printInZone(u"MMMM", adventure.textZone, 0);
    textCursor = 40;
    descriptionCursor = 19;
    inventoryCursor = 19;
    needFullRedraw = true;
    clearScreen();
    EXPECT_EQ(textCursor, 0);
    EXPECT_EQ(descriptionCursor, 0);
    EXPECT_EQ(inventoryCursor, 0);
    EXPECT_FALSE(needFullRedraw);
    EXPECT_TRUE(allOfColour(adventure.textZone.x, adventure.textZone.y, 60, 30, Sky));
    // Without a project background the program's own picture is used.
    hasScreenImage = false;
    clearScreen();
    EXPECT_NE(readPixel(backBuffer, 5, 590), Sky);
}

TEST(EngineScreenTurn, RoomPictureNeedsTheRoomsOwnFileAndShowsTheOneItTakes) {
    const std::string project = startProject("screen_room_picture");
    useSolidBackground(Sky);
    const Colour red = rgb(255, 0, 0);
    const Colour green = rgb(0, 255, 0);
    writeSolidPicture(project + "/0.jpg", red);
    writeSolidPicture(project + "/7.jpg", green);
    const Zone& image = adventure.imageZone;
    const int64_t cx = image.x + image.width / 2;
    const int64_t cy = image.y + image.height / 2;

    clearScreen();
    drawTurnStart();
    EXPECT_EQ(readPixel(backBuffer, cx, cy), red);
    EXPECT_EQ(readPixel(backBuffer, image.x + image.width - 1, image.y + image.height - 1), red);
    EXPECT_EQ(readPixel(backBuffer, image.x + image.width + 1, cy), Sky);

    roomImages[0] = 7;
    clearScreen();
    drawTurnStart();
    EXPECT_EQ(readPixel(backBuffer, cx, cy), green);

    // Room 1 has no file of its own: its picture number is not enough.
    currentRoom = 1;
    roomImages[1] = 7;
    clearScreen();
    drawTurnStart();
    EXPECT_EQ(readPixel(backBuffer, cx, cy), Sky);

    // The room's own file is there but the picture it takes is not.
    currentRoom = 0;
    roomImages[0] = 9;
    clearScreen();
    drawTurnStart();
    EXPECT_EQ(readPixel(backBuffer, cx, cy), Sky);

    // An empty file is no picture.
    writeFileBytes(project + "/0.jpg", "");
    roomImages[0] = 7;
    clearScreen();
    drawTurnStart();
    EXPECT_EQ(readPixel(backBuffer, cx, cy), Sky);
}

TEST(EngineScreenTurn, InventoryZoneIsBlankedWithItsBackgroundBeforeItIsReprinted) {
    startProject("screen_inventory_blank");
    useSolidBackground(Sky);
    drawTurnStart();
    takeTurnSnapshot();
    const Zone& zone = adventure.inventoryZone;
    EXPECT_GT(blackPixels(zone.x, zone.y, zone.width, zone.height), 0);
    adventure.objectLocations[Lamp] = 9;
    adventure.objectLocations[Rock] = 9;
    inventoryCursor = 0;
    adventure.systemMessages[0] = u"";
    adventure.systemMessages[7] = u"";
    // The heading and list are now a single blank: nothing black remains.
    drawTurnStart();
    EXPECT_EQ(blackPixels(zone.x, zone.y, zone.width, zone.height), 0);
}

TEST(EngineScreenTurn, TurnSnapshotKeepsTheScreenAndTheZoneBelowTheCursor) {
    startProject("screen_snapshot");
    useSolidBackground(Sky);
    const int64_t th = gameLineHeight();
    textCursor = printInZone(u"A vous :", adventure.textZone, 0);
    takeTurnSnapshot();
    const Zone& zone = adventure.textZone;
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

TEST(EngineScreenTurn, PicturesStayTheSameInNumberOverAThousandTurns) {
    const std::string project = startProject("screen_memory");
    writeSolidPicture(project + "/0.jpg", rgb(255, 0, 0));
    useSolidBackground(Sky);
    auto oneTurn = [] {
        needFullRedraw = true;
        clearScreen();
        drawTurnStart();
        for (int line = 0; line < 10; ++line)
            textCursor = printInZone(u"Une ligne de plus", adventure.textZone, textCursor);
        takeTurnSnapshot();
        presentFrame();
    };
    oneTurn();
    const int64_t images = liveImageCount();
    for (int turn = 0; turn < 1000; ++turn) oneTurn();
    EXPECT_EQ(liveImageCount(), images);
    takeOutput();
}
