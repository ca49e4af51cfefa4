// Start-up of the whole program through the headless runner: the introduction,
// the end by Escape or a close request, and every fatal message of start-up.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "app/platform.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

int countOf(const std::string& text, const std::string& piece) {
    int count = 0;
    for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
    return count;
}

// Text of the output before the first line starting with `mark NAME`.
std::string before(const std::string& output, const std::string& markName) {
    const size_t at = output.find("mark " + markName + "\n");
    return at == std::string::npos ? output : output.substr(0, at);
}

std::string between(const std::string& output, const std::string& first, const std::string& second) {
    const size_t start = output.find("mark " + first + "\n");
    const size_t end = output.find("mark " + second + "\n");
    if (start == std::string::npos || end == std::string::npos || end < start) return "";
    return output.substr(start, end - start);
}

}  // namespace

TEST(StartUp, ReturnLeavesTheIntroductionAndEscapeOnTheMenuQuits) {
    const std::string folder = makeWorkFolder("start-return");
    const HeadlessRun run = runHeadless(folder, "mark intro\nkey return\nmark menu\nkey escape\nmark never\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("box "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("mark menu"), std::string::npos);
    // Escape on the menu ends the program at once: later lines are never read.
    EXPECT_EQ(run.output.find("mark never"), std::string::npos);
}

TEST(StartUp, OnlyAClickEscapeOrReturnLeavesTheIntroduction) {
    const std::string folder = makeWorkFolder("start-keys");
    // The wheel, other keys and typed characters keep the introduction on.
    const HeadlessRun run = runHeadless(folder,
                                        "wheel 1\nwheel -3 ctrl\nkey up\nkey pagedown\nkey backspace\ntype x\n"
                                        "mark still\nclick 400 300\nmark left\nkey escape\n");
    EXPECT_EQ(run.status, 0);
    // The introduction draws no text; the menu page does.
    EXPECT_EQ(before(run.output, "still").find("text "), std::string::npos) << run.output;
    EXPECT_NE(between(run.output, "still", "left").find("text "), std::string::npos) << run.output;
}

TEST(StartUp, EscapeLeavesTheIntroductionThenASecondEscapeQuits) {
    const std::string folder = makeWorkFolder("start-escape");
    const HeadlessRun run = runHeadless(folder, "key escape\nmark menu\nkey escape\nmark never\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.output.find("mark menu"), std::string::npos);
    EXPECT_EQ(run.output.find("mark never"), std::string::npos);
}

TEST(StartUp, ACloseRequestEndsTheProgramAtOnceWithStatusZero) {
    const std::string folder = makeWorkFolder("start-close");
    HeadlessRun run = runHeadless(folder, "close\nmark never\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output.find("mark never"), std::string::npos);
    // A script that runs out is followed by a close request.
    run = runHeadless(folder, "key return\n");
    EXPECT_EQ(run.status, 0);
}

TEST(StartUp, AMissingFontIsFatal) {
    const std::string folder = makeWorkFolder("start-font");
    fs::remove(folder + "/Fonts/DroidSansMono.ttf");
    const HeadlessRun run = runHeadless(folder, "key return\nkey escape\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "box Erreur | Impossible de charger la police de caracteres !\n");
}

TEST(StartUp, AMissingScreenBackgroundIsFatal) {
    const std::string folder = makeWorkFolder("start-ecran");
    fs::remove(folder + "/Images/ecran.jpg");
    const HeadlessRun run = runHeadless(folder, "key return\nkey escape\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "box Erreur | Probleme d'initialisation !\n");
}

TEST(StartUp, AnyMissingInterfacePictureGivesOneMessageAfterTryingAll) {
    const char* pictures[] = {"introduction.jpg", "deco1.png", "deco2.png",   "deco3.png",
                              "nseo.png",         "suppr.png", "supprSel.png"};
    for (const char* picture : pictures) {
        const std::string folder = makeWorkFolder(std::string("start-missing-") + picture);
        fs::remove(folder + "/Images/" + picture);
        const HeadlessRun run = runHeadless(folder, "key return\nkey escape\n");
        EXPECT_EQ(run.status, 1) << picture;
        EXPECT_EQ(run.output, "box Erreur | Impossible de charger une des images du logiciel !\n") << picture;
    }
    // Two missing pictures still give the message once.
    const std::string folder = makeWorkFolder("start-missing-two");
    fs::remove(folder + "/Images/deco1.png");
    fs::remove(folder + "/Images/supprSel.png");
    const HeadlessRun run = runHeadless(folder, "key return\n");
    EXPECT_EQ(countOf(run.output, "box "), 1);
}

TEST(StartUp, APictureThatIsNotAPictureIsFatalLikeAMissingOne) {
    const std::string folder = makeWorkFolder("start-broken-picture");
    writeFileBytes(folder + "/Images/nseo.png", "not a picture");
    const HeadlessRun run = runHeadless(folder, "key return\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "box Erreur | Impossible de charger une des images du logiciel !\n");
}

TEST(StartUp, AMissingProjectsFolderIsFatalAfterTheIntroduction) {
    const std::string folder = makeWorkFolder("start-projets");
    fs::remove_all(folder + "/Projets");
    const HeadlessRun run = runHeadless(folder, "mark intro\nkey return\nkey escape\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "mark intro\nbox Erreur | Le repertoire 'Projets' est manquant !\n");
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
    useHeadlessMode();
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
