// Saving and loading the adventure file of a project, with the backup of the
// previous file.
//
// A save never writes over the author's file: the new content goes to a
// temporary file beside it, every line, the close and the flush to the disk
// are checked, the previous non-empty file is copied to the backup, and only
// then does the complete new file replace the main one by a rename. At every
// step the main name holds a complete adventure, the old or the new, so a
// crash or a full disk at any point loses nothing. A save that fails shows
// "Erreur", leaves the main file as it was and lets the author go on with the
// adventure in memory. A load that fails is fatal: by then the adventure in
// memory may be half replaced.
#include "model/adventure_file.h"

#include "model/adventure.h"
#include "model/adventure_reader.h"
#include "model/adventure_writer.h"
#include "platform/program.h"

namespace {

// The file name with its last three characters replaced by "bak".
std::u16string backupName(const std::u16string& fileName) {
    const size_t kept = fileName.size() > 3 ? fileName.size() - 3 : 0;
    return fileName.substr(0, kept) + u"bak";
}

// Writes the whole adventure into a new file at path; on any failure nothing
// of it is left behind.
bool writeNewFile(const std::u16string& path) {
    const FileHandle file = createFile(path);
    if (file == 0) return false;
    const bool written = writeAdventureLines(file);
    const bool closed = closeFile(file);
    if (written && closed) return true;
    deleteFile(path);
    return false;
}

bool saveFailed(const std::u16string& fileName) {
    showErrorBox(u"Impossible de sauver le fichier " + fileName + u" !");
    return false;
}

}  // namespace

std::u16string projectFolderOf(const std::u16string& name) {
    return u"Projets" + pathSeparator + name + pathSeparator;
}

bool saveAdventure(const std::u16string& fileName, const std::u16string& folder) {
    const std::u16string path = programFolder + folder + fileName;
    const std::u16string newPath = path + u".tmp";
    const std::u16string backupPath = programFolder + folder + backupName(fileName);

    if (!writeNewFile(newPath)) return saveFailed(fileName);
    // The previous file, when it holds anything, becomes the backup while it
    // stays in place (an empty file is simply replaced). Without a backup the
    // save stops here: the previous content would otherwise be lost.
    const bool backedUp = fileSize(path) <= 0 || copyFile(path, backupPath);
    if (!backedUp || !renameFile(newPath, path)) {
        deleteFile(newPath);
        return saveFailed(fileName);
    }
    return true;
}

void loadAdventure(const std::u16string& fileName, const std::u16string& folder) {
    const std::u16string path = programFolder + folder + fileName;
    const int64_t size = fileSize(path);
    if (size == -1) fatalError(u"Fichier '" + folder + fileName + u"' introuvable !");
    const FileHandle file = size >= 0 ? openFile(path) : 0;
    if (file == 0) fatalError(u"Impossible d'ouvrir le fichier '" + folder + fileName + u"' !");

    resetAdventure();
    const AdventureReadResult result = readAdventureLines(file);
    closeFile(file);
    if (result != AdventureReadResult::Complete) fatalError(u"Fichier corrompu !");
}
