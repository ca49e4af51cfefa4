// The program's top level: start-up, the introduction, the editor's initial
// state and loop, and the whole run that the two programs' mains start.
#pragma once

#include <string>

// Start-up up to the loaded pictures: platform, sound, folders, window, back
// buffer, font, interface pictures. Every failure is fatal (sound only warns).
void startUp();
// The introduction picture until a click, Escape or Return.
void showIntroduction();
// The editor's initial state and the default adventure, on the menu page.
void initialiseEditor();
// The editor loop; returns when the author leaves it (Escape on the menu, "QUITTER").
void runMainLoop();
// The whole program: start-up, introduction, editor loop, end.
[[noreturn]] void runOrvalde();
// Player mode: start-up, the project's adventure loaded and played, end.
[[noreturn]] void runPlayerMode(const std::u16string& name);
