// Scenario support shared by every test: working folders laid out like
// build/run, runs of the headless runner, the program in-process with scripted
// input and the texts it drew, the adventures and game states the scenarios
// play, adventure files, saved-game bytes, pixels and timings.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/headless.h"
#include "platform/program.h"
#include "app/orvalde.h"
#include "editor/editor_state.h"
#include "editor/editor_frame.h"
#include "engine/command.h"
#include "engine/game_state.h"
#include "engine/saved_games.h"
#include "engine/screen.h"
#include "engine/game_text.h"
#include "model/adventure.h"
#include "model/adventure_reader.h"
#include "model/event_labels.h"

// A fresh folder under the system's temporary folder holding copies of the
// ready working folder's "Images" and "Fonts" and an empty "Projets".
// Returns its absolute path.
std::string makeWorkFolder(const std::string& name);

struct HeadlessRun {
    int status;          // exit status of orvalde-headless
    std::string output;  // its standard output
};
// Runs orvalde-headless in `folder` on the script text. `environment` is put
// before the command (for example "SDL_AUDIODRIVER=none").
HeadlessRun runHeadless(const std::string& folder, const std::string& script, const std::string& environment = "");

// In-process: the first call starts the headless platform and the program's
// resources (font, pictures, back buffer). Every call then makes `folder` the
// working directory and programFolder, empties the recorded output and the
// pending script, and puts the editor and the adventure in their start state.
void startInProcess(const std::string& folder);
// Appends script lines (same syntax as the headless runner's scripts).
void queueScript(const std::string& script);
// The output recorded since the last call ("text X Y ...", "box ...", "mark ...").
std::string takeOutput();

// Small file helpers for scenarios.
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
bool pathExists(const std::string& path);

// ---- What the program drew ----

struct DrawnText {
    int64_t x;
    int64_t y;
    std::string text;
};
// The "text X Y TEXT" lines of a recorded output, in drawing order.
std::vector<DrawnText> drawnTexts(const std::string& output);
// Every line of the output in order; lines other than texts (marks, boxes)
// keep their place with x = y = -1 and the whole line as text.
std::vector<DrawnText> outputEntries(const std::string& output);
std::vector<std::string> allTexts(const std::vector<DrawnText>& texts);
std::vector<std::string> textsOnly(const std::string& output);
// Texts with their places, "X,Y TEXT", to compare whole drawings at once.
std::string placed(int64_t x, int64_t y, const std::string& text);
std::vector<std::string> placedTexts(const std::string& output);
// The texts drawn with their top-left corner at (x, y), in drawing order.
std::vector<std::string> textsAt(const std::vector<DrawnText>& texts, int64_t x, int64_t y);
// Index of the first entry from `from` on whose text is `text` (and, when x or
// y is not -1, drawn there); -1 when there is none.
int64_t findDrawn(const std::vector<DrawnText>& texts, const std::string& text, int64_t x = -1, int64_t y = -1,
                  int64_t from = 0);
int64_t countOf(const std::vector<DrawnText>& texts, const std::string& text);
// True when the texts hold `expected` in this order, other texts between them.
bool inOrder(const std::vector<DrawnText>& texts, std::initializer_list<const char*> expected);

// ---- The editor ----

// Where drawCentredText puts a text centred on (cx, cy), in the editor's font.
int64_t centredX(const std::u16string& text, int64_t cx);
int64_t centredY(const std::u16string& text, int64_t cy);
std::string clickAt(int64_t x, int64_t y);
// A click on the centre of the menu button of a page (1..16).
std::string clickMenuEntry(int64_t page);
// Runs the editor loop in-process on the script and returns its output. The
// caller has called startInProcess and set up what the scenario needs.
std::string runEditorScript(const std::string& script);

// ---- Events, game states and adventures to play ----

inline EventStep step(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    return {type, arg1, arg2, 255};
}
// The steps in the first slots, every other slot empty.
void fillSteps(EventStep* slots, std::initializer_list<EventStep> steps);
void setMajorEvent(int index, std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions);
void setMinorEvent(int index, int64_t w1, int64_t w2, int64_t w3, std::initializer_list<EventStep> conditions,
                   std::initializer_list<EventStep> actions);
// Appends an event (a minor one keyed by one word) after those in use.
void addMajorEvent(std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions);
void addMinorEvent(int64_t word, std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions);

// The game state a session starts from, no events in use, the command empty.
void resetGameState();
// A fresh work folder as the current directory, the default adventure, the
// game state above and a screen cleared to the program's own background; the
// output recorded so far is dropped. Returns the folder.
std::string startPlay(const std::string& name);

// The small adventure: room 0 "Le hall." with an exit north to room 1 "La
// cave." (exit south back); a lamp (object 0, word 20) in room 0, a key
// (object 1, words "CLEF" and "CLE" 21) in room 1, both takeable, a rock
// (object 2, word 22) in room 0 that is not; word 30 "REGARDE"; the default
// system messages and built-in words, the default layout.
constexpr int64_t WordLamp = 20, WordKey = 21, WordRock = 22, WordLook = 30;
constexpr int64_t Lamp = 0, Key = 1, Rock = 2;
void writeSmallAdventure();
// A fresh work folder with "Projets/Essai" made current, the small adventure,
// a reset game state (no events in use) and no screen pictures. Returns the
// project folder.
std::string startProject(const std::string& name);

// Top of a zone's line `line` (0 first) while the zone has not scrolled.
inline int64_t lineTop(const Zone& zone, int64_t line) {
    return zone.y + 2 + line * gameLineHeight();
}

// Every value the actions may change, to tell "nothing happened" apart.
struct PlaySnapshot {
    int64_t room, turns;
    std::vector<int64_t> locations, flagValues, images, handles;
    bool redraw, quit, end;
    int64_t cursors[3];
    bool operator==(const PlaySnapshot&) const = default;
};
PlaySnapshot snapshotPlay();

// ---- Pictures and pixels ----

// A picture file of one colour. PNG data decodes whatever the file's name, so
// pictures named ".jpg" keep their exact colours in pixel checks.
void writeSolidPicture(const std::string& path, Colour colour, int64_t width = 40, int64_t height = 30);
// Pixels of the colour inside a rectangle of the image.
int64_t pixelsOf(ImageHandle image, int64_t x, int64_t y, int64_t width, int64_t height, Colour colour);
inline bool allOfColour(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour) {
    return pixelsOf(backBuffer, x, y, width, height, colour) == width * height;
}

// ---- Saved games ----

// Each value as 8 bytes, least significant first, and back.
std::string savedGameBytes(const std::vector<int64_t>& values);
std::vector<int64_t> savedGameValues(const std::string& bytes);

// ---- Adventure files ----

// Starts the program in-process on a fresh working folder named after the
// scenario; returns the folder's path ending with "/", also kept in workFolder.
std::string startIn(const std::string& name);
extern std::string workFolder;
// Every value the file holds gets a distinctive content: texts with accents,
// blanks at both ends, characters outside the basic plane, signs and digits
// that must stay text; integers from the whole 64-bit range. `textLength`
// makes the long texts of the benchmark.
void fillDistinctAdventure(int64_t minorCount, int64_t majorCount, uint64_t seed, size_t textLength = 0);
// A spare adventure for comparisons (the model is too big for the stack).
extern Adventure keptAdventure;
// Every value the file holds is the same (events up to their counts).
::testing::AssertionResult sameAdventure(const Adventure& expected, const Adventure& actual);
// The lines of a file whose every line ends with CR LF; a stray CR or LF, or
// a last line without its end, makes the result empty.
std::vector<std::string> crLfLines(const std::string& bytes);
// Resets the adventure (unless told not to) and reads the file at the host
// path with the reading core.
AdventureReadResult readAdventureAt(const std::string& hostPath, bool reset = true);
// Saves the adventure as fileName in the working folder and returns the
// bytes written (empty when the save failed).
std::string saveBytes(const std::u16string& fileName);

// ---- Fatal errors, in death tests ----

// In the child of a death test: the reports go to standard error, where the
// parent reads the "Erreur" box.
void reportBoxesOnStandardError();
// The regular expression of the report "box Erreur | TEXT".
std::string errorBoxPattern(const std::string& text);
#define EXPECT_FATAL_BOX(statement, text) \
    EXPECT_EXIT(                          \
        {                                 \
            reportBoxesOnStandardError(); \
            statement;                    \
        },                                \
        ::testing::ExitedWithCode(1), errorBoxPattern(text))

// ---- Timings ----

double medianOf(std::vector<double> values);
double millisecondsSince(std::chrono::steady_clock::time_point start);
void requestSaveAdventure(); void requestLoadAdventure(const std::u16string& name);
