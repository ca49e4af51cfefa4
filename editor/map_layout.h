// The map of the adventure, laid out as authors draw one: every room that has
// a text or an exit is a box, every exit a line between two boxes. A north
// exit goes up, south down, east right, west left, up and down on the
// diagonals (up to the upper right, down to the lower left), wherever the
// exits allow. Rooms that the exits do not join that way, or that would fall
// where a room already is, are laid out by Graphviz so that nothing overlaps
// and lines cross as little as it can manage. The page "CARTE" and the SVG
// picture of the map both draw this one layout, in the same pixels.
#pragma once

#include <cstdint>

#include "model/adventure.h"

// Rooms 0 to 252 are places; 253 to 255 name where objects are kept, and no
// exit leads there.
constexpr int MapRoomCount = static_cast<int>(FirstNoExit);
constexpr int MapExitCapacity = MapRoomCount * DirectionCount;

// Sizes in pixels: a room's box, and the distance between the corners of two
// rooms next to each other on the grid (the gaps hold the lines and their
// labels). The whole map has the margin around its rooms.
constexpr int64_t MapBoxWidth = 140;
constexpr int64_t MapBoxHeight = 56;
constexpr int64_t MapColumnPitch = 190;
constexpr int64_t MapRowPitch = 104;
constexpr int64_t MapMargin = 25;

struct MapRoom {
    bool shown;    // it has a text, an exit, or an exit leads to it
    bool hasText;  // an exit to a room without text is drawn in red
    int64_t x;     // the top-left corner of its box
    int64_t y;
};

// An exit and how it is drawn: a line from the border of the box left to the
// border of the box reached (an exit of a room to itself is a short stroke
// out of its box, towards its direction).
struct MapExit {
    int64_t from;
    int64_t to;
    int64_t direction;  // 0..5, "Nord" to "Bas"
    int64_t x1;
    int64_t y1;
    int64_t x2;
    int64_t y2;
    // One way only (the room reached has no exit back): an arrowhead at
    // (x2, y2), whose two strokes end at these points.
    bool oneWay;
    int64_t arrowX[2];
    int64_t arrowY[2];
    // Whether the line does not show the direction by itself, and where the
    // direction's name is then centred, near the room left.
    bool labelled;
    int64_t labelX;
    int64_t labelY;
};

struct AdventureMap {
    MapRoom rooms[MapRoomCount];
    MapExit exits[MapExitCapacity];  // in the order of the rooms, then of the directions
    int64_t exitCount;
    int64_t width;  // of the whole map, margins included
    int64_t height;
};

// Lays out the rooms and exits of the adventure. Exit values outside 0..252
// lead nowhere and are no exits; what the file holds bounds nothing else.
void layOutMap(const Adventure& source, AdventureMap& map);

// The room whose box holds the point of the map; -1 for none.
int64_t mapRoomAt(const AdventureMap& map, int64_t x, int64_t y);
