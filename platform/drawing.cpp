// Drawing into images and the window's surface, pictures and fonts, on SDL2
// surfaces with SDL2_image and SDL2_ttf. Shared by both window
// implementations, so that the headless runner draws exactly what the window
// shows.
#include <SDL_image.h>
#include <SDL_ttf.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "platform/platform_internal.h"

namespace {

constexpr const char* DefaultFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int DefaultFontPixels = 14;

HandleTable<SDL_Surface> images;
HandleTable<TTF_Font> fonts;
TTF_Font* defaultFont = nullptr;

struct DrawingTarget {
    ImageHandle image = 0;
    SDL_Surface* surface = nullptr;
    Colour front = rgb(255, 255, 255);
    Colour back = rgb(0, 0, 0);
    DrawMode mode = DrawMode::OpaqueText;
    TTF_Font* font = nullptr;
};
DrawingTarget target;

// Rendered texts are kept, since pages draw the same labels at every redraw.
struct RenderedKey {
    TTF_Font* font;
    Colour colour;
    std::u16string text;
    bool operator==(const RenderedKey& other) const {
        return font == other.font && colour == other.colour && text == other.text;
    }
};
struct RenderedKeyHash {
    size_t operator()(const RenderedKey& key) const {
        return std::hash<std::u16string>()(key.text) ^ (std::hash<void*>()(key.font) * 31) ^
               static_cast<size_t>(key.colour);
    }
};
// A rendered text, and the same text already blended onto a ground of one
// colour: most texts are drawn again and again onto the same plain box or
// page, where copying the blended rows costs a fraction of blending them.
struct RenderedText {
    SDL_Surface* alpha = nullptr;
    SDL_Surface* onGround = nullptr;
    Uint32 ground = 0;
    bool drawnOnce = false;  // the blended copy is made when a text comes back
};
std::unordered_map<RenderedKey, RenderedText, RenderedKeyHash> renderedTexts;
constexpr size_t RenderedTextLimit = 2048;
// The pixels all kept texts may hold together, blended copies included.
constexpr int64_t RenderedBytesLimit = int64_t{24} << 20;
int64_t renderedBytes = 0;

// Widths measured, since wrapping and cutting measure the same runs of text
// at every redraw and the font library shapes each one anew. Only runs that
// fit on a line are kept.
struct MeasuredKey {
    TTF_Font* font;
    std::u16string text;
    bool operator==(const MeasuredKey& other) const = default;
};
struct MeasuredKeyHash {
    size_t operator()(const MeasuredKey& key) const {
        return std::hash<std::u16string>()(key.text) ^ (std::hash<void*>()(key.font) * 31);
    }
};
std::unordered_map<MeasuredKey, int, MeasuredKeyHash> measuredWidths;
constexpr size_t MeasuredWidthLimit = 8192;
constexpr size_t LongestMeasuredKept = 160;

void forgetMeasuredWidths() {
    measuredWidths.clear();
}

Uint32 mapColour(SDL_Surface* surface, Colour colour) {
    return SDL_MapRGB(surface->format, colour & 255, (colour >> 8) & 255, (colour >> 16) & 255);
}

int64_t pixelBytes(const SDL_Surface* surface) {
    return surface == nullptr ? 0 : int64_t{surface->h} * surface->pitch;
}

void forgetRenderedTexts() {
    for (auto& entry : renderedTexts) {
        SDL_FreeSurface(entry.second.alpha);
        SDL_FreeSurface(entry.second.onGround);
    }
    renderedTexts.clear();
    renderedBytes = 0;
}

RenderedText* renderedText(const std::u16string& text) {
    RenderedKey key{target.font, target.front, text};
    auto found = renderedTexts.find(key);
    if (found != renderedTexts.end()) return &found->second;
    if (renderedTexts.size() >= RenderedTextLimit || renderedBytes >= RenderedBytesLimit) forgetRenderedTexts();
    const SDL_Color colour = {static_cast<Uint8>(target.front & 255), static_cast<Uint8>((target.front >> 8) & 255),
                              static_cast<Uint8>((target.front >> 16) & 255), 255};
    // Texts go to the font library in UTF-8, so that a character outside 16
    // bits (a surrogate pair here) is one glyph, measured and drawn whole.
    SDL_Surface* surface = TTF_RenderUTF8_Blended(target.font, textToUtf8(text).c_str(), colour);
    if (surface == nullptr) return nullptr;
    SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_BLEND);
    renderedBytes += pixelBytes(surface);
    return &renderedTexts.emplace(std::move(key), RenderedText{surface, nullptr, 0, false}).first->second;
}

// Blends a rendered text (ARGB8888) onto an XRGB8888 surface (the back
// buffer, the images made for drawing), clipped to it, with one computation on
// every machine: SDL's own blitters choose vector code by processor, which
// rounds some edges of the glyphs one level apart, and the frame a browser
// shows must be the desktop's, pixel for pixel. Other surfaces are left to
// SDL. The computation is SDL's own plain one.
void blendText(SDL_Surface* text, SDL_Surface* onto, int x, int y) {
    const bool plain = text->format->format == SDL_PIXELFORMAT_ARGB8888 &&
                       onto->format->format == SDL_PIXELFORMAT_XRGB8888 && !SDL_MUSTLOCK(onto) && !SDL_MUSTLOCK(text);
    if (!plain) {
        SDL_Rect at = {x, y, 0, 0};
        SDL_BlitSurface(text, nullptr, onto, &at);
        return;
    }
    const SDL_Rect& clip = onto->clip_rect;
    const int left = std::max(x, clip.x);
    const int top = std::max(y, clip.y);
    const int right = std::min(x + text->w, clip.x + clip.w);
    const int bottom = std::min(y + text->h, clip.y + clip.h);
    for (int row = top; row < bottom; ++row) {
        const Uint32* from =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(text->pixels) + (row - y) * text->pitch);
        Uint32* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(onto->pixels) + row * onto->pitch);
        for (int column = left; column < right; ++column) {
            const Uint32 source = from[column - x];
            const Uint32 alpha = source >> 24;
            if (alpha == 0) continue;
            const Uint32 below = to[column];
            if (alpha == 255) {
                to[column] = (below & 0xFF000000) | (source & 0xFFFFFF);
                continue;
            }
            // Red and blue side by side, then green: each moves towards the
            // text's colour by alpha / 256 of the way.
            const Uint32 redBlue = ((below & 0xFF00FF) + (((source & 0xFF00FF) - (below & 0xFF00FF)) * alpha >> 8)) &
                                   0xFF00FF;
            const Uint32 green = ((below & 0xFF00) + (((source & 0xFF00) - (below & 0xFF00)) * alpha >> 8)) & 0xFF00;
            to[column] = (below & 0xFF000000) | redBlue | green;
        }
    }
}

void putPixel(SDL_Surface* surface, int x, int y, Uint32 pixel) {
    if (x < 0 || y < 0 || x >= surface->w || y >= surface->h) return;
    Uint8* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
    const int bytes = surface->format->BytesPerPixel;
    if (bytes == 4) {
        reinterpret_cast<Uint32*>(row)[x] = pixel;
    } else if (bytes == 3) {
        Uint8* at = row + x * 3;
        SDL_memcpy(at, &pixel, 3);
    }
}

// Opaque pixels are filled and copied with ordinary stores, for surfaces of
// 4 bytes a pixel that need no locking (every image and back buffer the
// program makes): the library's own routines use stores that bypass the
// cache, which cost many times more for the small areas a page draws, and
// leave a frame that is read again at once outside the cache.
bool takesPlainStores(const SDL_Surface* surface) {
    return surface->format->BytesPerPixel == 4 && !SDL_MUSTLOCK(surface);
}

Uint32* pixelRow(SDL_Surface* surface, int y) {
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch);
}

// Whether the source is drawn onto the target by copying its pixels as they
// are: the same format, no transparent colour, no tint, and not through its
// transparency. Then the copy gives exactly what the library's blit gives.
bool copiesAsIs(SDL_Surface* source, SDL_Surface* onto, DrawMode mode) {
    Uint8 red = 0, green = 0, blue = 0, alpha = 0;
    SDL_GetSurfaceColorMod(source, &red, &green, &blue);
    SDL_GetSurfaceAlphaMod(source, &alpha);
    return mode != DrawMode::AlphaBlend && source != onto && source->format->format == onto->format->format &&
           takesPlainStores(source) && takesPlainStores(onto) && !SDL_HasColorKey(source) &&
           (red & green & blue & alpha) == 255;
}

// The area of the image last presented drawn since it was presented: the
// window needs only those areas copied and sent. A few dozen areas at most
// are kept apart; beyond, they are taken as the one rectangle around them.
struct PresentedImage {
    ImageHandle image = 0;
    bool whole = true;
    std::vector<SDL_Rect> areas;
};
PresentedImage presented;
constexpr size_t MostAreasApart = 48;

bool contains(const SDL_Rect& outer, const SDL_Rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

void noteDrawnArea(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height) {
    // The window's own surface drawn into directly: all of it is sent next.
    if (image == WindowSurface) presented.whole = true;
    if (image != presented.image || presented.whole) return;
    const SDL_Surface* surface = surfaceOf(image);
    if (surface == nullptr) return;
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + width, surface->w), bottom = std::min<int64_t>(y + height, surface->h);
    if (right <= left || bottom <= top) return;
    SDL_Rect area = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                     static_cast<int>(bottom - top)};
    // An area inside one already recorded adds nothing to compare (a text
    // drawn in a box just brought back); one holding others replaces them.
    for (const SDL_Rect& other : presented.areas) {
        if (contains(other, area)) return;
    }
    std::erase_if(presented.areas, [&](const SDL_Rect& other) { return contains(area, other); });
    if (presented.areas.size() == MostAreasApart) {
        for (const SDL_Rect& other : presented.areas) SDL_UnionRect(&area, &other, &area);
        presented.areas.clear();
    }
    presented.areas.push_back(area);
}

// An image made, freed or given a handle again: should it be the one
// presented, everything of it is new to the window.
void noteImageReplaced(ImageHandle image) {
    if (image == presented.image) presented.whole = true;
}

}  // namespace

// Copies an area of one surface to (toX, toY) of another of the same format
// of 4 bytes a pixel, with ordinary stores; both must hold it whole.
static void copyPixels(SDL_Surface* source, const SDL_Rect& area, SDL_Surface* onto, int toX, int toY) {
    for (int row = 0; row < area.h; ++row) {
        std::memcpy(pixelRow(onto, toY + row) + toX, pixelRow(source, area.y + row) + area.x,
                    static_cast<size_t>(area.w) * 4);
    }
}

// The rows of the area (a band of a few rows) copied from the image to the
// screen where they differ, and the rectangle around what differed; false
// when nothing did.
static bool copyChangedRows(SDL_Surface* image, SDL_Surface* screen, const SDL_Rect& area, SDL_Rect& changed) {
    int first = -1, last = -1, left = area.x + area.w, right = area.x;
    for (int y = area.y; y < area.y + area.h; ++y) {
        const Uint32* from = pixelRow(image, y);
        Uint32* to = pixelRow(screen, y);
        if (std::memcmp(from + area.x, to + area.x, static_cast<size_t>(area.w) * 4) == 0) continue;
        int x0 = area.x;
        while (from[x0] == to[x0]) ++x0;
        int x1 = area.x + area.w - 1;
        while (from[x1] == to[x1]) --x1;
        std::memcpy(to + x0, from + x0, static_cast<size_t>(x1 - x0 + 1) * 4);
        if (first < 0) first = y;
        last = y;
        left = std::min(left, x0);
        right = std::max(right, x1 + 1);
    }
    if (first < 0) return false;
    changed = {left, first, right - left, last - first + 1};
    return true;
}

void presentOnto(ImageHandle image, SDL_Surface* screen, bool screenNew, std::vector<SDL_Rect>& changed) {
    changed.clear();
    SDL_Surface* source = surfaceOf(image);
    if (source == nullptr || screen == nullptr) return;
    const bool whole = presented.whole || image != presented.image || screenNew;
    static std::vector<SDL_Rect> areas;  // kept from frame to frame
    areas.swap(presented.areas);
    presented.areas.clear();
    presented.image = image;
    presented.whole = false;
    const bool comparable = source->format->format == screen->format->format && source->w == screen->w &&
                            source->h == screen->h && takesPlainStores(source) && takesPlainStores(screen);
    if (!comparable) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, nullptr, screen, nullptr);
        changed.push_back({0, 0, screen->w, screen->h});
        return;
    }
    if (whole) areas.assign(1, SDL_Rect{0, 0, source->w, source->h});
    // Band by band of rows, so that a change at the top and one at the bottom
    // of a large area are sent apart.
    constexpr int BandRows = 40;
    for (const SDL_Rect& area : areas) {
        for (int top = area.y; top < area.y + area.h; top += BandRows) {
            const SDL_Rect band = {area.x, top, area.w, std::min(BandRows, area.y + area.h - top)};
            SDL_Rect differed;
            if (copyChangedRows(source, screen, band, differed)) changed.push_back(differed);
        }
    }
}

// Draws the source's area (x, y, width, height) at (toX, toY) of the target,
// clipped to both as the library's blit clips: by plain copies when the
// source is copied as it is, else by the library's blit.
static void blitArea(SDL_Surface* source, int64_t x, int64_t y, int64_t width, int64_t height, SDL_Surface* onto,
                     int64_t toX, int64_t toY, DrawMode mode) {
    if (!copiesAsIs(source, onto, mode)) {
        SDL_SetSurfaceBlendMode(source, mode == DrawMode::AlphaBlend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
        SDL_Rect area = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
        SDL_Rect at = {static_cast<int>(toX), static_cast<int>(toY), 0, 0};
        SDL_BlitSurface(source, &area, onto, &at);
        return;
    }
    const int64_t cutLeft = std::max<int64_t>({0, -x, -toX});
    const int64_t cutTop = std::max<int64_t>({0, -y, -toY});
    x += cutLeft, toX += cutLeft, width -= cutLeft;
    y += cutTop, toY += cutTop, height -= cutTop;
    width = std::min<int64_t>({width, source->w - x, onto->w - toX});
    height = std::min<int64_t>({height, source->h - y, onto->h - toY});
    if (width <= 0 || height <= 0) return;
    const SDL_Rect area = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                           static_cast<int>(height)};
    copyPixels(source, area, onto, static_cast<int>(toX), static_cast<int>(toY));
}

static bool drawingStarted = false;

bool layerStarted() {
    return drawingStarted;
}

bool startDrawing() {
    if (TTF_Init() != 0) return false;
    drawingStarted = true;
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    defaultFont = TTF_OpenFont(DefaultFontPath, DefaultFontPixels);
    if (defaultFont == nullptr) defaultFont = TTF_OpenFont("Fonts/DroidSansMono.ttf", DefaultFontPixels);
    return true;
}

bool platformInitWithoutWindow() {
    if (layerStarted()) return true;
    return SDL_Init(0) == 0 && startDrawing();
}

void stopDrawing() {
    forgetRenderedTexts();
    forgetMeasuredWidths();
    for (size_t slot = 1; slot < images.slots.size(); ++slot) {
        noteImageGone(static_cast<int64_t>(slot));
        SDL_FreeSurface(images.take(static_cast<int64_t>(slot)));
    }
    for (size_t slot = 1; slot < fonts.slots.size(); ++slot) {
        if (TTF_Font* font = fonts.take(static_cast<int64_t>(slot))) TTF_CloseFont(font);
    }
    if (defaultFont != nullptr) TTF_CloseFont(defaultFont);
    defaultFont = nullptr;
    target = DrawingTarget();
    IMG_Quit();
    TTF_Quit();
    drawingStarted = false;
}

// The same for both windows: everything the layer holds goes, the window
// last.
void platformRelease() {
    if (!drawingStarted) return;
    releaseSound();
    stopDrawing();
    releaseFiles();
    closeWindow();
    SDL_Quit();
}

SDL_Surface* surfaceOf(ImageHandle image) {
    if (image == WindowSurface) return windowSurface();
    return images.find(image);
}

int64_t countLiveImages() {
    return images.liveCount();
}

// ---------------------------------------------------------------------------
// Drawing.

void beginDrawing(ImageHandle image) {
    target = DrawingTarget();
    target.image = image;
    target.surface = surfaceOf(image);
    target.font = defaultFont;
}

void endDrawing() {
    target = DrawingTarget();
}

// The part of a box that lies on the target, in 64 bits first: values from
// files may be far outside the screen. False when none of it does.
static bool boxOnTarget(int64_t x, int64_t y, int64_t width, int64_t height, SDL_Rect& rect) {
    if (target.surface == nullptr || width <= 0 || height <= 0) return false;
    const int64_t left = x < 0 ? 0 : x;
    const int64_t top = y < 0 ? 0 : y;
    const int64_t right = x + width > target.surface->w ? target.surface->w : x + width;
    const int64_t bottom = y + height > target.surface->h ? target.surface->h : y + height;
    if (right <= left || bottom <= top) return false;
    rect = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
    return true;
}

void fillRect(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour) {
    SDL_Rect rect;
    if (!boxOnTarget(x, y, width, height, rect)) return;
    const Uint32 pixel = mapColour(target.surface, colour);
    if (takesPlainStores(target.surface)) {
        for (int row = rect.y; row < rect.y + rect.h; ++row) {
            std::fill(pixelRow(target.surface, row) + rect.x, pixelRow(target.surface, row) + rect.x + rect.w, pixel);
        }
    } else {
        SDL_FillRect(target.surface, &rect, pixel);
    }
    noteDrawnArea(target.image, rect.x, rect.y, rect.w, rect.h);
    noteAreaCovered(target.image, rect.x, rect.y, rect.w, rect.h);
}

void fillRectBlended(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour, int64_t opacity) {
    SDL_Rect rect;
    if (!boxOnTarget(x, y, width, height, rect)) return;
    // A layer of the colour with the opacity as its alpha, blended over the
    // box by the library's own blitter.
    SDL_Surface* layer = SDL_CreateRGBSurfaceWithFormat(0, rect.w, rect.h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (layer == nullptr) return;
    const Uint8 alpha = static_cast<Uint8>(opacity < 0 ? 0 : opacity > 255 ? 255 : opacity);
    SDL_FillRect(layer, nullptr, SDL_MapRGBA(layer->format, colour & 255, (colour >> 8) & 255, (colour >> 16) & 255, alpha));
    SDL_SetSurfaceBlendMode(layer, SDL_BLENDMODE_BLEND);
    SDL_Rect at = rect;
    SDL_BlitSurface(layer, nullptr, target.surface, &at);
    SDL_FreeSurface(layer);
    // What lies under it can no longer be read whole.
    noteDrawnArea(target.image, rect.x, rect.y, rect.w, rect.h);
    noteAreaCovered(target.image, rect.x, rect.y, rect.w, rect.h);
}

void drawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    if (target.surface == nullptr) return;
    const int64_t limit = 1 << 20;
    if (x1 < -limit || x1 > limit || y1 < -limit || y1 > limit || x2 < -limit || x2 > limit || y2 < -limit ||
        y2 > limit) {
        return;
    }
    const Uint32 pixel = mapColour(target.surface, target.front);
    noteDrawnArea(target.image, std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    SDL_LockSurface(target.surface);
    int64_t dx = x2 > x1 ? x2 - x1 : x1 - x2;
    int64_t dy = y2 > y1 ? y1 - y2 : y2 - y1;
    const int64_t sx = x1 < x2 ? 1 : -1;
    const int64_t sy = y1 < y2 ? 1 : -1;
    int64_t error = dx + dy;
    for (;;) {
        putPixel(target.surface, static_cast<int>(x1), static_cast<int>(y1), pixel);
        if (x1 == x2 && y1 == y2) break;
        const int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x1 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y1 += sy;
        }
    }
    SDL_UnlockSurface(target.surface);
}

// Whether every pixel of the area (inside the surface) holds the same value,
// and which.
static bool plainGround(SDL_Surface* onto, const SDL_Rect& area, Uint32& ground) {
    ground = *(static_cast<const Uint32*>(onto->pixels) + area.y * (onto->pitch / 4) + area.x);
    for (int row = area.y; row < area.y + area.h; ++row) {
        const Uint32* pixels = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(onto->pixels) + row * onto->pitch);
        bool same = true;
        for (int column = area.x; column < area.x + area.w; ++column) same &= pixels[column] == ground;
        if (!same) return false;
    }
    return true;
}

// Draws a kept text at (x, y): where the ground under it is of one colour,
// by copying the text blended once onto that colour (the same pixels
// blendText gives), else by blending it there.
static void drawRenderedText(RenderedText& text, SDL_Surface* onto, int x, int y) {
    SDL_Surface* alpha = text.alpha;
    const bool plain = alpha->format->format == SDL_PIXELFORMAT_ARGB8888 &&
                       onto->format->format == SDL_PIXELFORMAT_XRGB8888 && !SDL_MUSTLOCK(onto);
    const SDL_Rect& clip = onto->clip_rect;
    const int left = std::max(x, clip.x), top = std::max(y, clip.y);
    const int right = std::min(x + alpha->w, clip.x + clip.w), bottom = std::min(y + alpha->h, clip.y + clip.h);
    Uint32 ground = 0;
    const SDL_Rect area = {left, top, right - left, bottom - top};
    // A text drawn once (a typed line, a message of the game) is only
    // blended; one drawn again is worth a blended copy.
    const bool again = text.drawnOnce;
    text.drawnOnce = true;
    if (!plain || !again || area.w <= 0 || area.h <= 0 || !plainGround(onto, area, ground)) {
        blendText(alpha, onto, x, y);
        return;
    }
    if (text.onGround == nullptr || text.ground != ground) {
        if (text.onGround == nullptr) {
            text.onGround = SDL_CreateRGBSurfaceWithFormat(0, alpha->w, alpha->h, 32, SDL_PIXELFORMAT_XRGB8888);
            if (text.onGround == nullptr) {
                blendText(alpha, onto, x, y);
                return;
            }
            renderedBytes += pixelBytes(text.onGround);
        }
        for (int row = 0; row < alpha->h; ++row) {
            Uint32* pixels = pixelRow(text.onGround, row);
            std::fill(pixels, pixels + alpha->w, ground);
        }
        blendText(alpha, text.onGround, 0, 0);
        text.ground = ground;
    }
    const SDL_Rect from = {left - x, top - y, area.w, area.h};
    copyPixels(text.onGround, from, onto, left, top);
}

void drawText(int64_t x, int64_t y, const std::u16string& text) {
    if (target.surface == nullptr || target.font == nullptr || text.empty()) return;
    if (target.mode == DrawMode::OpaqueText) fillRect(x, y, textWidth(text), textHeight(text), target.back);
    RenderedText* rendered = renderedText(text);
    const bool shown = rendered != nullptr && x >= -100000 && x <= 100000 && y >= -100000 && y <= 100000;
    const int64_t width = shown ? rendered->alpha->w : 0;
    // The box of a text is as wide as its rendering and a line of the font high.
    noteTextDrawn(target.image, x, y, width, shown ? TTF_FontHeight(target.font) : 0, text);
    if (!shown) return;
    noteDrawnArea(target.image, x, y, width, rendered->alpha->h);
    drawRenderedText(*rendered, target.surface, static_cast<int>(x), static_cast<int>(y));
}

int64_t textWidth(const std::u16string& text) {
    TTF_Font* font = target.font != nullptr ? target.font : defaultFont;
    if (font == nullptr || text.empty()) return 0;
    const bool kept = text.size() <= LongestMeasuredKept;
    MeasuredKey key{font, kept ? text : std::u16string()};
    if (kept) {
        const auto found = measuredWidths.find(key);
        if (found != measuredWidths.end()) return found->second;
    }
    int width = 0;
    int height = 0;
    TTF_SizeUTF8(font, textToUtf8(text).c_str(), &width, &height);
    if (kept) {
        if (measuredWidths.size() >= MeasuredWidthLimit) measuredWidths.clear();
        measuredWidths.emplace(std::move(key), width);
    }
    return width;
}

int64_t textHeight(const std::u16string& text) {
    TTF_Font* font = target.font != nullptr ? target.font : defaultFont;
    if (font == nullptr || text.empty()) return 0;
    return TTF_FontHeight(font);
}

// The number of characters from `start` of the text that make the shortest
// run at least `width` pixels wide, all the rest when it is narrower: where a
// line built character by character stops growing. Widths only grow as
// characters are added, so the length is searched for: a guess from the mean
// width of the first characters, a bracket around it with steps that double,
// then halving. A handful of measures per line instead of one per character,
// each of a run not much longer than the line, whatever the length of the
// text.
static size_t prefixReachingWidth(const std::u16string& text, size_t start, int64_t width) {
    const size_t available = text.size() - start;
    if (width <= 0 || available == 0) return 0;
    auto narrower = [&](size_t length) { return textWidth(text.substr(start, length)) < width; };
    // The run of `low` characters is narrower, that of `high` is not; one
    // past the end stands for "the whole rest is narrower" and is never measured.
    size_t low = 0;
    size_t high = available + 1;
    const size_t sample = std::min<size_t>(available, 8);
    const int64_t sampleWidth = std::max<int64_t>(textWidth(text.substr(start, sample)), 1);
    size_t guess = std::clamp<size_t>(sample * static_cast<size_t>(width) / static_cast<size_t>(sampleWidth), 1,
                                      available);
    for (size_t step = 1; low + 1 < high && guess > low && guess < high; step *= 2) {
        if (narrower(guess)) {
            low = guess;
            guess += step;
        } else {
            high = guess;
            guess = guess > step ? guess - step : 0;
        }
    }
    while (high - low > 1) {
        const size_t middle = (low + high) / 2;
        (narrower(middle) ? low : high) = middle;
    }
    return std::min(high, available);
}

// Whether a line ending before position `end` would cut a character outside
// 16 bits in half.
static bool cutsAPair(const std::u16string& text, size_t end) {
    return end > 0 && end < text.size() && text[end - 1] >= 0xD800 && text[end - 1] <= 0xDBFF &&
           text[end] >= 0xDC00 && text[end] <= 0xDFFF;
}

std::u16string takeWrappedLine(const std::u16string& text, size_t& start, int64_t width) {
    if (start >= text.size()) return u"";
    size_t length = prefixReachingWidth(text, start, width);
    if (length > 1 && textWidth(text.substr(start, length)) > width) --length;
    // A character outside 16 bits goes whole onto the line when it fits there
    // (or is all the line holds), else whole onto the next.
    if (cutsAPair(text, start + length)) {
        length += length == 1 || textWidth(text.substr(start, length + 1)) <= width ? 1 : -1;
    }
    size_t lineEnd = length;
    size_t restStart = length;
    if (length < text.size() - start) {
        size_t blank = length;
        while (blank > 0 && text[start + blank] != u' ') --blank;
        if (blank > 0) {
            lineEnd = blank;
            restStart = blank + 1;
        }
    }
    std::u16string line = text.substr(start, lineEnd);
    start += restStart;
    return line;
}

void setFrontColour(Colour colour) {
    target.front = colour;
}

void setDrawingMode(DrawMode mode) {
    target.mode = mode;
}

void selectFont(FontHandle font) {
    if (TTF_Font* chosen = fonts.find(font)) target.font = chosen;
}

void drawImage(ImageHandle image, int64_t x, int64_t y) {
    SDL_Surface* source = surfaceOf(image);
    if (target.surface == nullptr || source == nullptr || x < -100000 || x > 100000 || y < -100000 || y > 100000)
        return;
    blitArea(source, 0, 0, source->w, source->h, target.surface, x, y, target.mode);
    noteDrawnArea(target.image, x, y, source->w, source->h);
    // A picture drawn through its transparency (an icon) leaves what lies
    // under it readable.
    if (target.mode != DrawMode::AlphaBlend) noteImageCopied(image, 0, 0, source->w, source->h, target.image, x, y);
}

void drawImageArea(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height) {
    SDL_Surface* source = surfaceOf(image);
    if (target.surface == nullptr || source == nullptr) return;
    const int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + width, source->w), bottom = std::min<int64_t>(y + height, source->h);
    if (right <= left || bottom <= top) return;
    blitArea(source, left, top, right - left, bottom - top, target.surface, left, top, target.mode);
    noteDrawnArea(target.image, left, top, right - left, bottom - top);
    if (target.mode != DrawMode::AlphaBlend) {
        noteImageCopied(image, left, top, right - left, bottom - top, target.image, left, top);
    }
}

void drawImageScaled(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height) {
    SDL_Surface* source = surfaceOf(image);
    if (target.surface == nullptr || source == nullptr || width <= 0 || height <= 0) return;
    const int64_t limit = 100000;
    if (x < -limit || x > limit || y < -limit || y > limit || width > limit || height > limit) return;
    SDL_SetSurfaceBlendMode(source, target.mode == DrawMode::AlphaBlend ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
    SDL_Rect at = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
    SDL_BlitScaled(source, nullptr, target.surface, &at);
    noteDrawnArea(target.image, x, y, width, height);
    if (target.mode != DrawMode::AlphaBlend) noteAreaCovered(target.image, x, y, width, height);
}

// ---------------------------------------------------------------------------
// Images.

ImageHandle createImage(int64_t width, int64_t height, int depth) {
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return 0;
    const Uint32 format = depth == 24 ? SDL_PIXELFORMAT_RGB24 : SDL_PIXELFORMAT_XRGB8888;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(width), static_cast<int>(height),
                                                          depth == 24 ? 24 : 32, format);
    if (surface != nullptr) SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    const ImageHandle image = images.keep(surface);
    noteImageGone(image);  // the handle of an image freed earlier may come back: nothing of it remains
    noteImageReplaced(image);
    return image;
}

namespace {

// Pictures larger than this either way are refused before decoding: a small
// file can announce a picture of gigabytes, and nothing the program shows
// needs more than the 800 x 600 screen.
constexpr uint32_t LargestPictureSide = 4096;
// A larger picture file is refused before it is read through.
constexpr off_t LargestPictureFileBytes = off_t{64} << 20;
// How far into a JPEG file its frame header is looked for.
constexpr long JpegHeaderSearchLimit = 16 << 20;
// A JPEG is decoded in one pass over the picture per scan, each of which a
// few bytes can make: a progressive picture has about ten, and a picture of
// more is refused, so that one picture costs at most a fraction of a second.
constexpr int MostJpegScans = 32;

enum class PictureKind { Unusable, Png, Jpeg };

uint32_t bigEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) value = value << 8 | bytes[i];
    return value;
}

// PNG: the signature, then the IHDR chunk, which must come first, with the
// width and the height.
bool readPngSize(FILE* file, uint32_t& width, uint32_t& height) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    unsigned char header[24];
    if (std::fread(header, 1, sizeof header, file) != sizeof header) return false;
    if (SDL_memcmp(header, signature, 8) != 0 || SDL_memcmp(header + 12, "IHDR", 4) != 0) return false;
    width = bigEndian(header + 16, 4);
    height = bigEndian(header + 20, 4);
    return true;
}

// A JPEG file read byte by byte through a buffer of its own.
struct JpegBytes {
    FILE* file = nullptr;
    unsigned char chunk[1 << 14];
    size_t at = 0;
    size_t length = 0;
    long read = 0;

    int next() {
        if (at == length) {
            length = std::fread(chunk, 1, sizeof chunk, file);
            at = 0;
            if (length == 0) return EOF;
        }
        ++read;
        return chunk[at++];
    }
    bool skip(long count) {
        for (; count > 0; --count) {
            if (next() == EOF) return false;
        }
        return true;
    }
};

// The next marker as the decoder finds it: whatever is not FF is passed over,
// as are FF 00 (an FF of coded data) and, inside coded data, the restart
// markers D0 to D7. EOF at the end of the file.
int nextJpegMarker(JpegBytes& bytes, bool inCodedData) {
    for (int byte = bytes.next(); byte != EOF; byte = bytes.next()) {
        if (byte != 0xFF) continue;
        do byte = bytes.next();
        while (byte == 0xFF);
        if (byte != 0 && !(inCodedData && byte >= 0xD0 && byte <= 0xD7)) return byte;
    }
    return EOF;
}

// Whether the marker starts a frame header (SOF0 to SOF15, which are C0 to CF
// less C4, C8 and CC), which holds the height and the width.
bool isFrameMarker(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// JPEG: walks the segments from the start marker to the end marker (or the
// end of the file), through the coded data after each scan header, for the
// size in the frame header, which must come before the first scan (the
// decoder takes its size from the same header), and the count of scans,
// refused beyond MostJpegScans.
bool readJpegLayout(FILE* file, uint32_t& width, uint32_t& height) {
    JpegBytes bytes;
    bytes.file = file;
    if (bytes.next() != 0xFF || bytes.next() != 0xD8) return false;
    bool framed = false;
    int scans = 0;
    for (int marker = nextJpegMarker(bytes, false); marker != EOF && marker != 0xD9;) {
        if (!framed && bytes.read > JpegHeaderSearchLimit) return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a length
            marker = nextJpegMarker(bytes, false);
            continue;
        }
        const int high = bytes.next();
        const int low = bytes.next();
        long length = (high << 8 | low) - 2;
        if (low == EOF || length < 0) return false;
        if (isFrameMarker(marker) && !framed) {
            unsigned char size[5];
            for (unsigned char& byte : size) byte = static_cast<unsigned char>(bytes.next());
            height = bigEndian(size + 1, 2);
            width = bigEndian(size + 3, 2);
            framed = true;
            length -= 5;
        }
        if (!bytes.skip(length)) break;  // a file cut short: the decoder makes do
        const bool scan = marker == 0xDA;
        if (scan && (!framed || ++scans > MostJpegScans)) return false;
        marker = nextJpegMarker(bytes, scan);
    }
    return framed;
}

// The kind of picture the file holds, whatever its name says, when it is a
// PNG or a JPEG of a usable size; the file is then back at its start.
PictureKind usablePictureKind(FILE* file) {
    uint32_t width = 0;
    uint32_t height = 0;
    PictureKind kind = PictureKind::Unusable;
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || info.st_size > LargestPictureFileBytes) return kind;
    if (readPngSize(file, width, height)) {
        kind = PictureKind::Png;
    } else if (std::fseek(file, 0, SEEK_SET) == 0 && readJpegLayout(file, width, height)) {
        kind = PictureKind::Jpeg;
    }
    const bool usable = width > 0 && height > 0 && width <= LargestPictureSide && height <= LargestPictureSide;
    return usable && std::fseek(file, 0, SEEK_SET) == 0 ? kind : PictureKind::Unusable;
}

}  // namespace

ImageHandle loadImage(const std::u16string& path) {
    FILE* file = openRegularFile(path);
    if (file == nullptr) return 0;
    const PictureKind kind = usablePictureKind(file);
    if (kind == PictureKind::Unusable) {
        std::fclose(file);
        return 0;
    }
    SDL_RWops* stream = streamOf(file);
    if (stream == nullptr) return 0;
    SDL_Surface* loaded = kind == PictureKind::Png ? IMG_LoadPNG_RW(stream) : IMG_LoadJPG_RW(stream);
    SDL_RWclose(stream);
    if (loaded == nullptr) return 0;
    // One pixel format for every picture keeps blits fast; the alpha channel
    // is kept for pictures that have one (the icons).
    const bool hasAlpha = loaded->format->Amask != 0 || SDL_ISPIXELFORMAT_INDEXED(loaded->format->format);
    SDL_Surface* converted =
        SDL_ConvertSurfaceFormat(loaded, hasAlpha ? SDL_PIXELFORMAT_ARGB8888 : SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(loaded);
    const ImageHandle image = images.keep(converted);
    noteImageGone(image);
    noteImageReplaced(image);
    return image;
}

ImageHandle grabImage(ImageHandle source, int64_t x, int64_t y, int64_t width, int64_t height) {
    SDL_Surface* from = surfaceOf(source);
    if (from == nullptr || width <= 0 || height <= 0 || width > 16384 || height > 16384) return 0;
    if (x < -100000 || x > 100000 || y < -100000 || y > 100000) return 0;
    SDL_Surface* copy = SDL_CreateRGBSurfaceWithFormat(0, static_cast<int>(width), static_cast<int>(height),
                                                       from->format->BitsPerPixel, from->format->format);
    if (copy == nullptr) return 0;
    SDL_FillRect(copy, nullptr, SDL_MapRGB(copy->format, 0, 0, 0));
    // What lies outside the source stays black, and the part inside lands
    // where it lies in the area.
    blitArea(from, x, y, width, height, copy, 0, 0, DrawMode::OpaqueText);
    const ImageHandle image = images.keep(copy);
    noteImageGone(image);
    noteImageReplaced(image);
    if (image != 0) noteImageCopied(source, x, y, width, height, image, 0, 0);
    return image;
}

void freeImage(ImageHandle image) {
    if (SDL_Surface* surface = images.take(image)) {
        noteImageGone(image);
        noteImageReplaced(image);
        SDL_FreeSurface(surface);
    }
}

int64_t imageWidth(ImageHandle image) {
    SDL_Surface* surface = surfaceOf(image);
    return surface == nullptr ? 0 : surface->w;
}

int64_t imageHeight(ImageHandle image) {
    SDL_Surface* surface = surfaceOf(image);
    return surface == nullptr ? 0 : surface->h;
}

std::string pngBytes(ImageHandle image) {
    SDL_Surface* surface = surfaceOf(image);
    if (surface == nullptr) return "";
    // A PNG file is never larger than its pixels stored uncompressed with a
    // few bytes a row and its headers: room enough, and writing past it fails.
    const size_t room = static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h) * 4 +
                        static_cast<size_t>(surface->h) * 8 + 4096;
    if (room > (static_cast<size_t>(1) << 30)) return "";
    std::string bytes(room, '\0');
    SDL_RWops* stream = SDL_RWFromMem(bytes.data(), static_cast<int>(room));
    if (stream == nullptr) return "";
    const bool written = IMG_SavePNG_RW(surface, stream, 0) == 0;
    const Sint64 length = SDL_RWtell(stream);
    SDL_RWclose(stream);
    if (!written || length <= 0) return "";
    bytes.resize(static_cast<size_t>(length));
    return bytes;
}

// ---------------------------------------------------------------------------
// Fonts.

FontHandle loadFont(const std::u16string& path, int pixels) {
    // Only a regular file: a named pipe would keep the start-up waiting.
    SDL_RWops* stream = streamOf(openRegularFile(path));
    if (stream == nullptr) return 0;
    TTF_Font* font = TTF_OpenFontRW(stream, 1, pixels > 0 ? pixels : 1);
    if (font == nullptr) return 0;
    return fonts.keep(font);
}
