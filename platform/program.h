// The services every layer above the platform uses, and the two resources
// that both the game and the editor draw with: the back buffer and the game
// font. They are declared here, at the bottom of the layers, so that the
// model, the engine and the editor can reach them; the start-up that fills
// them and the services themselves belong to the application (app/startup.cpp,
// app/input_poll.cpp, app/fatal_error.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

extern ImageHandle backBuffer;
extern FontHandle interfaceFont;

// Result of the last pollInput; every field is cleared by each poll and at
// most one is set.
struct InputState {
    bool clicked = false;
    int64_t wheelSteps = 0;
    bool ctrlWheel = false;
    bool escapeKey = false;
    bool returnKey = false;
    bool upKey = false;
    bool downKey = false;
    bool leftKey = false;
    bool rightKey = false;
    bool pageUpKey = false;
    bool pageDownKey = false;
    bool backspaceKey = false;
    int64_t typedChar = 0;
    bool operator==(const InputState&) const = default;
};
extern InputState inputState;

// Takes one event into inputState, waiting for it without spinning; with a
// maxWaitMs of 0 or more, at most that long (inputState then stays empty). A
// close request ends the program at once, the editor's unsaved work kept
// aside first (when that fails, the box "Erreur" says so, inputState stays
// empty and the program goes on, once).
void pollInput(int maxWaitMs = -1);

// What ends a wait for the player (waitForInput): each input set here does.
struct AwaitedInput {
    bool click = false;
    bool escapeKey = false;
    bool returnKey = false;
    bool anyKey = false;              // any key release the poll reports
    bool anyCharacter = false;        // any typed character
    std::u16string characters = u"";  // the typed characters that do, in either case
};

// Polls until an awaited input comes; inputState then holds it. Each poll
// waits for an event, so the wait idles without spinning.
void waitForInput(const AwaitedInput& awaited);

// Closes the window, shows "Erreur" with the message and ends the program.
[[noreturn]] void fatalError(const std::u16string& message);

// Shows the box titled "Erreur" and goes on.
void showErrorBox(const std::u16string& message);

// Closes the window, releases the platform and ends the process.
[[noreturn]] void endProgram(int status);

// Copies backBuffer to the window.
void presentBackBuffer();
