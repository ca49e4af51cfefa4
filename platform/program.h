// Program-wide resources and the services every subsystem uses: the back
// buffer, the font and interface pictures, the folders, the input poll and the
// fatal-error exit. They are declared here, at the bottom of the layers, so
// that the model, the engine and the editor can reach them; the start-up that
// fills them and the poll and exit themselves belong to the application
// (app/startup.cpp, app/input_poll.cpp).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

extern ImageHandle backBuffer;
extern FontHandle interfaceFont;

extern int64_t running;               // the main loop runs while it is 1

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
    bool pageUpKey = false;
    bool pageDownKey = false;
    bool backspaceKey = false;
    int64_t typedChar = 0;
};
extern InputState inputState;

// How long one poll may wait for an event before it returns empty-handed
// while a page shows live content, so that it is redrawn about four times a
// second. Otherwise a poll sleeps until an event comes.
constexpr int IdlePollMs = 250;
// Set by a page with live content each time it is drawn; the editor loop
// clears it before every redraw.
extern bool liveRefreshWanted;

// Takes one event into inputState, waiting for it without spinning (at most
// IdlePollMs while liveRefreshWanted). A close request ends the program at once.
void pollInput();

// Closes the window, shows "Erreur" with the message and ends the program.
[[noreturn]] void fatalError(const std::u16string& message);

// Shows the box titled "Erreur" and goes on.
void showErrorBox(const std::u16string& message);

// Closes the window, releases the platform and ends the process.
[[noreturn]] void endProgram(int status);

// Copies backBuffer to the window.
void presentBackBuffer();
