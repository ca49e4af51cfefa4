// Checker mode: one project's adventure loaded as "CHARGER FICHIER" loads it
// and checked, each finding a line of standard output, without a window (so
// that it runs where there is no display). The status says whether the
// adventure can be played: 0 with no error, 4 with at least one, 1 when the
// project cannot be loaded (the reason on standard error).
#include <cstdio>

#include "app/startup.h"
#include "model/adventure.h"
#include "model/adventure_check.h"
#include "model/project.h"
#include "platform/program.h"

// Status of a check that found at least one error.
constexpr int CheckFoundErrors = 4;

static void printLine(const std::u16string& text) {
    std::fputs((textToUtf8(text) + "\n").c_str(), stdout);
}

void runCheckerMode(const std::u16string& name) {
    programFolder = currentDirectory();
    resetLayoutSettings();
    resetAdventure();
    // Refused as --jouer refuses: a name that leads out of "Projets", a
    // missing or damaged file, a project folder that is a link.
    const std::u16string failure = readProjectAdventure(name);
    if (!failure.empty()) {
        std::fputs(("Erreur : " + textToUtf8(failure) + "\n").c_str(), stderr);
        endProgram(1);
    }
    const AdventureCheck check = checkAdventure();
    for (const Finding& finding : check.findings) printLine(findingLine(finding));
    const std::u16string omitted = omittedFindingsLine(check);
    if (!omitted.empty()) printLine(omitted);
    endProgram(check.errors > 0 ? CheckFoundErrors : 0);
}
