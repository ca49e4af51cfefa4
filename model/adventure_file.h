// The adventure file (".orv") of a project: saving it with the backup of the
// previous file, and loading it.
#pragma once

#include <string>

// Writes the whole adventure to programFolder + folder + fileName. The previous
// non-empty file becomes the backup (".bak"). Returns false, after the box
// "Erreur", when the file could not be written, or when the folder is a link;
// the file is then as it was.
bool saveAdventure(const std::u16string& fileName, const std::u16string& folder);

// Replaces the whole adventure by the file programFolder + folder + fileName.
// A missing, unreadable or short file is fatal; a file in a folder that is a
// link counts as missing.
void loadAdventure(const std::u16string& fileName, const std::u16string& folder);

// The same, returning why the file could not be read ("Fichier corrompu !"),
// or the empty text when it was. After a failure the adventure in memory may
// be half replaced.
std::u16string readAdventureFile(const std::u16string& fileName, const std::u16string& folder);
