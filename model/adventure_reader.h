// Reading an adventure file: the integer reading rule of its lines and the
// reading core, which reports how the file ended instead of ending the program
// (loadAdventure turns a bad result into the fatal message).
#pragma once

#include <cstdint>
#include <string>

#include "app/platform.h"

enum class AdventureReadResult {
    Complete,       // every value was read; later lines are ignored
    EndedEarly,     // the file ended before its last value
    CountTooLarge,  // an event count above the 1000 events of each table
};

// One line of the file as an integer: leading blanks and tabs skipped, an
// optional "-" or "+", then decimal digits, or "$" and hexadecimal digits, or
// "%" and binary digits, up to the first other character. No digits gives 0.
// A run of digits beyond the 64-bit range saturates at the largest (or, with
// "-", the smallest) 64-bit value instead of wrapping, so that a huge number
// never turns into a small valid-looking one.
int64_t adventureLineToInteger(const std::u16string& line);

// Resets nothing: reads every value of the adventure from the open file into
// `adventure`, in the order the writer writes them. An event count of 0 or
// less reads no lines for that kind of event and is kept as 1 (one empty
// event); a count above 1000 stops the reading. Counts are stored only once
// they lie in 1..1000, so the tables are never indexed outside their rows.
AdventureReadResult readAdventureLines(FileHandle file);
