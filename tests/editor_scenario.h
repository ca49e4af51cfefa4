// Helpers of the editor scenarios: where a person clicks on the menu, and the
// text lines the program drew ("text X Y TEXT").
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "app/platform.h"
#include "app/program.h"
#include "editor/editor_state.h"
#include "tests/test_support.h"

struct DrawnText {
    int64_t x;
    int64_t y;
    std::string text;
};

inline std::vector<std::string> outputLines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream stream(output);
    std::string line;
    while (std::getline(stream, line)) lines.push_back(line);
    return lines;
}

// The text lines of the output, in drawing order; other lines become entries
// with x = y = -1 and the whole line as text, so that marks keep their place.
inline std::vector<DrawnText> drawnTexts(const std::string& output) {
    std::vector<DrawnText> texts;
    for (const std::string& line : outputLines(output)) {
        std::istringstream fields(line);
        std::string word;
        DrawnText drawn{-1, -1, line};
        if (fields >> word && word == "text" && fields >> drawn.x >> drawn.y) {
            fields.get();
            std::getline(fields, drawn.text);
        }
        texts.push_back(drawn);
    }
    return texts;
}

// Index of the first entry from `from` on whose text is `text` (and, when x or
// y is not -1, drawn there); -1 when there is none.
inline int64_t findDrawn(const std::vector<DrawnText>& texts, const std::string& text, int64_t x = -1, int64_t y = -1,
                         int64_t from = 0) {
    for (int64_t i = from < 0 ? 0 : from; i < static_cast<int64_t>(texts.size()); ++i) {
        if (texts[i].text != text) continue;
        if (x != -1 && texts[i].x != x) continue;
        if (y != -1 && texts[i].y != y) continue;
        return i;
    }
    return -1;
}

inline std::string utf8(const std::u16string& text) {
    return textToUtf8(text);
}

// Where drawCentredText puts a text centred on (cx, cy), measured in the
// editor's font.
inline int64_t centredX(const std::u16string& text, int64_t cx) {
    return cx - textWidth(text) / 2;
}
inline int64_t centredY(const std::u16string& text, int64_t cy) {
    return cy - textHeight(text) / 2;
}

// The centre of the menu button of a page (1..16).
inline std::string clickMenuEntry(int64_t page) {
    const int64_t entry = page - 1;
    const int64_t x = 33 + 383 * (entry % 2) + 175;
    const int64_t y = 35 * (entry / 2 + 1) + 15;
    return "click " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

// Runs the editor loop in-process on the script and returns its output. The
// caller has called startInProcess and set up what the scenario needs.
inline std::string runEditorScript(const std::string& script) {
    queueScript(script);
    runMainLoop();
    return takeOutput();
}
