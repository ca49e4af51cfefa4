// The headless runner's platform: no window but an 800 x 600 surface standing
// for it, input read from a script, a silent sound device, every text drawn
// and every message box reported (on standard output, or in memory for tests
// in the same process), sleeps recorded instead of slept.
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>

#include "platform/headless.h"
#include "platform/platform_internal.h"

namespace {

bool initialised = false;
SDL_Surface* screen = nullptr;  // stands for the window's surface
bool reportInMemory = false;
std::string memoryReport;
std::deque<std::string> scriptLines;
std::u16string typedChars;  // characters of a "type" line still to hand out
int pointerX = -1;
int pointerY = -1;
std::vector<int64_t> recordedSleeps;

void report(const std::string& line) {
    if (reportInMemory) {
        memoryReport += line;
        memoryReport += '\n';
    } else {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
}

PlatformEvent keyRelease(int code) {
    PlatformEvent event;
    event.kind = EventKind::KeyRelease;
    event.keyCode = code;
    return event;
}

int keyCodeNamed(const std::string& name) {
    if (name == "escape") return KeyEscape;
    if (name == "return") return KeyReturn;
    if (name == "backspace") return KeyBackspace;
    if (name == "up") return KeyUp;
    if (name == "down") return KeyDown;
    if (name == "pageup") return KeyPageUp;
    if (name == "pagedown") return KeyPageDown;
    return -1;
}

void warn(const std::string& line) {
    std::fprintf(stderr, "orvalde-headless: script line not understood: %s\n", line.c_str());
}

// One script line: true with an event, false when the line only acted (shot,
// mark, type) or was not understood.
bool scriptLineEvent(const std::string& line, PlatformEvent& event) {
    const size_t blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    std::istringstream arguments(rest);
    if (word == "click") {
        int x = 0;
        int y = 0;
        if (!(arguments >> x >> y)) {
            warn(line);
            return false;
        }
        pointerX = x;
        pointerY = y;
        event.kind = EventKind::Click;
        return true;
    }
    if (word == "wheel") {
        int notches = 0;
        std::string modifier;
        if (!(arguments >> notches)) {
            warn(line);
            return false;
        }
        event.kind = EventKind::Wheel;
        event.wheelNotches = notches;
        while (arguments >> modifier) {
            event.modifiers |= modifier == "ctrl" ? ModControl : modifier == "shift" ? ModShift : 0;
            if (modifier != "ctrl" && modifier != "shift") {
                warn(line);
                return false;
            }
        }
        return true;
    }
    if (word == "key") {
        const int code = keyCodeNamed(rest);
        if (code < 0) {
            warn(line);
            return false;
        }
        event = keyRelease(code);
        return true;
    }
    if (word == "type") {
        typedChars += utf8ToText(rest);
        return false;
    }
    if (word == "close") {
        event.kind = EventKind::CloseRequest;
        return true;
    }
    if (word == "shot") {
        if (screen == nullptr || IMG_SavePNG(screen, rest.c_str()) != 0) {
            std::fprintf(stderr, "orvalde-headless: cannot write %s\n", rest.c_str());
        }
        return false;
    }
    if (word == "mark") {
        report("mark " + rest);
        return false;
    }
    warn(line);
    return false;
}

}  // namespace

void queueInputScript(const std::string& scriptText) {
    std::istringstream lines(scriptText);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        scriptLines.push_back(line);
    }
}

bool loadInputScriptFile(const std::u16string& path) {
    std::ifstream file(hostPath(path), std::ios::binary);
    if (!file) return false;
    std::ostringstream text;
    text << file.rdbuf();
    queueInputScript(text.str());
    return true;
}

void recordHeadlessOutputInMemory(bool inMemory) {
    reportInMemory = inMemory;
    scriptLines.clear();
    typedChars.clear();
}

std::string takeHeadlessOutput() {
    std::string taken;
    taken.swap(memoryReport);
    return taken;
}

static PlatformEvent nextScriptEvent() {
    PlatformEvent event;
    for (;;) {
        if (!typedChars.empty()) {
            event.kind = EventKind::CharTyped;
            event.charCode = typedChars.front();
            typedChars.erase(0, 1);
            if (event.charCode < 32) continue;
            return event;
        }
        if (scriptLines.empty()) {
            if (reportInMemory) {
                // In-process scenarios must end their own scripts; running out
                // means the program waits for input the scenario never gives.
                std::fprintf(stderr, "scripted input ran out; last output:\n%s\n", memoryReport.c_str());
                std::abort();
            }
            event.kind = EventKind::CloseRequest;
            return event;
        }
        const std::string line = scriptLines.front();
        scriptLines.pop_front();
        if (scriptLineEvent(line, event)) return event;
    }
}

// ---------------------------------------------------------------------------
// The operations of platform.h that the real window performs on screen.

bool platformInit() {
    if (initialised) return true;
    // A silent sound device, unless the caller chose one.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(0) != 0 || !startDrawing()) return false;
    initialised = true;
    // A process that ends without endProgram (a test process) still releases
    // everything, so that a leak report names only real leaks.
    static const bool releasedAtExit = std::atexit(platformRelease) == 0;
    (void)releasedAtExit;
    return true;
}

void platformRelease() {
    if (!initialised) return;
    releaseSound();
    stopDrawing();
    releaseFiles();
    closeWindow();
    SDL_Quit();
    initialised = false;
}

SDL_Surface* windowSurface() {
    return screen;
}

void noteTextDrawn(int64_t x, int64_t y, const std::u16string& text) {
    report("text " + std::to_string(x) + " " + std::to_string(y) + " " + textToUtf8(text));
}

bool openWindow(int width, int height) {
    if (screen == nullptr) screen = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
    return screen != nullptr;
}

bool createDrawingSurface() {
    return screen != nullptr;
}

void focusDrawingSurface() {}

void setWindowTitle(const std::u16string&) {}

void closeWindow() {
    if (screen != nullptr) SDL_FreeSurface(screen);
    screen = nullptr;
}

PlatformEvent pollEvent(int) {
    return nextScriptEvent();
}

void pointerPosition(int& x, int& y) {
    x = pointerX;
    y = pointerY;
}

void sleepMs(int64_t milliseconds) {
    recordedSleeps.push_back(milliseconds);
}

void presentImage(ImageHandle image) {
    SDL_Surface* source = surfaceOf(image);
    if (source == nullptr || screen == nullptr) return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source, nullptr, screen, nullptr);
}

bool messageBox(const std::u16string& title, const std::u16string& text, bool) {
    report("box " + textToUtf8(title) + " | " + textToUtf8(text));
    return false;
}

// ---------------------------------------------------------------------------
// The runner's own operations (headless.h).

std::vector<int64_t> takeRecordedSleeps() {
    std::vector<int64_t> taken;
    taken.swap(recordedSleeps);
    return taken;
}

Colour readPixel(ImageHandle image, int64_t x, int64_t y) {
    SDL_Surface* surface = surfaceOf(image);
    if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h) return -1;
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    Uint32 pixel = 0;
    SDL_memcpy(&pixel, row + x * surface->format->BytesPerPixel, surface->format->BytesPerPixel);
    Uint8 r = 0, g = 0, b = 0;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    return rgb(r, g, b);
}

bool saveImagePng(ImageHandle image, const std::u16string& path) {
    SDL_Surface* surface = surfaceOf(image);
    return surface != nullptr && IMG_SavePNG(surface, hostPath(path).c_str()) == 0;
}

int64_t liveImageCount() {
    return countLiveImages();
}
