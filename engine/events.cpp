#include "engine/events.h"

#include "engine/actions.h"
#include "engine/game_state.h"
#include "model/adventure.h"
#include "model/event_labels.h"

namespace {

// Location of an object, or -1 when the number cannot index the table. -1 is
// no room and no location code, so every "is it here / carried" test built on
// it comes out false; the negated tests check the index themselves.
bool objectLocation(int64_t object, int64_t& location) {
    if (!isTableIndex(object)) return false;
    location = adventure.objectLocations[object];
    return true;
}

// One event: its conditions up to the first empty slot must all hold; then
// its actions up to the first empty slot run in order. No action cuts the
// list short, not even ending or quitting the game. True when the actions
// ran.
bool evaluateEvent(const EventStep* conditions, const EventStep* actions) {
    for (int slot = 0; slot < StepsPerList; ++slot) {
        const EventStep& step = conditions[slot];
        if (step.type == EndOfList) break;
        if (!testCondition(step.type, step.arg1, step.arg2, step.arg3)) return false;
    }
    for (int slot = 0; slot < StepsPerList; ++slot) {
        const EventStep& step = actions[slot];
        if (step.type == EndOfList) break;
        executeAction(step.type, step.arg1, step.arg2, step.arg3);
    }
    return true;
}

}  // namespace

bool testCondition(int64_t type, int64_t arg1, int64_t arg2, int64_t /*arg3*/) {
    int64_t location = 0;
    switch (type) {
        case EnSalle:
            return currentRoom == arg1;
        case EnSalleInferieureA:
            return currentRoom < arg1;
        case EnSalleSuperieureA:
            return currentRoom > arg1;
        case FlagEgalAZero:
            return isTableIndex(arg1) && flags[arg1] == 0;
        case FlagPasEgalAZero:
            return isTableIndex(arg1) && flags[arg1] != 0;
        case FlagInferieurA:
            return isTableIndex(arg1) && flags[arg1] < arg2;
        case FlagEgalA:
            return isTableIndex(arg1) && flags[arg1] == arg2;
        case FlagSuperieurA:
            return isTableIndex(arg1) && flags[arg1] > arg2;
        case ObjetEnInventaire:
            return objectLocation(arg1, location) && location == InInventory;
        case ObjetEnMain:
            return objectLocation(arg1, location) && location == InHand;
        case ObjetIci:
            return objectLocation(arg1, location) && location == currentRoom;
        case ObjetPasEnInventaire:
            return objectLocation(arg1, location) && location != InInventory;
        case ObjetPasEnMain:
            return objectLocation(arg1, location) && location != InHand;
        case ObjetPasIci:
            return objectLocation(arg1, location) && location != currentRoom;
        default:
            return false;
    }
}

void evaluateMajorEvents() {
    // The count is read at every step and bounded by the table's capacity,
    // since a loaded file may hold any count.
    for (int64_t i = 0; i < adventure.majorEventCount && i < MaxEvents; ++i) {
        const MajorEvent& event = adventure.majorEvents[i];
        if (evaluateEvent(event.conditions, event.actions)) turnRecord.majorEventRan[i] = true;
    }
}

void evaluateMinorEvents(int64_t word1, int64_t word2, int64_t word3) {
    const int64_t command[WordsPerMinorEvent] = {word1, word2, word3};
    for (int64_t i = 0; i < adventure.minorEventCount && i < MaxEvents; ++i) {
        const MinorEvent& event = adventure.minorEvents[i];
        bool matches = true;
        for (int w = 0; w < WordsPerMinorEvent; ++w) {
            // A word number that is no vocabulary row (only a file can hold
            // one) matches no command.
            if (!isTableIndex(event.words[w]) || event.words[w] != command[w]) matches = false;
        }
        if (matches && evaluateEvent(event.conditions, event.actions)) turnRecord.minorEventRan[i] = true;
    }
}
