// Actions that draw: the messages of the text zone, the inventory zone refresh,
// the end and quit questions, and the screen clearing and redescription with
// the room pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/actions.h"
#include "tests/actions_scenario.h"

using namespace scenario;

namespace {

void act(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    executeAction(type, arg1, arg2, 255);
}

// The pixels of a rectangle of the back buffer, to compare with later.
struct Area {
    int64_t x, y, width, height;
    std::vector<Colour> pixels;
};

Area capture(int64_t x, int64_t y, int64_t width, int64_t height) {
    Area area{x, y, width, height, {}};
    for (int64_t row = y; row < y + height; ++row) {
        for (int64_t column = x; column < x + width; ++column)
            area.pixels.push_back(readPixel(backBuffer, column, row));
    }
    return area;
}

bool unchanged(const Area& area) {
    return capture(area.x, area.y, area.width, area.height).pixels == area.pixels;
}

// One line slot of a zone, inside its margins.
Area lineSlot(const Zone& zone, int line) {
    const int64_t th = gameLineHeight();
    return capture(zone.x + 2, zone.y + 2 + line * th, zone.width - 4, th);
}

// A one-colour picture file in the current folder (the project folder).
void writePicture(const std::u16string& name, Colour colour) {
    ImageHandle picture = createImage(16, 16, 32);
    beginDrawing(picture);
    fillRect(0, 0, 16, 16, colour);
    endDrawing();
    ASSERT_TRUE(saveImagePng(picture, name));
    freeImage(picture);
}

Colour imageZoneCentre() {
    const Zone& zone = adventure.imageZone;
    return readPixel(backBuffer, zone.x + zone.width / 2, zone.y + zone.height / 2);
}

std::vector<std::string> texts(std::initializer_list<const char*> lines) {
    return {lines.begin(), lines.end()};
}

constexpr Colour Red = rgb(255, 0, 0);
constexpr Colour Blue = rgb(0, 0, 255);

}  // namespace

TEST(ActionsScreen, MessagesGoOneUnderTheOtherIntoTheTextZone) {
    startPlay("screen_messages");
    const Zone& zone = adventure.textZone;
    const int64_t th = gameLineHeight();
    adventure.messageTexts[7] = u"Le garde dort.";
    adventure.messageTexts[8] = u"";
    act(AfficheOk);
    act(AfficheMessage, 7);
    act(AfficheMessage, 8);  // an empty message prints nothing
    act(AfficheMessage, 0);
    const std::vector<DrawnText> drawn = drawnTexts(takeOutput());
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].text, "D'accord.");
    EXPECT_EQ(drawn[1].text, "Le garde dort.");
    EXPECT_EQ(drawn[2].text, "Message 0.");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(drawn[i].x, zone.x + 2);
        EXPECT_EQ(drawn[i].y, lineTop(zone, (i + 1) * th));
    }
    EXPECT_EQ(textCursor, 3 * th);
}

TEST(ActionsScreen, InventoryShowsWhatIsCarriedInHandAndInventory) {
    startPlay("screen_inventory");
    const Zone& zone = adventure.inventoryZone;
    act(AfficheInventaire);
    std::vector<DrawnText> drawn = drawnTexts(takeOutput());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].text, "Vous avez: Rien du tout");
    EXPECT_EQ(drawn[0].x, zone.x + 2);
    EXPECT_EQ(drawn[0].y, zone.y + 2);
    EXPECT_EQ(inventoryCursor, gameLineHeight());

    // Objects in the hand and in the inventory, in object order; the object
    // lying in the room is not listed.
    adventure.objectTexts[3] = u"Une pomme";
    adventure.objectTexts[9] = u"Le sac";
    adventure.objectLocations[3] = InHand;
    adventure.objectLocations[9] = InInventory;
    adventure.objectLocations[1] = currentRoom;
    act(AfficheInventaire);
    EXPECT_EQ(textsOnly(takeOutput()), texts({"Vous avez: Une pomme, le sac"}));
}

TEST(ActionsScreen, TheInventoryRefreshBlanksTheZoneFirst) {
    startPlay("screen_inventory_blank");
    const Zone& zone = adventure.inventoryZone;
    const Area cleanSecondLine = lineSlot(zone, 1);
    for (int object = 0; object < 6; ++object) adventure.objectLocations[object] = InInventory;
    act(AfficheInventaire);  // six objects: more than one line
    ASSERT_GE(textsOnly(takeOutput()).size(), 2u);
    ASSERT_FALSE(unchanged(cleanSecondLine));

    act(JetteTout);
    act(AfficheInventaire);
    EXPECT_EQ(textsOnly(takeOutput()), texts({"Vous avez: Rien du tout"}));
    EXPECT_TRUE(unchanged(cleanSecondLine));
    EXPECT_EQ(inventoryCursor, gameLineHeight());
}

TEST(ActionsScreen, CreatingListsTheObjectsOfTheCurrentRoom) {
    startPlay("screen_create");
    const Zone& zone = adventure.inventoryZone;
    currentRoom = 3;
    adventure.objectTexts[2] = u"Pomme";
    adventure.objectTexts[4] = u"Sac";
    act(CreeObjet, 2);
    std::vector<DrawnText> drawn = drawnTexts(takeOutput());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].text, "Vous voyez : Pomme");
    EXPECT_EQ(drawn[0].y, zone.y + 2);

    // Created straight into the inventory: the zone shows the room's objects.
    act(CreeObjetEn, 4, 254);
    EXPECT_EQ(adventure.objectLocations[4], InInventory);
    EXPECT_EQ(textsOnly(takeOutput()), texts({"Vous voyez : Pomme"}));

    act(CreeObjetEn, 4, 3);
    EXPECT_EQ(textsOnly(takeOutput()), texts({"Vous voyez : Pomme, sac"}));

    act(DetruitObjet, 2);
    act(DetruitObjet, 4);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());  // destroying redraws nothing
    act(CreeObjetEn, 2, 5);
    EXPECT_EQ(textsOnly(takeOutput()), texts({"Vous voyez : Rien du tout"}));
}

TEST(ActionsScreen, TheScoreLineCountsCommandsInSingularOrPlural) {
    startPlay("screen_score");
    const Zone& zone = adventure.textZone;
    const int64_t th = gameLineHeight();
    turnCount = 1;
    act(FinirLeJeu);
    EXPECT_TRUE(endOfGamePending);
    std::vector<DrawnText> drawn = drawnTexts(takeOutput());
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0].text, "Vous avez fait 1 action");
    EXPECT_EQ(drawn[1].text, "Fin de la partie - Voulez-vous rejouer ?");
    EXPECT_EQ(drawn[2].text, "O/N");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(drawn[i].y, lineTop(zone, (i + 1) * th));

    turnCount = 5;
    act(FinirLeJeu);
    EXPECT_EQ(textsOnly(takeOutput())[0], "Vous avez fait 5 actions");
    turnCount = 2;
    act(FinirLeJeu);
    EXPECT_EQ(textsOnly(takeOutput())[0], "Vous avez fait 2 actions");
    turnCount = 0;
    act(FinirLeJeu);
    EXPECT_EQ(textsOnly(takeOutput())[0], "Vous avez fait 0 action");

    // The author's own wording.
    adventure.systemMessages[11] = u"Coups joués :";
    adventure.systemMessages[12] = u"coup";
    adventure.systemMessages[13] = u"x";
    adventure.systemMessages[21] = u"Oui";
    adventure.systemMessages[22] = u"Non";
    turnCount = 12;
    act(FinirLeJeu);
    EXPECT_EQ(textsOnly(takeOutput()),
              texts({"Coups joués : 12 coupx", "Fin de la partie - Voulez-vous rejouer ?", "Oui/Non"}));
}

TEST(ActionsScreen, QuittingAsksTheQuestion) {
    startPlay("screen_quit");
    act(QuitterJeu);
    EXPECT_TRUE(quitPending);
    EXPECT_FALSE(endOfGamePending);
    EXPECT_EQ(textsOnly(takeOutput()), texts({"Voulez-vous vraiment arrêter le jeu ?", "O/N"}));
    EXPECT_EQ(textCursor, 2 * gameLineHeight());
}

TEST(ActionsScreen, MovingThenPrintingPrintsOnTheOldScreen) {
    startPlay("screen_goto_then_print");
    currentRoom = 2;
    act(AllerEn, 4);
    act(AfficheMessage, 0);
    EXPECT_EQ(textsOnly(takeOutput()), texts({"Message 0."}));
    EXPECT_EQ(currentRoom, 4);
    EXPECT_TRUE(needFullRedraw);
}

TEST(ActionsScreen, DescribingClearsAndRedrawsTheWholeRoom) {
    startPlay("screen_describe");
    const int64_t th = gameLineHeight();
    const Area cleanTextLine3 = lineSlot(adventure.textZone, 2);
    for (int i = 0; i < 3; ++i) act(AfficheOk);
    takeOutput();
    ASSERT_FALSE(unchanged(cleanTextLine3));

    currentRoom = 2;  // "Dans la cours du château."
    adventure.exits[2][0] = 1;
    adventure.exits[2][2] = 3;
    adventure.exits[2][5] = 254;  // no way out
    adventure.objectTexts[8] = u"Une pomme";
    adventure.objectLocations[8] = 2;
    lastCommand = u"REGARDE";
    needFullRedraw = true;
    act(DecritSalleActuelle);
    const std::vector<DrawnText> drawn = drawnTexts(takeOutput());
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_EQ(drawn[0].text, "Dans la cours du château. <NE>");
    EXPECT_EQ(drawn[0].x, adventure.descriptionZone.x + 2);
    EXPECT_EQ(drawn[0].y, adventure.descriptionZone.y + 2);
    EXPECT_EQ(drawn[1].text, "Vous voyez : Une pomme");
    EXPECT_EQ(drawn[1].y, adventure.inventoryZone.y + 2);
    EXPECT_EQ(drawn[2].text, "A vous :");
    EXPECT_EQ(drawn[2].y, adventure.textZone.y + 2);
    EXPECT_EQ(drawn[3].text, "REGARDE");
    EXPECT_EQ(drawn[3].y, adventure.textZone.y + 2 + th);
    EXPECT_TRUE(unchanged(cleanTextLine3));  // the old dialogue is gone
    EXPECT_EQ(descriptionCursor, th);
    EXPECT_EQ(inventoryCursor, th);
    EXPECT_EQ(textCursor, 2 * th);
    EXPECT_FALSE(needFullRedraw);
}

TEST(ActionsScreen, ClearingTheScreenPrintsNothingAndEmptiesEveryZone) {
    startPlay("screen_clear");
    const Area cleanText = lineSlot(adventure.textZone, 0);
    const Area cleanInventory = lineSlot(adventure.inventoryZone, 0);
    act(AfficheOk);
    act(AfficheInventaire);
    takeOutput();
    ASSERT_FALSE(unchanged(cleanText));
    needFullRedraw = true;
    act(EffaceEcran);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
    EXPECT_TRUE(unchanged(cleanText));
    EXPECT_TRUE(unchanged(cleanInventory));
    EXPECT_EQ(textCursor, 0);
    EXPECT_EQ(descriptionCursor, 0);
    EXPECT_EQ(inventoryCursor, 0);
    EXPECT_FALSE(needFullRedraw);
}

// A room shows a picture only when its own numbered file exists; the picture
// drawn is the one named after the number the room currently takes.
TEST(ActionsScreen, RoomPicturesFollowTheRoomsImageNumbers) {
    startPlay("screen_pictures");
    writePicture(u"2.jpg", Red);
    writePicture(u"9.jpg", Blue);
    const Colour background = imageZoneCentre();
    ASSERT_NE(background, Red);
    ASSERT_NE(background, Blue);

    currentRoom = 2;
    act(EffaceEcran);
    EXPECT_EQ(imageZoneCentre(), Red);

    // Another room's picture changes: the current room is redescribed as it is.
    act(SallePrendImage, 4, 9);
    EXPECT_EQ(roomImages[4], 9);
    EXPECT_EQ(imageZoneCentre(), Red);
    EXPECT_EQ(textsOnly(takeOutput())[0], "Dans la cours du château.");

    // Room 4 has no file of its own yet: no picture, whatever it takes.
    act(AllerEn, 4);
    act(DecritSalleActuelle);
    EXPECT_EQ(imageZoneCentre(), background);
    writePicture(u"4.jpg", Red);
    act(DecritSalleActuelle);
    EXPECT_EQ(imageZoneCentre(), Blue);

    // The current room's own picture changes at once.
    act(AllerEn, 2);
    act(SallePrendImage, 2, 9);
    EXPECT_EQ(imageZoneCentre(), Blue);
    // A number without a file draws nothing.
    act(SallePrendImage, 2, 77);
    EXPECT_EQ(imageZoneCentre(), background);
}

// Pictures loaded and copies taken by the actions are released: redrawing
// again and again does not make the number of live images grow.
TEST(ActionsScreen, RedrawingDoesNotKeepPictures) {
    startPlay("screen_release");
    writePicture(u"0.jpg", Red);
    act(DecritSalleActuelle);
    act(AfficheInventaire);
    const int64_t alive = liveImageCount();
    for (int i = 0; i < 30; ++i) {
        act(DecritSalleActuelle);
        act(EffaceEcran);
        act(SallePrendImage, 0, 0);
        act(AfficheInventaire);
        act(CreeObjet, 1);
    }
    EXPECT_EQ(liveImageCount(), alive);
    EXPECT_EQ(imageZoneCentre(), Red);
}
