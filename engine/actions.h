// The author's actions: one step of an event's action list changes the game
// state and the game screen. Actions are unchecked: one whose precondition does
// not hold, or whose object, flag, room, message or sample number lies outside
// 0..255, does nothing and says nothing.
#pragma once

#include <cstdint>

// Performs one action of the given type (ActionType); arg3 is never read.
// A type outside the twenty-five known ones does nothing.
void executeAction(int64_t type, int64_t arg1, int64_t arg2, int64_t arg3);
