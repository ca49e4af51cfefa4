// The recorder of a play: its script kept in memory line by line and written
// whole, durably, before each wait that follows a new line.
#include "engine/recorder.h"

#include <vector>

#include "engine/command.h"
#include "engine/game_text.h"
#include "engine/readable_text.h"
#include "model/project.h"
#include "platform/program.h"

namespace {

bool recording = false;
std::u16string scriptPath;
std::vector<std::u16string> scriptLines;
size_t linesWritten = 0;
bool lastWriteFailed = false;
bool failureTold = false;
// The characters typed since the last other line, written as one "type"
// line before the next.
std::u16string typedSinceLastLine;
// The last text printed before the last wait.
int64_t textSeenAtLastWait = 0;

void keepTypedCharacters() {
    if (!typedSinceLastLine.empty()) scriptLines.push_back(u"type " + typedSinceLastLine);
    typedSinceLastLine.clear();
}

// The prompt and the echo of the player's command are printed at every turn
// and say nothing the script does not already hold.
bool worthChecking(const std::u16string& text) {
    return text != systemMessage(MsgPrompt) && text != lastCommand &&
           text.find_first_of(u"\r\n") == std::u16string::npos;
}

void writeScript() {
    const FileHandle file = beginReplacing(scriptPath);
    bool complete = file != 0;
    for (const std::u16string& line : scriptLines) complete = complete && writeLine(file, line);
    lastWriteFailed = file == 0 || !finishReplacing(file, complete);
    if (!lastWriteFailed) linesWritten = scriptLines.size();
    if (lastWriteFailed && !failureTold) showErrorBox(u"Impossible d'enregistrer la partie dans " + scriptPath + u" !");
    failureTold = failureTold || lastWriteFailed;
}

std::u16string keyName() {
    const InputState& in = inputState;
    if (in.escapeKey) return u"escape";
    if (in.returnKey) return u"return";
    if (in.backspaceKey) return u"backspace";
    if (in.upKey) return u"up";
    if (in.downKey) return u"down";
    if (in.pageUpKey) return u"pageup";
    if (in.pageDownKey) return u"pagedown";
    return u"";
}

}  // namespace

void startRecording(const std::u16string& path) {
    recording = !path.empty();
    scriptPath = path;
    scriptLines.clear();
    linesWritten = 0;
    lastWriteFailed = false;
    failureTold = false;
    typedSinceLastLine.clear();
    textSeenAtLastWait = lastPrintedText();
    const std::u16string project = projectName.empty() ? u"NOM" : projectName;
    scriptLines.push_back(u"# Partie enregistrée par Orvalde. Pour la rejouer : orvalde-headless --jouer " + project +
                          u" FICHIER");
}

void recordBeforeWait() {
    if (!recording) return;
    if (lastPrintedText() != textSeenAtLastWait) {
        keepTypedCharacters();
        for (const std::u16string& text : textsReadableSince(textSeenAtLastWait)) {
            if (worthChecking(text)) scriptLines.push_back(u"expect " + text);
        }
        textSeenAtLastWait = lastPrintedText();
    }
    if (scriptLines.size() != linesWritten) writeScript();
}

void recordInput() {
    if (!recording) return;
    if (inputState.typedChar != 0) {
        typedSinceLastLine += charFromCode(inputState.typedChar);
        return;
    }
    std::u16string line;
    if (inputState.clicked) {
        int x = -1;
        int y = -1;
        pointerPosition(x, y);
        line = u"click " + integerToText(x) + u" " + integerToText(y);
    } else if (!keyName().empty()) {
        line = u"key " + keyName();
    }
    if (line.empty()) return;
    keepTypedCharacters();
    scriptLines.push_back(line);
}

bool finishRecording() {
    if (!recording) return true;
    keepTypedCharacters();
    if (scriptLines.size() != linesWritten || lastWriteFailed) writeScript();
    recording = false;
    return !lastWriteFailed;
}

bool recordingFailed() {
    return recording && lastWriteFailed;
}
