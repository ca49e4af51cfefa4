// make_chateau_pictures: draws the pictures of "Le château" into the project
// folder.
//
//     make_chateau_pictures <project folder> <TrueType font file>
//
// 0.jpg to 6.jpg     the seven rooms (the gate with its guard, the edge of
//                    the forest, the courtyard, the prison's entrance with the
//                    dragon, the pharmacy, the small room, the princess's cell);
// 7.jpg              the gate once the guard is beaten;
// 8.jpg, 9.jpg       the dragon asleep, with its key and without;
// introduction.jpg   the title picture;
// ecran.jpg          the game screen's background, with plain panels where the
//                    game prints (its zones are the adventure's defaults).
//
// Room pictures are 400 x 300, the size of the image zone. They share one
// storybook style: flat colours with soft shading, outlined in dark ink.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/canvas.h"

namespace {

const Rgba Ink = {50, 40, 40};
const Rgba Stone = {178, 170, 152}, StoneDark = {132, 124, 110}, StoneLight = {204, 198, 182};
const Rgba Roof = {186, 62, 50}, RoofShade = {146, 44, 38};
const Rgba Wood = {132, 86, 50}, WoodDark = {92, 58, 34};
const Rgba Skin = {240, 200, 168}, Gold = {226, 184, 72}, Iron = {80, 80, 88};

// A room's picture fills the image zone of a new adventure.
SDL_Surface* roomCanvas() {
    return newCanvas(DefaultImageZone.width, DefaultImageZone.height);
}
const Rgba Grass = {112, 162, 76}, GrassDark = {82, 130, 60};

// ---------------------------------------------------------------------------
// Motifs.

void shape(SDL_Surface* s, const Contour& k, Rgba fill, double line = 1.5) {
    fillPolygon(s, k, fill);
    strokePolyline(s, k, line, Ink, true);
}

// A band of width w0 at the start of the centre line narrowing or widening to
// w1 at its end: necks, tails, arms, hair, stems.
Contour tube(const Contour& centre, double w0, double w1) {
    Contour left, right;
    for (size_t i = 0; i < centre.size(); ++i) {
        Pt a = centre[i > 0 ? i - 1 : i], b = centre[i + 1 < centre.size() ? i + 1 : i];
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy) + 1e-9;
        double w = (w0 + (w1 - w0) * i / double(centre.size() - 1)) / 2;
        left.push_back({centre[i].x - dy / len * w, centre[i].y + dx / len * w});
        right.insert(right.begin(), {centre[i].x + dy / len * w, centre[i].y - dx / len * w});
    }
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

// Places a figure drawn in its own coordinates: scaled, turned by `angle`
// radians about its origin, mirrored when flip is set, origin put at (x, y).
struct Placement {
    double x, y, scale = 1, angle = 0;
    bool flip = false;
    Pt operator()(Pt p) const {
        double px = (flip ? -p.x : p.x) * scale, py = p.y * scale;
        return {x + px * std::cos(angle) - py * std::sin(angle), y + px * std::sin(angle) + py * std::cos(angle)};
    }
    Contour operator()(const Contour& k) const {
        Contour placed;
        for (Pt p : k) placed.push_back((*this)(p));
        return placed;
    }
};

// Drawing through a stencil: what is drawn on a layer is laid over the
// picture only inside the contour.
SDL_Surface* newLayer(SDL_Surface* s) {
    return newCanvas(s->w, s->h);
}
void layOver(SDL_Surface* s, SDL_Surface* layer, const Contour& inside) {
    SDL_Surface* mask = newCanvas(s->w, s->h);
    fillPolygon(mask, inside, {255, 255, 255});
    for (int y = 0; y < s->h; ++y)
        for (int x = 0; x < s->w; ++x) {
            uint32_t p = pixelAt(layer, x, y);
            double coverage = (p >> 24) / 255.0 * (pixelAt(mask, x, y) >> 24) / 255.0;
            blendPixel(s, x, y, {int(p >> 16 & 255), int(p >> 8 & 255), int(p & 255)}, coverage);
        }
    SDL_FreeSurface(mask);
    SDL_FreeSurface(layer);
}

// A rectangle of stone blocks, each a little lighter or darker, in rows with
// staggered joints.
void stoneBlocks(SDL_Surface* s, double x, double y, double w, double h, Rgba base, double blockW, double blockH) {
    fillRect(s, x, y, w, h, base);
    int row = 0;
    for (double by = y; by < y + h - 0.5; by += blockH, ++row) {
        double bh = std::min(blockH, y + h - by);
        for (double bx = x - (row % 2) * blockW / 2; bx < x + w; bx += blockW) {
            double left = std::max(bx, x), right = std::min(bx + blockW, x + w);
            double tone = random01() * 0.5 - 0.25;
            Rgba c = tone < 0 ? mix(base, StoneDark, -tone) : mix(base, StoneLight, tone);
            fillRect(s, left + 1, by + 1, right - left - 2, bh - 2, c);
        }
    }
}

// A wall seen at an angle: the quad near-top, far-top, far-bottom, near-bottom
// with courses of stones drawn along it and joints closer together far away.
void sideWall(SDL_Surface* s, Pt nearTop, Pt farTop, Pt farBottom, Pt nearBottom, Rgba base, int courses) {
    fillPolygon(s, {nearTop, farTop, farBottom, nearBottom}, base);
    auto along = [](Pt a, Pt b, double t) { return Pt{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; };
    for (int c = 1; c < courses; ++c) {
        double t = double(c) / courses;
        thickLine(s, along(nearTop, nearBottom, t), along(farTop, farBottom, t), 1, withAlpha(StoneDark, 160));
    }
    for (int c = 0; c < courses; ++c) {
        double t0 = double(c) / courses, t1 = double(c + 1) / courses;
        for (double u = (c % 2) * 0.07; u < 1; u += 0.14) {
            double depth = 1 - std::pow(1 - u, 1.6);  // joints crowd towards the far end
            Pt top = along(along(nearTop, farTop, depth), along(nearBottom, farBottom, depth), t0);
            Pt bottom = along(along(nearTop, farTop, depth), along(nearBottom, farBottom, depth), t1);
            thickLine(s, top, bottom, 1, withAlpha(StoneDark, 140));
        }
    }
    strokePolyline(s, {nearTop, farTop, farBottom, nearBottom}, 1.5, Ink, true);
}

// The outline of a round-topped arch standing on bottomY.
Contour arch(double x, double bottomY, double w, double straight) {
    Contour k = {{x, bottomY}, {x, bottomY - straight}};
    for (int i = 0; i <= 16; ++i)
        k.push_back({x + w / 2 - w / 2 * std::cos(Pi * i / 16), bottomY - straight - w / 2 * std::sin(Pi * i / 16)});
    k.push_back({x + w, bottomY});
    return k;
}

// Merlons along the top of a wall.
void crenels(SDL_Surface* s, double x, double w, double top, double size, Rgba c) {
    for (double m = x; m + size <= x + w + 0.1; m += size * 1.8) {
        fillRect(s, m, top - size, size, size + 1, c);
        strokePolyline(s, rectangle(m, top - size, size, size + 1), 1.2, Ink, false);
    }
}

// A round tower: shaded stone body, slit windows and a red cone roof.
// A stretch of wall: courses of stone, crenels of the given size along its
// top, an inked outline (closed, or open at the bottom).
void crenellatedWall(SDL_Surface* s, double x, double y, double w, double h, Rgba c, double blockW, double blockH,
                     double crenel, bool closed) {
    stoneBlocks(s, x, y, w, h, c, blockW, blockH);
    crenels(s, x + 2, w - 2, y, crenel, c);
    strokePolyline(s, rectangle(x, y, w, h), 1.5, Ink, closed);
}

void tower(SDL_Surface* s, double cx, double baseY, double w, double h, double roofH) {
    double x = cx - w / 2, top = baseY - h;
    for (int col = 0; col < int(w); ++col) {
        double t = col / w, light = 1 - std::pow(2 * t - 0.6, 2);
        fillRect(s, x + col, top, 1, h, mix(StoneDark, StoneLight, std::clamp(light, 0.0, 1.0) * 0.8));
    }
    for (double y = top + 10; y < baseY; y += 10) thickLine(s, {x, y}, {x + w, y}, 0.8, withAlpha(StoneDark, 150));
    strokePolyline(s, rectangle(x, top, w, h), 1.5, Ink, true);
    for (double wy = top + h * 0.3; wy < baseY - 20; wy += h * 0.35) shape(s, arch(cx - 2.5, wy + 12, 5, 8), Iron, 1);
    Contour cone = {{x - 5, top + 2}, {x + w + 5, top + 2}, {cx, top - roofH}};
    fillPolygon(s, cone, Roof);
    fillPolygon(s, {{cx, top - roofH}, {x + w + 5, top + 2}, {cx + w * 0.2, top + 2}}, RoofShade);
    strokePolyline(s, cone, 1.5, Ink, true);
    thickLine(s, {cx, top - roofH}, {cx, top - roofH - 12}, 1.5, Ink);
    fillPolygon(s, {{cx, top - roofH - 12}, {cx + 11, top - roofH - 9}, {cx, top - roofH - 6}}, {58, 92, 168});
}

void pine(SDL_Surface* s, double x, double groundY, double h, Rgba c) {
    fillRect(s, x - 2, groundY - h * 0.15, 4, h * 0.15, WoodDark);
    for (int tier = 0; tier < 3; ++tier) {
        double bottom = groundY - h * (0.1 + 0.27 * tier), half = h * (0.32 - 0.07 * tier);
        Contour k = {{x - half, bottom}, {x + half, bottom}, {x, bottom - h * 0.45}};
        fillPolygon(s, k, mix(c, {20, 40, 30}, 0.1 * tier));
        strokePolyline(s, k, 1, withAlpha(Ink, 120), true);
    }
}

void roundTree(SDL_Surface* s, double x, double groundY, double h, Rgba leaves) {
    shape(s, tube({{x, groundY}, {x + 1, groundY - h * 0.5}}, 9, 6), Wood, 1.2);
    for (int i = 0; i < 7; ++i) {
        double a = i * 2 * Pi / 7, r = h * 0.22;
        fillCircle(s, x + std::cos(a) * r, groundY - h * 0.62 + std::sin(a) * r * 0.8, h * 0.2,
                   mix(leaves, {30, 60, 30}, 0.1 + 0.15 * (i % 3)));
    }
    fillCircle(s, x - h * 0.05, groundY - h * 0.68, h * 0.22, leaves);
    fillCircle(s, x - h * 0.1, groundY - h * 0.74, h * 0.1, mix(leaves, {255, 255, 200}, 0.2));
}

void flower(SDL_Surface* s, double x, double y, Rgba petals) {
    thickLine(s, {x, y}, {x, y + 6}, 1, GrassDark);
    for (int i = 0; i < 5; ++i)
        fillCircle(s, x + 2.2 * std::cos(i * 2 * Pi / 5), y + 2.2 * std::sin(i * 2 * Pi / 5), 1.8, petals);
    fillCircle(s, x, y, 1.3, {250, 220, 80});
}

// A torch on a wall bracket, with the glow of its flame on the wall.
void torch(SDL_Surface* s, double x, double y) {
    for (int k = 14; k >= 1; --k) fillCircle(s, x, y - 12, 6 + k * 3.2, {255, 190, 90, 7});
    shape(s, {{x - 4, y}, {x + 4, y}, {x + 2, y + 18}, {x - 2, y + 18}}, WoodDark, 1.2);
    fillRect(s, x - 6, y + 8, 12, 3, Iron);
    Contour flame = {{x - 6, y}, {x + 6, y}, {x + 4, y - 10}, {x + 1, y - 24}, {x - 3, y - 12}};
    fillPolygon(s, flame, {240, 120, 40});
    fillPolygon(s, {{x - 3, y}, {x + 3, y}, {x + 2, y - 8}, {x, y - 16}, {x - 2, y - 8}}, {255, 220, 110});
}

// A floor of flagstones inside the outline, from its far edge at y = far to
// the bottom of the picture: joints running from the vanishing point, rows
// widening towards the viewer. Walls drawn afterwards cover its outer parts.
void floor(SDL_Surface* s, Pt vanish, double far, const Contour& outline, Rgba base) {
    fillPolygon(s, outline, base);
    SDL_Surface* joints = newLayer(s);
    for (double x = -1200; x <= 1600; x += 36) {
        Pt end = {x, double(s->h)};
        Pt start = {vanish.x + (end.x - vanish.x) * (far - vanish.y) / (end.y - vanish.y), far};
        thickLine(joints, start, end, 1, withAlpha(Ink, 60));
    }
    for (double step = 8, y = far + step; y < s->h; step *= 1.35, y += step)
        thickLine(joints, {0, y}, {double(s->w), y}, 1, withAlpha(Ink, 70));
    layOver(s, joints, outline);
}

// Light falling through the picture, brightest at its source.
void lightBeam(SDL_Surface* s, const Contour& beam, int alpha) {
    for (int k = 0; k < 6; ++k) fillPolygon(s, beam, {255, 244, 200, alpha / 6});
}

// ---------------------------------------------------------------------------
// Figures, drawn around their feet (0, 0), about 100 units tall.

// The guard: helmet, blue tunic with a gold lion's cross, halberd in hand.
void guard(SDL_Surface* s, Placement at) {
    auto poly = [&](const Contour& k, Rgba c) { shape(s, at(k), c, 1.5 * at.scale); };
    poly(tube({{28, 8}, {28, -132}}, 4, 4), Wood);                                        // shaft
    poly({{28, -150}, {33, -134}, {28, -128}, {23, -134}}, {200, 204, 212});              // spike
    poly({{28, -130}, {48, -138}, {52, -118}, {42, -110}, {28, -112}}, {196, 200, 210});  // blade
    poly({{28, -126}, {16, -120}, {28, -116}}, {196, 200, 210});
    poly({{-10, -42}, {-2, -42}, {-3, 0}, {-11, 0}}, {70, 56, 48});  // legs
    poly({{2, -42}, {10, -42}, {11, 0}, {3, 0}}, {70, 56, 48});
    poly({{-14, 0}, {-2, 0}, {-2, -6}, {-12, -6}}, {40, 32, 30});  // boots
    poly({{2, 0}, {15, 0}, {13, -6}, {2, -6}}, {40, 32, 30});
    poly({{-16, -86}, {16, -86}, {20, -36}, {-20, -36}}, {52, 84, 160});  // tunic
    poly({{-3, -78},
          {3, -78},
          {3, -66},
          {9, -66},
          {9, -60},
          {3, -60},
          {3, -48},
          {-3, -48},
          {-3, -60},
          {-9, -60},
          {-9, -66},
          {-3, -66}},
         Gold);
    poly(rectangle(-20, -44, 40, 5), {90, 60, 36});                         // belt
    poly(tube({{-15, -82}, {-24, -62}, {-20, -44}}, 9, 7), {44, 72, 140});  // arms
    poly(tube({{15, -82}, {24, -72}, {28, -68}}, 9, 7), {44, 72, 140});
    fillCircle(s, at({-20, -42}).x, at({-20, -42}).y, 4.5 * at.scale, Skin);
    fillCircle(s, at({28, -68}).x, at({28, -68}).y, 4.5 * at.scale, Skin);
    poly(ellipse(0, -98, 11, 12), Skin);                                                   // head
    poly({{-13, -100}, {-12, -112}, {0, -118}, {12, -112}, {13, -100}}, {172, 176, 186});  // helmet
    poly(rectangle(-1.5, -102, 3, 10), {172, 176, 186});                                   // nasal
    fillCircle(s, at({-5, -97}).x, at({-5, -97}).y, 1.4 * at.scale, Ink);
    fillCircle(s, at({5, -97}).x, at({5, -97}).y, 1.4 * at.scale, Ink);
    poly({{-7, -90}, {0, -92}, {7, -90}, {4, -88}, {0, -89}, {-4, -88}}, {96, 60, 40});  // moustache
}

// The apothecary behind his counter: robe, long white beard, cap and glasses.
void apothecary(SDL_Surface* s, Placement at) {
    auto poly = [&](const Contour& k, Rgba c) { shape(s, at(k), c, 1.5 * at.scale); };
    poly({{-30, 0}, {-26, -50}, {-12, -62}, {12, -62}, {26, -50}, {30, 0}}, {98, 58, 120});  // robe
    poly({{-4, -62}, {4, -62}, {6, 0}, {-6, 0}}, {200, 170, 80});                            // trim
    poly(ellipse(0, -76, 14, 16), Skin);                                                     // head
    poly({{-14, -74}, {-10, -60}, {0, -30}, {10, -60}, {14, -74}, {8, -68}, {0, -66}, {-8, -68}}, {244, 244, 240});
    poly({{-15, -80}, {-12, -94}, {0, -99}, {12, -94}, {15, -80}, {0, -84}}, {70, 40, 90});  // cap
    fillCircle(s, at({0, -99}).x, at({0, -99}).y, 3 * at.scale, Gold);
    for (double side : {-6.0, 6.0}) {
        Pt c = at({side, -78});
        fillRing(s, c.x, c.y, 4.6 * at.scale, 3.4 * at.scale, {60, 50, 40});
        fillCircle(s, c.x, c.y, 1.2 * at.scale, Ink);
    }
    thickLine(s, at({-1.5, -78}), at({1.5, -78}), 1.2 * at.scale, {60, 50, 40});
    poly({{-1, -76}, {3, -70}, {-1, -69}}, {226, 170, 140});                  // nose
    poly(tube({{-24, -52}, {-30, -30}, {-14, -18}}, 11, 9), {110, 68, 132});  // arms on the counter
    poly(tube({{24, -52}, {30, -30}, {14, -18}}, 11, 9), {110, 68, 132});
    for (double side : {-10.0, 10.0}) poly(ellipse(side, -17, 5, 4), Skin);
}

// The princess: golden hair, crown, a rose dress, arms open in welcome.
void princess(SDL_Surface* s, Placement at) {
    auto poly = [&](const Contour& k, Rgba c) { shape(s, at(k), c, 1.5 * at.scale); };
    Contour hair = curve({-18, -56}, {-30, -96}, {0, -100}, 12);
    Contour otherSide = curve({0, -100}, {30, -96}, {18, -56}, 12);
    hair.insert(hair.end(), otherSide.begin() + 1, otherSide.end());
    poly(hair, {232, 186, 74});
    poly({{-36, 0}, {-26, -30}, {-12, -64}, {12, -64}, {26, -30}, {36, 0}}, {222, 112, 150});  // dress
    for (double x : {-14.0, 0.0, 14.0})
        strokePolyline(s, at(curve({x * 0.4, -44}, {x * 0.9, -24}, {x * 1.5, -4}, 8)), 1.2 * at.scale, {190, 80, 118},
                       false);
    poly({{-12, -64}, {12, -64}, {9, -46}, {-9, -46}}, {236, 136, 170});  // bodice
    poly({{-30, -4}, {30, -4}, {36, 0}, {-36, 0}}, {250, 220, 230});
    poly(tube({{-10, -62}, {-26, -70}, {-36, -86}}, 7, 5), {236, 136, 170});  // arms raised
    poly(tube({{10, -62}, {26, -70}, {36, -86}}, 7, 5), {236, 136, 170});
    for (double side : {-38.0, 38.0}) fillCircle(s, at({side, -89}).x, at({side, -89}).y, 4 * at.scale, Skin);
    poly(rectangle(-3.5, -70, 7, 8), Skin);                                                             // neck
    poly(ellipse(0, -80, 11, 13), Skin);                                                                // face
    poly({{-12, -86}, {-8, -96}, {0, -97}, {8, -96}, {12, -86}, {6, -90}, {-6, -90}}, {232, 186, 74});  // fringe
    poly({{-9, -96}, {-10, -108}, {-5, -101}, {0, -110}, {5, -101}, {10, -108}, {9, -96}}, Gold);       // crown
    fillCircle(s, at({0, -103}).x, at({0, -103}).y, 1.6 * at.scale, {200, 40, 60});
    for (double side : {-4.5, 4.5}) {
        fillCircle(s, at({side, -81}).x, at({side, -81}).y, 1.5 * at.scale, Ink);
        fillCircle(s, at({side * 1.6, -76}).x, at({side * 1.6, -76}).y, 2.4 * at.scale, {240, 150, 150, 150});
    }
    strokePolyline(s, at(curve({-4, -74}, {0, -70}, {4, -74}, 8)), 1.3 * at.scale, {170, 60, 70}, false);
}

// The dragon, lying on the ground with its neck raised, or asleep with its
// head on its paws; its key hangs on a chain around the neck when withKey.
void dragon(SDL_Surface* s, Placement at, bool asleep, bool withKey) {
    Rgba body = {86, 150, 92}, belly = {200, 206, 120}, dark = {58, 110, 66}, wing = {66, 122, 90};
    auto poly = [&](const Contour& k, Rgba c) { shape(s, at(k), c, 1.6 * at.scale); };
    // Tail curling round the front, ending in a spade.
    Contour tail = curve({-70, -20}, {-150, 10}, {-60, 14}, 20);
    poly(tube(tail, 26, 6), body);
    poly({{-62, 14}, {-46, 4}, {-50, 22}}, dark);
    // Body, belly, folded wing and the spikes of the back.
    poly(ellipse(-30, -40, 64, 38), body);
    poly(tube(curve({-80, -20}, {-30, 8}, {20, -28}, 16), 10, 16), belly);
    // The wing, half spread above the back: bones from the shoulder to the
    // wrist and out to the tip, fingers fanning back, the skin between them
    // scalloped.
    Pt shoulder = {-6, -64}, wrist = {-16, -126}, tip = {-74, -150};
    Pt fingers[] = {{-96, -110}, {-84, -76}, {-46, -68}};
    Contour membrane = {shoulder, wrist, tip};
    Pt from = tip;
    for (Pt end : fingers) {
        Pt middle = {(from.x + end.x) / 2, (from.y + end.y) / 2};
        Contour edge =
            curve(from, {middle.x + (wrist.x - middle.x) * 0.3, middle.y + (wrist.y - middle.y) * 0.3}, end, 8);
        membrane.insert(membrane.end(), edge.begin() + 1, edge.end());
        from = end;
    }
    poly(membrane, wing);
    for (Pt end : fingers) strokePolyline(s, at(Contour{wrist, end}), 1.3 * at.scale, Ink, false);
    strokePolyline(s, at(Contour{shoulder, wrist, tip}), 3.5 * at.scale, dark, false);
    for (int i = 0; i < 5; ++i) {
        double x = -84 + i * 14, y = -56 - 14 * std::sin(Pi * (i + 1) / 6);
        poly({{x - 5, y + 4}, {x + 5, y + 2}, {x + 1, y - 10}}, {226, 160, 70});
    }
    // Legs and claws.
    for (double x : {-62.0, 4.0}) {
        poly(ellipse(x + 2, -30, 16, 20), dark);
        poly(tube(curve({x + 2, -24}, {x + 2, -6}, {x + 10, -2}, 8), 14, 12), dark);
        for (int c = 0; c < 3; ++c)
            poly({{x + 4 + c * 7, 1}, {x + 10 + c * 7, 1}, {x + 9 + c * 7, 8}}, {240, 236, 220});
    }
    // Neck and head: raised and watchful, or laid down on the ground.
    Contour neck = asleep ? curve({10, -50}, {56, -40}, {74, -14}, 16) : curve({10, -50}, {60, -70}, {56, -126}, 16);
    poly(tube(neck, 30, 20), body);
    poly(tube(neck, 12, 8), belly);
    Placement head = at;
    Pt neckEnd = neck.back();
    head.x = at(neckEnd).x, head.y = at(neckEnd).y, head.angle = at.angle + (asleep ? 0.25 : 0);
    auto headPoly = [&](const Contour& k, Rgba c) { shape(s, head(k), c, 1.6 * at.scale); };
    headPoly({{-6, -12}, {-2, -30}, {6, -16}}, {226, 160, 70});  // horns
    headPoly({{4, -14}, {14, -30}, {16, -12}}, {226, 160, 70});
    headPoly({{-12, 10}, {-14, -8}, {0, -16}, {22, -12}, {44, -4}, {46, 8}, {20, 14}}, body);  // skull and snout
    headPoly({{10, 8}, {44, 4}, {46, 8}, {20, 14}}, belly);
    fillCircle(s, head({40, -3}).x, head({40, -3}).y, 1.8 * at.scale, Ink);  // nostril
    if (asleep) {
        strokePolyline(s, head(curve({6, -6}, {12, -2}, {18, -6}, 8)), 1.6 * at.scale, Ink, false);
    } else {
        Pt eye = head({12, -6});
        fillCircle(s, eye.x, eye.y, 4.5 * at.scale, {250, 220, 90});
        fillPolygon(s, ellipse(eye.x, eye.y, 1.3 * at.scale, 3.6 * at.scale), Ink);
        for (int k = 0; k < 4; ++k) {  // smoke from the nostrils
            Pt p = head({56.0 + k * 12, -12.0 - k * 9});
            fillCircle(s, p.x, p.y, (5 + k * 2.5) * at.scale, {220, 220, 220, 150 - k * 30});
        }
    }
    if (withKey) {
        Contour chain =
            asleep ? curve({30, -46}, {46, -20}, {64, -30}, 10) : curve({46, -104}, {30, -86}, {62, -90}, 10);
        for (Pt p : chain) fillCircle(s, at(p).x, at(p).y, 1.6 * at.scale, {200, 200, 200});
        Pt ring = chain[chain.size() / 2 + 1];
        Placement key = at;
        key.x = at(ring).x, key.y = at(ring).y, key.scale = at.scale * 1.4;
        fillRing(s, key({0, 4}).x, key({0, 4}).y, 5 * key.scale, 2.6 * key.scale, Gold);
        shape(s, key({{-1.5, 8}, {1.5, 8}, {1.5, 24}, {-1.5, 24}}), Gold, 1);
        shape(s, key({{1.5, 18}, {6, 18}, {6, 21}, {1.5, 21}}), Gold, 1);
    }
}

// ---------------------------------------------------------------------------
// Rooms.

void daySky(SDL_Surface* s, double horizon) {
    double h = s->h, t = horizon / h;
    verticalGradient(s, 0, 0, s->w, s->h,
                     {{0, {110, 168, 226}}, {0.7 * t, {178, 212, 236}}, {t, {236, 232, 208}}, {1, {236, 232, 208}}});
    for (Pt c : {Pt{62, 44}, Pt{300, 30}}) {  // two clouds
        for (Pt d : {Pt{-18, 4}, Pt{0, -4}, Pt{18, 2}, Pt{34, 6}})
            fillCircle(s, c.x + d.x, c.y + d.y, 13, {255, 255, 255, 220});
        fillRect(s, c.x - 30, c.y + 4, 76, 10, {255, 255, 255, 220});
    }
}

// 0.jpg and 7.jpg: the castle gate between two towers; the guard stands
// before the lowered portcullis, or lies beaten before the open gate.
SDL_Surface* gate(bool guardBeaten) {
    seedRandom(1);
    SDL_Surface* s = roomCanvas();
    daySky(s, 200);
    hills(s, 196, 6, 0.02, 0, 3, 0.05, 1, {150, 186, 120});
    // Curtain walls running off to both sides, then the gatehouse.
    for (double x : {0.0, 290.0}) {
        crenellatedWall(s, x, 120, 110, 96, Stone, 18, 10, 9, false);
    }
    tower(s, 100, 222, 50, 150, 56);
    tower(s, 300, 222, 50, 150, 56);
    crenellatedWall(s, 124, 96, 152, 126, Stone, 20, 11, 10, true);
    Contour doorway = arch(160, 222, 80, 58);
    if (guardBeaten) {
        fillPolygon(s, doorway, {206, 198, 160});  // the sunny courtyard seen through the gate
        fillPolygon(s, {{160, 222}, {240, 222}, {232, 196}, {168, 196}}, {150, 140, 120});
        stoneBlocks(s, 168, 150, 64, 46, StoneLight, 16, 9);
    } else {
        fillPolygon(s, doorway, {40, 34, 36});
    }
    // The portcullis, down across the doorway or raised with only its spikes
    // showing under the arch.
    SDL_Surface* bars = newLayer(s);
    double bottom = guardBeaten ? 140 : 222;
    for (double x = 166; x < 240; x += 11) thickLine(bars, {x, 100}, {x, bottom + 4}, 2.6, Iron);
    for (double y = bottom - 8; y > 100; y -= 16) thickLine(bars, {150, y}, {250, y}, 2.6, Iron);
    layOver(s, bars, doorway);
    strokePolyline(s, doorway, 2, Ink, false);
    // Banners and the arrow slits over the gate.
    for (double x : {138.0, 252.0}) {
        shape(s, {{x, 104}, {x + 12, 104}, {x + 12, 140}, {x + 6, 134}, {x, 140}}, {52, 84, 160});
        diamond(s, x + 6, 118, 4, Gold);
    }
    // Ground and the path to the gate.
    hills(s, 228, 2, 0.03, 0, 1, 0.1, 0, Grass);
    fillPolygon(s, {{160, 222}, {240, 222}, {300, 300}, {100, 300}}, {214, 190, 140});
    for (int i = 0; i < 40; ++i) {
        double x = random01() * 400, y = 232 + random01() * 66;
        if (x < 100 + (300 - y) * 0 || std::fabs(x - 200) > 50 + (y - 222) * 0.8) fillCircle(s, x, y, 1.4, GrassDark);
    }
    if (guardBeaten) {
        guard(s, {246, 266, 0.62, -Pi / 2 + 0.06});  // lying on the path, halberd dropped
    } else {
        guard(s, {258, 250, 0.9});
    }
    return s;
}

// 1.jpg: the edge of the forest: pines and oaks on both sides, a meadow of
// wild flowers, the path climbing north to the castle on its hill.
SDL_Surface* forestEdge() {
    seedRandom(2);
    SDL_Surface* s = roomCanvas();
    daySky(s, 170);
    hills(s, 168, 10, 0.015, 1.2, 4, 0.05, 0, {160, 190, 150});
    castleSilhouette(s, 232, 136, 0.42, {120, 128, 150});
    Contour hill;
    for (int x = 120; x <= 344; x += 4)
        hill.push_back({double(x), 190 - 56 * std::exp(-std::pow((x - 232) / 50.0, 2))});
    fillPolygon(s, hill, {150, 184, 140});
    hills(s, 186, 8, 0.02, 2.0, 3, 0.06, 0, {132, 176, 96});
    hills(s, 214, 6, 0.012, 0.4, 2, 0.07, 0, Grass);
    Contour path = {{196, 300}, {250, 300}, {226, 250}, {240, 214}, {236, 190}, {230, 188}, {222, 214}, {200, 250}};
    fillPolygon(s, path, {218, 196, 148});
    for (int i = 0; i < 8; ++i)
        pine(s, -10 + i * 16 + random01() * 8, 230 + random01() * 20, 150 + random01() * 50, {46, 96, 62});
    for (int i = 0; i < 6; ++i)
        pine(s, 318 + i * 17 + random01() * 8, 236 + random01() * 20, 140 + random01() * 60, {46, 96, 62});
    roundTree(s, 120, 244, 120, {88, 146, 70});
    roundTree(s, 312, 256, 110, {98, 150, 72});
    const Rgba petals[] = {{230, 70, 70}, {250, 250, 250}, {240, 200, 60}, {120, 130, 230}, {220, 120, 200}};
    for (int i = 0; i < 110; ++i) {
        double y = 232 + random01() * 64, x = random01() * 400;
        if (std::fabs(x - 222) < 24 + (y - 230) * 0.4) continue;
        flower(s, x, y, petals[i % 5]);
    }
    return s;
}

// 2.jpg: the courtyard: the keep at the back, the prison's dark gate on the
// left (west), the pharmacy's shop and sign on the right (east), a well.
SDL_Surface* courtyard() {
    seedRandom(3);
    SDL_Surface* s = roomCanvas();
    daySky(s, 120);
    tower(s, 200, 130, 84, 92, 34);  // the keep rising behind
    stoneBlocks(s, 90, 70, 220, 110, Stone, 20, 11);
    crenels(s, 92, 218, 70, 10, Stone);
    strokePolyline(s, rectangle(90, 70, 220, 110), 1.5, Ink, false);
    shape(s, arch(182, 180, 36, 30), WoodDark);
    floor(s, {200, 125}, 180, {{90, 180}, {310, 180}, {400, 225}, {400, 300}, {0, 300}, {0, 225}}, {170, 160, 140});
    sideWall(s, {0, 25}, {90, 70}, {90, 180}, {0, 225}, mix(Stone, StoneDark, 0.35), 9);
    sideWall(s, {400, 25}, {310, 70}, {310, 180}, {400, 225}, StoneLight, 9);
    // The prison's gate on the west wall, barred and dark.
    Contour prisonGate = {{22, 230}, {22, 150}, {40, 130}, {62, 138}, {62, 200}};
    shape(s, prisonGate, {30, 26, 30});
    for (double t = 0.15; t < 1; t += 0.2)
        thickLine(s, {22 + 40 * t, 136 + 6 * t - (t < 0.5 ? 8 * t : 0)}, {22 + 40 * t, 230 - 30 * t}, 2.2, Iron);
    shape(s, {{24, 112}, {60, 124}, {60, 136}, {24, 124}}, {96, 70, 60});
    // The pharmacy's shop front on the east wall: door, window, hanging sign.
    shape(s, {{338, 232}, {338, 150}, {372, 132}, {372, 246}}, Wood);
    shape(s, {{344, 228}, {344, 160}, {366, 150}, {366, 238}}, WoodDark);
    shape(s, {{316, 170}, {316, 128}, {330, 122}, {330, 176}}, {160, 200, 220});
    thickLine(s, {372, 100}, {388, 96}, 2.5, Iron);
    shape(s, {{374, 104}, {394, 98}, {394, 130}, {374, 136}}, {244, 236, 210});
    fillRect(s, 381.5, 106, 5, 22, {40, 150, 80});
    fillRect(s, 377, 114.5, 14, 5, {40, 150, 80});
    // The well in the middle of the yard: a stone drum under a little roof.
    Contour drum = {{160, 222}, {160, 254}};
    Contour front = curve({160, 254}, {200, 270}, {240, 254}, 16);
    drum.insert(drum.end(), front.begin(), front.end());
    drum.push_back({240, 222});
    Contour rim = curve({240, 222}, {200, 238}, {160, 222}, 16);
    drum.insert(drum.end(), rim.begin(), rim.end());
    fillPolygon(s, drum, Stone);
    SDL_Surface* courses = newLayer(s);
    for (int col = 0; col < 80; ++col) {
        double shade = std::pow((col - 40) / 40.0, 2);
        fillRect(courses, 160 + col, 214, 1, 60, withAlpha(StoneDark, int(170 * shade)));
    }
    for (double dy : {10.0, 20.0})
        strokePolyline(courses, curve({160, 222 + dy}, {200, 238 + dy}, {240, 222 + dy}, 16), 1, StoneDark, false);
    for (int i = 0; i < 7; ++i) {
        double x = 166 + i * 11 + (i % 2) * 4;
        thickLine(courses, {x, 228}, {x, 262}, 1, withAlpha(StoneDark, 200));
    }
    layOver(s, courses, drum);
    strokePolyline(s, drum, 1.5, Ink, true);
    shape(s, ellipse(200, 222, 40, 9), {64, 58, 54});
    fillPolygon(s, ellipse(200, 223, 34, 6), {52, 70, 96});
    shape(s, rectangle(166, 170, 6, 54), Wood);
    shape(s, rectangle(228, 170, 6, 54), Wood);
    shape(s, {{154, 176}, {200, 150}, {246, 176}}, Roof);
    thickLine(s, {200, 176}, {200, 200}, 1.2, Ink);
    shape(s, rectangle(193, 200, 14, 12), Wood);
    return s;
}

// 3.jpg, 8.jpg and 9.jpg: the prison's entrance, stairs going down into the
// dark between two torches, and the dragon on guard or asleep before them.
SDL_Surface* prisonEntrance(bool asleep, bool withKey) {
    seedRandom(4);
    SDL_Surface* s = roomCanvas();
    stoneBlocks(s, 0, 0, 400, 230, mix(Stone, StoneDark, 0.5), 26, 14);
    verticalGradient(s, 0, 0, 400, 230, {{0, {0, 0, 0, 140}}, {1, {0, 0, 0, 20}}});
    // The doorway, framed by a ring of arch stones, and the stairs going down
    // into the dark.
    for (int i = 0; i <= 10; ++i) {
        double a0 = Pi * i / 11, a1 = Pi * (i + 1) / 11, cx = 304, cy = 130;
        Contour voussoir = {{cx - 66 * std::cos(a0), cy - 66 * std::sin(a0)},
                            {cx - 66 * std::cos(a1), cy - 66 * std::sin(a1)},
                            {cx - 50 * std::cos(a1), cy - 50 * std::sin(a1)},
                            {cx - 50 * std::cos(a0), cy - 50 * std::sin(a0)}};
        shape(s, voussoir, i % 2 ? StoneLight : Stone, 1.2);
    }
    for (double x : {238.0, 354.0})
        stoneBlocks(s, x, 130, 16, 100, Stone, 16, 14), strokePolyline(s, rectangle(x, 130, 16, 100), 1.2, Ink, true);
    Contour door = arch(254, 230, 100, 100);
    fillPolygon(s, door, {18, 16, 20});
    for (int step = 0; step < 7; ++step) {
        double y = 230 - step * 13, inset = step * 6;
        fillRect(s, 254 + inset, y - 13, 100 - 2 * inset, 13, mix({120, 112, 100}, {18, 16, 20}, step / 7.0));
        thickLine(s, {254 + inset, y - 13}, {354 - inset, y - 13}, 1, withAlpha(Ink, 200 - step * 25));
    }
    strokePolyline(s, door, 2, Ink, false);
    torch(s, 222, 136);
    torch(s, 386, 136);
    floor(s, {200, 60}, 230, rectangle(0, 230, 400, 70), {112, 104, 96});
    dragon(s, {122, 272, 0.92}, asleep, withKey);
    if (asleep)
        for (int z = 0; z < 3; ++z)
            drawHaloText(s, 16 + z * 5, "Z", 250 + z * 20, 190 - z * 26, {250, 250, 250}, {40, 40, 60, 160}, 2);
    return s;
}

// 4.jpg: the pharmacy: shelves of coloured bottles, the apothecary behind
// his counter with a mortar and a pair of scales, herbs drying overhead.
SDL_Surface* pharmacy() {
    seedRandom(5);
    SDL_Surface* s = roomCanvas();
    verticalGradient(s, 0, 0, 400, 300, {{0, {206, 184, 150}}, {1, {172, 146, 112}}});
    for (double x = 0; x < 400; x += 26) thickLine(s, {x, 0}, {x, 210}, 1, withAlpha(WoodDark, 50));
    const Rgba glass[] = {{80, 160, 90}, {200, 60, 60}, {70, 110, 200}, {220, 170, 50}, {150, 80, 170}, {60, 170, 170}};
    for (int shelf = 0; shelf < 3; ++shelf) {
        double y = 62 + shelf * 56;
        for (double x = 18; x < 380;) {
            double w = 12 + random01() * 12, h = 20 + random01() * 22;
            Rgba c = glass[int(random01() * 6) % 6];
            if (random01() < 0.5) {  // a bottle with a neck and a cork
                shape(s,
                      {{x, y},
                       {x + w, y},
                       {x + w, y - h * 0.6},
                       {x + w * 0.65, y - h * 0.75},
                       {x + w * 0.65, y - h},
                       {x + w * 0.35, y - h},
                       {x + w * 0.35, y - h * 0.75},
                       {x, y - h * 0.6}},
                      c, 1.2);
                fillRect(s, x + w * 0.35, y - h - 4, w * 0.3, 5, Wood);
            } else {  // a jar with a lid and a label
                shape(s, rectangle(x, y - h * 0.8, w + 4, h * 0.8), c, 1.2);
                shape(s, rectangle(x - 1, y - h * 0.8 - 4, w + 6, 5), WoodDark, 1);
                fillRect(s, x + 3, y - h * 0.5, w - 2, h * 0.25, {244, 236, 210});
            }
            fillRect(s, x + 2, y - h * 0.5, 2, h * 0.3, {255, 255, 255, 110});
            x += w + 8 + random01() * 6;
        }
        shape(s, rectangle(8, y, 384, 7), Wood, 1.2);
    }
    for (double x : {60.0, 120.0, 300.0}) {  // herbs drying on a string
        thickLine(s, {x, 0}, {x, 14}, 1, Ink);
        for (int leaf = -2; leaf <= 2; ++leaf)
            shape(s, tube({{x, 14}, {x + leaf * 5, 30}, {x + leaf * 7, 40}}, 4, 1), {96, 140, 70}, 1);
    }
    apothecary(s, {200, 236, 1.4});
    shape(s, rectangle(0, 222, 400, 78), Wood);
    fillRect(s, 0, 222, 400, 10, mix(Wood, {255, 230, 190}, 0.3));
    for (double x = 40; x < 400; x += 80) strokePolyline(s, rectangle(x - 30, 240, 60, 46), 1.2, WoodDark, true);
    strokePolyline(s, rectangle(0, 222, 400, 10), 1.5, Ink, false);
    // A mortar and pestle, and a pair of scales on the counter.
    shape(s, {{82, 222}, {118, 222}, {112, 200}, {88, 200}}, StoneLight);
    shape(s, ellipse(100, 200, 14, 4), StoneDark);
    shape(s, tube({{104, 204}, {122, 176}}, 6, 8), StoneLight);
    thickLine(s, {300, 222}, {300, 170}, 3, Gold);
    thickLine(s, {276, 176}, {324, 176}, 2.5, Gold);
    for (double x : {276.0, 324.0}) {
        thickLine(s, {x, 176}, {x - 8, 196}, 1, Ink);
        thickLine(s, {x, 176}, {x + 8, 196}, 1, Ink);
        shape(s, {{x - 12, 196}, {x + 12, 196}, {x + 6, 202}, {x - 6, 202}}, Gold);
    }
    return s;
}

// 5.jpg: the small rectangular room seen from its entrance: a torch, the
// stairs going up on the right, the heavy door of the cell at the back.
SDL_Surface* smallRoom() {
    seedRandom(6);
    SDL_Surface* s = roomCanvas();
    const double left = 120, right = 280, top = 70, bottom = 210;
    fillRect(s, 0, 0, 400, 300, StoneDark);
    sideWall(s, {0, 0}, {left, top}, {left, bottom}, {0, 300}, mix(Stone, StoneDark, 0.45), 8);
    sideWall(s, {400, 0}, {right, top}, {right, bottom}, {400, 300}, mix(Stone, StoneDark, 0.25), 8);
    fillPolygon(s, {{0, 0}, {400, 0}, {right, top}, {left, top}}, {92, 84, 78});
    for (double x = 30; x < 400; x += 60)
        thickLine(s, {x, 0}, {left + (x / 400) * (right - left), top}, 2, withAlpha(WoodDark, 200));
    stoneBlocks(s, left, top, right - left, bottom - top, Stone, 22, 12);
    strokePolyline(s, rectangle(left, top, right - left, bottom - top), 1.5, Ink, true);
    floor(s, {200, 140}, bottom, {{left, bottom}, {right, bottom}, {400, 300}, {0, 300}}, {120, 112, 104});
    // The cell's door: planks, iron bands, a barred peephole and the lock.
    Contour door = arch(168, 210, 64, 76);
    shape(s, door, Wood, 2);
    for (double x = 176; x < 232; x += 8) thickLine(s, {x, 112}, {x, 210}, 1, withAlpha(WoodDark, 220));
    for (double y : {136.0, 190.0}) shape(s, rectangle(168, y, 64, 6), Iron);
    shape(s, rectangle(190, 116, 20, 14), {24, 20, 24});
    for (double x : {195.0, 200.0, 205.0}) thickLine(s, {x, 116}, {x, 130}, 1.6, Iron);
    shape(s, ellipse(222, 170, 5, 7), Iron, 1.2);
    fillPolygon(s, {{221, 170}, {223, 170}, {224, 176}, {220, 176}}, Ink);
    // The stairs up along the right wall, rising away to an opening near the
    // back. Room coordinates: x across (-1 .. 1 between the walls), y up from
    // the floor (the eye at 0.875), z away from the viewer (1 .. 2.5 at the
    // back wall).
    auto project = [](double x, double y, double z) { return Pt{200 + x * 200 / z, 140 + (0.875 - y) * 200 / z}; };
    shape(s, {project(1, 1.0, 2.05), project(1, 1.75, 2.05), project(1, 1.75, 2.45), project(1, 1.0, 2.45)},
          {36, 32, 34});
    for (int k = 6; k >= 0; --k) {
        double z0 = 1.2 + k * 0.16, z1 = z0 + 0.16, stepTop = (k + 1) * 0.16, x0 = 0.45;
        shape(s, {project(x0, 0, z0), project(x0, stepTop, z0), project(x0, stepTop, z1), project(x0, 0, z1)},
              mix(Stone, StoneDark, 0.5), 1.2);
        shape(s, {project(x0, stepTop, z0), project(1, stepTop, z0), project(1, stepTop, z1), project(x0, stepTop, z1)},
              StoneLight, 1.2);
        shape(s, {project(x0, 0, z0), project(1, 0, z0), project(1, stepTop, z0), project(x0, stepTop, z0)}, Stone,
              1.2);
    }
    torch(s, 60, 120);
    return s;
}

// 6.jpg: the cell: light falling through a barred window onto the straw, the
// princess free, the door standing open.
SDL_Surface* cell() {
    seedRandom(7);
    SDL_Surface* s = roomCanvas();
    stoneBlocks(s, 0, 0, 400, 226, mix(Stone, StoneDark, 0.3), 24, 13);
    floor(s, {200, 40}, 226, rectangle(0, 226, 400, 74), {140, 128, 110});
    shape(s, rectangle(230, 40, 54, 44), {170, 210, 240});
    fillRect(s, 230, 40, 54, 18, {200, 226, 246});
    for (double x = 240; x < 284; x += 11) thickLine(s, {x, 40}, {x, 84}, 3, Iron);
    lightBeam(s, {{230, 84}, {284, 84}, {236, 300}, {140, 300}}, 120);
    // The open door on the left, the straw bed on the right.
    shape(s, arch(18, 226, 66, 80), {30, 26, 30});
    shape(s, {{84, 226}, {84, 110}, {112, 124}, {112, 244}}, Wood);
    for (double y : {140.0, 200.0}) shape(s, {{84, y}, {112, y + 10}, {112, y + 16}, {84, y + 6}}, Iron, 1);
    shape(s, {{286, 250}, {396, 250}, {386, 226}, {296, 226}}, {214, 186, 96});
    for (int i = 0; i < 40; ++i) {
        double x = 296 + random01() * 90, y = 228 + random01() * 20;
        thickLine(s, {x, y}, {x + 8 - random01() * 16, y + 3}, 1, {170, 140, 60});
    }
    princess(s, {196, 274, 1.55});
    for (Pt p : {Pt{140, 100}, Pt{262, 120}, Pt{120, 160}, Pt{280, 170}})
        fillPolygon(s, star(p.x, p.y, 6, 1.8, 4, 0), {255, 236, 140});
    return s;
}

// ---------------------------------------------------------------------------
// The title picture and the game screen's background, 800 x 600.

// introduction.jpg: sunrise over the castle on its hill, the dragon flying
// round the keep, the title and how to begin (Return or Escape).
SDL_Surface* introduction() {
    seedRandom(8);
    SDL_Surface* s = newCanvas(ScreenWidth, ScreenHeight);
    verticalGradient(s, 0, 0, 800, 600,
                     {{0, {52, 82, 150}}, {0.45, {150, 150, 190}}, {0.7, {250, 190, 140}}, {1, {250, 210, 150}}});
    for (int k = 30; k >= 1; --k) fillCircle(s, 600, 380, 40 + k * 4, {255, 226, 160, 6});
    fillCircle(s, 600, 380, 40, {255, 240, 200});
    hills(s, 450, 14, 0.01, 0.5, 6, 0.03, 1, {156, 140, 160});
    Contour hill;
    for (int x = 0; x <= 800; x += 4)
        hill.push_back({double(x), 520 - 92 * std::exp(-std::pow((x - 400) / 170.0, 2)) - 6 * std::sin(x * 0.03)});
    hill.push_back({800, 600}), hill.push_back({0, 600});
    fillPolygon(s, hill, {96, 134, 84});
    // The castle: the gatehouse of the first picture, larger, on the hill.
    for (double x : {276.0, 444.0}) {
        crenellatedWall(s, x, 372, 80, 60, Stone, 18, 10, 9, false);
    }
    tower(s, 400, 432, 76, 170, 64);
    tower(s, 276, 432, 42, 108, 46);
    tower(s, 524, 432, 42, 108, 46);
    crenellatedWall(s, 344, 346, 112, 86, StoneLight, 18, 10, 10, true);
    shape(s, arch(378, 432, 44, 30), {40, 34, 36});
    hills(s, 540, 12, 0.012, 2, 5, 0.04, 0, {70, 110, 66});
    for (int i = 0; i < 9; ++i)
        pine(s, 30 + i * 28 + random01() * 10, 560 + random01() * 30, 90 + random01() * 40, {40, 82, 56});
    for (int i = 0; i < 8; ++i)
        pine(s, 560 + i * 30 + random01() * 10, 560 + random01() * 30, 90 + random01() * 40, {40, 82, 56});
    // The dragon in flight: a dark silhouette with spread wings.
    Placement flight = {640, 250, 0.8};
    Contour body = tube(curve({-60, 10}, {0, -10}, {50, 0}, 16), 6, 22);
    fillPolygon(s, flight(body), {60, 50, 70});
    fillPolygon(s, flight(tube(curve({50, 0}, {70, -6}, {84, -20}, 10), 12, 8)), {60, 50, 70});
    fillPolygon(s, flight({{78, -24}, {100, -22}, {92, -12}, {80, -12}}), {60, 50, 70});
    fillPolygon(s, flight({{0, -6}, {-20, -70}, {10, -50}, {30, -90}, {40, -50}, {60, -60}, {30, -4}}), {76, 64, 86});
    fillPolygon(s, flight({{-60, 10}, {-74, 4}, {-70, 20}}), {60, 50, 70});

    drawText(s, 80, "Le château", 403, 85, {0, 0, 0, 90}, true);
    drawHaloText(s, 80, "Le château", 400, 80, {255, 240, 200}, {60, 40, 80, 80}, 3);
    thickLine(s, {260, 134}, {540, 134}, 1.5, {255, 230, 170, 220});
    diamond(s, 400, 134, 5, {255, 230, 170});
    drawHaloText(s, 24, "Une aventure de démonstration d'Orvalde", 400, 164, {255, 246, 226}, {40, 30, 70, 70}, 2);
    drawHaloText(s, 20, "Appuyez sur Entrée pour commencer", 400, 574, {255, 246, 226}, {20, 30, 20, 120}, 2);
    return s;
}

// ecran.jpg: the game screen. Where the game prints (description, dialogue,
// what is seen or carried) the panels are flat, since the game scrolls its
// text with the background inside them; around them, a dark blue wall with
// the title and a reminder of the commands.
SDL_Surface* screenBackground() {
    seedRandom(9);
    SDL_Surface* s = newCanvas(ScreenWidth, ScreenHeight);
    verticalGradient(s, 0, 0, 800, 600, {{0, {34, 44, 70}}, {1, {22, 28, 44}}});
    for (int i = 0; i < 400; ++i)  // a faint stone texture
        fillRect(s, random01() * 800, random01() * 600, 20 + random01() * 30, 2, {255, 255, 255, 6});
    Rgba gold = {206, 170, 96}, darkGold = {112, 82, 42};
    // The image zone is covered by each room's picture; a frame runs round it.
    const Zone& image = DefaultImageZone;
    frameRect(s, image.x, image.y, image.width + 4, image.height + 4, 4, darkGold);
    zonePanel(s, DefaultDescriptionZone, {238, 228, 202}, darkGold, gold);
    zonePanel(s, DefaultTextZone, {246, 239, 220}, darkGold, gold);       // dialogue
    zonePanel(s, DefaultInventoryZone, {242, 233, 208}, darkGold, gold);  // objects seen or carried
    // The title in the free corner, over a shield with the gate's towers.
    Contour shield = curve({564, 20}, {564, 104}, {600, 128}, 12);
    Contour other = curve({600, 128}, {636, 104}, {636, 20}, 12);
    shield.insert(shield.end(), other.begin(), other.end());
    shape(s, shield, {52, 84, 160}, 2);
    strokePolyline(s, shield, 3, gold, true);
    castleSilhouette(s, 600, 96, 0.3, gold);
    drawHaloText(s, 34, "Le château", 600, 156, {246, 226, 170}, {10, 14, 30, 120}, 2);
    for (double side : {-1.0, 1.0}) {
        thickLine(s, {600 + side * 52, 70}, {600 + side * 150, 70}, 1.5, withAlpha(gold, 200));
        diamond(s, 600 + side * 156, 70, 5, gold);
    }
    const char* help = "Tapez AIDE si vous êtes perdu.";
    const double halfWidth = textWidth(14, help) / 2.0 + 12;
    drawText(s, 14, help, 200, 330, {230, 214, 170}, true);
    for (double side : {-1.0, 1.0}) {
        thickLine(s, {200 + side * halfWidth, 330}, {200 + side * 180, 330}, 1, withAlpha(gold, 140));
        diamond(s, 200 + side * 184, 330, 3, gold);
    }
    const char* commands = "NORD SUD EST OUEST HAUT BAS · PRENDS LAISSE MANIE RANGE · INVENTAIRE · SAUVE CHARGE · FIN";
    int size = 14;
    while (size > 8 && textWidth(size, commands) > 770) --size;
    drawText(s, size, commands, 400, 582, {200, 190, 160}, true);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_chateau_pictures <project folder> <TrueType font file>\n");
        return 2;
    }
    const std::string folder = argv[1];
    openCanvas(argv[2]);
    save(gate(false), folder, "0.jpg");
    save(forestEdge(), folder, "1.jpg");
    save(courtyard(), folder, "2.jpg");
    save(prisonEntrance(false, true), folder, "3.jpg");
    save(pharmacy(), folder, "4.jpg");
    save(smallRoom(), folder, "5.jpg");
    save(cell(), folder, "6.jpg");
    save(gate(true), folder, "7.jpg");
    save(prisonEntrance(true, true), folder, "8.jpg");
    save(prisonEntrance(true, false), folder, "9.jpg");
    save(introduction(), folder, "introduction.jpg");
    save(screenBackground(), folder, "ecran.jpg");
    closeCanvas();
    return 0;
}
