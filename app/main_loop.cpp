// The editor loop: one full redraw and presentation per polled input that
// may change what is shown.
#include "app/orvalde.h"
#include "editor/editor_frame.h"
#include "editor/editor_state.h"
#include "model/work_copies.h"
#include "platform/program.h"

static bool isEventPage() {
    return currentPage == MinorEvents || currentPage == MajorEvents;
}

// The step and direction of the wheel, overridden by the arrow and page keys:
// 1, or 10 with Control on the wheel and with the page keys.
static void readAdjustment() {
    adjustStep = inputState.ctrlWheel ? 10 : 1;
    adjustDirection = inputState.wheelSteps > 0 ? 1 : (inputState.wheelSteps < 0 ? -1 : 0);
    if (inputState.upKey) adjustDirection = 1;
    if (inputState.downKey) adjustDirection = -1;
    if (inputState.pageUpKey) {
        adjustDirection = 1;
        adjustStep = 10;
    }
    if (inputState.pageDownKey) {
        adjustDirection = -1;
        adjustStep = 10;
    }
}

// A wheel turned fast may report several notches in one event, and each
// notch moves a value as a separate turn of one notch would (a value wraps
// once per notch). A key counts once. No value or list of the pages has more
// positions than the vocabulary's 2560 spellings, so a larger count, which
// only a faulty device could send, is taken as that many.
constexpr int64_t MostNotchesAtOnce = 2560;

static int64_t adjustmentCount() {
    if (inputState.wheelSteps == 0) return 1;
    const int64_t notches = inputState.wheelSteps < 0 ? -inputState.wheelSteps : inputState.wheelSteps;
    return notches < MostNotchesAtOnce ? notches : MostNotchesAtOnce;
}

// Whether the input holds nothing but the wheel or the keys that adjust.
static bool onlyAdjusts() {
    InputState rest = inputState;
    rest.wheelSteps = 0;
    rest.ctrlWheel = false;
    rest.upKey = rest.downKey = rest.pageUpKey = rest.pageDownKey = false;
    return rest == InputState{};
}

// How long one poll may wait for an event before it returns empty-handed
// while a page shows live content, so that it is redrawn about four times a
// second. Otherwise a poll sleeps until an event comes.
constexpr int IdlePollMs = 250;

// How long the turn's poll may wait: until the page's next live refresh, or
// until the unsaved work is due to be kept aside; otherwise as long as it
// takes.
static int pollWaitMs() {
    int64_t wait = liveRefreshWanted ? IdlePollMs : -1;
    const int64_t untilCopy = msUntilCopyDue();
    if (untilCopy >= 0 && (wait < 0 || untilCopy < wait)) wait = untilCopy;
    return static_cast<int>(wait);
}

// Whether the page must be drawn again before the next poll: at first, and
// after any input (the loop always ends on one, so it starts again drawn);
// after a poll that brought none, only on a page with live content. Otherwise
// the frame shown still shows the editor as it is.
static bool redrawWanted = true;

// One turn: the page drawn and shown when anything may have changed it, then
// one input and what it does, in this order: Escape, Backspace on the event
// pages, the wheel and the keys that change the page's value or scroll it,
// the list selection, the text entry, and last the click. False when the
// input ends the editor.
static bool runOneTurn() {
    if (redrawWanted) {
        liveRefreshWanted = false;
        drawCurrentPage();
        presentBackBuffer();
    }
    pollInput(pollWaitMs());
    // No input came (a wait that ended, a key the editor does not use, as the
    // release of a letter typed): the time to keep the work aside, off the
    // typing path.
    const bool noInput = inputState == InputState{};
    redrawWanted = !noInput || liveRefreshWanted;
    if (noInput) {
        keepWorkAsideWhenDue();
        return true;
    }
    noteEditorInput();

    // Escape on the menu and "QUITTER" end the editor once the work is safe.
    if (inputState.escapeKey) {
        if (currentPage == Menu) return !mayLeaveWork();
        returnToMenu();
        return true;
    }
    const bool entering = editingText || listSelecting;
    if (inputState.backspaceKey && isEventPage() && !entering) handleEventLineDelete();

    // The zone under the pointer, taken before anything changes the page; a
    // click during a text entry or a list selection counts for nothing.
    const bool clicked = inputState.clicked && !entering;
    int64_t clickedZone = 0;
    if (clicked) {
        int x = -1;
        int y = -1;
        pointerPosition(x, y);
        clickedZone = hitTest(x, y);
    }

    readAdjustment();
    const int64_t adjustments = adjustmentCount();
    if (!entering && adjustDirection != 0) {
        bool adjusted = false;
        for (int64_t done = 0; done < adjustments; ++done) adjusted |= handlePageAdjust(adjustDirection, adjustStep);
        // A notch or key that only adjusts and changes nothing leaves the
        // frame shown as it is.
        if (!adjusted && onlyAdjusts()) redrawWanted = liveRefreshWanted;
    }
    if (!entering && (inputState.leftKey || inputState.rightKey)) handlePageScrollAcross(inputState.rightKey ? 1 : -1);
    for (int64_t done = 0; done < adjustments && listSelecting; ++done) handleListSelection();
    if (editingText) {
        int64_t key = inputState.typedChar;
        if (inputState.returnKey) key = KeyReturn;
        if (inputState.backspaceKey) key = KeyBackspace;
        handleTextEntryKey(key);
    }

    if (clickedZone > 0) return !(handlePageClick(clickedZone) && mayLeaveWork());
    // A click beside every zone of the menu lets go of the chosen setting.
    if (clicked && currentPage == Menu) selectedSetting = 0;
    return true;
}

void runMainLoop() {
    while (runOneTurn()) {
    }
}
