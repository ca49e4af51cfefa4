// Writing an adventure file: every value of `adventure`, one per line.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// An integer line: decimal, "-" when negative, no sign, zeros or blanks
// otherwise.
std::u16string adventureIntegerLine(int64_t value);

// Writes the whole adventure into the file created for writing; false as soon
// as one line could not be written (the file is then incomplete).
bool writeAdventureLines(FileHandle file);
