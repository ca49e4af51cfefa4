// Writes the adventure file: the 256 rows, the zones, the limits, then the
// minor and major events, one value per line (the line order is the file's
// whole structure, there are no markers).
#include "model/adventure_writer.h"

#include "model/adventure.h"

namespace {

bool putText(FileHandle file, const std::u16string& text) {
    return writeLine(file, text);
}

// Decimal digits of the value into the text, reusing its storage.
void formatInteger(int64_t value, std::u16string& text) {
    char16_t digits[24];
    int at = 24;
    // The magnitude as unsigned, so that the smallest 64-bit value is written too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        digits[--at] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[--at] = u'-';
    text.assign(digits + at, digits + 24);
}

// One line buffer for the hundreds of thousands of integer lines of a file.
std::u16string integerLine;

bool putInteger(FileHandle file, int64_t value) {
    formatInteger(value, integerLine);
    return writeLine(file, integerLine);
}

bool writeRow(FileHandle file, int i) {
    for (int s = 0; s < SpellingsPerWord; ++s) {
        if (!putText(file, adventure.vocabulary[i][s])) return false;
    }
    if (!putText(file, adventure.messageTexts[i]) || !putText(file, adventure.roomTexts[i])) return false;
    for (int d = 0; d < DirectionCount; ++d) {
        if (!putInteger(file, adventure.exits[i][d])) return false;
    }
    if (!putText(file, adventure.objectTexts[i]) || !putInteger(file, adventure.objectLocations[i]) ||
        !putText(file, adventure.systemMessages[i])) {
        return false;
    }
    for (int c = 0; c < AttributeCount; ++c) {
        if (!putInteger(file, adventure.objectAttributes[i][c])) return false;
    }
    return true;
}

bool writeZone(FileHandle file, const Zone& zone) {
    return putInteger(file, zone.x) && putInteger(file, zone.y) && putInteger(file, zone.width) &&
           putInteger(file, zone.height);
}

// By slot, then field, then event; the condition before the action.
template <typename Event>
bool writeEventLists(FileHandle file, Event* events, int64_t count) {
    for (int slot = 0; slot < StepsPerList; ++slot) {
        for (int field = 0; field < StepFieldCount; ++field) {
            for (int64_t e = 0; e < count; ++e) {
                if (!putInteger(file, stepField(events[e].conditions[slot], field))) return false;
                if (!putInteger(file, stepField(events[e].actions[slot], field))) return false;
            }
        }
    }
    return true;
}

// The counts in memory always lie in 1..1000; should one ever be broken, the
// file still says what it holds and the writer never reads past the table
// (a count above 1000 is written as 1000, one of 0 or less has no lines).
int64_t countToWrite(int64_t count) {
    return count > MaxEvents ? MaxEvents : count;
}
int64_t linesFor(int64_t count) {
    return count < 0 ? 0 : count;
}

}  // namespace

std::u16string adventureIntegerLine(int64_t value) {
    std::u16string text;
    formatInteger(value, text);
    return text;
}

bool writeAdventureLines(FileHandle file) {
    for (int i = 0; i < TableSize; ++i) {
        if (!writeRow(file, i)) return false;
    }
    if (!writeZone(file, adventure.imageZone) || !writeZone(file, adventure.descriptionZone) ||
        !writeZone(file, adventure.textZone) || !writeZone(file, adventure.inventoryZone)) {
        return false;
    }
    if (!putInteger(file, adventure.maxObjectsInInventory) || !putInteger(file, adventure.maxObjectsInHand)) {
        return false;
    }

    const int64_t minorCount = countToWrite(adventure.minorEventCount);
    if (!putInteger(file, minorCount)) return false;
    for (int64_t e = 0; e < linesFor(minorCount); ++e) {
        for (int w = 0; w < WordsPerMinorEvent; ++w) {
            if (!putInteger(file, adventure.minorEvents[e].words[w])) return false;
        }
    }
    if (!writeEventLists(file, adventure.minorEvents, linesFor(minorCount))) return false;

    const int64_t majorCount = countToWrite(adventure.majorEventCount);
    if (!putInteger(file, majorCount)) return false;
    return writeEventLists(file, adventure.majorEvents, linesFor(majorCount));
}
