// The list of project folders of "Projets" shown ten at a time on the save and
// load pages. The whole list is read again from disk at every rebuild.
#pragma once

#include <cstdint>
#include <string>

constexpr int FolderListSlots = 10;

extern std::u16string folderList[FolderListSlots];
extern int64_t folderListFirst;  // index of the name in slot 0
extern int64_t folderListShown;  // names shown

// Reads "Projets" again and fills folderList from entry `first`; a "Projets"
// that cannot be listed is fatal.
void rebuildFolderList(int64_t first, int64_t shown);

// Scroll by the adjustment of the main loop: positive moves towards the top;
// false when the list shown stays the same (an end reached, nothing to scroll).
bool scrollFolderList(int64_t direction, int64_t step);
