// An author's unsaved work outlives every way of leaving or replacing it:
// the next start offers it back, and saved, it is byte for byte what the
// author had. The kill of the real program is in window_under_xvfb.sh.
#include <filesystem>

#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

const std::string intro = "key return\n", toMenu = "key escape\n";
const std::string loadChateau = menuEntry(LoadFile) + click(400, 120) + toMenu;
// A message typed on its page, then back to the menu.
std::string change(const std::string& text) {
    return menuEntry(MessageTexts) + click(50, 350) + "type " + text + "\n" + toMenu;
}
const std::string save = menuEntry(SaveFile) + click(400, 475) + toMenu;
const std::string saveAsNouveau = menuEntry(SaveFile) + click(50, 450) + "type nouveau\nkey return\n" + save;

// The adventure files of a folder, not of its sub-folders.
std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code none;
    for (const auto& entry : fs::directory_iterator(folder, none)) {
        if (entry.is_regular_file() && entry.path().extension() == ".orv") names.push_back(entry.path().filename());
    }
    return names;
}

// What the author's work is once saved, made without any way out.
std::string savedWork(const std::string& script, const std::string& file) {
    const std::string folder = folderWithDemo("copies_reference");
    EXPECT_EQ(runHeadless(folder, intro + script).status, 0);
    return readFile(folder + "/Projets/" + file);
}

}  // namespace

TEST(WorkCopies, EveryWayOutKeepsTheWorkForTheNextStart) {
    const std::string onChateau = intro + loadChateau + change("Un ajout");
    const std::string ofChateau = "du projet « chateau » a été mis de côté le ";
    const std::string ofNone = "d'une aventure jamais sauvée a été mis de côté le ";
    // Each run offers its copies in this order and takes back the last one,
    // which is saved into its project ("nouveau" for an adventure never saved).
    const struct {
        const char* wayOut;
        std::string firstRun;
        std::vector<std::string> offered;
    } cases[] = {
        {"QUITTER", onChateau + menuEntry(Quit), {ofChateau}},
        {"Escape on the menu", onChateau + toMenu, {ofChateau}},
        {"closed while typing", onChateau + menuEntry(MessageTexts) + click(50, 350) + "close\n", {ofChateau}},
        {"REINITIALISER", onChateau + menuEntry(Reset), {ofChateau}},
        {"closed in a test play that took the sword",
         onChateau + menuEntry(TestGame) + "key return\ntype sud\nkey return\ntype prends l'épée\nkey return\nclose\n",
         {ofChateau}},
        {"a load", intro + change("Sans projet") + loadChateau, {ofNone}},
        {"two works, the newest left",
         onChateau + menuEntry(Reset) + change("Une seconde aventure, plus tard") + menuEntry(Quit),
         {ofNone, ofChateau}},
    };
    const std::string chateauSaved = savedWork(loadChateau + change("Un ajout") + save, "chateau/chateau.orv");
    const std::string nouveauSaved = savedWork(change("Sans projet") + saveAsNouveau, "nouveau/nouveau.orv");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wayOut);
        const std::string folder = folderWithDemo("copies_way_out");
        ASSERT_EQ(runHeadless(folder, c.firstRun).status, 0);
        const bool ofProject = c.offered.back() == ofChateau;
        std::string answers;
        for (size_t i = 1; i < c.offered.size(); ++i) answers += "answer NON\n";
        const ::Run next = runHeadless(folder, answers + "answer OUI\n" + intro + (ofProject ? save : saveAsNouveau));
        ASSERT_EQ(next.status, 0) << next.err;
        const std::vector<std::string> shown = boxes(next.out);
        ASSERT_EQ(shown.size(), c.offered.size());
        for (size_t i = 0; i < shown.size(); ++i) EXPECT_NE(shown[i].find(c.offered[i]), std::string::npos) << shown[i];
        const std::string file = ofProject ? "chateau" : "nouveau";
        EXPECT_EQ(readFile(folder + "/Projets/" + file + "/" + file + ".orv"), ofProject ? chateauSaved : nouveauSaved);
        // Saved, the work has no copy left; no copy ever went into a project.
        EXPECT_TRUE(filesIn(folder + "/Secours").empty());
        for (const auto& project : fs::directory_iterator(folder + "/Projets")) {
            const std::string name = project.path().filename().string();
            EXPECT_EQ(filesIn(project.path()), std::vector<std::string>{name + ".orv"}) << name;
        }
        EXPECT_EQ(filesIn(folder + "/Secours/Anciennes").size(), c.offered.size() - 1);
    }
}

// A copy is offered with its project and date; taken back and left unsaved,
// it is offered again; refused, it is set aside for good. A change undone by
// hand leaves nothing to keep. An answer the runner cannot give fails the run.
TEST(WorkCopies, TakenBackLeftSetAsideOrNone) {
    const std::string folder = folderWithDemo("copies_left"), chateau = readFile(ORVALDE_DEMO "/chateau.orv");
    fs::create_directories(folder + "/Secours");
    writeFile(folder + "/Secours/chateau.1-1.orv", chateau);
    const std::chrono::sys_seconds june1st{std::chrono::seconds(1717250700)};  // 2024-06-01 14:05 UTC
    fs::last_write_time(folder + "/Secours/chateau.1-1.orv", std::chrono::file_clock::from_sys(june1st));
    const ::Run taken = runHeadless(folder, "answer OUI\n" + intro + menuEntry(Quit), "", "TZ=UTC");
    EXPECT_EQ(boxes(taken.out),
              std::vector<std::string>{"Travail non sauvé | Du travail non sauvé du projet « chateau » "
                                       "a été mis de côté le samedi 1er juin 2024 à 14 h 05. Le reprendre ?"});
    const ::Run refused = runHeadless(folder, "answer PEUTETRE\n" + intro);
    EXPECT_EQ(boxes(refused.out).size(), 1u);
    EXPECT_EQ(refused.status, 3);
    EXPECT_EQ(refused.err, "answer failed, line 1: PEUTETRE\n");
    EXPECT_TRUE(filesIn(folder + "/Secours").empty());
    const std::vector<std::string> aside = filesIn(folder + "/Secours/Anciennes");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(readFile(folder + "/Secours/Anciennes/" + aside[0]), chateau);
    runHeadless(folder, intro + change("x") + menuEntry(MessageTexts) + click(50, 350) + "key backspace\n" + toMenu +
                            menuEntry(Quit));
    const ::Run none = runHeadless(folder, "answer OUI\n" + intro);
    EXPECT_TRUE(boxes(none.out).empty());
    EXPECT_EQ(none.status, 3);
}

// An "Erreur" box that ends the program keeps the work aside first, but never
// an adventure half loaded: the copy is the work from before the load.
TEST(WorkCopies, AFatalErrorKeepsTheWorkNeverAHalfLoad) {
    // The copies are looked for after each child ends, so the child must go on
    // from this test's own state in this test's folder: a bare fork.
    ::testing::FLAGS_gtest_death_test_style = "fast";
    const std::string folder = makeWorkFolder("copies_fatal");
    fs::create_directories(folder + "/Projets/abime");
    writeFile(folder + "/Projets/abime/abime.orv", "N\r\nNORD\r\n");
    startInProcess(folder);
    adventure.messageTexts[0] = u"Avant la panne";
    EXPECT_FATAL_BOX(fatalError(u"Panne"), "Panne");
    EXPECT_FATAL_BOX(runEditor(menuEntry(LoadFile) + click(400, 120)), "Fichier corrompu !");
    const std::vector<std::string> copies = filesIn(folder + "/Secours");
    EXPECT_EQ(copies.size(), 2u);
    for (const std::string& copy : copies) EXPECT_EQ(fileLines(folder + "/Secours/" + copy).at(10), "Avant la panne");
}

// Where no copy can be written ("Secours" a link to a folder elsewhere, never
// written through), the way out says so and stays once, so that the author
// can save; taken again, it goes through.
TEST(WorkCopies, AWayOutWithoutACopyIsHeldOnce) {
    const std::string folder = makeWorkFolder("copies_refused");
    fs::create_directories(folder + "/../copies_elsewhere");
    fs::create_directory_symlink(folder + "/../copies_elsewhere", folder + "/Secours");
    const std::string quit = menuEntry(Quit);
    const ::Run run =
        runHeadless(folder, intro + change("x") + quit + "mark held\n" + quit + "mark gone\n", "", "timeout 60");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(boxes(run.out).size(), 1u);
    EXPECT_NE(boxes(run.out)[0].find("Impossible de mettre le travail non sauvé à l'abri"), std::string::npos);
    EXPECT_NE(run.out.find("mark held"), std::string::npos);
    EXPECT_EQ(run.out.find("mark gone"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder + "/../copies_elsewhere"));
}
