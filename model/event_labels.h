// Condition and action types, named by the French labels the editor shows;
// "*" in a label stands for one argument (arg1, then arg2).
#pragma once

#include <cstdint>
#include <string>

enum ConditionType {
    EnSalle = 0,                // "En salle *"
    EnSalleInferieureA = 1,     // "En salle inférieure à *"
    EnSalleSuperieureA = 2,     // "En salle supérieure à *"
    FlagEgalAZero = 3,          // "Flag * égal à zéro"
    FlagPasEgalAZero = 4,       // "Flag * pas égal à zéro"
    FlagInferieurA = 5,         // "Flag * < *"
    FlagEgalA = 6,              // "Flag * = *"
    FlagSuperieurA = 7,         // "Flag * > *"
    ObjetEnInventaire = 8,      // "Objet * en inventaire"
    ObjetEnMain = 9,            // "Objet * en main"
    ObjetIci = 10,              // "Objet * ici"
    ObjetPasEnInventaire = 11,  // "Objet * pas en inventaire"
    ObjetPasEnMain = 12,        // "Objet * pas en main"
    ObjetPasIci = 13,           // "Objet * pas ici"
    ConditionTypeCount = 14
};

enum ActionType {
    AfficheOk = 0,            // "Affiche Ok"
    AfficheInventaire = 1,    // "Affiche inventaire"
    AfficheMessage = 2,       // "Affiche message *"
    AjouteAuFlag = 3,         // "Affiche * au flag *"
    AllerEn = 4,              // "Aller en *"
    AttendreTouche = 5,       // "Attendre touche"
    CreeObjet = 6,            // "Crée objet *"
    CreeObjetEn = 7,          // "Crée objet * en *"
    DecritSalleActuelle = 8,  // "Décrit salle actuelle"
    DetruitObjet = 9,         // "Détruit objet *"
    EchangeObjets = 10,       // "Echange objet * et *"
    EffaceFlag = 11,          // "Efface flag *"
    EffaceEcran = 12,         // "Efface écran"
    SallePrendImage = 13,     // "Salle * prend image n° *"
    FinirLeJeu = 14,          // "Finir le jeu"
    DonneAuFlag = 15,         // "Flag * = *"
    JetteObjet = 16,          // "Jette objet *"
    JetteTout = 17,           // "Jette tout"
    MetFlag = 18,             // "Met flag *"
    MetObjetEnMain = 19,      // "Objet * en main"
    ObjetNonEnMain = 20,      // "Objet * non en main"
    Pause = 21,               // "Pause *"
    PrendsObjet = 22,         // "Prends objet *"
    QuitterJeu = 23,          // "Quitter jeu"
    JouerSample = 24,         // "Jouer sample ogg *"
    ActionTypeCount = 25
};

// What an argument of a step refers to: the row of a table whose number it
// is, or a plain number. A room argument needs a room the player can be in
// (0..252, with text); a location may also be one of the codes 253..255; a
// room bound is compared with the current room's number, so any number
// serves. The editor names the referent beside a chosen number and the
// checker looks the referent up.
enum ArgumentKind {
    NoArgument = 0,
    ObjectArgument,
    RoomArgument,
    LocationArgument,
    RoomBoundArgument,
    MessageArgument,
    SampleArgument,
    PictureArgument,  // the number of a room picture, "N.jpg"
    FlagArgument,
    ValueArgument,  // a plain number: a flag's value, seconds
    // Not a step's argument: the values of the word fields of a minor event
    // and of the exits, named the same way.
    WordArgument,
    ExitArgument,
};

// Which list a step type belongs to.
enum StepList { ConditionList = 0, ActionList = 1 };

// What argument 1 or 2 of a step type refers to; NoArgument for a type
// outside the list and for an argument its label does not show.
ArgumentKind stepArgumentKind(StepList list, int64_t type, int argument);

// Filled by resetAdventure; indexed by the type number.
extern std::u16string conditionLabels[ConditionTypeCount];
extern std::u16string actionLabels[ActionTypeCount];

void fillEventLabels();
