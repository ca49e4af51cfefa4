#include "model/event_labels.h"

std::u16string conditionLabels[ConditionTypeCount];
std::u16string actionLabels[ActionTypeCount];

void fillEventLabels() {
    static const char16_t* const conditions[ConditionTypeCount] = {
        u"En salle *",
        u"En salle inférieure à *",
        u"En salle supérieure à *",
        u"Flag * égal à zéro",
        u"Flag * pas égal à zéro",
        u"Flag * < *",
        u"Flag * = *",
        u"Flag * > *",
        u"Objet * en inventaire",
        u"Objet * en main",
        u"Objet * ici",
        u"Objet * pas en inventaire",
        u"Objet * pas en main",
        u"Objet * pas ici",
    };
    static const char16_t* const actions[ActionTypeCount] = {
        u"Affiche Ok",
        u"Affiche inventaire",
        u"Affiche message *",
        u"Affiche * au flag *",
        u"Aller en *",
        u"Attendre touche",
        u"Crée objet *",
        u"Crée objet * en *",
        u"Décrit salle actuelle",
        u"Détruit objet *",
        u"Echange objet * et *",
        u"Efface flag *",
        u"Efface écran",
        u"Salle * prend image n° *",
        u"Finir le jeu",
        u"Flag * = *",
        u"Jette objet *",
        u"Jette tout",
        u"Met flag *",
        u"Objet * en main",
        u"Objet * non en main",
        u"Pause *",
        u"Prends objet *",
        u"Quitter jeu",
        u"Jouer sample ogg *",
    };
    for (int i = 0; i < ConditionTypeCount; ++i) conditionLabels[i] = conditions[i];
    for (int i = 0; i < ActionTypeCount; ++i) actionLabels[i] = actions[i];
}
