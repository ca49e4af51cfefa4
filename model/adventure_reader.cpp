// Reads the adventure file line by line in the writer's order. Every value is
// preceded by an end-of-file check, so a file that stops anywhere, even inside
// the event lists, is reported the same way.
#include "model/adventure_reader.h"

#include "model/adventure.h"

namespace {

bool nextText(FileHandle file, std::u16string& value) {
    if (endOfFile(file)) return false;
    value = readLine(file);
    return true;
}

bool nextInteger(FileHandle file, int64_t& value) {
    if (endOfFile(file)) return false;
    value = textToInteger(readLine(file), true);  // "$" hexadecimal, "%" binary
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

// By slot, then field, then event; the condition before the action.
template <typename Event>
bool readEventLists(FileHandle file, Event* events, int64_t count) {
    for (int slot = 0; slot < StepsPerList; ++slot) {
        for (int field = 0; field < StepFieldCount; ++field) {
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
