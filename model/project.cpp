// The project named, its folder, and loading it.
#include "model/project.h"

#include "model/adventure_file.h"

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

void loadProject(const std::u16string& name) {
    projectName = name;
    projectFolder = projectFolderOf(name);
    loadAdventure(projectName + u".orv", projectFolder);
}
