// The input poll, which turns one window event into the InputState of the
// loops, and the presentation of a frame. Every wait of a test play passes
// here, so the poll is where the play's recorder notes what the player
// could read and did, and where F1 shows or hides the inspector, whatever
// the play waits for.

#include "engine/play_state_panel.h"
#include "engine/recorder.h"
#include "model/work_copies.h"
#include "platform/program.h"

InputState inputState = {};
void pollInput(int maxWaitMs) {
    inputState = {};
    recordBeforeWait();
    const PlatformEvent event = pollEvent(maxWaitMs);
    // The inspector is no input of the game: the poll reports nothing.
    if (event.kind == EventKind::KeyRelease && event.keyCode == KeyF1) {
        toggleInspector();
        return;
    }
    switch (event.kind) {
        case EventKind::None:
            break;
        case EventKind::CloseRequest:
            // The window closes once the author's unsaved work is safe. A
            // play recorded into a file that could not be written is no
            // success, however it ends.
            if (mayLeaveWork()) endProgram(recordingFailed() ? 1 : 0);
            break;
        case EventKind::Click:
            inputState.clicked = true;
            break;
        case EventKind::Wheel:
            inputState.wheelSteps = event.wheelNotches;
            inputState.ctrlWheel = event.modifiers == ModControl;
            break;
        case EventKind::KeyRelease:
            inputState.escapeKey = event.keyCode == KeyEscape;
            inputState.returnKey = event.keyCode == KeyReturn;
            inputState.upKey = event.keyCode == KeyUp;
            inputState.downKey = event.keyCode == KeyDown;
            inputState.leftKey = event.keyCode == KeyLeft;
            inputState.rightKey = event.keyCode == KeyRight;
            inputState.pageUpKey = event.keyCode == KeyPageUp;
            inputState.pageDownKey = event.keyCode == KeyPageDown;
            inputState.backspaceKey = event.keyCode == KeyBackspace;
            break;
        case EventKind::CharTyped:
            if (event.charCode >= 32) inputState.typedChar = event.charCode;
            break;
    }
    recordInput();
}

// Whether the input of the last poll ends the wait.
static bool isAwaited(const AwaitedInput& awaited) {
    const InputState& in = inputState;
    const bool anyKey =
        in.escapeKey || in.returnKey || in.upKey || in.downKey || in.leftKey || in.rightKey || in.pageUpKey ||
        in.pageDownKey || in.backspaceKey;
    bool listed = false;
    for (std::u16string rest = awaited.characters; !listed && !rest.empty() && in.typedChar != 0;) {
        listed = lowerCaseCode(takeFirstCharacter(rest)) == lowerCaseCode(in.typedChar);
    }
    return (awaited.click && in.clicked) || (awaited.escapeKey && in.escapeKey) ||
           (awaited.returnKey && in.returnKey) || (awaited.anyKey && anyKey) ||
           (awaited.anyCharacter && in.typedChar != 0) || listed;
}

void waitForInput(const AwaitedInput& awaited) {
    do {
        pollInput();
    } while (!isAwaited(awaited));
}

void presentBackBuffer() {
    presentImage(backBuffer);
}
