// The game screen: background, the four zones of the adventure, zone text
// output with word wrap and scrolling, and presentation of a frame.
#pragma once

#include <cstdint>
#include <string>

#include "model/adventure.h"
#include "platform/platform.h"

extern ImageHandle defaultScreenImage;  // "Images\ecran.jpg", loaded at start
extern ImageHandle screenImage;         // the project's own "ecran.jpg"
extern bool hasScreenImage;             // background is screenImage, else defaultScreenImage
extern ImageHandle inventoryBackground;
extern int64_t textCursor;
extern int64_t descriptionCursor;
extern int64_t inventoryCursor;

// The background again, the inventory background retaken, every cursor 0 and
// needFullRedraw cleared.
void clearZones();
// The room picture stretched into the image zone, when the room's own
// numbered picture file is there and not empty. The picture is decoded once
// for as long as its number stays the same within a session.
void drawRoomPicture();
// Prints text into a zone from cursor (black, transparent, interfaceFont,
// margins 2); returns the new cursor.
int64_t printInZone(const std::u16string& text, const Zone& zone, int64_t cursor);
std::u16string exitsTag(int64_t room);
std::u16string listObjectsAt(int64_t location);
std::u16string lowerFirst(const std::u16string& text);
std::u16string upperFirst(const std::u16string& text);
void presentFrame();
// Draws the current background picture at (0, 0) of the back buffer.
void drawBackground();
// The line height of game text: text height of "X" in interfaceFont.
int64_t gameLineHeight();
// Releases every picture the screen holds (end of a session).
void releaseScreenImages();
// Cuts a rectangle of the screen to what can be shown. Zones come from
// adventure files and may hold any number: the rectangle is cut at the
// screen's right and bottom edges (nothing there is ever shown), and one that
// shows nothing of the screen is refused (false), so no value can ask for a
// huge picture.
bool clipScreenRect(int64_t x, int64_t y, int64_t& width, int64_t& height);
// The zone with each value brought within +-1000000000: zones come from
// adventure files, and arithmetic on any value must not overflow. Nothing of
// the screen changes by it.
Zone clampedZone(const Zone& zone);
