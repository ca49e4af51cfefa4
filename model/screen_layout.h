// The game screen: its size, and where the zones of a new adventure lie on
// it. The picture makers of tools/ and demo/ draw the screen backgrounds
// from the same numbers.
#pragma once

#include <cstdint>

constexpr int64_t ScreenWidth = 800;
constexpr int64_t ScreenHeight = 600;

// A rectangle of the screen.
struct Zone {
    int64_t x;
    int64_t y;
    int64_t width;
    int64_t height;
};

constexpr Zone DefaultImageZone = {0, 0, 400, 300};
constexpr Zone DefaultDescriptionZone = {0, 360, 800, 64};
constexpr Zone DefaultTextZone = {0, 424, 800, 140};
constexpr Zone DefaultInventoryZone = {490, 190, 300, 124};
