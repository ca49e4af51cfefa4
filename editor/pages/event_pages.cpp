// "EVTS. MINEURS" and "EVTS. MAJEURS": one event at a time, with its condition
// or action list, the chooser of every condition or action type and, on the
// minor page, the three word numbers that trigger the event. Everything is
// done with clicks, the wheel, the arrow and page keys and Backspace; numbers
// are scrolled, never typed.
//
// Zone ids: 1..4 the buttons "MENU", "SUIV", "PREC", "INST"; on the minor page
// 5..7 the word fields, 8 the list switch and 9.. the chooser; on the major
// page 5 the list switch and 6.. the chooser; 40 the delete icon; 41.. the
// argument fields in drawing order, as many as there are zones.
#include <algorithm>
#include <cstdint>

#include "editor/editor_pictures.h"
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/referent_line.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "model/event_labels.h"
#include "platform/platform.h"
#include "platform/program.h"

namespace {

enum EventList { Conditions = 0, Actions = 1 };

// What the wheel and the arrow and page keys change.
enum EventFocus { VerbField = 0, Object1Field = 1, Object2Field = 2, NoField = 3, ArgumentField = 4, SlotList = 5 };

constexpr int64_t DeleteIconZone = 40;
constexpr int64_t FirstArgumentZone = 41;
constexpr int64_t LastArgumentZone = ClickZoneCount;
constexpr int64_t NoSlot = -1;
constexpr int64_t NoTarget = -1;

// The chooser's box, and the left of the list's frame: right of it and below
// the title bar lie only the list, its icon and the referent line.
constexpr int64_t ChooserLeft = 140, ChooserWidth = 260;
constexpr int64_t ListLeft = 410, BelowTitleBar = 52;

// The stored value an argument field shows: argument 1..3 of a slot of the
// active list of an event. slot is NoTarget when no field shows the chosen id.
struct EditTarget {
    int64_t slot;
    int64_t argument;
    int64_t event;
};

// What each page remembers while the author visits other pages.
struct EventPageState {
    int64_t currentEvent;
    int64_t activeList;
    int64_t selectedSlot[2];  // per list: the row marked with the delete icon
    int64_t focus;
    int64_t selectedField[2];  // per list: 0 or -1 for none, else an argument zone id
    EditTarget editTarget[2];  // per list: recorded while drawing
};

// What differs between the two pages.
struct EventPageKind {
    const char16_t* title;
    bool minor;
    int64_t switchZone;
    int64_t firstChooserZone;
    int64_t restingFocus;  // the focus at start, after a move and after the last step goes
};

const EventPageKind pageKinds[2] = {{u"EVTS. MINEURS", true, 8, 9, VerbField},
                                    {u"EVTS. MAJEURS", false, 5, 6, NoField}};
EventPageState pageStates[2];

const char16_t* const buttonLabels[4] = {u"MENU", u"SUIV", u"PREC", u"INST"};

// What a row of the list shows: its step (type -1 for none), the argument
// drawn white (0 for none) and the icon over it (0 none, 1, 2 selected).
struct ShownRow {
    int64_t type, arg1, arg2, arg3, white, icon;
    bool operator==(const ShownRow&) const = default;
};

// What the back buffer shows over the ready layer, so that a redraw draws
// again only the parts that changed; nothing is known once the layer is
// drawn again. A row's band runs from its text's top to the next row's: the
// rows can be brought back and drawn again alone when a line of text fits in
// it and the icon in its own row's band and the 2 pixels above.
struct ShownParts {
    bool known = false;
    bool rowsFitBands = false;
    std::u16string position;
    int64_t words[WordsPerMinorEvent] = {};
    int64_t focus = 0;
    int64_t wordsReach = 0;  // how far right the word fields drew
    ShownRow rows[StepsPerList] = {};
};
ShownParts shown;

int pageIndex(int64_t page) {
    return page == MajorEvents ? 1 : 0;
}

int64_t& storedEventCount(int index) {
    return index == 0 ? adventure.minorEventCount : adventure.majorEventCount;
}

// The events the page may show: a count brought from anywhere is kept within
// the tables, and one event always exists.
int64_t usableEventCount(int index) {
    const int64_t count = storedEventCount(index);
    return count < 1 ? 1 : (count > MaxEvents ? MaxEvents : count);
}

// The event shown, kept among the events in use (a smaller adventure may have
// been loaded since the page was last shown).
int64_t shownEvent(int index) {
    EventPageState& state = pageStates[index];
    const int64_t last = usableEventCount(index) - 1;
    if (state.currentEvent > last) state.currentEvent = last;
    if (state.currentEvent < 0) state.currentEvent = 0;
    return state.currentEvent;
}

// The 25 slots of a list of an event; event lies in 0..MaxEvents - 1.
EventStep* stepList(int index, int64_t event, int64_t list) {
    if (index == 0) {
        MinorEvent& minor = adventure.minorEvents[event];
        return list == Actions ? minor.actions : minor.conditions;
    }
    MajorEvent& major = adventure.majorEvents[event];
    return list == Actions ? major.actions : major.conditions;
}

int64_t typeCount(int64_t list) {
    return list == Actions ? int64_t{ActionTypeCount} : int64_t{ConditionTypeCount};
}

// The label of a step type; a type outside the table (only a file can hold
// one) shows as "?".
const std::u16string& typeLabel(int64_t list, int64_t type) {
    static const std::u16string unknown = u"?";
    if (type < 0 || type >= typeCount(list)) return unknown;
    return list == Actions ? actionLabels[type] : conditionLabels[type];
}

// Widths of single characters in interfaceFont. The pages draw over a
// thousand characters one by one at every redraw; a character's width never
// changes, so each is measured once.
int64_t charWidth(char16_t character) {
    static int16_t widths[256];
    static bool measured[256];
    if (character >= 256) return textWidth(std::u16string(1, character));
    if (!measured[character]) widths[character] = static_cast<int16_t>(textWidth(std::u16string(1, character)));
    measured[character] = true;
    return widths[character];
}

// Reused one-character texts, so that drawing a character makes no new string.
const std::u16string& charText(char16_t character) {
    static std::u16string texts[256];
    static std::u16string other;
    if (character >= 256) {
        other.assign(1, character);
        return other;
    }
    std::u16string& text = texts[character];
    if (text.empty()) text.assign(1, character);
    return text;
}

}  // namespace

// The chooser's box holds a row for each type of the list.
static int64_t chooserHeight(int64_t list) {
    return 20 * typeCount(list) + 10;
}

// The label from (x, y) in interfaceFont, one character after the other; each
// "*" shows as a red "n", everything else is black. The font stays selected for
// the rest of the page: the steps below the chooser are drawn in it too.
static void drawTypeLabel(const std::u16string& label, int64_t x, int64_t y) {
    selectFont(interfaceFont);
    for (char16_t character : label) {
        const bool star = character == u'*';
        const char16_t drawn = star ? u'n' : character;
        setFrontColour(star ? rgb(255, 0, 0) : rgb(0, 0, 0));
        drawText(x, y, charText(drawn));
        x += charWidth(drawn);
    }
}

// A step from (x, y) in interfaceFont, one character after the other, each "*"
// replaced by its argument in a red box that is also the argument's click zone. argumentZone
// is the last id given; each field takes the next. Returns the argument number
// 1..3 of the field shown chosen (white), 0 when none is. With draw false
// the back buffer already shows the line: only the zones are set.
static int64_t drawStepLine(const std::u16string& label, int64_t x, int64_t y, const int64_t arguments[3],
                            int64_t& argumentZone, int64_t chosenZone, bool draw) {
    int64_t chosen = 0;
    int64_t argument = 0;
    for (char16_t character : label) {
        if (character != u'*') {
            setFrontColour(rgb(0, 0, 0));
            if (draw) drawText(x, y, charText(character));
            x += charWidth(character);
            continue;
        }
        if (argument == 3) continue;  // labels hold two "*" at most
        const std::u16string number = formatNumber3(arguments[argument++]);
        ++argumentZone;
        const bool white = argumentZone == chosenZone;
        if (white) chosen = argument;
        const int64_t width = textWidth(number);
        if (draw) {
            drawValueBox(number, x, y, width, textHeight(number), white, argumentZone);
        } else {
            setClickZone(argumentZone, x, y, width, textHeight(number));
        }
        x += width;
    }
    return chosen;
}

// The three word fields' boxes and titles.
static void drawWordFieldFrames() {
    for (int k = 0; k < WordsPerMinorEvent; ++k) {
        const int64_t top = 100 + 100 * k;
        drawButton(5, top, 130, 80);
        drawCentredText(wordFieldTitles[k], 70, top + 10, 255, 0, 0);
    }
}

// The width of a word field's number cell, in the page's font.
static int64_t wordCellWidth() {
    return textWidth(u"000");
}

// How far right the word fields' numbers and spellings reach.
static int64_t wordFieldsReach(const MinorEvent& event) {
    int64_t reach = 0;
    for (const int64_t word : event.words) {
        const int64_t spelling = textWidth(firstSpelling(word));
        reach =
            std::max({reach, 70 - wordCellWidth() / 2 + textWidth(formatNumber3(word)), 70 + spelling - spelling / 2});
    }
    return reach;
}

// Each word's number and first spelling, over the layer brought back left of
// the list. A number or spelling may be wider than its box: the chooser's
// box, brought back after, then covers it as if drawn over the word fields.
static void drawWordFields(const MinorEvent& event, int64_t focus, int64_t list) {
    const int64_t cellWidth = wordCellWidth();
    const int64_t lineHeight = textHeight(u"000");
    // From the first number's top to the last spelling's bottom.
    const int64_t top = 130, height = 2 * 100 + 30 + lineHeight - lineHeight / 2;
    restoreGround(0, top, ListLeft, height);
    for (int k = 0; k < WordsPerMinorEvent; ++k) {
        const int64_t word = event.words[k];
        drawValueBox(formatNumber3(word), 70 - cellWidth / 2, top + 100 * k, cellWidth, lineHeight, focus == k, 5 + k);
        drawCentredText(firstSpelling(word), 70, top + 100 * k + 30, 0, 0, 0);
    }
    const int64_t covered = std::min(top + height, 80 + chooserHeight(list) + 2) - top;
    restoreGround(ChooserLeft, top, ChooserWidth + 2, covered);
}

static void drawListSwitch(const EventPageKind& kind, int64_t list) {
    const std::u16string text = list == Actions ? u"Actions" : u"Conditions";
    const int64_t width = textWidth(text);
    const int64_t height = textHeight(text);
    fillRect(270 - width / 2, 60, width, height, rgb(255, 0, 0));
    drawCentredText(text, 270, 60 + height / 2, 255, 255, 255);
    setClickZone(kind.switchZone, 270 - width / 2, 60, width, height);
}

static void drawChooser(const EventPageKind& kind, int64_t list) {
    const int64_t count = typeCount(list);
    drawButton(ChooserLeft, 80, ChooserWidth, chooserHeight(list));
    for (int64_t type = 0; type < count; ++type) {
        const int64_t y = 82 + 20 * type;
        drawTypeLabel(typeLabel(list, type), 142, y);
        const int64_t zone = kind.firstChooserZone + type;
        setClickZone(zone, 102, y, 260, 20);
    }
}

static void drawListFrame() {
    setFrontColour(rgb(0, 0, 0));
    drawLine(410, 80, 730, 80);
    drawLine(730, 80, 730, 590);
    drawLine(730, 590, 410, 590);
    drawLine(410, 590, 410, 80);
}

// The argument fields a step of the type shows: one per "*", at most 3.
static int64_t fieldCount(int64_t list, int64_t type) {
    const std::u16string& label = typeLabel(list, type);
    return std::min<int64_t>(std::count(label.begin(), label.end(), u'*'), 3);
}

// What a row shows now; white is the argument drawn white, found by the ids
// its fields take after argumentZone.
static ShownRow rowShown(int64_t list, const EventStep& step, int64_t argumentZone, int64_t chosenZone, int64_t icon) {
    if (step.type < 0) return {-1, 0, 0, 0, 0, icon};
    const int64_t fields = fieldCount(list, step.type);
    const int64_t white =
        chosenZone > argumentZone && chosenZone <= argumentZone + fields ? chosenZone - argumentZone : 0;
    return {step.type, step.arg1, step.arg2, step.arg3, white, icon};
}

// The band of a row: that of the first row also takes the 2 pixels above,
// where the icon reaches.
static void restoreRowBand(int64_t slot) {
    const int64_t top = slot == 0 ? 80 : 82 + 20 * slot;
    restoreGround(ListLeft, top, ScreenWidth - ListLeft, 102 + 20 * slot - top);
}

// The steps of the active list, each argument field numbered in drawing order;
// the field shown chosen becomes the list's edit target. With rowsKnown, a
// row that shows what it showed is left as it is; any other is brought back
// and drawn again, with the icon over it, and so is the row above an icon
// that is drawn or taken away, since the icon reaches into its band.
static void drawSteps(int index, int64_t event, bool rowsKnown) {
    EventPageState& state = pageStates[index];
    const int64_t list = state.activeList;
    const EventStep* steps = stepList(index, event, list);
    const int64_t chosenZone = state.focus == ArgumentField ? state.selectedField[list] : 0;
    const int64_t marked = state.selectedSlot[list];
    const int64_t icon = state.focus == SlotList ? 2 : 1;

    ShownRow rows[StepsPerList];
    bool redrawn[StepsPerList];
    int64_t iconRows[2] = {marked, -1};
    int64_t argumentZone = FirstArgumentZone - 1;
    for (int64_t slot = 0; slot < StepsPerList; ++slot) {
        rows[slot] = rowShown(list, steps[slot], argumentZone, chosenZone, slot == marked ? icon : 0);
        if (rows[slot].type >= 0) argumentZone += fieldCount(list, rows[slot].type);
        redrawn[slot] = !rowsKnown || !(rows[slot] == shown.rows[slot]);
        if (shown.rows[slot].icon != 0) iconRows[1] = slot;
    }
    for (const int64_t row : iconRows) {
        if (row < 1 || row >= StepsPerList || !(redrawn[row] || redrawn[row - 1])) continue;
        redrawn[row] = redrawn[row - 1] = true;
    }

    argumentZone = FirstArgumentZone - 1;
    state.editTarget[list] = {NoTarget, 0, event};
    for (int64_t slot = 0; slot < StepsPerList; ++slot) {
        shown.rows[slot] = rows[slot];
        if (redrawn[slot] && rowsKnown) restoreRowBand(slot);
        const EventStep& step = steps[slot];
        if (step.type < 0) continue;
        const int64_t arguments[3] = {step.arg1, step.arg2, step.arg3};
        const int64_t chosen = drawStepLine(typeLabel(list, step.type), 412, 82 + 20 * slot, arguments, argumentZone,
                                            chosenZone, redrawn[slot]);
        if (chosen > 0) state.editTarget[list] = {slot, chosen, event};
    }
    if (marked < 0 || marked >= StepsPerList) return;
    if (redrawn[marked]) {
        setDrawingMode(DrawMode::AlphaBlend);
        drawImage(editorPictures[icon == 2 ? DeleteIconSelected : DeleteIcon], 720, 80 + 20 * marked);
    }
    setClickZone(DeleteIconZone, 720, 80 + 20 * marked, 80, 20);
}

// Above the list, while a number is chosen (drawn white): what it refers to,
// as the type of its step says, or the word a word field names.
static void drawChosenReferent(int index, int64_t event) {
    const EventPageState& state = pageStates[index];
    const int64_t list = state.activeList;
    const EditTarget& target = state.editTarget[list];
    if (pageKinds[index].minor && state.focus >= VerbField && state.focus <= Object2Field) {
        drawReferentLine(WordArgument, adventure.minorEvents[event].words[state.focus], 412, 57, 316);
    } else if (state.focus == ArgumentField && target.slot != NoTarget) {
        EventStep& step = stepList(index, event, list)[target.slot];
        const int argument = static_cast<int>(target.argument);
        const ArgumentKind kind = stepArgumentKind(list == Actions ? ActionList : ConditionList, step.type, argument);
        drawReferentLine(kind, stepField(step, argument), 412, 57, 316);
    }
}

// "3 / 39" at the right end of the title bar: the event shown among the
// events in use, counted from 1. The title's right part is brought back
// under it, as wide as the widest position.
static void drawEventPosition(int index, int64_t event) {
    const std::u16string position = integerToText(event + 1) + u" / " + integerToText(usableEventCount(index));
    if (shown.known && position == shown.position) return;
    shown.position = position;
    const int64_t height = textHeight(position);
    restoreGround(400, 35 - height / 2, 340, height);
    drawLabel(position, 740 - textWidth(position), 35 - height / 2, 0, 0, 0);
}

// What never changes while the page shows this list: the ground, the title,
// the buttons, the word fields' boxes, the list switch, the chooser and the
// list's frame.
static void drawEventLayer(const EventPageKind& kind, int64_t list) {
    drawButtonColumn(buttonLabels, 4, 10, 435);
    if (kind.minor) drawWordFieldFrames();
    drawListSwitch(kind, list);
    drawChooser(kind, list);
    drawListFrame();
    shown.known = false;
    selectFont(interfaceFont);
    shown.rowsFitBands = textHeight(u"0") <= 20 && imageHeight(editorPictures[DeleteIcon]) <= 22 &&
                         imageHeight(editorPictures[DeleteIconSelected]) <= 22;
    showReadyLayer();
}

void drawEventPage(int64_t page) {
    const int index = pageIndex(page);
    const EventPageKind& kind = pageKinds[index];
    EventPageState& state = pageStates[index];
    const int64_t event = shownEvent(index);

    if (startLayeredPage(page, kind.title, 20, state.activeList)) drawEventLayer(kind, state.activeList);
    // The icon's zone and the argument fields follow the steps shown now.
    for (int64_t zone = DeleteIconZone; zone <= LastArgumentZone; ++zone) setClickZone(zone, 0, 0, 0, 0);
    drawEventPosition(index, event);
    // Word fields drawn again that reach the list, or reached it, bring the
    // whole list back: a long spelling lies under its steps.
    const MinorEvent& words = adventure.minorEvents[event];
    const bool wordsChanged = kind.minor && (!shown.known || state.focus != shown.focus ||
                                             !std::equal(words.words, words.words + WordsPerMinorEvent, shown.words));
    const int64_t wordsReach = wordsChanged ? wordFieldsReach(words) : shown.wordsReach;
    const bool underList = wordsChanged && std::max(wordsReach, shown.wordsReach) > ListLeft;
    const bool rowsKnown = shown.known && shown.rowsFitBands && !underList;
    shown.wordsReach = wordsReach;
    // The referent line, and with it the whole list as one rectangle when
    // its rows are not known.
    restoreGround(ListLeft, BelowTitleBar, ScreenWidth - ListLeft, (rowsKnown ? 80 : ScreenHeight) - BelowTitleBar);
    if (wordsChanged) drawWordFields(words, state.focus, state.activeList);
    std::copy(words.words, words.words + WordsPerMinorEvent, shown.words);
    shown.focus = state.focus;
    shown.known = true;
    selectFont(interfaceFont);
    drawSteps(index, event, rowsKnown);
    setDrawingMode(DrawMode::TransparentText);
    drawChosenReferent(index, event);
    endDrawing();
}

// After "SUIV", "PREC" and "INST": no field chosen, the resting focus, and in
// each list of the event now shown the mark on the same row as before, on the
// first row when there was none, or on none when the list is empty.
static void resetAfterMove(int index) {
    EventPageState& state = pageStates[index];
    state.selectedField[Conditions] = 0;
    state.selectedField[Actions] = 0;
    state.focus = pageKinds[index].restingFocus;
    for (int64_t list : {Conditions, Actions}) {
        if (stepList(index, state.currentEvent, list)[0].type == EndOfList) {
            state.selectedSlot[list] = NoSlot;
        } else if (state.selectedSlot[list] == NoSlot) {
            state.selectedSlot[list] = 0;
        }
    }
}

// The type goes into the first empty slot of the active list with every
// argument at 255; the mark goes to the first row. A full list takes nothing.
static void appendStep(int index, int64_t type) {
    EventPageState& state = pageStates[index];
    EventStep* steps = stepList(index, shownEvent(index), state.activeList);
    for (int slot = 0; slot < StepsPerList; ++slot) {
        if (steps[slot].type != EndOfList) continue;
        steps[slot] = {type, 255, 255, 255};
        state.selectedSlot[state.activeList] = 0;
        return;
    }
}

void eventPageClick(int64_t page, int64_t zone) {
    const int index = pageIndex(page);
    const EventPageKind& kind = pageKinds[index];
    EventPageState& state = pageStates[index];
    const int64_t event = shownEvent(index);
    const int64_t count = usableEventCount(index);

    if (zone == 2) {
        if (event + 1 < count) {
            state.currentEvent = event + 1;
            resetAfterMove(index);
        }
    } else if (zone == 3) {
        if (event >= 1) {
            state.currentEvent = event - 1;
            resetAfterMove(index);
        }
    } else if (zone == 4) {
        if (count < MaxEvents) {
            storedEventCount(index) = count + 1;
            state.currentEvent = count;
            resetAfterMove(index);
        }
    } else if (kind.minor && zone >= 5 && zone <= 7) {
        state.focus = VerbField + (zone - 5);
    } else if (zone == kind.switchZone) {
        state.activeList = state.activeList == Conditions ? Actions : Conditions;
    } else if (zone >= kind.firstChooserZone && zone < kind.firstChooserZone + typeCount(state.activeList)) {
        appendStep(index, zone - kind.firstChooserZone);
    } else if (zone == DeleteIconZone) {
        state.focus = SlotList;
        state.selectedField[Conditions] = -1;
        state.selectedField[Actions] = -1;
    } else if (zone >= FirstArgumentZone && zone <= LastArgumentZone) {
        state.selectedField[state.activeList] = zone;
        state.focus = ArgumentField;
    }
}

bool eventPageAdjust(int64_t page, int64_t direction, int64_t step) {
    const int index = pageIndex(page);
    EventPageState& state = pageStates[index];
    const int64_t list = state.activeList;
    if (direction == 0) return false;

    if (pageKinds[index].minor && state.focus >= VerbField && state.focus <= Object2Field) {
        return stepInPlace(adventure.minorEvents[shownEvent(index)].words[state.focus], direction, step, 0, TableSize);
    }
    if (state.focus == SlotList) {
        int64_t& marked = state.selectedSlot[list];
        if (marked == NoSlot) return false;
        const int64_t before = marked;
        marked -= direction > 0 ? step : -step;  // up the list is towards row 0
        if (marked < 0) marked = 0;
        if (marked > StepsPerList - 1) marked = StepsPerList - 1;
        return marked != before;
    }
    if (state.focus == ArgumentField) {
        const EditTarget& target = state.editTarget[list];
        if (state.selectedField[list] <= 0 || target.slot == NoTarget) return false;
        if (target.event < 0 || target.event >= MaxEvents) return false;
        int64_t& value = stepField(stepList(index, target.event, list)[target.slot], static_cast<int>(target.argument));
        return stepInPlace(value, direction, step, 0, TableSize);
    }
    return false;
}

// Backspace: the marked step goes and the steps below move up one row. When
// the list is then empty the mark goes and the focus returns to rest.
void eventPageBackspace(int64_t page) {
    const int index = pageIndex(page);
    EventPageState& state = pageStates[index];
    const int64_t list = state.activeList;
    const int64_t marked = state.selectedSlot[list];
    if (marked < 0 || marked >= StepsPerList) return;
    EventStep* steps = stepList(index, shownEvent(index), list);
    for (int64_t slot = marked; slot < StepsPerList - 1; ++slot) steps[slot] = steps[slot + 1];
    steps[StepsPerList - 1] = {EndOfList, 255, 255, 255};
    if (steps[0].type == EndOfList) {
        state.selectedSlot[list] = NoSlot;
        state.focus = pageKinds[index].restingFocus;
    }
}

void resetEventPages() {
    for (int index = 0; index < 2; ++index) {
        EventPageState& state = pageStates[index];
        state.currentEvent = 0;
        state.activeList = Conditions;
        state.focus = pageKinds[index].restingFocus;
        for (int list = 0; list < 2; ++list) {
            state.selectedSlot[list] = NoSlot;
            state.selectedField[list] = 0;
            state.editTarget[list] = {NoTarget, 0, 0};
        }
    }
}
