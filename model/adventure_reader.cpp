// Reads the adventure file line by line in the writer's order. Every value is
// preceded by an end-of-file check, so a file that stops anywhere, even inside
// the event lists, is reported the same way.
#include "model/adventure_reader.h"

#include "model/adventure.h"

namespace {

constexpr uint64_t LargestPositive = static_cast<uint64_t>(INT64_MAX);
constexpr uint64_t LargestNegative = LargestPositive + 1;  // magnitude of INT64_MIN

// Value of one digit in the base, or -1 when the character is not one.
int digitValue(char16_t c, int base) {
    int value = -1;
    if (c >= u'0' && c <= u'9') {
        value = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
        value = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
        value = c - u'A' + 10;
    }
    return value < base ? value : -1;
}

bool nextText(FileHandle file, std::u16string& value) {
    if (endOfFile(file)) return false;
    value = readLine(file);
    return true;
}

bool nextInteger(FileHandle file, int64_t& value) {
    if (endOfFile(file)) return false;
    value = adventureLineToInteger(readLine(file));
    return true;
}

// The 24 lines of row i.
bool readRow(FileHandle file, int i) {
    for (int s = 0; s < SpellingsPerWord; ++s) {
        if (!nextText(file, adventure.vocabulary[i][s])) return false;
    }
    if (!nextText(file, adventure.messageTexts[i]) || !nextText(file, adventure.roomTexts[i])) return false;
    for (int d = 0; d < DirectionCount; ++d) {
        if (!nextInteger(file, adventure.exits[i][d])) return false;
    }
    if (!nextText(file, adventure.objectTexts[i]) || !nextInteger(file, adventure.objectLocations[i]) ||
        !nextText(file, adventure.systemMessages[i])) {
        return false;
    }
    for (int c = 0; c < AttributeCount; ++c) {
        if (!nextInteger(file, adventure.objectAttributes[i][c])) return false;
    }
    return true;
}

bool readZone(FileHandle file, Zone& zone) {
    return nextInteger(file, zone.x) && nextInteger(file, zone.y) && nextInteger(file, zone.width) &&
           nextInteger(file, zone.height);
}

int64_t& stepField(EventStep& step, int field) {
    switch (field) {
        case 0:
            return step.type;
        case 1:
            return step.arg1;
        case 2:
            return step.arg2;
        default:
            return step.arg3;
    }
}

// By slot, then field, then event; the condition before the action.
template <typename Event>
bool readEventLists(FileHandle file, Event* events, int64_t count) {
    for (int slot = 0; slot < StepsPerList; ++slot) {
        for (int field = 0; field < 4; ++field) {
            for (int64_t e = 0; e < count; ++e) {
                if (!nextInteger(file, stepField(events[e].conditions[slot], field))) return false;
                if (!nextInteger(file, stepField(events[e].actions[slot], field))) return false;
            }
        }
    }
    return true;
}

// Reads a count line. `linesFor` gets how many events have lines in the file
// (0 for a count of 0 or less); the stored count is kept within 1..1000.
AdventureReadResult readCount(FileHandle file, int64_t& stored, int64_t& linesFor) {
    int64_t count = 0;
    if (!nextInteger(file, count)) return AdventureReadResult::EndedEarly;
    if (count > MaxEvents) return AdventureReadResult::CountTooLarge;
    linesFor = count < 1 ? 0 : count;
    stored = count < 1 ? 1 : count;
    return AdventureReadResult::Complete;
}

}  // namespace

int64_t adventureLineToInteger(const std::u16string& line) {
    size_t at = 0;
    while (at < line.size() && (line[at] == u' ' || line[at] == u'\t')) ++at;
    bool negative = false;
    if (at < line.size() && (line[at] == u'-' || line[at] == u'+')) {
        negative = line[at] == u'-';
        ++at;
    }
    int base = 10;
    if (at < line.size() && line[at] == u'$') {
        base = 16;
        ++at;
    } else if (at < line.size() && line[at] == u'%') {
        base = 2;
        ++at;
    }
    const uint64_t limit = negative ? LargestNegative : LargestPositive;
    const uint64_t wide = static_cast<uint64_t>(base);
    // Below this, one more digit cannot pass the limit. Divisions by constants
    // only: the file has hundreds of thousands of integer lines.
    const uint64_t surelyFits = base == 10 ? limit / 10 : (base == 16 ? limit / 16 : limit / 2);
    uint64_t magnitude = 0;
    for (; at < line.size(); ++at) {
        const int digit = digitValue(line[at], base);
        if (digit < 0) break;
        const uint64_t value = static_cast<uint64_t>(digit);
        if (magnitude < surelyFits || magnitude <= (limit - value) / wide) {
            magnitude = magnitude * wide + value;
        } else {
            magnitude = limit;  // saturated; the remaining digits change nothing
        }
    }
    if (!negative) return static_cast<int64_t>(magnitude);
    if (magnitude == LargestNegative) return INT64_MIN;
    return -static_cast<int64_t>(magnitude);
}

AdventureReadResult readAdventureLines(FileHandle file) {
    for (int i = 0; i < TableSize; ++i) {
        if (!readRow(file, i)) return AdventureReadResult::EndedEarly;
    }
    if (!readZone(file, adventure.imageZone) || !readZone(file, adventure.descriptionZone) ||
        !readZone(file, adventure.textZone) || !readZone(file, adventure.inventoryZone)) {
        return AdventureReadResult::EndedEarly;
    }
    if (!nextInteger(file, adventure.maxObjectsInInventory) || !nextInteger(file, adventure.maxObjectsInHand)) {
        return AdventureReadResult::EndedEarly;
    }

    int64_t minorLines = 0;
    AdventureReadResult result = readCount(file, adventure.minorEventCount, minorLines);
    if (result != AdventureReadResult::Complete) return result;
    for (int64_t e = 0; e < minorLines; ++e) {
        for (int w = 0; w < WordsPerMinorEvent; ++w) {
            if (!nextInteger(file, adventure.minorEvents[e].words[w])) return AdventureReadResult::EndedEarly;
        }
    }
    if (!readEventLists(file, adventure.minorEvents, minorLines)) return AdventureReadResult::EndedEarly;

    int64_t majorLines = 0;
    result = readCount(file, adventure.majorEventCount, majorLines);
    if (result != AdventureReadResult::Complete) return result;
    if (!readEventLists(file, adventure.majorEvents, majorLines)) return AdventureReadResult::EndedEarly;
    return AdventureReadResult::Complete;
}
