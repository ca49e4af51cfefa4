// The SVG picture of the map. Texts come from the adventure file and may hold
// anything: every character XML cannot carry becomes a blank, and the five
// that mark up XML are escaped. The rooms' pictures come from the project
// folder and may be of any size: each is shrunk to a thumbnail of at most
// ThumbnailWidth x ThumbnailHeight before it is written, so the picture stays
// small whatever the project holds.
#include "editor/map_picture.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "editor/map_layout.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "model/project.h"
#include "platform/platform.h"

namespace {

constexpr int64_t ThumbnailWidth = 48;
constexpr int64_t ThumbnailHeight = 36;
// Texts in the boxes: a monospaced font, so that what fits a line is a count
// of characters.
constexpr int64_t FontPixels = 12;
constexpr double CharacterWidth = 0.6 * FontPixels;
constexpr int64_t TextMargin = 6;
constexpr int64_t TextLines = 2;

bool allowedInXml(int64_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// The text as UTF-8 character data or attribute value of XML.
std::string escaped(const std::u16string& text) {
    std::string xml;
    std::u16string rest = text;
    while (!rest.empty()) {
        const int64_t code = takeFirstCharacter(rest);
        switch (code) {
            case '&':
                xml += "&amp;";
                break;
            case '<':
                xml += "&lt;";
                break;
            case '>':
                xml += "&gt;";
                break;
            case '"':
                xml += "&quot;";
                break;
            case '\'':
                xml += "&apos;";
                break;
            default:
                xml += allowedInXml(code) && code >= 0x20 ? textToUtf8(charFromCode(code)) : " ";
        }
    }
    return xml;
}

// The first lines of the text, at most `width` characters each, cut at blanks
// where it can; the last line ends with "…" when the text goes on, for which
// it keeps a character's room. Only the beginning of the text is read: a text
// from a file may be of any length.
std::vector<std::u16string> firstLines(const std::u16string& text, int64_t width) {
    const size_t wanted = static_cast<size_t>(TextLines * (width + 1) + 1);
    std::vector<std::u16string> characters;
    // A character is one or two units.
    for (std::u16string rest = text.substr(0, 2 * wanted); !rest.empty() && characters.size() < wanted;) {
        characters.push_back(charFromCode(takeFirstCharacter(rest)));
    }
    std::vector<std::u16string> lines;
    size_t at = 0;
    while (at < characters.size() && static_cast<int64_t>(lines.size()) < TextLines) {
        while (at < characters.size() && characters[at] == u" ") ++at;
        const int64_t room = static_cast<int64_t>(lines.size()) + 1 < TextLines ? width : width - 1;
        size_t end = std::min(characters.size(), at + static_cast<size_t>(std::max<int64_t>(1, room)));
        if (end < characters.size()) {
            size_t blank = end;
            while (blank > at && characters[blank] != u" ") --blank;
            if (blank > at) end = blank;
        }
        std::u16string line;
        for (size_t c = at; c < end; ++c) line += characters[c];
        lines.push_back(line);
        at = end;
    }
    while (at < characters.size() && characters[at] == u" ") ++at;
    if (at < characters.size() && !lines.empty()) lines.back() += u"…";
    return lines;
}

const char Base64Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string base64(const std::string& bytes) {
    std::string encoded;
    for (size_t at = 0; at < bytes.size(); at += 3) {
        uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) << 16;
        if (at + 1 < bytes.size()) group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
        if (at + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[at + 2]);
        encoded += Base64Digits[(group >> 18) & 63];
        encoded += Base64Digits[(group >> 12) & 63];
        encoded += at + 1 < bytes.size() ? Base64Digits[(group >> 6) & 63] : '=';
        encoded += at + 2 < bytes.size() ? Base64Digits[group & 63] : '=';
    }
    return encoded;
}

// The room's picture of the project shrunk to fit the thumbnail's box, as a
// PNG file in a data URL; empty when there is no picture.
std::string thumbnailOf(int64_t room, int64_t& width, int64_t& height) {
    if (projectFolder.empty()) return "";
    const ImageHandle picture = loadImage(projectFolder + integerToText(room) + u".jpg");
    const int64_t pictureWidth = imageWidth(picture), pictureHeight = imageHeight(picture);
    if (picture == 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        freeImage(picture);
        return "";
    }
    width = ThumbnailWidth;
    height = std::max<int64_t>(1, pictureHeight * ThumbnailWidth / pictureWidth);
    if (height > ThumbnailHeight) {
        height = ThumbnailHeight;
        width = std::max<int64_t>(1, pictureWidth * ThumbnailHeight / pictureHeight);
    }
    const ImageHandle thumbnail = createImage(width, height, 24);
    beginDrawing(thumbnail);
    drawImageScaled(picture, 0, 0, width, height);
    endDrawing();
    const std::string png = pngBytes(thumbnail);
    freeImage(thumbnail);
    freeImage(picture);
    return png.empty() ? "" : "data:image/png;base64," + base64(png);
}

std::string number(int64_t value) {
    return std::to_string(value);
}

std::string attribute(const char* name, int64_t value) {
    return std::string(" ") + name + "=\"" + number(value) + "\"";
}

std::string roomGroup(const AdventureMap& map, int64_t room) {
    const MapRoom& box = map.rooms[room];
    std::string group = "<g><title>Salle " + number(room) + "</title>\n";
    group += "<rect" + attribute("x", box.x) + attribute("y", box.y) + attribute("width", MapBoxWidth) +
             attribute("height", MapBoxHeight) + " fill=\"white\" stroke=\"black\"/>\n";
    int64_t thumbnailWidth = 0, thumbnailHeight = 0;
    const std::string thumbnail = thumbnailOf(room, thumbnailWidth, thumbnailHeight);
    int64_t textWidth = MapBoxWidth - 2 * TextMargin;
    if (!thumbnail.empty()) {
        textWidth -= ThumbnailWidth + TextMargin;
        const int64_t x = box.x + MapBoxWidth - TextMargin - ThumbnailWidth + (ThumbnailWidth - thumbnailWidth) / 2;
        const int64_t y = box.y + (MapBoxHeight - thumbnailHeight) / 2;
        group += "<image" + attribute("x", x) + attribute("y", y) + attribute("width", thumbnailWidth) +
                 attribute("height", thumbnailHeight) + " xlink:href=\"" + thumbnail + "\"/>\n";
    }
    group += "<text" + attribute("x", box.x + TextMargin) + attribute("y", box.y + 16) + " font-weight=\"bold\">" +
             escaped(formatNumber3(room)) + "</text>\n";
    const auto lines = firstLines(adventure.roomTexts[room], static_cast<int64_t>(textWidth / CharacterWidth));
    for (size_t line = 0; line < lines.size(); ++line) {
        group += "<text" + attribute("x", box.x + TextMargin) + attribute("y", box.y + 33 + 15 * line) + ">" +
                 escaped(lines[line]) + "</text>\n";
    }
    return group + "</g>\n";
}

std::string exitGroup(const AdventureMap& map, const MapExit& exit) {
    const char* colour = map.rooms[exit.to].hasText ? "black" : "red";
    std::string group = "<g><title>" + number(exit.from) + " -&gt; " + number(exit.to) + "</title>\n";
    group += "<line" + attribute("x1", exit.x1) + attribute("y1", exit.y1) + attribute("x2", exit.x2) +
             attribute("y2", exit.y2) + " stroke=\"" + colour + "\"/>\n";
    if (exit.oneWay) {
        group += "<polyline points=\"" + number(exit.arrowX[0]) + "," + number(exit.arrowY[0]) + " " +
                 number(exit.x2) + "," + number(exit.y2) + " " + number(exit.arrowX[1]) + "," +
                 number(exit.arrowY[1]) + "\" fill=\"none\" stroke=\"" + colour + "\"/>\n";
    }
    if (exit.labelled) {
        // The name on the grey ground, over the lines that pass there.
        const std::u16string name = directionNames[exit.direction];
        const int64_t width = static_cast<int64_t>(characterCount(name) * CharacterWidth) + 2;
        group += "<rect" + attribute("x", exit.labelX - width / 2) + attribute("y", exit.labelY - FontPixels / 2 - 1) +
                 attribute("width", width) + attribute("height", FontPixels + 2) + " fill=\"rgb(128,128,128)\" stroke=\"none\"/>\n";
        group += "<text" + attribute("x", exit.labelX) + attribute("y", exit.labelY + FontPixels / 3) +
                 " text-anchor=\"middle\" fill=\"" + colour + "\">" + escaped(name) + "</text>\n";
    }
    return group + "</g>\n";
}

}  // namespace

bool writeMapPicture(const std::u16string& path) {
    const auto map = std::make_unique<AdventureMap>();
    layOutMap(adventure, *map);
    const FileHandle file = beginReplacing(path);
    if (file == 0) return false;
    bool written = writeLine(file, u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    const std::string size = attribute("width", map->width) + attribute("height", map->height);
    std::string picture = "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\"" +
                          size + " viewBox=\"0 0 " + number(map->width) + " " + number(map->height) +
                          "\" font-family=\"DejaVu Sans Mono, monospace\" font-size=\"" + number(FontPixels) +
                          "\">\n<title>Carte de " + escaped(projectName.empty() ? u"l'aventure" : projectName) +
                          "</title>\n<rect" + size + " fill=\"rgb(128,128,128)\"/>\n";
    // The lines first, so that a line passing behind a room does not cross
    // its text.
    for (int64_t e = 0; e < map->exitCount; ++e) picture += exitGroup(*map, map->exits[e]);
    for (int64_t room = 0; room < MapRoomCount; ++room) {
        if (map->rooms[room].shown) picture += roomGroup(*map, room);
    }
    picture += "</svg>";
    written = written && writeLine(file, utf8ToText(picture));
    return finishReplacing(file, written);
}
