// The demonstration "Le château": every medium it names there, played to its
// end, and installed with its launchers (its refusals are played by the
// recorder's scenarios).
#include <sys/wait.h>

#include <filesystem>

#include "model/adventure_file.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

std::string walkthrough(const std::string& name) {
    return readFile(std::string(ORVALDE_WALKTHROUGHS) + "/" + name);
}

int shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(Demo, EveryPictureAndSoundItNamesIsThere) {
    const std::string folder = folderWithDemo("demo_loads");
    startInProcess(folder);
    loadAdventure(u"chateau.orv", u"Projets\\chateau\\");
    setCurrentDirectory(u"Projets\\chateau\\");
    std::vector<std::string> missing;
    auto picture = [&](int64_t n) {
        const ImageHandle image = loadImage(integerToText(n) + u".jpg");
        if (image == 0 || imageWidth(image) != adventure.imageZone.width) missing.push_back(std::to_string(n) + ".jpg");
        freeImage(image);
    };
    int rooms = 0;
    for (int r = 0; r < NotCreated; ++r) {
        if (!adventure.roomTexts[r].empty()) picture(r), ++rooms;
    }
    // Pictures and samples that events switch to or play.
    for (int e = 0; e < adventure.minorEventCount + adventure.majorEventCount; ++e) {
        const EventStep* actions = e < adventure.minorEventCount
                                       ? adventure.minorEvents[e].actions
                                       : adventure.majorEvents[e - adventure.minorEventCount].actions;
        for (int slot = 0; slot < StepsPerList && actions[slot].type != EndOfList; ++slot) {
            if (actions[slot].type == SallePrendImage) picture(actions[slot].arg2);
            const std::u16string sample = integerToText(actions[slot].arg1) + u".ogg";
            if (actions[slot].type == JouerSample && fileSize(sample) <= 0) missing.push_back(textToUtf8(sample));
        }
    }
    for (const char16_t* media : {u"introduction.jpg", u"introduction.ogg", u"ecran.jpg"}) {
        if (fileSize(media) <= 0) missing.push_back(textToUtf8(media));
    }
    setCurrentDirectory(programFolder);
    EXPECT_EQ(rooms, 7);
    EXPECT_EQ(missing, std::vector<std::string>{});
}

// Won by a program made of the player alone, without the editor's pictures.
TEST(Demo, TheVictoryWalkthroughWinsWithThePlayerAlone) {
    const std::string won = folderWithDemo("demo_victory");
    for (const char* picture : {"introduction.jpg", "deco1.png", "deco2.png", "deco3.png", "nseo.png", "suppr.png"}) {
        fs::remove(won + "/Images/" + picture);
    }
    const auto run = runHeadless(won, walkthrough("victoire.txt"), "chateau", "", ORVALDE_PLAYER_ONLY);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Fin de la partie. Voulez-vous rejouer"), std::string::npos);
}

TEST(Install, TheLaunchersPrepareTheUserFolderAndALaterInstallKeepsItsProjects) {
    const std::string root = makeWorkFolder("install"), prefix = root + "/prefix", home = root + "/home";
    const std::string install =
        "'" ORVALDE_CMAKE "' --install '" ORVALDE_BUILD_FOLDER "' --prefix '" + prefix + "' >" + root + "/install.log";
    ASSERT_EQ(shell(install), 0) << readFile(root + "/install.log");
    EXPECT_EQ(readFile(prefix + "/bin/orvalde"), readFile(prefix + "/bin/orvalde-headless"));
    for (const char* file : {"/share/applications/orvalde.desktop", "/share/icons/hicolor/256x256/apps/orvalde.png",
                             "/share/orvalde/Projets/chateau/chateau.orv", "/libexec/orvalde/orvalde"})
        EXPECT_TRUE(fs::exists(prefix + file)) << file;

    // Played from another folder, the script named relatively to it.
    fs::create_directories(root + "/ailleurs");
    writeFile(root + "/ailleurs/partie.txt", walkthrough("victoire.txt"));
    auto play = [&](const std::string& environment, const std::string& installed = "") {
        return shell("cd " + root + "/ailleurs && env -u XDG_DATA_HOME " + environment + " " +
                     (installed.empty() ? prefix : installed) +
                     "/bin/orvalde-headless --jouer chateau partie.txt >out 2>err");
    };
    EXPECT_EQ(play("HOME=" + home), 0) << readFile(root + "/ailleurs/err");
    const std::string user = home + "/.local/share/orvalde";
    EXPECT_TRUE(fs::exists(user + "/Projets/chateau/0.sav"));
    EXPECT_FALSE(fs::exists(prefix + "/share/orvalde/Projets/chateau/0.sav"));
    EXPECT_TRUE(fs::exists(user + "/Images/ecran.jpg") && fs::exists(user + "/Fonts/DroidSansMono.ttf"));
    // The map of the demonstration, written where the launcher was started.
    EXPECT_EQ(shell("cd " + root + "/ailleurs && HOME=" + home + " " + prefix + "/bin/orvalde --carte chateau c.svg"), 0);
    EXPECT_NE(readFile(root + "/ailleurs/c.svg").find("<title>Salle 6</title>"), std::string::npos);
    // Published from there, into a folder named relatively to it.
    const int published = shell("cd " + root + "/ailleurs && env -u XDG_DATA_HOME HOME=" + home + " " + prefix +
                                "/bin/orvalde --publier chateau site >out 2>err");
    EXPECT_EQ(published, ORVALDE_WEB_PLAYER_BUILT ? 0 : 1) << readFile(root + "/ailleurs/out");
    EXPECT_EQ(fs::exists(root + "/ailleurs/site/orvalde-web.wasm"), ORVALDE_WEB_PLAYER_BUILT);

    // The user's own project and changes to the copy of the demonstration
    // survive a second installation and the next start.
    fs::create_directories(user + "/Projets/mien");
    writeFile(user + "/Projets/mien/mien.orv", "à moi");
    const std::string changed = readFile(user + "/Projets/chateau/chateau.orv") + "Note de l'auteur\r\n";
    writeFile(user + "/Projets/chateau/chateau.orv", changed);
    ASSERT_EQ(shell(install), 0);
    EXPECT_EQ(play("HOME=" + home), 0) << readFile(root + "/ailleurs/err");
    EXPECT_EQ(readFile(user + "/Projets/mien/mien.orv"), "à moi");
    EXPECT_EQ(readFile(user + "/Projets/chateau/chateau.orv"), changed);

    // XDG_DATA_HOME chooses the folder; a file where a folder is expected is
    // left alone and the program does not start.
    EXPECT_EQ(play("HOME=/nonexistent XDG_DATA_HOME=" + root + "/donnees"), 0);
    EXPECT_TRUE(fs::exists(root + "/donnees/orvalde/Projets/chateau/chateau.orv"));
    fs::create_directories(root + "/autre/orvalde");
    writeFile(root + "/autre/orvalde/Images", "pas un dossier");
    EXPECT_EQ(play("XDG_DATA_HOME=" + root + "/autre"), 1);
    EXPECT_EQ(readFile(root + "/autre/orvalde/Images"), "pas un dossier");

    // A second installation takes over the links into the first; a link of
    // the user's own stays as it is.
    const std::string second = root + "/second";
    ASSERT_EQ(shell("'" ORVALDE_CMAKE "' --install '" ORVALDE_BUILD_FOLDER "' --prefix '" + second + "' >/dev/null"),
              0);
    fs::create_directories(root + "/mes-polices");
    fs::copy_file(prefix + "/share/orvalde/Fonts/DroidSansMono.ttf", root + "/mes-polices/DroidSansMono.ttf");
    fs::remove(user + "/Fonts");
    fs::create_directory_symlink(root + "/mes-polices", user + "/Fonts");
    EXPECT_EQ(play("HOME=" + home, second), 0) << readFile(root + "/ailleurs/err");
    EXPECT_EQ(fs::read_symlink(user + "/Images"), second + "/share/orvalde/Images");
    EXPECT_EQ(fs::read_symlink(user + "/Fonts"), root + "/mes-polices");

    // Another start puts its links in place between this start's look and
    // its own links (an "ln" that does so first stands in for it): the start
    // goes on, and nothing is made inside the installation.
    fs::create_directories(root + "/autre-depart");
    writeFile(root + "/autre-depart/ln", "#!/bin/sh\nfor r in Images Fonts; do [ -e \"$ICI/$r\" ] || /bin/ln -s \"" +
                                             prefix + "/share/orvalde/$r\" \"$ICI/$r\"; done\nexec /bin/ln \"$@\"\n");
    fs::permissions(root + "/autre-depart/ln", fs::perms::owner_all);
    const std::string raced = root + "/course";
    EXPECT_EQ(play("ICI=" + raced + "/orvalde PATH=" + root + "/autre-depart:$PATH XDG_DATA_HOME=" + raced), 0)
        << readFile(root + "/ailleurs/err");
    for (const std::string& installed : {prefix, second}) {
        for (const auto& entry : fs::recursive_directory_iterator(installed + "/share/orvalde"))
            EXPECT_FALSE(entry.is_symlink()) << entry.path();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(raced + "/orvalde"), {}), 3);
}
