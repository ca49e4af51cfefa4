// What a game session knows beyond the adventure itself. One instance for the
// whole run; the session gives it its starting values.
#pragma once

#include <cstdint>

#include "model/adventure.h"
#include "platform/platform.h"

extern int64_t currentRoom;
extern int64_t turnCount;
extern int64_t flags[TableSize];
extern int64_t roomImages[TableSize];
extern SoundHandle sampleSounds[TableSize];
extern int64_t samplePlayHandles[TableSize];  // kept from one session to the next
extern bool needFullRedraw;
extern bool quitPending;
extern bool endOfGamePending;

// What the turn under way has done, kept for the inspector: since the
// player's last command was entered (or the play began), the events whose
// actions ran, by number, and the objects an action moved. The session
// empties it when a command is entered.
struct TurnRecord {
    bool minorEventRan[MaxEvents];
    bool majorEventRan[MaxEvents];
    bool objectMoved[TableSize];
};
extern TurnRecord turnRecord;
