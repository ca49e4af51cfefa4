// The options of the two programs: the editor by default, or one project
// played without it or checked, and the headless runner's script.
#pragma once

#include <cstdio>
#include <string>

struct ProgramArguments {
    enum Mode { Editor, Player, Checker, Help, Wrong } mode = Editor;
    std::string project;  // the project played with --jouer or checked with --verifier
    std::string script;   // the headless runner's script
};

// Reads the arguments after the program's name; the headless runner takes
// its script as the last one.
ProgramArguments parseProgramArguments(int argc, char** argv, bool headless);

// The usage of both programs, in French.
void printUsage(FILE* stream);
