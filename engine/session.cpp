// A test play of the adventure in memory: the project's media, the
// introduction, the turns with their quit and replay questions, and the
// restore of the starting state ("0.sav") when the player leaves.
#include "engine/session.h"

#include "engine/command.h"
#include "engine/events.h"
#include "engine/game_state.h"
#include "engine/game_text.h"
#include "engine/play_state_panel.h"
#include "engine/readable_text.h"
#include "engine/recorder.h"
#include "engine/saved_games.h"
#include "engine/screen.h"
#include "platform/program.h"

static const std::u16string StartingStateFile = u"0.sav";

static bool leaveSession = false;
static SoundHandle introductionSound = 0;
// The object placement as the author left it. A location outside 0..255 (from
// a file) cannot be saved in "0.sav" and read back, so within the play such an
// object counts as not created; the author's values come back at the end.
static int64_t authorPlacement[TableSize];

static bool mediaPresent(const std::u16string& name) {
    return fileSize(name) > 0;
}

static void setAsideAuthorPlacement() {
    for (int object = 0; object < TableSize; ++object) {
        int64_t& location = adventure.objectLocations[object];
        authorPlacement[object] = location;
        if (!isTableIndex(location)) location = NotCreated;
    }
}

static void restoreAuthorPlacement() {
    for (int object = 0; object < TableSize; ++object) adventure.objectLocations[object] = authorPlacement[object];
}

static void resetPlayState() {
    currentRoom = 0;
    lastCommand.clear();
    for (int r = 0; r < TableSize; ++r) {
        roomImages[r] = r;
        flags[r] = 0;
    }
}

static void loadSamples() {
    for (int n = 0; n < TableSize; ++n) {
        std::u16string name = integerToText(n) + u".ogg";
        sampleSounds[n] = mediaPresent(name) ? loadSound(name) : 0;
    }
}

static void forgetSamples() {
    stopAllSounds();
    for (int n = 0; n < TableSize; ++n) {
        if (sampleSounds[n] != 0) freeSound(sampleSounds[n]);
        sampleSounds[n] = 0;
    }
    if (introductionSound != 0) freeSound(introductionSound);
    introductionSound = 0;
}

static void loadScreenBackground() {
    releaseScreenImages();
    if (mediaPresent(u"ecran.jpg")) screenImage = loadImage(u"ecran.jpg");
    hasScreenImage = screenImage != 0;
}

static void showPicture(ImageHandle picture) {
    beginDrawing(backBuffer);
    drawImage(picture, 0, 0);
    endDrawing();
    noteAreaPainted(0, 0, imageWidth(picture), imageHeight(picture));
    presentFrame();
}

// The project's introduction picture until Escape or Return (a click does not
// end it); nothing when the project has none. The picture is shown before the
// first wait, since a poll waits until the player does something.
static void showProjectIntroduction() {
    if (!mediaPresent(u"introduction.jpg")) return;
    ImageHandle picture = loadImage(u"introduction.jpg");
    if (picture == 0) return;
    showPicture(picture);
    waitForInput({.escapeKey = true, .returnKey = true});
    freeImage(picture);
}

// False when the starting state cannot be saved: the play cannot begin, since
// it could not give the author's placement back at its end.
static bool startSession() {
    loadSamples();
    clearCommandWords();
    forgetTurnAnswer();
    turnRecord = {};
    descriptionCursor = 0;
    textCursor = 0;
    inventoryCursor = 0;
    resetPlayState();
    loadScreenBackground();
    beginDrawing(WindowSurface);
    fillRect(0, 0, ScreenWidth, ScreenHeight, rgb(255, 255, 255));
    endDrawing();
    if (mediaPresent(u"introduction.ogg")) {
        introductionSound = loadSound(u"introduction.ogg");
        if (introductionSound != 0) playSound(introductionSound, true);
    }
    showProjectIntroduction();
    needFullRedraw = true;
    turnCount = 0;
    quitPending = false;
    endOfGamePending = false;
    leaveSession = false;
    setAsideAuthorPlacement();
    return saveGame(StartingStateFile);
}

// The starting state back from "0.sav", which the session wrote itself; a
// file that has gone or been damaged since is fatal.
static void loadStartingState() {
    const LoadResult result = loadGame(StartingStateFile);
    if (result != LoadResult::Loaded) fatalError(loadFailureMessage(result, StartingStateFile));
}

// The first whole character of a text, in small letters; empty for none.
static std::u16string firstLetter(const std::u16string& text) {
    std::u16string rest = text;
    return rest.empty() ? rest : charFromCode(lowerCaseCode(takeFirstCharacter(rest)));
}

// Waits for a typed character equal (in any case) to the first character of
// system message 21 (yes) or 22 (no); every other key is ignored. True for yes.
static bool answeredYes() {
    const std::u16string yes = firstLetter(systemMessage(MsgYes));
    waitForInput({.characters = yes + firstLetter(systemMessage(MsgNo))});
    return !yes.empty() && charFromCode(lowerCaseCode(inputState.typedChar)) == yes;
}

static void restartGame() {
    turnCount = 0;
    needFullRedraw = true;
    clearCommandWords();
    forgetTurnAnswer();
    turnRecord = {};
    resetPlayState();
    commandLine.clear();
    loadStartingState();
}

static void evaluateCommandEvents() {
    int64_t count = commandWordCount;
    const int64_t* w = commandWordNumbers;
    if (count == 1) evaluateMinorEvents(w[0], NoWord, NoWord);
    if (count == 2) evaluateMinorEvents(w[0], w[1], NoWord);
    if (count >= 3) evaluateMinorEvents(w[0], w[1], w[2]);
}

static void playTurn() {
    const bool redrawn = needFullRedraw;
    if (needFullRedraw) clearZones();
    drawTurnStart();
    if (redrawn) showTurnAnswerAgain();
    printSystemMessage(MsgPrompt);
    evaluateMajorEvents();
    presentFrame();

    commandLine.clear();
    if (!quitPending && !endOfGamePending && readCommandLine()) leaveSession = true;
    ++turnCount;
    turnRecord = {};

    eraseTypedLine();
    lastCommand = commandLine;
    splitCommand(commandLine);
    printInTextZone(lastCommand);
    startTurnAnswer(lastCommand);
    recogniseWords();
    applyBuiltInVerbs();
    evaluateCommandEvents();
    endTurnAnswer();
    printInTextZone(u" ");
    presentFrame();

    // Without a question nothing has been drawn since the frame just
    // presented, so it is presented again only after a question.
    bool asked = quitPending || endOfGamePending;
    if (quitPending) {
        if (answeredYes()) leaveSession = true;
        quitPending = false;
    }
    if (endOfGamePending) {
        if (answeredYes()) {
            restartGame();
        } else {
            leaveSession = true;
        }
        endOfGamePending = false;
    }
    if (asked) presentFrame();
}

bool runGameSession(const PlayWatch& watch) {
    forgetPrintedTexts();
    startRecording(watch.recording);
    const bool started = startSession();
    inspectorAllowed = watch.inspector;
    if (started) {
        while (!leaveSession) playTurn();
        loadStartingState();
    }
    inspectorAllowed = false;
    restoreAuthorPlacement();
    forgetSamples();
    releaseScreenImages();
    const bool recorded = finishRecording();
    // The author goes back to the editor with the adventure as it was.
    if (!started) showErrorBox(NoStartingStateMessage);
    return started && recorded;
}
