// What the player can read of the texts the game printed. Every line that
// printInZone draws into the back buffer is followed as the engine draws on:
// a line goes as soon as anything is painted over any part of it and moves
// with an area copied elsewhere when it lies wholly inside. The recorder
// writes its walkthrough checks from this, the engine's own knowledge, which
// is the same in the real window and the headless runner; the runner's checks
// read the frame shown the same way, so what is readable here is readable
// there.
//
// Screen coordinates; a line partly outside the screen cannot be read whole
// and is not kept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A new printed text begins: the lines noted next are its own. Numbers grow
// from one text to the next.
void startPrintedText();
int64_t lastPrintedText();
void noteLinePrinted(int64_t x, int64_t y, int64_t width, int64_t height, const std::u16string& line);

void noteAreaPainted(int64_t x, int64_t y, int64_t width, int64_t height);
// The area (its part on the screen) copied with its top-left corner at
// (toX, toY), over what was there.
void noteAreaCopied(int64_t x, int64_t y, int64_t width, int64_t height, int64_t toX, int64_t toY);
// Nothing printed is on the screen any more (the start of a play).
void forgetPrintedTexts();

// The texts printed after the one numbered `after` that can still be read,
// in printing order, each once: its lines that still show, one below the
// other, joined by one blank as the walkthrough checks read a zone. A text
// whose first lines have scrolled away gives its lines left; one cut by a
// line that went, or by a blank line, gives each part.
std::vector<std::u16string> textsReadableSince(int64_t after);
