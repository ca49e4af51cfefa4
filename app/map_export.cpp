// --carte NOM FICHIER.svg: the map of a project written as an SVG picture, by
// either program, without a window. The project is refused as player mode
// refuses it (a name leading out of "Projets", a missing or damaged file, a
// folder that is a link); with no window to show a box in, the reason is a
// line on standard error.
#include <cstdio>

#include "app/orvalde.h"
#include "editor/map_picture.h"
#include "model/adventure.h"
#include "model/project.h"
#include "platform/program.h"

[[noreturn]] static void endWithError(const std::u16string& message) {
    std::fputs(("Erreur : " + textToUtf8(message) + "\n").c_str(), stderr);
    endProgram(1);
}

void runMapExport(const std::u16string& name, const std::u16string& picture) {
    if (!platformInitWithoutWindow()) endWithError(u"Impossible de dessiner la carte !");
    programFolder = currentDirectory();
    resetLayoutSettings();
    resetAdventure();
    const std::u16string failure = readProjectAdventure(name);
    if (!failure.empty()) endWithError(failure);
    // The rooms' pictures are the project's.
    projectName = name;
    projectFolder = projectFolderOf(name);
    if (!writeMapPicture(picture)) endWithError(u"Impossible d'écrire le fichier " + picture + u" !");
    endProgram(0);
}
