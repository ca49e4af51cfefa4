// The list of project folders: what is listed, how the first entry is kept in
// range, and that a folder removed from disk leaves the list at the next rebuild.
#include "editor/folder_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/program.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

std::set<std::u16string> shownNames() {
    std::set<std::u16string> names;
    for (const std::u16string& name : folderList) {
        if (!name.empty()) names.insert(name);
    }
    return names;
}

void makeProjects(const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) fs::create_directories(folder + "/Projets/projet" + std::to_string(i));
}

}  // namespace

TEST(FolderList, OnlyProjectFoldersAreListed) {
    const std::string folder = makeWorkFolder("folders-kinds");
    fs::create_directories(folder + "/Projets/chateau");
    fs::create_directories(folder + "/Projets/Sans Titre");
    fs::create_directories(folder + "/Projets/sans titre");  // the name is compared case included
    writeFileBytes(folder + "/Projets/notes.txt", "a plain file");
    startInProcess(folder);
    EXPECT_EQ(folderListFirst, 0);
    EXPECT_EQ(shownNames(), (std::set<std::u16string>{u"chateau", u"sans titre"}));
}

TEST(FolderList, NoProjectGivesABlankListFromTheFirstEntry) {
    const std::string folder = makeWorkFolder("folders-none");
    startInProcess(folder);
    rebuildFolderList(5, FolderListSlots);
    EXPECT_EQ(folderListFirst, 0);
    EXPECT_TRUE(shownNames().empty());
}

TEST(FolderList, TheFirstEntryStaysWithinTheNamesThatCanFillTheList) {
    const std::string folder = makeWorkFolder("folders-eleven");
    makeProjects(folder, 11);
    startInProcess(folder);
    std::set<std::u16string> seen = shownNames();
    EXPECT_EQ(seen.size(), 10u);
    scrollFolderList(-1, 1);  // one notch towards the user
    EXPECT_EQ(folderListFirst, 1);
    for (const std::u16string& name : shownNames()) seen.insert(name);
    EXPECT_EQ(seen.size(), 11u);  // the eleventh name came into view
    scrollFolderList(-1, 1);
    EXPECT_EQ(folderListFirst, 1);
    scrollFolderList(1, 1);
    EXPECT_EQ(folderListFirst, 0);
    scrollFolderList(1, 10);
    EXPECT_EQ(folderListFirst, 0);
}

TEST(FolderList, PageDownMovesByTenUpToTheLastFullPage) {
    const std::string folder = makeWorkFolder("folders-thirty");
    makeProjects(folder, 30);
    startInProcess(folder);
    scrollFolderList(-1, 10);
    EXPECT_EQ(folderListFirst, 10);
    scrollFolderList(-1, 10);
    EXPECT_EQ(folderListFirst, 20);
    scrollFolderList(-1, 10);
    EXPECT_EQ(folderListFirst, 20);
    EXPECT_EQ(shownNames().size(), 10u);
}

TEST(FolderList, AFolderRemovedOnDiskLeavesNoStaleNameBehind) {
    const std::string folder = makeWorkFolder("folders-removed");
    makeProjects(folder, 3);
    startInProcess(folder);
    EXPECT_EQ(shownNames().size(), 3u);
    fs::remove_all(folder + "/Projets/projet1");
    rebuildFolderList(0, FolderListSlots);
    EXPECT_EQ(shownNames(), (std::set<std::u16string>{u"projet0", u"projet2"}));
}
