// What playing a project needs of the program's top level: the start-up
// both programs share and player mode. The editor's start is in orvalde.h.
#pragma once

#include <string>

// Start-up up to the game's own pictures: platform, sound, folders, window,
// back buffer, font and the game screen's default background. Every failure
// is fatal (sound only warns).
void startUp();
// Player mode: start-up, the project's adventure loaded and played, end.
// With `inspector`, F1 shows the inspector; with a recording file (named from
// the folder the program started in, or absolute), the play is recorded
// there.
[[noreturn]] void runPlayerMode(const std::u16string& name, bool inspector, const std::u16string& recording);
// Checker mode: the project's adventure loaded and checked, each finding
// printed on standard output; no window. Ends with status 0 without an
// error, 4 with one, 1 when the project cannot be loaded.
[[noreturn]] void runCheckerMode(const std::u16string& name);
