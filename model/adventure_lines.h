// The adventure file's lines: every value of `adventure`, one per line, in the
// one order that reading and writing both walk (the line order is the file's
// whole structure; there are no markers). loadAdventure and saveAdventure
// turn a bad result into the box "Erreur".
#pragma once

#include "platform/platform.h"

enum class AdventureReadResult {
    Complete,       // every value was read; later lines are ignored
    EndedEarly,     // the file ended before its last value
    CountTooLarge,  // an event count above the 1000 events of each table
};

// Resets nothing: reads every value of the adventure from the open file into
// `adventure`. An event count of 0 or less reads no lines for that kind of
// event and is kept as 1 (one empty event); a count above 1000 stops the
// reading. Counts are stored only once they lie in 1..1000, so the tables are
// never indexed outside their rows.
AdventureReadResult readAdventureLines(FileHandle file);

// Writes the whole adventure into the file created for writing; false as soon
// as one line could not be written (the file is then incomplete).
bool writeAdventureLines(FileHandle file);
