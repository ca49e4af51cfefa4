// The inspector of a test play, shown and hidden with F1: what it says after
// turns that set flags, move objects and fire events, and the game's own
// frame, pixel for pixel, once it is hidden.
#include <filesystem>

#include "model/adventure_file.h"
#include "tests/support.h"

namespace {

// The small adventure in "Projets/essai", saved there too. REGARDE sets flag
// 5, gives the key (in the cave) to the player's hand, destroys the rock and
// says so (minor event 0); minor event 1, also REGARDE, and major event 0
// need flag 9 and never fire; major event 1 gives flag 7 the value 3 once
// flag 5 is set.
void startWatchedProject(const std::string& name) {
    startProject(name);
    adventure.messageTexts[1] = u"Vous regardez partout.";
    addMinorEvent(WordLook, NoWord, NoWord, {},
                  {step(MetFlag, 5), step(CreeObjetEn, Key, InHand), step(DetruitObjet, Rock), step(AfficheMessage, 1)});
    addMinorEvent(WordLook, NoWord, NoWord, {step(FlagPasEgalAZero, 9)}, {step(AfficheOk)});
    addMajorEvent({step(FlagPasEgalAZero, 9)}, {step(AfficheOk)});
    addMajorEvent({step(FlagPasEgalAZero, 5)}, {step(DonneAuFlag, 7, 3)});
    EXPECT_TRUE(saveAdventure(u"essai.orv", u"Projets\\essai\\"));
}

// The texts drawn after the mark named `from` (or from the start) up to the
// mark named `to`.
std::vector<std::string> textsBetween(const std::string& output, const std::string& from, const std::string& to) {
    const size_t start = from.empty() ? 0 : output.find("mark " + from + "\n");
    return texts(output.substr(start, output.find("mark " + to + "\n") - start));
}

// Pixels that differ between two pictures of the screen, inside and outside
// the rectangle.
std::pair<int64_t, int64_t> differences(const std::string& a, const std::string& b, const Zone& inside) {
    const ImageHandle first = loadImage(utf8ToText(a));
    const ImageHandle second = loadImage(utf8ToText(b));
    std::pair<int64_t, int64_t> counted = {0, 0};
    for (int64_t y = 0; y < ScreenHeight; ++y) {
        for (int64_t x = 0; x < ScreenWidth; ++x) {
            if (readPixel(first, x, y) == readPixel(second, x, y)) continue;
            const bool in = x >= inside.x && x < inside.x + inside.width && y >= inside.y && y < inside.y + inside.height;
            ++(in ? counted.first : counted.second);
        }
    }
    freeImage(first);
    freeImage(second);
    return counted;
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
    std::string script;
    for (size_t turn = 0; turn < std::size(turns); ++turn) {
        // Shown after each turn, hidden before the next.
        script += (turn > 0 ? "key f1\n" : "") + typed({turns[turn].command}) + "key f1\nmark " +
                  std::to_string(turn) + "\n";
    }
    const std::string output = playSession(script);
    for (size_t turn = 0; turn < std::size(turns); ++turn) {
        const auto drawn = textsBetween(output, turn > 0 ? std::to_string(turn - 1) : "", std::to_string(turn));
        EXPECT_TRUE(inOrder(drawn, turns[turn].shown)) << turns[turn].command;
        for (const std::string& line : turns[turn].notShown) EXPECT_FALSE(inOrder(drawn, {line})) << line;
    }
}

// The panel lies over the picture zone only; hidden again, the frame is the
// game's own, then and after a turn played with the inspector shown.
TEST(Inspector, HiddenAgainTheFrameIsExactlyTheGames) {
    startWatchedProject("inspector_hidden");
    const std::string shots = std::filesystem::current_path().string() + "/";
    playSession(typed({"regarde"}) + "shot " + shots + "game1.png\n" + typed({"nord"}) + "shot " + shots +
                "game2.png\n");
    playSession(typed({"regarde"}) + "key f1\nshot " + shots + "shown.png\nkey f1\nshot " + shots +
                "hidden1.png\nkey f1\n" + typed({"nord"}) + "key f1\nshot " + shots + "hidden2.png\n");
    const auto shown = differences(shots + "game1.png", shots + "shown.png", adventure.imageZone);
    EXPECT_GT(shown.first, 10000);
    EXPECT_EQ(shown.second, 0);
    EXPECT_EQ(readFile(shots + "hidden1.png"), readFile(shots + "game1.png"));
    EXPECT_EQ(readFile(shots + "hidden2.png"), readFile(shots + "game2.png"));
}

// Playing a project without the editor, the inspector is the author's choice.
TEST(Inspector, APlayerSeesItOnlyWhenAskedFor) {
    startWatchedProject("inspector_player");
    const std::string folder = std::filesystem::current_path().parent_path().parent_path().string();
    for (const char* option : {"", " --inspecteur"}) {
        const auto run = runHeadless(folder, typed({"regarde"}) + "key f1\nmark vu\n", std::string("--jouer essai") + option);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(static_cast<bool>(inOrder(textsBetween(run.out, "", "vu"), {"Mineurs : 0"})), *option != 0) << option;
    }
}
