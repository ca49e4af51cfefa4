// Loads that fail end the program with the box "Erreur" and the message of
// each case. Each runs in a child process (a death test), whose headless
// report is sent to its standard error so that the message can be checked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "app/platform.h"
#include "app/program.h"
#include "model/adventure.h"
#include "model/adventure_file.h"
#include "tests/adventure_file_helpers.h"
#include "tests/test_support.h"

using namespace advfile;
using ::testing::ExitedWithCode;

namespace {

// The reported line, as a regular expression of the text itself.
std::string boxLine(const std::string& text) {
    std::string pattern;
    for (char c : "box Erreur | " + text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// In the child: reports go to standard error instead of memory.
void reportToStandardError() {
    recordHeadlessOutputInMemory(false);
    dup2(2, 1);
}

}  // namespace

// The child runs the test again from its start (no fork of a program that
// may hold threads), so each test sets its folder up before its one death.
class AdventureLoadDeathTest : public ::testing::Test {
   protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(AdventureLoadDeathTest, AProjectFolderWithoutItsFileIsNotFound) {
    const std::string work = startIn("load_missing");
    createFolder(utf8ToText(work + "Projets/vide"));
    EXPECT_EXIT(
        {
            reportToStandardError();
            requestLoadAdventure(u"vide");
        },
        ExitedWithCode(1), boxLine("Fichier 'Projets\\vide\\vide.orv' introuvable !"));
}

TEST_F(AdventureLoadDeathTest, AFolderInThePlaceOfTheFileDoesNotOpen) {
    const std::string work = startIn("load_folder");
    createFolder(utf8ToText(work + "Projets/dossier"));
    createFolder(utf8ToText(work + "Projets/dossier/dossier.orv"));
    EXPECT_EXIT(
        {
            reportToStandardError();
            requestLoadAdventure(u"dossier");
        },
        ExitedWithCode(1), boxLine("Impossible d'ouvrir le fichier 'Projets\\dossier\\dossier.orv' !"));
}

TEST_F(AdventureLoadDeathTest, AFileCutInsideTheEventListsIsCorrupt) {
    const std::string work = startIn("load_cut");
    projectName = u"coupe";
    requestSaveAdventure();
    const std::string path = work + "Projets/coupe/coupe.orv";
    const std::string bytes = readFileBytes(path);
    ASSERT_EQ(crLfLines(bytes).size(), 6567u);
    // About the middle of the minor event lists.
    size_t cut = 0;
    for (int line = 0; line < 6166 + 100; ++line) cut = bytes.find("\r\n", cut) + 2;
    writeFileBytes(path, bytes.substr(0, cut));
    EXPECT_EXIT(
        {
            reportToStandardError();
            requestLoadAdventure(u"coupe");
        },
        ExitedWithCode(1), boxLine("Fichier corrompu !"));
}

TEST_F(AdventureLoadDeathTest, AnEmptyFileIsCorrupt) {
    const std::string work = startIn("load_empty");
    createFolder(utf8ToText(work + "Projets/vide"));
    writeFileBytes(work + "Projets/vide/vide.orv", "");
    EXPECT_EXIT(
        {
            reportToStandardError();
            requestLoadAdventure(u"vide");
        },
        ExitedWithCode(1), boxLine("Fichier corrompu !"));
}

TEST_F(AdventureLoadDeathTest, ACountAboveAThousandIsCorrupt) {
    const std::string work = startIn("load_count");
    projectName = u"trop";
    requestSaveAdventure();
    const std::string path = work + "Projets/trop/trop.orv";
    std::string bytes = readFileBytes(path);
    // The minor event count is line 6163: after the 6162 lines before it.
    size_t at = 0;
    for (int line = 0; line < 6162; ++line) at = bytes.find("\r\n", at) + 2;
    ASSERT_EQ(bytes.substr(at, 3), "1\r\n");
    bytes.replace(at, 1, "1001");
    writeFileBytes(path, bytes);
    EXPECT_EXIT(
        {
            reportToStandardError();
            requestLoadAdventure(u"trop");
        },
        ExitedWithCode(1), boxLine("Fichier corrompu !"));
}
