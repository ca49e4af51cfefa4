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

// Presents the image: only the rectangles that changed within the areas
// drawn since the last presentation are sent to the windowing system, so that
// a typed character or a scrolled zone costs what it changes rather than a
// whole frame.
void presentImage(ImageHandle image) {
    const std::vector<SDL_Rect>& changed = presentOntoWindowSurface(image);
    if (!changed.empty()) SDL_UpdateWindowSurfaceRects(sdlWindow(), changed.data(), static_cast<int>(changed.size()));
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
