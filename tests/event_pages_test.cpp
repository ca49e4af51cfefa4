// An author writes events on the pages "EVTS. MINEURS" and "EVTS. MAJEURS" with
// clicks, the wheel, the keys and Backspace: steps chosen, numbered, marked and
// deleted, events appended and visited; then saves, loads and plays them.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <tuple>

#include "editor/widgets.h"
#include "model/adventure_file.h"
#include "tests/support.h"

namespace {

struct Line {
    int64_t y;
    std::string text;
    std::vector<Drawn> parts;
};

// What the author sees on a page drawn again: every text in reading order (the
// word fields' column top to bottom, then the rest row by row), the chooser's rows and
// the step lines (characters put together by row, "|" between lines), the
// step beside the delete icon ("" an empty row, "-" no icon; "!" first when the
// icon has the focus), the event's place in the title bar and the line above
// the list that names what the chosen number refers to.
struct Shown {
    std::vector<Drawn> all;
    std::vector<std::string> texts;
    std::vector<Line> chooser, steps;
    std::string stepLines, marked = "-", position, referent;
    int64_t iconTop = -1;
};

Shown show(int64_t page) {
    currentPage = page;
    forgetReadyLayer();  // drawn whole, every text reported
    takeHeadlessOutput();
    drawCurrentPage();
    currentPage = Menu;  // where the editor loop of the next scenario starts
    Shown seen;
    seen.all = drawn(takeHeadlessOutput());
    std::stable_sort(seen.all.begin(), seen.all.end(), [](auto& a, auto& b) {
        return std::tuple(a.x >= 140, a.y, a.x) < std::tuple(b.x >= 140, b.y, b.x);
    });
    std::map<int64_t, Line> chooser, steps;
    for (const Drawn& text : seen.all) {
        seen.texts.push_back(text.text);
        if (text.x >= 410 && text.y < 80) (text.y < 52 ? seen.position : seen.referent) += text.text;
        if (text.x < 140 || text.y < 80) continue;
        Line& line = (text.x >= 410 ? steps : chooser)[text.y];
        line.y = text.y;
        line.text += text.text;
        line.parts.push_back(text);
    }
    for (const auto& [y, line] : chooser) seen.chooser.push_back(line);
    for (const auto& [y, line] : steps) {
        seen.stepLines += (seen.steps.empty() ? "" : "|") + line.text;
        seen.steps.push_back(line);
    }
    // Below the title bar, the icon is the only thing drawn right of the list frame.
    for (int64_t y = 60; y < 600 && seen.iconTop < 0; ++y) {
        if (pixelsOf(731, y, 9, 1, rgb(128, 128, 128)) < 9) seen.iconTop = y;
    }
    if (seen.iconTop < 0) return seen;
    seen.marked = readPixel(backBuffer, 724, seen.iconTop + 10) == readPixel(editorPictures[DeleteIconSelected], 4, 10)
                      ? "!"
                      : "";
    for (const Line& line : seen.steps)
        seen.marked += line.y >= seen.iconTop + 20 || line.y < seen.iconTop ? "" : line.text;
    return seen;
}

// A click on the text found or, with `after`, on a text drawn after it; at x when given.
std::string clickOnText(const std::vector<Drawn>& found, const std::string& text, size_t after = 0, int64_t x = -1) {
    size_t at = 0;
    while (at < found.size() && found[at].text != text) ++at;
    at += after;
    if (at >= found.size()) ADD_FAILURE() << "not shown: " << text;
    return at >= found.size() ? "" : click(x >= 0 ? x : found[at].x + 1, found[at].y + 1);
}

// What the author does, one thing after the other (";" between them), each
// found on the page as it is shown at that moment:
//   press TEXT     clicks the text (a button, the list switch, a name)
//   word TITLE     clicks the number of the word field TITLE
//   choose LABEL   clicks the chooser row LABEL (each "*" shows as "n")
//   at X LABEL     clicks the chooser row LABEL at x X
//   arg ROW K      clicks the K-th number of the ROW-th step line (from 0)
//   icon           clicks the delete icon
//   on PAGE        goes on with that page; reset: the menu's "REINITIALISER"
// anything else (wheel, key) goes to the program as it is. "N*" in front
// does it N times.
void act(int64_t page, const std::string& does) {
    std::istringstream things(does);
    for (std::string thing; std::getline(things >> std::ws, thing, ';');) {
        const int times = isdigit(thing[0]) ? std::stoi(thing) : 1;
        if (isdigit(thing[0])) thing.erase(0, thing.find('*') + 1);
        std::istringstream words(thing);
        std::string verb, rest;
        int64_t x = -1, row = 0, k = 0;
        words >> verb;
        if (verb == "at") words >> x;
        if (verb == "arg") words >> row >> k;
        std::getline(words >> std::ws, rest);
        const Shown seen = show(page);
        std::string input = thing + "\n";
        if (verb == "on") page = std::stoll(rest);
        if (verb == "press" || verb == "word") {
            input = clickOnText(seen.all, rest, verb == "word" ? 1 : 0);
        } else if (verb == "choose" || verb == "at") {
            std::vector<Drawn> rows;
            for (const Line& line : seen.chooser) rows.push_back({line.parts[0].x, line.y, line.text});
            input = clickOnText(rows, rest, 0, x);
        } else if (verb == "arg") {
            std::vector<Drawn> numbers;
            for (const Drawn& part : row < std::ssize(seen.steps) ? seen.steps[row].parts : std::vector<Drawn>()) {
                if (part.text.size() >= 3 && isdigit(part.text[0])) numbers.push_back({part.x, part.y, "field"});
            }
            input = clickOnText(numbers, "field", k - 1);
        } else if (verb == "icon") {
            input = click(725, seen.iconTop + 10);
        } else if (verb == "reset") {
            page = Menu;
            input = menuEntry(Reset);
        }
        std::string script = page == Menu ? "" : menuEntry(page);
        for (int i = 0; i < times; ++i) script += input;
        if (verb == "on") continue;
        // The page as the editor showed it last, over its ready layer, is the
        // page drawn whole.
        if (page == Menu) {
            runEditor(script);
        } else {
            EXPECT_EQ(pixelsUnlikeThePageDrawnWhole(page, script), 0) << thing;
        }
    }
}

}  // namespace

TEST(EventPages, TheAuthorWritesStepsWithClicksTheWheelAndBackspace) {
    std::string fullList = "En salle 255";
    for (int i = 1; i < StepsPerList; ++i) fullList += "|En salle 255";
    const std::string fullListLessOne = fullList.substr(std::strlen("En salle 255|"));
    const struct {
        int64_t page;
        const char* does;
        std::string steps;  // the step lines shown afterwards
        const char* marked;
        std::vector<std::string> seen;  // also shown, in this order
        int64_t count;                  // events of the page's kind afterwards
    } cases[] = {
        // clang-format off
        // A new adventure: no step, no icon; the wheel turns the verb at once.
        {MinorEvents, "wheel 1", "", "-", {"VERBE", "000", "N"}, 1},
        {MajorEvents, "wheel 1; key up", "", "-", {"Conditions"}, 1},
        // 0 - 1 gives 255, 255 + 10 gives 9, Page Up adds 10, Page Down takes 10.
        {MinorEvents, "word OBJET 2; wheel 1; wheel -1; wheel 1 ctrl; key pageup", "", "-", {"OBJET 1", "255", "OBJET 2", "019"}, 1},
        {MinorEvents, "key pagedown", "", "-", {"VERBE", "245"}, 1},
        {MinorEvents, "wheel 3; wheel -12 ctrl", "", "-", {"VERBE", "138"}, 1},
        // New steps hold 255s; the mark goes to the first row.
        {MinorEvents, "choose Objet n en main; choose En salle n", "Objet 255 en main|En salle 255", "Objet 255 en main", {}, 1},
        {MinorEvents, "26*choose En salle n", fullList, "En salle 255", {}, 1},
        // Backspace on a full list: the steps below move up and the last slot empties.
        {MinorEvents, "25*choose En salle n; icon; key backspace", fullListLessOne, "!En salle 255", {}, 1},
        {MinorEvents, "25*choose En salle n; icon; 30*wheel -1; key backspace", fullListLessOne, "!", {}, 1},
        // +2, then +20 with Control (255 + 2 + 20 gives 21).
        {MinorEvents, "choose Flag n = n; choose Flag n < n; choose En salle n; arg 2 1; 2*wheel 1; 2*wheel 1 ctrl",
         "Flag 255 = 255|Flag 255 < 255|En salle 021", "Flag 255 = 255", {}, 1},
        {MajorEvents, "press Conditions; choose Quitter jeu; choose Pause n; arg 1 1; wheel 1 ctrl",
         "Quitter jeu|Pause 009", "Quitter jeu", {}, 1},
        // Backspace; after the last step the focus is on the verb again.
        {MinorEvents, "choose En salle n; choose Flag n = n; choose Objet n ici; icon; wheel -1; key backspace",
         "En salle 255|Objet 255 ici", "!Objet 255 ici", {}, 1},
        {MinorEvents, "choose Objet n ici; icon; key backspace; wheel 1", "", "-", {"VERBE", "000"}, 1},
        // A second number chosen right after the first, in a row left as it was.
        {MajorEvents, "choose En salle n; choose En salle n; click 510 90\nclick 510 110; wheel 1",
         "En salle 255|En salle 000", "En salle 255", {}, 1},
        // Where the deleted step's number was, a click right after chooses nothing.
        {MinorEvents, "choose En salle n; icon; key backspace\nclick 510 90; wheel 1", "", "-", {"VERBE", "000"}, 1},
        // The mark stops at the first and the last row (where no step is).
        {MinorEvents, "choose En salle n; icon; wheel 1; 3*key pagedown; key backspace", "En salle 255", "!", {}, 1},
        {MinorEvents, "choose En salle n; choose Objet n ici; choose Flag n = n; icon; 2*wheel -1; press Conditions; "
         "choose Jette tout; press Actions", "En salle 255|Objet 255 ici|Flag 255 = 255", "!Flag 255 = 255", {}, 1},
        {MinorEvents, "choose En salle n; choose Objet n ici; press INST; choose Flag n = n; choose Objet n pas ici; "
         "icon; wheel -1; press PREC", "En salle 255|Objet 255 ici", "Objet 255 ici", {}, 2},
        {MinorEvents, "choose En salle n; choose Objet n ici; press INST; choose Flag n = n; choose Objet n pas ici; "
         "icon; wheel -1; press PREC; press SUIV", "Flag 255 = 255|Objet 255 pas ici", "Objet 255 pas ici", {}, 2},
        {MajorEvents, "choose En salle n; press SUIV; press PREC", "En salle 255", "En salle 255", {}, 1},
        // Argument ids follow the drawing order after a step above is deleted.
        {MinorEvents, "press Conditions; choose Aller en n; choose Flag n = n; choose Pause n; choose Met flag n; "
         "arg 1 2; key backspace; wheel 1", "Flag 255 = 255|Pause 000|Met flag 255", "Flag 255 = 255", {}, 1},
        {MinorEvents, "at 101 En salle n; at 102 Objet n ici; at 361 Flag n = n; at 362 Objet n pas ici",
         "Objet 255 ici|Flag 255 = 255", "Objet 255 ici", {}, 1},
        {MinorEvents, "choose En salle n; on 8; choose Objet n ici; icon; on 7", "En salle 255", "En salle 255", {}, 1},
        {MinorEvents, "choose En salle n; press Conditions; reset", "", "-", {"Conditions"}, 1},
        // clang-format on
    };
    for (const auto& c : cases) {
        startInProcess(makeWorkFolder("event_pages"));
        act(c.page, c.does);
        const Shown seen = show(c.page);
        EXPECT_EQ(seen.stepLines, c.steps) << c.does;
        EXPECT_EQ(seen.marked, c.marked) << c.does;
        EXPECT_TRUE(inOrder(seen.texts, c.seen)) << c.does;
        EXPECT_EQ(c.page == MinorEvents ? adventure.minorEventCount : adventure.majorEventCount, c.count) << c.does;
    }
}

// Counts, types and numbers a file may hold stay within the tables; so does a
// chosen field that is gone.
TEST(EventPages, WhatAFileHoldsNeverLeadsOutsideTheTables) {
    startInProcess(makeWorkFolder("event_file"));
    MinorEvent& first = adventure.minorEvents[0];
    first.words[0] = 100000;
    first.conditions[0] = {99, 1, 2, 3};
    first.conditions[1] = {FinirLeJeu, 1, 2, 3};  // an action type, no condition type
    first.conditions[2] = {-5, 1, 2, 3};
    first.conditions[3] = {EnSalle, 300, 2, 3};
    act(MinorEvents, "arg 2 1; wheel 1");
    Shown seen = show(MinorEvents);
    EXPECT_EQ(seen.stepLines, "?|?|En salle 045");
    EXPECT_TRUE(inOrder(seen.texts, {"VERBE", "100000"}));
    // A spelling wider than its field goes under the chooser (as much ink
    // there as beside a short one) and under the steps of the list, turned
    // to and from a word without spelling.
    for (int slot = 4; slot < 12; ++slot) first.conditions[slot] = step(EnSalle, slot);
    first.words[1] = 7;
    adventure.vocabulary[7][0] = u"W";
    act(MinorEvents, "word OBJET 1");
    const int64_t chooserInk = pixelsOf(141, 200, 258, 100, rgb(0, 0, 0));
    adventure.vocabulary[7][0] = std::u16string(60, u'W');
    act(MinorEvents, "wheel 1; wheel -1");
    EXPECT_EQ(pixelsOf(141, 200, 258, 100, rgb(0, 0, 0)), chooserInk);
    for (int slot = 4; slot < 12; ++slot) first.conditions[slot].type = EndOfList;

    adventure.minorEventCount = -7;
    act(MinorEvents, "press SUIV");
    EXPECT_EQ(show(MinorEvents).stepLines, "?|?|En salle 045");

    adventure.minorEventCount = 5000;
    adventure.minorEvents[MaxEvents - 1].conditions[0] = step(EnSalle, 7);
    act(MinorEvents, "1005*press SUIV; press INST");
    EXPECT_EQ(show(MinorEvents).stepLines, "En salle 007");
    EXPECT_EQ(adventure.minorEventCount, 5000);

    // A chosen field that a deletion took away is shown nowhere: the wheel then
    // changes nothing, not even the hidden arguments of the step now in its slot.
    act(MajorEvents,
        "press Conditions; choose Flag n = n; choose Pause n; choose Affiche Ok; arg 1 1; key backspace; "
        "wheel 1");
    const EventStep& left = adventure.majorEvents[0].actions[1];
    EXPECT_EQ(std::vector<int64_t>({left.type, left.arg1, left.arg2}), std::vector<int64_t>({AfficheOk, 255, 255}));

    adventure.majorEventCount = 998;
    act(MajorEvents, "3*press INST");
    EXPECT_EQ(adventure.majorEventCount, MaxEvents);
}

// Above the list, the chosen number says what it refers to, as the type of
// its step says; the title bar says which event is shown among how many.
TEST(EventPages, TheChosenNumberSaysWhatItRefersTo) {
    const struct {
        int64_t page;
        const char* does;
        const char* referent;
        const char* position = "1 / 1";
    } cases[] = {
        // clang-format off
        {MinorEvents, "", "Mot 255 : aucun mot"},
        {MinorEvents, "3*key pageup; wheel 1", "Mot 30 : REGARDE"},
        {MinorEvents, "word OBJET 2; 4*key pageup; wheel -8", "Mot 31 : (sans orthographe)"},
        {MinorEvents, "choose En salle n; arg 0 1; 2*wheel 1", "Salle 1 : La cave."},
        {MinorEvents, "choose En salle supérieure à n; arg 0 1; wheel 1 ctrl", "Salle 9 : (sans texte)"},
        {MinorEvents, "choose Objet n ici; arg 0 1; wheel 1", "Objet 0 : Une lampe"},
        {MinorEvents, "choose Flag n = n; arg 0 1", "Flag 255"},
        {MinorEvents, "choose Flag n > n; arg 0 2; wheel 1", "Nombre 0"},
        {MajorEvents, "press Conditions; choose Affiche message n; arg 0 1; wheel 1",
         "Message 0 : Le garde vous barr…"},
        {MajorEvents, "press Conditions; choose Crée objet n en n; arg 0 2; wheel -1", "Salle 254 : En inventaire."},
        {MajorEvents, "press Conditions; choose Salle n prend image n° n; arg 0 2; wheel 1", "Image 0 : fichier 0.jpg"},
        {MajorEvents, "press Conditions; choose Jouer sample ogg n; arg 0 1; wheel -1", "Sample 254 : fichier 254.ogg"},
        {MajorEvents, "press Conditions; choose Pause n; arg 0 1", "Nombre 255"},
        // Nothing chosen, nothing named.
        {MajorEvents, "press INST; press INST; press PREC", "", "2 / 3"},
        {MinorEvents, "choose Objet n ici; icon; press INST", "Mot 255 : aucun mot", "2 / 2"},
        // clang-format on
    };
    const std::u16string message = u"Le garde vous barre le chemin de son épée et ne bougera pas.";
    for (const auto& c : cases) {
        startInProcess(makeWorkFolder("event_referents"));
        writeSmallAdventure();
        adventure.messageTexts[0] = message;
        act(c.page, c.does);
        const Shown seen = show(c.page);
        EXPECT_EQ(seen.referent, c.referent) << c.does;
        EXPECT_EQ(seen.position, c.position) << c.does;
        EXPECT_EQ(adventure.messageTexts[0], message) << c.does;  // cut where it shows, never changed
    }
}

// The chooser shows each "*" as a red "n"; the chosen argument is white on red.
TEST(EventPages, StarsAreRedAndTheChosenArgumentIsWhite) {
    startInProcess(makeWorkFolder("event_colours"));
    act(MinorEvents, "choose Flag n = n; arg 0 2");
    const Shown seen = show(MinorEvents);
    const Line& row = seen.chooser[0];
    EXPECT_EQ(row.text, "En salle n");
    EXPECT_GT(pixelsOf(row.parts.back().x, row.y, 10, 20, rgb(255, 0, 0)), 0);
    const std::vector<Drawn>& parts = seen.steps[0].parts;
    EXPECT_EQ(pixelsOf(parts[5].x, parts[5].y, 24, 16, rgb(255, 255, 255)), 0);  // the first "255"
    EXPECT_GT(pixelsOf(parts.back().x, parts.back().y, 24, 16, rgb(255, 255, 255)), 0);
}

// Events built on the pages and played: the minor event answers "ALLUME"
// once, the major event speaks on every turn after it.
TEST(EventPages, EventsBuiltOnThePagesArePlayed) {
    startInProcess(makeWorkFolder("event_play"));
    act(MinorEvents,
        "wheel 1; key pageup; 4*wheel 1; choose Flag n égal à zéro; arg 0 1; wheel 1; press Conditions; "
        "choose Affiche Ok; choose Met flag n; arg 1 1; wheel 1");
    act(MajorEvents,
        "choose Flag n pas égal à zéro; arg 0 1; wheel 1; press Conditions; choose Affiche message n; "
        "arg 0 1; wheel 1");
    EXPECT_TRUE(inOrder(show(MinorEvents).texts, {"VERBE", "014", "ALLUME", "OBJET 1", "255"}));
    const std::vector<std::string> seen =
        dialogue(runEditor(menuEntry(TestGame) + "type allume\nkey return\ntype allume\nkey return\nkey escape\n"));
    EXPECT_TRUE(inOrder(seen, {"ALLUME", "D'accord.", "Message 0.", "ALLUME", "Message 0."}));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "D'accord."), 1);
}

// A smaller adventure loaded after a larger one: nothing of the larger one's
// events survives, each page shows an event that exists, and the vocabulary
// list starts again with its first spelling selected.
TEST(EventPages, ASmallerAdventureLoadedLeavesNothingOfTheLargerOne) {
    const std::string folder = makeWorkFolder("smaller");
    std::filesystem::create_directories(folder + "/Projets/petit");
    startInProcess(folder);
    adventure.vocabulary[0][0].clear();
    adventure.minorEvents[0].conditions[0] = step(EnSalle, 3);
    ASSERT_TRUE(saveAdventure(u"petit.orv", u"Projets\\petit\\"));
    for (int word = 100; word < 160; ++word) adventure.vocabulary[word][0] = u"MOT";
    runEditor(menuEntry(Vocabulary) + "key pagedown\nkey pagedown\nkey pagedown\nkey pagedown\nkey pagedown\n");
    adventure.minorEventCount = 5;
    adventure.minorEvents[1].conditions[0] = step(EnSalle, 9);
    adventure.minorEvents[4].conditions[0] = step(EnSalle, 7);
    act(MinorEvents, "4*press SUIV");
    EXPECT_EQ(show(MinorEvents).stepLines, "En salle 007");

    act(Menu, "on 12; press petit");
    EXPECT_EQ(show(MinorEvents).stepLines, "En salle 003");
    act(MinorEvents, "press INST");
    EXPECT_EQ(show(MinorEvents).stepLines, "");
    EXPECT_EQ(adventure.minorEventCount, 2);
    EXPECT_TRUE(inOrder(texts(runEditor(menuEntry(Vocabulary) + click(140, 320))), {"000 NORD", "001 S", "000 NORD_"}));
}
