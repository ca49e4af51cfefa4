// The author's unsaved work, kept aside. Whenever the adventure in memory
// differs from what was last saved or loaded, a copy of it is kept in the
// working folder's "Secours" folder: a file written exactly as the project's
// adventure file would be (so that taking it back is a load), named after the
// project, or "Sans Titre" for an adventure never saved, and the number of
// the program that made it ("chateau.4711-1.orv"), dated by its last change.
// The copy is made when the editor has been idle since a change, a second
// after it, and at once before anything ends or replaces the adventure; a
// save of the project removes it. At the next start each copy is offered
// back; one the author leaves is moved to "Secours\Anciennes", where it is
// never offered again and never deleted.
//
// Copies never go into a project's folder, so they never replace a project's
// own files, and the copies of several projects (or of several programs at
// work in one folder) live side by side.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr const char16_t* CopiesFolder = u"Secours\\";
constexpr const char16_t* CopiesSetAsideFolder = u"Secours\\Anciennes\\";

// How long after an input the adventure is compared with what was last saved
// or loaded, and kept aside when it differs: the editor's poll waits no
// longer while the comparison is due.
constexpr int64_t CopyDelayMs = 1000;

// The adventure in memory has just been started afresh or loaded: nothing of
// it is unsaved, and its copy, once it needs one, is a file of its own (the
// copy of the work it replaced stays). The first call turns the keeping of
// copies on; player mode never makes any.
void beginWork();
// The adventure has just been written to its project's file: nothing is
// unsaved, and the work's copy is removed.
void workSaved();

// An input reached the editor: the adventure may have changed, so the
// comparison falls due CopyDelayMs from now, unless it is due already.
void noteEditorInput();
// Milliseconds until the comparison is due (0 when it is), or -1 when none
// is: how long the editor's poll may wait.
int64_t msUntilCopyDue();
// When the comparison is due: the work kept aside if it differs. The editor
// calls it when its poll came back without an input, off the typing path.
void keepWorkAsideWhenDue();

// Before the adventure in memory is ended or replaced (the program leaving,
// "REINITIALISER", a load): the work kept aside at once when it differs.
// False when that failed: the box "Erreur" has said so and the caller stays
// where it is, so that the author can save; the same way out asked again
// then goes through. After true, nothing is kept until beginWork.
bool mayLeaveWork();

// Before a fatal error ends the program: the work kept aside when it differs
// (never an adventure half loaded, nor a play's).
void keepWorkAsideBeforeFatalEnd();

// A test play moves the objects of the adventure in memory: the author's work
// is kept aside before it starts, and nothing of the play is ever compared or
// written; what a way out during the play relies on is that copy.
void setTestPlaying(bool playing);

// A copy waiting in "Secours" to be offered.
struct WorkCopy {
    std::u16string fileName;  // in "Secours"
    std::u16string project;   // empty for an adventure never saved
    int64_t madeAt;           // its last change, in milliseconds since 1970
};
// More than an author answers at one start; the others wait for the next.
constexpr int MostCopiesOffered = 20;
// Copies larger than any adventure the editor makes are not offered.
constexpr int64_t MostCopyBytes = 64 << 20;
// The copies waiting, newest first, at most MostCopiesOffered of them.
std::vector<WorkCopy> waitingWorkCopies();
// The copy's adventure replaces the one in memory at once (mayLeaveWork
// comes first), with the copy's project as the project, and counts as unsaved
// work: the copy becomes this program's copy of it. False, with the adventure
// in memory half replaced, when the copy could not be read whole.
bool takeBackWorkCopy(const WorkCopy& copy);
// Moves the copy to "Secours\Anciennes" under a name free there, where it is
// never offered again; left where it is when that cannot be done.
void setWorkCopyAside(const WorkCopy& copy);
