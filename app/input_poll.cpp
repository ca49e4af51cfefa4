// The input poll, which turns one window event into the InputState of the
// loops, and the presentation of a frame.

#include "platform/program.h"

InputState inputState = {};
void pollInput(int maxWaitMs) {
    inputState = {};
    const PlatformEvent event = pollEvent(maxWaitMs);
    switch (event.kind) {
        case EventKind::None:
            break;
        case EventKind::CloseRequest:
            endProgram(0);
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
            inputState.pageUpKey = event.keyCode == KeyPageUp;
            inputState.pageDownKey = event.keyCode == KeyPageDown;
            inputState.backspaceKey = event.keyCode == KeyBackspace;
            break;
        case EventKind::CharTyped:
            if (event.charCode >= 32) inputState.typedChar = event.charCode;
            break;
    }
}

// Whether the input of the last poll ends the wait.
static bool isAwaited(const AwaitedInput& awaited) {
    const InputState& in = inputState;
    const bool anyKey =
        in.escapeKey || in.returnKey || in.upKey || in.downKey || in.pageUpKey || in.pageDownKey || in.backspaceKey;
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
