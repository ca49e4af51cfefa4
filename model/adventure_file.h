// The adventure file (".orv"): one value per line, and the save and load
// requests of the editor with the backup of the previous file.
#pragma once

#include <string>

// Writes the whole adventure to programFolder + folder + fileName. The previous
// non-empty file becomes the backup (".bak"). Returns false, after the box
// "Erreur", when the file could not be written; the files on disk are then as
// they were.
bool saveAdventure(const std::u16string& fileName, const std::u16string& folder);

// Replaces the whole adventure by the file programFolder + folder + fileName.
// A missing, unreadable or short file is fatal.
void loadAdventure(const std::u16string& fileName, const std::u16string& folder);

// "SAUVER": saves under projectName (nothing when the name is empty), creating
// the project folder and rebuilding the folder list.
void requestSaveAdventure();

// "CHARGER": the chosen folder becomes the project and its adventure is loaded.
void requestLoadAdventure(const std::u16string& folderName);
