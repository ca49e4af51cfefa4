// Drawing on SDL surfaces for the project's picture makers: the primitives
// and the shared motifs declared in canvas.h.
#include "tools/canvas.h"

#include <SDL_image.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string fontPath;
std::vector<std::pair<int, TTF_Font*>> openFonts;  // one font per pixel size, opened on first use
uint32_t randomState = 20240611u;

TTF_Font* fontOfSize(int size) {
    for (auto& [openSize, font] : openFonts)
        if (openSize == size) return font;
    TTF_Font* font = TTF_OpenFont(fontPath.c_str(), size);
    if (!font) fail("cannot open the font " + fontPath);
    openFonts.push_back({size, font});
    return font;
}

// Adds weight times the part of [from, to) falling in each pixel column.
void addSpan(std::vector<double>& cover, int originX, double from, double to, double weight) {
    from = std::max(from, double(originX));
    to = std::min(to, double(originX + int(cover.size())));
    for (int px = int(std::floor(from)); px < to; ++px) {
        double overlap = std::min(to, px + 1.0) - std::max(from, double(px));
        if (overlap > 0) cover[px - originX] += overlap * weight;
    }
}

}  // namespace

void fail(const std::string& what) {
    std::fprintf(stderr, "%s: %s\n", what.c_str(), SDL_GetError());
    std::exit(1);
}

void openCanvas(const std::string& fontFile) {
    fontPath = fontFile;
    if (TTF_Init() != 0) fail("cannot start the font library");
    if ((IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG) & (IMG_INIT_JPG | IMG_INIT_PNG)) != (IMG_INIT_JPG | IMG_INIT_PNG))
        fail("cannot start the picture library");
}

void closeCanvas() {
    for (auto& [size, font] : openFonts) TTF_CloseFont(font);
    openFonts.clear();
    TTF_Quit();
    IMG_Quit();
}

double random01() {
    randomState = randomState * 1664525u + 1013904223u;
    return (randomState >> 8) / double(1u << 24);
}

void seedRandom(uint32_t seed) {
    randomState = seed;
}

Rgba mix(Rgba a, Rgba b, double t) {
    auto m = [t](int u, int v) { return int(std::lround(u + (v - u) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}
Rgba withAlpha(Rgba c, int alpha) {
    return {c.r, c.g, c.b, alpha};
}

// ---------------------------------------------------------------------------
// Drawing primitives on ARGB8888 surfaces.

SDL_Surface* newCanvas(int width, int height) {
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!canvas) fail("cannot create a picture");
    SDL_FillRect(canvas, nullptr, 0);  // fully transparent
    return canvas;
}

uint32_t& pixelAt(SDL_Surface* s, int x, int y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch)[x];
}

// Lays colour c over one pixel with the given coverage (0..1). The "over"
// rule keeps straight alpha right on transparent backgrounds, so the edges of
// the PNG decorations blend cleanly onto any page.
void blendPixel(SDL_Surface* s, int x, int y, Rgba c, double coverage) {
    if (x < 0 || y < 0 || x >= s->w || y >= s->h || coverage <= 0) return;
    uint32_t& p = pixelAt(s, x, y);
    double sa = c.a / 255.0 * std::min(coverage, 1.0);
    double da = (p >> 24) / 255.0;
    double oa = sa + da * (1 - sa);
    if (oa <= 0) return;
    auto channel = [&](int source, int shift) {
        double d = (p >> shift) & 255;
        return uint32_t(std::clamp(std::lround((source * sa + d * da * (1 - sa)) / oa), 0L, 255L));
    };
    uint32_t r = channel(c.r, 16), g = channel(c.g, 8), b = channel(c.b, 0);
    p = uint32_t(std::lround(oa * 255)) << 24 | r << 16 | g << 8 | b;
}

// Fills one or more closed contours (even-odd rule, so an inner contour cuts a
// hole). Anti-aliased: four sub-rows per pixel row, exact coverage across.
void fillContours(SDL_Surface* s, const std::vector<Contour>& contours, Rgba c) {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const Contour& k : contours)
        for (Pt p : k)
            minX = std::min(minX, p.x), maxX = std::max(maxX, p.x), minY = std::min(minY, p.y),
            maxY = std::max(maxY, p.y);
    int x0 = std::max(0, int(std::floor(minX))), x1 = std::min(s->w - 1, int(std::floor(maxX)));
    int y0 = std::max(0, int(std::floor(minY))), y1 = std::min(s->h - 1, int(std::floor(maxY)));
    if (x0 > x1 || y0 > y1) return;
    std::vector<double> cover(x1 - x0 + 1), crossings;
    for (int py = y0; py <= y1; ++py) {
        std::fill(cover.begin(), cover.end(), 0.0);
        for (int sub = 0; sub < 4; ++sub) {
            double sy = py + (sub + 0.5) / 4;
            crossings.clear();
            for (const Contour& k : contours)
                for (size_t i = 0; i < k.size(); ++i) {
                    Pt a = k[i], b = k[(i + 1) % k.size()];
                    if ((a.y <= sy) != (b.y <= sy)) crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
                }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2)
                addSpan(cover, x0, crossings[i], crossings[i + 1], 0.25);
        }
        for (int px = x0; px <= x1; ++px) blendPixel(s, px, py, c, cover[px - x0]);
    }
}
void fillPolygon(SDL_Surface* s, const Contour& k, Rgba c) {
    fillContours(s, {k}, c);
}

Contour ellipse(double cx, double cy, double rx, double ry) {
    Contour k;
    int steps = std::max(24, int(std::max(rx, ry) * 2));
    for (int i = 0; i < steps; ++i)
        k.push_back({cx + rx * std::cos(2 * Pi * i / steps), cy + ry * std::sin(2 * Pi * i / steps)});
    return k;
}
Contour rectangle(double x, double y, double w, double h) {
    return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
}

void fillCircle(SDL_Surface* s, double cx, double cy, double r, Rgba c) {
    fillPolygon(s, ellipse(cx, cy, r, r), c);
}
void fillRing(SDL_Surface* s, double cx, double cy, double outer, double inner, Rgba c) {
    fillContours(s, {ellipse(cx, cy, outer, outer), ellipse(cx, cy, inner, inner)}, c);
}
void fillRect(SDL_Surface* s, double x, double y, double w, double h, Rgba c) {
    fillPolygon(s, rectangle(x, y, w, h), c);
}
// A frame of the given thickness just inside the rectangle.
void frameRect(SDL_Surface* s, double x, double y, double w, double h, double t, Rgba c) {
    fillContours(s, {rectangle(x, y, w, h), rectangle(x + t, y + t, w - 2 * t, h - 2 * t)}, c);
}

void frameZone(SDL_Surface* s, const Zone& zone, Rgba frame, Rgba inner) {
    frameRect(s, zone.x, zone.y, zone.width, zone.height, 2, frame);
    frameRect(s, zone.x + 1, zone.y + 1, zone.width - 2, zone.height - 2, 1, inner);
}

void zonePanel(SDL_Surface* s, const Zone& zone, Rgba fill, Rgba frame, Rgba inner) {
    fillRect(s, zone.x, zone.y, zone.width, zone.height, fill);
    frameZone(s, zone, frame, inner);
}

// A straight stroke with round ends.
void thickLine(SDL_Surface* s, Pt a, Pt b, double width, Rgba c) {
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    if (len > 0) {
        double nx = -dy / len * width / 2, ny = dx / len * width / 2;
        fillPolygon(s, {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}}, c);
    }
    if (width >= 2) fillCircle(s, a.x, a.y, width / 2, c), fillCircle(s, b.x, b.y, width / 2, c);
}
void strokePolyline(SDL_Surface* s, const Contour& k, double width, Rgba c, bool closed) {
    for (size_t i = 0; i + 1 < k.size(); ++i) thickLine(s, k[i], k[i + 1], width, c);
    if (closed && k.size() > 2) thickLine(s, k.back(), k.front(), width, c);
}

Pt bezier(Pt a, Pt control, Pt b, double t) {
    double u = 1 - t;
    return {u * u * a.x + 2 * u * t * control.x + t * t * b.x, u * u * a.y + 2 * u * t * control.y + t * t * b.y};
}

// Vertical gradient through colour stops given as (position 0..1, colour).
void verticalGradient(SDL_Surface* s, int x, int y, int w, int h, const std::vector<std::pair<double, Rgba>>& stops) {
    for (int row = 0; row < h; ++row) {
        double t = h > 1 ? double(row) / (h - 1) : 0;
        Rgba c = stops.back().second;
        for (size_t i = 0; i + 1 < stops.size(); ++i)
            if (t <= stops[i + 1].first) {
                double span = stops[i + 1].first - stops[i].first;
                c = mix(stops[i].second, stops[i + 1].second, span > 0 ? (t - stops[i].first) / span : 0);
                break;
            }
        for (int col = 0; col < w; ++col) blendPixel(s, x + col, y + row, c, 1);
    }
}

// An n-pointed star around (cx, cy), its first point turned by turn radians.
Contour star(double cx, double cy, double outer, double inner, int points, double turn) {
    Contour k;
    for (int i = 0; i < 2 * points; ++i) {
        double r = i % 2 ? inner : outer, angle = turn + Pi * i / points;
        k.push_back({cx + r * std::sin(angle), cy - r * std::cos(angle)});
    }
    return k;
}

// ---------------------------------------------------------------------------
// Text with the given font.

int textWidth(int size, const char* text) {
    int w = 0, h = 0;
    TTF_SizeUTF8(fontOfSize(size), text, &w, &h);
    return w;
}

// Draws text with its vertical centre at y; x is the left edge, or the centre
// when centred is set.
void drawText(SDL_Surface* s, int size, const char* text, double x, double y, Rgba c, bool centred) {
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(fontOfSize(size), text, SDL_Color{255, 255, 255, 255});
    if (!rendered) fail("cannot draw a text");
    SDL_Surface* glyphs = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(rendered);
    if (!glyphs) fail("cannot convert a text");
    int left = int(std::lround(centred ? x - glyphs->w / 2.0 : x)), top = int(std::lround(y - glyphs->h / 2.0));
    for (int row = 0; row < glyphs->h; ++row)
        for (int col = 0; col < glyphs->w; ++col)
            blendPixel(s, left + col, top + row, c, (pixelAt(glyphs, col, row) >> 24) / 255.0);
    SDL_FreeSurface(glyphs);
}

// Text with a soft dark halo, legible over any part of a picture.
void drawHaloText(SDL_Surface* s, int size, const char* text, double x, double y, Rgba c, Rgba halo, int radius) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if ((dx || dy) && dx * dx + dy * dy <= radius * radius + 1)
                drawText(s, size, text, x + dx, y + dy, halo, true);
    drawText(s, size, text, x, y, c, true);
}

void save(SDL_Surface* s, const std::string& folder, const char* name) {
    std::string path = folder + "/" + name;
    bool jpeg = path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
    if ((jpeg ? IMG_SaveJPG(s, path.c_str(), 92) : IMG_SavePNG(s, path.c_str())) != 0) fail("cannot write " + path);
    SDL_FreeSurface(s);
}

// ---------------------------------------------------------------------------
// Shared motifs.

// A castle in one colour: two towers with pointed roofs, a wall and a keep,
// standing on baseY, scaled from a 200-unit-wide design.
void castleSilhouette(SDL_Surface* s, double cx, double baseY, double scale, Rgba c) {
    auto box = [&](double x0, double y0, double x1, double y1) {
        fillRect(s, cx + x0 * scale, baseY - y1 * scale, (x1 - x0) * scale, (y1 - y0) * scale, c);
    };
    auto merlons = [&](double x0, double x1, double top) {
        for (double x = x0; x + 6 <= x1 + 0.1; x += 12) box(x, top, x + 6, top + 8);
    };
    box(-60, 0, 60, 50), merlons(-60, 60, 50);    // curtain wall
    box(-22, 0, 22, 100), merlons(-22, 22, 100);  // keep
    box(-90, 0, -55, 88), box(55, 0, 90, 88);     // towers
    for (double side : {-72.5, 72.5})
        fillPolygon(s,
                    {{cx + (side - 22) * scale, baseY - 86 * scale},
                     {cx + (side + 22) * scale, baseY - 86 * scale},
                     {cx + side * scale, baseY - 130 * scale}},
                    c);
    thickLine(s, {cx, baseY - 108 * scale}, {cx, baseY - 140 * scale}, std::max(1.0, 2.5 * scale), c);
    fillPolygon(s, {{cx, baseY - 140 * scale}, {cx + 22 * scale, baseY - 133 * scale}, {cx, baseY - 126 * scale}}, c);
}

void diamond(SDL_Surface* s, double cx, double cy, double r, Rgba c) {
    fillPolygon(s, {{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}}, c);
}

// A wavy hill line across the picture, filled down to its bottom.
void hills(SDL_Surface* s, double base, double a1, double f1, double p1, double a2, double f2, double p2, Rgba c) {
    Contour k;
    for (int x = 0; x <= s->w; x += 4)
        k.push_back({double(x), base - a1 * std::sin(x * f1 + p1) - a2 * std::sin(x * f2 + p2)});
    k.push_back({double(s->w), double(s->h)}), k.push_back({0, double(s->h)});
    fillPolygon(s, k, c);
}

Contour curve(Pt a, Pt control, Pt b, int steps) {
    Contour k;
    for (int i = 0; i <= steps; ++i) k.push_back(bezier(a, control, b, double(i) / steps));
    return k;
}
