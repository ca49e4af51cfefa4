// The game screen: background, zones, the room picture, zone text output
// with word wrap and scrolling, object lists and presentation.
//
// Every picture this file takes (strips, zone backgrounds, the room
// picture) is reused or replaces and frees the previous one, so the number of
// live images stays the same from one turn to the next.
#include "engine/screen.h"

#include "engine/game_state.h"
#include "engine/play_state_panel.h"
#include "engine/readable_text.h"
#include "platform/program.h"

ImageHandle defaultScreenImage = 0;
ImageHandle screenImage = 0;
bool hasScreenImage = false;
ImageHandle inventoryBackground = 0;
int64_t textCursor = 0;
int64_t descriptionCursor = 0;
int64_t inventoryCursor = 0;

constexpr int64_t ZoneMargin = 2;
constexpr Colour GameTextColour = rgb(0, 0, 0);

static int64_t clampedValue(int64_t value) {
    constexpr int64_t Limit = 1000000000;
    return value < -Limit ? -Limit : value > Limit ? Limit : value;
}

Zone clampedZone(const Zone& zone) {
    return {clampedValue(zone.x), clampedValue(zone.y), clampedValue(zone.width), clampedValue(zone.height)};
}

static void replaceImage(ImageHandle& held, ImageHandle replacement) {
    if (held != 0 && held != replacement) freeImage(held);
    held = replacement;
}

bool clipScreenRect(int64_t x, int64_t y, int64_t& width, int64_t& height) {
    if (x < -ScreenWidth || y < -ScreenHeight || x >= ScreenWidth || y >= ScreenHeight) return false;
    if (width > ScreenWidth - x) width = ScreenWidth - x;
    if (height > ScreenHeight - y) height = ScreenHeight - y;
    return width > 0 && height > 0 && x + width > 0 && y + height > 0;
}

// A new copy of a rectangle of the back buffer, or none.
static ImageHandle grabScreenRect(int64_t x, int64_t y, int64_t width, int64_t height) {
    if (!clipScreenRect(x, y, width, height)) return 0;
    return grabImage(backBuffer, x, y, width, height);
}

// Working copies of the scrolling: reused from one scroll to the next and
// recreated only when a zone of another size scrolls, so that scrolling
// allocates nothing turn after turn.
static ImageHandle movedArea = 0;
static ImageHandle bottomStrip = 0;

// Copies a rectangle of the back buffer into `copy`, which is reused when it
// already has that size. False when the rectangle shows nothing.
static bool copyScreenRect(ImageHandle& copy, int64_t x, int64_t y, int64_t width, int64_t height) {
    if (!clipScreenRect(x, y, width, height)) return false;
    if (copy == 0 || imageWidth(copy) != width || imageHeight(copy) != height) {
        replaceImage(copy, createImage(width, height, 32));
    }
    if (copy == 0) return false;
    beginDrawing(copy);
    drawImage(backBuffer, -x, -y);
    endDrawing();
    return true;
}

static ImageHandle currentBackground() {
    return hasScreenImage ? screenImage : defaultScreenImage;
}

void drawBackground() {
    beginDrawing(backBuffer);
    drawImage(currentBackground(), 0, 0);
    endDrawing();
    noteAreaPainted(0, 0, ScreenWidth, ScreenHeight);
}

static void useGameTextStyle() {
    setFrontColour(GameTextColour);
    setDrawingMode(DrawMode::TransparentText);
    selectFont(interfaceFont);
}

int64_t gameLineHeight() {
    beginDrawing(backBuffer);
    selectFont(interfaceFont);
    int64_t height = textHeight(u"X");
    endDrawing();
    return height;
}

void clearZones() {
    drawBackground();
    const Zone inventory = clampedZone(adventure.inventoryZone);
    replaceImage(inventoryBackground, grabScreenRect(inventory.x, inventory.y, inventory.width, inventory.height));
    descriptionCursor = 0;
    textCursor = 0;
    inventoryCursor = 0;
    needFullRedraw = false;
}

// The room picture last decoded and its number. A picture is decoded when
// another number is to be shown (a move, or an action giving the room another
// picture), not at every turn: a large picture takes long to decode. A number
// whose file does not load is remembered too, with no picture.
static ImageHandle roomPicture = 0;
static int64_t roomPictureNumber = 0;
static bool roomPictureDecoded = false;

void drawRoomPicture() {
    if (!isTableIndex(currentRoom)) return;
    if (fileSize(integerToText(currentRoom) + u".jpg") <= 0) return;
    const int64_t number = roomImages[currentRoom];
    if (!roomPictureDecoded || number != roomPictureNumber) {
        replaceImage(roomPicture, loadImage(integerToText(number) + u".jpg"));
        roomPictureNumber = number;
        roomPictureDecoded = true;
    }
    if (roomPicture == 0) return;
    const Zone& zone = adventure.imageZone;
    beginDrawing(backBuffer);
    drawImageScaled(roomPicture, zone.x, zone.y, zone.width, zone.height);
    endDrawing();
    noteAreaPainted(zone.x, zone.y, zone.width, zone.height);
}

// The strip that cleans the bottom line's slot when a zone scrolls: the
// background picture as it lies under that slot. False when the slot shows
// nothing of the screen.
static bool takeBottomStrip(int64_t x, int64_t y, int64_t width, int64_t height) {
    if (!copyScreenRect(bottomStrip, x, y, width, height)) return false;
    beginDrawing(bottomStrip);
    drawImage(currentBackground(), -x, -y);
    endDrawing();
    return true;
}

// Moves the zone's inner area up by one line and cleans the bottom slot.
static void scrollZoneOneLine(const Zone& zone, int64_t lineHeight, bool withStrip, int64_t bottomY) {
    int64_t innerWidth = zone.width - 2 * ZoneMargin;
    int64_t movedHeight = zone.height - 2 * ZoneMargin - lineHeight;
    bool moved =
        copyScreenRect(movedArea, zone.x + ZoneMargin, zone.y + ZoneMargin + lineHeight, innerWidth, movedHeight);
    beginDrawing(backBuffer);
    if (moved) drawImage(movedArea, zone.x + ZoneMargin, zone.y + ZoneMargin);
    if (withStrip) drawImage(bottomStrip, zone.x + ZoneMargin, bottomY);
    endDrawing();
    if (moved) {
        noteAreaCopied(zone.x + ZoneMargin, zone.y + ZoneMargin + lineHeight, imageWidth(movedArea),
                       imageHeight(movedArea), zone.x + ZoneMargin, zone.y + ZoneMargin);
    }
    if (withStrip) noteAreaPainted(zone.x + ZoneMargin, bottomY, imageWidth(bottomStrip), imageHeight(bottomStrip));
}

int64_t printInZone(const std::u16string& text, const Zone& zoneAsGiven, int64_t cursor) {
    if (text.empty()) return cursor;
    const Zone zone = clampedZone(zoneAsGiven);
    cursor = clampedValue(cursor);
    int64_t innerWidth = zone.width - 2 * ZoneMargin;
    int64_t innerHeight = zone.height - 2 * ZoneMargin;
    if (innerWidth <= 0) return cursor;
    int64_t lineHeight = gameLineHeight();
    if (lineHeight <= 0) return cursor;

    // The slot of the last whole line the zone holds; a zone lower than one
    // line still shows its last line at the top of the zone.
    int64_t wholeLines = innerHeight / lineHeight;
    if (wholeLines < 1) wholeLines = 1;
    int64_t bottomY = zone.y + ZoneMargin + (wholeLines - 1) * lineHeight;
    int64_t lowestCursor = innerHeight > lineHeight ? innerHeight : lineHeight;
    bool stripTaken = false;
    bool withStrip = false;

    startPrintedText();
    beginDrawing(backBuffer);
    useGameTextStyle();
    int64_t cy = cursor;
    for (size_t next = 0; next < text.size();) {
        std::u16string line = takeWrappedLine(text, next, innerWidth);
        if (line.empty()) break;
        int64_t height = textHeight(line);
        cy += height;
        if (cy > lowestCursor) {
            // The copies of the scrolling are drawing targets of their own.
            endDrawing();
            if (!stripTaken) {
                withStrip = takeBottomStrip(zone.x + ZoneMargin, bottomY, innerWidth, lineHeight);
                stripTaken = true;
            }
            // Whole lines only: the loop count is bounded by the cursor's
            // distance to the zone, which a file can make large; after one
            // more scroll than the zone has lines nothing changes any more.
            int64_t lines = (cy - lowestCursor + lineHeight - 1) / lineHeight;
            int64_t zoneLines = wholeLines + 1;
            for (int64_t i = 0; i < lines && i < zoneLines; ++i) {
                scrollZoneOneLine(zone, lineHeight, withStrip, bottomY);
            }
            cy -= lines * lineHeight;
            beginDrawing(backBuffer);
            useGameTextStyle();
        }
        drawText(zone.x + ZoneMargin, zone.y + ZoneMargin + cy - height, line);
        noteLinePrinted(zone.x + ZoneMargin, zone.y + ZoneMargin + cy - height, textWidth(line), height, line);
    }
    endDrawing();
    return cy;
}

std::u16string exitsTag(int64_t room) {
    if (!isTableIndex(room)) return u"";
    static const char16_t letters[DirectionCount] = {u'N', u'S', u'E', u'O', u'H', u'B'};
    std::u16string tag;
    for (int direction = 0; direction < DirectionCount; ++direction) {
        int64_t exit = adventure.exits[room][direction];
        if (exit >= 0 && exit < FirstNoExit) tag += letters[direction];
    }
    if (tag.empty()) return tag;
    return u" <" + tag + u">";
}

std::u16string lowerFirst(const std::u16string& text) {
    if (text.empty()) return text;
    std::u16string result = text;
    result[0] = lowerCaseChar(result[0]);
    return result;
}

std::u16string upperFirst(const std::u16string& text) {
    if (text.empty()) return text;
    std::u16string result = text;
    result[0] = upperCaseChar(result[0]);
    return result;
}

std::u16string listObjectsAt(int64_t location) {
    std::u16string list;
    std::u16string separator;
    for (int object = 0; object < TableSize; ++object) {
        int64_t at = adventure.objectLocations[object];
        bool listed = (at == location && location < NotCreated) || (at > NotCreated && location > NotCreated);
        if (!listed) continue;
        list += separator + lowerFirst(adventure.objectTexts[object]);
        separator = u", ";
    }
    return upperFirst(list);
}

void presentFrame() {
    // Presenting copies the back buffer to the window and leaves it as it is;
    // the inspector is drawn over a copy.
    if (inspectorShown) {
        presentInspectedFrame();
    } else {
        presentBackBuffer();
    }
}

void releaseScreenImages() {
    replaceImage(inventoryBackground, 0);
    replaceImage(screenImage, 0);
    replaceImage(movedArea, 0);
    replaceImage(bottomStrip, 0);
    replaceImage(roomPicture, 0);
    roomPictureDecoded = false;
    hasScreenImage = false;
    releaseInspectorFrame();
}
