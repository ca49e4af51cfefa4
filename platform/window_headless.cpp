// The headless runner's platform: no window but an 800 x 600 surface standing
// for it, input read from a script, a silent sound device, every text drawn
// and every message box reported (on standard output, or in memory for tests
// in the same process), sleeps recorded instead of slept, the texts each image
// shows kept, so that a walkthrough checks what the player can read, and
// questions answered as the script says.
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <unordered_map>

#include "platform/headless.h"
#include "platform/platform_internal.h"

namespace {

SDL_Surface* screen = nullptr;  // stands for the window's surface
bool screenShowsAFrame = false;  // a frame was presented onto it since it was made
bool reportInMemory = false;
std::string memoryReport;
std::u16string typedChars;  // characters of a "type" line still to hand out
int pointerX = -1;
int pointerY = -1;
std::vector<int64_t> recordedSleeps;
// The "expect" lines that failed, as "line N: TEXT", until taken; and whether
// one failed since the start (an "answer" line that failed counts too).
std::vector<std::string> unmetExpectations;
bool expectationFailed = false;

// What the player can read: the texts each image shows (the window's surface
// included), where they lie, in drawing order. A text leaves an image as soon
// as anything is painted over any part of it, so that a text cleared or drawn
// over before a frame is shown does not count; a copy of a part of an image
// takes along the texts lying wholly inside that part, so that the turn
// snapshots, the scrolled zones and the presentation carry what they show. A
// text only partly inside its image cannot be read whole and is not kept.
struct ShownText {
    int64_t x;
    int64_t y;
    int64_t width;
    int64_t height;
    std::string text;
};
std::unordered_map<ImageHandle, std::vector<ShownText>> shownTexts;
// Far more texts than any screen holds readable. Every drawing path of the
// program paints over what it replaces, but should one ever draw text after
// text on the same spot, the record of an image keeps its newest texts only
// rather than grow without end.
constexpr size_t MostTextsPerImage = 16384;

void keepTexts(ImageHandle image, const std::vector<ShownText>& texts) {
    std::vector<ShownText>& kept = shownTexts[image];
    kept.insert(kept.end(), texts.begin(), texts.end());
    if (kept.size() > MostTextsPerImage) kept.erase(kept.begin(), kept.end() - MostTextsPerImage / 2);
}

bool overlaps(const ShownText& text, int64_t x, int64_t y, int64_t width, int64_t height) {
    return text.x < x + width && x < text.x + text.width && text.y < y + height && y < text.y + text.height;
}

bool liesWithin(const ShownText& text, int64_t x, int64_t y, int64_t width, int64_t height) {
    return text.x >= x && text.y >= y && text.x + text.width <= x + width && text.y + text.height <= y + height;
}

bool liesWithinImage(const ShownText& text, ImageHandle image) {
    const SDL_Surface* surface = surfaceOf(image);
    return surface != nullptr && liesWithin(text, 0, 0, surface->w, surface->h);
}

void coverArea(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height) {
    const auto found = shownTexts.find(image);
    if (found == shownTexts.end()) return;
    std::erase_if(found->second, [&](const ShownText& text) { return overlaps(text, x, y, width, height); });
}

// The texts of the frame shown as the player reads them: each text, the lines
// of a zone read as one. The engine wraps a line where a blank was and drops
// that blank, so a text drawn at the same x exactly one line height below
// another continues it, joined with one blank.
std::vector<std::string> textsReadable() {
    std::vector<std::string> readable;
    const auto found = shownTexts.find(WindowSurface);
    if (found == shownTexts.end()) return readable;
    const std::vector<ShownText>& shown = found->second;
    auto continues = [](const ShownText& above, const ShownText& text) {
        return text.x == above.x && text.y == above.y + above.height;
    };
    auto lineBelow = [&](const ShownText& above) -> const ShownText* {
        for (const ShownText& text : shown) {
            if (continues(above, text)) return &text;
        }
        return nullptr;
    };
    for (const ShownText& text : shown) {
        if (std::any_of(shown.begin(), shown.end(), [&](const ShownText& above) { return continues(above, text); })) {
            continue;  // read with the line above
        }
        std::string joined = text.text;
        // Each line lies lower than the one before, so the chain ends.
        for (const ShownText* next = lineBelow(text); next != nullptr; next = lineBelow(*next)) {
            joined += ' ';
            joined += next->text;
        }
        readable.push_back(joined);
    }
    return readable;
}

void report(const std::string& line) {
    if (reportInMemory) {
        memoryReport += line;
        memoryReport += '\n';
    } else {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
}

int keyCodeNamed(const std::string& name) {
    if (name == "escape") return KeyEscape;
    if (name == "return") return KeyReturn;
    if (name == "backspace") return KeyBackspace;
    if (name == "up") return KeyUp;
    if (name == "down") return KeyDown;
    if (name == "left") return KeyLeft;
    if (name == "right") return KeyRight;
    if (name == "pageup") return KeyPageUp;
    if (name == "pagedown") return KeyPageDown;
    if (name == "f1") return KeyF1;
    return -1;
}

// One line of a script, understood but not yet performed.
enum class LineKind { Event, Type, Shot, Mark, Expect, Answer, Unknown };
struct ScriptLine {
    int64_t number = 0;  // in its script, from 1
    LineKind kind = LineKind::Unknown;
    PlatformEvent event;
    int pointerX = -1;  // where a click is
    int pointerY = -1;
    std::string text;  // what a type, shot, mark, expect or answer line names
};
std::deque<ScriptLine> scriptLines;
// The "answer" lines performed and not yet used, for the next questions in
// turn.
std::deque<ScriptLine> answersGiven;

// The lines that act without an event, each on a text.
LineKind textLineNamed(const std::string& word) {
    if (word == "shot") return LineKind::Shot;
    if (word == "mark") return LineKind::Mark;
    if (word == "expect") return LineKind::Expect;
    if (word == "answer") return LineKind::Answer;
    return LineKind::Unknown;
}

ScriptLine parseScriptLine(const std::string& line) {
    ScriptLine parsed;
    const size_t blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    parsed.text = blank == std::string::npos ? "" : line.substr(blank + 1);
    std::istringstream arguments(parsed.text);
    std::string extra;
    PlatformEvent& event = parsed.event;
    if (word == "click") {
        if (!(arguments >> parsed.pointerX >> parsed.pointerY) || arguments >> extra) return parsed;
        event.kind = EventKind::Click;
    } else if (word == "wheel") {
        if (!(arguments >> event.wheelNotches)) return parsed;
        for (std::string modifier; arguments >> modifier;) {
            if (modifier != "ctrl" && modifier != "shift") return parsed;
            event.modifiers |= modifier == "ctrl" ? ModControl : ModShift;
        }
        event.kind = EventKind::Wheel;
    } else if (word == "key") {
        event.keyCode = keyCodeNamed(parsed.text);
        if (event.keyCode < 0) return parsed;
        event.kind = EventKind::KeyRelease;
    } else if (word == "close" && parsed.text.empty()) {
        event.kind = EventKind::CloseRequest;
    } else if (word == "type") {
        parsed.kind = LineKind::Type;
        return parsed;
    } else if (textLineNamed(word) != LineKind::Unknown && !parsed.text.empty()) {
        parsed.kind = textLineNamed(word);
        return parsed;
    } else {
        return parsed;
    }
    parsed.kind = LineKind::Event;
    return parsed;
}

// Splits a script into its lines; false at the first line not understood
// (whose number is then given), with nothing queued.
bool parseScript(const std::string& scriptText, std::deque<ScriptLine>& parsed, int64_t& badLine) {
    std::istringstream lines(scriptText);
    std::string line;
    for (int64_t number = 1; std::getline(lines, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        ScriptLine scriptLine = parseScriptLine(line);
        scriptLine.number = number;
        if (scriptLine.kind == LineKind::Unknown) {
            badLine = number;
            return false;
        }
        parsed.push_back(scriptLine);
    }
    return true;
}

void queueParsed(std::deque<ScriptLine>& parsed) {
    for (const ScriptLine& line : parsed) scriptLines.push_back(line);
}

void reportUnmetExpectation(const ScriptLine& line) {
    expectationFailed = true;
    const std::string unmet = "line " + std::to_string(line.number) + ": " + line.text;
    if (line.kind == LineKind::Answer) {
        std::fprintf(stderr, "answer failed, %s\n", unmet.c_str());
        return;
    }
    unmetExpectations.push_back(unmet);
    std::fprintf(stderr, "expect failed, %s\n", unmet.c_str());
}

// A non-breaking blank (the French one before "!", ":" or "?") looks like
// any other blank: the player cannot tell them apart, nor can a walkthrough.
std::string withPlainBlanks(const std::string& text) {
    std::string plain;
    plain.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const bool nonBreaking = text.compare(at, 2, "\u00A0") == 0;
        plain += nonBreaking ? ' ' : text[at];
        at += nonBreaking ? 1 : 0;
    }
    return plain;
}

// Expect lines are performed when the program asks for input, so TEXT must be
// readable in the frame it shows while it waits.
void checkExpectation(const ScriptLine& line) {
    const std::string wanted = withPlainBlanks(line.text);
    bool found = false;
    for (const std::string& text : textsReadable())
        found = found || withPlainBlanks(text).find(wanted) != std::string::npos;
    if (!found) reportUnmetExpectation(line);
}

// Performs one script line: true with an event for the program, false when
// the line only acted (type, shot, mark, expect, answer).
bool performScriptLine(const ScriptLine& line, PlatformEvent& event) {
    switch (line.kind) {
        case LineKind::Event:
            event = line.event;
            if (event.kind == EventKind::Click) {
                pointerX = line.pointerX;
                pointerY = line.pointerY;
            }
            return true;
        case LineKind::Type:
            typedChars += utf8ToText(line.text);
            return false;
        case LineKind::Shot:
            if (screen == nullptr || IMG_SavePNG(screen, line.text.c_str()) != 0) {
                std::fprintf(stderr, "orvalde-headless: cannot write %s\n", line.text.c_str());
            }
            return false;
        case LineKind::Mark:
            report("mark " + line.text);
            return false;
        case LineKind::Expect:
            checkExpectation(line);
            return false;
        case LineKind::Answer:
            answersGiven.push_back(line);
            return false;
        case LineKind::Unknown:
            return false;
    }
    return false;
}

PlatformEvent nextScriptEvent() {
    PlatformEvent event;
    for (;;) {
        if (!typedChars.empty()) {
            event.kind = EventKind::CharTyped;
            event.charCode = static_cast<int>(takeFirstCharacter(typedChars));
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
        const ScriptLine line = scriptLines.front();
        scriptLines.pop_front();
        if (performScriptLine(line, event)) return event;
    }
}

}  // namespace

void queueInputScript(const std::string& scriptText) {
    std::deque<ScriptLine> parsed;
    int64_t badLine = 0;
    if (!parseScript(scriptText, parsed, badLine)) {
        std::fprintf(stderr, "unknown script line %lld\n", static_cast<long long>(badLine));
        std::abort();  // a scenario with a mistyped line must not pass by luck
    }
    queueParsed(parsed);
}

bool loadInputScriptFile(const std::u16string& path) {
    std::ifstream file(hostPath(path), std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "orvalde-headless: cannot read %s\n", hostPath(path).c_str());
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    std::deque<ScriptLine> parsed;
    int64_t badLine = 0;
    if (!parseScript(text.str(), parsed, badLine)) {
        std::fprintf(stderr, "unknown script line %lld\n", static_cast<long long>(badLine));
        return false;
    }
    queueParsed(parsed);
    return true;
}

void recordHeadlessOutputInMemory(bool inMemory) {
    reportInMemory = inMemory;
    scriptLines.clear();
    typedChars.clear();
    answersGiven.clear();
}

std::string takeHeadlessOutput() {
    std::string taken;
    taken.swap(memoryReport);
    return taken;
}

// ---------------------------------------------------------------------------
// The operations of platform.h that the real window performs on screen.

bool platformInit() {
    if (layerStarted()) return true;
    // A silent sound device, unless the caller chose one.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (SDL_Init(0) != 0 || !startDrawing()) return false;
    // A process that ends without endProgram (a test process) still releases
    // everything, so that a leak report names only real leaks.
    static const bool releasedAtExit = std::atexit(platformRelease) == 0;
    (void)releasedAtExit;
    return true;
}

void endProcess(int status) {
    // An "expect" line the program never reached is a walkthrough that did
    // not get there; so is an answer to a question never asked.
    for (const ScriptLine& line : scriptLines) {
        if (line.kind == LineKind::Expect || line.kind == LineKind::Answer) reportUnmetExpectation(line);
    }
    for (const ScriptLine& line : answersGiven) reportUnmetExpectation(line);
    platformRelease();
    std::fflush(stdout);
    std::exit(status == 0 && expectationFailed ? 3 : status);
}

SDL_Surface* windowSurface() {
    return screen;
}

void noteTextDrawn(ImageHandle target, int64_t x, int64_t y, int64_t width, int64_t height,
                   const std::u16string& text) {
    const std::string utf8 = textToUtf8(text);
    if (target != WindowSurface) report("text " + std::to_string(x) + " " + std::to_string(y) + " " + utf8);
    const ShownText shown = {x, y, width, height, utf8};
    if (width > 0 && height > 0 && liesWithinImage(shown, target)) keepTexts(target, {shown});
}

void noteAreaCovered(ImageHandle target, int64_t x, int64_t y, int64_t width, int64_t height) {
    coverArea(target, x, y, width, height);
}

void noteImageCopied(ImageHandle source, int64_t x, int64_t y, int64_t width, int64_t height, ImageHandle target,
                     int64_t toX, int64_t toY) {
    const SDL_Surface* from = surfaceOf(source);
    if (from == nullptr) return;
    // Only the part of the area inside the source is copied.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(x + width, from->w);
    const int64_t bottom = std::min<int64_t>(y + height, from->h);
    if (right <= left || bottom <= top) return;
    const int64_t shiftX = toX - x;
    const int64_t shiftY = toY - y;
    std::vector<ShownText> carried;
    const auto found = shownTexts.find(source);
    if (found != shownTexts.end()) {
        for (const ShownText& text : found->second) {
            if (!liesWithin(text, left, top, right - left, bottom - top)) continue;
            ShownText moved = text;
            moved.x += shiftX;
            moved.y += shiftY;
            if (liesWithinImage(moved, target)) carried.push_back(moved);
        }
    }
    coverArea(target, left + shiftX, top + shiftY, right - left, bottom - top);
    if (!carried.empty()) keepTexts(target, carried);
}

void noteImageGone(ImageHandle image) {
    shownTexts.erase(image);
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
    screenShowsAFrame = false;
    noteImageGone(WindowSurface);
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

// Presents as the real window does, what differs in the areas drawn; the
// record of the texts shown is carried whole, as by a copy of the whole image.
void presentImage(ImageHandle image) {
    SDL_Surface* source = surfaceOf(image);
    if (source == nullptr || screen == nullptr) return;
    static std::vector<SDL_Rect> changed;  // kept from frame to frame
    presentOnto(image, screen, !screenShowsAFrame, changed);
    screenShowsAFrame = true;
    noteImageCopied(image, 0, 0, source->w, source->h, WindowSurface, 0, 0);
}

// A box's lines read as one text, joined by blanks.
static void reportBox(const std::u16string& title, const std::u16string& text) {
    std::string line = "box " + textToUtf8(title) + " | " + textToUtf8(text);
    std::replace(line.begin(), line.end(), '\n', ' ');
    report(line);
}

void messageBox(const std::u16string& title, const std::u16string& text) {
    reportBox(title, text);
}

// The button the next "answer" line names; `no` without one, and when the
// line names neither button (which fails as an unmet "expect" does).
bool askQuestion(const std::u16string& title, const std::u16string& text, const std::u16string& yes,
                 const std::u16string& no) {
    reportBox(title, text);
    bool chosen = false;
    if (!answersGiven.empty()) {
        const ScriptLine line = answersGiven.front();
        answersGiven.pop_front();
        chosen = line.text == textToUtf8(yes);
        if (!chosen && line.text != textToUtf8(no)) reportUnmetExpectation(line);
    }
    report("answer " + textToUtf8(chosen ? yes : no));
    return chosen;
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

std::vector<std::string> takeUnmetExpectations() {
    std::vector<std::string> taken;
    taken.swap(unmetExpectations);
    return taken;
}
