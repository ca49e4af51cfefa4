// The game screen: text wrapped and scrolled in its zones, the exits and the
// object lists, the room pictures.
#include "engine/actions.h"
#include "engine/game_text.h"
#include "tests/support.h"

namespace {

// Prints into a zone at (100, 100) of the given inner size (the game font is
// 10 pixels wide and 19 pixels high) and returns where each line was drawn.
std::vector<Drawn> printed(const std::string& text, int64_t innerWidth, int64_t innerHeight, int64_t& cursor) {
    takeHeadlessOutput();
    cursor = printInZone(utf8ToText(text), Zone{100, 100, innerWidth + 4, innerHeight + 4}, cursor);
    return drawn(takeHeadlessOutput());
}

}  // namespace

TEST(GameScreen, TextWrapsAtBlanksAndScrollsUpLineByLine) {
    startProject("zone_text");
    clearZones();
    const struct {
        const char* text;
        int64_t innerWidth, innerHeight, cursorBefore, cursorAfter;
        std::vector<std::string> lines;  // "y text", where each line was drawn
    } cases[] = {
        {"aaaa bbbb cccc dddd", 100, 190, 0, 38, {"102 aaaa bbbb", "121 cccc dddd"}},
        {"aaaa  bbbb", 90, 190, 19, 57, {"121 aaaa ", "140 bbbb"}},
        {"abcdefghijklmnop", 100, 190, 0, 38, {"102 abcdefghij", "121 klmnop"}},
        {"ab", 20, 190, 0, 19, {"102 ab"}},
        {"ab", 15, 190, 0, 38, {"102 a", "121 b"}},
        {"😀😀😀😀😀😀😀", 30, 190, 0, 57, {"102 😀😀😀", "121 😀😀😀", "140 😀"}},
        {"😀😀😀", 5, 190, 0, 57, {"102 😀", "121 😀", "140 😀"}},
        {"a😀😀😀😀😀😀", 30, 190, 0, 57, {"102 a😀😀", "121 😀😀😀", "140 😀"}},
        {"un deux trois quatre cinq", 60, 57, 0, 57, {"102 un", "121 deux", "140 trois", "140 quatre", "140 cinq"}},
        {"loin", 100, 57, 5000, 41, {"124 loin"}},
        {"", 100, 57, 7, 7, {}},
        {"rien", 0, 57, 0, 0, {}},
    };
    for (const auto& c : cases) {
        int64_t cursor = c.cursorBefore;
        std::vector<std::string> lines;
        for (const Drawn& line : printed(c.text, c.innerWidth, c.innerHeight, cursor)) {
            EXPECT_EQ(line.x, 102) << c.text;
            lines.push_back(std::to_string(line.y) + " " + line.text);
        }
        EXPECT_EQ(lines, c.lines) << c.text;
        EXPECT_EQ(cursor, c.cursorAfter) << c.text;
    }
}

TEST(GameScreen, ExitsAndObjectListsReadAsThePlayerSeesThem) {
    startProject("lists");
    adventure.exits[3][4] = 2;
    adventure.exits[3][5] = 0;
    adventure.exits[3][0] = 253;
    adventure.exits[3][1] = 254;
    EXPECT_EQ(exitsTag(3), u" <HB>");
    EXPECT_EQ(exitsTag(2), u"");
    adventure.objectTexts[4] = u"";
    adventure.objectTexts[5] = u"Écharpe";
    adventure.objectLocations[Lamp] = 3;
    adventure.objectLocations[4] = 3;
    adventure.objectLocations[5] = 3;
    adventure.objectLocations[255] = 3;
    adventure.objectTexts[255] = u"Le dernier";
    EXPECT_EQ(listObjectsAt(3), u"Une lampe, , écharpe, le dernier");
    adventure.objectLocations[Key] = InHand;
    adventure.objectLocations[Rock] = InInventory;
    EXPECT_EQ(listObjectsAt(InInventory), u"La clef, un rocher");
    EXPECT_EQ(listObjectsAt(NotCreated), u"");
}

// The room picture is the file named after the room's own number, unless an
// action gave the room another picture; it is stretched into the image zone.
TEST(GameScreen, RoomPicturesFillTheImageZone) {
    startProject("pictures");
    const Colour red = rgb(255, 0, 0), blue = rgb(0, 0, 255);
    writePicture("0.jpg", red);
    writePicture("7.jpg", blue);
    writePicture("8.jpg", blue);
    adventure.imageZone = {10, 20, 300, 200};
    adventure.exits[0][2] = 8;
    const int64_t zoneArea = 300 * 200;
    const struct {
        int64_t room, picture;
        Colour colour;
        int64_t pixels;
    } cases[] = {{0, 0, red, zoneArea}, {0, 7, blue, zoneArea}, {1, 7, blue, 0}, {8, 8, blue, zoneArea}};
    for (const auto& c : cases) {
        currentRoom = c.room;
        roomImages[c.room] = c.picture;
        clearZones();
        drawTurnStart();
        EXPECT_EQ(pixelsOf(10, 20, 300, 200, c.colour), c.pixels) << c.room << " " << c.picture;
        EXPECT_EQ(pixelsOf(310, 20, 10, 200, c.colour), 0);
    }
    // Turn after turn the screen keeps the same pictures alive.
    const int64_t images = liveImageCount();
    for (int turn = 0; turn < 5; ++turn) drawTurnStart();
    EXPECT_EQ(liveImageCount(), images);
}

// Whatever the author and the player do, the window shows exactly the frame
// drawn: only the areas drawn are sent to it, so an area drawn but not noted
// would leave the window showing an older frame there.
TEST(GameScreen, TheWindowShowsEachFrameAsDrawn) {
    startProject("presented");
    writePicture("0.jpg", rgb(200, 30, 30));
    writePicture("1.jpg", rgb(30, 200, 30), 20, 10);
    addMinorEvent(WordLook, NoWord, NoWord, {}, {step(AfficheMessage, 1)});
    adventure.messageTexts[1] = std::u16string(400, u'm');
    const struct {
        bool play;  // a test play, else the editor from its menu
        std::string script;
    } steps[] = {{true, "type reg\nkey backspace\ntype garde\nkey return\n"},
                 {true, typed({"nord", "prends clef", "inventaire"})},
                 {true, typed({"regarde", "regarde", "regarde"})},
                 {false, click(404, 474) + "wheel 3\n"},
                 {false, menuEntry(ObjectTexts) + click(50, 350) + "type Une clef\nkey backspace\n"},
                 {false, menuEntry(MinorEvents) + click(725, 85) + click(725, 105) + "key backspace\n"}};
    for (const auto& s : steps) {
        s.play ? playSession(s.script) : runEditor(s.script);
        int64_t notShown = 0;
        for (int64_t y = 0; y < ScreenHeight; ++y) {
            for (int64_t x = 0; x < ScreenWidth; ++x) notShown += readPixel(WindowSurface, x, y) != readPixel(backBuffer, x, y);
        }
        EXPECT_EQ(notShown, 0) << s.script;
    }
}
