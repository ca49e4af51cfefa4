// The player's command: the line editor (upper case, accent folding, width
// limit, Backspace, Escape), the split into words, their recognition, and
// every built-in verb with its refusals.
#include <gtest/gtest.h>

#include "tests/engine_scenario.h"

using namespace engine_scenario;

namespace {

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

std::vector<std::string> said(const std::u16string& line) {
    return allTexts(command(line));
}

std::vector<std::u16string> words() {
    std::vector<std::u16string> result;
    for (int i = 0; i < MaxCommandWords; ++i) result.push_back(commandWords[i]);
    return result;
}

std::vector<int64_t> numbers() {
    return std::vector<int64_t>(commandWordNumbers, commandWordNumbers + MaxCommandWords);
}

const std::vector<std::string> Nothing;

}  // namespace

TEST(EngineCommandLine, TypedLettersAreShownUpperCasedWithoutAccents) {
    startProject("command_typing");
    readyForInput();
    queueScript("type prends l'épée\nkey return\n");
    EXPECT_FALSE(readCommandLine());
    EXPECT_EQ(commandLine, u"PRENDS L'EPEE");
    const int64_t th = gameLineHeight();
    const auto texts = drawnTexts(takeOutput());
    const auto shown = textsAt(texts, 2, 426 + th);
    ASSERT_EQ(shown.size(), 13u);  // one redraw per character
    EXPECT_EQ(shown[0], "P");
    EXPECT_EQ(shown[8], "PRENDS L'");
    EXPECT_EQ(shown.back(), "PRENDS L'EPEE");
}

TEST(EngineCommandLine, EveryFoldedAccentBecomesItsPlainCapital) {
    startProject("command_folding");
    readyForInput();
    queueScript("type àâäéèêëîïôöùûüÿç\nkey return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"AAAEEEEIIOOUUUYC");
    // Capital accented letters stay as typed and split words apart.
    queueScript("type École\nkey return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"ÉCOLE");
    splitCommand(commandLine);
    EXPECT_EQ(commandWordCount, 1);
    EXPECT_EQ(commandWords[0], u"COLE");
}

TEST(EngineCommandLine, BackspaceRemovesTheLastCharacterAndIsHarmlessOnAnEmptyLine) {
    startProject("command_backspace");
    readyForInput();
    queueScript("key backspace\ntype NORX\nkey backspace\ntype d\nkey return\n");
    EXPECT_FALSE(readCommandLine());
    EXPECT_EQ(commandLine, u"NORD");
    const int64_t th = gameLineHeight();
    EXPECT_EQ(textsAt(drawnTexts(takeOutput()), 2, 426 + th),
              (std::vector<std::string>{"N", "NO", "NOR", "NORX", "NOR", "NORD"}));
}

TEST(EngineCommandLine, BackspaceErasesTheRemovedCharacterFromTheScreen) {
    startProject("command_erase");
    readyForInput();
    const int64_t th = gameLineHeight();
    const int64_t y = adventure.textZone.y + 2 + th;
    auto blackIn = [&](int64_t x, int64_t width) {
        int64_t count = 0;
        for (int64_t py = y; py < y + th; ++py) {
            for (int64_t px = x; px < x + width; ++px) count += readPixel(backBuffer, px, py) == rgb(0, 0, 0);
        }
        return count;
    };
    queueScript("type MMM\nkey backspace\nkey return\n");
    readCommandLine();
    EXPECT_GT(blackIn(2, 20), 0);
    EXPECT_EQ(blackIn(22, 10), 0);
}

TEST(EngineCommandLine, ALineTypedBelowAFullZoneIsErasedAsWellAndSoIsTheWholeLineAfterwards) {
    startProject("command_erase_full_zone");
    const int64_t th = gameLineHeight();
    // Seven lines fill the default text zone; the typed line lies below them,
    // partly outside the zone.
    clearScreen();
    for (int line = 0; line < 7; ++line) textCursor = printInZone(u"I", adventure.textZone, textCursor);
    takeTurnSnapshot();
    const int64_t y = adventure.textZone.y + 2 + textCursor;
    ASSERT_GT(y + th, adventure.textZone.y + adventure.textZone.height);
    auto blackIn = [&](int64_t x, int64_t width) {
        int64_t count = 0;
        for (int64_t py = y; py < y + th && py < 600; ++py) {
            for (int64_t px = x; px < x + width; ++px) count += readPixel(backBuffer, px, py) == rgb(0, 0, 0);
        }
        return count;
    };
    EXPECT_EQ(blackIn(2, 100), 0);
    queueScript("type MMMMM\nkey backspace\nkey backspace\nkey backspace\nkey return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"MM");
    EXPECT_GT(blackIn(2, 20), 0);
    EXPECT_EQ(blackIn(22, 40), 0);
    // Erasing the typed line puts the screen back as the snapshot shows it.
    eraseTypedLine();
    EXPECT_EQ(blackIn(2, 100), 0);
    // The lines printed before stay: the last "I" lies just above.
    int64_t above = 0;
    for (int64_t py = y - th; py < y; ++py) {
        for (int64_t px = 2; px < 12; ++px) above += readPixel(backBuffer, px, py) == rgb(0, 0, 0);
    }
    EXPECT_GT(above, 0);
}

TEST(EngineCommandLine, EscapeEndsTheLineAndKeepsWhatWasTyped) {
    startProject("command_escape");
    readyForInput();
    queueScript("type nor\nkey escape\n");
    EXPECT_TRUE(readCommandLine());
    EXPECT_EQ(commandLine, u"NOR");
}

TEST(EngineCommandLine, OtherKeysAndClicksChangeNothing) {
    startProject("command_other_keys");
    readyForInput();
    queueScript("type N\nclick 10 450\nwheel 2\nkey up\nkey pagedown\ntype O\nkey return\n");
    EXPECT_FALSE(readCommandLine());
    EXPECT_EQ(commandLine, u"NO");
}

TEST(EngineCommandLine, ACharacterThatWouldPassTheZoneWidthIsIgnored) {
    startProject("command_width");
    beginDrawing(backBuffer);
    selectFont(interfaceFont);
    const int64_t five = textWidth(u"ABCDE");
    endDrawing();
    adventure.textZone.width = five + 4;  // exactly five characters fit
    readyForInput();
    queueScript("type abcdefg\nkey backspace\ntype z\nkey return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"ABCDZ");
}

TEST(EngineCommandLine, AnEmptyLineIsEnteredToo) {
    startProject("command_empty");
    readyForInput();
    queueScript("key return\n");
    EXPECT_FALSE(readCommandLine());
    EXPECT_EQ(commandLine, u"");
}

TEST(EngineCommandWords, EveryCharacterOtherThanACapitalLetterSeparatesWords) {
    startProject("command_split");
    splitCommand(u"PRENDS L'EPEE");
    EXPECT_EQ(commandWordCount, 3);
    EXPECT_EQ(words(), (std::vector<std::u16string>{u"PRENDS", u"L", u"EPEE", u"", u"", u""}));
    splitCommand(u"  NORD,,SUD 3EST-OUEST.  ");
    EXPECT_EQ(words(), (std::vector<std::u16string>{u"NORD", u"SUD", u"EST", u"OUEST", u"", u""}));
    splitCommand(u"nord 123 ... ÉÈ");
    EXPECT_EQ(commandWordCount, 0);
    EXPECT_EQ(words(), std::vector<std::u16string>(6));
    splitCommand(u"A B C D E F G H");
    EXPECT_EQ(commandWordCount, 6);
    EXPECT_EQ(commandWords[5], u"F");
    splitCommand(u"");
    EXPECT_EQ(commandWordCount, 0);
}

TEST(EngineCommandWords, UnknownWordsAreDroppedAndTheOthersCloseUp) {
    startProject("command_recognise");
    splitCommand(u"PRENDS LA CLEF");
    recogniseWords();
    EXPECT_EQ(commandWordCount, 2);
    EXPECT_EQ(words(), (std::vector<std::u16string>{u"PRENDS", u"CLEF", u"", u"", u"", u""}));
    EXPECT_EQ(numbers(), (std::vector<int64_t>{6, WordKey, 255, 255, 255, 255}));
    // Any spelling of a word gives its number; matching is exact.
    splitCommand(u"CLE CLEFS LAMP LAMPE JETTE");
    recogniseWords();
    EXPECT_EQ(numbers(), (std::vector<int64_t>{WordKey, WordLamp, 7, 255, 255, 255}));
    adventure.vocabulary[40][0] = u"Lampe";
    splitCommand(u"LAMPE");
    recogniseWords();
    EXPECT_EQ(commandWordNumbers[0], WordLamp);
}

TEST(EngineCommandWords, ASpellingSharedByTwoWordsGivesTheHigherNumber) {
    startProject("command_shared");
    adventure.vocabulary[40][9] = u"LAMPE";
    splitCommand(u"LAMPE");
    recogniseWords();
    EXPECT_EQ(commandWordNumbers[0], 40);
    adventure.vocabulary[255][0] = u"LAMPE";
    recogniseWords();
    EXPECT_EQ(commandWordNumbers[0], 255);
}

TEST(EngineCommandWords, OnlyTheFirstSixWordsAreConsidered) {
    startProject("command_seven");
    splitCommand(u"N S E O H B PRENDS");
    recogniseWords();
    EXPECT_EQ(commandWordCount, 6);
    EXPECT_EQ(numbers(), (std::vector<int64_t>{0, 1, 2, 3, 4, 5}));
    // An unknown word among the six does not bring the seventh back.
    splitCommand(u"N XX S E O H B");
    recogniseWords();
    EXPECT_EQ(commandWordCount, 5);
    EXPECT_EQ(numbers(), (std::vector<int64_t>{0, 1, 2, 3, 4, 255}));
}

TEST(EngineBuiltInVerbs, NoKnownWordIsNotUnderstoodUnlessAQuestionIsPending) {
    startProject("verbs_no_word");
    clearScreen();
    EXPECT_EQ(said(u"BONJOUR"), std::vector<std::string>{"Je ne comprends pas ces mots."});
    EXPECT_EQ(said(u""), std::vector<std::string>{"Je ne comprends pas ces mots."});
    quitPending = true;
    EXPECT_EQ(said(u""), Nothing);
    quitPending = false;
    endOfGamePending = true;
    EXPECT_EQ(said(u""), Nothing);
}

TEST(EngineBuiltInVerbs, MovementFollowsAnExitOrRefuses) {
    startProject("verbs_move");
    clearScreen();
    needFullRedraw = false;
    EXPECT_EQ(said(u"SUD"), std::vector<std::string>{"Je ne peux pas aller pas là."});
    EXPECT_EQ(currentRoom, 0);
    EXPECT_FALSE(needFullRedraw);
    adventure.exits[0][0] = 7;
    EXPECT_EQ(said(u"NORD"), Nothing);
    EXPECT_EQ(currentRoom, 7);
    EXPECT_TRUE(needFullRedraw);
    // Each direction word uses its own exit.
    const char16_t* directions[6] = {u"N", u"S", u"E", u"O", u"H", u"B"};
    for (int d = 0; d < 6; ++d) {
        adventure.exits[7][d] = 100 + d;
        currentRoom = 7;
        command(directions[d]);
        EXPECT_EQ(currentRoom, 100 + d);
    }
}

TEST(EngineBuiltInVerbs, ExitValuesNoRoomCanHaveAreNoWayOut) {
    startProject("verbs_bad_exits");
    clearScreen();
    for (int64_t exit : {int64_t(253), int64_t(254), int64_t(255), int64_t(-1), int64_t(300), INT64_MIN}) {
        adventure.exits[0][2] = exit;
        currentRoom = 0;
        EXPECT_EQ(said(u"EST"), std::vector<std::string>{"Je ne peux pas aller pas là."});
        EXPECT_EQ(currentRoom, 0);
    }
    adventure.exits[0][2] = 252;
    command(u"EST");
    EXPECT_EQ(currentRoom, 252);
}

TEST(EngineBuiltInVerbs, AVerbOfOneWordWithASecondWordCannotBeDone) {
    startProject("verbs_second_word");
    clearScreen();
    for (const char16_t* line : {u"NORD LAMPE", u"I LAMPE", u"FIN LAMPE", u"SAUVE LAMPE", u"CHARGE LAMPE"}) {
        EXPECT_EQ(said(line), std::vector<std::string>{"Je ne peux pas"});
    }
    EXPECT_EQ(currentRoom, 0);
    EXPECT_FALSE(quitPending);
}

TEST(EngineBuiltInVerbs, ObjectVerbsWithoutAnObjectAreNotUnderstood) {
    startProject("verbs_alone");
    clearScreen();
    for (const char16_t* line : {u"PRENDS", u"LAISSE", u"RANGE", u"MANIE"}) {
        EXPECT_EQ(said(line), std::vector<std::string>{"Je ne comprends pas ces mots."});
    }
}

TEST(EngineBuiltInVerbs, TakingPutsTheObjectInTheInventory) {
    startProject("verbs_take");
    clearScreen();
    needFullRedraw = false;
    EXPECT_EQ(said(u"PRENDS LA LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
    EXPECT_TRUE(needFullRedraw);
    // Already carried or lying elsewhere: not here.
    EXPECT_EQ(said(u"PRENDS LAMPE"), std::vector<std::string>{"Cet objet n'est pas ici."});
    EXPECT_EQ(said(u"PRENDS CLEF"), std::vector<std::string>{"Cet objet n'est pas ici."});
    EXPECT_EQ(adventure.objectLocations[Key], 1);
    // Not takeable.
    EXPECT_EQ(said(u"PRENDS ROCHER"), std::vector<std::string>{"Je ne peux pas"});
    EXPECT_EQ(adventure.objectLocations[Rock], 0);
}

TEST(EngineBuiltInVerbs, TakingStopsAtTheInventoryLimitButNotAtTheHand) {
    startProject("verbs_take_limit");
    clearScreen();
    adventure.maxObjectsInInventory = 1;
    adventure.objectLocations[Key] = InInventory;
    EXPECT_EQ(said(u"PRENDS LAMPE"), std::vector<std::string>{"Vous ne pouvez pas avoir plus d'objets."});
    EXPECT_EQ(adventure.objectLocations[Lamp], 0);
    adventure.objectLocations[Key] = InHand;
    EXPECT_EQ(said(u"PRENDS LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
}

TEST(EngineBuiltInVerbs, TakingInARoomNumberedLikeACarriedPlaceFindsItCarried) {
    startProject("verbs_take_carried_room");
    clearScreen();
    currentRoom = InInventory;
    adventure.objectLocations[Lamp] = InInventory;
    EXPECT_EQ(said(u"PRENDS LAMPE"), std::vector<std::string>{"Vous l'avez déjà."});
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
}

TEST(EngineBuiltInVerbs, DroppingTakesFromTheInventoryFirstThenFromTheHand) {
    startProject("verbs_drop");
    clearScreen();
    adventure.objectTexts[5] = u"Une autre lampe";
    adventure.objectAttributes[5][AssociatedWord] = WordLamp;
    adventure.objectLocations[Lamp] = InHand;
    adventure.objectLocations[5] = InInventory;
    currentRoom = 1;
    needFullRedraw = false;
    EXPECT_EQ(said(u"JETTE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[5], 1);
    EXPECT_EQ(adventure.objectLocations[Lamp], InHand);
    EXPECT_TRUE(needFullRedraw);
    EXPECT_EQ(said(u"LAISSE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], 1);
    EXPECT_EQ(said(u"LAISSE LAMPE"), std::vector<std::string>{"Vous ne l'avez pas."});
}

TEST(EngineBuiltInVerbs, PuttingAwayTakesOnlyFromTheHandWithoutLimitOrRedraw) {
    startProject("verbs_put_away");
    clearScreen();
    adventure.maxObjectsInInventory = 0;
    adventure.objectLocations[Lamp] = InHand;
    needFullRedraw = false;
    EXPECT_EQ(said(u"RANGE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
    EXPECT_FALSE(needFullRedraw);
    EXPECT_EQ(said(u"RANGE LAMPE"), std::vector<std::string>{"Vous n'avez pas cet objet en main."});
    EXPECT_EQ(adventure.objectLocations[Lamp], InInventory);
}

TEST(EngineBuiltInVerbs, HoldingTakesFromTheInventoryUpToTheHandLimit) {
    startProject("verbs_hold");
    clearScreen();
    adventure.maxObjectsInHand = 1;
    adventure.objectLocations[Lamp] = InInventory;
    adventure.objectLocations[Key] = InInventory;
    needFullRedraw = false;
    // The holdable attribute is not consulted.
    EXPECT_EQ(adventure.objectAttributes[Lamp][Holdable], 0);
    EXPECT_EQ(said(u"MANIE LAMPE"), Nothing);
    EXPECT_EQ(adventure.objectLocations[Lamp], InHand);
    EXPECT_FALSE(needFullRedraw);
    EXPECT_EQ(said(u"MANIE CLEF"), std::vector<std::string>{"Vous ne pouvez pas, vos mains sont pleines."});
    EXPECT_EQ(adventure.objectLocations[Key], InInventory);
    EXPECT_EQ(said(u"MANIE LAMPE"), std::vector<std::string>{"Vous ne l'avez pas."});
    EXPECT_EQ(said(u"MANIE ROCHER"), std::vector<std::string>{"Vous ne l'avez pas."});
}

TEST(EngineBuiltInVerbs, InventoryShowsEverythingCarriedInTheInventoryZone) {
    startProject("verbs_inventory");
    clearScreen();
    drawTurnStart();
    adventure.objectLocations[Lamp] = InHand;
    adventure.objectLocations[Key] = InInventory;
    const auto texts = command(u"INVENTAIRE");
    EXPECT_EQ(allTexts(texts), std::vector<std::string>{"Vous avez: Une lampe, la clef"});
    EXPECT_EQ(textsAt(texts, 492, 192), std::vector<std::string>{"Vous avez: Une lampe, la clef"});
    EXPECT_EQ(inventoryCursor, gameLineHeight());
    adventure.objectLocations[Lamp] = 0;
    adventure.objectLocations[Key] = 1;
    EXPECT_EQ(said(u"I"), std::vector<std::string>{"Vous avez: Rien du tout"});
}

TEST(EngineBuiltInVerbs, QuitAsksTheQuestionAndLeavesTheAnswerToTheTurn) {
    startProject("verbs_quit");
    clearScreen();
    const int64_t th = gameLineHeight();
    const auto texts = command(u"ARRET");
    EXPECT_EQ(textsAt(texts, 2, 426), std::vector<std::string>{"Voulez-vous vraiment arrêter le jeu ?"});
    EXPECT_EQ(textsAt(texts, 2, 426 + th), std::vector<std::string>{"O/N"});
    EXPECT_TRUE(quitPending);
}

TEST(EngineBuiltInVerbs, SaveAndLoadAskForASlot) {
    const std::string project = startProject("verbs_save_load");
    clearScreen();
    queueScript("type 4\n");
    EXPECT_EQ(said(u"SAUVE"), std::vector<std::string>{"Numéro de sauvegarde (1 à 9) :"});
    EXPECT_EQ(readFileBytes(project + "/4.sav").size(), 6160u);
    currentRoom = 1;
    queueScript("type 4\n");
    EXPECT_EQ(said(u"LOAD"), std::vector<std::string>{"Numéro de sauvegarde (1 à 9) :"});
    EXPECT_EQ(currentRoom, 0);
}

TEST(EngineBuiltInVerbs, ThreeWordsOrWordsWithoutBuiltInMeaningDoNothing) {
    startProject("verbs_nothing");
    clearScreen();
    needFullRedraw = false;
    EXPECT_EQ(said(u"PRENDS LAMPE CLEF"), Nothing);
    EXPECT_EQ(said(u"NORD SUD EST"), Nothing);
    EXPECT_EQ(said(u"REGARDE"), Nothing);
    EXPECT_EQ(said(u"REGARDE LAMPE"), Nothing);
    EXPECT_EQ(said(u"LAMPE PRENDS"), Nothing);
    EXPECT_EQ(currentRoom, 0);
    EXPECT_EQ(adventure.objectLocations[Lamp], 0);
    EXPECT_FALSE(needFullRedraw);
}
