// The editor loop: one full redraw and presentation per polled event.
#include "app/orvalde.h"
#include "editor/editor_frame.h"
#include "editor/editor_state.h"
#include "platform/program.h"

static bool isEventPage() {
    return currentPage == MinorEvents || currentPage == MajorEvents;
}

// The step and direction of the wheel, overridden by the keys.
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

// How long one poll may wait for an event before it returns empty-handed
// while a page shows live content, so that it is redrawn about four times a
// second. Otherwise a poll sleeps until an event comes.
constexpr int IdlePollMs = 250;

// One input and what it does; false when it ends the editor.
static bool runOneTurn() {
    liveRefreshWanted = false;
    drawCurrentPage();
    presentBackBuffer();
    pollInput(liveRefreshWanted ? IdlePollMs : -1);

    if (inputState.escapeKey) {
        if (currentPage == Menu) return false;
        returnToMenu();
        return true;
    }
    if (inputState.backspaceKey && isEventPage() && editingText == 0 && listSelecting == 0) handleEventLineDelete();

    if (inputState.clicked && editingText == 0 && listSelecting == 0) {
        int x = -1;
        int y = -1;
        pointerPosition(x, y);
        clickedZone = hitTest(x, y);
        clickHappened = 1;
    } else {
        clickHappened = 0;
    }

    readAdjustment();
    const int64_t adjustments = adjustmentCount();
    if (editingText == 0 && listSelecting == 0 && adjustDirection != 0) {
        for (int64_t done = 0; done < adjustments; ++done) handlePageAdjust(adjustDirection, adjustStep);
    }
    if (listSelecting != 0) {
        for (int64_t done = 0; done < adjustments && listSelecting != 0; ++done) handleListSelection();
    }
    if (editingText != 0) {
        int64_t key = inputState.typedChar;
        if (inputState.returnKey) key = KeyReturn;
        if (inputState.backspaceKey) key = KeyBackspace;
        handleTextEntryKey(key);
    }

    bool quitChosen = false;
    if (clickedZone <= 0) {
        if (currentPage == Menu && clickHappened == 1) selectedSetting = 0;
    } else {
        quitChosen = handlePageClick(clickedZone);
    }
    clickedZone = 0;
    return !quitChosen;
}

void runMainLoop() {
    while (runOneTurn()) {
    }
}
