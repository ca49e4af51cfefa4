#include "model/event_labels.h"

std::u16string conditionLabels[ConditionTypeCount];
std::u16string actionLabels[ActionTypeCount];

namespace {

// A step type: its label and what its arguments refer to, in order.
struct StepTypeEntry {
    const char16_t* label;
    ArgumentKind arguments[2];
};

const StepTypeEntry conditionTypes[ConditionTypeCount] = {
    {u"En salle *", {RoomArgument, NoArgument}},
    {u"En salle inférieure à *", {RoomBoundArgument, NoArgument}},
    {u"En salle supérieure à *", {RoomBoundArgument, NoArgument}},
    {u"Flag * égal à zéro", {FlagArgument, NoArgument}},
    {u"Flag * pas égal à zéro", {FlagArgument, NoArgument}},
    {u"Flag * < *", {FlagArgument, ValueArgument}},
    {u"Flag * = *", {FlagArgument, ValueArgument}},
    {u"Flag * > *", {FlagArgument, ValueArgument}},
    {u"Objet * en inventaire", {ObjectArgument, NoArgument}},
    {u"Objet * en main", {ObjectArgument, NoArgument}},
    {u"Objet * ici", {ObjectArgument, NoArgument}},
    {u"Objet * pas en inventaire", {ObjectArgument, NoArgument}},
    {u"Objet * pas en main", {ObjectArgument, NoArgument}},
    {u"Objet * pas ici", {ObjectArgument, NoArgument}},
};

const StepTypeEntry actionTypes[ActionTypeCount] = {
    {u"Affiche Ok", {NoArgument, NoArgument}},
    {u"Affiche inventaire", {NoArgument, NoArgument}},
    {u"Affiche message *", {MessageArgument, NoArgument}},
    {u"Affiche * au flag *", {FlagArgument, FlagArgument}},
    {u"Aller en *", {RoomArgument, NoArgument}},
    {u"Attendre touche", {NoArgument, NoArgument}},
    {u"Crée objet *", {ObjectArgument, NoArgument}},
    {u"Crée objet * en *", {ObjectArgument, LocationArgument}},
    {u"Décrit salle actuelle", {NoArgument, NoArgument}},
    {u"Détruit objet *", {ObjectArgument, NoArgument}},
    {u"Echange objet * et *", {ObjectArgument, ObjectArgument}},
    {u"Efface flag *", {FlagArgument, NoArgument}},
    {u"Efface écran", {NoArgument, NoArgument}},
    {u"Salle * prend image n° *", {RoomArgument, PictureArgument}},
    {u"Finir le jeu", {NoArgument, NoArgument}},
    {u"Flag * = *", {FlagArgument, ValueArgument}},
    {u"Jette objet *", {ObjectArgument, NoArgument}},
    {u"Jette tout", {NoArgument, NoArgument}},
    {u"Met flag *", {FlagArgument, NoArgument}},
    {u"Objet * en main", {ObjectArgument, NoArgument}},
    {u"Objet * non en main", {ObjectArgument, NoArgument}},
    {u"Pause *", {ValueArgument, NoArgument}},
    {u"Prends objet *", {ObjectArgument, NoArgument}},
    {u"Quitter jeu", {NoArgument, NoArgument}},
    {u"Jouer sample ogg *", {SampleArgument, NoArgument}},
};

}  // namespace

ArgumentKind stepArgumentKind(StepList list, int64_t type, int argument) {
    const int64_t count = list == ActionList ? int64_t{ActionTypeCount} : int64_t{ConditionTypeCount};
    if (type < 0 || type >= count || argument < 1 || argument > 2) return NoArgument;
    const StepTypeEntry& entry = list == ActionList ? actionTypes[type] : conditionTypes[type];
    return entry.arguments[argument - 1];
}

void fillEventLabels() {
    for (int i = 0; i < ConditionTypeCount; ++i) conditionLabels[i] = conditionTypes[i].label;
    for (int i = 0; i < ActionTypeCount; ++i) actionLabels[i] = actionTypes[i].label;
}
