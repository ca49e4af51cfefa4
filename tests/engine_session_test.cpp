// Whole test plays of small adventures: the turns as the player sees them,
// Escape while typing, the quit and replay questions, the restart, the
// introduction and background of the project, the restore of the author's
// placement afterwards, and pictures that do not pile up.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "engine/session.h"
#include "model/event_labels.h"
#include "tests/engine_scenario.h"

using namespace engine_scenario;

namespace {

EventStep step(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    return {type, arg1, arg2, 255};
}

void fillSteps(EventStep* slots, std::initializer_list<EventStep> steps) {
    int slot = 0;
    for (const EventStep& s : steps) slots[slot++] = s;
    for (; slot < StepsPerList; ++slot) slots[slot] = {EndOfList, 255, 255, 255};
}

// Appends a minor event keyed by one word.
void addMinorEvent(int64_t word, std::initializer_list<EventStep> conditions,
                   std::initializer_list<EventStep> actions) {
    MinorEvent& event = adventure.minorEvents[adventure.minorEventCount++];
    event.words[0] = word;
    event.words[1] = NoWord;
    event.words[2] = NoWord;
    fillSteps(event.conditions, conditions);
    fillSteps(event.actions, actions);
}

void addMajorEvent(std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions) {
    MajorEvent& event = adventure.majorEvents[adventure.majorEventCount++];
    fillSteps(event.conditions, conditions);
    fillSteps(event.actions, actions);
}

std::vector<DrawnText> play(const std::string& script) {
    takeOutput();
    queueScript(script);
    runGameSession();
    return drawnTexts(takeOutput());
}

int64_t count(const std::vector<DrawnText>& texts, const std::string& text) {
    return std::count_if(texts.begin(), texts.end(), [&](const DrawnText& t) { return t.text == text; });
}

// Index of the first text equal to `text` at or after `from`; -1 if none.
int64_t indexOf(const std::vector<DrawnText>& texts, const std::string& text, int64_t from = 0) {
    for (int64_t i = from; i < static_cast<int64_t>(texts.size()); ++i) {
        if (texts[i].text == text) return i;
    }
    return -1;
}

const std::string Prompt = "A vous :";
const std::string NotUnderstood = "Je ne comprends pas ces mots.";

}  // namespace

TEST(EngineSession, APlayWithoutMediaShowsTheRoomsAndTheEchoedCommands) {
    startProject("session_plain");
    const int64_t th = gameLineHeight();
    const auto texts = play("type nord\nkey return\ntype sud\nkey return\nkey escape\n");
    // Each room is described on arrival, with its exits and objects.
    EXPECT_EQ(textsAt(texts, 2, 362), (std::vector<std::string>{"Le hall. <N>", "La cave. <S>", "Le hall. <N>"}));
    EXPECT_EQ(textsAt(texts, 492, 192), (std::vector<std::string>{"Vous voyez : Une lampe, un", "Vous voyez : La clef",
                                                                  "Vous voyez : Une lampe, un"}));
    // Every full redraw starts the text zone again: the prompt on the first
    // line, the command echoed on the second.
    EXPECT_EQ(textsAt(texts, 2, 426), (std::vector<std::string>{Prompt, Prompt, Prompt}));
    const auto second = textsAt(texts, 2, 426 + th);
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(std::count(second.begin(), second.end(), "NORD"), 2);  // typed, then echoed
    EXPECT_EQ(std::count(second.begin(), second.end(), "SUD"), 2);
    // The Escape pass has an empty line: not understood, then the blank.
    EXPECT_EQ(textsAt(texts, 2, 426 + th),
              std::vector<std::string>({"N", "NO", "NOR", "NORD", "NORD", "S", "SU", "SUD", "SUD", NotUnderstood}));
    EXPECT_EQ(texts.back().text, " ");
}

TEST(EngineSession, EscapeWhileTypingStillPlaysTheLineThenRestoresTheStart) {
    startProject("session_escape");
    adventure.messageTexts[1] = u"Vous montez.";
    addMinorEvent(0, {}, {step(AfficheMessage, 1), step(MetFlag, 9)});
    const auto texts = play("type prends lampe\nkey return\ntype nord\nkey escape\n");
    // The line typed before Escape was echoed and played.
    EXPECT_EQ(count(texts, "Vous montez."), 1);
    EXPECT_EQ(count(texts, "NORD"), 2);
    // Then the session ended at once, and the starting state came back.
    EXPECT_EQ(count(texts, "La cave. <S>"), 0);
    EXPECT_EQ(currentRoom, 0);
    EXPECT_EQ(adventure.objectLocations[Lamp], 0);
    EXPECT_EQ(adventure.objectLocations[Key], 1);
    EXPECT_EQ(flags[9], 0);
    EXPECT_EQ(turnCount, 0);
}

TEST(EngineSession, TheAuthorsPlacementComesBackWhateverThePlayerDid) {
    const std::string project = startProject("session_restore");
    adventure.objectLocations[5] = 3;
    adventure.objectLocations[6] = InHand;
    addMinorEvent(
        WordLook, {},
        {step(CreeObjetEn, 5, 0), step(DetruitObjet, 6), step(SallePrendImage, 1, 40), step(DonneAuFlag, 200, -3)});
    play(
        "type prends lampe\nkey return\ntype regarde\nkey return\ntype nord\nkey return\ntype prends clef\n"
        "key return\nkey escape\n");
    EXPECT_EQ(currentRoom, 0);
    EXPECT_EQ(adventure.objectLocations[Lamp], 0);
    EXPECT_EQ(adventure.objectLocations[Key], 1);
    EXPECT_EQ(adventure.objectLocations[Rock], 0);
    EXPECT_EQ(adventure.objectLocations[5], 3);
    EXPECT_EQ(adventure.objectLocations[6], InHand);
    EXPECT_EQ(roomImages[1], 1);
    EXPECT_EQ(flags[200], 0);
    // The starting state lies in "0.sav".
    const std::vector<int64_t> values = savedGameValues(readFileBytes(project + "/0.sav"));
    ASSERT_EQ(values.size(), 770u);
    EXPECT_EQ(values[0], 0);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[2 + 3 * Key], 1);
    EXPECT_EQ(values[2 + 3 * 6], InHand);
    EXPECT_EQ(values[3 + 3 * 77], 77);
}

TEST(EngineSession, ASessionStartsFromRoomZeroWithClearFlagsWhateverCameBefore) {
    const std::string project = startProject("session_fresh_start");
    currentRoom = 1;
    flags[5] = 9;
    roomImages[2] = 77;
    turnCount = 12;
    quitPending = true;
    endOfGamePending = true;
    const auto texts = play("key escape\n");
    EXPECT_EQ(textsAt(texts, 2, 362), std::vector<std::string>{"Le hall. <N>"});
    const std::vector<int64_t> values = savedGameValues(readFileBytes(project + "/0.sav"));
    EXPECT_EQ(values[0], 0);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[3 + 3 * 2], 2);
    EXPECT_EQ(values[4 + 3 * 5], 0);
    EXPECT_FALSE(quitPending);
    EXPECT_FALSE(endOfGamePending);
}

TEST(EngineSession, EveryPassCountsATurnEmptyLinesToo) {
    startProject("session_turns");
    addMinorEvent(WordLook, {}, {step(FinirLeJeu)});
    const auto texts = play("key return\nkey return\ntype regarde\nkey return\ntype n\n");
    EXPECT_EQ(count(texts, NotUnderstood), 2);
    EXPECT_EQ(count(texts, "Vous avez fait 3 actions"), 1);
}

TEST(EngineSession, TheEscapePassCountsAndItsQuestionIsStillAsked) {
    startProject("session_escape_counts");
    addMinorEvent(WordLook, {}, {step(FinirLeJeu)});
    const auto texts = play("type regarde\nkey escape\ntype x\ntype n\n");
    EXPECT_EQ(count(texts, "Vous avez fait 1 action"), 1);
    EXPECT_EQ(count(texts, "Fin de la partie - Voulez-vous rejouer ?"), 1);
}

TEST(EngineSession, NoToTheQuitQuestionGoesOnInEitherCaseAndOtherCharactersWait) {
    startProject("session_quit_no");
    const int64_t th = gameLineHeight();
    const auto texts = play(
        "type fin\nkey return\ntype x\nkey escape\nkey return\ntype n\n"
        "type fin\nkey return\ntype N\n"
        "type arret\nkey return\ntype O\n");
    EXPECT_EQ(count(texts, "Voulez-vous vraiment arrêter le jeu ?"), 3);
    EXPECT_EQ(count(texts, "O/N"), 3);
    // Had "x", Escape or Return answered, the "n" would have started the next
    // line, and "NFIN" is not understood.
    EXPECT_EQ(count(texts, NotUnderstood), 0);
    EXPECT_EQ(count(texts, "NFIN"), 0);
    // The answer is not echoed; the game went on after each "no" (a turn start
    // prompt follows) and ended after the "O".
    EXPECT_EQ(count(texts, Prompt), 3);
    EXPECT_EQ(texts.back().text, " ");
    // The question follows the echoed command in the text zone.
    const int64_t question = indexOf(texts, "Voulez-vous vraiment arrêter le jeu ?");
    EXPECT_EQ(texts[question].y, 426 + 2 * th);
    EXPECT_EQ(texts[question - 1].text, "FIN");
}

TEST(EngineSession, QuitTypedWithAMinorEventRunsTheEventBeforeTheAnswer) {
    startProject("session_quit_event");
    adventure.messageTexts[2] = u"Vraiment ?";
    addMinorEvent(WordQuit, {}, {step(AfficheMessage, 2)});
    const auto texts = play("type fin\nkey return\ntype o\n");
    const int64_t question = indexOf(texts, "Voulez-vous vraiment arrêter le jeu ?");
    ASSERT_GE(question, 0);
    EXPECT_EQ(texts[question + 1].text, "O/N");
    EXPECT_EQ(texts[question + 2].text, "Vraiment ?");
    EXPECT_EQ(texts[question + 3].text, " ");
    EXPECT_EQ(count(texts, Prompt), 1);
}

TEST(EngineSession, AGameEndedByAMajorEventAtOnceAsksWithoutReadingACommand) {
    startProject("session_major_end");
    addMajorEvent({}, {step(FinirLeJeu)});
    const int64_t th = gameLineHeight();
    const auto texts = play("type x\ntype N\n");
    EXPECT_EQ(textsAt(texts, 2, 426), std::vector<std::string>{Prompt});
    EXPECT_EQ(textsAt(texts, 2, 426 + th), std::vector<std::string>{"Vous avez fait 0 action"});
    EXPECT_EQ(textsAt(texts, 2, 426 + 2 * th), std::vector<std::string>{"Fin de la partie - Voulez-vous rejouer ?"});
    EXPECT_EQ(textsAt(texts, 2, 426 + 3 * th), std::vector<std::string>{"O/N"});
    EXPECT_EQ(count(texts, NotUnderstood), 0);
    EXPECT_EQ(count(texts, "X"), 0);
    // The turn's output still ends with its blank line.
    EXPECT_EQ(textsAt(texts, 2, 426 + 4 * th), std::vector<std::string>{" "});
}

TEST(EngineSession, ReplayingStartsAgainFromTheAuthorsStart) {
    startProject("session_replay");
    adventure.messageTexts[3] = u"Drapeau baissé.";
    addMinorEvent(WordLook, {step(FlagEgalAZero, 3)}, {step(AfficheMessage, 3)});
    addMinorEvent(WordLook, {}, {step(MetFlag, 3), step(SallePrendImage, 0, 50), step(FinirLeJeu)});
    const auto texts = play(
        "type prends lampe\nkey return\ntype nord\nkey return\ntype regarde\nkey return\n"
        "type O\n"
        "type regarde\nkey return\ntype n\n");
    EXPECT_EQ(count(texts, "Vous avez fait 3 actions"), 1);
    // After "O" the game is back in room 0 with the lamp where the author put
    // it, the flag clear and the command count at zero.
    const int64_t restart = indexOf(texts, "O/N");
    ASSERT_GE(restart, 0);
    EXPECT_GE(indexOf(texts, "Le hall. <N>", restart), 0);
    EXPECT_GE(indexOf(texts, "Vous voyez : Une lampe, un", restart), 0);
    EXPECT_GE(indexOf(texts, "Drapeau baissé.", restart), 0);
    EXPECT_GE(indexOf(texts, "Vous avez fait 1 action", restart), 0);
    EXPECT_EQ(count(texts, "Drapeau baissé."), 2);
    EXPECT_EQ(roomImages[0], 0);
}

TEST(EngineSession, BothQuestionsAreAskedQuitFirstAndEitherCanEndTheSession) {
    startProject("session_both_pending");
    addMinorEvent(WordLook, {}, {step(QuitterJeu), step(FinirLeJeu)});
    // "O" to quitting, then the replay question is still asked; its restart
    // is undone by the end of the session.
    auto texts = play("type regarde\nkey return\ntype o\ntype o\n");
    EXPECT_EQ(count(texts, Prompt), 1);
    EXPECT_EQ(count(texts, "O/N"), 2);
    // Both answers were taken: nothing is left for the next line.
    queueScript("key return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"");
    // "N" to quitting and "N" to replaying: the session ends too.
    texts = play("type regarde\nkey return\ntype n\ntype n\n");
    EXPECT_EQ(count(texts, Prompt), 1);
    // "N" to quitting and "O" to replaying: the game starts again.
    texts = play("type regarde\nkey return\ntype n\ntype o\nkey escape\n");
    EXPECT_EQ(count(texts, Prompt), 2);
    EXPECT_EQ(count(texts, "Le hall. <N>"), 2);
}

TEST(EngineSession, AnswersFollowTheAdventuresOwnYesAndNo) {
    startProject("session_own_answers");
    adventure.systemMessages[21] = u"Yes";
    adventure.systemMessages[22] = u"no";
    const auto texts = play("type fin\nkey return\ntype o\ntype N\ntype fin\nkey return\ntype y\n");
    EXPECT_EQ(count(texts, "Yes/no"), 2);
    EXPECT_EQ(count(texts, Prompt), 2);
}

TEST(EngineSession, TheProjectsIntroductionWaitsForEscapeOrReturnOnly) {
    const std::string project = startProject("session_introduction");
    writeSolidPicture(project + "/introduction.jpg", rgb(10, 200, 30), 800, 600);
    takeOutput();
    // The picture is on the window before the player does anything.
    const std::string shot = project + "/first-frame.png";
    queueScript("shot " + shot + "\nclick 5 5\nkey up\ntype x\nwheel 1\nmark still-introduction\nkey return\n" +
                "type nord\nkey return\nkey escape\n");
    runGameSession();
    const std::string output = takeOutput();
    ImageHandle firstFrame = loadImage(utf8ToText(shot));
    EXPECT_EQ(readPixel(firstFrame, 400, 300), rgb(10, 200, 30));
    freeImage(firstFrame);
    const size_t mark = output.find("mark still-introduction");
    ASSERT_NE(mark, std::string::npos);
    // No game text before the Return that ends the introduction, and the
    // keys given to it do not reach the first command.
    EXPECT_TRUE(drawnTexts(output.substr(0, mark)).empty());
    const auto texts = drawnTexts(output.substr(mark));
    EXPECT_EQ(count(texts, "NORD"), 2);
    EXPECT_EQ(count(texts, "XNORD"), 0);
    EXPECT_EQ(count(texts, "La cave. <S>"), 1);
}

TEST(EngineSession, TheProjectsBackgroundIsUsedForTheWholePlay) {
    const std::string project = startProject("session_background");
    const Colour sand = rgb(230, 200, 120);
    writeSolidPicture(project + "/ecran.jpg", sand, 800, 600);
    play("type nord\nkey return\nkey escape\n");
    EXPECT_EQ(readPixel(backBuffer, 795, 590), sand);
    EXPECT_EQ(readPixel(backBuffer, 450, 20), sand);
    EXPECT_FALSE(hasScreenImage);
    // Without the file the program's own background is used.
    std::filesystem::remove(project + "/ecran.jpg");
    play("key escape\n");
    EXPECT_NE(readPixel(backBuffer, 795, 590), sand);
}

TEST(EngineSession, TheRoomPictureIsShownInTheImageZone) {
    const std::string project = startProject("session_picture");
    writeSolidPicture(project + "/1.jpg", rgb(250, 10, 10));
    play("type nord\nkey return\nkey escape\n");
    EXPECT_EQ(readPixel(backBuffer, 200, 150), rgb(250, 10, 10));
}

TEST(EngineSession, PicturesDoNotPileUpOverAThousandTurns) {
    const std::string project = startProject("session_memory");
    writeSolidPicture(project + "/0.jpg", rgb(250, 10, 10));
    writeSolidPicture(project + "/1.jpg", rgb(10, 250, 10));
    writeSolidPicture(project + "/ecran.jpg", rgb(100, 100, 100), 800, 600);
    addMinorEvent(WordLook, {}, {step(DecritSalleActuelle), step(AfficheInventaire)});
    std::string script;
    for (int turn = 0; turn < 1000; ++turn) {
        static const char* const lines[4] = {"nord", "sud", "regarde", "une ligne assez longue pour remplir"};
        script += std::string("type ") + lines[turn % 4] + "\nkey return\n";
    }
    script += "key escape\n";
    const int64_t before = liveImageCount();
    play(script);
    EXPECT_EQ(liveImageCount(), before);
}

TEST(EngineSessionDeath, AStartingStateThatCannotBeWrittenEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string project = startProject("session_no_start_file");
    std::filesystem::create_directory(project + "/0.sav");
    EXPECT_EXIT(
        {
            recordHeadlessOutputInMemory(false);
            dup2(2, 1);
            runGameSession();
        },
        testing::ExitedWithCode(1), "box Erreur \\| Impossible de faire la sauvegarde du jeu !");
}

TEST(EngineSessionDeath, ClosingTheWindowDuringAPlayEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    startProject("session_close");
    EXPECT_EXIT(
        {
            queueScript("type no\nclose\n");
            runGameSession();
        },
        testing::ExitedWithCode(0), "");
}
