// Headless mode: input from a script, reports to standard output or memory.
#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>

#include "app/platform_internal.h"

namespace {

bool headless = false;
bool reportInMemory = false;
std::string memoryReport;
std::deque<std::string> scriptLines;
std::u16string typedChars;  // characters of a "type" line still to hand out
int pointerX = -1;
int pointerY = -1;

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
        arguments >> modifier;
        event.kind = EventKind::Wheel;
        event.wheelNotches = notches;
        event.modifiers = modifier == "ctrl" ? ModControl : 0;
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
        SDL_Surface* frame = presentedFrame();
        if (frame == nullptr || IMG_SavePNG(frame, rest.c_str()) != 0) {
            std::fprintf(stderr, "orvalde-headless: cannot write %s\n", rest.c_str());
        }
        return false;
    }
    if (word == "mark") {
        headlessReport("mark " + rest);
        return false;
    }
    warn(line);
    return false;
}

}  // namespace

void useHeadlessMode() {
    headless = true;
}
bool isHeadless() {
    return headless;
}
bool headlessModeOn() {
    return headless;
}

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

void headlessReport(const std::string& line) {
    if (reportInMemory) {
        memoryReport += line;
        memoryReport += '\n';
    } else {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
}

void headlessPointer(int& x, int& y) {
    x = pointerX;
    y = pointerY;
}

PlatformEvent nextScriptEvent() {
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
