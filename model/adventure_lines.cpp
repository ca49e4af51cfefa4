// The walk through the adventure file's lines: the 256 rows, the zones, the
// limits, then the minor and major events. Reading and writing follow the
// same walk; each line is either written from the value or read into it.
// Reading checks for the end of the file before every value, so a file that
// stops anywhere, even inside the event lists, is reported the same way.
#include "model/adventure_lines.h"

#include "model/adventure.h"

namespace {

// The file being walked and which way.
struct LineWalk {
    FileHandle file;
    bool writing;
    bool countTooLarge;  // reading stopped at an event count above 1000
};

// A text line; false when it could not be written, or the file ended before it.
bool textLine(LineWalk& walk, std::u16string& value) {
    if (walk.writing) return writeLine(walk.file, value);
    if (endOfFile(walk.file)) return false;
    value = readLine(walk.file);
    return true;
}

// An integer line: decimal, "-" when negative. Read back, "$" introduces
// hexadecimal and "%" binary digits.
bool integerLine(LineWalk& walk, int64_t& value) {
    if (walk.writing) return writeIntegerLine(walk.file, value);
    if (endOfFile(walk.file)) return false;
    value = readIntegerLine(walk.file);
    return true;
}

// An event count line; `events` gets how many events have lines in the file
// (none for a count of 0 or less). Read, the count is stored only within
// 1..1000. The counts in memory always lie in 1..1000; should one ever be
// broken, the file still says what it holds and the writer never reads past
// the table (a count above 1000 is written as 1000).
bool countLine(LineWalk& walk, int64_t& count, int64_t& events) {
    int64_t line = count > MaxEvents ? MaxEvents : count;
    if (!integerLine(walk, line)) return false;
    events = line < 1 ? 0 : line;
    if (walk.writing) return true;
    walk.countTooLarge = line > MaxEvents;
    if (walk.countTooLarge) return false;
    count = line < 1 ? 1 : line;
    return true;
}

// The 24 lines of row i.
bool walkRow(LineWalk& walk, int i) {
    for (int s = 0; s < SpellingsPerWord; ++s) {
        if (!textLine(walk, adventure.vocabulary[i][s])) return false;
    }
    if (!textLine(walk, adventure.messageTexts[i]) || !textLine(walk, adventure.roomTexts[i])) return false;
    for (int d = 0; d < DirectionCount; ++d) {
        if (!integerLine(walk, adventure.exits[i][d])) return false;
    }
    if (!textLine(walk, adventure.objectTexts[i]) || !integerLine(walk, adventure.objectLocations[i]) ||
        !textLine(walk, adventure.systemMessages[i])) {
        return false;
    }
    for (int c = 0; c < AttributeCount; ++c) {
        if (!integerLine(walk, adventure.objectAttributes[i][c])) return false;
    }
    return true;
}

bool walkZone(LineWalk& walk, Zone& zone) {
    return integerLine(walk, zone.x) && integerLine(walk, zone.y) && integerLine(walk, zone.width) &&
           integerLine(walk, zone.height);
}

// By slot, then field, then event; the condition before the action.
template <typename Event>
bool walkEventLists(LineWalk& walk, Event* events, int64_t count) {
    for (int slot = 0; slot < StepsPerList; ++slot) {
        for (int field = 0; field < StepFieldCount; ++field) {
            for (int64_t e = 0; e < count; ++e) {
                if (!integerLine(walk, stepField(events[e].conditions[slot], field))) return false;
                if (!integerLine(walk, stepField(events[e].actions[slot], field))) return false;
            }
        }
    }
    return true;
}

bool walkAdventure(LineWalk& walk) {
    for (int i = 0; i < TableSize; ++i) {
        if (!walkRow(walk, i)) return false;
    }
    if (!walkZone(walk, adventure.imageZone) || !walkZone(walk, adventure.descriptionZone) ||
        !walkZone(walk, adventure.textZone) || !walkZone(walk, adventure.inventoryZone)) {
        return false;
    }
    if (!integerLine(walk, adventure.maxObjectsInInventory) || !integerLine(walk, adventure.maxObjectsInHand)) {
        return false;
    }

    int64_t minorEvents = 0;
    if (!countLine(walk, adventure.minorEventCount, minorEvents)) return false;
    for (int64_t e = 0; e < minorEvents; ++e) {
        for (int w = 0; w < WordsPerMinorEvent; ++w) {
            if (!integerLine(walk, adventure.minorEvents[e].words[w])) return false;
        }
    }
    if (!walkEventLists(walk, adventure.minorEvents, minorEvents)) return false;

    int64_t majorEvents = 0;
    if (!countLine(walk, adventure.majorEventCount, majorEvents)) return false;
    return walkEventLists(walk, adventure.majorEvents, majorEvents);
}

}  // namespace

AdventureReadResult readAdventureLines(FileHandle file) {
    LineWalk walk = {file, false, false};
    if (walkAdventure(walk)) return AdventureReadResult::Complete;
    return walk.countTooLarge ? AdventureReadResult::CountTooLarge : AdventureReadResult::EndedEarly;
}

bool writeAdventureLines(FileHandle file) {
    LineWalk walk = {file, true, false};
    return walkAdventure(walk);
}
