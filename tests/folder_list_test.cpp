// The list of project folders: what is listed, how the first entry is kept in
// range, and that a folder removed from disk leaves the list at the next rebuild.
#include "editor/folder_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

std::set<std::u16string> shownNames() {
    std::set<std::u16string> names(folderList, folderList + FolderListSlots);
    names.erase(u"");
    return names;
}

void makeProjects(const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) fs::create_directories(folder + "/Projets/projet" + std::to_string(i));
}

}  // namespace

// Only folders are listed, the scratch folder "Sans Titre" (case included)
// never; no project gives a blank list from the first entry; a folder removed
// on disk leaves no stale name behind.
TEST(FolderList, OnlyProjectFoldersAreListed) {
    const std::string folder = makeWorkFolder("folders-kinds");
    startInProcess(folder);
    rebuildFolderList(5, FolderListSlots);
    EXPECT_EQ(folderListFirst, 0);
    EXPECT_TRUE(shownNames().empty());
    fs::create_directories(folder + "/Projets/chateau");
    fs::create_directories(folder + "/Projets/Sans Titre");
    fs::create_directories(folder + "/Projets/sans titre");
    writeFileBytes(folder + "/Projets/notes.txt", "a plain file");
    startInProcess(folder);
    EXPECT_EQ(folderListFirst, 0);
    EXPECT_EQ(shownNames(), (std::set<std::u16string>{u"chateau", u"sans titre"}));
    fs::remove_all(folder + "/Projets/chateau");
    rebuildFolderList(0, FolderListSlots);
    EXPECT_EQ(shownNames(), (std::set<std::u16string>{u"sans titre"}));
}

// The first entry stays within the names that can fill the list; Page Down
// moves by ten up to the last full page.
TEST(FolderList, TheFirstEntryStaysWithinTheNamesThatCanFillTheList) {
    const std::string folder = makeWorkFolder("folders-eleven");
    makeProjects(folder, 11);
    startInProcess(folder);
    std::set<std::u16string> seen = shownNames();
    EXPECT_EQ(seen.size(), 10u);
    const int64_t steps[][3] = {{-1, 1, 1}, {-1, 1, 1}, {1, 1, 0}, {1, 10, 0}};  // direction, step, first
    for (const auto& s : steps) {
        scrollFolderList(s[0], s[1]);
        EXPECT_EQ(folderListFirst, s[2]);
        for (const std::u16string& name : shownNames()) seen.insert(name);
    }
    EXPECT_EQ(seen.size(), 11u);  // the eleventh name came into view

    makeProjects(folder, 30);
    startInProcess(folder);
    for (int64_t first : {10, 20, 20}) {
        scrollFolderList(-1, 10);
        EXPECT_EQ(folderListFirst, first);
    }
    EXPECT_EQ(shownNames().size(), 10u);
}
