// Program-wide resources and the services every subsystem uses: the back
// buffer, the font and interface pictures, the folders, the input poll and the
// fatal-error exit.
#pragma once

#include <cstdint>
#include <string>

#include "app/platform.h"

extern ImageHandle backBuffer;
extern ImageHandle screenCopy;
extern FontHandle interfaceFont;
extern ImageHandle defaultScreenImage;
extern ImageHandle introImage;
extern ImageHandle decoImage1;
extern ImageHandle decoImage2;
extern ImageHandle decoImage3;
extern ImageHandle compassImage;
extern ImageHandle deleteIcon;
extern ImageHandle deleteIconSelected;

extern std::u16string pathSeparator;  // "\", used to build every path
extern std::u16string programFolder;  // working directory at start, ends with "\"
extern std::u16string projectName;
extern std::u16string projectFolder;  // "Projets\" + projectName + "\", or empty
extern int64_t running;               // the main loop runs while it is 1

// Result of the last pollInput; every field is cleared by each poll and at
// most one is set.
struct InputState {
    bool clicked;
    int64_t wheelSteps;
    bool ctrlWheel;
    bool escapeKey;
    bool returnKey;
    bool upKey;
    bool downKey;
    bool pageUpKey;
    bool pageDownKey;
    bool backspaceKey;
    int64_t typedChar;
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

// Start-up up to the loaded pictures: platform, sound, folders, window, back
// buffer, font, interface pictures. Every failure is fatal (sound only warns).
void startUp();
// The introduction picture until a click, Escape or Return.
void showIntroduction();
// The editor's initial state and the default adventure, on the menu page.
void initialiseEditor();
// The editor loop; returns when running becomes 0.
void runMainLoop();
// The whole program: start-up, introduction, editor loop, end.
[[noreturn]] void runOrvalde();
