// "VERIFIER": the findings of the check of the adventure in memory, one per
// line in a white box, errors first; a finding too long for one line goes on
// under itself. The wheel and the arrow keys scroll the list one finding at a
// time (Page Up and Page Down ten), "MENU" and Escape go back to the menu.
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/referent_line.h"
#include "editor/widgets.h"
#include "model/adventure_check.h"
#include "platform/platform.h"
#include "platform/program.h"

namespace {

// The check shown, made when the page is opened: the adventure cannot change
// while the page is shown.
AdventureCheck shownCheck;
std::vector<std::u16string> shownLines;
int64_t firstShown = 0;    // the finding at the top of the box
bool lastIsShown = true;   // the box reaches the end of the list: no scrolling down

// The box of the list, and its margins.
constexpr int64_t BoxX = 50, BoxY = 70, BoxWidth = 700, BoxHeight = 470, Margin = 10;
// A finding's continuation lines are indented by this much.
constexpr int64_t Indent = 30;

// "2 erreurs, 1 remarque".
std::u16string countText(int64_t count, const char16_t* noun) {
    return integerToText(count) + u" " + noun + (count > 1 ? u"s" : u"");
}

}  // namespace

void openCheckPage() {
    shownCheck = checkAdventure();
    shownLines.clear();
    for (const Finding& finding : shownCheck.findings) shownLines.push_back(findingLine(finding));
    const std::u16string omitted = omittedFindingsLine(shownCheck);
    if (!omitted.empty()) shownLines.push_back(omitted);
    firstShown = 0;
}

// One finding from its line's top; returns the height it took, or 0 when not
// all of it fitted above `bottom` (then nothing of it is drawn). An error's
// first word is red.
static int64_t drawFinding(const std::u16string& line, bool error, int64_t top, int64_t bottom) {
    const int64_t left = BoxX + Margin;
    const int64_t width = BoxWidth - 2 * Margin;
    size_t next = 0;
    std::u16string lines[3];
    int count = 0;
    while (next < line.size() && count < 3) {
        lines[count] = takeWrappedLine(line, next, width - (count == 0 ? 0 : Indent));
        if (lines[count].empty()) break;
        ++count;
    }
    // A finding is at most three lines; more would be cut with "…".
    if (next < line.size() && count == 3) lines[2] = cutToWidth(lines[2] + u" " + line.substr(next), width - Indent);
    const int64_t height = textHeight(u"Ag") * count;
    if (top + height > bottom) return 0;
    const std::u16string redWord = u"erreur";
    const bool red = error && lines[0].starts_with(redWord);
    if (red) drawLabel(redWord, left, top, 255, 0, 0);
    for (int i = 0; i < count; ++i) {
        const std::u16string shown = i == 0 && red ? lines[0].substr(redWord.size()) : lines[i];
        const int64_t x = i == 0 ? left + (red ? textWidth(redWord) : 0) : left + Indent;
        drawLabel(shown, x, top + i * textHeight(u"Ag"), 0, 0, 0);
    }
    return height;
}

// The frame, the counts of the check shown (a new check always comes
// through the menu) and the empty box.
static void drawCheckLayer() {
    const std::u16string counts =
        countText(shownCheck.errors, u"erreur") + u", " + countText(shownCheck.remarks, u"remarque");
    drawLabel(counts, 740 - textWidth(counts), 35 - textHeight(counts) / 2, 0, 0, 0);
    drawButton(BoxX, BoxY, BoxWidth, BoxHeight);
    drawMenuButton(360, 560);
    showReadyLayer();
}

void drawCheckPage() {
    if (startLayeredPage(Findings, u"VERIFIER", 20)) drawCheckLayer();
    restoreGround(BoxX + 1, BoxY + 1, BoxWidth - 2, BoxHeight - 2);
    const int64_t count = static_cast<int64_t>(shownLines.size());
    if (count == 0) drawLabel(u"Rien à signaler : aucune erreur, aucune remarque.", BoxX + Margin, BoxY + Margin, 0, 0, 0);
    int64_t top = BoxY + Margin;
    int64_t shown = firstShown;
    while (shown < count) {
        const bool error = shown < static_cast<int64_t>(shownCheck.findings.size()) &&
                           ruleSeverity(shownCheck.findings[shown].rule) == Severity::Error;
        const int64_t height = drawFinding(shownLines[shown], error, top, BoxY + BoxHeight - Margin);
        if (height == 0) break;
        top += height + 4;
        ++shown;
    }
    lastIsShown = shown >= count;
    restoreGround(BoxX, BoxY + BoxHeight + 12, BoxWidth, textHeight(u"constats"));
    if (count > 0) {
        const std::u16string position = u"constats " + integerToText(firstShown + 1) + u" à " + integerToText(shown) +
                                        u" sur " + integerToText(count);
        drawLabel(position, BoxX, BoxY + BoxHeight + 12, 0, 0, 0);
    }
    endDrawing();
}

bool checkPageAdjust(int64_t direction, int64_t step) {
    const int64_t before = firstShown;
    // The wheel turned away from the author goes up the list, towards the first finding.
    if (direction > 0) {
        firstShown = firstShown > step ? firstShown - step : 0;
    } else if (direction < 0 && !lastIsShown) {
        const int64_t last = static_cast<int64_t>(shownLines.size()) - 1;
        firstShown = firstShown + step < last ? firstShown + step : last;
    }
    return firstShown != before;
}
