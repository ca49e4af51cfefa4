// Set-up shared by the game engine scenarios: a project folder made current,
// a small adventure written into the tables, the texts drawn read back from the
// recorded output, solid pictures and saved-game bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/program.h"
#include "engine/command.h"
#include "engine/game_state.h"
#include "engine/saved_games.h"
#include "engine/screen.h"
#include "model/adventure.h"
#include "tests/test_support.h"

namespace engine_scenario {

// Word numbers of the small adventure's nouns.
constexpr int64_t WordLamp = 20;
constexpr int64_t WordKey = 21;
constexpr int64_t WordRock = 22;
constexpr int64_t WordLook = 30;

// Objects: 0 a lamp in room 0, 1 a key in room 1, 2 a rock in room 0 that
// cannot be taken; everything else not created.
constexpr int64_t Lamp = 0;
constexpr int64_t Key = 1;
constexpr int64_t Rock = 2;

// The small adventure: room 0 "Le hall." with an exit north to room 1 "La
// cave." (exit south back); the three objects above; the default system
// messages and built-in words; no events in use.
inline void writeSmallAdventure() {
    for (int i = 0; i < TableSize; ++i) {
        adventure.roomTexts[i].clear();
        adventure.objectTexts[i].clear();
        adventure.messageTexts[i].clear();
        for (int d = 0; d < DirectionCount; ++d) adventure.exits[i][d] = NoExit;
        adventure.objectLocations[i] = NotCreated;
        adventure.objectAttributes[i][AssociatedWord] = NoWord;
        adventure.objectAttributes[i][Takeable] = 0;
        adventure.objectAttributes[i][Holdable] = 0;
        if (i >= 14) {
            for (int s = 0; s < SpellingsPerWord; ++s) adventure.vocabulary[i][s].clear();
        }
    }
    adventure.vocabulary[WordLamp][0] = u"LAMPE";
    adventure.vocabulary[WordKey][0] = u"CLEF";
    adventure.vocabulary[WordKey][1] = u"CLE";
    adventure.vocabulary[WordRock][0] = u"ROCHER";
    adventure.vocabulary[WordLook][0] = u"REGARDE";
    adventure.roomTexts[0] = u"Le hall.";
    adventure.roomTexts[1] = u"La cave.";
    adventure.exits[0][0] = 1;
    adventure.exits[1][1] = 0;
    adventure.objectTexts[Lamp] = u"Une lampe";
    adventure.objectTexts[Key] = u"La clef";
    adventure.objectTexts[Rock] = u"Un rocher";
    adventure.objectLocations[Lamp] = 0;
    adventure.objectLocations[Key] = 1;
    adventure.objectLocations[Rock] = 0;
    adventure.objectAttributes[Lamp][AssociatedWord] = WordLamp;
    adventure.objectAttributes[Key][AssociatedWord] = WordKey;
    adventure.objectAttributes[Rock][AssociatedWord] = WordRock;
    adventure.objectAttributes[Lamp][Takeable] = 1;
    adventure.objectAttributes[Key][Takeable] = 1;
    resetLayoutSettings();
    adventure.minorEventCount = 0;
    adventure.majorEventCount = 0;
}

// The game state as a session starts it, without the session.
inline void resetGameState() {
    currentRoom = 0;
    turnCount = 0;
    for (int i = 0; i < TableSize; ++i) {
        flags[i] = 0;
        roomImages[i] = i;
    }
    needFullRedraw = true;
    quitPending = false;
    endOfGamePending = false;
    clearCommandWords();
    commandLine.clear();
    lastCommand.clear();
    textCursor = 0;
    descriptionCursor = 0;
    inventoryCursor = 0;
}

// A fresh work folder with the project folder "Projets/Essai" made current,
// the small adventure and a reset game state. Returns the project folder.
inline std::string startProject(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    const std::string project = folder + "/Projets/Essai";
    std::filesystem::create_directories(project);
    setCurrentDirectory(utf8ToText(project));
    writeSmallAdventure();
    resetGameState();
    releaseScreenImages();
    takeOutput();
    return project;
}

struct DrawnText {
    int64_t x;
    int64_t y;
    std::string text;
};

// The "text X Y TEXT" lines of a recorded output, in drawing order.
inline std::vector<DrawnText> drawnTexts(const std::string& output) {
    std::vector<DrawnText> texts;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("text ", 0) != 0) continue;
        std::istringstream fields(line.substr(5));
        DrawnText drawn{};
        fields >> drawn.x >> drawn.y;
        std::getline(fields, drawn.text);
        if (!drawn.text.empty() && drawn.text[0] == ' ') drawn.text.erase(0, 1);
        texts.push_back(drawn);
    }
    return texts;
}

// The texts drawn with their top-left corner at (x, y), in drawing order.
inline std::vector<std::string> textsAt(const std::vector<DrawnText>& texts, int64_t x, int64_t y) {
    std::vector<std::string> found;
    for (const DrawnText& t : texts) {
        if (t.x == x && t.y == y) found.push_back(t.text);
    }
    return found;
}

// The texts drawn anywhere, in drawing order.
inline std::vector<std::string> allTexts(const std::vector<DrawnText>& texts) {
    std::vector<std::string> found;
    for (const DrawnText& t : texts) found.push_back(t.text);
    return found;
}

inline bool wasDrawn(const std::vector<DrawnText>& texts, const std::string& text) {
    for (const DrawnText& t : texts) {
        if (t.text == text) return true;
    }
    return false;
}

// Top of the line whose index in a zone is `line` (0 = first line), as long as
// the zone has not scrolled: 2 pixels inside the zone, one line height apart.
inline int64_t lineTop(const Zone& zone, int64_t line) {
    return zone.y + 2 + line * gameLineHeight();
}

// A picture file of one colour. PNG data decodes whatever the file's name, so
// pictures named ".jpg" keep their exact colours in pixel checks.
inline void writeSolidPicture(const std::string& path, Colour colour, int64_t width = 40, int64_t height = 30) {
    ImageHandle picture = createImage(width, height, 32);
    beginDrawing(picture);
    fillRect(0, 0, width, height, colour);
    endDrawing();
    saveImagePng(picture, utf8ToText(path));
    freeImage(picture);
}

// Saved-game bytes: each value as 8 bytes, least significant first.
inline std::string savedGameBytes(const std::vector<int64_t>& values) {
    std::string bytes;
    for (int64_t value : values) {
        const uint64_t bits = static_cast<uint64_t>(value);
        for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
    }
    return bytes;
}

inline std::vector<int64_t> savedGameValues(const std::string& bytes) {
    std::vector<int64_t> values;
    for (size_t at = 0; at + 8 <= bytes.size(); at += 8) {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
        values.push_back(static_cast<int64_t>(bits));
    }
    return values;
}

}  // namespace engine_scenario
