// An author writes the content of an adventure in the editor: the words of the
// vocabulary, the texts of messages, rooms, objects and system messages, the
// exits of the rooms, where the objects start and what can be done with them.
#include <filesystem>

#include "editor/widgets.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// Where a person clicks: the vocabulary's buttons and arrows, the text
// pages' buttons, and the red values of the other pages.
const std::string effa = click(140, 285), edit = click(140, 320), inst = click(140, 355), down = click(155, 215);
const std::string textEffa = click(50, 315), textEdit = click(50, 350);
const std::string roomCell = click(188, 228), northCell = click(763, 468), southCell = click(343, 288);
const std::string eastCell = click(343, 468), westCell = click(763, 288), upCell = click(543, 78);
const std::string downCell = click(543, 528);
const std::string objectCell = click(476, 130), locationCell = click(500, 330), attributesObjectCell = click(426, 100);
const std::string wordCell = click(73, 304), takeCell = click(495, 304), holdCell = click(591, 304);

std::string repeat(const std::string& line, int times) {
    std::string lines;
    for (int i = 0; i < times; ++i) lines += line;
    return lines;
}

// The texts of the page as it shows once the script is done: the frame drawn
// after a click on an empty spot, between two marks.
std::vector<std::string> shownAfter(const std::string& script) {
    const std::string output = runEditor(script + "mark shown\nclick 0 0\nmark end\n");
    const size_t from = output.find("mark shown"), to = output.find("mark end");
    if (from == std::string::npos || to == std::string::npos) return {};
    return texts(output.substr(from, to - from));
}

// The texts among those wanted that the frame shown once the script is done
// does not show (the lines of a box read as one, joined by blanks).
std::vector<std::string> unseenAfter(const std::string& script, const std::vector<std::string>& wanted) {
    unmet();
    runEditor(script + expectLines(wanted));
    return unmet();
}

// The save page names the project and saves it; the lines of the file
// written.
std::vector<std::string> savedAs(const std::string& folder, const std::string& name) {
    runEditor(menuEntry(SaveFile) + click(50, 415) + click(50, 450) + "type " + name + "\nkey return\n" +
              click(400, 475));
    return fileLines(folder + "/Projets/" + name + "/" + name + ".orv");
}

// A word whose ten slots are taken; a vocabulary of one spelling.
void fillWordOne() {
    for (int slot = 2; slot < SpellingsPerWord; ++slot) adventure.vocabulary[1][slot].assign(1, u'Z');
}
void keepOnlyJette() {
    for (auto& word : adventure.vocabulary) {
        for (auto& spelling : word) spelling.clear();
    }
    adventure.vocabulary[7][1] = u"JETTE";
}

}  // namespace

TEST(VocabularyPage, TheAuthorBrowsesErasesRewritesAndAddsSpellings) {
    const std::string folder = makeWorkFolder("vocabulary");
    const std::string end = "key pagedown\nkey pagedown\nkey pagedown\n", insert = "key up\nkey return\ntype pas\n";
    const struct {
        std::string does;
        std::vector<std::string> sees, notSeen;  // rows and entry box of the page
        int64_t word, slot;
        const char16_t* spelling;  // what the vocabulary then holds there
        void (*setUp)() = nullptr;
    } cases[] = {
        // clang-format off
        {"", {"000 N", "000 NORD", "001 S", "001 SUD", "004 HAUT", "005 B"}, {"005 BAS"}, 0, 0, u"N"},
        {edit + "key backspace\ntype n-o2r dÉé\n", {"000 NORD_"}, {}, 0, 0, u"N"},
        {edit + "key backspace\ntype nord\nkey return\n", {"000 NORD", "000 NORD"}, {"000 N"}, 0, 0, u"NORD"},
        {edit + "type abcdefghijklmn\nkey return\n", {"000 NABCDEFGHIJK"}, {}, 0, 0, u"NABCDEFGHIJK"},
        {edit + "key backspace\nkey return\n", {"000 _"}, {}, 0, 0, u"N"},
        {edit + "type xyz\nkey escape\n" + menuEntry(Vocabulary), {"000 N"}, {"000 NXYZ"}, 0, 0, u"N"},
        {effa + edit, {"000 NORD", "001 S", "000 NORD_"}, {"000 N"}, 0, 0, u""},
        {down + down + effa + edit, {"000 N", "000 NORD", "001 SUD", "001 SUD_"}, {"001 S"}, 1, 0, u""},
        {repeat(down, 10) + effa + edit, {"000 NORD", "005 BAS", "005 BAS_"}, {"000 N", "005 B"}, 5, 0, u""},
        {end + effa + edit, {"014 ALLUME", "014 ALLUME_"}, {"015 ETEINS"}, 15, 0, u""},
        {end + down + edit, {"015 ETEINS_"}, {}, 15, 0, u"ETEINS"},
        {inst + insert + "key return\n" + edit, {"001 PAS", "001 PAS_"}, {"000 N"}, 1, 2, u"PAS"},
        {inst + "key down\n", {"255"}, {}, 0, 0, u"N"},
        {inst + insert + "key return\n", {"000 N"}, {"001 PAS", "001 _"}, 1, 9, u"Z", fillWordOne},
        {down + effa + effa, {"007 JETTE"}, {}, 7, 1, u"JETTE", keepOnlyJette},
        // Sixty more spellings put the end of the list far beyond the default
        // ones; after "REINITIALISER" the list starts again at its first rows,
        // and "EFFA" erases the first spelling, shown selected.
        {repeat("key pagedown\n", 8) + "key escape\n" + menuEntry(Reset) + menuEntry(Vocabulary) + "key up\n" + effa + edit,
         {"000 NORD", "001 S", "000 NORD_"}, {}, 0, 0, u"",
         [] { for (int word = 100; word < 160; ++word) adventure.vocabulary[word][0] = u"MOT"; }},
        // A wheel turned three notches at once moves three rows, or three words.
        {"wheel -3\n" + effa, {"000 NORD", "001 S", "002 E"}, {"001 SUD"}, 1, 1, u""},
        {inst + "wheel 5\nkey return\ntype pas\nkey return\n", {"005 PAS"}, {}, 5, 2, u"PAS"},
        // A spelling from a file with a character outside 16 bits: it counts
        // as one of the twelve, and Backspace takes it off whole.
        {edit + "key backspace\nkey return\n", {"000 ABC"}, {}, 0, 0, u"ABC", [] { adventure.vocabulary[0][0] = u"ABC😀"; }},
        {edit + "type kl\nkey return\n", {}, {}, 0, 0, u"ABCDEFGHIJ😀K", [] { adventure.vocabulary[0][0] = u"ABCDEFGHIJ😀"; }},
        // clang-format on
    };
    for (const auto& c : cases) {
        startInProcess(folder);
        if (c.setUp != nullptr) c.setUp();
        const std::vector<std::string> seen = shownAfter(menuEntry(Vocabulary) + c.does);
        EXPECT_TRUE(inOrder(seen, c.sees)) << c.does;
        for (const std::string& text : c.notSeen) EXPECT_FALSE(inOrder(seen, {text})) << c.does << ": " << text;
        EXPECT_EQ(adventure.vocabulary[c.word][c.slot], c.spelling) << c.does;
    }
}

TEST(TextPages, EachPageShowsTheTextItsOwnNumberChooses) {
    const std::string folder = makeWorkFolder("text_pages");
    const struct {
        int64_t page;
        std::string does;
        std::vector<std::string> sees;
    } cases[] = {
        {MessageTexts, "", {"TEXTE MESSAGES", "MESSAGE", "000", "Message 0."}},
        {MessageTexts, "key down\n", {"255"}},
        {RoomTexts, "key up\n", {"TEXTE SALLES", "SALLE", "001", "A la lisière de la forêt."}},
        {RoomTexts, "key down\n", {"252"}},
        {ObjectTexts, "wheel 1\nwheel 1\n", {"TEXTE OBJETS", "OBJET", "002", "Un garde devant l'entrée"}},
        {ObjectTexts, "wheel -1 ctrl\n", {"246"}},
        {SystemMessages, "key down\n", {"MESS. SYSTEMES", "025", "Vous ne pouvez pas écrire sur ce disque."}},
        // Each page keeps its own number while the others are shown.
        {RoomTexts,
         repeat("key up\n", 5) + "key escape\n" + menuEntry(MessageTexts) + "key down\nkey escape\n" +
             menuEntry(RoomTexts),
         {"005", "Une petite salle rectangulaire."}},
    };
    for (const auto& c : cases) {
        startInProcess(folder);
        EXPECT_EQ(unseenAfter(menuEntry(c.page) + c.does, c.sees), std::vector<std::string>{}) << c.does;
    }
    // "REINITIALISER" brings every page back to its first text.
    EXPECT_EQ(unseenAfter(menuEntry(Reset) + menuEntry(RoomTexts), {"000"}), std::vector<std::string>{});
}

TEST(TextPages, TheAuthorEmptiesAndTypesTextsThatTheSavedFileKeeps) {
    const std::string folder = makeWorkFolder("text_editing");
    const struct {
        int64_t page;
        std::string does;
        std::string savedLine, notSaved;
    } cases[] = {
        {MessageTexts, textEffa, "Vous voyez :", "Message 0."},
        {RoomTexts, textEffa + "key up\n", "A la lisière de la forêt.", "Vous vous trouvez à l'entrée du château."},
        {MessageTexts, textEdit + "type  bis\nkey return\n", "Message 0. bis", "Message 0."},
        {MessageTexts, textEdit + "type  bis\nkey escape\n", "Message 0. bis", "Message 0."},
        // While the author types, the number's keys and the buttons do nothing.
        {MessageTexts, textEdit + "key up\n" + textEffa + "type !\nkey return\n", "Message 0.!", "Message 0."},
        {ObjectTexts, textEdit + "key backspace\nkey backspace\nkey return\n", "Une ép", "Une épée"},
        {SystemMessages, textEffa + textEdit + "key return\ntype Vu :\nkey return\n", "Vu :", "Vous voyez :"},
        // A character outside 16 bits is typed and erased whole.
        {MessageTexts, textEffa + textEdit + "type A😀\nkey backspace\nkey return\n", "A", "A\uFFFD"},
        {MessageTexts, textEffa + textEdit + "type 😀é😀\nkey return\n", "😀é😀", "Message 0."},
    };
    for (const auto& c : cases) {
        startInProcess(folder);
        runEditor(menuEntry(c.page) + c.does);
        const std::vector<std::string> lines = savedAs(folder, "textes");
        EXPECT_TRUE(inOrder(lines, {c.savedLine})) << c.does;
        EXPECT_FALSE(inOrder(lines, {c.notSaved})) << c.does;
    }
}

// A text longer than its box is shown as far as it fits, also on the object
// pages, and stays whole in the adventure however often it is shown.
TEST(TextPages, ALongTextIsShownAsFarAsItFitsAndKeptWhole) {
    const std::string folder = makeWorkFolder("long_text");
    startInProcess(folder);
    std::string longText = "Le début";
    for (int i = 0; i < 80; ++i) longText += " et encore des mots";
    longText += " et la fin.";
    adventure.objectTexts[1] = utf8ToText(longText);
    const std::string scripts[] = {
        menuEntry(ObjectTexts) + "wheel 1\nwheel 1\nwheel -1\nwheel -1\nwheel 1\n" + textEdit + "type x\n",
        menuEntry(ObjectAttributes) + attributesObjectCell + "wheel 1\nwheel -1\nwheel 1\n",
        menuEntry(ObjectPlacement) + objectCell + "wheel 1\nwheel -1\nwheel 1\n"};
    for (const std::string& script : scripts) {
        int starts = 0;
        for (const Drawn& line : drawn(runEditor(script))) {
            starts += line.text.rfind("Le début et encore des mots", 0) == 0;
            EXPECT_EQ(line.text.find("la fin."), std::string::npos) << line.text;
            // No line of the text page's box passes its bottom less the margin.
            EXPECT_TRUE(line.x != 120 || line.y + textHeight(u"M") <= 345) << line.text;
        }
        EXPECT_GE(starts, 2) << script;
    }
    EXPECT_TRUE(inOrder(savedAs(folder, "long"), {longText}));
}

// What the author types or chooses on a text page shows exactly as the page
// drawn whole would show it: no line of the text before is left, none is lost.
TEST(TextPages, EachChangeShowsAsThePageDrawnWhole) {
    const std::string folder = makeWorkFolder("text_changes");
    startInProcess(folder);
    // Backspace on "x…x ab" takes "a" and the cursor back up beside the x's.
    std::u16string joining = u"x ab";
    while (joining.size() < 400 &&
           (textWidth(joining + u"_") <= 650 || textWidth(joining.substr(0, joining.size() - 1) + u"_") >= 650)) {
        joining.insert(0, u"x");
    }
    std::u16string longText = u"Le début";
    for (int i = 0; i < 40; ++i) longText += u" et encore des mots";
    const struct {
        const char* what;
        int64_t page;
        std::string does;
        bool typing;
    } cases[] = {
        {"Backspace joins two lines", MessageTexts, menuEntry(MessageTexts) + textEdit + "key backspace\n", true},
        {"a character typed", MessageTexts, menuEntry(MessageTexts) + textEdit + "type é\n", true},
        {"EFFA", MessageTexts, menuEntry(MessageTexts) + "key up\n" + textEffa, false},
        {"the wheel, to a shorter text", MessageTexts, menuEntry(MessageTexts) + "wheel 1\nwheel 1\n", false},
        {"the wheel, to a text as long", MessageTexts, menuEntry(MessageTexts) + "key up\nkey up\nkey up\n", false},
        {"another text page", ObjectTexts, menuEntry(RoomTexts) + "key escape\n" + menuEntry(ObjectTexts), false},
    };
    for (const auto& c : cases) {
        startInProcess(folder);
        adventure.messageTexts[0] = joining;
        adventure.messageTexts[1] = longText;
        adventure.messageTexts[2] = u"Le début";
        adventure.messageTexts[3] = u"La début";
        EXPECT_EQ(pixelsUnlikeThePageDrawnWhole(c.page, c.does, c.typing), 0) << c.what;
    }
}

// While the author types, a character that would overflow the box is not
// kept: the text and its cursor always show whole.
TEST(TextFields, TypingStopsWhereTheBoxIsFull) {
    const std::string folder = makeWorkFolder("full_box");
    startInProcess(folder);
    const std::string typing = menuEntry(MessageTexts) + "key up\n" + textEdit + "type " + std::string(400, 'x') + "\n";
    runEditor(typing);
    const std::string message = textToUtf8(adventure.messageTexts[1]);
    EXPECT_GT(message.size(), 100u);
    EXPECT_LT(message.size(), 400u);
    std::string shownLines;
    const std::u16string shown = utf8ToText(message + "_");
    for (size_t next = 0; next < shown.size();) {
        if (next > 0) shownLines += ' ';
        shownLines += textToUtf8(takeWrappedLine(shown, next, 650));
    }
    // The same typed into the next message shows it whole with its cursor.
    EXPECT_EQ(unseenAfter(typing, {shownLines}), std::vector<std::string>{});
    // Once full, a further character is refused and Backspace still works.
    runEditor(menuEntry(MessageTexts) + textEdit + "type y\nkey backspace\nkey return\n");
    EXPECT_EQ(textToUtf8(adventure.messageTexts[2]), message.substr(1));

    // The project name behaves the same; a long name only shown is saved whole.
    std::vector<std::string> seen = shownAfter(menuEntry(SaveFile) + click(50, 450) + "type " + std::string(100, 'y') + "\n");
    EXPECT_LT(projectName.size(), 100u);
    EXPECT_TRUE(inOrder(seen, {textToUtf8(projectName) + "_"}));
    projectName = std::u16string(100, u'z');
    runEditor(menuEntry(SaveFile) + click(400, 475));
    EXPECT_TRUE(fs::exists(folder + "/Projets/" + std::string(100, 'z') + "/" + std::string(100, 'z') + ".orv"));
}

TEST(MovementsPage, TheAuthorSetsTheExitsOfEveryRoom) {
    const std::string folder = makeWorkFolder("movements");
    const std::string hall = "Salle 0 : Vous vous trouvez à l'entrée du château.";
    const struct {
        std::string does;
        int64_t room, direction, exit;
        const char* shown;
        std::string leadsTo;      // the line that names where the chosen exit leads
        int64_t fileValue = 255;  // what the file gave the west exit of room 0
    } cases[] = {
        {northCell + "wheel 1\n", 0, 0, 0, "000", hall},
        {northCell + "wheel 3\n", 0, 0, 2, "002", "Salle 2 : Dans la cours du château."},
        {northCell + repeat("key down\n", 5) + "key pageup\n", 0, 0, 4, "004", "Salle 4 : Une pharmacie."},
        {southCell + "wheel 1\n" + roomCell + "wheel 1\n" + southCell + "wheel 1 ctrl\n", 1, 1, 9, "009",
         "Salle 9 : (sans texte)"},
        {eastCell + "key escape\n" + menuEntry(Movements) + "wheel 1\n", 0, 2, 0, "000", hall},
        {roomCell + "wheel -1\n" + upCell + "wheel 1\n", 255, 4, 0, "000", hall},
        {downCell + "wheel 2\n", 0, 5, 1, "001", "Salle 1 : A la lisière de la forêt."},
        {westCell + "wheel 1\n", 0, 3, 1, "001", "Salle 1 : A la lisière de la forêt.", int64_t(1) << 40},
        {westCell + "wheel -1\n", 0, 3, 255, "255", "Pas de sortie (255)", -256 * 1000},
        {roomCell + "wheel -2\n", 254, 0, 255, "255", "Salle 254 : En inventaire."},
    };
    for (const auto& c : cases) {
        startInProcess(folder);
        adventure.exits[0][3] = c.fileValue;
        const std::vector<std::string> seen = shownAfter(menuEntry(Movements) + c.does);
        EXPECT_EQ(adventure.exits[c.room][c.direction], c.exit) << c.does;
        EXPECT_GE(std::count(seen.begin(), seen.end(), c.shown), 2) << c.does;  // in the list and on the compass
        EXPECT_TRUE(inOrder(seen, {c.leadsTo})) << c.does;
    }
    // A new adventure has no exit: 255 in the list and on the compass.
    startInProcess(folder);
    const std::vector<std::string> seen = shownAfter(menuEntry(Movements));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "255"), 12);
    EXPECT_TRUE(inOrder(seen, {hall}));
}

TEST(PlacementPage, EachLocationShowsItsRoomText) {
    startInProcess(makeWorkFolder("placement"));
    adventure.objectLocations[3] = int64_t(1) << 40;  // from a file
    const std::vector<std::string> seen =
        texts(runEditor(menuEntry(ObjectPlacement) + locationCell + "wheel 1\n" + "wheel 1\nwheel 1\n" + objectCell +
                        "key down\n" + "key pageup\nkey pagedown\n" + repeat("key up\n", 4)));
    EXPECT_TRUE(inOrder(seen, {"OBJET", "EN SALLE", "000", "Une épée", "253", "Non créé.", "Objet 0 : Une épée", "254",
                               "En inventaire.", "Salle 254 : En inventaire.", "255", "En main.", "000",
                               "Vous vous trouvez à l'entrée du château.", "255", "009", "255", "000", "Une épée",
                               "003", "Le garde mort", "1099511627776", "Objet 3 : Le garde mort"}));
    EXPECT_EQ(adventure.objectLocations[0], 0);
    EXPECT_EQ(adventure.objectLocations[3], int64_t(1) << 40);
    runEditor(menuEntry(ObjectPlacement) + locationCell + "wheel 1\n");  // object 3 is still shown
    EXPECT_EQ(adventure.objectLocations[3], 1);                          // back within the table, modulo 256
    // From object 3 and its long texts to object 4, with none: both boxes left white.
    adventure.objectTexts[3] = adventure.roomTexts[1] = std::u16string(300, u'W');
    adventure.objectTexts[4] = u"";
    adventure.objectLocations[4] = 300;
    currentPage = ObjectPlacement;
    drawCurrentPage();
    handlePageClick(2);  // the object's cell
    handlePageAdjust(1, 1);
    drawCurrentPage();
    EXPECT_EQ(pixelsOf(56, 166, 688, 98, rgb(255, 255, 255)) + pixelsOf(56, 366, 688, 98, rgb(255, 255, 255)), 2 * 688 * 98);
    // The object's value cell stays red under its white digits.
    const int64_t cellWidth = textWidth(u"000"), cellHeight = textHeight(u"000");
    EXPECT_GT(pixelsOf(420 + textWidth(u"OBJET"), 130 - cellHeight / 2, cellWidth, cellHeight, rgb(255, 0, 0)),
              cellWidth * cellHeight / 2);
    // Back from the menu, nothing of its buttons stays.
    for (const int64_t page : {int64_t(Menu), int64_t(ObjectPlacement)}) currentPage = page, drawCurrentPage();
    EXPECT_EQ(pixelsOf(33, 280, 350, 30, rgb(128, 128, 128)), 350 * 30);
}

TEST(AttributesPage, TheAuthorSetsTheWordAndTheTwoFlags) {
    const std::string folder = makeWorkFolder("attributes");
    const struct {
        std::string does;
        std::vector<std::string> sees;
        int64_t word, takeable, holdable;
    } cases[] = {
        {"", {"OBJET", "000", "Une épée", "Mot associé", "255", "Aucun", "Pr", "NON", "Ma", "NON", "Objet 0 : Une épée"},
         255, 0, 0},
        {wordCell + "wheel 1\n", {"000", "N", "Mot 0 : N"}, 0, 0, 0},
        {wordCell + "key pageup\nkey up\nkey up\n", {"011", "FIN"}, 11, 0, 0},
        {wordCell + repeat("key pageup\n", 2), {"019", "Aucun", "Mot 19 : (sans orthographe)"}, 19, 0, 0},
        {takeCell + "wheel 1\nwheel 1\n", {"Pr", "OUI", "Ma", "NON"}, 255, 1, 0},
        {takeCell + "wheel 1\nwheel -1\n", {"Pr", "NON", "Ma", "NON"}, 255, 0, 0},
        {holdCell + "key up\n", {"Pr", "NON", "Ma", "OUI"}, 255, 0, 1},
        {attributesObjectCell + "key up\n" + takeCell + "key up\n" + attributesObjectCell + "key down\n",
         {"000", "NON"},
         255,
         0,
         0},
    };
    for (const auto& c : cases) {
        startInProcess(folder);
        EXPECT_TRUE(inOrder(shownAfter(menuEntry(ObjectAttributes) + c.does), c.sees)) << c.does;
        const int64_t* attributes = adventure.objectAttributes[0];
        EXPECT_EQ(attributes[AssociatedWord], c.word) << c.does;
        EXPECT_EQ(attributes[Takeable], c.takeable) << c.does;
        EXPECT_EQ(attributes[Holdable], c.holdable) << c.does;
    }
    EXPECT_EQ(adventure.objectAttributes[1][Takeable], 1);  // the last case changed object 1
    // Words from a file outside the table show no spelling.
    adventure.objectAttributes[0][AssociatedWord] = 70000;
    EXPECT_TRUE(inOrder(shownAfter(menuEntry(ObjectAttributes)), {"70000", "Aucun"}));
}
