// An author has the adventure checked before it is played: from the command
// line, whose output and status a script can read, and on the page
// "VERIFIER". Each planted problem is one small adventure saved as a project.
#include <algorithm>
#include <filesystem>

#include "model/adventure_file.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

// The small adventure without the default adventure's other rooms and
// objects, which nothing reaches or creates: a check finds nothing in it.
void writeCleanAdventure() {
    writeSmallAdventure();
    for (int row = 2; row < 7; ++row) adventure.roomTexts[row].clear();
    for (int row = 3; row < 6; ++row) adventure.objectTexts[row].clear();
}

void saveProject(const std::string& name) {
    fs::create_directories("Projets/" + name);
    const std::u16string project = utf8ToText(name);
    ASSERT_TRUE(saveAdventure(project + u".orv", u"Projets\\" + project + u"\\"));
}

// `PROGRAM --verifier NAME` in the folder: status, standard output.
Run verify(const std::string& folder, const std::string& name, const std::string& program = ORVALDE_HEADLESS) {
    const std::string command =
        "cd '" + folder + "' && '" + program + "' --verifier " + name + " >.out 2>.err";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(folder + "/.out"), readFile(folder + "/.err")};
}

}  // namespace

TEST(AdventureCheck, EachPlantedProblemGivesItsFindingAndNothingElse) {
    // The endings several findings share.
    const std::string never = " : l'événement ne se déclenche jamais\n";
    const std::string unnamed = " : le joueur ne peut pas nommer l'objet\n";
    const std::string unset = " est testé mais aucune action ne lui donne de valeur\n";
    const struct {
        void (*plant)();
        std::string findings;  // the whole output, one line each
    } cases[] = {
        {[] {}, ""},
        // Room 7's own exit is only looked at once room 7 has a text.
        {[] { adventure.exits[0][2] = 7, adventure.exits[7][0] = 8; },
         "erreur : DEPLACEMENTS, salle 0, Est : la salle 7 n'a pas de texte\n"},
        {[] { adventure.roomTexts[1].clear(); },
         "erreur : DEPLACEMENTS, salle 0, Nord : la salle 1 n'a pas de texte\n"
         "erreur : PLACER OBJETS, objet 1 : la salle 1 n'a pas de texte\n"},
        {[] { adventure.roomTexts[0].clear(); },
         "erreur : TEXTE SALLES, salle 0 : la salle de départ n'a pas de texte\n"
         "erreur : DEPLACEMENTS, salle 1, Sud : la salle 0 n'a pas de texte\n"
         "erreur : PLACER OBJETS, objet 0 : la salle 0 n'a pas de texte\n"
         "erreur : PLACER OBJETS, objet 2 : la salle 0 n'a pas de texte\n"},
        {[] { addMajorEvent({}, {step(AfficheOk), step(AfficheMessage, 9)}); },
         "erreur : EVTS. MAJEURS, événement 1, action 2 : le message 9 est vide\n"},
        {[] { addMinorEvent(WordLook, 255, 255, {step(EnSalle, 9), step(ObjetIci, 7)}, {step(AfficheOk)}); },
         "erreur : EVTS. MINEURS, événement 1, condition 1 : la salle 9 n'a pas de texte\n"
         "erreur : EVTS. MINEURS, événement 1, condition 2 : l'objet 7 n'a pas de texte\n"},
        {[] { addMajorEvent({step(EnSalleInferieureA, 9)}, {step(AllerEn, 254), step(CreeObjetEn, 0, 8)}); },
         "erreur : EVTS. MAJEURS, événement 1, action 1 : 254 n'est pas une salle : 253 à 255 sont les places "
         "des objets\n"
         "erreur : EVTS. MAJEURS, événement 1, action 2 : la salle 8 n'a pas de texte\n"},
        {[] { addMinorEvent(40, 255, 255, {}, {step(AfficheOk)}); },
         "erreur : EVTS. MINEURS, événement 1, VERBE : le mot 40 n'a pas d'orthographe" + never},
        {[] { addMinorEvent(WordLook, 255, 41, {}, {step(AfficheOk)}); },
         "erreur : EVTS. MINEURS, événement 1, OBJET 1 : le mot 255 n'a pas d'orthographe" + never +
             "erreur : EVTS. MINEURS, événement 1, OBJET 2 : le mot 41 n'a pas d'orthographe" + never},
        {[] { addMinorEvent(255, 255, 255, {}, {step(AfficheOk)}); },
         "erreur : EVTS. MINEURS, événement 1, VERBE : pas de verbe" + never},
        {[] { addMinorEvent(40, 255, 255, {step(ObjetIci, Lamp)}, {}); }, ""},
        {[] { adventure.objectAttributes[Key][AssociatedWord] = 40; },
         "erreur : ATTRIB. OBJETS, objet 1 : le mot associé 40 n'a pas d'orthographe" + unnamed},
        {[] { adventure.objectLocations[4] = InHand; },
         "erreur : PLACER OBJETS, objet 4 : l'objet 4 n'a pas de texte\n"
         "erreur : ATTRIB. OBJETS, objet 4 : le mot associé 255 n'a pas d'orthographe" + unnamed},
        // Values that only a file brings.
        {[] {
             adventure.exits[1][5] = 256;
             adventure.objectLocations[Rock] = -4;
             adventure.objectAttributes[Lamp][Takeable] = 2;
             addMinorEvent(WordLook, 256, 255, {step(20)}, {step(Pause, 100000), step(JouerSample, -1), step(-7)});
         },
         "erreur : DEPLACEMENTS, salle 1, Bas : la valeur 256 est hors de 0 à 255\n"
         "erreur : ATTRIB. OBJETS, objet 0, Pr : la valeur 2 est hors de 0 à 1\n"
         "erreur : PLACER OBJETS, objet 2 : la valeur -4 est hors de 0 à 255\n"
         "erreur : EVTS. MINEURS, événement 1, OBJET 1 : la valeur 256 est hors de 0 à 255\n"
         "erreur : EVTS. MINEURS, événement 1, condition 1 : le type de condition 20 n'existe pas" + never +
         "erreur : EVTS. MINEURS, événement 1, action 2 : la valeur -1 est hors de 0 à 255\n"
         "erreur : EVTS. MINEURS, événement 1, action 3 : le type d'action -7 n'existe pas : l'action ne fait "
         "rien\n"},
        // Remarks: rooms, objects and flags the play never brings into use.
        {[] {
             adventure.roomTexts[5] = u"Le grenier.";
             adventure.roomTexts[6] = u"Le toit.";
             adventure.exits[5][4] = 6;
             adventure.exits[6][5] = 5;
         },
         "remarque : DEPLACEMENTS, salle 5 : aucun chemin depuis la salle 0 n'y mène\n"
         "remarque : DEPLACEMENTS, salle 6 : aucun chemin depuis la salle 0 n'y mène\n"},
        {[] {
             adventure.roomTexts[4] = u"La girouette.";
             adventure.roomTexts[5] = u"Le grenier.";
             adventure.roomTexts[6] = u"Le toit.";
             adventure.exits[5][4] = 6;
             adventure.exits[6][4] = 4;
             addMajorEvent({step(FlagEgalA, 3, 1)}, {step(AllerEn, 5)});
             addMajorEvent({}, {step(DonneAuFlag, 3, 1)});
         },
         ""},
        {[] {
             adventure.objectTexts[6] = u"Une plume";
             adventure.objectTexts[7] = u"Un encrier";
             adventure.objectTexts[8] = u"Un sceau";
             adventure.roomTexts[InInventory].clear();  // a place, not a room: its text does not matter
             addMajorEvent({step(FlagPasEgalAZero, 5), step(FlagEgalAZero, 6)},
                           {step(CreeObjetEn, 7, InInventory), step(EchangeObjets, Lamp, 8)});
             addMajorEvent({step(FlagPasEgalAZero, 5)}, {step(EffaceFlag, 6)});
         },
         "remarque : PLACER OBJETS, objet 6 : ni placé ni créé par une action : le joueur ne le verra jamais\n"
         "remarque : EVTS. MAJEURS, événement 1, condition 1 : le flag 5" + unset +
             "remarque : EVTS. MAJEURS, événement 1, condition 2 : le flag 6" + unset},
    };
    const std::string folder = makeWorkFolder("check_cases");
    int number = 0;
    for (const auto& c : cases) {
        startInProcess(folder);
        writeCleanAdventure();
        c.plant();
        const std::string name = "cas" + std::to_string(++number);
        saveProject(name);
        const auto run = verify(folder, name);
        EXPECT_EQ(run.out, c.findings) << name;
        EXPECT_EQ(run.status, c.findings.find("erreur") == std::string::npos ? 0 : 4) << name;
    }
    // Through the real window's program the same.
    const auto run = verify(folder, "cas2", ORVALDE_PROGRAM);
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.out, cases[1].findings);
}

TEST(AdventureCheck, AProjectThatCannotBeLoadedIsRefusedWithStatusOneAndTheDemonstrationHasNoError) {
    const std::string folder = makeWorkFolder("check_refused");
    fs::create_directories(folder + "/ailleurs");
    startInProcess(folder);
    writeCleanAdventure();
    adventure.exits[0][2] = 7;
    saveProject("lien");
    fs::rename(folder + "/Projets/lien", folder + "/ailleurs/lien");
    fs::create_directory_symlink(folder + "/ailleurs/lien", folder + "/Projets/lien");
    const struct {
        const char* name;
        const char* message;
    } cases[] = {{"absent", "Fichier 'Projets\\absent\\absent.orv' introuvable !"},
                 {"lien", "Fichier 'Projets\\lien\\lien.orv' introuvable !"}};
    for (const auto& c : cases) {
        const auto run = verify(folder, std::string("'") + c.name + "'");
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_EQ(run.out, "") << c.name;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.name << ": " << run.err;
    }
    fs::copy(ORVALDE_DEMO, folder + "/Projets/chateau");
    const auto run = verify(folder, "chateau");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(run.out.find("erreur"), std::string::npos) << run.out;
}

TEST(AdventureCheck, ThePageListsTheFindingsErrorsFirstAndScrolls) {
    startInProcess(makeWorkFolder("check_page"));
    writeCleanAdventure();
    for (int room = 10; room < 40; ++room) adventure.roomTexts[room] = u"Une salle oubliée.";
    adventure.exits[0][2] = 7;
    const auto unreached = [](int room) {
        return "remarque : DEPLACEMENTS, salle " + std::to_string(room) + " : aucun chemin depuis la salle 0 n'y mène";
    };
    // Ten down, then no further once the last finding shows; one up; Escape.
    const std::vector<std::string> seen =
        texts(runEditor(menuEntry(Findings) + "key pagedown\nwheel -1\nwheel 1\nkey escape\n"));
    // The first word of an error is red, the rest of the line black.
    EXPECT_TRUE(inOrder(seen, {"VERIFIER", "1 erreur, 30 remarques", "erreur",
                               " : DEPLACEMENTS, salle 0, Est : la salle 7 n'a pas de texte", unreached(10),
                               "constats 1 à 21 sur 31", unreached(19), unreached(39), "constats 11 à 31 sur 31",
                               unreached(18), unreached(38), "constats 10 à 30 sur 31", "VERIFIER", "ZONE IMAGE"}));
    // The notch past the last finding changes nothing, and draws nothing.
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "constats 11 à 31 sur 31"), 1);
}
