// The real window on SDL2: the window and its surface, its events, the pointer,
// sleeping, presenting a frame and the message box.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/platform_internal.h"

namespace {

SDL_Window* window = nullptr;
int windowWidth = 0;  // of its client area, as opened
int windowHeight = 0;
bool mouseDownOnSurface = false;
// Characters of one text-input event, handed out one whole character per
// poll (a character outside 16 bits is one event, not two halves).
std::u16string pendingTypedChars;

PlatformEvent translate(const SDL_Event& event) {
    PlatformEvent result;
    switch (event.type) {
        case SDL_QUIT:
            result.kind = EventKind::CloseRequest;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) mouseDownOnSurface = true;
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT && mouseDownOnSurface) {
                mouseDownOnSurface = false;
                if (event.button.x >= 0 && event.button.y >= 0 && event.button.x < windowWidth &&
                    event.button.y < windowHeight) {
                    result.kind = EventKind::Click;
                }
            }
            break;
        case SDL_MOUSEWHEEL: {
            int notches = event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            if (notches == 0) break;
            const SDL_Keymod held = SDL_GetModState();
            result.kind = EventKind::Wheel;
            result.wheelNotches = notches;
            result.modifiers = ((held & KMOD_SHIFT) ? ModShift : 0) | ((held & KMOD_ALT) ? ModAlt : 0) |
                               ((held & KMOD_CTRL) ? ModControl : 0);
            break;
        }
        case SDL_KEYUP: {
            result.kind = EventKind::KeyRelease;
            const SDL_Keycode key = event.key.keysym.sym;
            switch (key) {
                case SDLK_ESCAPE:
                    result.keyCode = KeyEscape;
                    break;
                case SDLK_RETURN:
                case SDLK_KP_ENTER:
                    result.keyCode = KeyReturn;
                    break;
                case SDLK_BACKSPACE:
                    result.keyCode = KeyBackspace;
                    break;
                case SDLK_UP:
                    result.keyCode = KeyUp;
                    break;
                case SDLK_DOWN:
                    result.keyCode = KeyDown;
                    break;
                case SDLK_LEFT:
                    result.keyCode = KeyLeft;
                    break;
                case SDLK_RIGHT:
                    result.keyCode = KeyRight;
                    break;
                case SDLK_PAGEUP:
                    result.keyCode = KeyPageUp;
                    break;
                case SDLK_PAGEDOWN:
                    result.keyCode = KeyPageDown;
                    break;
                case SDLK_F1:
                    result.keyCode = KeyF1;
                    break;
                default:
                    // Letters and digits as their capital codes; other keys
                    // outside the codes the program tests.
                    if (key >= SDLK_a && key <= SDLK_z)
                        result.keyCode = 'A' + (key - SDLK_a);
                    else if (key >= SDLK_0 && key <= SDLK_9)
                        result.keyCode = key;
                    else
                        result.keyCode = 0x10000 + (key & 0xFFFF);
            }
            break;
        }
        default:
            break;
    }
    return result;
}

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

void endProcess(int status) {
    platformRelease();
    std::fflush(stdout);
    std::exit(status);
}

SDL_Surface* windowSurface() {
    return window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
}

// The headless runner's record of the texts shown; the window keeps none.
void noteTextDrawn(ImageHandle, int64_t, int64_t, int64_t, int64_t, const std::u16string&) {}
void noteAreaCovered(ImageHandle, int64_t, int64_t, int64_t, int64_t) {}
void noteImageCopied(ImageHandle, int64_t, int64_t, int64_t, int64_t, ImageHandle, int64_t, int64_t) {}
void noteImageGone(ImageHandle) {}

// ---------------------------------------------------------------------------
// Window and input.

bool openWindow(int width, int height) {
    windowWidth = width;
    windowHeight = height;
    window =
        SDL_CreateWindow("Orvalde", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, SDL_WINDOW_SHOWN);
    return window != nullptr;
}

bool createDrawingSurface() {
    return window != nullptr && SDL_GetWindowSurface(window) != nullptr;
}

void focusDrawingSurface() {
    if (window == nullptr) return;
    SDL_RaiseWindow(window);
    SDL_StartTextInput();
}

void setWindowTitle(const std::u16string& title) {
    if (window != nullptr) SDL_SetWindowTitle(window, textToUtf8(title).c_str());
}

void closeWindow() {
    if (window == nullptr) return;
    // The window closes only at the end of the program. The sound goes
    // first, while the window still exists: stopping the audio device posts
    // events, and the wake-up message addressed to a window already gone is
    // an X error that ends the process with status 1.
    releaseSound();
    SDL_DestroyWindow(window);
    window = nullptr;
}

PlatformEvent pollEvent(int maxWaitMs) {
    PlatformEvent result;
    const Uint32 deadline = SDL_GetTicks() + static_cast<Uint32>(maxWaitMs > 0 ? maxWaitMs : 0);
    for (;;) {
        if (!pendingTypedChars.empty()) {
            result.kind = EventKind::CharTyped;
            result.charCode = static_cast<int>(takeFirstCharacter(pendingTypedChars));
            return result;
        }
        const Sint32 remaining = static_cast<Sint32>(deadline - SDL_GetTicks());
        SDL_Event event;
        int got = 0;
        if (maxWaitMs < 0) {
            got = SDL_WaitEvent(&event);
        } else {
            got = remaining > 0 ? SDL_WaitEventTimeout(&event, remaining) : SDL_PollEvent(&event);
        }
        if (got == 0) return result;
        if (event.type == SDL_TEXTINPUT) {
            for (char16_t c : utf8ToText(event.text.text)) {
                if (c >= 32) pendingTypedChars.push_back(c);
            }
            continue;
        }
        result = translate(event);
        if (result.kind != EventKind::None) return result;
        // Events the program does not use (motion, key presses, window
        // changes) do not end the wait.
    }
}

void pointerPosition(int& x, int& y) {
    x = -1;
    y = -1;
    if (window == nullptr || !(SDL_GetWindowFlags(window) & SDL_WINDOW_MOUSE_FOCUS)) return;
    int px = 0;
    int py = 0;
    SDL_GetMouseState(&px, &py);
    if (px < 0 || py < 0 || px >= windowWidth || py >= windowHeight) return;
    x = px;
    y = py;
}

void sleepMs(int64_t milliseconds) {
    if (milliseconds <= 0) return;
    SDL_Delay(static_cast<Uint32>(milliseconds > 86400000 ? 86400000 : milliseconds));
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
        SDL_UpdateWindowSurface(window);
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
    if (!rects.empty()) SDL_UpdateWindowSurfaceRects(window, rects.data(), static_cast<int>(rects.size()));
}

// ---------------------------------------------------------------------------
// Message box.

void messageBox(const std::u16string& title, const std::u16string& text) {
    const std::string title8 = textToUtf8(title);
    const std::string text8 = textToUtf8(text);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title8.c_str(), text8.c_str(), window) != 0) {
        std::fprintf(stderr, "%s: %s\n", title8.c_str(), text8.c_str());
    }
}
