// Scenario support: working folders laid out like build/run, runs of the
// headless runner, and the program started in-process for scripted input.
#pragma once

#include <string>

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
