// The project folders of "Projets", read again from disk at every rebuild.
#include "editor/folder_list.h"

#include <algorithm>
#include <iterator>

#include "model/project.h"
#include "platform/program.h"

std::u16string folderList[FolderListSlots];
int64_t folderListFirst = 0;
int64_t folderListShown = FolderListSlots;

// A folder of its own: a link to a folder is no project, since it may lead
// anywhere.
static bool isProjectFolder(const std::u16string& projects, const std::u16string& name, bool isFolder) {
    if (!isFolder || !isProjectName(name)) return false;
    return isOwnFolder(projects + u"\\" + name);
}

void rebuildFolderList(int64_t first, int64_t shown) {
    const std::u16string projects = programFolder + u"Projets";
    if (shown < 0) shown = 0;
    if (shown > FolderListSlots) shown = FolderListSlots;

    FolderListing listing = openFolderListing(projects);
    if (listing == 0) fatalError(u"Le repertoire 'Projets' est manquant !");
    // The names of the visible window.
    std::u16string names[FolderListSlots];
    int64_t count = 0;
    std::u16string name;
    bool isFolder = false;
    // First pass: count, so that the first entry can be clamped before the
    // names of the visible window are kept.
    while (nextFolderEntry(listing, name, isFolder)) {
        if (isProjectFolder(projects, name, isFolder)) ++count;
    }
    closeFolderListing(listing);

    while (first + shown > count) --first;
    if (first < 0) first = 0;
    folderListFirst = first;
    folderListShown = shown;

    listing = openFolderListing(projects);
    if (listing == 0) fatalError(u"Le repertoire 'Projets' est manquant !");
    int64_t index = 0;
    while (nextFolderEntry(listing, name, isFolder)) {
        if (!isProjectFolder(projects, name, isFolder)) continue;
        if (index >= first && index < first + shown) names[index - first] = name;
        ++index;
    }
    closeFolderListing(listing);

    // Slots past the last name are emptied: a folder removed since the last
    // rebuild must not stay on screen, where a click would load it.
    for (int i = 0; i < FolderListSlots; ++i) folderList[i] = i < shown ? names[i] : std::u16string();
}

bool scrollFolderList(int64_t direction, int64_t step) {
    int64_t first = folderListFirst;
    if (direction > 0) first -= step;
    if (direction < 0) first += step;
    const int64_t firstBefore = folderListFirst;
    const int64_t shownBefore = folderListShown;
    std::u16string before[FolderListSlots];
    std::copy(std::begin(folderList), std::end(folderList), std::begin(before));
    rebuildFolderList(first, folderListShown);
    return folderListFirst != firstBefore || folderListShown != shownBefore ||
           !std::equal(std::begin(folderList), std::end(folderList), std::begin(before));
}
