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
