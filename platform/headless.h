// The headless runner's own operations, beside those of platform.h: its
// scripted input, where its reports go, and what tests read back. Only the
// headless implementation (window_headless.cpp) provides them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// Appends the lines of a script file, or of a text. Lines: click X Y | wheel
// N [ctrl] [shift] | key NAME | type TEXT | close | shot FILE | mark TEXT |
// expect TEXT. Blank lines and lines starting with '#' are skipped. An expect
// line is checked when the program next asks for input: TEXT must be within a
// text the frame then shown lets the player read (the lines of a zone read as
// one text). A file that cannot be read or holds a line of no known form is
// refused whole (false, with the reason on standard error); a text with such
// a line stops the process.
bool loadInputScriptFile(const std::u16string& path);
void queueInputScript(const std::string& scriptText);
// Where reports go: standard output (the default) or a memory record that
// takeHeadlessOutput returns and empties. Choosing drops pending script lines.
void recordHeadlessOutputInMemory(bool inMemory);
std::string takeHeadlessOutput();
// The milliseconds asked of every sleep since the last call, in order.
std::vector<int64_t> takeRecordedSleeps();
// Colour of one pixel, -1 outside the image.
Colour readPixel(ImageHandle image, int64_t x, int64_t y);
bool saveImagePng(ImageHandle image, const std::u16string& path);
// How many images are alive (the game must not let this grow turn after turn).
int64_t liveImageCount();
// The expect lines that failed since the last call, as "line N: TEXT".
std::vector<std::string> takeUnmetExpectations();
