// What the two SDL windows share, the real one (window_sdl.cpp) and the web
// one (window_web.cpp): the window and its surface, SDL's queue read into the
// program's events (clicks completed on the surface, keys released, the
// characters of a text input one by one), the pointer, sleeping and the end of the process.
#include <cstdio>
#include <cstdlib>

#include "platform/platform_internal.h"

namespace {

SDL_Window* window = nullptr;
int windowWidth = 0;  // of its client area, as opened
int windowHeight = 0;
bool mouseDownOnSurface = false;
// Characters of one text-input event, handed out one whole character per
// call (a character outside 16 bits is one event, not two halves).
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
                case SDLK_LEFT:
                    result.keyCode = KeyLeft;
                    break;
                case SDLK_RIGHT:
                    result.keyCode = KeyRight;
                    break;
                case SDLK_DOWN:
                    result.keyCode = KeyDown;
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

}  // namespace

PlatformEvent takeQueuedEvent() {
    PlatformEvent result;
    for (;;) {
        if (!pendingTypedChars.empty()) {
            result.kind = EventKind::CharTyped;
            result.charCode = static_cast<int>(takeFirstCharacter(pendingTypedChars));
            return result;
        }
        SDL_Event event;
        if (SDL_PollEvent(&event) == 0) return result;
        if (event.type == SDL_TEXTINPUT) {
            for (char16_t c : utf8ToText(event.text.text)) {
                if (c >= 32) pendingTypedChars.push_back(c);
            }
            continue;
        }
        result = translate(event);
        if (result.kind != EventKind::None) return result;
        // Events the program does not use (motion, key presses, window
        // changes) are passed over.
    }
}

void endProcess(int status) {
    platformRelease();
    std::fflush(stdout);
    std::exit(status);
}

SDL_Window* sdlWindow() {
    return window;
}

SDL_Surface* windowSurface() {
    return window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
}

const std::vector<SDL_Rect>& presentOntoWindowSurface(ImageHandle image) {
    static SDL_Surface* screenShown = nullptr;
    static std::vector<SDL_Rect> changed;  // kept from frame to frame
    SDL_Surface* screen = windowSurface();
    changed.clear();
    if (surfaceOf(image) == nullptr || screen == nullptr) return changed;
    presentOnto(image, screen, screen != screenShown, changed);
    screenShown = screen;
    return changed;
}

// The headless runner's record of the texts shown; the windows keep none.
void noteTextDrawn(ImageHandle, int64_t, int64_t, int64_t, int64_t, const std::u16string&) {}
void noteAreaCovered(ImageHandle, int64_t, int64_t, int64_t, int64_t) {}
void noteImageCopied(ImageHandle, int64_t, int64_t, int64_t, int64_t, ImageHandle, int64_t, int64_t) {}
void noteImageGone(ImageHandle) {}

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
    keepLastFrameShown();
    SDL_DestroyWindow(window);
    window = nullptr;
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

