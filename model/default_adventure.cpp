// The adventure every new project starts from, and findObject.
#include "model/adventure.h"
#include "model/event_labels.h"

Adventure adventure;

int64_t findObject(int64_t word, int64_t location) {
    for (int o = 0; o < TableSize; ++o) {
        if (adventure.objectAttributes[o][AssociatedWord] == word && adventure.objectLocations[o] == location) return o;
    }
    return -1;
}

static void emptyEventStep(EventStep& step) {
    step.type = EndOfList;
    step.arg1 = 255;
    step.arg2 = 255;
    step.arg3 = 255;
}

static void writeDefaultContents() {
    static const char16_t* const words[16][2] = {
        {u"N", u"NORD"},     {u"S", u"SUD"},       {u"E", u"EST"},        {u"O", u"OUEST"},
        {u"H", u"HAUT"},     {u"B", u"BAS"},       {u"PRENDS", u""},      {u"LAISSE", u"JETTE"},
        {u"RANGE", u""},     {u"MANIE", u""},      {u"INVENTAIRE", u"I"}, {u"FIN", u"ARRET"},
        {u"SAUVE", u"SAVE"}, {u"CHARGE", u"LOAD"}, {u"ALLUME", u""},      {u"ETEINS", u""},
    };
    for (int w = 0; w < 16; ++w) {
        adventure.vocabulary[w][0] = words[w][0];
        adventure.vocabulary[w][1] = words[w][1];
    }

    adventure.messageTexts[0] = u"Message 0.";

    static const char16_t* const rooms[7] = {
        u"Vous vous trouvez à l'entrée du château.",
        u"A la lisière de la forêt.",
        u"Dans la cours du château.",
        u"L'entrée d'une prison.",
        u"Une pharmacie.",
        u"Une petite salle rectangulaire.",
        u"La princesse dans sa cellule, maintenant LIBRE.",
    };
    for (int r = 0; r < 7; ++r) adventure.roomTexts[r] = rooms[r];
    adventure.roomTexts[NotCreated] = u"Non créé.";
    adventure.roomTexts[InInventory] = u"En inventaire.";
    adventure.roomTexts[InHand] = u"En main.";

    static const char16_t* const objects[6] = {
        u"Une épée",
        u"La clef",
        u"Un garde devant l'entrée",
        u"Le garde mort",
        u"Un dragon avec une clef autour du cou",
        u"Le dragon endormi",
    };
    for (int o = 0; o < 6; ++o) adventure.objectTexts[o] = objects[o];

    static const char16_t* const systemMessages[26] = {
        u"Vous voyez :",
        u"A vous :",
        u"Je ne comprends pas ces mots.",
        u"Je ne peux pas aller pas là.",
        u"Je ne peux pas",
        u"Vous avez:",
        u"(en main)",
        u"Rien du tout",
        u"Voulez-vous vraiment arrêter le jeu ?",
        u"Fin de la partie - Voulez-vous rejouer ?",
        u"Pressez une touche",
        u"Vous avez fait",
        u"action",
        u"s",
        u"Vous n'avez pas cet objet en main.",
        u"Vous ne pouvez pas, vos mains sont pleines.",
        u"Vous l'avez déjà.",
        u"Cet objet n'est pas ici.",
        u"Vous ne pouvez pas avoir plus d'objets.",
        u"Vous ne l'avez pas.",
        u"Vous portez déjà cet objet.",
        u"O",
        u"N",
        u"Numéro de sauvegarde (1 à 9) :",
        u"D'accord.",
        u"Vous ne pouvez pas écrire sur ce disque.",
    };
    for (int m = 0; m < 26; ++m) adventure.systemMessages[m] = systemMessages[m];
}

void resetAdventure() {
    for (int i = 0; i < TableSize; ++i) {
        for (int s = 0; s < SpellingsPerWord; ++s) adventure.vocabulary[i][s].clear();
        adventure.messageTexts[i].clear();
        adventure.roomTexts[i].clear();
        adventure.objectTexts[i].clear();
        adventure.systemMessages[i].clear();
        for (int d = 0; d < DirectionCount; ++d) adventure.exits[i][d] = NoExit;
        adventure.objectLocations[i] = NotCreated;
        adventure.objectAttributes[i][AssociatedWord] = NoWord;
        adventure.objectAttributes[i][Takeable] = 0;
        adventure.objectAttributes[i][Holdable] = 0;
    }
    for (int e = 0; e < MaxEvents; ++e) {
        for (int slot = 0; slot < StepsPerList; ++slot) {
            emptyEventStep(adventure.minorEvents[e].conditions[slot]);
            emptyEventStep(adventure.minorEvents[e].actions[slot]);
            emptyEventStep(adventure.majorEvents[e].conditions[slot]);
            emptyEventStep(adventure.majorEvents[e].actions[slot]);
        }
        for (int w = 0; w < WordsPerMinorEvent; ++w) adventure.minorEvents[e].words[w] = NoWord;
    }
    fillEventLabels();
    writeDefaultContents();
}

void resetLayoutSettings() {
    adventure.imageZone = DefaultImageZone;
    adventure.descriptionZone = DefaultDescriptionZone;
    adventure.textZone = DefaultTextZone;
    adventure.inventoryZone = DefaultInventoryZone;
    adventure.maxObjectsInInventory = 10;
    adventure.maxObjectsInHand = 2;
    adventure.minorEventCount = 1;
    adventure.majorEventCount = 1;
}
