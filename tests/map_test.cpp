// The map of an adventure as an author reads it: small adventures written
// here, their rooms placed by the directions of their exits in the SVG picture
// and on the page "CARTE", a click on a room that opens its exits, and
// hostile exits that must neither hang nor overlap.
#include <filesystem>
#include <random>
#include <sstream>

#include "editor/map_layout.h"
#include "editor/map_picture.h"
#include "editor/pages/pages.h"
#include "model/adventure_file.h"
#include "tests/support.h"

namespace fs = std::filesystem;

namespace {

struct Exit {
    int64_t from, direction, to;
};
enum : int64_t { N, S, E, W, Up, Down };

// Rooms with a text ("Salle N."), and these exits only.
void writeRooms(std::initializer_list<int64_t> withText, std::initializer_list<Exit> exits) {
    for (int64_t room = 0; room < 253; ++room) {
        adventure.roomTexts[room].clear();
        for (int64_t& exit : adventure.exits[room]) exit = NoExit;
    }
    for (const int64_t room : withText) adventure.roomTexts[room] = u"Salle " + integerToText(room) + u".";
    for (const Exit& exit : exits) adventure.exits[exit.from][exit.direction] = exit.to;
}

struct Box {
    int64_t x = -1, y = -1;
};

// What the picture holds: each room's box, and each exit group told as
// "N -> M", with "rouge", "vide" (a line of no length), "sens unique" and its
// label as drawn.
struct Picture {
    int64_t width = 0, height = 0;
    std::map<int64_t, Box> rooms;
    std::vector<std::string> exits;
};

// The value of an attribute of the element written on the line.
std::string attribute(const std::string& line, const std::string& name) {
    const size_t at = line.find(" " + name + "=\"");
    if (at == std::string::npos) return "";
    const size_t from = at + name.size() + 3;
    return line.substr(from, line.find('"', from) - from);
}

Picture readPicture(const std::string& svg) {
    Picture picture;
    std::istringstream lines(svg);
    std::string title, told;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("<svg ", 0) == 0) {
            picture.width = std::stoll(attribute(line, "width"));
            picture.height = std::stoll(attribute(line, "height"));
        } else if (line.rfind("<g><title>", 0) == 0) {
            title = line.substr(10, line.find("</title>") - 10);
        } else if (line.rfind("<rect", 0) == 0 && title.rfind("Salle ", 0) == 0) {
            picture.rooms[std::stoll(title.substr(6))] = {std::stoll(attribute(line, "x")),
                                                          std::stoll(attribute(line, "y"))};
        } else if (line.rfind("<line", 0) == 0) {
            told = title.replace(title.find(" -&gt; "), 7, " -> ");
            if (attribute(line, "stroke") == "red") told += " rouge";
            if (attribute(line, "x1") + attribute(line, "y1") == attribute(line, "x2") + attribute(line, "y2")) told += " vide";
        } else if (line.rfind("<polyline", 0) == 0) {
            told += " sens unique";
        } else if (line.rfind("<text", 0) == 0 && !told.empty()) {
            told += " " + line.substr(line.find('>') + 1, line.find("</text>") - line.find('>') - 1);
        } else if (line == "</g>" && !told.empty()) {
            picture.exits.push_back(told);
            told.clear();
        }
    }
    return picture;
}

Picture mapPicture() {
    EXPECT_TRUE(writeMapPicture(u"carte.svg"));
    return readPicture(readFile("carte.svg"));
}

bool overlap(const Box& a, const Box& b) {
    return a.x < b.x + MapBoxWidth && b.x < a.x + MapBoxWidth && a.y < b.y + MapBoxHeight && b.y < a.y + MapBoxHeight;
}

// Every box within the picture's margins, none over another.
void expectNoOverlap(const Picture& picture) {
    for (auto a = picture.rooms.begin(); a != picture.rooms.end(); ++a) {
        EXPECT_GE(std::min(a->second.x, a->second.y), MapMargin) << "room " << a->first;
        EXPECT_LE(a->second.x + MapBoxWidth + MapMargin, picture.width) << "room " << a->first;
        EXPECT_LE(a->second.y + MapBoxHeight + MapMargin, picture.height) << "room " << a->first;
        for (auto b = std::next(a); b != picture.rooms.end(); ++b) {
            EXPECT_FALSE(overlap(a->second, b->second)) << "rooms " << a->first << " and " << b->first;
        }
    }
}

// Where a text was last drawn on the page, {-1, -1} when it was not.
Box drawnAt(const std::string& output, const std::string& text) {
    Box at;
    for (const Drawn& seen : drawn(output)) {
        if (seen.text == text) at = {seen.x, seen.y};
    }
    return at;
}

}  // namespace

TEST(AdventureMap, RoomsLieWhereTheirExitsLead) {
    startInProcess(makeWorkFolder("map"));
    const struct {
        const char* adventure;
        std::initializer_list<int64_t> texts;
        std::initializer_list<Exit> exits;
        // Room b's box lies these columns and rows from room a's.
        std::vector<std::array<int64_t, 4>> offsets;
        std::vector<std::string> drawnExits;
    } cases[] = {
        {"a square",
         {0, 1, 2, 3},
         {{0, E, 1}, {1, W, 0}, {1, S, 3}, {3, N, 1}, {3, W, 2}, {2, E, 3}, {2, N, 0}, {0, S, 2}},
         {{0, 1, 1, 0}, {0, 2, 0, 1}, {0, 3, 1, 1}},
         {"0 -> 2", "0 -> 1", "1 -> 3", "1 -> 0", "2 -> 0", "2 -> 3", "3 -> 1", "3 -> 2"}},
        {"a corridor westwards",
         {5, 6, 7},
         {{5, W, 6}, {6, E, 5}, {6, W, 7}, {7, E, 6}},
         {{5, 6, -1, 0}, {5, 7, -2, 0}},
         {"5 -> 6", "6 -> 5", "6 -> 7", "7 -> 6"}},
        {"one-way exits, up and down",
         {0, 1, 2, 3},
         {{0, N, 1}, {1, Up, 2}, {2, Down, 1}, {3, W, 0}},
         {{0, 1, 0, -1}, {1, 2, 1, -1}, {0, 3, 1, 0}},
         {"0 -> 1 sens unique", "1 -> 2 Haut", "2 -> 1 Bas", "3 -> 0 sens unique"}},
        {"an exit to a room without text, and exits leading nowhere",
         {0},
         {{0, S, 9}, {9, N, 0}, {0, E, 253}, {0, W, -1}, {0, Up, 300}, {0, Down, 1LL << 40}},
         {{0, 9, 0, 1}},
         {"0 -> 9 rouge", "9 -> 0"}},
        {"exits that disagree: a room where another already is, a room its own exit",
         {0, 1, 2},
         {{0, N, 1}, {1, S, 0}, {2, S, 0}, {1, E, 0}, {0, W, 0}},
         {{0, 1, 0, -1}, {1, 2, 0, -1}},  // room 2 above the others, as its exit south tells
         {"0 -> 1", "0 -> 0 Ouest", "1 -> 0", "1 -> 0 Est", "2 -> 0 sens unique Sud"}},
    };
    for (const auto& c : cases) {
        writeRooms(c.texts, c.exits);
        const Picture picture = mapPicture();
        for (const auto& [a, b, columns, rows] : c.offsets) {
            EXPECT_EQ(picture.rooms.at(b).x - picture.rooms.at(a).x, columns * MapColumnPitch) << c.adventure << ": " << b;
            EXPECT_EQ(picture.rooms.at(b).y - picture.rooms.at(a).y, rows * MapRowPitch) << c.adventure << ": " << b;
        }
        EXPECT_EQ(picture.exits, c.drawnExits) << c.adventure;
        expectNoOverlap(picture);
    }
}

TEST(AdventureMap, RoomsJoinedOnlyByEventsAreNotJoinedOnTheMap) {
    startInProcess(makeWorkFolder("map_events"));
    writeRooms({0, 7}, {});
    addMinorEvent(30, 255, 255, {}, {step(AllerEn, 7)});
    adventure.roomTexts[7] = u"<b>Cave & \"fût\"</b>\x01où l'on descend par une échelle";
    const std::string svg = (mapPicture(), readFile("carte.svg"));
    const Picture picture = readPicture(svg);
    EXPECT_EQ(picture.rooms.size(), 2u);
    EXPECT_EQ(picture.exits, std::vector<std::string>{});
    expectNoOverlap(picture);
    // The room's text, escaped, cut to the box's two lines.
    EXPECT_NE(svg.find(">&lt;b&gt;Cave &amp;</text>\n<text"), std::string::npos) << svg;
    EXPECT_NE(svg.find(">&quot;fût&quot;&lt;/b&gt; où…</text>\n</g>"), std::string::npos) << svg;
}

TEST(AdventureMap, HostileExitsNeitherHangNorOverlap) {
    startInProcess(makeWorkFolder("map_hostile"));
    std::mt19937 random(24);
    // Every exit of every room used: anywhere, or towards a few rooms, whose
    // neighbours cannot all be beside them and go to Graphviz.
    for (const int64_t targets : {253, 7}) {
        writeRooms({}, {});
        int64_t inRange = 0;
        for (int64_t room = 0; room < 253; ++room) {
            adventure.roomTexts[room].assign(1, u'x');
            for (int64_t& exit : adventure.exits[room]) {
                exit = room % 17 == 0 ? static_cast<int64_t>(random()) - 1000 : random() % targets;
                inRange += exit >= 0 && exit < 253 ? 1 : 0;
            }
        }
        adventure.roomTexts[0].assign(1 << 22, u'é');  // read only as far as a box shows
        const Picture picture = mapPicture();
        EXPECT_EQ(picture.rooms.size(), 253u);
        EXPECT_EQ(static_cast<int64_t>(picture.exits.size()), inRange);
        expectNoOverlap(picture);
        const std::string output = runEditor(menuEntry(Map) + "key pagedown\nkey right\n" + click(400, 300));
        EXPECT_NE(output.find("text 60 "), std::string::npos);
    }
}

TEST(MapPage, RoomsShowByDirectionScrollAndOpenTheirExits) {
    startInProcess(makeWorkFolder("map_page"));
    // Eight rooms eastwards from room 0, a room above room 3, one without text below room 0.
    writeRooms({0, 1, 2, 3, 4, 5, 6, 7, 8},
               {{0, E, 1}, {1, E, 2}, {2, E, 3}, {3, E, 4}, {4, E, 5}, {5, E, 6}, {6, E, 7}, {3, N, 8}, {8, Down, 3}, {0, S, 9}});
    adventure.roomTexts[3] = u"Une très longue salle voûtée, éclairée par des torches.";
    const std::string shown = runEditor(menuEntry(Map) + "mark shown\n");
    const std::string first = shown.substr(0, shown.find("mark shown"));
    const Box room0 = drawnAt(first, "000"), room1 = drawnAt(first, "001"), room3 = drawnAt(first, "003");
    EXPECT_EQ(room1.x - room0.x, MapColumnPitch);
    EXPECT_EQ(room1.y, room0.y);
    EXPECT_EQ(drawnAt(first, "008").y - room3.y, -MapRowPitch);
    EXPECT_NE(drawnAt(first, "Bas").x, -1) << "the way down from room 8, not what its line shows";
    EXPECT_EQ(drawnAt(first, "007").x, -1) << "beyond the page's right edge";
    // The lines between the boxes, black, and red to the room without text.
    drawMapPage();
    const int64_t left = room0.x - 6, top = room0.y - 3, gap = MapColumnPitch - MapBoxWidth - 1;
    EXPECT_EQ(pixelsOf(room3.x - 6 + MapBoxWidth + 1, top + MapBoxHeight / 2, gap, 1, rgb(0, 0, 0)), gap);
    const int64_t below = MapRowPitch - MapBoxHeight - 3;
    EXPECT_EQ(pixelsOf(left + MapBoxWidth / 2, top + MapBoxHeight + 2, 1, below, rgb(255, 0, 0)), below);
    // Room 3's box shows the beginning of its text below its number.
    EXPECT_EQ(drawnAt(first, "Une très longue").x - room3.x, 0);
    EXPECT_EQ(drawnAt(first, "Une très longue").y - room3.y, 17);
    EXPECT_EQ(first.find("torches"), std::string::npos);
    // A click on room 3's box: its exits, room 3 chosen.
    const std::string opened = runEditor(menuEntry(Map) + click(room3.x + 60, room3.y + 30) + "mark opened\n");
    EXPECT_TRUE(inOrder(texts(opened), {"DEPLACEMENTS", "Salle", "003", "Nord", "008", "Sud", "255", "Est", "004"}));
    // Opened again, the map has room 3 in the middle; the right arrow moves
    // the map left, as far as its right edge.
    std::string script = menuEntry(Map) + "mark centred\nkey right\nkey right\nmark right\n";
    for (int step = 0; step < 17; ++step) script += "key right\n";
    const std::string seen = runEditor(script + "mark last\nkey right\nmark end\n");
    const int64_t centred = drawnAt(seen.substr(0, seen.find("mark centred")), "003").x;
    EXPECT_EQ(centred - 6 + MapBoxWidth / 2, 400);
    EXPECT_EQ(drawnAt(seen.substr(0, seen.find("mark right")), "003").x, centred - 100);
    const size_t lastFrom = seen.find("mark last");
    const std::string last = seen.substr(lastFrom, seen.find("mark end") - lastFrom);
    EXPECT_EQ(drawnAt(last, "000").x, -1);
    EXPECT_EQ(drawnAt(last, "007").x - 6 + MapBoxWidth + MapMargin, 800);
}

TEST(MapCommand, TheMapOfAProjectIsWrittenOrRefusedAsPlayingItWould) {
    const std::string folder = makeWorkFolder("map_command");
    startInProcess(folder);
    writeRooms({0, 1}, {{0, N, 1}, {1, S, 0}});
    fs::create_directories(folder + "/Projets/essai");
    EXPECT_TRUE(saveAdventure(u"essai.orv", u"Projets\\essai\\"));
    // A wide picture for room 1: its thumbnail is 48 x 12.
    writePicture(folder + "/Projets/essai/1.jpg", rgb(0, 0, 255), 4000, 1000);
    const std::string headless = ORVALDE_HEADLESS, program = ORVALDE_PROGRAM;
    const struct {
        std::string command;
        int status;
        std::string error;
    } cases[] = {
        {headless + " --carte absent carte.svg", 1, "Erreur : Fichier 'Projets\\absent\\absent.orv' introuvable !\n"},
        {headless + " --carte essai absent/carte.svg", 1,
         "Erreur : Impossible d'écrire le fichier absent/carte.svg !\n"},
        {headless + " --carte essai carte.svg", 0, ""},
        {"DISPLAY= " + program + " --carte essai carte.svg", 0, ""},
    };
    for (const auto& c : cases) {
        fs::remove(folder + "/carte.svg");
        const int status = std::system(("cd " + folder + " && " + c.command + " >out 2>err").c_str());
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.command;
        EXPECT_EQ(readFile(folder + "/err"), c.error) << c.command;
        EXPECT_EQ(fs::exists(folder + "/carte.svg"), c.status == 0) << c.command;
    }
    const std::string svg = readFile(folder + "/carte.svg");
    EXPECT_EQ(readPicture(svg).exits, (std::vector<std::string>{"0 -> 1", "1 -> 0"}));
    EXPECT_NE(svg.find("width=\"48\" height=\"12\" xlink:href=\"data:image/png;base64,"), std::string::npos);
    EXPECT_EQ(svg.find("<image", svg.find("<image") + 1), std::string::npos) << "room 0 has no picture";
    EXPECT_LT(svg.size(), 8000u);
}
