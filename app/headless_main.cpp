// orvalde-headless [--jouer NOM] SCRIPT (or --verifier NOM): the whole program without a window,
// its input read from the script, what it draws and says written to standard
// output; orvalde-headless --carte NOM FICHIER.svg as orvalde --carte; or
// orvalde-headless --publier NOM DOSSIER, as orvalde publishes.
#include <cstdio>

#include "app/command_line.h"
#include "app/orvalde.h"
#include "app/publishing.h"
#include "app/startup.h"
#include "platform/headless.h"
#include "platform/program.h"

int main(int argc, char** argv) {
    const ProgramArguments arguments = parseProgramArguments(argc, argv, true);
    if (arguments.mode == ProgramArguments::Help) {
        printUsage(stdout);
        return 0;
    }
    if (arguments.mode == ProgramArguments::Wrong) {
        printUsage(stderr);
        return 2;
    }
    if (arguments.mode == ProgramArguments::Checker) runCheckerMode(utf8ToText(arguments.project));
    if (arguments.mode == ProgramArguments::Map) {
        runMapExport(utf8ToText(arguments.project), utf8ToText(arguments.picture));
    }
    if (arguments.mode == ProgramArguments::Publish) {
        runPublishing(utf8ToText(arguments.project), utf8ToText(arguments.site));
    }
    if (!loadInputScriptFile(utf8ToText(arguments.script))) return 2;
    if (arguments.mode == ProgramArguments::Player) runPlayerMode(utf8ToText(arguments.project), arguments.inspector, utf8ToText(arguments.recording));
    runOrvalde();
}
