// What the player can read of the texts the game printed, followed through
// the engine's drawing into the back buffer.
#include "engine/readable_text.h"

#include <algorithm>

#include "engine/screen.h"

namespace {

struct PrintedLine {
    int64_t x;
    int64_t y;
    int64_t width;
    int64_t height;
    int64_t printedText;  // the number of the text it belongs to
    std::u16string line;
};

// The lines that show in the back buffer. No two of them overlap (a line
// drawn over another hides it), so there are never more than the screen
// holds.
std::vector<PrintedLine> shownLines;
int64_t printedTexts = 0;

bool overlaps(const PrintedLine& shown, int64_t x, int64_t y, int64_t width, int64_t height) {
    return shown.x < x + width && x < shown.x + shown.width && shown.y < y + height && y < shown.y + shown.height;
}

bool liesWithin(const PrintedLine& shown, int64_t x, int64_t y, int64_t width, int64_t height) {
    return shown.x >= x && shown.y >= y && shown.x + shown.width <= x + width && shown.y + shown.height <= y + height;
}

bool onScreen(const PrintedLine& shown) {
    return shown.width > 0 && shown.height > 0 && liesWithin(shown, 0, 0, ScreenWidth, ScreenHeight);
}

bool isBlank(const std::u16string& line) {
    return line.find_first_not_of(u' ') == std::u16string::npos;
}

// Whether `below` is the line that follows `above` in its zone.
bool continues(const PrintedLine& above, const PrintedLine& below) {
    return below.x == above.x && below.y == above.y + above.height;
}

}  // namespace

void startPrintedText() {
    ++printedTexts;
}

int64_t lastPrintedText() {
    return printedTexts;
}

void noteLinePrinted(int64_t x, int64_t y, int64_t width, int64_t height, const std::u16string& line) {
    noteAreaPainted(x, y, width, height);
    const Zone area = clampedZone({x, y, width, height});
    const PrintedLine printed = {area.x, area.y, area.width, area.height, printedTexts, line};
    if (onScreen(printed)) shownLines.push_back(printed);
}

void noteAreaPainted(int64_t x, int64_t y, int64_t width, int64_t height) {
    // Areas come from zones of adventure files, which may hold any number.
    const Zone area = clampedZone({x, y, width, height});
    std::erase_if(shownLines, [&](const PrintedLine& shown) {
        return overlaps(shown, area.x, area.y, area.width, area.height);
    });
}

void noteAreaCopied(int64_t x, int64_t y, int64_t width, int64_t height, int64_t toX, int64_t toY) {
    const Zone from = clampedZone({x, y, width, height});
    const Zone to = clampedZone({toX, toY, width, height});
    std::vector<PrintedLine> carried;
    for (const PrintedLine& shown : shownLines) {
        if (!liesWithin(shown, from.x, from.y, from.width, from.height)) continue;
        PrintedLine moved = shown;
        moved.x += to.x - from.x;
        moved.y += to.y - from.y;
        if (onScreen(moved)) carried.push_back(moved);
    }
    noteAreaPainted(to.x, to.y, to.width, to.height);
    shownLines.insert(shownLines.end(), carried.begin(), carried.end());
}

void forgetPrintedTexts() {
    shownLines.clear();
}

std::vector<std::u16string> textsReadableSince(int64_t after) {
    std::vector<PrintedLine> lines;
    for (const PrintedLine& shown : shownLines) {
        if (shown.printedText > after) lines.push_back(shown);
    }
    std::stable_sort(lines.begin(), lines.end(), [](const PrintedLine& a, const PrintedLine& b) {
        return a.printedText != b.printedText ? a.printedText < b.printedText : a.y < b.y;
    });
    std::vector<std::u16string> readable;
    auto keep = [&](const std::u16string& text) {
        if (!text.empty() && std::find(readable.begin(), readable.end(), text) == readable.end())
            readable.push_back(text);
    };
    std::u16string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool joined = i > 0 && lines[i - 1].printedText == lines[i].printedText &&
                            continues(lines[i - 1], lines[i]) && !text.empty();
        if (!joined) {
            keep(text);
            text.clear();
        }
        if (isBlank(lines[i].line)) {
            keep(text);
            text.clear();
            continue;
        }
        text += (text.empty() ? u"" : u" ") + lines[i].line;
    }
    keep(text);
    return readable;
}
