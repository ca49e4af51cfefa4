// Drawing on SDL surfaces for the project's picture makers (the interface
// pictures, the icon, the demonstration's pictures): anti-aliased polygons,
// circles, thick lines, gradients, text in a TrueType font, and the JPEG and
// PNG writers. These makers are not part of the program, so they use SDL
// directly.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/screen_layout.h"

struct Rgba {
    int r, g, b, a = 255;
};
struct Pt {
    double x, y;
};
using Contour = std::vector<Pt>;

constexpr double Pi = 3.14159265358979323846;

// Ends the maker with the message and SDL's last error.
[[noreturn]] void fail(const std::string& what);

// Starts the picture and font libraries with the font every text is drawn
// in; closeCanvas releases them.
void openCanvas(const std::string& fontFile);
void closeCanvas();

// Fixed-seed generator, so that stars, leaves and stones are the same at
// every build; seedRandom starts a sequence of its own for one picture.
double random01();
void seedRandom(uint32_t seed);

Rgba mix(Rgba a, Rgba b, double t);
Rgba withAlpha(Rgba c, int alpha);

// A fully transparent ARGB picture.
SDL_Surface* newCanvas(int width, int height);
uint32_t& pixelAt(SDL_Surface* s, int x, int y);
// Lays colour c over one pixel with the given coverage (0..1).
void blendPixel(SDL_Surface* s, int x, int y, Rgba c, double coverage);

// Fills closed contours (even-odd rule, so an inner contour cuts a hole).
void fillContours(SDL_Surface* s, const std::vector<Contour>& contours, Rgba c);
void fillPolygon(SDL_Surface* s, const Contour& k, Rgba c);
Contour ellipse(double cx, double cy, double rx, double ry);
Contour rectangle(double x, double y, double w, double h);
void fillCircle(SDL_Surface* s, double cx, double cy, double r, Rgba c);
void fillRing(SDL_Surface* s, double cx, double cy, double outer, double inner, Rgba c);
void fillRect(SDL_Surface* s, double x, double y, double w, double h, Rgba c);
// A frame of the given thickness just inside the rectangle.
void frameRect(SDL_Surface* s, double x, double y, double w, double h, double t, Rgba c);
// A zone of the game screen framed on its edge: `frame` 2 pixels wide, then a
// 1-pixel `inner` line; a panel is also filled first. The screen backgrounds
// draw the zones of a new adventure so, where the game prints.
void frameZone(SDL_Surface* s, const Zone& zone, Rgba frame, Rgba inner);
void zonePanel(SDL_Surface* s, const Zone& zone, Rgba fill, Rgba frame, Rgba inner);
// A straight stroke with round ends.
void thickLine(SDL_Surface* s, Pt a, Pt b, double width, Rgba c);
void strokePolyline(SDL_Surface* s, const Contour& k, double width, Rgba c, bool closed);
Pt bezier(Pt a, Pt control, Pt b, double t);
// The quadratic curve from a to b as a list of points (both ends included).
Contour curve(Pt a, Pt control, Pt b, int steps = 16);
// Vertical gradient through colour stops given as (position 0..1, colour).
void verticalGradient(SDL_Surface* s, int x, int y, int w, int h, const std::vector<std::pair<double, Rgba>>& stops);
// An n-pointed star around (cx, cy), its first point turned by turn radians.
Contour star(double cx, double cy, double outer, double inner, int points, double turn);
void diamond(SDL_Surface* s, double cx, double cy, double r, Rgba c);

// Text in the canvas font at a pixel size, its vertical centre at y; x is the
// left edge, or the centre when centred is set.
int textWidth(int size, const char* text);
void drawText(SDL_Surface* s, int size, const char* text, double x, double y, Rgba c, bool centred);
// Centred text with a soft halo, legible over any part of a picture.
void drawHaloText(SDL_Surface* s, int size, const char* text, double x, double y, Rgba c, Rgba halo, int radius);

// Writes the picture as JPEG (a name ending in ".jpg") or PNG, then frees it.
void save(SDL_Surface* s, const std::string& folder, const char* name);

// Shared motifs.
// A castle in one colour: two towers with pointed roofs, a wall and a keep,
// standing on baseY, scaled from a 200-unit-wide design.
void castleSilhouette(SDL_Surface* s, double cx, double baseY, double scale, Rgba c);
// A wavy hill line across the picture, filled down to its bottom.
void hills(SDL_Surface* s, double base, double a1, double f1, double p1, double a2, double f2, double p2, Rgba c);
