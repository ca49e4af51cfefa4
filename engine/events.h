// The adventure's own logic: the test of one condition and the two loops that
// consider the minor events (tied to a command) and the major events (tried
// once per turn), running the actions of every event whose conditions hold.
#pragma once

#include <cstdint>

// True when the condition of the given type holds in the current game state.
// Reads the state only. A type outside the fourteen known ones, or an object
// or flag number outside 0..255, never holds.
bool testCondition(int64_t type, int64_t arg1, int64_t arg2, int64_t arg3);

// Every major event in index order; each one whose conditions hold runs its
// actions at once, so later events see what earlier ones changed.
void evaluateMajorEvents();

// Every minor event whose three words equal word1, word2, word3 (NoWord for an
// empty position), in index order, as evaluateMajorEvents does.
void evaluateMinorEvents(int64_t word1, int64_t word2, int64_t word3);
