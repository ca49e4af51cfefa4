// Condition and action types, named by the French labels the editor shows;
// "*" in a label stands for one argument (arg1, then arg2).
#pragma once

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

// Filled by resetAdventure; indexed by the type number.
extern std::u16string conditionLabels[ConditionTypeCount];
extern std::u16string actionLabels[ActionTypeCount];

void fillEventLabels();
