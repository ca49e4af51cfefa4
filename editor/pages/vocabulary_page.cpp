// "VOCABULAIRE": every non-empty spelling of every word, as a list of eleven
// rows in word-then-slot order with one row selected. The author erases the
// selected spelling ("EFFA"), rewrites it ("EDIT") or adds a spelling to a
// word of his choice ("INST"). Spellings are 1 to 12 capitals A to Z; nothing
// reaches the vocabulary before Return, so Escape drops what was typed.
#include "editor/editor_pictures.h"
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

// A position in the vocabulary: word * 10 + slot, 0..2559, the order of the
// list.
constexpr int64_t PositionCount = TableSize * SpellingsPerWord;
constexpr int64_t ListRows = 11;
constexpr int64_t MaxSpellingLength = 12;

// Where the selection was drawn at the last redraw.
enum SelectionRow { RowTop = 0, RowMiddle = 1, RowBottom = 2 };

// The page's cursors, set again whenever the spellings change under the page.
static int64_t vocabSelection = 0;
static int64_t vocabFirstShown = 0;
static int64_t vocabSelectionRow = RowTop;
static int64_t vocabChosenWord = 0;
static int64_t vocabFreeSlot = 0;
// What the text entry writes: the selected spelling again, or a new spelling
// of the chosen word ("INST").
enum class VocabularyEntry { RewritesSelection, AddsToChosenWord };
static VocabularyEntry vocabEntry = VocabularyEntry::RewritesSelection;

static std::u16string& spellingAt(int64_t position) {
    return adventure.vocabulary[position / SpellingsPerWord][position % SpellingsPerWord];
}

// The next (step 1) or previous (step -1) position after `from` whose spelling
// is not empty; -1 when there is none.
static int64_t nearestSpelling(int64_t from, int64_t step) {
    for (int64_t position = from + step; position >= 0 && position < PositionCount; position += step) {
        if (!spellingAt(position).empty()) return position;
    }
    return -1;
}

// Moves a cursor to the nearest non-empty spelling in the direction; returns
// 1 when it moved, 0 when there was none (the cursor stays).
static int64_t moveCursor(int64_t& cursor, int64_t step) {
    const int64_t found = nearestSpelling(cursor, step);
    if (found < 0) return 0;
    cursor = found;
    return 1;
}

static int64_t selectNextSpelling() {
    return moveCursor(vocabSelection, 1);
}
static int64_t selectPreviousSpelling() {
    return moveCursor(vocabSelection, -1);
}
static int64_t scrollListDown() {
    return moveCursor(vocabFirstShown, 1);
}
static int64_t scrollListUp() {
    return moveCursor(vocabFirstShown, -1);
}

// The positions of the rows shown, from the first shown on; returns how many.
static int64_t shownPositions(int64_t (&rows)[ListRows]) {
    int64_t count = 0;
    for (int64_t position = vocabFirstShown; position < PositionCount && count < ListRows; ++position) {
        if (!spellingAt(position).empty()) rows[count++] = position;
    }
    return count;
}

// What a redraw records of the selection: its row, when it is shown.
static void noteSelectionRow() {
    int64_t rows[ListRows];
    const int64_t count = shownPositions(rows);
    for (int64_t row = 0; row < count; ++row) {
        if (rows[row] != vocabSelection) continue;
        vocabSelectionRow = row == 0 ? RowTop : (row == ListRows - 1 ? RowBottom : RowMiddle);
    }
}

// A spelling from a file may be of any length: a row shows at most as many
// characters as the screen could hold right of the list, the adventure keeps
// the spelling whole.
constexpr size_t ShownSpellingLength = 60;

static std::u16string rowText(int64_t word, const std::u16string& spelling) {
    return formatNumber3(word) + u" " + spelling.substr(0, ShownSpellingLength);
}

// A filled black triangle of 10 rows with its apex on the row apexY, widening
// by one pixel on each side per row, the rows going down (rowStep 1) or up (-1).
static void drawArrow(int64_t left, int64_t apexY, int64_t rowStep) {
    const int64_t centreX = left + 5;
    for (int64_t k = 0; k < 10; ++k) fillRect(centreX - k, apexY + rowStep * k, 2 * k + 1, 1, rgb(0, 0, 0));
}

static const char16_t* const vocabularyButtons[4] = {u"MENU", u"EFFA", u"EDIT", u"INST"};

void drawVocabularyPage() {
    startPage(u"VOCABULAIRE", 20);
    drawButtonColumn(vocabularyButtons, 4, 100, 235);
    drawArrow(120, 210, 1);
    setClickZone(5, 120, 210, 10, 10);
    drawArrow(150, 219, -1);
    setClickZone(6, 150, 210, 10, 10);

    drawButton(400, 150, 200, 220);
    int64_t rows[ListRows];
    const int64_t count = shownPositions(rows);
    for (int64_t row = 0; row < count; ++row) {
        const int64_t position = rows[row];
        const std::u16string text = rowText(position / SpellingsPerWord, spellingAt(position));
        const int64_t y = 152 + 20 * row;
        if (position == vocabSelection) {
            fillRect(402, y, 196, 20, rgb(0, 0, 0));
            drawLabel(text, 420, y, 255, 255, 255);
        } else {
            drawLabel(text, 420, y, 0, 0, 0);
        }
    }
    noteSelectionRow();

    drawButton(400, 380, 200, 30);
    if (editingText) {
        const bool adds = vocabEntry == VocabularyEntry::AddsToChosenWord;
        const int64_t word = adds ? vocabChosenWord : vocabSelection / SpellingsPerWord;
        drawLabel(rowText(word, editBuffer) + u"_", 420, 382, 0, 0, 0);
    } else if (listSelecting) {
        fillRect(402, 382, 196, 20, rgb(255, 0, 0));
        drawLabel(formatNumber3(vocabChosenWord), 420, 382, 255, 255, 255);
    }

    setDrawingMode(DrawMode::AlphaBlend);
    drawImage(editorPictures[VocabularyDecoration], 200, 300);
    setDrawingMode(DrawMode::OpaqueText);
    endDrawing();
}

// Whether the selection is one of the rows shown.
static bool selectionShown() {
    int64_t rows[ListRows];
    const int64_t count = shownPositions(rows);
    for (int64_t row = 0; row < count; ++row) {
        if (rows[row] == vocabSelection) return true;
    }
    return false;
}

// "EFFA": the selection moves away from the spelling before it is emptied, so
// that it stays on a spelling of the list; the only spelling left in the
// whole vocabulary is kept, and a spelling the author cannot see selected is
// never erased.
static void eraseSelectedSpelling() {
    if (spellingAt(vocabSelection).empty() || !selectionShown()) return;
    const int64_t erased = vocabSelection;
    bool moved = selectNextSpelling() != 0;
    if (moved && vocabSelectionRow != RowMiddle) scrollListDown();
    if (!moved) {
        moved = selectPreviousSpelling() != 0;
        if (moved && vocabSelectionRow == RowTop) scrollListUp();
    }
    if (moved) spellingAt(erased).clear();
}

// The arrows: each step moves the selection by one spelling and scrolls the
// list when the selection was on its edge row.
static void moveSelection(int64_t direction, int64_t step) {
    for (int64_t done = 0; done < step; ++done) {
        if (direction > 0) {
            if (selectPreviousSpelling() != 0 && vocabSelectionRow == RowTop) scrollListUp();
        } else {
            if (selectNextSpelling() != 0 && vocabSelectionRow == RowBottom) scrollListDown();
        }
        noteSelectionRow();
    }
}

void vocabularyPageClick(int64_t zone) {
    switch (zone) {
        case 2:
            eraseSelectedSpelling();
            break;
        case 3:
            editingText = true;
            vocabEntry = VocabularyEntry::RewritesSelection;
            editBuffer = spellingAt(vocabSelection);
            break;
        case 4:
            listSelecting = true;
            vocabChosenWord = 0;
            break;
        case 5:
            moveSelection(1, adjustStep);
            break;
        case 6:
            moveSelection(-1, adjustStep);
            break;
        default:
            break;
    }
}

bool vocabularyPageAdjust(int64_t direction, int64_t step) {
    const int64_t selection = vocabSelection;
    const int64_t first = vocabFirstShown;
    const int64_t row = vocabSelectionRow;
    moveSelection(direction, step);
    return vocabSelection != selection || vocabFirstShown != first || vocabSelectionRow != row;
}

// "INST": the wheel and the arrow keys choose the word, Return looks for its
// first empty slot and starts the entry of the new spelling there.
void vocabularyListSelection() {
    if (adjustDirection != 0) {
        vocabChosenWord = stepWrapped(vocabChosenWord, adjustDirection, adjustStep, 0, TableSize);
    }
    if (!inputState.returnKey) return;
    listSelecting = false;
    for (int64_t slot = 0; slot < SpellingsPerWord; ++slot) {
        if (!adventure.vocabulary[vocabChosenWord][slot].empty()) continue;
        vocabFreeSlot = slot;
        editingText = true;
        vocabEntry = VocabularyEntry::AddsToChosenWord;
        editBuffer.clear();
        return;
    }
}

void vocabularyPageKey(int64_t key) {
    if (key == KeyBackspace) {
        // A spelling from a file may hold any character: the last one goes whole.
        dropLastCharacter(editBuffer);
        return;
    }
    if (key == KeyReturn) {
        if (editBuffer.empty()) return;
        if (vocabEntry == VocabularyEntry::AddsToChosenWord) {
            vocabSelection = vocabChosenWord * SpellingsPerWord + vocabFreeSlot;
            vocabFirstShown = vocabSelection;
        }
        spellingAt(vocabSelection) = editBuffer;
        editingText = false;
        return;
    }
    if (key < 32 || key > 0xFFFF || characterCount(editBuffer) >= MaxSpellingLength) return;
    const char16_t letter = upperCaseChar(static_cast<char16_t>(key));
    if (letter >= u'A' && letter <= u'Z') editBuffer += letter;
}

void resetVocabularyPage() {
    const int64_t first = spellingAt(0).empty() ? nearestSpelling(0, 1) : 0;
    vocabSelection = first < 0 ? 0 : first;
    vocabFirstShown = vocabSelection;
    vocabSelectionRow = RowTop;
    vocabChosenWord = 0;
    vocabFreeSlot = 0;
}
