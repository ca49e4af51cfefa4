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

void presentBackBuffer() {
    presentImage(backBuffer);
}
