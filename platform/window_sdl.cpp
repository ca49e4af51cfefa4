// The real window on SDL2: starting the video, waiting for events, presenting
// a frame and the message box. The window itself, its events and the pointer
// are shared with the web window (window_sdl_common.cpp).
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/platform_internal.h"

namespace {

// Drivers that accept every request but show nothing: with them the program
// would run on without any window for the author to see.
bool showsNothing(const char* driver) {
    return driver == nullptr || std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0;
}

}  // namespace

// A display server that is busy may refuse a connection for a moment, and the
// video library then settles for a driver that shows nothing: a few tries,
// a fifth of a second apart, before the program gives up.
constexpr int VideoTries = 5;

bool platformInit() {
    if (layerStarted()) return true;
    // The window's frame is the windowing system's own image (shared memory
    // under X11), not a texture of a 3D renderer: on a machine without a
    // graphics card that renderer is a software one whose start-up, threads
    // and uploads cost more than the drawing itself.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    for (int attempt = 0; attempt < VideoTries; ++attempt) {
        if (attempt > 0) SDL_Delay(200);
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) continue;
        if (!showsNothing(SDL_GetCurrentVideoDriver()) && startDrawing()) return true;
        SDL_Quit();
    }
    return false;
}

PlatformEvent pollEvent(int maxWaitMs) {
    const Uint32 deadline = SDL_GetTicks() + static_cast<Uint32>(maxWaitMs > 0 ? maxWaitMs : 0);
    for (;;) {
        const PlatformEvent event = takeQueuedEvent();
        if (event.kind != EventKind::None) return event;
        // Nothing the program uses yet: wait for SDL's next event, which
        // stays in its queue for the next turn.
        const Sint32 remaining = static_cast<Sint32>(deadline - SDL_GetTicks());
        const int got = maxWaitMs < 0   ? SDL_WaitEvent(nullptr)
                        : remaining > 0 ? SDL_WaitEventTimeout(nullptr, remaining)
                                        : 0;
        if (got == 0) return event;
    }
}

// The rows from `top` to `bottom` (excluded) of the image, copied onto the
// window's surface where they differ from what it shows, and the rectangles
// of the differences; false when nothing differs.
static bool copyChangedRows(SDL_Surface* source, SDL_Surface* screen, int top, int bottom, SDL_Rect& changed) {
    const int bytesPerRow = source->w * 4;
    int first = -1;
    int last = -1;
    int left = source->w;
    int right = 0;
    for (int y = top; y < bottom; ++y) {
        const Uint32* from =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(source->pixels) + y * source->pitch);
        Uint32* to = reinterpret_cast<Uint32*>(static_cast<Uint8*>(screen->pixels) + y * screen->pitch);
        if (SDL_memcmp(from, to, bytesPerRow) == 0) continue;
        int x0 = 0;
        while (from[x0] == to[x0]) ++x0;
        int x1 = source->w - 1;
        while (from[x1] == to[x1]) --x1;
        SDL_memcpy(to + x0, from + x0, (x1 - x0 + 1) * 4);
        if (first < 0) first = y;
        last = y;
        if (x0 < left) left = x0;
        if (x1 + 1 > right) right = x1 + 1;
    }
    if (first < 0) return false;
    changed = {left, first, right - left, last - first + 1};
    return true;
}

// Presents the image: only what differs from the frame shown is copied and
// sent to the windowing system, band by band of rows, so that a typed
// character or a scrolled zone costs what it changes rather than a whole
// frame. The window then shows exactly the image.
void presentImage(ImageHandle image) {
    SDL_Surface* source = surfaceOf(image);
    SDL_Surface* screen = windowSurface();
    if (source == nullptr || screen == nullptr) return;
    const bool comparable = source->format->format == screen->format->format && source->w == screen->w &&
                            source->h == screen->h && source->format->BytesPerPixel == 4;
    if (!comparable || SDL_MUSTLOCK(screen)) {
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(source, nullptr, screen, nullptr);
        SDL_UpdateWindowSurface(sdlWindow());
        return;
    }
    constexpr int BandRows = 40;
    static std::vector<SDL_Rect> rects;  // kept from frame to frame
    rects.clear();
    for (int top = 0; top < source->h; top += BandRows) {
        const int bottom = top + BandRows < source->h ? top + BandRows : source->h;
        SDL_Rect changed;
        if (copyChangedRows(source, screen, top, bottom, changed)) rects.push_back(changed);
    }
    if (!rects.empty()) SDL_UpdateWindowSurfaceRects(sdlWindow(), rects.data(), static_cast<int>(rects.size()));
}

void keepLastFrameShown() {}

// ---------------------------------------------------------------------------
// Message box.

void messageBox(const std::u16string& title, const std::u16string& text) {
    const std::string title8 = textToUtf8(title);
    const std::string text8 = textToUtf8(text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title8.c_str(), text8.c_str(), sdlWindow()) != 0) {
        std::fprintf(stderr, "%s: %s\n", title8.c_str(), text8.c_str());
    }
}

bool askQuestion(const std::u16string& title, const std::u16string& text, const std::u16string& yes,
                 const std::u16string& no) {
    const std::string title8 = textToUtf8(title);
    const std::string text8 = textToUtf8(text);
    const std::string yes8 = textToUtf8(yes);
    const std::string no8 = textToUtf8(no);
    // Return chooses `yes`, Escape `no`; a box closed otherwise answers -1.
    const SDL_MessageBoxButtonData buttons[2] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, yes8.c_str()},
                                                 {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0, no8.c_str()}};
    const SDL_MessageBoxData box = {SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                    sdlWindow(),
                                    title8.c_str(),
                                    text8.c_str(),
                                    2,
                                    buttons,
                                    nullptr};
    int chosen = -1;
    if (SDL_ShowMessageBox(&box, &chosen) != 0) {
        std::fprintf(stderr, "%s: %s (%s)\n", title8.c_str(), text8.c_str(), no8.c_str());
        return false;
    }
    return chosen == 1;
}
