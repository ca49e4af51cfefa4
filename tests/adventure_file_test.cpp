// The adventure file: its lines, a save read back value for value and byte
// for byte, the lenient reading of integers and line ends, the backup, and
// every way a load fails.
#include "model/adventure_file.h"

#include <cstring>
#include <filesystem>

#include "tests/support.h"

namespace {

std::string startFiles(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    std::filesystem::create_directories(folder + "/Projets/p");
    return folder + "/Projets/p/";
}

// Values a careless reader or writer would change: accents, blanks at both
// ends, characters outside the basic plane, digits that must stay text, and
// integers from the whole 64-bit range; two minor and three major events.
void fillUnusualAdventure() {
    for (int i = 0; i < TableSize; ++i) {
        adventure.roomTexts[i] = u" Salle n°" + integerToText(i) + u" é😀 ";
        adventure.objectLocations[i] = i % 3 == 0 ? INT64_MIN + i : INT64_MAX - i;
        adventure.exits[i][i % 6] = -i;
    }
    adventure.vocabulary[255][9] = u"-0012";
    // Three bytes each over 210 KB: characters straddle the reader's chunks.
    adventure.messageTexts[200] = std::u16string(70000, u'€');
    adventure.textZone = {-1, 2, 3000000000, 4};
    adventure.minorEventCount = 2;
    adventure.majorEventCount = 3;
    for (int e = 0; e < 3; ++e) {
        for (int slot = 0; slot < StepsPerList; ++slot) {
            const int64_t base = 1000 * e + 10 * slot;
            if (e < 2) adventure.minorEvents[e].conditions[slot] = {base + 1, base + 2, base + 3, base + 4};
            if (e < 2) adventure.minorEvents[e].actions[slot] = {base + 5, base + 6, base + 7, base + 8};
            adventure.majorEvents[e].actions[slot] = {-base, 0, 0, 0};
        }
    }
    adventure.minorEvents[1].words[2] = 77;
}

}  // namespace

TEST(AdventureFile, ANewAdventureIsWrittenLineByLineInItsFixedOrder) {
    const std::string project = startFiles("new_file");
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    const std::string bytes = readFile(project + "p.orv");
    const std::vector<std::string> lines = fileLines(project + "p.orv");
    ASSERT_EQ(lines.size(), 6567u);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 6567);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\r'), 6567);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    // Row 0 of every table: ten spellings, the texts, six exits, the object.
    std::string row0;
    for (size_t line = 0; line < 24; ++line) row0 += lines[line] + "|";
    EXPECT_EQ(row0,
              "N|NORD|||||||||Message 0.|Vous vous trouvez à l'entrée du château.|255|255|255|255|255|255|Une épée|253|"
              "Vous voyez :|255|0|0|");
    const std::vector<std::string> settings(lines.begin() + 6144, lines.begin() + 6163);
    EXPECT_EQ(settings, (std::vector<std::string>{"0", "0", "400", "300", "0", "360", "800", "64", "0", "424", "800",
                                                  "140", "490", "190", "300", "124", "10", "2", "1"}));
}

TEST(AdventureFile, WhatIsSavedLoadsBackAndSavesToTheSameBytes) {
    const std::string project = startFiles("round_trip");
    fillUnusualAdventure();
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    const std::string first = readFile(project + "p.orv");
    // Minor events interleave: by slot, then field, then event, condition first.
    const std::vector<std::string> lines = fileLines(project + "p.orv");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6163, lines.begin() + 6174),
              (std::vector<std::string>{"255", "255", "255", "255", "255", "77", "1", "5", "1001", "1005", "2"}));
    resetAdventure();
    loadAdventure(u"p.orv", u"Projets\\p\\");
    EXPECT_EQ(adventure.roomTexts[4], u" Salle n°4 é😀 ");
    EXPECT_EQ(adventure.vocabulary[255][9], u"-0012");
    EXPECT_EQ(adventure.messageTexts[200], std::u16string(70000, u'€'));
    EXPECT_EQ(adventure.objectLocations[3], INT64_MIN + 3);
    EXPECT_EQ(adventure.majorEvents[2].actions[24].type, -2240);
    ASSERT_TRUE(saveAdventure(u"q.orv", u"Projets\\p\\"));
    EXPECT_EQ(readFile(project + "q.orv"), first);
}

// As many events as the tables hold: the last of each kind comes back whole.
TEST(AdventureFile, AThousandEventsOfEachKindSaveAndLoadBack) {
    startFiles("thousand");
    adventure.minorEventCount = adventure.majorEventCount = MaxEvents;
    MinorEvent& lastMinor = adventure.minorEvents[MaxEvents - 1];
    lastMinor.words[2] = 42;
    lastMinor.actions[StepsPerList - 1] = {AfficheMessage, 7, 8, 9};
    adventure.majorEvents[MaxEvents - 1].conditions[StepsPerList - 1] = {EnSalle, 3, 4, 5};
    const MinorEvent minor = lastMinor;
    const MajorEvent major = adventure.majorEvents[MaxEvents - 1];
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    startNewAdventure();  // one event of each kind again
    loadAdventure(u"p.orv", u"Projets\\p\\");
    EXPECT_EQ(adventure.minorEventCount + adventure.majorEventCount, 2 * MaxEvents);
    EXPECT_EQ(std::memcmp(&adventure.minorEvents[MaxEvents - 1], &minor, sizeof minor), 0);
    EXPECT_EQ(std::memcmp(&adventure.majorEvents[MaxEvents - 1], &major, sizeof major), 0);
}

// A count in memory beyond the table is written as 1000; one of 0 or less in
// a file has no lines and loads as one empty event.
TEST(AdventureFile, EventCountsStayWithinTheTables) {
    const std::string project = startFiles("counts");
    adventure.minorEventCount = 5000;
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    EXPECT_EQ(fileLines(project + "p.orv")[6162], "1000");
    adventure.minorEventCount = 1;
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    const std::vector<std::string> lines = fileLines(project + "p.orv");
    for (const char* count : {"0", "-3"}) {
        std::string bytes;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i < 6162 || i > 6365) bytes += lines[i] + "\n";  // the minor events' lines left out
            if (i == 6162) bytes += std::string(count) + "\n";
        }
        writeFile(project + "p.orv", bytes);
        adventure.minorEventCount = 7;
        loadAdventure(u"p.orv", u"Projets\\p\\");
        EXPECT_EQ(adventure.minorEventCount, 1) << count;
        EXPECT_EQ(adventure.majorEventCount, 1) << count;
    }
}

TEST(AdventureFile, LinesEndInAnyWayAndIntegersAreReadLeniently) {
    const std::string project = startFiles("lenient");
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    const std::vector<std::string> lines = fileLines(project + "p.orv");
    const struct {
        const char* line;
        int64_t value;
    } integers[] = {
        // clang-format off
        {" \t42x", 42}, {"-7", -7}, {"+5", 5}, {"$ff", 255}, {"-$10", -16}, {"%101", 5}, {"12 3", 12}, {"abc", 0},
        {"", 0}, {"- 3", 0}, {"99999999999999999999", INT64_MAX}, {"-99999999999999999999", INT64_MIN},
        {"$FFFFFFFFFFFFFFFFFF", INT64_MAX}, {"$1é", 1},
        // clang-format on
    };
    for (const char* end : {"\n", "\r", "\r\n"}) {
        for (const auto& c : integers) {
            std::string bytes;
            for (size_t i = 0; i < lines.size(); ++i) bytes += (i == 12 ? std::string(c.line) : lines[i]) + end;
            writeFile(project + "p.orv", bytes + "ligne de trop" + end);
            loadAdventure(u"p.orv", u"Projets\\p\\");
            EXPECT_EQ(adventure.exits[0][0], c.value) << c.line;
            EXPECT_EQ(adventure.vocabulary[0][1], u"NORD");
            EXPECT_EQ(adventure.maxObjectsInHand, 2);
        }
    }
}

// The backup of a second save is watched with the editor's saves.
TEST(AdventureFile, AnEmptyFileIsNoBackupAndAFolderThatIsMissingIsReported) {
    const std::string project = startFiles("backup");
    writeFile(project + "p.orv", "");
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    EXPECT_FALSE(std::filesystem::exists(project + "p.bak"));
    takeHeadlessOutput();
    EXPECT_FALSE(saveAdventure(u"p.orv", u"Projets\\absent\\"));
    EXPECT_EQ(boxes(takeHeadlessOutput()),
              std::vector<std::string>{"Erreur | Impossible de sauver le fichier p.orv !"});
}

TEST(AdventureFileDeathTest, ALoadThatCannotCompleteEndsTheProgramWithItsMessage) {
    const std::string project = startFiles("load_failures");
    adventure.minorEventCount = 2;
    ASSERT_TRUE(saveAdventure(u"p.orv", u"Projets\\p\\"));
    const std::string whole = readFile(project + "p.orv");
    std::filesystem::create_directories(project + "dossier.orv");
    EXPECT_FATAL_BOX(loadAdventure(u"absent.orv", u"Projets\\p\\"), "Fichier 'Projets\\p\\absent.orv' introuvable !");
    EXPECT_FATAL_BOX(loadAdventure(u"dossier.orv", u"Projets\\p\\"),
                     "Impossible d'ouvrir le fichier 'Projets\\p\\dossier.orv' !");
    // Cut in the rows, in the minor event lists, before the major count.
    for (size_t lines : {1, 6000, 6300, 6569}) {
        size_t at = 0;
        for (size_t i = 0; i < lines; ++i) at = whole.find('\n', at) + 1;
        writeFile(project + "cut.orv", whole.substr(0, at));
        EXPECT_FATAL_BOX(loadAdventure(u"cut.orv", u"Projets\\p\\"), "Fichier corrompu !") << lines;
    }
    // An event count beyond the 1000 events of the tables, in a file with
    // lines enough for every event it counts: refused before any is read.
    std::vector<std::string> lines = fileLines(project + "p.orv");
    lines[6162] = "1001";
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\n";
    for (int line = 0; line < 500000; ++line) bytes += "1\n";
    writeFile(project + "big.orv", bytes);
    EXPECT_FATAL_BOX(loadAdventure(u"big.orv", u"Projets\\p\\"), "Fichier corrompu !");
}
