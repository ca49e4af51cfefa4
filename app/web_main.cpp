// The web player: one published project played in the browser as
// "orvalde --jouer NOM" plays it. The page has laid the published files out
// under "/jeu" (Images, Fonts, Projets/NOM) and names the project; the
// player's saved games are kept in the browser's storage for the site,
// "0.sav" stays in memory with the project.
#include "app/startup.h"
#include "engine/saved_games.h"
#include "model/project.h"
#include "platform/program.h"
#include "platform/web.h"

int main(int argc, char** argv) {
    const std::u16string name = argc == 2 ? utf8ToText(argv[1]) : u"";
    if (!setCurrentDirectory(u"\\jeu")) return 1;
    // A name the page should never give (player mode refuses it) is kept out
    // of the storage's folder names.
    if (isProjectName(name)) {
        playerSlotsFolder = u"\\sauvegardes\\" + name + u"\\";
        // Without the browser's storage the slots live as long as the page,
        // in that folder or else with the project.
        if (!keepFolderInSiteStorage(playerSlotsFolder) && fileSize(playerSlotsFolder) != -2) playerSlotsFolder.clear();
    }
    runPlayerMode(name, false, u"");
}
