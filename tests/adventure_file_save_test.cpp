// Saving into a project folder: the folder created and listed, the backup of
// the previous file, the cases where nothing happens, and saves that fail
// without losing anything while the program goes on; loads, and the loads
// that fail and end the program with their message.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "editor/folder_list.h"
#include "model/adventure_file.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

bool listed(const std::u16string& name) {
    return std::find(folderList, folderList + FolderListSlots, name) != folderList + FolderListSlots;
}

// Names in the project folder.
int entriesIn(const std::string& folder) {
    return static_cast<int>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

}  // namespace

// The first save creates the project folder, lists it and writes the file,
// with nothing to back up and no temporary file left, and no message; each
// later save keeps the previous content as the backup, the old backup making
// way; a save never changes the adventure.
TEST(AdventureSave, ASaveRequestCreatesTheProjectFolderAndKeepsThePreviousFileAsTheBackup) {
    const std::string work = startIn("save_new_folder");
    const std::string file = work + "Projets/chateau/chateau.orv";
    const std::string backup = work + "Projets/chateau/chateau.bak";
    projectName = u"chateau";
    projectFolder.clear();
    adventure.roomTexts[0] = u"Première version.";
    requestSaveAdventure();
    EXPECT_EQ(projectFolder, u"Projets\\chateau\\");
    EXPECT_TRUE(listed(u"chateau"));
    EXPECT_EQ(folderListFirst, 0);
    const std::string first = readFileBytes(file);
    EXPECT_EQ(crLfLines(first).size(), 6567u);
    EXPECT_NE(first.find("Première version."), std::string::npos);
    EXPECT_FALSE(pathExists(backup));
    EXPECT_EQ(entriesIn(work + "Projets/chateau"), 1);
    EXPECT_EQ(takeOutput().find("box"), std::string::npos);

    adventure.roomTexts[0] = u"Deuxième version.";
    requestSaveAdventure();
    const std::string second = readFileBytes(file);
    EXPECT_NE(second.find("Deuxième version."), std::string::npos);
    EXPECT_EQ(readFileBytes(backup), first);
    adventure.roomTexts[0] = u"Troisième version.";
    requestSaveAdventure();
    EXPECT_NE(readFileBytes(file).find("Troisième version."), std::string::npos);
    EXPECT_EQ(readFileBytes(backup), second);
    EXPECT_EQ(entriesIn(work + "Projets/chateau"), 2);
    EXPECT_EQ(adventure.roomTexts[0], u"Troisième version.");
}

// An empty existing file is not backed up (an empty backup is replaced by
// the previous non-empty file); an empty project name does nothing at all.
TEST(AdventureSave, AnEmptyExistingFileIsNotBackedUpAndAnEmptyNameDoesNothing) {
    const std::string work = startIn("save_empty_existing");
    projectName.clear();
    projectFolder.clear();
    takeOutput();
    requestSaveAdventure();
    EXPECT_EQ(entriesIn(work + "Projets"), 0);
    EXPECT_TRUE(projectFolder.empty());
    EXPECT_EQ(takeOutput(), "");

    createFolder(utf8ToText(work + "Projets/vide"));
    writeFileBytes(work + "Projets/vide/vide.orv", "");
    writeFileBytes(work + "Projets/vide/vide.bak", "ancienne sauvegarde\r\n");
    projectName = u"vide";
    requestSaveAdventure();
    EXPECT_EQ(readFileBytes(work + "Projets/vide/vide.bak"), "ancienne sauvegarde\r\n");
    EXPECT_EQ(crLfLines(readFileBytes(work + "Projets/vide/vide.orv")).size(), 6567u);
    writeFileBytes(work + "Projets/vide/vide.bak", "");
    const std::string previous = readFileBytes(work + "Projets/vide/vide.orv");
    adventure.messageTexts[4] = u"Nouveau message.";
    requestSaveAdventure();
    EXPECT_EQ(readFileBytes(work + "Projets/vide/vide.bak"), previous);
}

TEST(AdventureSave, AProjectFolderThatIsAFileFailsWithTheBoxAndTheProgramGoesOn) {
    const std::string work = startIn("save_folder_is_file");
    writeFileBytes(work + "Projets/chateau", "un fichier, pas un dossier\n");
    projectName = u"chateau";
    adventure.roomTexts[5] = u"Une salle à ne pas perdre.";
    takeOutput();
    requestSaveAdventure();

    const std::string output = takeOutput();
    EXPECT_NE(output.find("box Erreur | Impossible de sauver le fichier chateau.orv !"), std::string::npos) << output;
    EXPECT_EQ(readFileBytes(work + "Projets/chateau"), "un fichier, pas un dossier\n");
    EXPECT_EQ(entriesIn(work + "Projets"), 1);
    EXPECT_EQ(adventure.roomTexts[5], u"Une salle à ne pas perdre.");

    // The author clears the way and tries again: the same adventure is saved.
    std::remove((work + "Projets/chateau").c_str());
    requestSaveAdventure();
    const std::string saved = readFileBytes(work + "Projets/chateau/chateau.orv");
    EXPECT_NE(saved.find("Une salle à ne pas perdre."), std::string::npos);
    EXPECT_EQ(takeOutput().find("box"), std::string::npos);
}

TEST(AdventureSave, WriteErrorsLeaveTheFileAndItsBackupAsTheyWere) {
    if (!pathExists("/dev/full")) GTEST_SKIP() << "no /dev/full to make writes fail";
    const std::string work = startIn("save_disk_full");
    const std::string folder = work + "Projets/chateau/";
    createFolder(utf8ToText(folder));
    writeFileBytes(folder + "chateau.orv", "contenu précédent\r\n");
    writeFileBytes(folder + "chateau.bak", "sauvegarde précédente\r\n");
    // The new content goes to a temporary file beside the adventure file;
    // here every write to it fails as on a full disk.
    fs::create_symlink("/dev/full", folder + "chateau.orv.tmp");
    projectName = u"chateau";
    adventure.objectTexts[2] = u"Un garde en mémoire";
    takeOutput();
    requestSaveAdventure();

    const std::string output = takeOutput();
    EXPECT_NE(output.find("box Erreur | Impossible de sauver le fichier chateau.orv !"), std::string::npos) << output;
    EXPECT_EQ(readFileBytes(folder + "chateau.orv"), "contenu précédent\r\n");
    EXPECT_EQ(readFileBytes(folder + "chateau.bak"), "sauvegarde précédente\r\n");
    EXPECT_FALSE(fs::is_symlink(folder + "chateau.orv.tmp")) << "the temporary file is removed";
    EXPECT_EQ(entriesIn(folder), 2);
    EXPECT_EQ(adventure.objectTexts[2], u"Un garde en mémoire");

    // The disk has room again: the next save goes through.
    requestSaveAdventure();
    EXPECT_NE(readFileBytes(folder + "chateau.orv").find("Un garde en mémoire"), std::string::npos);
    EXPECT_EQ(readFileBytes(folder + "chateau.bak"), "contenu précédent\r\n");
}

TEST(AdventureSave, AFolderInThePlaceOfTheFileFailsAndIsLeftAlone) {
    const std::string work = startIn("save_file_is_folder");
    const std::string folder = work + "Projets/chateau/";
    createFolder(utf8ToText(folder));
    createFolder(utf8ToText(folder + "chateau.orv"));
    writeFileBytes(folder + "chateau.orv/dedans.txt", "garde\n");
    projectName = u"chateau";
    takeOutput();
    EXPECT_FALSE(saveAdventure(u"chateau.orv", u"Projets\\chateau\\"));
    EXPECT_NE(takeOutput().find("box Erreur | Impossible de sauver le fichier chateau.orv !"), std::string::npos);
    EXPECT_EQ(readFileBytes(folder + "chateau.orv/dedans.txt"), "garde\n");
    EXPECT_EQ(entriesIn(folder), 1) << "no temporary file and no backup";
}

TEST(AdventureSave, ALoadRequestMakesTheFolderTheProjectAndReadsItsFile) {
    const std::string work = startIn("load_request");
    fillDistinctAdventure(4, 3, 99);
    keptAdventure = adventure;
    projectName = u"forêt";
    requestSaveAdventure();
    ASSERT_TRUE(pathExists(work + "Projets/forêt/forêt.orv"));

    resetLayoutSettings();
    resetAdventure();
    projectName = u"autre";
    projectFolder.clear();
    requestLoadAdventure(u"forêt");
    EXPECT_EQ(projectName, u"forêt");
    EXPECT_EQ(projectFolder, u"Projets\\forêt\\");
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));

    // An empty entry of the list does nothing.
    requestLoadAdventure(u"");
    EXPECT_EQ(projectName, u"forêt");
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
}

// Each failing load ends the program with the box "Erreur" and its message;
// the death test's child runs the test again up to its own statement.
TEST(AdventureLoadDeathTest, MissingFoldersAndCutOrOversizedFilesEndTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string work = startIn("load_failures");
    createFolder(utf8ToText(work + "Projets/vide"));
    EXPECT_FATAL_BOX(requestLoadAdventure(u"vide"), "Fichier 'Projets\\vide\\vide.orv' introuvable !");
    createFolder(utf8ToText(work + "Projets/dossier"));
    createFolder(utf8ToText(work + "Projets/dossier/dossier.orv"));
    EXPECT_FATAL_BOX(requestLoadAdventure(u"dossier"),
                     "Impossible d'ouvrir le fichier 'Projets\\dossier\\dossier.orv' !");
    writeFileBytes(work + "Projets/vide/vide.orv", "");
    EXPECT_FATAL_BOX(requestLoadAdventure(u"vide"), "Fichier corrompu !");

    projectName = u"coupe";
    requestSaveAdventure();
    const std::string path = work + "Projets/coupe/coupe.orv";
    const std::string bytes = readFileBytes(path);
    ASSERT_EQ(crLfLines(bytes).size(), 6567u);
    // Cut about the middle of the minor event lists; or the minor event count
    // (line 6163, after the 6162 lines before it) above a thousand.
    size_t cut = 0;
    for (int line = 0; line < 6166 + 100; ++line) cut = bytes.find("\r\n", cut) + 2;
    writeFileBytes(path, bytes.substr(0, cut));
    EXPECT_FATAL_BOX(requestLoadAdventure(u"coupe"), "Fichier corrompu !");
    size_t at = 0;
    for (int line = 0; line < 6162; ++line) at = bytes.find("\r\n", at) + 2;
    ASSERT_EQ(bytes.substr(at, 3), "1\r\n");
    writeFileBytes(path, bytes.substr(0, at) + "1001" + bytes.substr(at + 1));
    EXPECT_FATAL_BOX(requestLoadAdventure(u"coupe"), "Fichier corrompu !");
}
