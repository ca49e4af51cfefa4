// Player mode: one project played as "TESTER JEU" plays it, without the
// editor; the program ends when the game session does.
#include "app/startup.h"
#include "engine/session.h"
#include "model/adventure.h"
#include "model/project.h"
#include "platform/program.h"

// The path of a file named from the program's folder, as the play, which
// runs in the project's folder, finds it.
static std::u16string fromProgramFolder(const std::u16string& path) {
    std::u16string separated = path;
    for (char16_t& c : separated) {
        if (c == u'/') c = u'\\';
    }
    return separated.empty() || separated[0] == u'\\' ? separated : programFolder + separated;
}

void runPlayerMode(const std::u16string& name, bool inspector, const std::u16string& recording) {
    startUp();
    // The adventure of a new project, which the project's file then replaces.
    resetLayoutSettings();
    resetAdventure();
    loadProject(name);
    // Without its folder the play has nowhere to keep its starting state.
    if (!enterOwnFolder(projectFolder)) fatalError(NoStartingStateMessage);
    // No play at all, or no recording of it (the box has said why), is a
    // failure of the program.
    const bool played = runGameSession({inspector, recording.empty() ? u"" : fromProgramFolder(recording)});
    setCurrentDirectory(programFolder);
    endProgram(played ? 0 : 1);
}
