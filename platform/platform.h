// The platform layer: the one list of operations the rest of Orvalde may call
// for its window, input, drawing, pictures, font, sound, message box, files and
// folders. Only the platform layer's own sources include SDL. Two
// implementations stand behind it, chosen when linking: the real window
// (window_sdl.cpp) and the headless runner's scripted one (window_headless.cpp,
// whose extra operations are in platform/headless.h).
//
// Paths are written with "\" separators everywhere outside this layer; the
// layer maps them to the host's separator. Texts are UTF-16 (std::u16string);
// lengths and positions count UTF-16 units, except where a procedure says it
// counts whole characters (a character outside 16 bits, a surrogate pair in a
// text, is one character there).
#pragma once

#include <cstdint>
#include <string>

// ---------------------------------------------------------------------------
// Handles. Images, fonts, sounds and files are numbers owned by the layer;
// 0 always means "none".
using ImageHandle = int64_t;
using FontHandle = int64_t;
using SoundHandle = int64_t;
using FileHandle = int64_t;
using FolderListing = int64_t;

// The window's drawing surface as a drawing target (see beginDrawing).
constexpr ImageHandle WindowSurface = -1;

// A colour is red + green * 256 + blue * 65536, each component 0..255.
using Colour = int64_t;
constexpr Colour rgb(int64_t red, int64_t green, int64_t blue) {
    return (red & 255) + (green & 255) * 256 + (blue & 255) * 65536;
}

// ---------------------------------------------------------------------------
// Start and end of the layer.
bool platformInit();
// The layer without a window, for the programs' tasks on the command line:
// files, pictures, and drawing into images.
bool platformInitWithoutWindow();
// Releases the layer and ends the process with the status. The headless
// runner ends with 3 instead of 0 when an "expect" line of its script failed.
[[noreturn]] void endProcess(int status);

// ---------------------------------------------------------------------------
// Window and input.
bool openWindow(int width, int height);
bool createDrawingSurface();
void focusDrawingSurface();
void setWindowTitle(const std::u16string& title);
void closeWindow();

enum class EventKind { None, CloseRequest, Click, Wheel, KeyRelease, CharTyped };

// Modifier bits of a wheel event.
constexpr int ModShift = 1;
constexpr int ModAlt = 2;
constexpr int ModControl = 4;

// Key codes of released keys.
constexpr int KeyBackspace = 8;
constexpr int KeyReturn = 13;
constexpr int KeyEscape = 27;
constexpr int KeyPageUp = 33;
constexpr int KeyPageDown = 34;
constexpr int KeyLeft = 37;
constexpr int KeyUp = 38;
constexpr int KeyRight = 39;
constexpr int KeyDown = 40;
constexpr int KeyF1 = 112;  // shows or hides the inspector of a test play

struct PlatformEvent {
    EventKind kind = EventKind::None;
    int wheelNotches = 0;  // positive: away from the user
    int modifiers = 0;     // Mod* bits held during a wheel turn
    int keyCode = 0;       // Key* code of a released key
    int charCode = 0;      // code of a typed character (32 and above), a whole one outside 16 bits too
};

// Takes one event. Waits at most maxWaitMs for one to come (0: never waits;
// negative: waits as long as it takes), so that callers idle without
// spinning; returns kind None when none came in time.
PlatformEvent pollEvent(int maxWaitMs);
// Pointer position in client coordinates; -1, -1 outside the window.
void pointerPosition(int& x, int& y);
void sleepMs(int64_t milliseconds);

// ---------------------------------------------------------------------------
// Time and the process.
// Milliseconds on a clock that only goes forward, for delays (not the time of
// day).
int64_t millisecondsNow();
// A moment in the local calendar; month 1..12, weekday 0 (Sunday) to 6.
struct CalendarTime {
    int64_t year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;
    int hour = 0;
    int minute = 0;
};
// The local date and time of a moment in seconds since 1970; month 0 when the
// system cannot place it.
CalendarTime localCalendarTime(int64_t seconds);
// This process's number, which no other process running has.
int64_t processNumber();

// ---------------------------------------------------------------------------
// Drawing. Opening a target sets front colour white, back colour black, opaque
// text mode and the platform's default font.
enum class DrawMode { OpaqueText, TransparentText, AlphaBlend };

void beginDrawing(ImageHandle target);  // an image or WindowSurface
void endDrawing();
void fillRect(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour);
// A box of the colour laid over what is there, which shows through it:
// opacity 0 leaves it as it was, 255 covers it as fillRect does.
void fillRectBlended(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour, int64_t opacity);
void drawLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2);
void drawText(int64_t x, int64_t y, const std::u16string& text);
int64_t textWidth(const std::u16string& text);
int64_t textHeight(const std::u16string& text);  // 0 for the empty text
// The next line of a text wrapped at `width` pixels in the current font, the
// one starting at position `start`, which then moves to where the next line
// starts: as many characters as fit, then cut back to the last blank when the
// text goes on (that blank is dropped; the blanks after it stay); a word
// wider than the width is cut where it runs out, and a line keeps at least
// one character. Empty when width is 0 or less or the text is used up. The
// text itself is never changed, so wrapping a long text costs its length.
std::u16string takeWrappedLine(const std::u16string& text, size_t& start, int64_t width);
void setFrontColour(Colour colour);
void setDrawingMode(DrawMode mode);
// A loaded font, or 0 for the default font again; an unknown handle changes
// nothing.
void selectFont(FontHandle font);
void drawImage(ImageHandle image, int64_t x, int64_t y);
void drawImageScaled(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height);
// The image's area (x, y, width, height) drawn at the same place of the
// target, unscaled: a part of a ready layer brought back under what is drawn
// over it.
void drawImageArea(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height);
// Copies an image unscaled to (0, 0) of the window's surface and shows it.
void presentImage(ImageHandle image);

// ---------------------------------------------------------------------------
// Images.
ImageHandle createImage(int64_t width, int64_t height, int depth);  // depth 24 or 32
ImageHandle loadImage(const std::u16string& path);                  // JPEG or PNG; 0 on failure
ImageHandle grabImage(ImageHandle source, int64_t x, int64_t y, int64_t width, int64_t height);
void freeImage(ImageHandle image);
int64_t imageWidth(ImageHandle image);
int64_t imageHeight(ImageHandle image);
// The image as the bytes of a PNG file, for a picture carried inside another
// file; empty on failure.
std::string pngBytes(ImageHandle image);

// ---------------------------------------------------------------------------
// Fonts: a TrueType file at a character height in pixels.
FontHandle loadFont(const std::u16string& path, int pixels);

// ---------------------------------------------------------------------------
// Sound. After a failed initSound every operation fails quietly.
bool initSound();
void enableOggDecoding();
// A sample of the regular file at the path (0 when there is none). Nothing is
// read yet: the file is read when the sample is first played.
SoundHandle loadSound(const std::u16string& path);
// extraVoice false restarts the sample's own voice, the sample being decoded
// whole on its first play: a sample of more than ten minutes, or one that
// would take all decoded samples together past a bound, is not played.
// extraVoice true plays the sample on the one voice that plays alongside
// everything else, streamed from its file as it plays, in place of what that
// voice played. Returns the voice's handle, 0 on failure.
int64_t playSound(SoundHandle sound, bool extraVoice);
void stopSound(SoundHandle sound, int64_t voice);
void stopAllSounds();
void freeSound(SoundHandle sound);

// ---------------------------------------------------------------------------
// Message box: modal, with one OK button.
void messageBox(const std::u16string& title, const std::u16string& text);
// A question in a modal box with two buttons, labelled `yes` and `no`: true
// when the `yes` button was chosen (closing the box chooses `no`).
bool askQuestion(const std::u16string& title, const std::u16string& text, const std::u16string& yes,
                 const std::u16string& no);

// ---------------------------------------------------------------------------
// Files and folders.
std::u16string currentDirectory();  // absolute, ends with "\"
bool setCurrentDirectory(const std::u16string& path);
// Like setCurrentDirectory, but fails when the folder's own name is a link:
// for a folder whose files the program writes or deletes, which must not be
// elsewhere.
bool enterOwnFolder(const std::u16string& path);
// Whether a folder of its own is at the path: a link to a folder is not one.
bool isOwnFolder(const std::u16string& path);
int64_t fileSize(const std::u16string& path);  // -1 nothing there, -2 a folder
// When the regular file at the path, itself not a link, last changed, in
// milliseconds since 1970; false for anything else there (a link, a folder,
// a named pipe) and when nothing is.
bool ownFileModifiedAt(const std::u16string& path, int64_t& milliseconds);
bool createFolder(const std::u16string& path);
bool deleteFile(const std::u16string& path);
// Replaces whatever is at newPath (a file, or a link itself, never what it
// leads to) in one step.
bool renameFile(const std::u16string& oldPath, const std::u16string& newPath);
// Gives `to` a copy of the bytes of the regular file `from` (or of the one a
// link at `from` leads to), replacing `to` as beginReplacing does; on failure
// `to` is as it was.
bool copyFile(const std::u16string& from, const std::u16string& to);
// Removes an empty folder (not a link to one).
bool deleteFolder(const std::u16string& path);
// Whether the path, with every link followed, leads to a regular file inside
// the folder (whose links are followed too): a file of a project that may be
// read on its behalf.
bool leadsToFileInside(const std::u16string& path, const std::u16string& folder);
// The folder of the running program's own file, ending with "\"; empty when
// the system does not tell.
std::u16string programFileFolder();
// Folder listing: open, then take entries one by one ("." and ".." included);
// it may be closed at any point.
FolderListing openFolderListing(const std::u16string& folder);
bool nextFolderEntry(FolderListing listing, std::u16string& name, bool& isFolder);
void closeFolderListing(FolderListing listing);

// A number that changes whenever an entry of the folder (absolute path) is
// created, removed, renamed or written; the same number means nothing there
// changed since the last call for that folder. -1 when the folder cannot be
// watched: callers then look at it every time.
int64_t folderChangeStamp(const std::u16string& folder);

// A new empty file for writing, made exclusively: what stood under the name
// (a file, or a link, never what it leads to) is removed first; a folder
// there makes it fail.
FileHandle createFile(const std::u16string& path);
// The way every file the program keeps is written: what is written to the
// handle replaces the file at `path` in one step, and stays through a crash or
// a power cut. The handle writes to a new file beside `path`, named after it
// with this process's number and ending in ".tmp" (so two programs saving the
// same file never share it); `path` is untouched until finishReplacing.
FileHandle beginReplacing(const std::u16string& path);
// With `complete` (the caller's own writing went well): checks that every
// byte was written, flushes the file to the disk, renames it over `path` and
// flushes the folder. True only when all of it succeeded. On any failure
// before the rename, or without `complete`, the new file is removed and
// `path` is as it was, byte for byte; a failing flush of the folder after the
// rename is reported too, the new file then being in place. In the web
// player a flush in a folder kept in the browser's storage (web.h) writes
// that storage, and a failure there is reported alike.
bool finishReplacing(FileHandle file, bool complete);
// A file whose bytes stay in memory, written with writeLine and
// writeInteger like any other: what a file would hold, to compare.
FileHandle beginWritingInMemory();
// The bytes written to a file of beginWritingInMemory, which is then closed.
std::string finishWritingInMemory(FileHandle file);
// For reading; only a regular file opens (a folder, a named pipe or a device
// is a failure), and opening never waits.
FileHandle openFile(const std::u16string& path);
// Closes; a written file is flushed to the disk first. False when pending
// writes could not be completed, and for a replacement, which closing
// abandons.
bool closeFile(FileHandle file);
bool writeLine(FileHandle file, const std::u16string& text);  // UTF-8 + CR LF
// Next line without its end (LF, CR, CR LF or NUL end a line).
std::u16string readLine(FileHandle file);
// The next line read as textToInteger(readLine(file), true) would, straight
// from its bytes; and a number written as its decimal line (with CR LF).
int64_t readIntegerLine(FileHandle file);
bool writeIntegerLine(FileHandle file, int64_t value);
bool endOfFile(FileHandle file);
bool writeInteger(FileHandle file, int64_t value);  // 8 bytes little-endian
// Reads 8 bytes little-endian; false when fewer remain.
bool readInteger(FileHandle file, int64_t& value);

// ---------------------------------------------------------------------------
// Text utilities.
std::u16string rightPart(const std::u16string& text, int64_t count);
// The character of a code as a text: a surrogate pair above 0xFFFF; empty for
// a code that is no character (negative, a lone surrogate, above 0x10FFFF).
std::u16string charFromCode(int64_t code);
// Whole characters: the first one taken off the front of a text (its code, 0
// for the empty text), the last one taken off the end, and how many a text
// holds.
int64_t takeFirstCharacter(std::u16string& text);
void dropLastCharacter(std::u16string& text);
int64_t characterCount(const std::u16string& text);
std::u16string upperCase(const std::u16string& text);
std::u16string lowerCase(const std::u16string& text);
char16_t upperCaseChar(char16_t c);
char16_t lowerCaseChar(char16_t c);
// A character's code in small letters; outside 16 bits it has no case.
int64_t lowerCaseCode(int64_t code);
std::u16string integerToText(int64_t value);
// Leading blanks and tabs skipped, optional sign, decimal digits up to the
// first other character; 0 when there is no digit. With basePrefixes a "$"
// after the sign introduces hexadecimal digits and a "%" binary digits (the
// adventure file's integer lines). Beyond 64 bits the value saturates.
int64_t textToInteger(const std::u16string& text, bool basePrefixes = false);
std::u16string utf8ToText(const std::string& utf8);
std::string textToUtf8(const std::u16string& text);
