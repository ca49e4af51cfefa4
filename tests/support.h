// What every scenario needs: working folders laid out like build/run, the
// programs run as a person starts them, the program in this process driven by
// a script of what a person does, what it drew, and adventures to play.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "app/orvalde.h"
#include "app/publishing.h"
#include "app/startup.h"
#include "editor/editor_frame.h"
#include "editor/editor_pictures.h"
#include "editor/editor_state.h"
#include "engine/command.h"
#include "engine/events.h"
#include "engine/game_state.h"
#include "engine/screen.h"
#include "engine/session.h"
#include "model/adventure.h"
#include "model/event_labels.h"
#include "model/project.h"
#include "platform/headless.h"
#include "platform/program.h"

// ---- Folders and files ----

// A fresh folder holding copies of build/run's "Images" and "Fonts" and an
// empty "Projets"; removed when the test process ends. Returns its path.
std::string makeWorkFolder(const std::string& name);
// The same with a fresh copy of the demonstration project, "Projets/chateau".
std::string folderWithDemo(const std::string& name);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
// The lines of a file without their CR LF or LF ends.
std::vector<std::string> fileLines(const std::string& path);

// ---- The programs as separate processes ----

struct Run {
    int status;       // exit status, -1 when killed
    std::string out;  // standard output
    std::string err;  // standard error
};
// Runs `orvalde-headless ARGS SCRIPT` (the script written to a file) in the
// folder, with `environment` before the command (for example "HOME=/tmp"), or
// another program taking its script last.
Run runHeadless(const std::string& folder, const std::string& script, const std::string& arguments = "",
                const std::string& environment = "", const std::string& program = ORVALDE_HEADLESS);

// ---- The program in this process ----

// Makes the folder the working directory and puts the editor on its menu
// page with the default adventure and no project; the first call starts the
// program (platform, window, font, pictures). Output and pending input are
// dropped.
void startInProcess(const std::string& folder);
// The editor loop on the menu page driven by the script, until Escape on the
// menu: two Escapes are added at the end. Returns what was reported (texts drawn, boxes).
std::string runEditor(const std::string& script);
// A test play of the adventure in memory in the current directory, driven by
// the script, with an Escape added at the end, watched as told.
std::string playSession(const std::string& script, const PlayWatch& watch = {});
// Script pieces: a click; a click on the menu entry of a page (1..17); each
// line typed and entered with Return.
std::string click(int64_t x, int64_t y);
std::string menuEntry(int64_t page);
std::string typed(std::initializer_list<const char*> lines);

// ---- What the program drew ----

struct Drawn {
    int64_t x;
    int64_t y;
    std::string text;
};
std::vector<Drawn> drawn(const std::string& output);
std::vector<std::string> texts(const std::string& output);
// The texts of the text zone in order, as the player reads them: the line
// being typed shows only as entered, blank lines are left out.
std::vector<std::string> dialogue(const std::string& output);
// The message boxes reported, as "TITLE | TEXT".
std::vector<std::string> boxes(const std::string& output);
// The "expect" lines of the texts, and the texts of those not met since the
// last call, in script order.
std::string expectLines(const std::vector<std::string>& texts);
std::vector<std::string> unmet();
// The pixels where the editor's last frame of the script differs from the
// page drawn whole (typing or not); all when no frame was shown.
int64_t pixelsUnlikeThePageDrawnWhole(int64_t page, const std::string& script, bool typing = false);
// Whether `wanted` appears in `seen` in this order, other entries between.
::testing::AssertionResult inOrder(const std::vector<std::string>& seen, const std::vector<std::string>& wanted);

// ---- Adventures ----

inline EventStep step(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    return {type, arg1, arg2, 255};
}
// Appends an event after those in use; a minor one keyed by its words.
void addMinorEvent(int64_t w1, int64_t w2, int64_t w3, std::initializer_list<EventStep> conditions,
                   std::initializer_list<EventStep> actions);
void addMajorEvent(std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions);

// A small adventure on top of the default one: room 0 "Le hall." with an exit
// north to room 1 "La cave." (and south back); in the hall a lamp (object 0,
// word 20 "LAMPE") and a rock (object 2, word 22 "ROCHER", not takeable); in
// the cave a key (object 1, word 21 "CLEF" or "CLE"); word 30 "REGARDE". No
// event is in use. Everything else is the default adventure.
constexpr int64_t WordLamp = 20, WordKey = 21, WordRock = 22, WordLook = 30;
constexpr int64_t Lamp = 0, Key = 1, Rock = 2;
void writeSmallAdventure();
// A fresh work folder, the program started in it, the small adventure, and
// the project folder "Projets/essai" as current directory. Returns its path.
std::string startProject(const std::string& name);

// ---- Fatal errors, in death tests ----

// In the child process of a death test the reports go to standard error,
// where the box "Erreur" is looked for.
void reportOnStandardError();
std::string boxPattern(const std::string& text);
#define EXPECT_FATAL_BOX(statement, text) \
    EXPECT_EXIT(                          \
        {                                 \
            reportOnStandardError();      \
            statement;                    \
        },                                \
        ::testing::ExitedWithCode(1), boxPattern(text))

// ---- Hostile media ----

// An Ogg Vorbis sample (the headers of tests/data/beep.ogg, 22050 Hz mono)
// whose packets say it lasts about `seconds`, in a file of about 2 bytes per
// packet: they decode to silence, or with `decoded` false, to about six
// seconds of silence and then nothing at all.
void writeLongSample(const std::string& path, double seconds, bool decoded = false);
// A grey progressive JPEG of the size whose picture is made by `scans` scans:
// one of the DC coefficients, then scans of the AC coefficients repeated, each
// a few bytes long however large the picture.
void writeJpegOfScans(const std::string& path, int width, int height, int scans);

// ---- Pixels ----

// A picture file of one colour (PNG data, whatever the name's extension).
void writePicture(const std::string& path, Colour colour, int64_t width = 40, int64_t height = 30);
// How many pixels of the rectangle of the back buffer have the colour.
int64_t pixelsOf(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour);
