// Whole test plays of small adventures: the turns as the player sees them,
// Escape while typing, the quit and replay questions, the restart, the
// introduction and background of the project, the restore of the author's
// placement afterwards, and pictures that do not pile up.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/session.h"
#include "tests/test_support.h"

namespace {

using Texts = std::vector<std::string>;

std::vector<DrawnText> play(const std::string& script) {
    takeOutput();
    queueScript(script);
    runGameSession();
    return drawnTexts(takeOutput());
}

const std::string Prompt = "A vous :";
const std::string NotUnderstood = "Je ne comprends pas ces mots.";
const std::string QuitQuestion = "Voulez-vous vraiment arrêter le jeu ?";

}  // namespace

TEST(EngineSession, APlayWithoutMediaShowsTheRoomsAndTheEchoedCommands) {
    startProject("session_plain");
    const auto texts = play("type nord\nkey return\ntype sud\nkey return\nkey escape\n");
    // Each room is described on arrival, with its exits and objects.
    EXPECT_EQ(textsAt(texts, 2, 362), (Texts{"Le hall. <N>", "La cave. <S>", "Le hall. <N>"}));
    EXPECT_EQ(textsAt(texts, 492, 192),
              (Texts{"Vous voyez : Une lampe, un", "Vous voyez : La clef", "Vous voyez : Une lampe, un"}));
    // Every full redraw starts the text zone again: the prompt on the first
    // line, the command typed then echoed on the second; the Escape pass has
    // an empty line: not understood, then the blank.
    EXPECT_EQ(textsAt(texts, 2, 426), (Texts{Prompt, Prompt, Prompt}));
    EXPECT_EQ(textsAt(texts, 2, 426 + gameLineHeight()),
              (Texts{"N", "NO", "NOR", "NORD", "NORD", "S", "SU", "SUD", "SUD", NotUnderstood}));
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, " ");
}

// A session starts from room 0, with clear flags, pictures and questions,
// whatever came before; the starting state lies in "0.sav". The line typed
// before Escape is echoed and played; then the session ends at once and the
// starting state comes back, whatever the player did.
TEST(EngineSession, EscapeWhileTypingStillPlaysTheLineThenTheAuthorsPlacementComesBack) {
    const std::string project = startProject("session_escape");
    currentRoom = 1;
    flags[5] = 9;
    roomImages[2] = 77;
    turnCount = 12;
    quitPending = true;
    endOfGamePending = true;
    adventure.messageTexts[1] = u"Vous montez.";
    adventure.objectLocations[5] = 3;
    adventure.objectLocations[6] = InHand;
    addMinorEvent(0, {}, {step(AfficheMessage, 1), step(MetFlag, 9)});
    addMinorEvent(
        WordLook, {},
        {step(CreeObjetEn, 5, 0), step(DetruitObjet, 6), step(SallePrendImage, 1, 40), step(DonneAuFlag, 200, -3)});
    const auto texts = play("type prends lampe\nkey return\ntype regarde\nkey return\ntype nord\nkey escape\n");
    EXPECT_EQ(textsAt(texts, 2, 362).at(0), "Le hall. <N>");
    EXPECT_EQ(countOf(texts, "Vous montez."), 1);
    EXPECT_EQ(countOf(texts, "NORD"), 2);
    EXPECT_EQ(countOf(texts, "La cave. <S>"), 0);
    EXPECT_EQ(currentRoom, 0);
    EXPECT_EQ(turnCount, 0);
    const std::vector<int64_t> locations(adventure.objectLocations, adventure.objectLocations + 7);
    EXPECT_EQ(locations, (std::vector<int64_t>{0, 1, 0, NotCreated, NotCreated, 3, InHand}));
    EXPECT_EQ((std::vector<int64_t>{roomImages[1], roomImages[2], flags[200], flags[9], flags[5]}),
              (std::vector<int64_t>{1, 2, 0, 0, 0}));
    EXPECT_FALSE(quitPending);
    EXPECT_FALSE(endOfGamePending);
    const std::vector<int64_t> values = savedGameValues(readFileBytes(project + "/0.sav"));
    ASSERT_EQ(values.size(), 770u);
    EXPECT_EQ((std::vector<int64_t>{values[0], values[1], values[2 + 3 * Key], values[2 + 3 * 6], values[3 + 3 * 2],
                                    values[3 + 3 * 77], values[4 + 3 * 5]}),
              (std::vector<int64_t>{0, 0, 1, InHand, 2, 77, 0}));
}

// Every pass counts a turn, empty lines and the Escape pass too, and the
// Escape pass's question is still asked.
TEST(EngineSession, EveryPassCountsATurn) {
    startProject("session_turns");
    addMinorEvent(WordLook, {}, {step(FinirLeJeu)});
    auto texts = play("key return\nkey return\ntype regarde\nkey return\ntype n\n");
    EXPECT_EQ(countOf(texts, NotUnderstood), 2);
    EXPECT_EQ(countOf(texts, "Vous avez fait 3 actions"), 1);
    texts = play("type regarde\nkey escape\ntype x\ntype n\n");
    EXPECT_EQ(countOf(texts, "Vous avez fait 1 action"), 1);
    EXPECT_EQ(countOf(texts, "Fin de la partie - Voulez-vous rejouer ?"), 1);
}

TEST(EngineSession, NoToTheQuitQuestionGoesOnInEitherCaseAndOtherCharactersWait) {
    startProject("session_quit_no");
    const auto texts = play(
        "type fin\nkey return\ntype x\nkey escape\nkey return\ntype n\n"
        "type fin\nkey return\ntype N\n"
        "type arret\nkey return\ntype O\n");
    EXPECT_EQ(countOf(texts, QuitQuestion), 3);
    EXPECT_EQ(countOf(texts, "O/N"), 3);
    // Had "x", Escape or Return answered, the "n" would have started the next
    // line, and "NFIN" is not understood.
    EXPECT_EQ(countOf(texts, NotUnderstood), 0);
    EXPECT_EQ(countOf(texts, "NFIN"), 0);
    // The answer is not echoed; the game went on after each "no" and ended after the "O".
    EXPECT_EQ(countOf(texts, Prompt), 3);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.back().text, " ");
    // The question follows the echoed command in the text zone.
    const int64_t question = findDrawn(texts, QuitQuestion);
    ASSERT_GT(question, 0);
    EXPECT_EQ(texts[question].y, 426 + 2 * gameLineHeight());
    EXPECT_EQ(texts[question - 1].text, "FIN");
}

TEST(EngineSession, QuitTypedWithAMinorEventRunsTheEventBeforeTheAnswer) {
    startProject("session_quit_event");
    adventure.messageTexts[2] = u"Vraiment ?";
    addMinorEvent(WordQuit, {}, {step(AfficheMessage, 2)});
    const auto texts = play("type fin\nkey return\ntype o\n");
    const int64_t question = findDrawn(texts, QuitQuestion);
    ASSERT_GE(question, 0);
    ASSERT_GE(texts.size(), static_cast<size_t>(question + 4));
    EXPECT_EQ(allTexts({texts.begin() + question + 1, texts.begin() + question + 4}),
              (Texts{"O/N", "Vraiment ?", " "}));
    EXPECT_EQ(countOf(texts, Prompt), 1);
}

TEST(EngineSession, AGameEndedByAMajorEventAtOnceAsksWithoutReadingACommand) {
    startProject("session_major_end");
    addMajorEvent({}, {step(FinirLeJeu)});
    const int64_t th = gameLineHeight();
    const auto texts = play("type x\ntype N\n");
    const Texts lines[] = {{Prompt},
                           {"Vous avez fait 0 action"},
                           {"Fin de la partie - Voulez-vous rejouer ?"},
                           {"O/N"},
                           {" "}};  // the turn's output still ends with its blank line
    for (int line = 0; line < 5; ++line) EXPECT_EQ(textsAt(texts, 2, 426 + line * th), lines[line]) << line;
    EXPECT_EQ(countOf(texts, NotUnderstood), 0);
    EXPECT_EQ(countOf(texts, "X"), 0);
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
    EXPECT_EQ(countOf(texts, "Vous avez fait 3 actions"), 1);
    // After "O" the game is back in room 0 with the lamp where the author put
    // it, the flag clear and the command count at zero.
    const int64_t restart = findDrawn(texts, "O/N");
    ASSERT_GE(restart, 0);
    for (const char* text :
         {"Le hall. <N>", "Vous voyez : Une lampe, un", "Drapeau baissé.", "Vous avez fait 1 action"}) {
        EXPECT_GE(findDrawn(texts, text, -1, -1, restart), 0) << text;
    }
    EXPECT_EQ(countOf(texts, "Drapeau baissé."), 2);
    EXPECT_EQ(roomImages[0], 0);
}

TEST(EngineSession, BothQuestionsAreAskedQuitFirstAndEitherCanEndTheSession) {
    startProject("session_both_pending");
    addMinorEvent(WordLook, {}, {step(QuitterJeu), step(FinirLeJeu)});
    // "O" to quitting, then the replay question is still asked; its restart
    // is undone by the end of the session.
    auto texts = play("type regarde\nkey return\ntype o\ntype o\n");
    EXPECT_EQ(countOf(texts, Prompt), 1);
    EXPECT_EQ(countOf(texts, "O/N"), 2);
    // Both answers were taken: nothing is left for the next line.
    queueScript("key return\n");
    readCommandLine();
    EXPECT_EQ(commandLine, u"");
    // "N" to quitting and "N" to replaying: the session ends too.
    texts = play("type regarde\nkey return\ntype n\ntype n\n");
    EXPECT_EQ(countOf(texts, Prompt), 1);
    // "N" to quitting and "O" to replaying: the game starts again.
    texts = play("type regarde\nkey return\ntype n\ntype o\nkey escape\n");
    EXPECT_EQ(countOf(texts, Prompt), 2);
    EXPECT_EQ(countOf(texts, "Le hall. <N>"), 2);
}

TEST(EngineSession, AnswersFollowTheAdventuresOwnYesAndNo) {
    startProject("session_own_answers");
    adventure.systemMessages[21] = u"Yes";
    adventure.systemMessages[22] = u"no";
    const auto texts = play("type fin\nkey return\ntype o\ntype N\ntype fin\nkey return\ntype y\n");
    EXPECT_EQ(countOf(texts, "Yes/no"), 2);
    EXPECT_EQ(countOf(texts, Prompt), 2);
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
    EXPECT_EQ(countOf(texts, "NORD"), 2);
    EXPECT_EQ(countOf(texts, "XNORD"), 0);
    EXPECT_EQ(countOf(texts, "La cave. <S>"), 1);
}

// The project's background serves the whole play, the room picture shows in
// the image zone, and pictures do not pile up over a thousand turns.
TEST(EngineSession, TheProjectsPicturesAreShownAndDoNotPileUp) {
    const std::string project = startProject("session_pictures");
    const Colour sand = rgb(230, 200, 120);
    writeSolidPicture(project + "/ecran.jpg", sand, 800, 600);
    writeSolidPicture(project + "/0.jpg", rgb(250, 10, 10));
    writeSolidPicture(project + "/1.jpg", rgb(10, 250, 10));
    play("type nord\nkey return\nkey escape\n");
    EXPECT_EQ(readPixel(backBuffer, 795, 590), sand);
    EXPECT_EQ(readPixel(backBuffer, 450, 20), sand);
    EXPECT_EQ(readPixel(backBuffer, 200, 150), rgb(10, 250, 10));
    EXPECT_FALSE(hasScreenImage);

    addMinorEvent(WordLook, {}, {step(DecritSalleActuelle), step(AfficheInventaire)});
    std::string script;
    for (int turn = 0; turn < 1000; ++turn) {
        static const char* const lines[4] = {"nord", "sud", "regarde", "une ligne assez longue pour remplir"};
        script += std::string("type ") + lines[turn % 4] + "\nkey return\n";
    }
    const int64_t before = liveImageCount();
    play(script + "key escape\n");
    EXPECT_EQ(liveImageCount(), before);

    // Without the file the program's own background is used.
    std::filesystem::remove(project + "/ecran.jpg");
    play("key escape\n");
    EXPECT_NE(readPixel(backBuffer, 795, 590), sand);
}

TEST(EngineSessionDeath, AStartingStateThatCannotBeWrittenOrAClosedWindowEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string project = startProject("session_no_start_file");
    std::filesystem::create_directory(project + "/0.sav");
    EXPECT_FATAL_BOX(runGameSession(), "Impossible de faire la sauvegarde du jeu !");
    std::filesystem::remove(project + "/0.sav");
    EXPECT_EXIT(
        {
            queueScript("type no\nclose\n");
            runGameSession();
        },
        testing::ExitedWithCode(0), "");
}
