// Publishing a project for the web: a folder that any static web server
// serves, holding the page, the web player and the files the game reads.
#pragma once

#include <string>
#include <vector>

// The page of a published game (web_page.cpp): it lays out `files` (paths
// relative to the page, "/"-separated, under "jeu/") and starts the web
// player on the project.
std::u16string webPage(const std::u16string& projectName, const std::vector<std::u16string>& files);

// "--publier NOM DOSSIER": writes the site of Projets/NOM into DOSSIER, which
// is created, or must be an empty folder. Refusals show "Erreur" and end
// with status 1, as player mode's do; nothing is left of a site not written
// whole.
[[noreturn]] void runPublishing(const std::u16string& name, const std::u16string& folder);
