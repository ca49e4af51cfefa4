// Reading an adventure file: the reading core, which reports how the file
// ended instead of ending the program (loadAdventure turns a bad result into
// the fatal message).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

enum class AdventureReadResult {
    Complete,       // every value was read; later lines are ignored
    EndedEarly,     // the file ended before its last value
    CountTooLarge,  // an event count above the 1000 events of each table
};

// Resets nothing: reads every value of the adventure from the open file into
// `adventure`, in the order the writer writes them. An event count of 0 or
// less reads no lines for that kind of event and is kept as 1 (one empty
// event); a count above 1000 stops the reading. Counts are stored only once
// they lie in 1..1000, so the tables are never indexed outside their rows.
AdventureReadResult readAdventureLines(FileHandle file);
