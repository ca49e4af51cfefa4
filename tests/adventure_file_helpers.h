// Shared pieces of the adventure file scenarios: the program started in-process
// on a fresh working folder, an adventure whose every value is distinctive, a
// value-by-value comparison, and the file cut into its CR LF lines.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/adventure.h"
#include "model/adventure_reader.h"

namespace advfile {

// Starts the program in-process on a fresh working folder named after the
// scenario and returns the folder's host path (ending with "/"), also kept in
// workFolder.
std::string startIn(const std::string& name);
extern std::string workFolder;

// Every value the file holds gets a distinctive content: texts with accents,
// blanks at both ends, characters outside the basic plane, signs and digits
// that must stay text; integers from the whole 64-bit range, out-of-range
// numbers included. `textLength` makes the long texts of the benchmark.
void fillDistinctAdventure(int64_t minorCount, int64_t majorCount, uint64_t seed, size_t textLength = 0);

// A spare adventure for comparisons (the model is too big for the stack).
extern Adventure keptAdventure;

// Every value the file holds is the same (events up to their counts).
::testing::AssertionResult sameAdventure(const Adventure& expected, const Adventure& actual);

// The lines of a file whose every line ends with CR LF; a stray CR or LF, or
// a last line without its end, makes the result empty.
std::vector<std::string> crLfLines(const std::string& bytes);

// Resets the adventure (unless told not to) and reads the file at the host
// path with the reading core; the adventure then holds what was read.
AdventureReadResult readAdventureAt(const std::string& hostPath, bool reset = true);

// Saves the adventure in memory as fileName in the working folder and returns
// the bytes written (empty when the save failed).
std::string saveBytes(const std::u16string& fileName);

}  // namespace advfile
