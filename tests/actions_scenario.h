// Shared set-up of the event and action scenarios: the program started
// in-process on a fresh working folder, the default adventure, a game state as
// a session gives it at its start, a cleared game screen, and small helpers to
// write events and read back the texts drawn.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/program.h"
#include "engine/command.h"
#include "engine/game_state.h"
#include "engine/screen.h"
#include "model/adventure.h"
#include "model/event_labels.h"
#include "tests/test_support.h"

namespace scenario {

inline EventStep step(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    return {type, arg1, arg2, 255};
}

inline void fillSteps(EventStep* slots, std::initializer_list<EventStep> steps) {
    int slot = 0;
    for (const EventStep& s : steps) slots[slot++] = s;
    for (; slot < StepsPerList; ++slot) slots[slot] = {EndOfList, 255, 255, 255};
}

inline void setMajorEvent(int index, std::initializer_list<EventStep> conditions,
                          std::initializer_list<EventStep> actions) {
    fillSteps(adventure.majorEvents[index].conditions, conditions);
    fillSteps(adventure.majorEvents[index].actions, actions);
}

inline void setMinorEvent(int index, int64_t w1, int64_t w2, int64_t w3, std::initializer_list<EventStep> conditions,
                          std::initializer_list<EventStep> actions) {
    adventure.minorEvents[index].words[0] = w1;
    adventure.minorEvents[index].words[1] = w2;
    adventure.minorEvents[index].words[2] = w3;
    fillSteps(adventure.minorEvents[index].conditions, conditions);
    fillSteps(adventure.minorEvents[index].actions, actions);
}

// The game state a session starts from, with no events in use.
inline void resetPlayState() {
    currentRoom = 0;
    turnCount = 0;
    for (int i = 0; i < TableSize; ++i) {
        flags[i] = 0;
        roomImages[i] = i;
        sampleSounds[i] = 0;
    }
    needFullRedraw = false;
    quitPending = false;
    endOfGamePending = false;
    lastCommand.clear();
    adventure.majorEventCount = 0;
    adventure.minorEventCount = 0;
}

// A fresh folder as the current directory, the default adventure, the game
// state above and a screen cleared to the program's own background. The
// output recorded so far is dropped.
inline std::string startPlay(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    resetPlayState();
    hasScreenImage = false;
    clearScreen();
    takeOutput();
    return folder;
}

struct DrawnText {
    int64_t x;
    int64_t y;
    std::string text;
};

// The "text X Y TEXT" lines of a recorded output, in drawing order.
inline std::vector<DrawnText> drawnTexts(const std::string& output) {
    std::vector<DrawnText> texts;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("text ", 0) != 0) continue;
        std::istringstream fields(line.substr(5));
        DrawnText drawn{};
        fields >> drawn.x >> drawn.y;
        std::getline(fields, drawn.text);
        if (!drawn.text.empty() && drawn.text[0] == ' ') drawn.text.erase(0, 1);
        texts.push_back(drawn);
    }
    return texts;
}

inline std::vector<std::string> textsOnly(const std::string& output) {
    std::vector<std::string> result;
    for (const DrawnText& t : drawnTexts(output)) result.push_back(t.text);
    return result;
}

// Where printInZone puts the line whose bottom lies at `bottom` (a cursor).
inline int64_t lineTop(const Zone& zone, int64_t bottom) {
    return zone.y + 2 + bottom - gameLineHeight();
}

// Every value the actions may change, to tell "nothing happened" apart.
struct PlaySnapshot {
    int64_t room;
    int64_t turns;
    std::vector<int64_t> locations, flagValues, images, handles;
    bool redraw, quit, end;
    int64_t cursors[3];
    bool operator==(const PlaySnapshot&) const = default;
};

inline PlaySnapshot snapshotPlay() {
    PlaySnapshot s{};
    s.room = currentRoom;
    s.turns = turnCount;
    s.locations.assign(adventure.objectLocations, adventure.objectLocations + TableSize);
    s.flagValues.assign(flags, flags + TableSize);
    s.images.assign(roomImages, roomImages + TableSize);
    s.handles.assign(samplePlayHandles, samplePlayHandles + TableSize);
    s.redraw = needFullRedraw;
    s.quit = quitPending;
    s.end = endOfGamePending;
    s.cursors[0] = textCursor;
    s.cursors[1] = descriptionCursor;
    s.cursors[2] = inventoryCursor;
    return s;
}

}  // namespace scenario
