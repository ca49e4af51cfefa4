// Saving and loading the adventure file of a project, with the backup of the
// previous file.
//
// A save never writes over the author's file: the new content is written
// beside it, the previous non-empty file is copied to the backup, then the new
// content replaces the main file; each of the two is written whole beside its
// name, flushed to the disk and renamed into place (beginReplacing). At every step the main name holds a complete
// adventure, the old or the new, so a crash, a power cut or a full disk at any
// point loses nothing. A save that fails shows "Erreur", leaves the main file
// as it was and lets the author go on with the adventure in memory. A load
// that fails is fatal: by then the adventure in memory may be half replaced.
//
// A project lives in a folder of its own: a folder that is a link (as an
// archive can plant one) may lead anywhere, so nothing is read from or written
// into it.
#include "model/adventure_file.h"

#include "model/adventure.h"
#include "model/adventure_lines.h"
#include "model/project.h"
#include "platform/program.h"

namespace {

// The file name with its last three characters replaced by "bak".
std::u16string backupName(const std::u16string& fileName) {
    const size_t kept = fileName.size() > 3 ? fileName.size() - 3 : 0;
    return fileName.substr(0, kept) + u"bak";
}

// Whether the folder (relative to programFolder, empty for programFolder
// itself) is a folder of its own rather than a link to one.
bool inOwnFolder(const std::u16string& folder) {
    return folder.empty() || isOwnFolder(programFolder + folder);
}

bool saveFailed(const std::u16string& fileName) {
    showErrorBox(u"Impossible de sauver le fichier " + fileName + u" !");
    return false;
}

}  // namespace

bool saveAdventure(const std::u16string& fileName, const std::u16string& folder) {
    const std::u16string path = programFolder + folder + fileName;
    if (!inOwnFolder(folder)) return saveFailed(fileName);
    const FileHandle file = beginReplacing(path);
    if (file == 0) return saveFailed(fileName);
    const bool written = writeAdventureLines(file);
    // The previous file, when it holds anything, becomes the backup while it
    // stays in place (an empty file is simply replaced). Without a backup the
    // save stops here: the previous content would otherwise be lost.
    const bool backedUp =
        written && (fileSize(path) <= 0 || copyFile(path, programFolder + folder + backupName(fileName)));
    return finishReplacing(file, backedUp) || saveFailed(fileName);
}

std::u16string readAdventureFile(const std::u16string& fileName, const std::u16string& folder) {
    const std::u16string path = programFolder + folder + fileName;
    const int64_t size = inOwnFolder(folder) ? fileSize(path) : -1;
    if (size == -1) return u"Fichier '" + folder + fileName + u"' introuvable !";
    const FileHandle file = size >= 0 ? openFile(path) : 0;
    if (file == 0) return u"Impossible d'ouvrir le fichier '" + folder + fileName + u"' !";

    resetAdventure();
    const AdventureReadResult result = readAdventureLines(file);
    closeFile(file);
    if (result != AdventureReadResult::Complete) return u"Fichier corrompu !";
    return std::u16string();
}

void loadAdventure(const std::u16string& fileName, const std::u16string& folder) {
    const std::u16string failure = readAdventureFile(fileName, folder);
    if (!failure.empty()) fatalError(failure);
}
