// The project: the folder under "Projets" that holds the adventure being
// edited or played, its pictures, sounds and saved games. Paths are relative
// to the program's folder and written with "\" separators.
#pragma once

#include <string>

extern std::u16string programFolder;  // working directory at start, ends with "\"
extern std::u16string projectName;    // empty when no project is named
extern std::u16string projectFolder;  // "Projets\" + projectName + "\", or empty

// The scratch folder of the test plays of an adventure without a project,
// "Projets\Sans Titre", whose saved games every such play deletes: never a
// project.
constexpr const char16_t* ScratchFolderName = u"Sans Titre";

// Whether a name may be a project's, a folder of its own right under
// "Projets": not empty; not "." or "..", which would name "Projets" itself or
// the program's folder; no separator, which would lead into another folder;
// and not the scratch folder.
bool isProjectName(const std::u16string& name);

// The folder of a project, relative to programFolder: "Projets\NAME\".
std::u16string projectFolderOf(const std::u16string& name);
// The project whose folder that is; empty for any other folder.
std::u16string projectOfFolder(const std::u16string& folder);

// The folder becomes the project and its adventure file "NAME.orv" replaces
// the adventure in memory at once, without a question (a missing or damaged
// file, or a name that is no project's, is fatal).
void loadProject(const std::u16string& name);

// The project's adventure file replaces the adventure in memory, the folder
// not becoming the project; returns why it could not, or the empty text. A
// name that is no project's is refused as a missing project is.
std::u16string readProjectAdventure(const std::u16string& name);
