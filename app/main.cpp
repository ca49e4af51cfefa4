// Orvalde: the editor and game engine in one window, or one project played on
// its own with --jouer, checked with --verifier, or the map of a project
// written with --carte.
#include <cstdio>

#include "app/command_line.h"
#include "app/orvalde.h"
#include "app/publishing.h"
#include "app/startup.h"
#include "platform/program.h"

int main(int argc, char** argv) {
    const ProgramArguments arguments = parseProgramArguments(argc, argv, false);
    switch (arguments.mode) {
        case ProgramArguments::Help:
            printUsage(stdout);
            return 0;
        case ProgramArguments::Wrong:
            printUsage(stderr);
            return 2;
        case ProgramArguments::Player:
            runPlayerMode(utf8ToText(arguments.project), arguments.inspector, utf8ToText(arguments.recording));
        case ProgramArguments::Checker:
            runCheckerMode(utf8ToText(arguments.project));
        case ProgramArguments::Map:
            runMapExport(utf8ToText(arguments.project), utf8ToText(arguments.picture));
        case ProgramArguments::Publish:
            runPublishing(utf8ToText(arguments.project), utf8ToText(arguments.site));
        case ProgramArguments::Editor:
            runOrvalde();
    }
}
