// The inspector of a test play, shown and hidden with F1: what it says after
// turns that set flags, move objects and fire events, and the game's own
// frame, pixel for pixel, once it is hidden.
#include <filesystem>

#include "tests/support.h"

namespace {

// The small adventure. REGARDE sets flag 5, gives the key (in the cave) to
// the player's hand, destroys the rock and says so (minor event 0); minor
// event 1, also REGARDE, and major event 0 need flag 9 and never fire; major
// event 1 gives flag 7 the value 3 once flag 5 is set.
void startWatchedProject(const std::string& name) {
    startProject(name);
    adventure.messageTexts[1] = u"Vous regardez partout.";
    addMinorEvent(WordLook, NoWord, NoWord, {},
                  {step(MetFlag, 5), step(CreeObjetEn, Key, InHand), step(DetruitObjet, Rock), step(AfficheMessage, 1)});
    addMinorEvent(WordLook, NoWord, NoWord, {step(FlagPasEgalAZero, 9)}, {step(AfficheOk)});
    addMajorEvent({step(FlagPasEgalAZero, 9)}, {step(AfficheOk)});
    addMajorEvent({step(FlagPasEgalAZero, 5)}, {step(DonneAuFlag, 7, 3)});
}

}  // namespace

TEST(Inspector, ShowsTheTurnTheRoomTheWordsTheEventsTheFlagsAndTheObjectsThatMatter) {
    startWatchedProject("inspector");
    const struct {
        const char* command;
        std::vector<std::string> shown, notShown;
    } turns[] = {
        {"regarde",
         {"Tour 1", "Salle 0 : Le hall.", "Mots : 30", "Mineurs : 0", "Majeurs : 1", "Flag 5 = 255, Flag 7 = 3",
          "Objet 0 : salle 0 (Une lampe)", "Objet 1 : main (La clef)", "Objet 2 : non créé (Un rocher)"},
         {}},
        {"prends lampe",
         {"Tour 2", "Mots : 6, 20", "Mineurs : aucun", "Majeurs : 1", "Objet 0 : inventaire (Une lampe)",
          "Objet 1 : main (La clef)"},
         {"Objet 2 : non créé (Un rocher)"}},
        {"nord", {"Tour 3", "Salle 1 : La cave.", "Mots : 0", "Objet 0 : inventaire (Une lampe)"}, {}},
    };
    // Shown after each turn, up to a mark, and hidden before the next.
    std::string script;
    for (size_t turn = 0; turn < std::size(turns); ++turn)
        script += (turn > 0 ? "key f1\n" : "") + typed({turns[turn].command}) + "key f1\nmark " + turns[turn].command + "\n";
    const std::string output = playSession(script);
    size_t from = 0;
    for (const auto& turn : turns) {
        const size_t to = output.find(std::string("mark ") + turn.command);
        const auto drawn = texts(output.substr(from, to - from));
        from = to;
        EXPECT_TRUE(inOrder(drawn, turn.shown)) << turn.command;
        for (const std::string& line : turn.notShown) EXPECT_FALSE(inOrder(drawn, {line})) << line;
    }
}

// Hidden again, the frame is the game's own, then and after a turn played
// with the inspector shown.
TEST(Inspector, HiddenAgainTheFrameIsExactlyTheGames) {
    startWatchedProject("inspector_hidden");
    const std::string shot = "shot " + std::filesystem::current_path().string() + "/";
    playSession(typed({"regarde"}) + shot + "game1.png\n" + typed({"nord"}) + shot + "game2.png\n");
    playSession(typed({"regarde"}) + "key f1\n" + shot + "shown.png\nkey f1\n" + shot + "hidden1.png\nkey f1\n" +
                typed({"nord"}) + "key f1\n" + shot + "hidden2.png\n");
    EXPECT_NE(readFile("shown.png"), readFile("game1.png"));
    EXPECT_EQ(readFile("hidden1.png"), readFile("game1.png"));
    EXPECT_EQ(readFile("hidden2.png"), readFile("game2.png"));
}
