// Start-up of the whole program through the headless runner: the introduction,
// the end by Escape or a close request, and every fatal message of start-up.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

int countOf(const std::string& text, const std::string& piece) {
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

}  // namespace

// Return or Escape leaves the introduction; Escape on the menu ends the
// program at once (later lines are never read); a close request ends it at
// once, and so does a script that runs out. The wheel, other keys and typed
// characters keep the introduction on: it draws no text, the menu page does.
TEST(StartUp, OnlyAClickEscapeOrReturnLeavesTheIntroductionAndEscapeOrCloseQuits) {
    const std::string folder = makeWorkFolder("start-keys");
    const struct {
        const char* script;
        const char* reached;
    } cases[] = {{"mark intro\nkey return\nmark menu\nkey escape\nmark never\n", "mark menu\n"},
                 {"key escape\nmark menu\nkey escape\nmark never\n", "mark menu\n"},
                 {"close\nmark never\n", ""},
                 {"key return\n", ""},
                 {"wheel 1\nwheel -3 ctrl\nkey up\nkey pagedown\nkey backspace\ntype x\nmark still\nclick 400 300\n"
                  "mark left\nkey escape\nmark never\n",
                  "mark left\n"}};
    for (const auto& c : cases) {
        const HeadlessRun run = runHeadless(folder, c.script);
        EXPECT_EQ(run.status, 0) << c.script;
        EXPECT_EQ(run.output.find("box "), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(c.reached), std::string::npos) << c.script;
        EXPECT_EQ(run.output.find("mark never"), std::string::npos) << c.script;
        const size_t still = run.output.find("mark still\n");
        if (still != std::string::npos) {
            EXPECT_EQ(run.output.substr(0, still).find("text "), std::string::npos) << run.output;
            EXPECT_NE(run.output.substr(still).find("text "), std::string::npos) << run.output;
        }
    }
}

// Each missing or broken file of the working folder gives its message in the
// box "Erreur" and status 1; any missing interface picture gives one message
// after trying all; "Projets" is looked for after the introduction.
TEST(StartUp, EveryMissingOrBrokenFileIsFatalWithItsMessage) {
    const std::string pictures = "Impossible de charger une des images du logiciel !";
    const struct {
        std::vector<const char*> removed;
        const char* message;
        const char* before;
    } cases[] = {
        {{"Fonts/DroidSansMono.ttf"}, "Impossible de charger la police de caracteres !", ""},
        {{"Images/ecran.jpg"}, "Probleme d'initialisation !", ""},
        {{"Images/introduction.jpg"}, pictures.c_str(), ""},
        {{"Images/deco1.png"}, pictures.c_str(), ""},
        {{"Images/deco2.png"}, pictures.c_str(), ""},
        {{"Images/deco3.png"}, pictures.c_str(), ""},
        {{"Images/nseo.png"}, pictures.c_str(), ""},
        {{"Images/suppr.png"}, pictures.c_str(), ""},
        {{"Images/supprSel.png"}, pictures.c_str(), ""},
        {{"Images/deco1.png", "Images/supprSel.png"}, pictures.c_str(), ""},
        {{"Projets"}, "Le repertoire 'Projets' est manquant !", "mark intro\n"},
    };
    int n = 0;
    for (const auto& c : cases) {
        const std::string folder = makeWorkFolder("start-missing-" + std::to_string(n++));
        for (const char* file : c.removed) fs::remove_all(folder + "/" + file);
        const HeadlessRun run = runHeadless(folder, "mark intro\nkey return\nkey escape\n");
        EXPECT_EQ(run.status, 1) << c.removed[0];
        EXPECT_EQ(run.output, std::string(c.before) + "box Erreur | " + c.message + "\n") << c.removed[0];
    }
    const std::string folder = makeWorkFolder("start-broken-picture");
    writeFileBytes(folder + "/Images/nseo.png", "not a picture");
    const HeadlessRun run = runHeadless(folder, "key return\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "box Erreur | " + pictures + "\n");
}
TEST(StartUp, WithoutSoundTheBoxIsShownOnceAndTheEditorOpens) {
    const std::string folder = makeWorkFolder("start-sound");
    const HeadlessRun run =
        runHeadless(folder, "key return\nmark menu\nkey escape\n", "SDL_AUDIODRIVER=no-such-driver");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(countOf(run.output, "box Erreur | Impossible d'initialiser la bibliothèque son !\n"), 1);
    EXPECT_EQ(run.output.find("box Erreur | Impossible d'initialiser"), 0u);
    EXPECT_NE(run.output.find("mark menu"), std::string::npos);
}

TEST(StartUp, WithoutADisplayTheGraphicsMessageEndsTheRealProgram) {
    const std::string folder = makeWorkFolder("start-no-display");
    const std::string command = "cd '" + folder + "' && env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 " +
                                "SDL_AUDIODRIVER=dummy '" + ORVALDE_PROGRAM + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[1024];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int status = pclose(pipe);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    // With no display the box cannot open either; the message goes to the error stream.
    EXPECT_NE(output.find("Erreur: Impossible d'utiliser le mode graphique 800x600 pixels en 32 bits !"),
              std::string::npos)
        << output;
}

TEST(StartUp, TheIntroductionPictureIsWhatTheWindowShowsFirst) {
    const std::string folder = makeWorkFolder("start-shot");
    const std::string shot = folder + "/intro.png";
    // The shot is taken at the first wait for input: the picture is already shown.
    const HeadlessRun run = runHeadless(folder, "shot " + shot + "\nkey return\nkey escape\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_TRUE(pathExists(shot));
    // The frame shown is the introduction picture, pixel for pixel.

    ASSERT_TRUE(platformInit());
    const ImageHandle frame = loadImage(utf8ToText(shot));
    const ImageHandle picture = loadImage(utf8ToText(folder + "/Images/introduction.jpg"));
    ASSERT_NE(frame, 0);
    ASSERT_NE(picture, 0);
    EXPECT_EQ(imageWidth(frame), 800);
    EXPECT_EQ(imageHeight(frame), 600);
    for (int y = 5; y < 600; y += 97) {
        for (int x = 3; x < 800; x += 131) EXPECT_EQ(readPixel(frame, x, y), readPixel(picture, x, y)) << x << "," << y;
    }
    freeImage(frame);
    freeImage(picture);
}
