// "TESTER JEU": plays the adventure in memory with the project folder as the
// current directory, or the scratch folder "Projets\Sans Titre" when no project
// is named, then comes back to the menu.
#include <vector>

#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "engine/session.h"
#include "model/project.h"
#include "model/work_copies.h"
#include "platform/platform.h"
#include "platform/program.h"

// Deletes the saved games ("*.sav", in any case) of the current directory. The
// names are collected before anything is deleted, so that the listing is not
// read while its folder changes.
static void deleteSavedGames() {
    FolderListing listing = openFolderListing(currentDirectory());
    if (listing == 0) return;
    std::vector<std::u16string> savedGames;
    std::u16string name;
    bool isFolder = false;
    while (nextFolderEntry(listing, name, isFolder)) {
        if (!isFolder && name.size() > 4 && lowerCase(rightPart(name, 4)) == u".sav") savedGames.push_back(name);
    }
    closeFolderListing(listing);
    for (const std::u16string& savedGame : savedGames) deleteFile(savedGame);
}

// Makes the folder of the play current: the project's, or the scratch folder.
// Either must be a folder of its own, not a link to another one, since the
// play writes its saved games there (and deletes them from the scratch
// folder); when "Projets" has gone, the scratch folder is made in the working
// directory itself.
static bool enterPlayFolder(bool scratch) {
    if (!scratch) return enterOwnFolder(projectFolder);
    setCurrentDirectory(u"Projets");
    if (fileSize(ScratchFolderName) != -2) createFolder(ScratchFolderName);
    return enterOwnFolder(ScratchFolderName);
}

void runTestGame() {
    const std::u16string rememberedFolder = programFolder;
    const bool scratch = projectFolder.empty();
    setTestPlaying(true);
    if (enterPlayFolder(scratch)) {
        // A project keeps the recording of its last test play, the exact
        // reproduction of whatever the author saw in it.
        runGameSession({.inspector = true, .recording = scratch ? u"" : u"derniere-partie.txt"});
        if (scratch) deleteSavedGames();
    } else {
        // Nowhere to write the starting state: no play, and nothing written
        // or deleted anywhere else.
        showErrorBox(NoStartingStateMessage);
    }
    setTestPlaying(false);
    setCurrentDirectory(rememberedFolder);
    currentPage = Menu;
    drawMenuPage();
}
