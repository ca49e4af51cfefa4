#include "engine/actions.h"

#include <cstdint>
#include <limits>
#include <string>

#include "engine/command.h"
#include "engine/game_state.h"
#include "engine/game_text.h"
#include "engine/screen.h"
#include "model/adventure.h"
#include "model/event_labels.h"
#include "platform/program.h"

namespace {

// The screen back to its background with the room picture, every zone empty.
void clearScreenWithPicture() {
    clearZones();
    drawRoomPicture();
}

// Clearing, then the room's text with its exits, the objects seen, the prompt
// and the command last entered, followed by what the command has been answered
// so far, which the clearing would otherwise take away unread.
void describeCurrentRoom() {
    clearScreenWithPicture();
    if (isTableIndex(currentRoom)) {
        descriptionCursor = printInZone(adventure.roomTexts[currentRoom] + exitsTag(currentRoom),
                                        adventure.descriptionZone, descriptionCursor);
        refreshInventoryZone(MsgYouSee, currentRoom);
    }
    printPromptAndAnswerAgain(lastCommand);
}

// The remainder of the sum by 256 with the sign of the sum (truncating
// division): 0..255 stays, 256..510 loses 256, a negative sum stays negative.
// Flags may hold any 64-bit value, so the sum is formed in 128 bits where it
// cannot overflow.
int64_t sumModulo256(int64_t a, int64_t b) {
    const __int128 sum = static_cast<__int128>(a) + static_cast<__int128>(b);
    return static_cast<int64_t>(sum % 256);
}

// The wait of "Attendre touche" ends with a click, any released key the poll
// reports, or a typed character; the wheel does not end it.
void waitForPlayer() {
    presentFrame();
    waitForInput({.click = true, .anyKey = true, .anyCharacter = true});
}

void pauseSeconds(int64_t seconds) {
    presentFrame();
    if (seconds <= 0) return;
    // A number read from a file may be huge: sleep as long as can be counted
    // rather than overflow the product.
    const int64_t longest = std::numeric_limits<int64_t>::max() / 1000;
    sleepMs((seconds > longest ? longest : seconds) * 1000);
}

// "Vous avez fait 5 actions" (the plural ending only above one command), the
// replay question and the O/N answers.
void finishGame() {
    std::u16string score =
        systemMessage(MsgScoreStart) + u" " + integerToText(turnCount) + u" " + systemMessage(MsgScoreNoun);
    if (turnCount > 1) score += systemMessage(MsgScorePlural);
    printInTextZone(score);
    printSystemMessage(MsgReplayQuestion);
    printInTextZone(yesNoChoice());
    endOfGamePending = true;
}

// Restarts the sample from its beginning: its previous play, if any, stops.
void playSample(int64_t sample) {
    if (samplePlayHandles[sample] != 0 && sampleSounds[sample] != 0) {
        stopSound(sampleSounds[sample], samplePlayHandles[sample]);
    }
    if (sampleSounds[sample] != 0) samplePlayHandles[sample] = playSound(sampleSounds[sample], false);
}

bool isCarried(int64_t location) {
    return location == InInventory || location == InHand;
}

// Every move an action makes goes through here, so that the record of the
// turn knows which objects an event moved.
void moveObject(int64_t object, int64_t location) {
    int64_t& at = adventure.objectLocations[object];
    if (at != location) turnRecord.objectMoved[object] = true;
    at = location;
}

}  // namespace

void executeAction(int64_t type, int64_t arg1, int64_t arg2, int64_t /*arg3*/) {
    int64_t* const locations = adventure.objectLocations;
    // Which arguments index a table depends on the type; each case checks its
    // own before touching anything.
    const bool arg1Index = isTableIndex(arg1);
    const bool arg2Index = isTableIndex(arg2);
    switch (type) {
        case AfficheOk:
            printSystemMessage(MsgOk);
            break;
        case AfficheInventaire:
            refreshInventoryZone(MsgYouHave, InInventory);
            break;
        case AfficheMessage:
            if (arg1Index) printInTextZone(adventure.messageTexts[arg1]);
            break;
        case AjouteAuFlag:
            if (arg1Index && arg2Index) flags[arg1] = sumModulo256(flags[arg1], flags[arg2]);
            break;
        case AllerEn:
            // The new room is shown by the next turn start, not now.
            if (arg1Index) {
                currentRoom = arg1;
                needFullRedraw = true;
            }
            break;
        case AttendreTouche:
            waitForPlayer();
            break;
        case CreeObjet:
            if (arg1Index) {
                moveObject(arg1, currentRoom);
                refreshInventoryZone(MsgYouSee, currentRoom);
            }
            break;
        case CreeObjetEn:
            // The location must be a room or a location code: any other value
            // would later index the room tables.
            if (arg1Index && arg2Index) {
                moveObject(arg1, arg2);
                refreshInventoryZone(MsgYouSee, currentRoom);
            }
            break;
        case DecritSalleActuelle:
            describeCurrentRoom();
            break;
        case DetruitObjet:
            if (arg1Index) moveObject(arg1, NotCreated);
            break;
        case EchangeObjets:
            if (arg1Index && arg2Index) {
                const int64_t first = locations[arg1];
                moveObject(arg1, locations[arg2]);
                moveObject(arg2, first);
            }
            break;
        case EffaceFlag:
            if (arg1Index) flags[arg1] = 0;
            break;
        case EffaceEcran:
            // The next turn start prints the description and the objects again,
            // since every cursor is back to 0.
            clearScreenWithPicture();
            break;
        case SallePrendImage:
            // The current room is described again whichever room changed.
            if (arg1Index) {
                roomImages[arg1] = arg2;
                describeCurrentRoom();
            }
            break;
        case FinirLeJeu:
            finishGame();
            break;
        case DonneAuFlag:
            if (arg1Index) flags[arg1] = arg2;
            break;
        case JetteObjet:
            if (arg1Index && isCarried(locations[arg1])) moveObject(arg1, currentRoom);
            break;
        case JetteTout:
            for (int object = 0; object < TableSize; ++object) {
                if (isCarried(locations[object])) moveObject(object, currentRoom);
            }
            break;
        case MetFlag:
            if (arg1Index) flags[arg1] = 255;
            break;
        case MetObjetEnMain:
            if (arg1Index && locations[arg1] == InInventory) moveObject(arg1, InHand);
            break;
        case ObjetNonEnMain:
            if (arg1Index && locations[arg1] == InHand) moveObject(arg1, InInventory);
            break;
        case Pause:
            pauseSeconds(arg1);
            break;
        case PrendsObjet:
            if (arg1Index && locations[arg1] == currentRoom) moveObject(arg1, InInventory);
            break;
        case QuitterJeu:
            askQuitQuestion();
            break;
        case JouerSample:
            if (arg1Index) playSample(arg1);
            break;
        default:
            break;
    }
}
