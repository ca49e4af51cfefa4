// State shared by the platform layer's own sources; nothing outside app/platform_*.cpp includes this.
#pragma once

#include <SDL.h>

#include <string>

#include "app/platform.h"

// Host path from a "\"-separated path.
std::string hostPath(const std::u16string& path);

// Headless mode: the script's next event (None when only shot/mark lines were
// pending and the script goes on), and the reports written out.
PlatformEvent nextScriptEvent();
void headlessReport(const std::string& line);
void headlessPointer(int& x, int& y);
// The last frame presented, written by a "shot" line.
SDL_Surface* presentedFrame();
bool headlessModeOn();
