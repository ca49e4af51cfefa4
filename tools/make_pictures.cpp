// make_pictures: draws Orvalde's own interface pictures at build time.
//
//     make_pictures <Images folder> <TrueType font file> [icon folder]
//
// Writes introduction.jpg, ecran.jpg, deco1.png, deco2.png, deco3.png,
// nseo.png, suppr.png and supprSel.png into the folder, and the desktop icon
// orvalde.png into the icon folder when one is given. Everything is drawn
// here from simple shapes (anti-aliased polygons, circles, thick lines) and
// the given font, so the pictures are the project's own and the same at
// every build.
#include <cmath>
#include <cstdio>
#include <string>

#include "tools/canvas.h"

namespace {

// The vane of a quill along the curve nib-bend-tip, from `start` (0..1) of the
// curve to its tip: it widens then narrows, `wide` pixels on one side and
// `narrow` on the other at its widest. `left` gets the wide side's edge.
Contour quillVane(Pt nib, Pt bend, Pt tip, double start, int samples, double wide, double narrow, Contour& left) {
    Contour right;
    for (int i = 0; i <= samples; ++i) {
        double t = start + (1 - start) * i / samples;
        Pt p = bezier(nib, bend, tip, t), q = bezier(nib, bend, tip, std::min(1.0, t + 0.01));
        double len = std::hypot(q.x - p.x, q.y - p.y) + 1e-9, nx = -(q.y - p.y) / len, ny = (q.x - p.x) / len;
        double w = std::pow(std::sin(Pi * (t - start) / (1 - start)), 0.6);
        left.push_back({p.x + nx * wide * w, p.y + ny * wide * w});
        right.insert(right.begin(), {p.x - nx * narrow * w, p.y - ny * narrow * w});
    }
    Contour vane = left;
    vane.insert(vane.end(), right.begin(), right.end());
    return vane;
}

// The pointed roof of a tower from x, `width` wide: a cone from the base line
// to the tip above the middle, overhanging by 6 pixels on each side, its
// right side in shade, outlined.
void coneRoof(SDL_Surface* s, double x, double width, double base, double tip, Rgba roof, Rgba shade, Rgba line,
              double lineWidth) {
    const double middle = x + width / 2;
    const Contour cone = {{x - 6, base}, {x + width + 6, base}, {middle, tip}};
    fillPolygon(s, cone, roof);
    fillPolygon(s, {{middle, tip}, {x + width + 6, base}, {middle + 8, base}}, shade);
    strokePolyline(s, cone, lineWidth, line, true);
}

// ---------------------------------------------------------------------------
// introduction.jpg: dusk over a castle, the program's name and the way on.
SDL_Surface* introduction() {
    SDL_Surface* s = newCanvas(ScreenWidth, ScreenHeight);
    verticalGradient(s, 0, 0, 800, 600,
                     {{0, {14, 18, 48}},
                      {0.38, {56, 50, 108}},
                      {0.62, {186, 112, 116}},
                      {0.74, {242, 180, 122}},
                      {1, {242, 180, 122}}});
    for (int i = 0; i < 150; ++i) {
        double x = random01() * 800, y = random01() * random01() * 340, shine = 0.35 + 0.65 * random01();
        fillCircle(s, x, y, random01() < 0.1 ? 1.5 : 0.9, {255, 248, 230, int(255 * shine * (1 - y / 380))});
    }
    for (int k = 24; k >= 1; --k) fillCircle(s, 690, 92, 30 + k * 2.5, {255, 236, 200, 5});
    fillCircle(s, 690, 92, 30, {250, 242, 222});
    fillCircle(s, 680, 84, 6, {232, 222, 200}), fillCircle(s, 699, 101, 4, {232, 222, 200});

    hills(s, 425, 22, 0.011, 0.7, 12, 0.029, 2.1, {126, 86, 124});
    Contour middle;
    for (int x = 0; x <= 800; x += 4)
        middle.push_back({double(x), 478 - 62 * std::exp(-std::pow((x - 560) / 130.0, 2)) - 9 * std::sin(x * 0.02)});
    middle.push_back({800, 600}), middle.push_back({0, 600});
    Rgba hill = {70, 46, 84};
    fillPolygon(s, middle, hill);
    castleSilhouette(s, 560, 422, 0.82, hill);
    fillRect(s, 486, 421, 148, 30, hill);  // the rock the castle stands on
    for (Pt w : {Pt{548, 375}, Pt{567, 375}, Pt{504, 392}, Pt{616, 392}, Pt{557, 398}})
        fillRect(s, w.x, w.y, 4, 7, {255, 206, 120});
    hills(s, 532, 24, 0.008, 1.0, 11, 0.031, 0.0, {30, 22, 44});
    for (int i = 0; i < 14; ++i) {  // pines on the near hills
        double x = 20 + i * 57 + random01() * 25, h = 26 + random01() * 22, ground = 540 - 24 * std::sin(x * 0.008 + 1);
        fillPolygon(s, {{x - h * 0.28, ground}, {x + h * 0.28, ground}, {x, ground - h}}, {24, 18, 36});
    }

    drawText(s, 112, "Orvalde", 403, 153, {0, 0, 0, 110}, true);
    drawHaloText(s, 112, "Orvalde", 400, 148, {252, 238, 204}, {40, 28, 70, 70}, 3);
    thickLine(s, {250, 214}, {550, 214}, 1.5, {236, 200, 140, 200});
    diamond(s, 400, 214, 5, {236, 200, 140});
    drawHaloText(s, 26, "Créez et jouez vos aventures illustrées", 400, 246, {250, 236, 212}, {30, 22, 60, 60}, 2);
    drawText(s, 18, "Cliquez ou appuyez sur Entrée", 400, 572, {236, 224, 200}, true);
    return s;
}

// ---------------------------------------------------------------------------
// ecran.jpg: the game screen. The zones where the game prints black text are
// flat light panels (flat, because the game scrolls text with its background
// inside them) framed within their 2-pixel margin; the rest is a calm backdrop.
SDL_Surface* screenBackground() {
    SDL_Surface* s = newCanvas(ScreenWidth, ScreenHeight);
    verticalGradient(s, 0, 0, 800, 600, {{0, {46, 52, 68}}, {1, {26, 29, 40}}});
    for (int d = -600; d < 800; d += 28) {  // faint lattice
        thickLine(s, {double(d), 0}, {d + 600.0, 600}, 1, {255, 255, 255, 9});
        thickLine(s, {d + 600.0, 0}, {double(d), 600}, 1, {255, 255, 255, 9});
    }
    Rgba gold = {198, 162, 92}, darkGold = {112, 82, 42};
    // Image zone: shown only when the room has no picture; a pale landscape.
    verticalGradient(s, 0, 0, 400, 300, {{0, {222, 226, 226}}, {1, {240, 232, 212}}});
    Contour far, near;
    for (int x = 0; x <= 400; x += 4) {
        far.push_back({double(x), 205 - 24 * std::sin(x * 0.018 + 0.4) - 10 * std::sin(x * 0.05)});
        near.push_back({double(x), 245 - 16 * std::sin(x * 0.012 + 2.2) - 6 * std::sin(x * 0.04 + 1)});
    }
    far.push_back({400, 300}), far.push_back({0, 300}), near.push_back({400, 300}), near.push_back({0, 300});
    fillPolygon(s, far, {206, 210, 200});
    castleSilhouette(s, 285, 212, 0.45, {206, 210, 200});
    fillRect(s, 244, 211, 82, 30, {206, 210, 200});
    fillPolygon(s, near, {214, 212, 192});
    frameZone(s, DefaultImageZone, darkGold, gold);

    zonePanel(s, DefaultDescriptionZone, {236, 225, 198}, darkGold, gold);
    zonePanel(s, DefaultTextZone, {244, 237, 218}, darkGold, gold);
    zonePanel(s, DefaultInventoryZone, {240, 231, 206}, darkGold, gold);

    // Emblem in the free corner: a medallion with a castle.
    fillCircle(s, 600, 94, 66, {22, 26, 38});
    fillRing(s, 600, 94, 66, 61, gold);
    fillRing(s, 600, 94, 57, 55, withAlpha(gold, 150));
    castleSilhouette(s, 600, 124, 0.42, gold);
    thickLine(s, {562, 124}, {638, 124}, 2, gold);
    for (double side : {-1.0, 1.0}) {
        thickLine(s, {600 + side * 76, 94}, {600 + side * 170, 94}, 1.5, withAlpha(gold, 200));
        diamond(s, 600 + side * 176, 94, 5, gold);
    }
    // Rules between the zones and along the bottom.
    thickLine(s, {24, 332}, {470, 332}, 1.5, withAlpha(gold, 170));
    diamond(s, 247, 332, 5, gold);
    thickLine(s, {30, 582}, {770, 582}, 1.5, withAlpha(gold, 170));
    for (double x : {30.0, 400.0, 770.0}) diamond(s, x, 582, 5, gold);
    return s;
}

// ---------------------------------------------------------------------------
// deco1.png: a scroll being written with a quill, and an ink pot.
SDL_Surface* quillAndScroll() {
    SDL_Surface* s = newCanvas(200, 160);
    Rgba ink = {92, 62, 40}, edge = {118, 84, 48};
    fillRect(s, 22, 22, 116, 118, {246, 234, 204});
    frameRect(s, 22, 22, 116, 118, 1.5, edge);
    for (double y : {22.0, 140.0}) {  // the two rolls
        fillPolygon(s, {{16, y - 8}, {144, y - 8}, {144, y + 8}, {16, y + 8}}, {222, 198, 150});
        fillRect(s, 16, y - 8, 128, 4, {236, 218, 180});
        frameRect(s, 16, y - 8, 128, 16, 1.5, edge);
        fillPolygon(s, ellipse(16, y, 4, 8), {200, 172, 120}), fillPolygon(s, ellipse(144, y, 4, 8), {200, 172, 120});
    }
    for (int line = 0; line < 7; ++line) {  // handwriting
        double y = 44 + line * 12, end = line == 6 ? 84 : 118 + random01() * 10;
        Contour scribble;
        for (double x = 34; x <= end; x += 2)
            scribble.push_back({x, y + 1.6 * std::sin(x * 0.9 + line) * (random01() * 0.6 + 0.4)});
        strokePolyline(s, scribble, 1.2, withAlpha(ink, 200), false);
    }
    // Ink pot.
    fillPolygon(s, {{152, 150}, {192, 150}, {188, 124}, {156, 124}}, {40, 44, 70});
    fillRect(s, 164, 114, 16, 11, {52, 56, 84});
    fillRect(s, 162, 112, 20, 4, {70, 74, 104});
    thickLine(s, {160, 130}, {158, 146}, 2.5, {110, 120, 160});
    // Quill: a curved shaft with a vane that widens then narrows.
    Pt nib = {96, 124}, bend = {150, 86}, tip = {194, 10};
    Contour left;
    const Contour vane = quillVane(nib, bend, tip, 0.22, 40, 15, 9, left);
    fillPolygon(s, vane, {252, 250, 244});
    for (int i = 2; i < 40; i += 3)
        thickLine(s, left[i], bezier(nib, bend, tip, 0.22 + 0.78 * (i - 1) / 40.0), 0.8, {196, 190, 180});
    strokePolyline(s, vane, 1.2, {150, 140, 128}, true);
    Contour shaft;
    for (int i = 0; i <= 30; ++i) shaft.push_back(bezier(nib, bend, tip, 0.06 + 0.94 * i / 30.0));
    strokePolyline(s, shaft, 2, {176, 150, 112}, false);
    thickLine(s, bezier(nib, bend, tip, 0.0), bezier(nib, bend, tip, 0.08), 3, {48, 40, 34});
    return s;
}

// deco2.png: a small castle on a green mound. Its top rows stay clear, since
// the room and object pages draw it just over the lower edge of their text box.
SDL_Surface* smallCastle() {
    SDL_Surface* s = newCanvas(220, 240);
    Rgba stone = {184, 178, 164}, shade = {156, 150, 138}, line = {72, 64, 58}, roof = {172, 54, 46};
    fillPolygon(s, ellipse(110, 222, 106, 20), {98, 142, 72});
    fillPolygon(s, ellipse(110, 218, 96, 12), {120, 164, 86});
    auto block = [&](double x, double y, double w, double h, Rgba fill) {
        fillRect(s, x, y, w, h, fill);
        for (double row = y + 12; row < y + h - 2; row += 12)  // mortar courses
            thickLine(s, {x + 2, row}, {x + w - 2, row}, 0.8, withAlpha(line, 60));
        frameRect(s, x, y, w, h, 1.6, line);
    };
    auto crenels = [&](double x, double w, double top, Rgba fill) {
        for (double m = x; m + 8 <= x + w + 0.1; m += 14) block(m, top - 9, 8, 10, fill);
    };
    block(60, 130, 100, 88, shade), crenels(62, 96, 131, shade);  // wall
    block(84, 72, 52, 146, stone), crenels(84, 52, 73, stone);    // keep
    for (double x : {22.0, 158.0}) {
        block(x, 96, 40, 122, stone);
        coneRoof(s, x, 40, 98, 42, roof, {140, 40, 36}, line, 1.6);
        fillPolygon(s, {{x + 17, 130}, {x + 23, 130}, {x + 23, 150}, {x + 17, 150}}, {52, 46, 52});
        fillCircle(s, x + 20, 130, 3, {52, 46, 52});
    }
    thickLine(s, {110, 72}, {110, 34}, 2, line);
    fillPolygon(s, {{111, 34}, {138, 41}, {111, 48}}, {60, 96, 170});
    for (double x : {96.0, 118.0}) fillRect(s, x, 100, 6, 14, {52, 46, 52});
    // Gate with its arch and portcullis.
    Contour gate = {{96, 218}, {96, 190}};
    for (int i = 0; i <= 12; ++i) gate.push_back({110 - 14 * std::cos(Pi * i / 12), 190 - 14 * std::sin(Pi * i / 12)});
    gate.push_back({124, 218});
    fillPolygon(s, gate, {96, 64, 40});
    for (double x : {101.0, 106.0, 111.0, 116.0, 121.0}) thickLine(s, {x, 180}, {x, 218}, 1, {40, 32, 28});
    strokePolyline(s, gate, 1.6, line, false);
    return s;
}

// deco3.png: an open book with letters rising from it.
SDL_Surface* bookOfLetters() {
    SDL_Surface* s = newCanvas(190, 200);
    Rgba paper = {250, 244, 228}, edge = {140, 118, 86};
    fillPolygon(s, {{4, 118}, {95, 134}, {186, 118}, {186, 192}, {95, 198}, {4, 192}}, {122, 42, 38});
    auto page = [&](double side) {  // side -1 left page, +1 right page
        Contour k;
        for (int i = 0; i <= 20; ++i)
            k.push_back(bezier({95, 130}, {95 + side * 40, 100}, {95 + side * 86, 112}, i / 20.0));
        for (int i = 0; i <= 20; ++i)
            k.push_back(bezier({95 + side * 86, 184}, {95 + side * 40, 172}, {95, 190}, i / 20.0));
        fillPolygon(s, k, paper);
        strokePolyline(s, k, 1.2, edge, true);
        for (int row = 0; row < 5; ++row) {
            double from = row == 0 && side < 0 ? 38 : 14, to = 76 - (row == 4 ? 30 : 0);
            Pt a = {95 + side * from, 0}, b = {95 + side * to, 0};
            a.y = 132 + row * 11 - 14 * std::sin(Pi * from / 86), b.y = 132 + row * 11 - 14 * std::sin(Pi * to / 86);
            thickLine(s, a, b, 1.4, {150, 140, 128});
        }
    };
    page(-1), page(1);
    drawText(s, 22, "A", 68, 128, {176, 40, 36}, true);
    struct Letter {
        const char* text;
        double x, y;
        int size;
        Rgba colour;
    };
    for (Letter l : {Letter{"a", 52, 86, 26, {176, 40, 36}}, Letter{"B", 90, 56, 34, {46, 78, 150}},
                     Letter{"é", 134, 80, 28, {40, 120, 70}}, Letter{"Z", 150, 30, 24, {150, 96, 24}},
                     Letter{"r", 40, 36, 22, {110, 60, 140}}})
        drawHaloText(s, l.size, l.text, l.x, l.y, l.colour, {255, 250, 235, 200}, 2);
    for (Pt p : {Pt{116, 24}, Pt{24, 70}, Pt{170, 64}, Pt{76, 22}})
        fillPolygon(s, star(p.x, p.y, 6, 1.8, 4, 0), {255, 226, 120});
    return s;
}

// ---------------------------------------------------------------------------
// nseo.png: the compass of the movements page, drawn there at (350, 100).
// Each arrow points from the compass centre at the value cell of its
// direction; the cells stay uncovered so that their numbers remain visible.
const int CompassLeft = 350, CompassTop = 100, CompassWidth = 390, CompassHeight = 420;
const Pt CompassCentre = {545, 330};        // page coordinates
const int CellWidth = 30, CellHeight = 20;  // a value cell: the text "000" in the 16-pixel interface font
struct CompassArrow {
    const char* label;
    int cellX, cellY;
};
const CompassArrow compassArrows[6] = {{"Nord", 750, 460},  {"Sud", 330, 280}, {"Est", 330, 460},
                                       {"Ouest", 750, 280}, {"Haut", 530, 70}, {"Bas", 530, 520}};

// Distance along the ray from the centre, in direction (dx, dy), at which it
// enters the rectangle grown by margin (a large value when it misses it).
double rayEntersRect(double dx, double dy, double x, double y, double w, double h, double margin) {
    double tNear = 0, tFar = 1e9;
    double origin[2] = {CompassCentre.x, CompassCentre.y}, dir[2] = {dx, dy}, low[2] = {x - margin, y - margin},
           high[2] = {x + w + margin, y + h + margin};
    for (int axis = 0; axis < 2; ++axis) {
        if (std::fabs(dir[axis]) < 1e-9) {
            if (origin[axis] < low[axis] || origin[axis] > high[axis]) return 1e9;
            continue;
        }
        double t0 = (low[axis] - origin[axis]) / dir[axis], t1 = (high[axis] - origin[axis]) / dir[axis];
        tNear = std::max(tNear, std::min(t0, t1)), tFar = std::min(tFar, std::max(t0, t1));
    }
    return tNear <= tFar ? tNear : 1e9;
}
// Distance along the ray at which it leaves the picture shrunk by margin.
double rayLeavesPicture(double dx, double dy, double margin) {
    double t = 1e9;
    if (dx > 0) t = std::min(t, (CompassLeft + CompassWidth - margin - CompassCentre.x) / dx);
    if (dx < 0) t = std::min(t, (CompassLeft + margin - CompassCentre.x) / dx);
    if (dy > 0) t = std::min(t, (CompassTop + CompassHeight - margin - CompassCentre.y) / dy);
    if (dy < 0) t = std::min(t, (CompassTop + margin - CompassCentre.y) / dy);
    return t;
}

SDL_Surface* compass() {
    SDL_Surface* s = newCanvas(CompassWidth, CompassHeight);
    const Pt c = {CompassCentre.x - CompassLeft, CompassCentre.y - CompassTop};
    Rgba brown = {58, 38, 24}, red = {150, 32, 30}, plate = {246, 236, 212};
    struct Placed {
        Pt tip, label;
    } placed[6];
    for (int i = 0; i < 6; ++i) {
        const CompassArrow& a = compassArrows[i];
        double dx = a.cellX + CellWidth / 2.0 - CompassCentre.x, dy = a.cellY + CellHeight / 2.0 - CompassCentre.y;
        double len = std::hypot(dx, dy);
        dx /= len, dy /= len;
        double reach =
            std::min(rayEntersRect(dx, dy, a.cellX, a.cellY, CellWidth, CellHeight, 8), rayLeavesPicture(dx, dy, 4));
        placed[i].tip = {c.x + dx * reach, c.y + dy * reach};
        double labelAt = 52 + (reach - 52) * 0.5;
        placed[i].label = {c.x + dx * labelAt, c.y + dy * labelAt};
    }
    for (int i = 0; i < 6; ++i) {  // shafts and heads, light edged to stand out on the grey page
        Pt tip = placed[i].tip;
        double dx = tip.x - c.x, dy = tip.y - c.y, len = std::hypot(dx, dy);
        dx /= len, dy /= len;
        Pt back = {tip.x - dx * 24, tip.y - dy * 24};
        Contour head = {tip, {back.x - dy * 11, back.y + dx * 11}, {back.x + dy * 11, back.y - dx * 11}};
        thickLine(s, c, back, 8, withAlpha(plate, 170));
        strokePolyline(s, head, 3, withAlpha(plate, 170), true);
        thickLine(s, c, back, 5, brown);
        fillPolygon(s, head, red);
        strokePolyline(s, head, 1.2, brown, true);
    }
    // The medallion at the centre.
    fillCircle(s, c.x, c.y, 48, {196, 160, 90});
    fillRing(s, c.x, c.y, 48, 45, brown);
    fillCircle(s, c.x, c.y, 40, plate);
    fillPolygon(s, star(c.x, c.y, 36, 10, 8, Pi / 8), {214, 184, 120});
    fillPolygon(s, star(c.x, c.y, 36, 12, 4, 0), brown);
    fillPolygon(s, star(c.x, c.y, 28, 6, 4, 0), {214, 184, 120});
    fillCircle(s, c.x, c.y, 5, red);
    for (int i = 0; i < 6; ++i) {  // labels on small plates across the shafts
        Pt p = placed[i].label;
        double w = textWidth(15, compassArrows[i].label) + 14;
        fillPolygon(s, rectangle(p.x - w / 2, p.y - 11, w, 22), plate);
        frameRect(s, p.x - w / 2, p.y - 11, w, 22, 1.5, brown);
        drawText(s, 15, compassArrows[i].label, p.x, p.y, brown, true);
    }
    // Whatever reaches the value cells is wiped, so the page shows them whole.
    for (const CompassArrow& a : compassArrows)
        for (int y = a.cellY - CompassTop; y < a.cellY - CompassTop + CellHeight; ++y)
            for (int x = a.cellX - CompassLeft; x < a.cellX - CompassLeft + CellWidth; ++x)
                if (x >= 0 && y >= 0 && x < s->w && y < s->h) pixelAt(s, x, y) = 0;
    return s;
}

// ---------------------------------------------------------------------------
// suppr.png and supprSel.png: the delete cross of the event pages, quiet grey
// outline when the list does not have the focus, filled red when it does.
SDL_Surface* deleteIcon(bool selected) {
    SDL_Surface* s = newCanvas(20, 20);
    Rgba cross = selected ? Rgba{255, 255, 255} : Rgba{64, 64, 64};
    if (selected) {
        fillCircle(s, 10, 10, 9.5, {120, 16, 16});
        fillCircle(s, 10, 10, 8.3, {214, 34, 30});
    } else {
        fillRing(s, 10, 10, 9.3, 7.8, {64, 64, 64});
    }
    thickLine(s, {6.3, 6.3}, {13.7, 13.7}, 2.4, cross);
    thickLine(s, {13.7, 6.3}, {6.3, 13.7}, 2.4, cross);
    return s;
}

// orvalde.png: the program's icon for the desktop, 256 x 256: a castle with
// red roofs on a blue shield rimmed with gold, a quill across its corner.
SDL_Surface* icon() {
    SDL_Surface* s = newCanvas(256, 256);
    Contour shield;
    for (int i = 0; i <= 20; ++i) shield.push_back(bezier({26, 40}, {30, 190}, {128, 244}, i / 20.0));
    for (int i = 0; i <= 20; ++i) shield.push_back(bezier({128, 244}, {226, 190}, {230, 40}, i / 20.0));
    shield.push_back({128, 22});
    Rgba gold = {214, 174, 92}, darkGold = {120, 84, 36}, line = {52, 40, 44};
    fillPolygon(s, shield, darkGold);
    Contour inner;
    for (Pt p : shield) inner.push_back({128 + (p.x - 128) * 0.9, 132 + (p.y - 132) * 0.9});
    fillPolygon(s, shield, gold);
    fillPolygon(s, inner, {36, 58, 120});
    Contour innerLight;
    for (Pt p : inner) innerLight.push_back({128 + (p.x - 128) * 0.94, 120 + (p.y - 132) * 0.86});
    fillPolygon(s, innerLight, {46, 74, 148});
    strokePolyline(s, shield, 3, line, true);
    // The castle: two towers with cones, a wall and a keep with a flag.
    Rgba stone = {232, 226, 212}, shade = {196, 188, 172}, roof = {200, 56, 46};
    fillPolygon(s, ellipse(128, 196, 78, 14), {86, 142, 70});
    auto block = [&](double x, double y, double w, double h, Rgba fill) {
        fillRect(s, x, y, w, h, fill);
        frameRect(s, x, y, w, h, 2, line);
    };
    block(78, 128, 100, 66, shade);
    for (double m = 80; m + 10 <= 178; m += 17) block(m, 118, 10, 12, shade);
    block(104, 86, 48, 108, stone);
    for (double m = 104; m + 10 <= 153; m += 19) block(m, 76, 10, 12, stone);
    for (double x : {56.0, 164.0}) {
        block(x, 110, 36, 84, stone);
        coneRoof(s, x, 36, 112, 58, roof, {158, 40, 36}, line, 2);
        fillRect(s, x + 14, 130, 8, 16, {52, 46, 60});
    }
    thickLine(s, {128, 78}, {128, 40}, 3, line);
    fillPolygon(s, {{130, 40}, {160, 48}, {130, 56}}, gold);
    Contour gate = {{116, 194}, {116, 168}};
    for (int i = 0; i <= 12; ++i) gate.push_back({128 - 12 * std::cos(Pi * i / 12), 168 - 12 * std::sin(Pi * i / 12)});
    gate.push_back({140, 194});
    fillPolygon(s, gate, {92, 60, 38});
    strokePolyline(s, gate, 2, line, false);
    // The quill, from the lower right corner up across the shield's edge.
    Pt nib = {150, 236}, bend = {200, 200}, tip = {246, 120};
    Contour left;
    const Contour vane = quillVane(nib, bend, tip, 0.2, 30, 14, 8, left);
    fillPolygon(s, vane, {252, 250, 244});
    strokePolyline(s, vane, 2, {120, 110, 100}, true);
    strokePolyline(s, curve(nib, bend, tip, 20), 2.5, {176, 150, 112}, false);
    thickLine(s, nib, bezier(nib, bend, tip, 0.08), 4, {40, 34, 30});
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: make_pictures <Images folder> <TrueType font file> [icon folder]\n");
        return 2;
    }
    std::string folder = argv[1];
    openCanvas(argv[2]);
    save(introduction(), folder, "introduction.jpg");
    save(screenBackground(), folder, "ecran.jpg");
    save(quillAndScroll(), folder, "deco1.png");
    save(smallCastle(), folder, "deco2.png");
    save(bookOfLetters(), folder, "deco3.png");
    save(compass(), folder, "nseo.png");
    save(deleteIcon(false), folder, "suppr.png");
    save(deleteIcon(true), folder, "supprSel.png");
    if (argc == 4) save(icon(), argv[3], "orvalde.png");
    closeCanvas();
    return 0;
}
