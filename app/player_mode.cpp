// Player mode: one project played as "TESTER JEU" plays it, without the
// editor; the program ends when the game session does.
#include "app/startup.h"
#include "engine/session.h"
#include "model/adventure.h"
#include "model/project.h"
#include "platform/program.h"

void runPlayerMode(const std::u16string& name) {
    startUp();
    // The adventure of a new project, which the project's file then replaces.
    resetLayoutSettings();
    resetAdventure();
    loadProject(name);
    // Without its folder the play has nowhere to keep its starting state.
    if (!enterOwnFolder(projectFolder)) fatalError(NoStartingStateMessage);
    // No play at all (the box has said why) is a failure of the program.
    const bool played = runGameSession();
    setCurrentDirectory(programFolder);
    endProgram(played ? 0 : 1);
}
