// What the platform layer's own sources share; nothing outside platform/
// includes this. drawing.cpp, sound.cpp and files.cpp serve both window
// implementations; each implementation (window_sdl.cpp, window_headless.cpp)
// provides the operations declared at the end.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/platform.h"

// The one table of handles for pictures, fonts, sounds, files and folder
// listings: a handle is a slot number, slot 0 stands for "none", and a freed
// slot is reused by the next item kept.
template <typename Item>
struct HandleTable {
    std::vector<Item*> slots = std::vector<Item*>(1, nullptr);

    int64_t keep(Item* item) {
        if (item == nullptr) return 0;
        size_t slot = 1;
        while (slot < slots.size() && slots[slot] != nullptr) ++slot;
        if (slot == slots.size()) slots.push_back(nullptr);
        slots[slot] = item;
        return static_cast<int64_t>(slot);
    }
    Item* find(int64_t handle) const {
        if (handle <= 0 || static_cast<uint64_t>(handle) >= slots.size()) return nullptr;
        return slots[static_cast<size_t>(handle)];
    }
    // Forgets the handle and gives the item back to be released.
    Item* take(int64_t handle) {
        Item* item = find(handle);
        if (item != nullptr) slots[static_cast<size_t>(handle)] = nullptr;
        return item;
    }
    int64_t liveCount() const {
        int64_t count = 0;
        for (Item* item : slots) count += item != nullptr ? 1 : 0;
        return count;
    }
};

// UTF-8 and UTF-16 appended to a buffer without a new string each time
// (text.cpp): the adventure file has hundreds of thousands of lines.
void appendUtf8(const std::u16string& text, std::string& utf8);
void appendUtf16(const char* utf8, size_t length, std::u16string& text);
// The number at the front of a line's bytes, as textToInteger reads it from
// the same line as a text; and a number's decimal digits appended to bytes.
int64_t bytesToInteger(const char* bytes, size_t length, bool basePrefixes);
void appendDecimal(int64_t value, std::string& bytes);

// Host path from a "\"-separated path (files.cpp).
std::string hostPath(const std::u16string& path);
// Whether a regular file (not a folder, pipe or device) is at the path.
bool isRegularFile(const std::u16string& path);
// The regular file at the path open for reading, or null (also for a folder,
// a named pipe or a device); never waits. Pictures and sounds are read so too.
FILE* openRegularFile(const std::u16string& path);
// The file as a stream of the SDL libraries, which close it with the stream;
// none (the file closed) when there is no file or no stream.
SDL_RWops* streamOf(FILE* file);
// Files (files.cpp): every open file and folder listing closed.
void releaseFiles();

// Drawing (drawing.cpp): fonts and picture decoders up and down, the surface
// behind an image handle (the window's own for WindowSurface), and the count
// of live images.
bool startDrawing();
// Whether the layer has started (and not been released since).
bool layerStarted();
// Everything the layer holds released, the window last (endProcess and, in
// the headless runner, the end of a test process).
void platformRelease();
void stopDrawing();
SDL_Surface* surfaceOf(ImageHandle image);
int64_t countLiveImages();
// Presenting an image, the same for every window: the surface standing for
// the window is brought to show exactly the image, by copying only what
// differs within the areas of the image drawn since it was last presented;
// `changed` gets the rectangles that differed, all the window must send.
// The whole image is looked at when it is presented for the first time, after
// another image, after the window's surface was drawn into directly, after the
// image was made anew, and when the screen is new (`screenNew`).
void presentOnto(ImageHandle image, SDL_Surface* screen, bool screenNew, std::vector<SDL_Rect>& changed);

// Sound (sound.cpp): every sample and voice released.
void releaseSound();

// What the two SDL windows share (window_sdl_common.cpp): the window, and the
// next event of SDL's queue that the program uses, without waiting (kind None
// when there is none); the characters of a text input come one per call.
SDL_Window* sdlWindow();
PlatformEvent takeQueuedEvent();
// The window's surface brought to show the image (presentOnto), and the
// rectangles of it that changed, which the window must send on.
const std::vector<SDL_Rect>& presentOntoWindowSurface(ImageHandle image);
// Called just before the SDL window closes: the web page keeps showing the
// last frame (its canvas is emptied with the window); the real window goes.
void keepLastFrameShown();

// Provided by each window implementation.
//
// The surface that stands for the window's client area.
SDL_Surface* windowSurface();
// What was drawn where, for the headless runner's record of the texts each
// image shows (the windows ignore these). A text drawn into an image or
// the window, with the box it takes; an area painted over (a fill, a picture
// drawn stretched); a part of one image copied unscaled into another (a
// picture drawn, a grab), the area (x, y, width, height) of the source landing
// at (toX, toY) of the target; an image gone or made anew.
void noteTextDrawn(ImageHandle target, int64_t x, int64_t y, int64_t width, int64_t height, const std::u16string& text);
void noteAreaCovered(ImageHandle target, int64_t x, int64_t y, int64_t width, int64_t height);
void noteImageCopied(ImageHandle source, int64_t x, int64_t y, int64_t width, int64_t height, ImageHandle target,
                     int64_t toX, int64_t toY);
void noteImageGone(ImageHandle image);
