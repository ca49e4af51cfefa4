// Walkthroughs recorded instead of written by hand: "Le château" played while
// recorded, the recording replayed on the same adventure and on a changed
// one, a recording cut short by the window's close, and the recording of
// every test play of a project in its folder.
#include <filesystem>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

const std::string ForestChecked =
    "expect À la lisière de la forêt. Des fleurs sauvages bordent le chemin qui remonte, au nord, vers le château. <N>";

}  // namespace

TEST(Recorder, APlayRecordedIsAWalkthroughThatHoldsAndNamesTheLineAChangeBreaks) {
    const std::string folder = folderWithDemo("recorder");
    // Both walkthroughs: refusals, saved games, a game lost and played again; the game won.
    for (const std::string walkthrough : {"refus.txt", "victoire.txt"}) {
        const std::string played = readFile(std::string(ORVALDE_WALKTHROUGHS) + "/" + walkthrough);
        ASSERT_EQ(runHeadless(folder, played, "--jouer chateau --enregistrer partie.txt").status, 0) << walkthrough;
        const auto replayed = runHeadless(folder, readFile(folder + "/partie.txt"), "--jouer chateau");
        EXPECT_EQ(replayed.status, 0) << walkthrough;
        EXPECT_EQ(replayed.err, "") << walkthrough;
    }
    // The refusals saved the game in slot 1 only.
    EXPECT_TRUE(fs::exists(folder + "/Projets/chateau/1.sav") && !fs::exists(folder + "/Projets/chateau/2.sav"));
    const auto script = fileLines(folder + "/partie.txt");
    ASSERT_TRUE(inOrder(script, {"key return", "type sud", "key return", ForestChecked, "type cueille des fleurs",
                                 "key return", "expect Vous cueillez un joli bouquet de fleurs des champs.",
                                 "type o", "key return", "expect Vous avez joué 16 coups", "expect O/N", "type n"}));

    const std::string adventureFile = folder + "/Projets/chateau/chateau.orv";
    std::string changed = readFile(adventureFile);
    const std::string message = "Vous croisez le fer avec le garde.";
    changed.replace(changed.find(message), message.size(), "Le garde s'enfuit.");
    writeFile(adventureFile, changed);
    const auto broken = runHeadless(folder, readFile(folder + "/partie.txt"), "--jouer chateau");
    EXPECT_EQ(broken.status, 3);
    const auto line = std::find_if(script.begin(), script.end(), [&](auto& l) { return l.find(message) != std::string::npos; });
    EXPECT_EQ(broken.err, "expect failed, line " + std::to_string(line - script.begin() + 1) + ": " +
                              line->substr(7) + "\n");
}

// The close ends the program in the middle of a command: the file holds
// every turn before it, whole, and replays. F1 does nothing for a player
// without --inspecteur, and is not recorded.
TEST(Recorder, APlayCutShortByTheWindowsCloseLeavesAWholeScript) {
    const std::string folder = folderWithDemo("recorder_closed");
    const auto run = runHeadless(folder, "key return\ntype sud\nkey return\nkey f1\ntype prends l'ép\nclose\n",
                                 "--jouer chateau --enregistrer coupe.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(inOrder(texts(run.out), {"Mots : 1"}));
    const std::string bytes = readFile(folder + "/coupe.txt");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    const auto script = fileLines(folder + "/coupe.txt");
    EXPECT_EQ(script.back(), "expect Vous voyez\u00A0: Une épée");
    EXPECT_TRUE(inOrder(script, {"key return", "type sud", "key return", ForestChecked}));
    EXPECT_EQ(runHeadless(folder, bytes, "--jouer chateau").status, 0);
    // A file that cannot be written is told, and the play is a failure.
    const auto unwritable =
        runHeadless(folder, "key return\nkey f1\n", "--jouer chateau --inspecteur --enregistrer absent/partie.txt");
    EXPECT_EQ(unwritable.status, 1);
    std::string named = folder + "/absent/partie.txt";
    std::replace(named.begin(), named.end(), '/', '\\');
    EXPECT_EQ(boxes(unwritable.out), std::vector<std::string>{"Erreur | Impossible d'enregistrer la partie dans " +
                                                              named + " !"});
    EXPECT_TRUE(inOrder(texts(unwritable.out), {"Mots : aucun"}));
}

// A test play from the editor is recorded in the project's folder, the last
// play only, with the answer to a question, without the prompt or the echo
// of a command; it keeps its saved games there. A play without a project
// folder records nothing and keeps nothing. What was printed and then cleared, blanked
// or covered by the hall's picture, which lies over the text zone, is not
// checked: played again, the recording meets every check.
TEST(Recorder, EachTestPlayOfAProjectIsRecordedInItsFolder) {
    const std::string folder = makeWorkFolder("recorder_editor");
    startInProcess(folder);
    writeSmallAdventure();
    adventure.messageTexts[1] = u"Rien de neuf.";
    adventure.messageTexts[2] = u"Une clef apparaît.";
    addMinorEvent(WordRock, NoWord, NoWord, {}, {step(AfficheMessage, 1), step(EffaceEcran)});
    // The objects seen take two lines, then what is carried one.
    addMinorEvent(WordLook, NoWord, NoWord, {}, {step(CreeObjet, Key), step(AfficheInventaire), step(AfficheMessage, 2)});
    adventure.imageZone = {0, 424, 800, 60};
    fs::create_directories(folder + "/Projets/essai");
    writePicture(folder + "/Projets/essai/0.jpg", rgb(0, 0, 255));
    for (const std::string command : {"nord", "regarde", ""}) {
        projectName = command.empty() ? u"" : u"essai";
        projectFolder = command.empty() ? u"" : u"Projets\\essai\\";
        runEditor(menuEntry(14) + typed({command.c_str(), "rocher", "sauve"}) + "type 1\nkey escape\n");
        EXPECT_EQ(fs::current_path(), fs::path(folder));
        const std::string recording = readFile(folder + "/Projets/essai/derniere-partie.txt");
        const auto script = fileLines(folder + "/Projets/essai/derniere-partie.txt");
        const bool played = inOrder(script, {"type " + command, "type rocher", "type sauve", "key return", "type 1"});
        EXPECT_EQ(played, !command.empty());
        EXPECT_EQ(bool(inOrder(script, {"type nord", "expect La cave. <S>"})), command == "nord") << command;
        // The play without a project leaves the project's recording as it was.
        EXPECT_EQ(bool(inOrder(script, {"expect Vous avez: Rien du tout"})), command != "nord") << command;
        EXPECT_FALSE(inOrder(script, {"expect A vous :"}) || inOrder(script, {"expect NORD"}));
        takeUnmetExpectations();
        fs::current_path(folder + "/Projets/essai");
        playSession(recording);
        fs::current_path(folder);
        EXPECT_EQ(takeUnmetExpectations(), std::vector<std::string>{}) << command;
    }
    EXPECT_TRUE(fs::exists(folder + "/Projets/essai/0.sav") && fs::exists(folder + "/Projets/essai/1.sav"));
    EXPECT_TRUE(fs::is_empty(folder + "/Projets/Sans Titre"));
}
