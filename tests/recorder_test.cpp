// Walkthroughs recorded instead of written by hand: "Le château" played while
// recorded, the recording replayed on the same adventure and on a changed
// one, a recording cut short by the window's close, and the recording of
// every test play of a project in its folder.
#include <filesystem>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

std::string folderWithDemo(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    fs::copy(ORVALDE_DEMO, folder + "/Projets/chateau");
    return folder;
}

// What the player reads at the edge of the forest, as recorded.
const std::string ForestChecked =
    "expect À la lisière de la forêt. Des fleurs sauvages bordent le chemin qui remonte, au nord, vers le château. <N>";

// The "expect" lines a script holds.
size_t checks(const std::vector<std::string>& script) {
    return std::count_if(script.begin(), script.end(), [](const std::string& l) { return l.rfind("expect ", 0) == 0; });
}

}  // namespace

TEST(Recorder, APlayRecordedIsAWalkthroughThatHoldsAndNamesTheLineAChangeBreaks) {
    const std::string folder = folderWithDemo("recorder");
    const std::string won = readFile(std::string(ORVALDE_WALKTHROUGHS) + "/victoire.txt");
    const auto recorded = runHeadless(folder, won, "--jouer chateau --enregistrer partie.txt");
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    const auto script = fileLines(folder + "/partie.txt");
    EXPECT_TRUE(inOrder(script, {"key return", "type sud", "key return", ForestChecked, "type prends l'épée", "key return",
                                 "expect L'épée est lourde, mais sa lame est bien aiguisée.", "type o", "key return",
                                 "expect Vous avez joué 16 coups", "expect O/N", "type n"}));
    // Neither the prompt nor the echo of a command is checked.
    EXPECT_FALSE(inOrder(script, {"expect A vous :"}));
    EXPECT_FALSE(inOrder(script, {"expect SUD"}));
    EXPECT_GT(checks(script), 40u);

    const auto replayed = runHeadless(folder, readFile(folder + "/partie.txt"), "--jouer chateau");
    EXPECT_EQ(replayed.status, 0);
    EXPECT_EQ(replayed.err, "");

    const std::string adventureFile = folder + "/Projets/chateau/chateau.orv";
    std::string changed = readFile(adventureFile);
    const std::string message = "Vous croisez le fer avec le garde.";
    changed.replace(changed.find(message), message.size(), "Le garde s'enfuit.");
    writeFile(adventureFile, changed);
    const auto broken = runHeadless(folder, readFile(folder + "/partie.txt"), "--jouer chateau");
    EXPECT_EQ(broken.status, 3);
    const size_t line = std::find_if(script.begin(), script.end(),
                                     [&](const std::string& l) { return l.find(message) != std::string::npos; }) -
                        script.begin();
    EXPECT_EQ(broken.err, "expect failed, line " + std::to_string(line + 1) + ": " + script[line].substr(7) + "\n");
}

// The close ends the program in the middle of a command: the file holds
// every turn before it, whole, and replays.
TEST(Recorder, APlayCutShortByTheWindowsCloseLeavesAWholeScript) {
    const std::string folder = folderWithDemo("recorder_closed");
    const auto run = runHeadless(folder, "key return\ntype sud\nkey return\ntype prends l'ép\nclose\n",
                                 "--jouer chateau --enregistrer coupe.txt");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string bytes = readFile(folder + "/coupe.txt");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    const auto script = fileLines(folder + "/coupe.txt");
    EXPECT_TRUE(inOrder(script, {"key return", "type sud", "key return", ForestChecked}));
    EXPECT_EQ(checks(script), 5u);
    const auto replayed = runHeadless(folder, bytes, "--jouer chateau");
    EXPECT_EQ(replayed.status, 0) << replayed.err;
    // A file that cannot be written is said, and the play is a failure.
    const auto unwritable = runHeadless(folder, "key return\n", "--jouer chateau --enregistrer absent/partie.txt");
    EXPECT_EQ(unwritable.status, 1);
    std::string named = folder + "/absent/partie.txt";
    std::replace(named.begin(), named.end(), '/', '\\');
    EXPECT_EQ(boxes(unwritable.out), std::vector<std::string>{"Erreur | Impossible d'enregistrer la partie dans " + named + " !"});
}

// A test play from the editor is recorded in the project's folder, the last
// play only; a play without a project folder records nothing.
TEST(Recorder, EachTestPlayOfAProjectIsRecordedInItsFolder) {
    const std::string folder = makeWorkFolder("recorder_editor");
    startInProcess(folder);
    writeSmallAdventure();
    fs::create_directories(folder + "/Projets/essai");
    const std::string recording = folder + "/Projets/essai/derniere-partie.txt";
    for (const char* command : {"nord", "inventaire"}) {
        projectName = u"essai";
        projectFolder = u"Projets\\essai\\";
        runEditor(menuEntry(14) + typed({command}) + "key escape\n");
        const auto script = fileLines(recording);
        EXPECT_TRUE(inOrder(script, {std::string("type ") + command, "key return", "key escape"})) << command;
        EXPECT_EQ(static_cast<bool>(inOrder(script, {"type nord", "expect La cave. <S>"})), std::string(command) == "nord")
            << command;
    }
    projectName.clear();
    projectFolder.clear();
    runEditor(menuEntry(14) + typed({"nord"}) + "key escape\n");
    EXPECT_FALSE(fs::exists(folder + "/Projets/Sans Titre/derniere-partie.txt"));
}
