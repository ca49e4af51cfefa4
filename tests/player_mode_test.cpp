// Playing a project without the editor, and walkthroughs checked with
// "expect" lines, through the real programs.
#include <filesystem>

#include "model/adventure_file.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// A working folder with the default adventure saved as the project "defaut".
std::string folderWithDefaultProject(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    fs::create_directories(folder + "/Projets/defaut");
    EXPECT_TRUE(saveAdventure(u"defaut.orv", u"Projets\\defaut\\"));
    return folder;
}

std::string walkthrough() {
    return readFile(std::string(ORVALDE_TEST_DATA) + "/walkthrough-default.txt");
}

}  // namespace

// Played to its end without the editor; then a check that does not hold is named.
TEST(PlayerMode, TheDefaultAdventureIsPlayedWithoutTheEditorAndAWalkthroughNotMetSaysWhere) {
    const std::string folder = folderWithDefaultProject("player");
    auto run = runHeadless(folder, walkthrough(), "--jouer defaut");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(fs::exists(folder + "/Projets/defaut/1.sav"));
    EXPECT_TRUE(run.out.find("VOCABULAIRE") == std::string::npos && run.out.find("MENU") == std::string::npos);

    std::string script = walkthrough();
    script.replace(script.find("expect Je ne peux pas aller"), 6, "expect Vous êtes au paradis. #");
    run = runHeadless(folder, script + "expect La fin.\n", "--jouer defaut");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err,
              "expect failed, line 7: Vous êtes au paradis. # Je ne peux pas aller pas là.\n"
              "expect failed, line 27: La fin.\n");
}

TEST(PlayerMode, AProjectThatCannotBePlayedSaysWhy) {
    const std::string folder = folderWithDefaultProject("not_playable");
    fs::create_directories(folder + "/Projets/casse");
    writeFile(folder + "/Projets/casse/casse.orv", "N\r\nNORD\r\n");
    fs::create_directories(folder + "/Projets/bloque/0.sav");
    fs::copy_file(folder + "/Projets/defaut/defaut.orv", folder + "/Projets/bloque/bloque.orv");
    // A name with a "/" would find this file, outside any project folder of its own.
    fs::create_directories(folder + "/Projets/a/b/a");
    fs::copy_file(folder + "/Projets/defaut/defaut.orv", folder + "/Projets/a/b/a/b.orv");
    // The scratch folder of test plays is no project either.
    fs::create_directories(folder + "/Projets/Sans Titre");
    fs::copy_file(folder + "/Projets/defaut/defaut.orv", folder + "/Projets/Sans Titre/Sans Titre.orv");
    const struct {
        const char* arguments;
        int status;
        const char* box;
    } cases[] = {{"--jouer absent", 1, "Erreur | Fichier 'Projets\\absent\\absent.orv' introuvable !"},
                 {"--jouer casse", 1, "Erreur | Fichier corrompu !"},
                 {"--jouer bloque", 1, "Erreur | Impossible de faire la sauvegarde du jeu !"},
                 {"--jouer ..", 1, "Erreur | Fichier 'Projets\\..\\...orv' introuvable !"},
                 {"--jouer 'Sans Titre'", 1, "Erreur | Fichier 'Projets\\Sans Titre\\Sans Titre.orv' introuvable !"},
                 {"--jouer a/b", 1, "Erreur | Fichier 'Projets\\a/b\\a/b.orv' introuvable !"}};
    for (const auto& c : cases) {
        const auto run = runHeadless(folder, "", c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments;
        EXPECT_EQ(boxes(run.out), std::vector<std::string>{c.box}) << c.arguments;
    }
}

TEST(PlayerMode, TheCommandLineIsCheckedBeforeAnythingStarts) {
    const std::string folder = makeWorkFolder("command_line");
    const std::string program = ORVALDE_PROGRAM;
    const struct {
        std::string command;
        int status;
        bool usageOnStandardOutput;
    } cases[] = {{program + " --help", 0, true},           {program + " --aide", 2, false},
                 {program + " --jouer", 2, false},         {program + " --jouer a b", 2, false},
                 {program + " fichier", 2, false},         {std::string(ORVALDE_HEADLESS) + " --help", 0, true},
                 {std::string(ORVALDE_HEADLESS), 2, false},  {program + " --verifier", 2, false},
                 {std::string(ORVALDE_HEADLESS) + " --verifier a script", 2, false},
                 // A recording belongs to a play, needs its file, and never replaces the runner's script.
                 {program + " --enregistrer f", 2, false}, {program + " --jouer a --enregistrer", 2, false},
                 {std::string(ORVALDE_HEADLESS) + " --jouer a --enregistrer s s", 2, false},
                 {program + " --carte a", 2, false}, {std::string(ORVALDE_HEADLESS) + " --carte a b c", 2, false},
                 {program + " --publier chateau", 2, false}, {program + " --publier chateau site en_trop", 2, false}};
    for (const auto& c : cases) {
        const int status = std::system(("cd " + folder + " && " + c.command + " >out 2>err").c_str());
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.command;
        const std::string usage = readFile(folder + (c.usageOnStandardOutput ? "/out" : "/err"));
        EXPECT_NE(usage.find("orvalde --jouer NOM"), std::string::npos) << c.command;
    }
    // A script line of no known form: nothing runs.
    const auto run = runHeadless(folder, "key return\n# note\n\nclick 1\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "unknown script line 4\n");
    EXPECT_EQ(run.out, "");
}
