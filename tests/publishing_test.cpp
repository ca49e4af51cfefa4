// An author publishes a project for the web with "--publier NOM DOSSIER":
// the site the real programs write, and what they refuse to publish. (The
// site played in a browser: tests/web_in_browser.py.)
#include <filesystem>
#include <set>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

Run publish(const std::string& program, const std::string& folder, const std::string& arguments) {
    const std::string base = folder + "/.publish";
    const int status = std::system(("cd '" + folder + "' && '" + program + "' --publier " + arguments + " >'" + base +
                                    ".out' 2>'" + base + ".err'")
                                       .c_str());
    Run run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(base + ".out"), readFile(base + ".err")};
    fs::remove(base + ".out");
    fs::remove(base + ".err");
    return run;
}

// Every file under the folder, by its path relative to it.
std::set<std::string> filesUnder(const std::string& folder) {
    std::set<std::string> files;
    if (!fs::exists(folder)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_directory()) files.insert(fs::relative(entry.path(), folder).string());
    }
    return files;
}

// The files the page lays out for the player: its quoted "jeu/..." paths.
std::set<std::string> filesNamedByPage(const std::string& page) {
    std::set<std::string> files;
    for (size_t at = page.find("\"jeu/"); at != std::string::npos; at = page.find("\"jeu/", at + 1)) {
        files.insert(page.substr(at + 1, page.find('"', at + 1) - at - 1));
    }
    return files;
}

}  // namespace

TEST(Publishing, AnAuthorPublishesTheDemonstrationAsASiteOfItsOwn) {
    const std::string folder = folderWithDemo("publish_demo");
    const std::string project = folder + "/Projets/chateau";
    // What a project folder holds besides the game: the backup, a player's
    // saved game, a link to a file outside and one to a sound of its own.
    fs::copy_file(project + "/chateau.orv", project + "/chateau.bak");
    writeFile(project + "/1.sav", std::string(6160, '\0'));
    fs::create_directories(folder + "/Projets/chateau_prive");
    writeFile(folder + "/Projets/chateau_prive/secret.ogg", "not the author's to give");
    fs::create_symlink("../chateau_prive/secret.ogg", project + "/8.ogg");
    fs::create_symlink("5.ogg", project + "/9.ogg");
    fs::create_directory(folder + "/site");  // an empty folder is taken

    const ::Run run = publish(ORVALDE_PROGRAM, folder, "chateau site");
    if (!ORVALDE_WEB_PLAYER_BUILT) {
        // Built without emscripten: the program says what it lacks.
        EXPECT_EQ(run.status, 1);
        EXPECT_FALSE(fs::exists(folder + "/site/index.html"));
        return;
    }
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_NE(run.out.find("Non publié (mène hors du projet) : Projets\\chateau\\8.ogg"), std::string::npos) << run.out;
    // Player mode loads the font and one interface picture, nothing of the editor's.
    std::set<std::string> game = {"jeu/Fonts/DroidSansMono.ttf", "jeu/Images/ecran.jpg",
                                  "jeu/Projets/chateau/chateau.orv", "jeu/Projets/chateau/ecran.jpg",
                                  "jeu/Projets/chateau/introduction.jpg", "jeu/Projets/chateau/introduction.ogg",
                                  "jeu/Projets/chateau/9.ogg"};
    for (int n = 0; n <= 9; ++n) game.insert("jeu/Projets/chateau/" + std::to_string(n) + ".jpg");
    for (int n = 1; n <= 5; ++n) game.insert("jeu/Projets/chateau/" + std::to_string(n) + ".ogg");
    std::set<std::string> site = game;
    site.insert({"index.html", "orvalde-web.js", "orvalde-web.wasm"});
    EXPECT_EQ(filesUnder(folder + "/site"), site);
    EXPECT_EQ(filesNamedByPage(readFile(folder + "/site/index.html")), game);
    for (const char* file : {"orvalde-web.js", "orvalde-web.wasm"}) {
        EXPECT_EQ(readFile(folder + "/site/" + file), readFile(std::string(ORVALDE_WEB_PLAYER) + "/" + file)) << file;
    }
    EXPECT_EQ(readFile(folder + "/site/jeu/Projets/chateau/chateau.orv"), readFile(project + "/chateau.orv"));
    EXPECT_EQ(readFile(folder + "/site/jeu/Projets/chateau/9.ogg"), readFile(project + "/5.ogg"));
    EXPECT_FALSE(fs::is_symlink(folder + "/site/jeu/Projets/chateau/9.ogg"));
    // The site is a copy: nothing of it is a second name of the author's files.
    EXPECT_EQ(fs::hard_link_count(project + "/chateau.orv"), 1u);
    EXPECT_EQ(filesUnder(folder).count("site.tmp1/index.html"), 0u);
    // The page names its game in a script string that no name can end.
    const std::string name = "l'\"épée\" <b>&";
    fs::create_directories(folder + "/Projets/" + name);
    fs::copy_file(project + "/chateau.orv", folder + "/Projets/" + name + "/" + name + ".orv");
    ASSERT_EQ(publish(ORVALDE_HEADLESS, folder, "'l'\\''\"épée\" <b>&' quoted").status, 0);
    EXPECT_NE(readFile(folder + "/quoted/index.html")
                  .find("const game = {\"name\": \"l'\\\"épée\\\" \\u003cb\\u003e\\u0026\", \"files\": [\r\n"
                        "  \"jeu/Fonts/DroidSansMono.ttf\""),
              std::string::npos);
}

TEST(Publishing, WhatCannotBePublishedIsRefusedAsPlayerModeRefusesAndNothingIsWritten) {
    const std::string folder = folderWithDemo("publish_refusals");
    fs::create_directories(folder + "/ailleurs/lien");
    fs::copy_file(ORVALDE_DEMO "/chateau.orv", folder + "/ailleurs/lien/lien.orv");
    fs::create_directory_symlink("../ailleurs/lien", folder + "/Projets/lien");
    fs::create_directories(folder + "/Projets/casse");
    writeFile(folder + "/Projets/casse/casse.orv", "N\r\nNORD\r\n");
    fs::create_directories(folder + "/plein");
    writeFile(folder + "/plein/page.html", "the author's own");
    writeFile(folder + "/fichier", "a file");
    const struct {
        const char* arguments;
        const char* box;
    } cases[] = {
        {"absent site", "Fichier 'Projets\\absent\\absent.orv' introuvable !"},
        {".. site", "Fichier 'Projets\\..\\...orv' introuvable !"},
        {"lien site", "Fichier 'Projets\\lien\\lien.orv' introuvable !"},
        {"casse site", "Fichier corrompu !"},
        {"chateau plein", "Le dossier 'plein' n'est pas vide !"},
        {"chateau plein/", "Le dossier 'plein' n'est pas vide !"},
        {"chateau fichier", "'fichier' n'est pas un dossier !"},
        {"chateau manquant/site", "Impossible d'écrire le site dans 'manquant/site' !"},
    };
    const std::set<std::string> before = filesUnder(folder);
    for (const auto& c : cases) {
        const ::Run run = publish(ORVALDE_HEADLESS, folder, c.arguments);
        EXPECT_EQ(run.status, 1) << c.arguments;
        EXPECT_EQ(boxes(run.out), std::vector<std::string>{std::string("Erreur | ") + c.box}) << c.arguments;
        EXPECT_EQ(filesUnder(folder), before) << c.arguments;
        EXPECT_FALSE(fs::exists(folder + "/site")) << c.arguments;
    }
    EXPECT_EQ(readFile(folder + "/plein/page.html"), "the author's own");
}
