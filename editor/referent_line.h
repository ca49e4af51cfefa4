// The line a page shows, in free space of its own, while one of its numbers
// is chosen: what that number refers to (the object's or room's text, the
// message, the word's first spelling, the sample's file name...), so that
// the author need not remember what number 12 is.
#pragma once

#include <cstdint>
#include <string>

#include "model/event_labels.h"

// "Salle 7 : La cave.", "Mot 20 : LAMPE", "Flag 5"; the text is never changed.
std::u16string referentText(ArgumentKind kind, int64_t value);

// The text as far as it fits the width, cut with "…" when it does not.
std::u16string cutToWidth(const std::u16string& text, int64_t width);

// The referent of the value in black from (x, y), cut to the width.
void drawReferentLine(ArgumentKind kind, int64_t value, int64_t x, int64_t y, int64_t width);
