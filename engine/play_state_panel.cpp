// The inspector of a test play: its lines, read from the game state and the
// record of the turn, and its panel over the picture zone of the frame
// presented.
#include "engine/play_state_panel.h"

#include <string>
#include <vector>

#include "engine/command.h"
#include "engine/game_state.h"
#include "engine/screen.h"
#include "platform/program.h"

bool inspectorAllowed = false;
bool inspectorShown = false;

namespace {

// The panel lies over the picture zone, cut to the screen, and is never
// smaller than this (a zone from a file may be tiny or off the screen): it
// then grows from the zone's corner, kept on the screen.
constexpr int64_t PanelLeastWidth = 320;
constexpr int64_t PanelLeastHeight = 200;
constexpr int64_t PanelMargin = 6;
// The editor's grey, laid over the picture so that it still shows through.
constexpr Colour PanelColour = rgb(128, 128, 128);
constexpr int64_t PanelOpacity = 215;
constexpr Colour TitleColour = rgb(255, 255, 255);
constexpr Colour FrameColour = rgb(0, 0, 0);
constexpr Colour LineColour = rgb(0, 0, 0);

// The frame presented while the inspector shows: a copy of the back buffer
// with the panel over it. Made once per play.
ImageHandle inspectedFrame = 0;

int64_t clampedTo(int64_t value, int64_t low, int64_t high) {
    return value < low ? low : value > high ? high : value;
}

Zone panelZone() {
    const Zone zone = clampedZone(adventure.imageZone);
    const int64_t left = clampedTo(zone.x, 0, ScreenWidth);
    const int64_t top = clampedTo(zone.y, 0, ScreenHeight);
    const int64_t right = clampedTo(zone.x + zone.width, left, ScreenWidth);
    const int64_t bottom = clampedTo(zone.y + zone.height, top, ScreenHeight);
    const int64_t width = right - left > PanelLeastWidth ? right - left : PanelLeastWidth;
    const int64_t height = bottom - top > PanelLeastHeight ? bottom - top : PanelLeastHeight;
    return {clampedTo(left, 0, ScreenWidth - width), clampedTo(top, 0, ScreenHeight - height), width, height};
}

std::u16string numberList(const bool* ran, int64_t count) {
    std::u16string list;
    for (int64_t i = 0; i < count; ++i) {
        if (ran[i]) list += (list.empty() ? u"" : u", ") + integerToText(i);
    }
    return list.empty() ? u"aucun" : list;
}

std::u16string placeName(int64_t location) {
    if (location == NotCreated) return u"non créé";
    if (location == InInventory) return u"inventaire";
    if (location == InHand) return u"main";
    return u"salle " + integerToText(location);
}

// A line of the panel: cut to one line with "…" when it goes on, or wrapped
// over as many lines as it takes.
struct PanelEntry {
    std::u16string text;
    bool wraps;
};

std::vector<PanelEntry> inspectorEntries() {
    std::vector<PanelEntry> entries;
    entries.push_back({u"Tour " + integerToText(turnCount), false});
    const std::u16string roomText = isTableIndex(currentRoom) ? adventure.roomTexts[currentRoom] : u"";
    entries.push_back({u"Salle " + integerToText(currentRoom) + u" : " + roomText, false});
    std::u16string words;
    for (int64_t i = 0; i < commandWordCount && i < MaxCommandWords; ++i)
        words += (i > 0 ? u", " : u"") + integerToText(commandWordNumbers[i]);
    entries.push_back({u"Mots : " + (words.empty() ? u"aucun" : words), true});
    entries.push_back({u"Mineurs : " + numberList(turnRecord.minorEventRan, MaxEvents), true});
    entries.push_back({u"Majeurs : " + numberList(turnRecord.majorEventRan, MaxEvents), true});
    std::u16string setFlags;
    for (int flag = 0; flag < TableSize; ++flag) {
        if (flags[flag] == 0) continue;
        setFlags += (setFlags.empty() ? u"" : u", ") + (u"Flag " + integerToText(flag) + u" = ") +
                    integerToText(flags[flag]);
    }
    entries.push_back({setFlags.empty() ? u"Flags : tous à zéro" : setFlags, true});
    for (int object = 0; object < TableSize; ++object) {
        const int64_t location = adventure.objectLocations[object];
        const bool near = location == currentRoom || location == InInventory || location == InHand;
        if (!near && !turnRecord.objectMoved[object]) continue;
        const std::u16string& text = adventure.objectTexts[object];
        entries.push_back(
            {u"Objet " + integerToText(object) + u" : " + placeName(location) + (text.empty() ? u"" : u" (" + text + u")"),
             false});
    }
    return entries;
}

// The part of the text that fits the width, with "…" when some was left out.
std::u16string cutToWidth(const std::u16string& text, int64_t width) {
    size_t next = 0;
    const std::u16string line = takeWrappedLine(text, next, width);
    if (next >= text.size()) return line;
    next = 0;
    return takeWrappedLine(text, next, width - textWidth(u"…")) + u"…";
}

// The lines of the panel for the game state now, each cut or wrapped to the
// width in the current font.
std::vector<std::u16string> inspectorLines(int64_t width) {
    std::vector<std::u16string> lines;
    for (const PanelEntry& entry : inspectorEntries()) {
        if (!entry.wraps) {
            lines.push_back(cutToWidth(entry.text, width));
            continue;
        }
        for (size_t next = 0; next < entry.text.size();) {
            std::u16string line = takeWrappedLine(entry.text, next, width);
            if (line.empty()) break;
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace

void toggleInspector() {
    if (!inspectorAllowed) return;
    inspectorShown = !inspectorShown;
    presentFrame();
}

void presentInspectedFrame() {
    if (inspectedFrame == 0) inspectedFrame = createImage(ScreenWidth, ScreenHeight, 32);
    const Zone panel = panelZone();
    beginDrawing(inspectedFrame);
    drawImage(backBuffer, 0, 0);
    // The editor's look: a black frame, a white title bar, black lines on the
    // grey ground through which the picture shows.
    const int64_t width = panel.width - 2 * PanelMargin;
    const int64_t titleHeight = textHeight(u"X") + PanelMargin;
    fillRectBlended(panel.x, panel.y, panel.width, panel.height, PanelColour, PanelOpacity);
    fillRect(panel.x, panel.y, panel.width, titleHeight + 2, FrameColour);
    fillRect(panel.x + 1, panel.y + 1, panel.width - 2, titleHeight, TitleColour);
    fillRect(panel.x, panel.y, 1, panel.height, FrameColour);
    fillRect(panel.x + panel.width - 1, panel.y, 1, panel.height, FrameColour);
    fillRect(panel.x, panel.y + panel.height - 1, panel.width, 1, FrameColour);
    setDrawingMode(DrawMode::TransparentText);
    setFrontColour(LineColour);
    drawText(panel.x + PanelMargin, panel.y + 1 + PanelMargin / 2, cutToWidth(u"INSPECTEUR (F1 le cache)", width));
    const int64_t bottom = panel.y + panel.height - PanelMargin;
    int64_t y = panel.y + titleHeight + 2 + PanelMargin / 2;
    for (const std::u16string& line : inspectorLines(width)) {
        const int64_t height = textHeight(line);
        // What does not fit the panel is left out: only so many lines show.
        if (y + height > bottom) break;
        drawText(panel.x + PanelMargin, y, line);
        y += height;
    }
    endDrawing();
    presentImage(inspectedFrame);
}

void releaseInspectorFrame() {
    if (inspectedFrame != 0) freeImage(inspectedFrame);
    inspectedFrame = 0;
    inspectorShown = false;
}
