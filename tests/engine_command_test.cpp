// The player's command: the line editor (upper case, accent folding, width
// limit, Backspace, Escape), the split into words, their recognition, and
// every built-in verb with its refusals.
#include <gtest/gtest.h>

#include "tests/test_support.h"

namespace {

using Texts = std::vector<std::string>;

// The screen as it is when a turn waits for the line: the prompt printed and
// the snapshot taken.
void readyForInput() {
    clearScreen();
    textCursor = printInZone(adventure.systemMessages[1], adventure.textZone, textCursor);
    takeTurnSnapshot();
    takeOutput();
}

// The line parsed and the built-in verbs applied, as a turn does; returns
// the texts drawn.
std::vector<DrawnText> command(const std::u16string& line) {
    takeOutput();
    splitCommand(line);
    recogniseWords();
    applyBuiltInVerbs();
    return drawnTexts(takeOutput());
}

Texts said(const std::u16string& line) {
    return allTexts(command(line));
}

std::vector<std::u16string> words() {
    return std::vector<std::u16string>(commandWords, commandWords + MaxCommandWords);
}

std::vector<int64_t> numbers() {
    return std::vector<int64_t>(commandWordNumbers, commandWordNumbers + MaxCommandWords);
}

// Black pixels of the typed line's slot (below the prompt) from x over width.
int64_t blackInTypedLine(int64_t y, int64_t x, int64_t width) {
    const int64_t bottom = std::min<int64_t>(y + gameLineHeight(), 600);
    return pixelsOf(backBuffer, x, y, width, bottom - y, rgb(0, 0, 0));
}

const Texts Nothing;
const Texts NotUnderstood{"Je ne comprends pas ces mots."};

}  // namespace

// The line is shown again at every key, upper cased, accents folded; capital
// accented letters stay as typed and split words apart.
TEST(EngineCommandLine, TypedLettersAreShownUpperCasedWithoutAccents) {
    startProject("command_typing");
    readyForInput();
    queueScript("type prends l'épée\nkey return\n");
    EXPECT_FALSE(readCommandLine());
    EXPECT_EQ(commandLine, u"PRENDS L'EPEE");
    const Texts shown = textsAt(drawnTexts(takeOutput()), 2, 426 + gameLineHeight());
    ASSERT_EQ(shown.size(), 13u);  // one redraw per character
    EXPECT_EQ(shown[0], "P");
    EXPECT_EQ(shown[8], "PRENDS L'");
    EXPECT_EQ(shown.back(), "PRENDS L'EPEE");

    const struct {
        const char* typed;
        const char16_t* line;
    } cases[] = {{"àâäéèêëîïôöùûüÿç", u"AAAEEEEIIOOUUUYC"}, {"École", u"ÉCOLE"}};
    for (const auto& c : cases) {
        queueScript(std::string("type ") + c.typed + "\nkey return\n");
        readCommandLine();
        EXPECT_EQ(commandLine, c.line);
    }
    splitCommand(commandLine);
    EXPECT_EQ(commandWordCount, 1);
    EXPECT_EQ(commandWords[0], u"COLE");
}

TEST(EngineCommandLine, KeysEditAndEndTheLine) {
    startProject("command_keys");
    const struct {
        const char* script;
        bool escaped;
        const char16_t* line;
    } cases[] = {
        {"key backspace\ntype NORX\nkey backspace\ntype d\nkey return\n", false, u"NORD"},
        {"type nor\nkey escape\n", true, u"NOR"},  // Escape ends the line and keeps it
        {"type N\nclick 10 450\nwheel 2\nkey up\nkey pagedown\ntype O\nkey return\n", false, u"NO"},
        {"key return\n", false, u""},  // an empty line is entered too
    };
    for (const auto& c : cases) {
        readyForInput();
        queueScript(c.script);
        EXPECT_EQ(readCommandLine(), c.escaped) << c.script;
        EXPECT_EQ(commandLine, c.line) << c.script;
    }
    readyForInput();
    queueScript("key backspace\ntype NORX\nkey backspace\ntype d\nkey return\n");
    readCommandLine();
    EXPECT_EQ(textsAt(drawnTexts(takeOutput()), 2, 426 + gameLineHeight()),
              (Texts{"N", "NO", "NOR", "NORX", "NOR", "NORD"}));
}

// Backspace erases the removed character from the screen, even on a line
// typed below a full zone; erasing the typed line brings the snapshot back.
TEST(EngineCommandLine, BackspaceAndTheEndOfTheLineEraseWhatWasTyped) {
    startProject("command_erase");
    readyForInput();
    int64_t y = lineTop(adventure.textZone, 1);
    queueScript("type MMM\nkey backspace\nkey return\n");
    readCommandLine();
    EXPECT_GT(blackInTypedLine(y, 2, 20), 0);
    EXPECT_EQ(blackInTypedLine(y, 22, 10), 0);

    // Seven lines fill the default text zone; the typed line lies below them,
    // partly outside the zone.
    clearScreen();
    for (int line = 0; line < 7; ++line) textCursor = printInZone(u"I", adventure.textZone, textCursor);
    takeTurnSnapshot();
    y = adventure.textZone.y + 2 + textCursor;
    ASSERT_GT(y + gameLineHeight(), adventure.textZone.y + adventure.textZone.height);
    EXPECT_EQ(blackInTypedLine(y, 2, 100), 0);
    queueScript("type MMMMM\nkey backspace\nkey backspace\nkey backspace\nkey return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"MM");
    EXPECT_GT(blackInTypedLine(y, 2, 20), 0);
    EXPECT_EQ(blackInTypedLine(y, 22, 40), 0);
    eraseTypedLine();
    EXPECT_EQ(blackInTypedLine(y, 2, 100), 0);
    EXPECT_GT(blackInTypedLine(y - gameLineHeight(), 2, 10), 0);  // the last "I" stays just above
    takeOutput();
}

TEST(EngineCommandLine, ACharacterThatWouldPassTheZoneWidthIsIgnored) {
    startProject("command_width");
    beginDrawing(backBuffer);
    selectFont(interfaceFont);
    adventure.textZone.width = textWidth(u"ABCDE") + 4;  // exactly five characters fit
    endDrawing();
    readyForInput();
    queueScript("type abcdefg\nkey backspace\ntype z\nkey return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"ABCDZ");
}

TEST(EngineCommandWords, EveryCharacterOtherThanACapitalLetterSeparatesWords) {
    startProject("command_split");
    const struct {
        const char16_t* line;
        int64_t count;
        std::vector<std::u16string> words;
    } cases[] = {
        {u"PRENDS L'EPEE", 3, {u"PRENDS", u"L", u"EPEE", u"", u"", u""}},
        {u"  NORD,,SUD 3EST-OUEST.  ", 4, {u"NORD", u"SUD", u"EST", u"OUEST", u"", u""}},
        {u"nord 123 ... ÉÈ", 0, std::vector<std::u16string>(6)},
        {u"A B C D E F G H", 6, {u"A", u"B", u"C", u"D", u"E", u"F"}},
        {u"", 0, std::vector<std::u16string>(6)},
    };
    for (const auto& c : cases) {
        splitCommand(c.line);
        EXPECT_EQ(commandWordCount, c.count) << textToUtf8(c.line);
        EXPECT_EQ(words(), c.words) << textToUtf8(c.line);
    }
}

// Unknown words are dropped and the others close up; any spelling gives the
// word's number, matching is exact, and a spelling shared by two words gives
// the higher number; only the first six words are considered.
TEST(EngineCommandWords, KnownWordsAreRecognisedByTheirSpellings) {
    startProject("command_recognise");
    splitCommand(u"PRENDS LA CLEF");
    recogniseWords();
    EXPECT_EQ(commandWordCount, 2);
    EXPECT_EQ(words(), (std::vector<std::u16string>{u"PRENDS", u"CLEF", u"", u"", u"", u""}));
    const struct {
        const char16_t* line;
        int64_t count;
        std::vector<int64_t> numbers;
    } cases[] = {
        {u"PRENDS LA CLEF", 2, {6, WordKey, 255, 255, 255, 255}},
        {u"CLE CLEFS LAMP LAMPE JETTE", 3, {WordKey, WordLamp, 7, 255, 255, 255}},
        {u"N S E O H B PRENDS", 6, {0, 1, 2, 3, 4, 5}},
        {u"N XX S E O H B", 5, {0, 1, 2, 3, 4, 255}},  // the seventh does not come back
    };
    for (const auto& c : cases) {
        splitCommand(c.line);
        recogniseWords();
        EXPECT_EQ(commandWordCount, c.count) << textToUtf8(c.line);
        EXPECT_EQ(numbers(), c.numbers) << textToUtf8(c.line);
    }
    adventure.vocabulary[40][0] = u"Lampe";
    splitCommand(u"LAMPE");
    recogniseWords();
    EXPECT_EQ(commandWordNumbers[0], WordLamp);
    adventure.vocabulary[40][9] = u"LAMPE";
    recogniseWords();
    EXPECT_EQ(commandWordNumbers[0], 40);
    adventure.vocabulary[255][0] = u"LAMPE";
    recogniseWords();
    EXPECT_EQ(commandWordNumbers[0], 255);
}

// What each line says, and nothing else moves: the refusals of the verbs.
TEST(EngineBuiltInVerbs, RefusalsSayWhyAndChangeNothing) {
    startProject("verbs_refusals");
    clearScreen();
    needFullRedraw = false;
    const struct {
        const char16_t* line;
        Texts said;
    } cases[] = {// clang-format off
        {u"BONJOUR", NotUnderstood}, {u"", NotUnderstood}, {u"SUD", {"Je ne peux pas aller pas là."}},
        // a verb of one word with a second word
        {u"NORD LAMPE", {"Je ne peux pas"}}, {u"I LAMPE", {"Je ne peux pas"}}, {u"FIN LAMPE", {"Je ne peux pas"}},
        {u"SAUVE LAMPE", {"Je ne peux pas"}}, {u"CHARGE LAMPE", {"Je ne peux pas"}},
        // object verbs without an object
        {u"PRENDS", NotUnderstood}, {u"LAISSE", NotUnderstood}, {u"RANGE", NotUnderstood}, {u"MANIE", NotUnderstood},
        {u"PRENDS CLEF", {"Cet objet n'est pas ici."}},  // lying elsewhere
        {u"PRENDS ROCHER", {"Je ne peux pas"}},          // not takeable
        {u"LAISSE LAMPE", {"Vous ne l'avez pas."}}, {u"RANGE LAMPE", {"Vous n'avez pas cet objet en main."}},
        {u"MANIE LAMPE", {"Vous ne l'avez pas."}},
        // three words, or words without built-in meaning
        {u"PRENDS LAMPE CLEF", Nothing}, {u"NORD SUD EST", Nothing}, {u"REGARDE", Nothing},
        {u"REGARDE LAMPE", Nothing}, {u"LAMPE PRENDS", Nothing}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(said(c.line), c.said) << textToUtf8(c.line);
    EXPECT_EQ(currentRoom, 0);
    EXPECT_EQ((std::vector<int64_t>{adventure.objectLocations[Lamp], adventure.objectLocations[Key],
                                    adventure.objectLocations[Rock]}),
              (std::vector<int64_t>{0, 1, 0}));
    EXPECT_FALSE(needFullRedraw);
    EXPECT_FALSE(quitPending);
    // While a question is pending an empty line says nothing.
    for (bool* pending : {&quitPending, &endOfGamePending}) {
        *pending = true;
        EXPECT_EQ(said(u""), Nothing);
        *pending = false;
    }
}

TEST(EngineBuiltInVerbs, MovementFollowsAnExitOfARoom) {
    startProject("verbs_move");
    clearScreen();
    needFullRedraw = false;
    adventure.exits[0][0] = 7;
    EXPECT_EQ(said(u"NORD"), Nothing);
    EXPECT_EQ(currentRoom, 7);
    EXPECT_TRUE(needFullRedraw);
    const char16_t* directions[6] = {u"N", u"S", u"E", u"O", u"H", u"B"};
    for (int d = 0; d < 6; ++d) {
        adventure.exits[7][d] = 100 + d;
        currentRoom = 7;
        command(directions[d]);
        EXPECT_EQ(currentRoom, 100 + d) << textToUtf8(directions[d]);
    }
    // Exit values no room can have are no way out.
    for (int64_t exit : {int64_t(253), int64_t(254), int64_t(255), int64_t(-1), int64_t(300), INT64_MIN}) {
        adventure.exits[0][2] = exit;
        currentRoom = 0;
        EXPECT_EQ(said(u"EST"), Texts{"Je ne peux pas aller pas là."}) << exit;
        EXPECT_EQ(currentRoom, 0);
    }
    adventure.exits[0][2] = 252;
    command(u"EST");
    EXPECT_EQ(currentRoom, 252);
}

TEST(EngineBuiltInVerbs, TakingPutsTheObjectInTheInventoryUpToItsLimit) {
    startProject("verbs_take");
    clearScreen();
    needFullRedraw = false;
    EXPECT_EQ(said(u"PRENDS LA LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
    EXPECT_TRUE(needFullRedraw);
    EXPECT_EQ(said(u"PRENDS LAMPE"), Texts{"Cet objet n'est pas ici."});  // already carried
    // The inventory limit counts the inventory, not the hand.
    adventure.objectLocations[Lamp] = 0;
    adventure.maxObjectsInInventory = 1;
    adventure.objectLocations[Key] = InInventory;
    EXPECT_EQ(said(u"PRENDS LAMPE"), Texts{"Vous ne pouvez pas avoir plus d'objets."});
    EXPECT_EQ(adventure.objectLocations[Lamp], 0);
    adventure.objectLocations[Key] = InHand;
    EXPECT_EQ(said(u"PRENDS LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
    // In a room numbered like a carried place the object is found carried.
    currentRoom = InInventory;
    EXPECT_EQ(said(u"PRENDS LAMPE"), Texts{"Vous l'avez déjà."});
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
}

TEST(EngineBuiltInVerbs, DroppingPuttingAwayAndHoldingMoveBetweenRoomInventoryAndHand) {
    startProject("verbs_drop");
    clearScreen();
    adventure.objectTexts[5] = u"Une autre lampe";
    adventure.objectAttributes[5][AssociatedWord] = WordLamp;
    adventure.objectLocations[Lamp] = InHand;
    adventure.objectLocations[5] = InInventory;
    currentRoom = 1;
    needFullRedraw = false;
    // Dropping takes from the inventory first, then from the hand.
    EXPECT_EQ(said(u"JETTE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[5], 1);
    EXPECT_EQ(adventure.objectLocations[Lamp], InHand);
    EXPECT_TRUE(needFullRedraw);
    EXPECT_EQ(said(u"LAISSE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], 1);

    // Putting away takes only from the hand, without limit or redraw.
    adventure.maxObjectsInInventory = 0;
    adventure.objectLocations[Lamp] = InHand;
    needFullRedraw = false;
    EXPECT_EQ(said(u"RANGE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
    EXPECT_FALSE(needFullRedraw);

    // Holding takes from the inventory up to the hand limit, whatever the
    // holdable attribute says.
    adventure.maxObjectsInHand = 1;
    adventure.objectLocations[Key] = InInventory;
    ASSERT_EQ(adventure.objectAttributes[Lamp][Holdable], 0);
    EXPECT_EQ(said(u"MANIE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InHand);
    EXPECT_FALSE(needFullRedraw);
    EXPECT_EQ(said(u"MANIE CLEF"), Texts{"Vous ne pouvez pas, vos mains sont pleines."});
    EXPECT_EQ(adventure.objectLocations[Key], InInventory);
    EXPECT_EQ(said(u"MANIE LAMPE"), Texts{"Vous ne l'avez pas."});
}

TEST(EngineBuiltInVerbs, InventoryQuitSaveAndLoadShowTheirTexts) {
    const std::string project = startProject("verbs_texts");
    clearScreen();
    drawTurnStart();
    adventure.objectLocations[Lamp] = InHand;
    adventure.objectLocations[Key] = InInventory;
    auto texts = command(u"INVENTAIRE");
    EXPECT_EQ(allTexts(texts), Texts{"Vous avez: Une lampe, la clef"});
    EXPECT_EQ(textsAt(texts, 492, 192), Texts{"Vous avez: Une lampe, la clef"});
    EXPECT_EQ(inventoryCursor, gameLineHeight());
    adventure.objectLocations[Lamp] = 0;
    adventure.objectLocations[Key] = 1;
    EXPECT_EQ(said(u"I"), Texts{"Vous avez: Rien du tout"});

    clearScreen();
    texts = command(u"ARRET");
    EXPECT_EQ(textsAt(texts, 2, 426), Texts{"Voulez-vous vraiment arrêter le jeu ?"});
    EXPECT_EQ(textsAt(texts, 2, 426 + gameLineHeight()), Texts{"O/N"});
    EXPECT_TRUE(quitPending);

    queueScript("type 4\n");
    EXPECT_EQ(said(u"SAUVE"), Texts{"Numéro de sauvegarde (1 à 9) :"});
    EXPECT_EQ(readFileBytes(project + "/4.sav").size(), 6160u);
    currentRoom = 1;
    queueScript("type 4\n");
    EXPECT_EQ(said(u"LOAD"), Texts{"Numéro de sauvegarde (1 à 9) :"});
    EXPECT_EQ(currentRoom, 0);
}
