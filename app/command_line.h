// The options of the two programs: the editor by default, or one project
// played without it (with the inspector, recorded) or checked, and the
// headless runner's script.
#pragma once

#include <cstdio>
#include <string>

struct ProgramArguments {
    enum Mode { Editor, Player, Checker, Help, Wrong } mode = Editor;
    std::string project;     // the project played with --jouer or checked with --verifier
    bool inspector = false;  // --inspecteur: F1 shows the inspector in that play
    std::string recording;   // --enregistrer FICHIER: the play recorded there
    std::string script;      // the headless runner's script
};

// Reads the arguments after the program's name; the headless runner takes
// its script as the last one.
ProgramArguments parseProgramArguments(int argc, char** argv, bool headless);

// The usage of both programs, in French.
void printUsage(FILE* stream);
