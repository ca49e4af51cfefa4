// The adventure a new project starts from, and the lookups on it.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "engine/game_state.h"
#include "model/adventure.h"
#include "model/event_labels.h"

namespace {

void dirtyEverything() {
    for (int i = 0; i < TableSize; ++i) {
        adventure.vocabulary[i][9] = u"X";
        adventure.messageTexts[i] = u"m";
        adventure.roomTexts[i] = u"r";
        adventure.objectTexts[i] = u"o";
        adventure.systemMessages[i] = u"s";
        adventure.exits[i][3] = 7;
        adventure.objectLocations[i] = 4;
        adventure.objectAttributes[i][AssociatedWord] = 1;
        adventure.objectAttributes[i][Takeable] = 1;
        adventure.objectAttributes[i][Holdable] = 1;
    }
    adventure.minorEvents[999].actions[24] = {3, 1, 2, 3};
    adventure.majorEvents[500].conditions[0] = {4, 4, 4, 4};
    adventure.minorEvents[0].words[1] = 6;
    adventure.imageZone = {1, 2, 3, 4};
    adventure.maxObjectsInHand = 9;
    adventure.minorEventCount = 17;
    currentRoom = 42;
}

}  // namespace

TEST(DefaultAdventure, ResetEmptiesEveryTableThenWritesTheCastle) {
    dirtyEverything();
    resetAdventure();
    EXPECT_EQ(currentRoom, 0);
    for (int i = 0; i < TableSize; ++i) {
        EXPECT_TRUE(adventure.vocabulary[i][9].empty());
        for (int d = 0; d < DirectionCount; ++d) EXPECT_EQ(adventure.exits[i][d], NoExit);
        EXPECT_EQ(adventure.objectLocations[i], NotCreated);
        EXPECT_EQ(adventure.objectAttributes[i][AssociatedWord], NoWord);
        EXPECT_EQ(adventure.objectAttributes[i][Takeable], 0);
        EXPECT_EQ(adventure.objectAttributes[i][Holdable], 0);
    }
    EXPECT_EQ(adventure.minorEvents[999].actions[24].type, EndOfList);
    EXPECT_EQ(adventure.minorEvents[999].actions[24].arg3, 255);
    EXPECT_EQ(adventure.majorEvents[500].conditions[0].type, EndOfList);
    EXPECT_EQ(adventure.majorEvents[500].conditions[0].arg1, 255);
    EXPECT_EQ(adventure.minorEvents[0].words[1], NoWord);

    // clang-format off
    const std::pair<const std::u16string*, std::u16string> texts[] = {
        {&adventure.vocabulary[0][0], u"N"}, {&adventure.vocabulary[0][1], u"NORD"},
        {&adventure.vocabulary[7][1], u"JETTE"}, {&adventure.vocabulary[10][1], u"I"},
        {&adventure.vocabulary[15][0], u"ETEINS"}, {&adventure.vocabulary[6][1], u""}, {&adventure.vocabulary[16][0], u""},
        {&adventure.messageTexts[0], u"Message 0."}, {&adventure.messageTexts[1], u""},
        {&adventure.roomTexts[0], u"Vous vous trouvez à l'entrée du château."},
        {&adventure.roomTexts[6], u"La princesse dans sa cellule, maintenant LIBRE."}, {&adventure.roomTexts[7], u""},
        {&adventure.roomTexts[253], u"Non créé."}, {&adventure.roomTexts[254], u"En inventaire."},
        {&adventure.roomTexts[255], u"En main."}, {&adventure.objectTexts[0], u"Une épée"},
        {&adventure.objectTexts[5], u"Le dragon endormi"}, {&adventure.objectTexts[6], u""},
        {&adventure.systemMessages[3], u"Je ne peux pas aller pas là."},
        {&adventure.systemMessages[23], u"Numéro de sauvegarde (1 à 9) :"},
        {&adventure.systemMessages[25], u"Vous ne pouvez pas écrire sur ce disque."}, {&adventure.systemMessages[26], u""},
    };
    // clang-format on
    for (const auto& [text, expected] : texts) EXPECT_EQ(*text, expected) << textToUtf8(expected);
}

TEST(DefaultAdventure, ResetLeavesTheLayoutAndCountsToTheEditorReset) {
    dirtyEverything();
    resetAdventure();
    EXPECT_EQ(adventure.imageZone.x, 1);
    EXPECT_EQ(adventure.maxObjectsInHand, 9);
    EXPECT_EQ(adventure.minorEventCount, 17);
    resetLayoutSettings();
    const Adventure& a = adventure;
    // clang-format off
    const std::vector<int64_t> layout = {
        a.imageZone.x, a.imageZone.y, a.imageZone.width, a.imageZone.height,
        a.descriptionZone.x, a.descriptionZone.y, a.descriptionZone.width, a.descriptionZone.height,
        a.textZone.x, a.textZone.y, a.textZone.width, a.textZone.height,
        a.inventoryZone.x, a.inventoryZone.y, a.inventoryZone.width, a.inventoryZone.height,
        a.maxObjectsInInventory, a.maxObjectsInHand, a.minorEventCount, a.majorEventCount};
    EXPECT_EQ(layout, (std::vector<int64_t>{0, 0, 400, 300, 0, 360, 800, 64, 0, 424, 800, 140, 490, 190, 300, 124,
                                            10, 2, 1, 1}));
    // clang-format on
}

TEST(DefaultAdventure, ResetFillsTheEventLabelsWithTheirFrenchTexts) {
    conditionLabels[FlagInferieurA].clear();
    actionLabels[JouerSample].clear();
    resetAdventure();
    EXPECT_EQ(conditionLabels[EnSalle], u"En salle *");
    EXPECT_EQ(conditionLabels[EnSalleInferieureA], u"En salle inférieure à *");
    EXPECT_EQ(conditionLabels[FlagInferieurA], u"Flag * < *");
    EXPECT_EQ(conditionLabels[ObjetPasIci], u"Objet * pas ici");
    EXPECT_EQ(actionLabels[AjouteAuFlag], u"Affiche * au flag *");
    EXPECT_EQ(actionLabels[SallePrendImage], u"Salle * prend image n° *");
    EXPECT_EQ(actionLabels[DonneAuFlag], conditionLabels[FlagEgalA]);
    EXPECT_EQ(actionLabels[MetObjetEnMain], conditionLabels[ObjetEnMain]);
    EXPECT_EQ(actionLabels[JouerSample], u"Jouer sample ogg *");
}

TEST(FindObject, TheLowestObjectWithTheWordAtTheLocationIsFound) {
    resetAdventure();
    EXPECT_EQ(findObject(20, 3), -1);
    // Two objects named by word 20: one elsewhere, then two in room 3.
    adventure.objectAttributes[2][AssociatedWord] = 20;
    adventure.objectLocations[2] = 5;
    adventure.objectAttributes[9][AssociatedWord] = 20;
    adventure.objectLocations[9] = 3;
    adventure.objectAttributes[4][AssociatedWord] = 20;
    adventure.objectLocations[4] = 3;
    EXPECT_EQ(findObject(20, 3), 4);
    EXPECT_EQ(findObject(20, 5), 2);
    EXPECT_EQ(findObject(21, 3), -1);
    // Every object starts with no word and not created: the pair matches all.
    EXPECT_EQ(findObject(NoWord, NotCreated), 0);
    EXPECT_EQ(findObject(NoWord, InInventory), -1);
}
