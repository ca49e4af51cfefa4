// The options of the two programs: the editor by default, or one project
// played without it (with the inspector, recorded), checked or published for
// the web, or the map of a project written as a picture, and the headless
// runner's script.
#pragma once

#include <cstdio>
#include <string>

struct ProgramArguments {
    enum Mode { Editor, Player, Checker, Map, Publish, Help, Wrong } mode = Editor;
    // the project played with --jouer, checked with --verifier, drawn with --carte or published with --publier
    std::string project;
    bool inspector = false;  // --inspecteur: F1 shows the inspector in that play
    std::string recording;   // --enregistrer FICHIER: the play recorded there
    std::string script;      // the headless runner's script
    std::string picture;     // the SVG file that --carte writes
    std::string site;        // the folder --publier writes
};

// Reads the arguments after the program's name; the headless runner takes
// its script as the last one, except with --carte, which needs none.
ProgramArguments parseProgramArguments(int argc, char** argv, bool headless);

// The usage of both programs, in French.
void printUsage(FILE* stream);
