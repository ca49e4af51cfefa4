// "TEXTE MESSAGES", "TEXTE SALLES", "TEXTE OBJETS" and "MESS. SYSTEMES": one
// page drawn with four sets of parameters. Each shows one text of its table in
// a box, chosen with the wheel or the arrow keys, and lets the author empty it
// or type it; every keystroke changes the adventure at once.
#include "editor/editor_pictures.h"
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

struct TextPage {
    int64_t page;
    const char16_t* title;
    const char16_t* numberLabel;
    int64_t rangeSize;  // the cursor runs 0..rangeSize - 1
    std::u16string (Adventure::*table)[TableSize];
    EditorPicture decoration;
    int64_t decorationX;
    int64_t decorationY;
};

// The rooms page stops before 253..255, whose texts name the pseudo-locations;
// the system messages page reaches only the 26 messages the game prints.
static constexpr TextPage textPages[4] = {
    {MessageTexts, u"TEXTE MESSAGES", u"MESSAGE", 256, &Adventure::messageTexts, MessagesDecoration, 137, 435},
    {RoomTexts, u"TEXTE SALLES", u"SALLE", 253, &Adventure::roomTexts, PlacesDecoration, 300, 350},
    {ObjectTexts, u"TEXTE OBJETS", u"OBJET", 256, &Adventure::objectTexts, PlacesDecoration, 300, 350},
    {SystemMessages, u"MESS. SYSTEMES", u"MESSAGE", 26, &Adventure::systemMessages, MessagesDecoration, 137, 435}};

// The number of the text shown on each page, kept while other pages are shown.
static int64_t textPageCursors[4] = {0, 0, 0, 0};

static constexpr TextBox textBox = {100, 265, 690, 100, 20, 20};

// The decorations lie below the rows where the box's lines are drawn, though
// they cover its bottom edge: a line drawn again over the ready layer covers
// nothing of them, wherever they reach to the right and below.
constexpr bool decorationsClearTheLines() {
    for (const TextPage& set : textPages) {
        if (set.decorationY < textBox.y + textBox.height - textBox.marginY) return false;
    }
    return true;
}
static_assert(decorationsClearTheLines());

static const char16_t* const textPageButtons[3] = {u"MENU", u"EFFA", u"EDIT"};

// The parameter set of a page; the messages page for any other page number.
static int textPageIndex(int64_t page) {
    for (int index = 0; index < 4; ++index) {
        if (textPages[index].page == page) return index;
    }
    return 0;
}

static std::u16string& shownText(int index) {
    return (adventure.*textPages[index].table)[textPageCursors[index]];
}

// The frame, the number's label, the empty box and the decoration, which
// change only with the page.
static void drawTextPageFrame(const TextPage& set) {
    drawButtonColumn(textPageButtons, 3, 10, 265);
    drawValueLabel(set.numberLabel, 400, 230);
    drawButton(textBox.x, textBox.y, textBox.width, textBox.height);
    setDrawingMode(DrawMode::AlphaBlend);
    drawImage(editorPictures[set.decoration], set.decorationX, set.decorationY);
    setDrawingMode(DrawMode::TransparentText);
}

// The number last drawn in the page's value cell over its ready layer.
static int64_t numberShown = -1;

void drawTextPage(int64_t page) {
    const int index = textPageIndex(page);
    const TextPage& set = textPages[index];
    if (startLayeredPage(page, set.title, 80)) {
        drawTextPageFrame(set);
        showReadyLayer();
        numberShown = -1;
    }
    // A typed key leaves the number as it was: only the lines it changed are drawn.
    if (numberShown != textPageCursors[index]) {
        drawValueBesideLabel(set.numberLabel, 400, 230, formatNumber3(textPageCursors[index]), false, 0);
        numberShown = textPageCursors[index];
    }
    drawTextFieldChanges(shownText(index), textBox);
    setDrawingMode(DrawMode::OpaqueText);
    endDrawing();
}

void textPageClick(int64_t page, int64_t zone) {
    const int index = textPageIndex(page);
    switch (zone) {
        case 2:
            shownText(index).clear();
            break;
        case 3:
            startTextEntry(shownText(index));
            break;
        default:
            break;
    }
}

bool textPageAdjust(int64_t page, int64_t direction, int64_t step) {
    const int index = textPageIndex(page);
    return stepInPlace(textPageCursors[index], direction, step, 0, textPages[index].rangeSize);
}

void textPageKey(int64_t page, int64_t key) {
    applyTextEntryKey(shownText(textPageIndex(page)), key, false, textBox);
}

void resetTextPages() {
    for (int64_t& cursor : textPageCursors) cursor = 0;
}
