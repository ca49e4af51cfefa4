// Starting the program as a person does, through the headless runner: what a
// missing resource says, the introduction screen, and the runner's reports.
#include <filesystem>

#include "tests/support.h"

namespace fs = std::filesystem;

TEST(StartUp, AMissingResourceEndsTheProgramWithItsOwnMessage) {
    const struct {
        const char* removed;
        const char* message;  // empty: the program starts and ends normally
    } cases[] = {{"", ""},
                 {"Images/deco2.png", "Impossible de charger une des images du logiciel !"},
                 {"Images/supprSel.png", "Impossible de charger une des images du logiciel !"},
                 {"Images/ecran.jpg", "Probleme d'initialisation !"},
                 {"Fonts/DroidSansMono.ttf", "Impossible de charger la police de caracteres !"},
                 {"Projets", "Le repertoire 'Projets' est manquant !"}};
    for (const auto& c : cases) {
        const std::string folder = makeWorkFolder("missing");
        if (*c.removed != '\0') fs::remove_all(folder + "/" + c.removed);
        const auto run = runHeadless(folder, "key return\nkey escape\n");
        const std::vector<std::string> said = boxes(run.out);
        EXPECT_EQ(run.status, *c.message == '\0' ? 0 : 1) << c.removed;
        EXPECT_EQ(said, *c.message == '\0' ? std::vector<std::string>{}
                                           : std::vector<std::string>{std::string("Erreur | ") + c.message})
            << c.removed;
    }
}

// The introduction stays until a click, Escape or Return; then the menu shows
// and a second Escape ends the program. A broken picture file is no picture.
TEST(StartUp, TheIntroductionWaitsForAClickEscapeOrReturn) {
    const std::string folder = makeWorkFolder("introduction");
    writeFile(folder + "/Images/introduction.jpg", "pas une image");
    EXPECT_EQ(runHeadless(folder, "").status, 1);
    fs::copy_file(std::string(ORVALDE_RUN_FOLDER) + "/Images/introduction.jpg", folder + "/Images/introduction.jpg",
                  fs::copy_options::overwrite_existing);
    for (const char* leaves : {"click 5 5", "key escape", "key return"}) {
        const auto run = runHeadless(folder, std::string("wheel 1\nkey up\nkey pagedown\ntype x\nmark intro\n") +
                                                 leaves + "\nmark menu\nkey escape\nmark never\n");
        EXPECT_EQ(run.status, 0);
        // Marks are written when the program next asks for input.
        const std::string intro = run.out.substr(0, run.out.find("mark intro"));
        EXPECT_EQ(intro.find("text "), std::string::npos) << leaves;
        EXPECT_TRUE(inOrder(texts(run.out), {"MENU", "VOCABULAIRE", "QUITTER"})) << leaves;
        EXPECT_EQ(run.out.find("mark never"), std::string::npos);
    }
}

// A used-up script closes the window, which ends the program at once, also
// in the middle of a test play.
TEST(StartUp, TheRunnerWritesScreenshotsAndEndsWhenItsScriptIsUsedUp) {
    const std::string folder = makeWorkFolder("runner");
    const auto run = runHeadless(
        folder, "key return\nshot " + folder + "/menu.png\n" + menuEntry(TestGame) + "type nord\nkey return\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(readFile(folder + "/menu.png").substr(1, 3), "PNG");
    EXPECT_TRUE(inOrder(texts(run.out), {"A vous :", "NORD", "Je ne peux pas aller pas là."}));
    EXPECT_EQ(runHeadless(folder, "").status, 0);
}

// The real program with no screen to show its window on, or with a video
// driver that shows nothing, says so and ends instead of running unseen.
TEST(StartUp, WithoutAVisibleWindowTheProgramSaysSoAndEnds) {
    const std::string folder = makeWorkFolder("no_display");
    // No display is named in the last two cases either, so that no box waits
    // on the screen of whoever runs the tests.
    for (const char* environment :
         {"DISPLAY=:9999 SDL_VIDEODRIVER=", "SDL_VIDEODRIVER=offscreen", "SDL_VIDEODRIVER=dummy"}) {
        const std::string command = "cd " + folder + " && env -u DISPLAY -u WAYLAND_DISPLAY " + environment +
                                    " SDL_AUDIODRIVER=dummy timeout 20 " + ORVALDE_PROGRAM + " >out 2>err";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1) << environment;
        EXPECT_NE(readFile(folder + "/err").find("Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !"),
                  std::string::npos)
            << environment;
    }
}
