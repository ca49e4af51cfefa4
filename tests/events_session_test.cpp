// Whole turns of a test play with events: when the major and minor events run
// within a turn, what they print and where it lands among the session's own
// texts, and the questions their actions ask.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/session.h"
#include "tests/actions_scenario.h"

using namespace scenario;

namespace {

// True when the texts hold `expected` in this order (other texts may lie
// between them: the line editor redraws the typed line at every key).
bool inOrder(const std::vector<std::string>& texts, std::initializer_list<const char*> expected) {
    size_t at = 0;
    for (const char* wanted : expected) {
        while (at < texts.size() && texts[at] != wanted) ++at;
        if (at == texts.size()) return false;
        ++at;
    }
    return true;
}

int countOf(const std::vector<std::string>& texts, const std::string& wanted) {
    int count = 0;
    for (const std::string& t : texts) count += t == wanted ? 1 : 0;
    return count;
}

// Word 14 is "ALLUME", 15 "ETEINS" in the default vocabulary; 11 is the
// built-in quit word "FIN".
constexpr int64_t WordLight = 14;
constexpr int64_t WordDarken = 15;

}  // namespace

TEST(EventsSession, AMajorEventEndingTheGameOnTheFirstTurnReadsNoCommand) {
    startPlay("session_end_first_turn");
    adventure.majorEventCount = 1;
    setMajorEvent(0, {}, {step(FinirLeJeu)});
    queueScript("type x\ntype n\n");  // x is ignored, n leaves
    runGameSession();
    const std::vector<std::string> texts = textsOnly(takeOutput());
    EXPECT_TRUE(inOrder(texts, {"Vous vous trouvez à l'entrée du château.", "A vous :", "Vous avez fait 0 action",
                                "Fin de la partie - Voulez-vous rejouer ?", "O/N"}));
    EXPECT_EQ(countOf(texts, "Je ne comprends pas ces mots."), 0);
    EXPECT_EQ(countOf(texts, "Fin de la partie - Voulez-vous rejouer ?"), 1);
}

TEST(EventsSession, AMinorEventPrintsAfterTheEchoedCommand) {
    startPlay("session_minor");
    adventure.messageTexts[3] = u"La lampe s'allume.";
    adventure.minorEventCount = 2;
    setMinorEvent(0, WordLight, NoWord, NoWord, {step(FlagEgalAZero, 1)}, {step(AfficheMessage, 3), step(MetFlag, 1)});
    // Same words, later index: sees the flag the first one raised.
    setMinorEvent(1, WordLight, NoWord, NoWord, {step(FlagPasEgalAZero, 1)}, {step(AfficheOk)});
    queueScript("type ALLUME\nkey return\ntype ALLUME\nkey return\nkey escape\n");
    runGameSession();
    const std::vector<std::string> texts = textsOnly(takeOutput());
    EXPECT_TRUE(
        inOrder(texts, {"A vous :", "ALLUME", "La lampe s'allume.", "D'accord.", "A vous :", "ALLUME", "D'accord."}));
    EXPECT_EQ(countOf(texts, "La lampe s'allume."), 1);
    // A known word without a built-in meaning says nothing by itself; only
    // the empty line of the Escape pass is not understood.
    EXPECT_EQ(countOf(texts, "Je ne comprends pas ces mots."), 1);
    EXPECT_EQ(countOf(texts, "D'accord."), 2);
}

TEST(EventsSession, TheScoreCountsEveryCommandEntered) {
    startPlay("session_score");
    adventure.minorEventCount = 1;
    setMinorEvent(0, WordDarken, NoWord, NoWord, {}, {step(FinirLeJeu)});
    // Three empty lines, then ETEINS: the fourth command.
    queueScript("key return\nkey return\nkey return\ntype ETEINS\nkey return\ntype N\n");
    runGameSession();
    const std::vector<std::string> texts = textsOnly(takeOutput());
    EXPECT_TRUE(
        inOrder(texts, {"ETEINS", "Vous avez fait 4 actions", "Fin de la partie - Voulez-vous rejouer ?", "O/N"}));
}

TEST(EventsSession, AMoveByAMajorEventIsShownAtTheNextTurnStart) {
    startPlay("session_major_move");
    adventure.majorEventCount = 1;
    setMajorEvent(0, {step(FlagEgalAZero, 1)}, {step(AllerEn, 2), step(MetFlag, 1), step(AfficheMessage, 0)});
    queueScript("key return\nkey escape\n");
    runGameSession();
    const std::vector<std::string> texts = textsOnly(takeOutput());
    EXPECT_TRUE(inOrder(texts, {"Vous vous trouvez à l'entrée du château.", "A vous :", "Message 0.",
                                "Dans la cours du château.", "A vous :"}));
    EXPECT_EQ(countOf(texts, "Message 0."), 1);
}

TEST(EventsSession, TheQuitVerbAsksFirstAndTheMinorEventsStillRun) {
    startPlay("session_quit_verb");
    adventure.minorEventCount = 1;
    setMinorEvent(0, 11, NoWord, NoWord, {}, {step(AfficheMessage, 0)});
    queueScript("type FIN\nkey return\ntype o\n");
    runGameSession();
    const std::vector<std::string> texts = textsOnly(takeOutput());
    EXPECT_TRUE(inOrder(texts, {"FIN", "Voulez-vous vraiment arrêter le jeu ?", "O/N", "Message 0."}));
}

TEST(EventsSession, QuittingFromAMajorEventWaitsForTheAnswerAtOnce) {
    startPlay("session_quit_action");
    adventure.majorEventCount = 1;
    // Asked once: the answer "n" goes on with the game, which Escape leaves.
    setMajorEvent(0, {step(FlagEgalAZero, 2)}, {step(QuitterJeu), step(MetFlag, 2)});
    queueScript("type n\ntype ALLUME\nkey escape\n");
    runGameSession();
    const std::vector<std::string> texts = textsOnly(takeOutput());
    EXPECT_TRUE(inOrder(texts, {"A vous :", "Voulez-vous vraiment arrêter le jeu ?", "O/N", "A vous :", "ALLUME"}));
    EXPECT_EQ(countOf(texts, "Voulez-vous vraiment arrêter le jeu ?"), 1);
    EXPECT_EQ(countOf(texts, "Je ne comprends pas ces mots."), 0);  // the empty command
}

TEST(EventsSession, WaitingForAKeyInsideATurnLetsTheGameGoOn) {
    startPlay("session_wait");
    adventure.majorEventCount = 1;
    setMajorEvent(0, {step(FlagEgalAZero, 1)}, {step(AfficheOk), step(AttendreTouche), step(MetFlag, 1)});
    // The click ends the wait; the letters that follow form the command.
    queueScript("click 100 100\ntype ALLUME\nkey return\nkey escape\n");
    runGameSession();
    const std::vector<std::string> texts = textsOnly(takeOutput());
    EXPECT_TRUE(inOrder(texts, {"A vous :", "D'accord.", "ALLUME", "A vous :"}));
}

TEST(EventsSession, ObjectsMovedByActionsComeBackAfterTheSession) {
    startPlay("session_restore");
    adventure.objectLocations[1] = 0;
    adventure.objectLocations[2] = 3;
    adventure.majorEventCount = 1;
    setMajorEvent(0, {}, {step(PrendsObjet, 1), step(CreeObjetEn, 2, InHand), step(CreeObjet, 4)});
    queueScript("key escape\n");
    runGameSession();
    takeOutput();
    EXPECT_EQ(adventure.objectLocations[1], 0);
    EXPECT_EQ(adventure.objectLocations[2], 3);
    EXPECT_EQ(adventure.objectLocations[4], NotCreated);
}
