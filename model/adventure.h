// The one adventure in memory: fixed numbered tables, allocated once. A room,
// object, word or message is a row number; an unused row has empty text.
#pragma once

#include <cstdint>
#include <string>

#include "model/screen_layout.h"

constexpr int TableSize = 256;        // rows of every numbered table
constexpr int SpellingsPerWord = 10;  // synonyms of one word number
constexpr int DirectionCount = 6;     // Nord, Sud, Est, Ouest, Haut, Bas
constexpr int AttributeCount = 3;     // AssociatedWord, Takeable, Holdable
constexpr int MaxEvents = 1000;       // capacity of each kind of event
constexpr int StepsPerList = 25;      // condition or action slots of an event
constexpr int WordsPerMinorEvent = 3;

constexpr int64_t NoWord = 255;
constexpr int64_t NoExit = 255;
constexpr int64_t FirstNoExit = 253;  // every exit value from here up is no way out
constexpr int64_t NotCreated = 253;
constexpr int64_t InInventory = 254;
constexpr int64_t InHand = 255;
constexpr int64_t EndOfList = -1;

// The directions by their exit column, as the editor names them.
inline constexpr const char16_t* directionNames[DirectionCount] = {u"Nord", u"Sud", u"Est", u"Ouest", u"Haut", u"Bas"};
// The words of a minor event by their place, as the editor names them.
inline constexpr const char16_t* wordFieldTitles[WordsPerMinorEvent] = {u"VERBE", u"OBJET 1", u"OBJET 2"};

// Columns of objectAttributes.
constexpr int AssociatedWord = 0;
constexpr int Takeable = 1;
constexpr int Holdable = 2;

// One condition or action slot; type EndOfList ends the list.
struct EventStep {
    int64_t type;
    int64_t arg1;
    int64_t arg2;
    int64_t arg3;
};

// The fields of a step by their order in the adventure file: type, arg1,
// arg2, arg3.
constexpr int StepFieldCount = 4;
inline int64_t& stepField(EventStep& step, int field) {
    return field == 0 ? step.type : field == 1 ? step.arg1 : field == 2 ? step.arg2 : step.arg3;
}

struct MinorEvent {
    int64_t words[WordsPerMinorEvent];
    EventStep conditions[StepsPerList];
    EventStep actions[StepsPerList];
};

struct MajorEvent {
    EventStep conditions[StepsPerList];
    EventStep actions[StepsPerList];
};

struct Adventure {
    std::u16string vocabulary[TableSize][SpellingsPerWord];
    std::u16string messageTexts[TableSize];
    std::u16string roomTexts[TableSize];
    int64_t exits[TableSize][DirectionCount];
    std::u16string objectTexts[TableSize];
    int64_t objectLocations[TableSize];
    std::u16string systemMessages[TableSize];
    int64_t objectAttributes[TableSize][AttributeCount];
    Zone imageZone;
    Zone descriptionZone;
    Zone textZone;
    Zone inventoryZone;
    int64_t maxObjectsInInventory;
    int64_t maxObjectsInHand;
    int64_t minorEventCount;
    MinorEvent minorEvents[MaxEvents];
    int64_t majorEventCount;
    MajorEvent majorEvents[MaxEvents];
};

extern Adventure adventure;

// True when a value read from anywhere may index a 256-row table.
inline bool isTableIndex(int64_t value) {
    return value >= 0 && value < TableSize;
}

// Lowest object number whose associated word and location match; -1 if none.
int64_t findObject(int64_t word, int64_t location);

// Empties every table and writes the default adventure (castle sample, built-in
// words, system messages); leaves zones, limits and event counts alone and
// fills the condition and action label tables. Its callers put the player of
// the next game back in room 0.
void resetAdventure();

// The zones, the two object limits and the two event counts of a new adventure.
void resetLayoutSettings();
