// The player's command: the line editor, the split into words, the matching
// against the vocabulary and the built-in verbs.
#include "engine/command.h"

#include "engine/game_state.h"
#include "engine/game_text.h"
#include "engine/readable_text.h"
#include "engine/saved_games.h"
#include "engine/screen.h"
#include "platform/program.h"

std::u16string commandLine;
std::u16string lastCommand;
std::u16string commandWords[MaxCommandWords];
int64_t commandWordCount = 0;
int64_t commandWordNumbers[MaxCommandWords] = {NoWord, NoWord, NoWord, NoWord, NoWord, NoWord};

void clearCommandWords() {
    for (int i = 0; i < MaxCommandWords; ++i) {
        commandWords[i].clear();
        commandWordNumbers[i] = NoWord;
    }
    commandWordCount = 0;
}

// ---------------------------------------------------------------------------
// Line editor.

// French accented small letters become their plain letter so that the line
// can be compared with vocabulary spellings; capitals are left as typed.
static char16_t foldAccent(char16_t c) {
    switch (c) {
        case u'à':
        case u'â':
        case u'ä':
            return u'a';
        case u'é':
        case u'è':
        case u'ê':
        case u'ë':
            return u'e';
        case u'î':
        case u'ï':
            return u'i';
        case u'ô':
        case u'ö':
            return u'o';
        case u'ù':
        case u'û':
        case u'ü':
            return u'u';
        case u'ÿ':
            return u'y';
        case u'ç':
            return u'c';
        default:
            return c;
    }
}

static int64_t gameTextWidth(const std::u16string& text) {
    beginDrawing(backBuffer);
    selectFont(interfaceFont);
    int64_t width = textWidth(text);
    endDrawing();
    return width;
}

// The slot of the typed line as the screen shows it before typing: one line
// high, from where the line starts to the screen's right edge, so that it
// holds every pixel a typed line can cover, even one made wider than the zone
// by its upper case. While typing nothing else draws, so putting this slot
// back erases the previous line, and only the slot changes with each key.
static ImageHandle typedLineBackground = 0;

static void takeTypedLineBackground() {
    const Zone zone = clampedZone(adventure.textZone);
    int64_t x = zone.x + 2;
    int64_t y = zone.y + textCursor + 2;
    int64_t width = ScreenWidth - x;
    int64_t height = gameLineHeight();
    typedLineBackground = clipScreenRect(x, y, width, height) ? grabImage(backBuffer, x, y, width, height) : 0;
}

// The slot put back. What the player can read is followed over the zone's
// width only: beyond it the slot gives back exactly what was there.
static void putTypedLineBackground() {
    if (typedLineBackground == 0) return;
    const Zone zone = clampedZone(adventure.textZone);
    beginDrawing(backBuffer);
    drawImage(typedLineBackground, zone.x + 2, zone.y + textCursor + 2);
    endDrawing();
    noteAreaPainted(zone.x + 2, zone.y + textCursor + 2, zone.width - 4, imageHeight(typedLineBackground));
}

static void redrawTypedLine() {
    const Zone zone = clampedZone(adventure.textZone);
    putTypedLineBackground();
    beginDrawing(backBuffer);
    setFrontColour(rgb(0, 0, 0));
    setDrawingMode(DrawMode::TransparentText);
    selectFont(interfaceFont);
    drawText(zone.x + 2, zone.y + textCursor + 2, commandLine);
    endDrawing();
    presentFrame();
}

bool readCommandLine() {
    commandLine.clear();
    if (typedLineBackground != 0) freeImage(typedLineBackground);
    takeTypedLineBackground();
    bool escaped = false;
    for (bool entered = false; !entered && !escaped;) {
        // Each poll waits for an event, so this loop idles without spinning.
        pollInput();
        if (inputState.escapeKey) {
            escaped = true;
            continue;
        }
        int64_t key = inputState.typedChar;
        if (inputState.backspaceKey) {
            key = KeyBackspace;
        } else if (inputState.returnKey) {
            key = KeyReturn;
        }
        if (key == KeyBackspace && !commandLine.empty()) {
            dropLastCharacter(commandLine);
            redrawTypedLine();
        } else if (key == KeyReturn) {
            entered = true;
        } else if (key >= 32) {
            // A character outside 16 bits is typed and measured whole.
            const std::u16string typed =
                key <= 0xFFFF ? charFromCode(foldAccent(static_cast<char16_t>(key))) : charFromCode(key);
            if (typed.empty()) continue;
            if (gameTextWidth(commandLine + typed) > clampedZone(adventure.textZone).width - 4) continue;
            commandLine = upperCase(commandLine + typed);
            redrawTypedLine();
        }
    }
    return escaped;
}

void eraseTypedLine() {
    putTypedLineBackground();
    if (typedLineBackground != 0) freeImage(typedLineBackground);
    typedLineBackground = 0;
}

// ---------------------------------------------------------------------------
// Words.

void splitCommand(const std::u16string& line) {
    for (int i = 0; i < MaxCommandWords; ++i) commandWords[i].clear();
    commandWordCount = 0;
    std::u16string letters = line;
    for (char16_t& c : letters) {
        if (c < u'A' || c > u'Z') c = u' ';
    }
    size_t at = 0;
    while (commandWordCount < MaxCommandWords) {
        while (at < letters.size() && letters[at] == u' ') ++at;
        if (at == letters.size()) break;
        size_t end = at;
        while (end < letters.size() && letters[end] != u' ') ++end;
        commandWords[commandWordCount++] = letters.substr(at, end - at);
        at = end;
    }
}

// The word number of a spelling, the highest when several share it; -1 when
// no word has it.
static int64_t wordNumberOf(const std::u16string& word) {
    if (word.empty()) return -1;
    for (int number = TableSize - 1; number >= 0; --number) {
        for (int s = 0; s < SpellingsPerWord; ++s) {
            if (adventure.vocabulary[number][s] == word) return number;
        }
    }
    return -1;
}

void recogniseWords() {
    int64_t numbers[MaxCommandWords];
    int64_t known = 0;
    for (int64_t i = 0; i < commandWordCount && i < MaxCommandWords; ++i) {
        int64_t number = wordNumberOf(commandWords[i]);
        if (number < 0) continue;
        commandWords[known] = commandWords[i];
        numbers[known] = number;
        ++known;
    }
    for (int64_t i = known; i < MaxCommandWords; ++i) commandWords[i].clear();
    commandWordCount = known;
    for (int64_t i = 0; i < MaxCommandWords; ++i) commandWordNumbers[i] = i < known ? numbers[i] : NoWord;
}

// ---------------------------------------------------------------------------
// Built-in verbs.

static int64_t objectsAt(int64_t location) {
    int64_t count = 0;
    for (int object = 0; object < TableSize; ++object) count += adventure.objectLocations[object] == location;
    return count;
}

static void move(int64_t direction) {
    // Exit values come from the adventure file: only 0..252 lead anywhere.
    int64_t exit = isTableIndex(currentRoom) ? adventure.exits[currentRoom][direction] : NoExit;
    if (exit < 0 || exit >= FirstNoExit) {
        printSystemMessage(MsgNoWayThere);
        return;
    }
    currentRoom = exit;
    needFullRedraw = true;
}

static void take(int64_t noun) {
    int64_t object = findObject(noun, currentRoom);
    if (object < 0) {
        printSystemMessage(MsgNotHere);
    } else if (adventure.objectLocations[object] == InInventory || adventure.objectLocations[object] == InHand) {
        printSystemMessage(MsgAlreadyCarried);
    } else if (adventure.objectAttributes[object][Takeable] == 1 &&
               objectsAt(InInventory) < adventure.maxObjectsInInventory) {
        adventure.objectLocations[object] = InInventory;
        needFullRedraw = true;
    } else if (adventure.objectAttributes[object][Takeable] == 0) {
        printSystemMessage(MsgCannot);
    } else {
        printSystemMessage(MsgInventoryFull);
    }
}

static void drop(int64_t noun) {
    int64_t object = findObject(noun, InInventory);
    if (object < 0) object = findObject(noun, InHand);
    if (object < 0) {
        printSystemMessage(MsgNotCarried);
        return;
    }
    adventure.objectLocations[object] = currentRoom;
    needFullRedraw = true;
}

static void putAway(int64_t noun) {
    int64_t object = findObject(noun, InHand);
    if (object < 0) {
        printSystemMessage(MsgNotInHand);
        return;
    }
    adventure.objectLocations[object] = InInventory;
}

static void hold(int64_t noun) {
    int64_t object = findObject(noun, InInventory);
    if (object < 0) {
        printSystemMessage(MsgNotCarried);
    } else if (objectsAt(InHand) < adventure.maxObjectsInHand) {
        adventure.objectLocations[object] = InHand;
    } else {
        printSystemMessage(MsgHandsFull);
    }
}

// The built-in verbs: the word, how many words the command must have for the
// verb to act, and what a command of one or two words that has the other
// count is told.
struct BuiltInVerb {
    int64_t word;
    int64_t wordCount;
    SystemMessage refusal;
};

static const BuiltInVerb builtInVerbs[] = {
    {0, 1, MsgCannot},  // the six movements, words 0 to 5, which are also the directions of exits
    {1, 1, MsgCannot},
    {2, 1, MsgCannot},
    {3, 1, MsgCannot},
    {4, 1, MsgCannot},
    {5, 1, MsgCannot},
    {WordTake, 2, MsgNotUnderstood},
    {WordDrop, 2, MsgNotUnderstood},
    {WordPutAway, 2, MsgNotUnderstood},
    {WordHold, 2, MsgNotUnderstood},
    {WordInventory, 1, MsgCannot},
    {WordQuit, 1, MsgCannot},
    {WordSave, 1, MsgCannot},
    {WordLoad, 1, MsgCannot},
};

static void performBuiltInVerb(int64_t verb, int64_t noun) {
    if (verb < DirectionCount) {
        move(verb);
        return;
    }
    switch (verb) {
        case WordTake:
            take(noun);
            break;
        case WordDrop:
            drop(noun);
            break;
        case WordPutAway:
            putAway(noun);
            break;
        case WordHold:
            hold(noun);
            break;
        case WordInventory:
            refreshInventoryZone(MsgYouHave, InInventory);
            break;
        case WordQuit:
            askQuitQuestion();
            break;
        case WordSave:
            saveGameVerb();
            break;
        case WordLoad:
            loadGameVerb();
            break;
        default:
            break;
    }
}

void applyBuiltInVerbs() {
    if (commandWordCount == 0) {
        if (!quitPending && !endOfGamePending) printSystemMessage(MsgNotUnderstood);
        return;
    }
    if (commandWordCount > 2) return;  // longer commands are the events' alone
    for (const BuiltInVerb& verb : builtInVerbs) {
        if (verb.word != commandWordNumbers[0]) continue;
        if (commandWordCount == verb.wordCount) {
            performBuiltInVerb(verb.word, commandWordNumbers[1]);
        } else {
            printSystemMessage(verb.refusal);
        }
    }
}
