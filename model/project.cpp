// The project named, its folder, and loading it.
#include "model/project.h"

#include "model/adventure_file.h"
#include "platform/program.h"

std::u16string programFolder;
std::u16string projectName;
std::u16string projectFolder;

bool isProjectName(const std::u16string& name) {
    return !name.empty() && name != u"." && name != u".." && name.find_first_of(u"\\/") == std::u16string::npos &&
           name != ScratchFolderName;
}

std::u16string projectFolderOf(const std::u16string& name) {
    return u"Projets\\" + name + u"\\";
}

std::u16string readProjectAdventure(const std::u16string& name) {
    // A name leading out of "Projets" would find a file outside any project.
    if (!isProjectName(name)) return u"Fichier '" + projectFolderOf(name) + name + u".orv' introuvable !";
    return readAdventureFile(name + u".orv", projectFolderOf(name));
}

std::u16string projectOfFolder(const std::u16string& folder) {
    const size_t start = projectFolderOf(u"").size() - 1;  // after "Projets\"
    const std::u16string name = folder.size() > start ? folder.substr(start, folder.size() - start - 1) : u"";
    return isProjectName(name) && projectFolderOf(name) == folder ? name : u"";
}

void loadProject(const std::u16string& name) {
    const std::u16string failure = readProjectAdventure(name);
    if (!failure.empty()) fatalError(failure);
    projectName = name;
    projectFolder = projectFolderOf(name);
}
