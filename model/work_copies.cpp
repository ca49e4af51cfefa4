// Keeping the author's unsaved work aside, and offering it back.
//
// What counts as unsaved is decided by the bytes the adventure file would
// hold, never by which keys were pressed: the adventure in memory is written
// into memory and compared with what was last saved or loaded, so that a
// change undone by hand is no change. That costs a walk through the whole
// adventure, which is why it is done only when the editor idles or leaves.
#include "model/work_copies.h"

#include <algorithm>

#include "model/adventure.h"
#include "model/adventure_lines.h"
#include "model/project.h"
#include "platform/program.h"

namespace {

// Whether the adventure in memory is the author's work, to be kept: from
// beginWork until it is left (player mode keeps nothing).
bool keeping = false;
bool playing = false;         // a test play runs: memory holds the play's state
bool keptBeforePlay = true;   // whether the work was safe when the play began
bool leavingRefused = false;  // a way out of this work was refused once
int64_t dueAt = -1;           // when the comparison is due, -1 when it is not

std::string savedBytes;      // the work as last saved or loaded; empty when taken back
std::string copiedBytes;     // what the work's copy holds
std::u16string copyName;     // the work's copy in "Secours"; empty when it has none
std::u16string copyProject;  // the project its name was made for

std::string adventureBytes() {
    const FileHandle file = beginWritingInMemory();
    writeAdventureLines(file);
    return finishWritingInMemory(file);
}

bool endsWithOrv(const std::u16string& name) {
    return name.size() > 4 && lowerCase(rightPart(name, 4)) == u".orv";
}

// The project the copies of the work belong to: the one whose folder the work
// was saved in or loaded from; "Sans Titre", which no project may be named,
// for an adventure that has none.
std::u16string workProject() {
    const std::u16string project = projectOfFolder(projectFolder);
    return project.empty() ? ScratchFolderName : project;
}

// The project a copy's name gives: what comes before ".N-N.orv"; none for
// "Sans Titre" and for any name no project may have.
std::u16string projectOfCopy(const std::u16string& fileName) {
    std::u16string stem = fileName.substr(0, fileName.size() - 4);
    const size_t dot = stem.rfind(u'.');
    if (dot != std::u16string::npos) {
        const std::u16string number = stem.substr(dot + 1);
        const size_t dash = number.find(u'-');
        const bool numbered = dash != std::u16string::npos && dash > 0 && dash + 1 < number.size() &&
                              number.find_first_not_of(u"0123456789-") == std::u16string::npos;
        if (numbered) stem.erase(dot);
    }
    return isProjectName(stem) ? stem : u"";
}

// A name in "Secours" that nothing has: the project, this program's number
// and a count, so that two programs at work in one folder never write the
// same copy.
std::u16string freshCopyName(const std::u16string& project) {
    static int64_t made = 0;
    std::u16string name;
    do {
        name = project + u"." + integerToText(processNumber()) + u"-" + integerToText(++made) + u".orv";
    } while (fileSize(programFolder + CopiesFolder + name) != -1);
    return name;
}

void removeCopy() {
    if (!copyName.empty()) deleteFile(programFolder + CopiesFolder + copyName);
    copyName.clear();
    copiedBytes.clear();
}

// Writes the work's copy as the adventure file is written: beside its name,
// flushed, then renamed into place. A copy named for another project (the
// work saved under a new name since) is replaced by one of its own.
bool writeCopy(std::string& bytes) {
    const std::u16string folder = programFolder + CopiesFolder;
    if (fileSize(folder) == -1) createFolder(folder);
    if (!isOwnFolder(folder)) return false;
    const std::u16string project = workProject();
    const std::u16string name = !copyName.empty() && copyProject == project ? copyName : freshCopyName(project);
    const FileHandle file = beginReplacing(folder + name);
    if (file == 0) return false;
    const bool written = writeAdventureLines(file);
    if (!finishReplacing(file, written)) return false;
    if (!copyName.empty() && copyName != name) deleteFile(folder + copyName);
    copyName = name;
    copyProject = project;
    copiedBytes.swap(bytes);
    return true;
}

// True when nothing of the work would be lost: it is as last saved or
// loaded, or its copy holds it.
bool keepWorkAside() {
    dueAt = -1;
    if (!keeping) return true;
    if (playing) return keptBeforePlay;
    std::string bytes = adventureBytes();
    if (bytes == savedBytes) {
        removeCopy();
        return true;
    }
    const bool copyHoldsIt = !copyName.empty() && copyProject == workProject() && bytes == copiedBytes &&
                             fileSize(programFolder + CopiesFolder + copyName) == static_cast<int64_t>(bytes.size());
    return copyHoldsIt || writeCopy(bytes);
}

}  // namespace

void beginWork() {
    keeping = true;
    leavingRefused = false;
    dueAt = -1;
    savedBytes = adventureBytes();
    copyName.clear();
    copiedBytes.clear();
}

void workSaved() {
    savedBytes = adventureBytes();
    removeCopy();
}

void noteEditorInput() {
    if (keeping && !playing && dueAt < 0) dueAt = millisecondsNow() + CopyDelayMs;
}

int64_t msUntilCopyDue() {
    return dueAt < 0 ? -1 : std::max<int64_t>(0, dueAt - millisecondsNow());
}

void keepWorkAsideWhenDue() {
    if (dueAt >= 0 && millisecondsNow() >= dueAt) keepWorkAside();
}

bool mayLeaveWork() {
    // Once left, the work is safe in its copy: what memory holds next (an
    // adventure being loaded, which may fail half way) is no work to keep
    // until beginWork says so.
    if (keepWorkAside() || leavingRefused) {
        keeping = false;
        return true;
    }
    leavingRefused = true;
    showErrorBox(
        u"Impossible de mettre le travail non sauvé à l'abri\ndans le dossier Secours !\nSauvez l'aventure, ou "
        u"recommencez pour continuer sans copie.");
    return false;
}

void keepWorkAsideBeforeFatalEnd() {
    keepWorkAside();
}

void setTestPlaying(bool starting) {
    if (starting) keptBeforePlay = keepWorkAside();
    playing = starting;
}

std::vector<WorkCopy> waitingWorkCopies() {
    std::vector<WorkCopy> copies;
    const std::u16string folder = programFolder + CopiesFolder;
    if (!isOwnFolder(folder)) return copies;
    const auto newerFirst = [](const WorkCopy& a, const WorkCopy& b) {
        return a.madeAt != b.madeAt ? a.madeAt > b.madeAt : a.fileName < b.fileName;
    };
    const FolderListing listing = openFolderListing(folder);
    std::u16string name;
    bool isFolder = false;
    while (nextFolderEntry(listing, name, isFolder)) {
        // Only regular files of their own: a link, a pipe or a folder under
        // a copy's name is not one.
        int64_t madeAt = 0;
        if (isFolder || !endsWithOrv(name) || name == copyName || !ownFileModifiedAt(folder + name, madeAt)) continue;
        if (fileSize(folder + name) > MostCopyBytes) continue;
        copies.push_back({name, projectOfCopy(name), madeAt});
        // However many files the folder holds, only the newest are kept.
        std::sort(copies.begin(), copies.end(), newerFirst);
        if (copies.size() > MostCopiesOffered) copies.pop_back();
    }
    closeFolderListing(listing);
    return copies;
}

bool takeBackWorkCopy(const WorkCopy& copy) {
    const std::u16string folder = programFolder + CopiesFolder;
    const FileHandle file = openFile(folder + copy.fileName);
    if (file == 0) return false;
    resetAdventure();
    const bool whole = readAdventureLines(file) == AdventureReadResult::Complete;
    closeFile(file);
    if (!whole) return false;
    projectName = copy.project;
    projectFolder = copy.project.empty() ? u"" : projectFolderOf(copy.project);
    beginWork();
    // Nothing of it was saved in this run: it stays unsaved work until it is,
    // and the copy is its copy, renamed to a name of this program's so that a
    // program still at work in the folder, whose copy it may be, never writes
    // it too.
    copiedBytes.swap(savedBytes);
    copyProject = workProject();
    copyName = freshCopyName(copyProject);
    if (!renameFile(folder + copy.fileName, folder + copyName)) copyName = copy.fileName;
    return true;
}

void setWorkCopyAside(const WorkCopy& copy) {
    const std::u16string aside = programFolder + CopiesSetAsideFolder;
    if (fileSize(aside) == -1) createFolder(aside);
    if (!isOwnFolder(aside)) return;
    const std::u16string stem = copy.fileName.substr(0, copy.fileName.size() - 4);
    for (int64_t n = 1; n <= 1000; ++n) {
        const std::u16string target = aside + stem + (n == 1 ? u"" : u" (" + integerToText(n) + u")") + u".orv";
        if (fileSize(target) != -1) continue;
        renameFile(programFolder + CopiesFolder + copy.fileName, target);
        return;
    }
}
