// A player types commands in a test play of the small adventure and reads the
// answers: the line editor, the split into words, the built-in verbs and their
// refusals, the minor events the words trigger, and the quit question.
#include "tests/support.h"

TEST(PlayCommands, EveryBuiltInVerbAnswersAsThePlayerExpects) {
    const struct {
        std::initializer_list<const char*> does;
        std::vector<std::string> sees;  // in the text zone, one after the other
        int64_t maxInHand = 2, maxInInventory = 10;
    } cases[] = {
        {{"bonjour"}, {"BONJOUR", "Je ne comprends pas ces mots."}},
        {{""}, {"A vous :", "Je ne comprends pas ces mots."}},
        {{"sud"}, {"SUD", "Je ne peux pas aller pas là."}},
        {{"nord lampe"}, {"NORD LAMPE", "Je ne peux pas"}},
        {{"i lampe"}, {"I LAMPE", "Je ne peux pas"}},
        {{"ouest haut"}, {"OUEST HAUT", "Je ne peux pas"}},
        {{"charge lampe"}, {"CHARGE LAMPE", "Je ne peux pas"}},
        {{"prends"}, {"PRENDS", "Je ne comprends pas ces mots."}},
        {{"prends l'épée"}, {"PRENDS L'EPEE", "Je ne comprends pas ces mots."}},
        {{"prends la clef"}, {"PRENDS LA CLEF", "Cet objet n'est pas ici."}},
        {{"prends rocher"}, {"PRENDS ROCHER", "Je ne peux pas"}},
        {{"prends lampe", "prends lampe"}, {"A vous :", "PRENDS LAMPE", "Cet objet n'est pas ici."}},
        {{"laisse lampe"}, {"LAISSE LAMPE", "Vous ne l'avez pas."}},
        {{"range lampe"}, {"RANGE LAMPE", "Vous n'avez pas cet objet en main."}},
        {{"prends lampe", "manie lampe", "manie lampe"},
         {"MANIE LAMPE", "A vous :", "MANIE LAMPE", "Vous ne l'avez pas."}},
        {{"prends lampe", "manie lampe"}, {"MANIE LAMPE", "Vous ne pouvez pas, vos mains sont pleines."}, 0},
        {{"prends lampe"}, {"PRENDS LAMPE", "Vous ne pouvez pas avoir plus d'objets."}, 2, 0},
        {{"fin", "n"}, {"FIN", "Voulez-vous vraiment arrêter le jeu ?", "O/N", "A vous :"}},
        // Three words are left to the events: no built-in verb answers.
        {{"prends lampe rocher"}, {"PRENDS LAMPE ROCHER", "A vous :"}},
    };
    for (const auto& c : cases) {
        startProject("verbs");
        adventure.maxObjectsInHand = c.maxInHand;
        adventure.maxObjectsInInventory = c.maxInInventory;
        const std::string output = playSession(typed(c.does));
        const std::vector<std::string> seen = dialogue(output);
        EXPECT_NE(std::search(seen.begin(), seen.end(), c.sees.begin(), c.sees.end()), seen.end())
            << *c.does.begin();
    }
}

// What the other zones show after moves, takes and drops.
TEST(PlayCommands, MovesTakesAndDropsShowInTheRoomAndInventoryZones) {
    startProject("zones");
    const std::vector<std::string> seen = texts(playSession(
        typed({"prends lampe", "nord", "prends cle", "laisse lampe", "i", "manie clef", "range clef", "sud"})));
    EXPECT_TRUE(inOrder(
        seen, {"Le hall. <N>", "Vous voyez : Une lampe, un", "rocher", "PRENDS LAMPE", "Vous voyez : Un rocher",
               "La cave. <S>", "Vous voyez : La clef", "PRENDS CLE", "Vous voyez : Rien du tout", "LAISSE LAMPE",
               "Vous voyez : Une lampe", "I", "Vous avez: La clef", "MANIE CLEF", "RANGE CLEF", "Le hall. <N>"}));
}

TEST(PlayCommands, TheTypedLineIsUpperCasedWithoutAccentsAndStopsAtTheZoneEdge) {
    startProject("typing");
    adventure.textZone.width = 102;  // 98 pixels inside: nine characters of 10 pixels
    const std::string output = playSession("type àéèêëîïôöùûüÿç École\nkey backspace\nkey return\n");
    // Backspace took the last character kept: the ninth, "O".
    EXPECT_TRUE(inOrder(dialogue(output), {"AEEEEIIO"}));
    EXPECT_TRUE(inOrder(texts(output), {"A", "AE", "AEE", "AEEEEIIOO", "AEEEEIIO"}));
    // A character outside 16 bits is typed and taken off whole: the second
    // line is empty.
    const std::string pairs =
        playSession("type a😀b\nkey backspace\nkey return\ntype 😀\nkey backspace\nkey backspace\nkey return\n");
    EXPECT_TRUE(inOrder(dialogue(pairs), {"A😀", "Je ne", "A vous :", "Je ne"}));
    EXPECT_EQ(pairs.find("\uFFFD"), std::string::npos);
}

TEST(PlayCommands, MinorEventsSeeTheFirstThreeRecognisedWordsOfAnyCommand) {
    startProject("minor_words");
    adventure.messageTexts[1] = u"Un mot.";
    adventure.messageTexts[2] = u"Deux mots.";
    adventure.messageTexts[3] = u"Trois mots.";
    addMinorEvent(WordLook, NoWord, NoWord, {}, {step(AfficheMessage, 1)});
    addMinorEvent(WordLook, WordLamp, NoWord, {}, {step(AfficheMessage, 2)});
    addMinorEvent(WordLook, WordLamp, WordRock, {}, {step(AfficheMessage, 3)});
    const struct {
        const char* does;
        const char* sees;
    } cases[] = {{"regarde", "Un mot."},
                 {"regarde la lampe", "Deux mots."},
                 {"regarde lampe rocher", "Trois mots."},
                 {"regarde lampe rocher cle nord sud", "Trois mots."},
                 {"prends regarde", ""}};
    for (const auto& c : cases) {
        const std::vector<std::string> seen = dialogue(playSession(typed({c.does})));
        for (const char* message : {"Un mot.", "Deux mots.", "Trois mots."}) {
            EXPECT_EQ(std::count(seen.begin(), seen.end(), message), std::string(c.sees) == message) << c.does;
        }
    }
}

// The quit question waits for the first letter of system message 21 or 22,
// in either case; anything else is ignored.
TEST(PlayCommands, TheQuitQuestionTakesOnlyItsTwoAnswers) {
    startProject("quit");
    // "𐁯" (U+1006F) is no "o", whatever its last 16 bits.
    EXPECT_TRUE(
        inOrder(dialogue(playSession("type fin\nkey return\ntype x𐁯\ntype N\ntype prends lampe\nkey return")),
                {"FIN", "O/N", "A vous :", "PRENDS LAMPE"}));
    // "o" ends the session at once: the command typed afterwards is never read.
    const std::vector<std::string> seen = dialogue(playSession("type fin\nkey return\ntype o\ntype regarde\n"));
    EXPECT_TRUE(inOrder(seen, {"FIN", "O/N"}));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), "REGARDE"), 0);
}

// The last object number is an object like any other.
TEST(PlayCommands, TheLastObjectIsFoundByItsWord) {
    startProject("last_object");
    adventure.vocabulary[40][0] = u"SAC";
    adventure.objectTexts[255] = u"Un sac";
    adventure.objectLocations[255] = 0;
    adventure.objectAttributes[255][AssociatedWord] = 40;
    adventure.objectAttributes[255][Takeable] = 1;
    EXPECT_TRUE(inOrder(texts(playSession(typed({"prends sac", "i"}))), {"PRENDS SAC", "Vous avez: Un sac"}));
}
