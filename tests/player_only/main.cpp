// A program made of the player library alone, as a program that only plays
// is made (the window here being the headless runner's): it plays PROJECT
// from its SCRIPT as "orvalde-headless --jouer PROJECT SCRIPT" does, and it
// cannot be linked should playing ever need anything of the editor.
//
//     orvalde_player_only PROJECT SCRIPT
#include "app/startup.h"
#include "platform/headless.h"

int main(int argc, char** argv) {
    if (argc != 3 || !loadInputScriptFile(utf8ToText(argv[2]))) return 2;
    runPlayerMode(utf8ToText(argv[1]), false, u"");
}
