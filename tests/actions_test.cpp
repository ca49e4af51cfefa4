// The actions: object moves with their exact transitions, flags and their
// arithmetic, moving the player, numbers that cannot index a table; the
// actions that draw (messages, inventory, questions, clearing, pictures); the
// actions that wait and the samples.
#include "engine/actions.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/test_support.h"

namespace {

void act(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    executeAction(type, arg1, arg2, 255);
}
int64_t& location(int object) {
    return adventure.objectLocations[object];
}

constexpr int64_t Huge = std::numeric_limits<int64_t>::max();
constexpr int64_t Tiny = std::numeric_limits<int64_t>::min();
constexpr Colour Red = rgb(255, 0, 0);
constexpr Colour Blue = rgb(0, 0, 255);
using Texts = std::vector<std::string>;

// The pixels of one line slot of a zone, inside its margins, to compare with later.
std::vector<Colour> lineSlot(const Zone& zone, int line) {
    std::vector<Colour> pixels;
    for (int64_t y = lineTop(zone, line); y < lineTop(zone, line + 1); ++y) {
        for (int64_t x = zone.x + 2; x < zone.x + zone.width - 2; ++x) pixels.push_back(readPixel(backBuffer, x, y));
    }
    return pixels;
}

Colour imageZoneCentre() {
    const Zone& zone = adventure.imageZone;
    return readPixel(backBuffer, zone.x + zone.width / 2, zone.y + zone.height / 2);
}

}  // namespace

// Each object action moves an object only from the places it applies to; the
// limits of the built-in verbs are not checked by the actions.
TEST(ActionsState, ObjectsMoveOnlyFromThePlacesEachActionTakesThemFrom) {
    struct Move {
        int64_t type, arg2, room, from, to;
    };
    // clang-format off
    const Move moves[] = {
        {PrendsObjet, 255, 2, 2, InInventory}, {PrendsObjet, 255, 2, 3, 3}, {PrendsObjet, 255, 2, InHand, InHand},
        {PrendsObjet, 255, 2, NotCreated, NotCreated}, {MetObjetEnMain, 255, 2, InInventory, InHand},
        {MetObjetEnMain, 255, 2, 2, 2}, {MetObjetEnMain, 255, 2, InHand, InHand},
        {ObjetNonEnMain, 255, 2, InHand, InInventory}, {ObjetNonEnMain, 255, 2, InInventory, InInventory},
        {ObjetNonEnMain, 255, 2, 2, 2}, {JetteObjet, 255, 5, InInventory, 5}, {JetteObjet, 255, 5, InHand, 5},
        {JetteObjet, 255, 5, 3, 3}, {JetteObjet, 255, 5, NotCreated, NotCreated},
        {DetruitObjet, 255, 1, InHand, NotCreated}, {DetruitObjet, 255, 1, 3, NotCreated},
        {DetruitObjet, 255, 1, NotCreated, NotCreated}, {CreeObjet, 255, 6, InHand, 6},
        {CreeObjetEn, 254, 6, NotCreated, InInventory}, {CreeObjetEn, 3, 6, 5, 3},
        {CreeObjetEn, NotCreated, 6, 3, NotCreated}, {CreeObjetEn, InHand, 6, NotCreated, InHand}};
    // clang-format on
    startPlay("actions_moves");
    adventure.maxObjectsInInventory = 0;
    adventure.maxObjectsInHand = 0;
    for (const Move& m : moves) {
        currentRoom = m.room;
        location(4) = m.from;
        act(m.type, 4, m.arg2);
        EXPECT_EQ(location(4), m.to) << "action " << m.type << " from " << m.from;
        const bool lists = m.type == CreeObjet || m.type == CreeObjetEn;  // they redraw the room's objects
        EXPECT_EQ(textsOnly(takeOutput()).empty(), !lists) << "action " << m.type;
    }
}

TEST(ActionsState, DropEverythingAndExchangeApplyWhereverTheObjectsAre) {
    startPlay("actions_drop_exchange");
    currentRoom = 4;
    const PlaySnapshot before = snapshotPlay();
    act(JetteTout);  // nothing carried
    EXPECT_TRUE(snapshotPlay() == before);
    location(0) = InInventory;
    location(7) = InHand;
    location(255) = InInventory;
    location(1) = 2;
    location(2) = NotCreated;
    act(JetteTout);
    EXPECT_EQ((std::vector<int64_t>{location(0), location(7), location(255), location(1), location(2)}),
              (std::vector<int64_t>{4, 4, 4, 2, NotCreated}));

    location(0) = InHand;
    location(1) = 3;
    act(EchangeObjets, 0, 1);
    EXPECT_EQ(location(0), 3);
    EXPECT_EQ(location(1), InHand);
    act(EchangeObjets, 1, 1);  // the same object twice: nothing changes
    EXPECT_EQ(location(1), InHand);
    location(2) = InInventory;
    act(EchangeObjets, 2, 0);
    EXPECT_EQ(location(2), 3);
    EXPECT_EQ(location(0), InInventory);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsState, FlagsAreSetClearedAndRaised) {
    startPlay("actions_flags");
    const struct {
        int64_t type, arg1, arg2, flag, stored;
    } cases[] = {// clang-format off
        {DonneAuFlag, 3, -42, 3, -42}, {DonneAuFlag, 3, Huge, 3, Huge}, {MetFlag, 4, 255, 4, 255},
        {EffaceFlag, 4, 255, 4, 0}, {DonneAuFlag, 255, 7, 255, 7}};
    // clang-format on
    for (const auto& c : cases) {
        act(c.type, c.arg1, c.arg2);
        EXPECT_EQ(flags[c.flag], c.stored) << "action " << c.type;
    }
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

// The sum is reduced by the remainder with the sign of the sum: 0..255 stay,
// 256..510 lose 256, negative sums stay negative.
TEST(ActionsState, FlagArithmeticKeepsTheSignOfTheSum) {
    startPlay("actions_flag_sum");
    const struct {
        int64_t first, second, stored;
    } cases[] = {
        // clang-format off
        {200, 100, 44}, {255, 1, 0}, {3, 4, 7}, {255, 255, 254}, {-10, 7, -3}, {-300, 10, -34}, {-1, -255, 0},
        {300, -100, 200}, {-256, 0, 0}, {1000, 24, 0},
        {Huge, Huge, 254},  // 2^64 - 2 without overflow
        {Tiny, Tiny, 0},    // -2^64
        {Tiny, -1, -1}};    // -2^63 - 1: remainder -1
    // clang-format on
    for (const auto& c : cases) {
        flags[1] = c.first;
        flags[2] = c.second;
        act(AjouteAuFlag, 1, 2);
        EXPECT_EQ(flags[1], c.stored) << c.first << " + " << c.second;
        EXPECT_EQ(flags[2], c.second);
    }
    // The same flag twice doubles it modulo 256.
    for (int64_t value : {200, -200}) {
        flags[5] = value;
        act(AjouteAuFlag, 5, 5);
        EXPECT_EQ(flags[5], value > 0 ? 144 : -144);
    }
}

TEST(ActionsState, GoingElsewhereOnlyMarksTheScreenForRedrawing) {
    startPlay("actions_goto");
    currentRoom = 2;
    act(AllerEn, 4);
    act(AfficheMessage, 0);  // printed on the old screen
    EXPECT_EQ(currentRoom, 4);
    EXPECT_TRUE(needFullRedraw);
    EXPECT_EQ(textsOnly(takeOutput()), Texts{"Message 0."});
    needFullRedraw = false;
    act(AllerEn, 255);  // a pseudo-location is still a number of the table
    EXPECT_EQ(currentRoom, 255);
    EXPECT_TRUE(needFullRedraw);
}

// An action whose object, flag, room, message or sample number lies outside
// 0..255 (possible only in a loaded file), or whose type is unknown, does
// nothing at all.
TEST(ActionsState, NumbersOutsideTheTablesAndUnknownTypesDoNothing) {
    startPlay("actions_range");
    currentRoom = 2;
    location(0) = 2;
    location(1) = InInventory;
    location(2) = InHand;
    flags[0] = 7;
    const PlaySnapshot before = snapshotPlay();
    for (int64_t bad : {int64_t{256}, int64_t{-1}, int64_t{1000}, Huge, Tiny}) {
        for (int64_t type : {AfficheMessage, AllerEn, CreeObjet, DetruitObjet, EffaceFlag, JetteObjet, MetFlag,
                             MetObjetEnMain, ObjetNonEnMain, PrendsObjet, JouerSample}) {
            act(type, bad);
        }
        for (int64_t type : {AjouteAuFlag, CreeObjetEn, EchangeObjets}) {
            act(type, bad, type == AjouteAuFlag ? 0 : 2);
            act(type, type == AjouteAuFlag ? 0 : 1, bad);
        }
        act(SallePrendImage, bad, 9);
        act(DonneAuFlag, bad, 1);
    }
    for (int64_t type : {int64_t{25}, int64_t{-1}, int64_t{-2}, int64_t{1000}, Huge, Tiny}) {
        act(type, 0, 0);
        act(type, 1, 254);
    }
    EXPECT_TRUE(snapshotPlay() == before);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

// Messages go one under the other into the text zone, an empty one prints
// nothing; the inventory shows hand and inventory in object order, not the
// object lying here, after blanking the zone; creating lists the objects of
// the current room in the inventory zone, destroying redraws nothing.
TEST(ActionsScreen, MessagesInventoryAndRoomListsGoIntoTheirZones) {
    startPlay("screen_messages");
    const Zone& text = adventure.textZone;
    const Zone& list = adventure.inventoryZone;
    const int64_t th = gameLineHeight();
    adventure.messageTexts[7] = u"Le garde dort.";
    adventure.messageTexts[8] = u"";
    for (int64_t message : {-1, 7, 8, 0}) act(message < 0 ? AfficheOk : AfficheMessage, message);
    EXPECT_EQ(placedTexts(takeOutput()), (Texts{placed(text.x + 2, lineTop(text, 0), "D'accord."),
                                                placed(text.x + 2, lineTop(text, 1), "Le garde dort."),
                                                placed(text.x + 2, lineTop(text, 2), "Message 0.")}));
    EXPECT_EQ(textCursor, 3 * th);

    const std::vector<Colour> cleanSecondLine = lineSlot(list, 1);
    act(AfficheInventaire);
    EXPECT_EQ(placedTexts(takeOutput()), Texts{placed(list.x + 2, list.y + 2, "Vous avez: Rien du tout")});
    EXPECT_EQ(inventoryCursor, th);
    adventure.objectTexts[3] = u"Une pomme";
    adventure.objectTexts[9] = u"Le sac";
    location(3) = InHand;
    location(9) = InInventory;
    location(1) = currentRoom;
    act(AfficheInventaire);
    EXPECT_EQ(textsOnly(takeOutput()), Texts{"Vous avez: Une pomme, le sac"});
    for (int object = 0; object < 6; ++object) location(object) = InInventory;
    act(AfficheInventaire);  // six objects: more than one line
    ASSERT_GE(textsOnly(takeOutput()).size(), 2u);
    ASSERT_NE(lineSlot(list, 1), cleanSecondLine);
    act(JetteTout);
    act(AfficheInventaire);
    EXPECT_EQ(textsOnly(takeOutput()), Texts{"Vous avez: Rien du tout"});
    EXPECT_EQ(lineSlot(list, 1), cleanSecondLine);
    EXPECT_EQ(inventoryCursor, th);

    currentRoom = 3;
    adventure.objectTexts[2] = u"Pomme";
    adventure.objectTexts[4] = u"Sac";
    act(CreeObjet, 2);
    EXPECT_EQ(placedTexts(takeOutput()), Texts{placed(list.x + 2, list.y + 2, "Vous voyez : Pomme")});
    const std::pair<int64_t, Texts> creations[] = {{254, {"Vous voyez : Pomme"}},  // into the inventory
                                                   {3, {"Vous voyez : Pomme, sac"}}};
    for (const auto& [where, shown] : creations) {
        act(CreeObjetEn, 4, where);
        EXPECT_EQ(textsOnly(takeOutput()), shown) << where;
    }
    act(DetruitObjet, 2);
    act(DetruitObjet, 4);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
    act(CreeObjetEn, 2, 5);
    EXPECT_EQ(textsOnly(takeOutput()), Texts{"Vous voyez : Rien du tout"});
}

// The end asks whether to play again after the score line, in the singular
// for 0 and 1 command, in the author's own wording; quitting asks its question.
TEST(ActionsScreen, TheScoreLineCountsCommandsInSingularOrPluralAndQuittingAsks) {
    startPlay("screen_score");
    const Zone& zone = adventure.textZone;
    const std::pair<int64_t, const char*> cases[] = {{1, "Vous avez fait 1 action"},
                                                     {5, "Vous avez fait 5 actions"},
                                                     {2, "Vous avez fait 2 actions"},
                                                     {0, "Vous avez fait 0 action"}};
    for (const auto& [turns, score] : cases) {
        clearScreen();
        turnCount = turns;
        act(FinirLeJeu);
        EXPECT_TRUE(endOfGamePending);
        EXPECT_EQ(placedTexts(takeOutput()),
                  (Texts{placed(zone.x + 2, lineTop(zone, 0), score),
                         placed(zone.x + 2, lineTop(zone, 1), "Fin de la partie - Voulez-vous rejouer ?"),
                         placed(zone.x + 2, lineTop(zone, 2), "O/N")}));
    }
    const std::pair<int, const char16_t*> wording[] = {
        {11, u"Coups joués :"}, {12, u"coup"}, {13, u"x"}, {21, u"Oui"}, {22, u"Non"}};
    for (const auto& [message, text] : wording) adventure.systemMessages[message] = text;
    turnCount = 12;
    act(FinirLeJeu);
    EXPECT_EQ(textsOnly(takeOutput()),
              (Texts{"Coups joués : 12 coupx", "Fin de la partie - Voulez-vous rejouer ?", "Oui/Non"}));

    startPlay("screen_quit");
    act(QuitterJeu);
    EXPECT_TRUE(quitPending);
    EXPECT_FALSE(endOfGamePending);
    EXPECT_EQ(textsOnly(takeOutput()), (Texts{"Voulez-vous vraiment arrêter le jeu ?", "O/N"}));
    EXPECT_EQ(textCursor, 2 * gameLineHeight());
}

// Clearing the screen prints nothing and empties every zone; describing the
// room clears too, then prints the room with its exits, its objects, the
// prompt and the last command.
TEST(ActionsScreen, DescribingAndClearingStartEveryZoneAgain) {
    startPlay("screen_describe");
    const int64_t th = gameLineHeight();
    const Zone& text = adventure.textZone;
    const std::vector<Colour> cleanText = lineSlot(text, 2);
    const std::vector<Colour> cleanInventory = lineSlot(adventure.inventoryZone, 0);
    for (int i = 0; i < 3; ++i) act(AfficheOk);
    act(AfficheInventaire);
    takeOutput();
    ASSERT_NE(lineSlot(text, 2), cleanText);
    needFullRedraw = true;
    act(EffaceEcran);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
    EXPECT_EQ(lineSlot(text, 2), cleanText);
    EXPECT_EQ(lineSlot(adventure.inventoryZone, 0), cleanInventory);
    EXPECT_EQ((std::vector<int64_t>{textCursor, descriptionCursor, inventoryCursor}), (std::vector<int64_t>{0, 0, 0}));
    EXPECT_FALSE(needFullRedraw);

    for (int i = 0; i < 3; ++i) act(AfficheOk);
    currentRoom = 2;  // "Dans la cours du château."
    adventure.exits[2][0] = 1;
    adventure.exits[2][2] = 3;
    adventure.exits[2][5] = 254;  // no way out
    adventure.objectTexts[8] = u"Une pomme";
    location(8) = 2;
    lastCommand = u"REGARDE";
    needFullRedraw = true;
    takeOutput();
    act(DecritSalleActuelle);
    const Zone& description = adventure.descriptionZone;
    EXPECT_EQ(
        placedTexts(takeOutput()),
        (Texts{placed(description.x + 2, description.y + 2, "Dans la cours du château. <NE>"),
               placed(adventure.inventoryZone.x + 2, adventure.inventoryZone.y + 2, "Vous voyez : Une pomme"),
               placed(text.x + 2, lineTop(text, 0), "A vous :"), placed(text.x + 2, lineTop(text, 1), "REGARDE")}));
    EXPECT_EQ(lineSlot(text, 2), cleanText);  // the old dialogue is gone
    EXPECT_EQ((std::vector<int64_t>{textCursor, descriptionCursor, inventoryCursor}),
              (std::vector<int64_t>{2 * th, th, th}));
    EXPECT_FALSE(needFullRedraw);
}

// A room shows a picture only when its own numbered file exists; the picture
// drawn is the one named after the number the room currently takes, stretched
// over the image zone; an empty file is no picture.
TEST(ActionsScreen, RoomPicturesFollowTheRoomsImageNumbersAndAreNotKept) {
    const std::string folder = startPlay("screen_pictures");
    writeSolidPicture(folder + "/2.jpg", Red, 16, 16);
    writeSolidPicture(folder + "/9.jpg", Blue, 16, 16);
    const Zone& zone = adventure.imageZone;
    const Colour background = imageZoneCentre();
    ASSERT_NE(background, Red);
    ASSERT_NE(background, Blue);
    currentRoom = 2;
    act(EffaceEcran);
    EXPECT_EQ(imageZoneCentre(), Red);
    EXPECT_EQ(readPixel(backBuffer, zone.x + zone.width - 1, zone.y + zone.height - 1), Red);
    EXPECT_NE(readPixel(backBuffer, zone.x + zone.width + 1, zone.y + zone.height / 2), Red);
    // Another room's picture changes: the current room is redescribed as it is.
    act(SallePrendImage, 4, 9);
    EXPECT_EQ(roomImages[4], 9);
    EXPECT_EQ(imageZoneCentre(), Red);
    EXPECT_EQ(textsOnly(takeOutput()).at(0), "Dans la cours du château.");
    // Room 4 has no file of its own yet: no picture, whatever it takes.
    act(AllerEn, 4);
    act(DecritSalleActuelle);
    EXPECT_EQ(imageZoneCentre(), background);
    writeSolidPicture(folder + "/4.jpg", Red, 16, 16);
    act(DecritSalleActuelle);
    EXPECT_EQ(imageZoneCentre(), Blue);
    // The current room's own picture changes at once; a number without a
    // file draws nothing, and so does an empty file of the room's own.
    act(AllerEn, 2);
    act(SallePrendImage, 2, 9);
    EXPECT_EQ(imageZoneCentre(), Blue);
    act(SallePrendImage, 2, 77);
    EXPECT_EQ(imageZoneCentre(), background);
    writeFileBytes(folder + "/2.jpg", "");
    act(SallePrendImage, 2, 9);
    EXPECT_EQ(imageZoneCentre(), background);
    writeSolidPicture(folder + "/2.jpg", Red, 16, 16);

    // Pictures loaded and copies taken by the actions are released.
    act(SallePrendImage, 2, 2);
    const int64_t alive = liveImageCount();
    for (int i = 0; i < 30; ++i) {
        act(DecritSalleActuelle);
        act(EffaceEcran);
        act(SallePrendImage, 2, 2);
        act(AfficheInventaire);
        act(CreeObjet, 1);
    }
    EXPECT_EQ(liveImageCount(), alive);
    EXPECT_EQ(imageZoneCentre(), Red);
    takeOutput();
}

// What the next poll gives: the event the wait left in the script.
static int64_t nextTypedChar() {
    pollInput();
    return inputState.typedChar;
}

TEST(ActionsWaits, WaitingForAKeyEndsOnAClickAKeyOrACharacter) {
    startPlay("waits_key");
    // The wheel does not end the wait; the click does, and what follows it is
    // left for the game.
    queueScript("wheel 1\nwheel -2 ctrl\nclick 10 10\ntype A\n");
    act(AttendreTouche);
    EXPECT_EQ(nextTypedChar(), u'A');
    for (const char* key : {"return", "escape", "backspace", "up", "down", "pageup", "pagedown"}) {
        queueScript(std::string("wheel 1\nkey ") + key + "\ntype B\n");
        act(AttendreTouche);
        EXPECT_EQ(nextTypedChar(), u'B') << key;
    }
    queueScript("wheel 3\ntype CD\n");
    act(AttendreTouche);
    EXPECT_EQ(nextTypedChar(), u'D');
}

// Both waits present the screen first; the pause reads no input and takes any
// number of seconds without harm.
TEST(ActionsWaits, WaitingAndPausingPresentTheScreenFirst) {
    const std::string folder = startPlay("waits_present");
    act(AfficheMessage, 0);
    takeOutput();
    auto shotShowsFirstTextLine = [](const std::string& shot) {
        ImageHandle frame = loadImage(utf8ToText(shot));
        const Zone& zone = adventure.textZone;
        int64_t differences = frame == 0 ? 1 : 0;
        for (int64_t y = lineTop(zone, 0); frame != 0 && y < lineTop(zone, 1); ++y) {
            for (int64_t x = zone.x + 2; x < zone.x + 200; ++x) {
                differences += readPixel(frame, x, y) != readPixel(backBuffer, x, y) ? 1 : 0;
            }
        }
        freeImage(frame);
        return differences == 0;
    };
    queueScript("shot " + folder + "/wait.png\nkey return\n");
    act(AttendreTouche);
    EXPECT_TRUE(shotShowsFirstTextLine(folder + "/wait.png"));
    act(Pause, 2);
    queueScript("shot " + folder + "/pause.png\ntype Z\n");
    EXPECT_EQ(nextTypedChar(), u'Z');  // nothing was taken during the pause
    EXPECT_TRUE(shotShowsFirstTextLine(folder + "/pause.png"));
    const PlaySnapshot before = snapshotPlay();
    for (int64_t seconds : {int64_t{0}, int64_t{-5}, Huge, Tiny}) act(Pause, seconds);
    EXPECT_TRUE(snapshotPlay() == before);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsWaits, ASampleStartsAndRestartsOnItsOwnVoiceAndWithoutFileDoesNothing) {
    startPlay("waits_sample");
    sampleSounds[7] = loadSound(utf8ToText(ORVALDE_TEST_DATA "/beep.ogg"));
    ASSERT_NE(sampleSounds[7], 0) << "the sound service must load a sample";
    samplePlayHandles[7] = 0;
    act(JouerSample, 7);
    const int64_t first = samplePlayHandles[7];
    EXPECT_NE(first, 0);
    act(JouerSample, 7);  // restarts it on the same voice
    EXPECT_EQ(samplePlayHandles[7], first);
    freeSound(sampleSounds[7]);
    sampleSounds[7] = 0;
    stopAllSounds();

    samplePlayHandles[8] = 3;  // left from an earlier session
    samplePlayHandles[9] = 0;
    act(JouerSample, 8);
    act(JouerSample, 9);
    EXPECT_EQ(samplePlayHandles[8], 3);
    EXPECT_EQ(samplePlayHandles[9], 0);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}
