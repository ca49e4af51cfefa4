// --carte NOM FICHIER.svg: the map of a project written as an SVG picture, by
// either program, without a window. The project is loaded as player mode
// loads it and refused for the same reasons (a name leading out of
// "Projets", a missing or damaged file, a folder that is a link); with no
// window to show a box in, the error is a line on standard error.
#include "app/orvalde.h"
#include "editor/map_picture.h"
#include "model/adventure.h"
#include "model/project.h"
#include "platform/program.h"

void runMapExport(const std::u16string& name, const std::u16string& picture) {
    errorsOnStandardError = true;
    if (!platformInitWithoutWindow()) fatalError(u"Impossible de dessiner la carte !");
    programFolder = currentDirectory();
    resetLayoutSettings();
    resetAdventure();
    if (!isProjectName(name)) fatalError(u"Fichier '" + projectFolderOf(name) + name + u".orv' introuvable !");
    loadProject(name);
    if (!writeMapPicture(picture)) fatalError(u"Impossible d'écrire le fichier " + picture + u" !");
    endProgram(0);
}
