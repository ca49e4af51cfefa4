// The drawing routines every editor page is built from, and the text-field
// model shared by the pages that let the author type a text. Everything draws
// into the target opened by the page (the back buffer) in the platform's
// default font, so every size of text is measured, never assumed.
#pragma once

#include <cstdint>
#include <string>

// A white box with a 1-pixel black border and a 2-pixel black shadow to the
// right and below (it reaches x + width + 1 and y + height + 1).
void drawButton(int64_t x, int64_t y, int64_t width, int64_t height);

// Text centred on (cx, cy); switches to transparent text for the rest of the
// drawing.
void drawCentredText(const std::u16string& text, int64_t cx, int64_t cy, int64_t red, int64_t green, int64_t blue);

// Text with its top-left corner at (x, y), in the current drawing mode.
void drawLabel(const std::u16string& text, int64_t x, int64_t y, int64_t red, int64_t green, int64_t blue);

// Word-wrapped text inside the box less its margins. Returns 1 when all of the
// text fits, 0 when it does not (the lines that fit are drawn). With draw 0 it
// only measures.
int64_t drawWrappedText(const std::u16string& text, int64_t x, int64_t y, int64_t width, int64_t height,
                        int64_t marginX, int64_t marginY, int64_t red, int64_t green, int64_t blue, int64_t draw);

// Decimal text padded on the left with "0" to at least 3 characters.
std::u16string formatNumber3(int64_t value);

// The first non-empty spelling slot (0..9) of a word; 0 when all are empty or
// when the word number lies outside the vocabulary.
int64_t firstSpellingSlot(int64_t word);
// The spelling in that slot; empty for a word number outside the vocabulary.
std::u16string firstSpelling(int64_t word);

// The character of the code, or the empty text when a file name may not hold
// it (or the code is no character).
std::u16string filterFileNameChar(int64_t code);

// Page frames shared by several pages.
// The start of every page: its click zones emptied, drawing opened on the
// back buffer, the grey ground, and the title bar at y (none for no title).
void startPage(const std::u16string& title, int64_t titleY);
// A page whose unchanging parts (ground, frame, titles, labels, buttons) are
// kept as a ready layer: an image drawn when the page comes, copied whole as
// its ground, then only brought back under the parts that change, which are
// drawn over it at every redraw. startLayeredPage opens drawing on the layer
// and answers true when those parts must be drawn now (then
// showReadyLayer); false when the back buffer still shows them. Either way
// the changing parts are then drawn on the back buffer as after startPage
// with a title. Drawing any other page forgets the layer. A page whose
// unchanging parts come in several forms (the event pages' two lists) names
// the form as its variant: another variant draws the layer again.
bool startLayeredPage(int64_t page, const std::u16string& title, int64_t titleY, int64_t variant = 0);
void showReadyLayer();
// The back buffer drawn otherwise (another page, a play): the next layered
// page is drawn whole.
void forgetReadyLayer();
// The layer's pixels brought back in the area of the back buffer, under a
// part about to be drawn again.
void restoreGround(int64_t x, int64_t y, int64_t width, int64_t height);
// A title bar: a 700 x 30 button at (50, y) with the title starting at x 60.
void drawTitleBar(const std::u16string& title, int64_t y);
// A column of 80 x 30 labelled buttons, 35 pixels apart from (x, y) down; the
// button of label i is click zone i + 1, in row i.
void drawButtonColumn(const char16_t* const labels[], int count, int64_t x, int64_t y);
// A button with its label centred on it in black.
void drawLabelledButton(const std::u16string& label, int64_t x, int64_t y, int64_t width, int64_t height);

// The "MENU" button of a page, 80 x 30, which is its click zone 1 (the frame
// answers it for every page).
constexpr int64_t MenuButtonZone = 1;
void drawMenuButton(int64_t x, int64_t y);

// A value cell of the pages that change values with the wheel: a red box of
// the size of `cellSize` with the value drawn at its top-left corner, white
// when it is the page's selected value and black otherwise; the box is the
// click zone `zone` (none for 0).
void drawValueCell(const std::u16string& value, int64_t x, int64_t y, bool selected, int64_t zone = 0,
                   const std::u16string& cellSize = u"000");
// The same with the box's size already measured.
void drawValueBox(const std::u16string& value, int64_t x, int64_t y, int64_t width, int64_t height, bool selected,
                  int64_t zone);
// A label centred on (centreX, centreY) and, from 20 pixels right of the
// centre plus the label's width, the value cell, level with the label.
void drawLabelledValue(const std::u16string& label, int64_t centreX, int64_t centreY, const std::u16string& value,
                       bool selected, int64_t zone);
// Its two parts: the label, and the value cell beside it.
void drawValueLabel(const std::u16string& label, int64_t centreX, int64_t centreY);
void drawValueBesideLabel(const std::u16string& label, int64_t centreX, int64_t centreY, const std::u16string& value,
                          bool selected, int64_t zone);
// A value the wheel or the keys change: moved by step in the direction and
// wrapped around its range, lowest to lowest + size - 1, so that a step past
// one end comes back from the other. A value from a file outside the range
// comes back into it. Words, rooms, objects, locations, exits and event
// numbers run 0 to 255.
int64_t stepWrapped(int64_t value, int64_t direction, int64_t step, int64_t lowest, int64_t size);
// Steps the value in place as stepWrapped does; whether it changed.
bool stepInPlace(int64_t& value, int64_t direction, int64_t step, int64_t lowest, int64_t size);

// Text fields. The stored text is a string of the adventure (or the project
// name); every keystroke changes it at once.
//
// The box of a field: the button's rectangle and the margins kept inside it.
struct TextBox {
    int64_t x;
    int64_t y;
    int64_t width;
    int64_t height;
    int64_t marginX;
    int64_t marginY;
    bool operator==(const TextBox&) const = default;
};
// Starts the entry on the stored text ("EDIT").
void startTextEntry(const std::u16string& stored);
// Draws the stored text in the box, followed by the "_" cursor while an entry
// is active. A text longer than the box is drawn as far as it fits and is
// never shortened here: showing a text must not change it.
void drawTextField(const std::u16string& stored, const TextBox& box);
// The same over the ready layer of a page, whose box holds no text: only the
// lines whose text changed since the field was last drawn over this layer
// are drawn again, each on the layer's pixels brought back. The box must be
// clear of anything drawn over it on the layer.
void drawTextFieldChanges(const std::u16string& stored, const TextBox& box);
// One key of the entry: a character's code (32 or more, whole outside 16
// bits), 8 for Backspace (which takes off the last whole character), 13 for
// Return. A character that would make the text and its cursor overflow the
// box is not kept, so the box is the length limit of what is typed. With
// fileNameOnly the characters a file name may not hold are dropped.
void applyTextEntryKey(std::u16string& stored, int64_t key, bool fileNameOnly, const TextBox& box);
