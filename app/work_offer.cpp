// At the editor's start, the unsaved work that earlier runs kept aside is
// offered back, one copy after the other, newest first.
#include "app/orvalde.h"
#include "editor/editor_frame.h"
#include "model/work_copies.h"
#include "platform/program.h"

namespace {

const char16_t* const dayNames[7] = {u"dimanche", u"lundi", u"mardi", u"mercredi", u"jeudi", u"vendredi", u"samedi"};
const char16_t* const monthNames[12] = {u"janvier", u"février", u"mars",      u"avril",   u"mai",      u"juin",
                                        u"juillet", u"août",    u"septembre", u"octobre", u"novembre", u"décembre"};

std::u16string twoDigits(int64_t value) {
    std::u16string digits = integerToText(value);
    if (digits.size() < 2) digits.insert(digits.begin(), u'0');
    return digits;
}

// "le samedi 1er juin 2024 à 14 h 05"; a date the system cannot tell is not
// given.
std::u16string frenchDateTime(int64_t millisecondsSince1970) {
    const CalendarTime at = localCalendarTime(millisecondsSince1970 / 1000);
    if (at.month < 1 || at.month > 12 || at.weekday < 0 || at.weekday > 6) return u"";
    return u" le " + std::u16string(dayNames[at.weekday]) + u" " + integerToText(at.day) +
           (at.day == 1 ? u"er " : u" ") + monthNames[at.month - 1] + u" " + integerToText(at.year) + u" à " +
           integerToText(at.hour) + u" h " + twoDigits(at.minute);
}

std::u16string offerText(const WorkCopy& copy) {
    const std::u16string whose =
        copy.project.empty() ? u"d'une aventure jamais sauvée" : u"du projet « " + copy.project + u" »";
    return u"Du travail non sauvé " + whose + u"\na été mis de côté" + frenchDateTime(copy.madeAt) +
           u".\nLe reprendre ?";
}

}  // namespace

void offerWorkCopies() {
    const std::vector<WorkCopy> copies = waitingWorkCopies();
    if (copies.empty()) return;
    // The introduction is over: the questions stand over the editor's menu.
    drawCurrentPage();
    presentBackBuffer();
    for (const WorkCopy& copy : copies) {
        if (!askQuestion(u"Travail non sauvé", offerText(copy), u"OUI", u"NON")) {
            setWorkCopyAside(copy);
            continue;
        }
        // A copy taken back earlier stays in its own file when this one
        // replaces it.
        if (!mayLeaveWork()) continue;
        if (takeBackWorkCopy(copy)) continue;
        startNewAdventure();
        setWorkCopyAside(copy);
        showErrorBox(u"La copie " + copy.fileName + u" est illisible :\nelle est mise de côté dans " +
                     CopiesSetAsideFolder + u".");
    }
}
