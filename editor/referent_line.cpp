// What a chosen number refers to, as one line of text.
#include "editor/referent_line.h"

#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"

namespace {

// The row's text, or what stands in its place when the row is empty.
std::u16string rowText(const std::u16string& text, const char16_t* whenEmpty) {
    return text.empty() ? std::u16string(whenEmpty) : text;
}

// The name of the table a kind of number indexes, as the line starts.
const char16_t* tableName(ArgumentKind kind) {
    switch (kind) {
        case ObjectArgument:
            return u"Objet ";
        case MessageArgument:
            return u"Message ";
        case WordArgument:
            return u"Mot ";
        case SampleArgument:
            return u"Sample ";
        case PictureArgument:
            return u"Image ";
        case FlagArgument:
            return u"Flag ";
        case ValueArgument:
        case NoArgument:
            return u"Nombre ";
        default:
            return u"Salle ";
    }
}

}  // namespace

std::u16string referentText(ArgumentKind kind, int64_t value) {
    const std::u16string number = integerToText(value);
    const std::u16string start = tableName(kind) + number;
    if (kind == ValueArgument || kind == NoArgument || kind == FlagArgument) return start;
    if (!isTableIndex(value)) return start + u" : hors de 0 à 255";
    switch (kind) {
        case ObjectArgument:
            return start + u" : " + rowText(adventure.objectTexts[value], u"(sans texte)");
        case MessageArgument:
            return start + u" : " + rowText(adventure.messageTexts[value], u"(vide)");
        case WordArgument:
            if (value == NoWord && firstSpelling(value).empty()) return start + u" : aucun mot";
            return start + u" : " + rowText(firstSpelling(value), u"(sans orthographe)");
        case SampleArgument:
            return start + u" : fichier " + number + u".ogg";
        case PictureArgument:
            return start + u" : fichier " + number + u".jpg";
        case ExitArgument:
            if (value >= FirstNoExit) return u"Pas de sortie (" + number + u")";
            break;
        default:
            break;
    }
    return start + u" : " + rowText(adventure.roomTexts[value], u"(sans texte)");
}

std::u16string cutToWidth(const std::u16string& text, int64_t width) {
    // Every character is at least a pixel wide, so a text of more characters
    // than the width is cut and no more of it than that is ever measured;
    // then the longest start that fits beside "…" is searched by halves.
    const int64_t length = static_cast<int64_t>(text.size());
    if (length <= width && textWidth(text) <= width) return text;
    int64_t fits = 0;
    int64_t tooLong = length < width ? length : width;
    while (tooLong - fits > 1) {
        const int64_t middle = (fits + tooLong) / 2;
        if (textWidth(text.substr(0, middle) + u"…") <= width) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    // A character outside 16 bits is never cut in half.
    if (fits > 0 && text[fits - 1] >= 0xD800 && text[fits - 1] <= 0xDBFF) --fits;
    return text.substr(0, fits) + u"…";
}

void drawReferentLine(ArgumentKind kind, int64_t value, int64_t x, int64_t y, int64_t width) {
    drawLabel(cutToWidth(referentText(kind, value), width), x, y, 0, 0, 0);
}
