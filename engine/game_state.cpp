#include "engine/game_state.h"

int64_t currentRoom = 0;
int64_t turnCount = 0;
int64_t flags[TableSize] = {};
int64_t roomImages[TableSize] = {};
SoundHandle sampleSounds[TableSize] = {};
int64_t samplePlayHandles[TableSize] = {};
bool needFullRedraw = true;
bool quitPending = false;
bool endOfGamePending = false;
TurnRecord turnRecord = {};
