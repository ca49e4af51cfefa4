// The adventure file line by line: the file of a new adventure, the order of
// the event lists, the integer reading rule, the accepted line ends, files cut
// short and files with unusual counts.
#include <gtest/gtest.h>

#include "model/adventure_file.h"
#include "model/adventure_writer.h"
#include "tests/test_support.h"

namespace {

// Line indexes (from 0) of the blocks after the 256 rows.
constexpr size_t ZonesLine = 6144;
constexpr size_t MinorCountLine = 6162;

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::string replaceAll(std::string bytes, const std::string& from, const std::string& to) {
    std::string result;
    size_t start = 0;
    for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, start)) {
        result += bytes.substr(start, at - start) + to;
        start = at + from.size();
    }
    return result + bytes.substr(start);
}

AdventureReadResult readBytes(const std::string& name, const std::string& bytes) {
    writeFileBytes(workFolder + name, bytes);
    return readAdventureAt(workFolder + name);
}

void newAdventure() {
    resetLayoutSettings();
    resetAdventure();
}

}  // namespace

TEST(AdventureFileFormat, NewAdventureIsTheDocumentedFileOf6567Lines) {
    startIn("new");
    newAdventure();
    const std::string bytes = saveBytes(u"nouveau.orv");
    const std::vector<std::string> lines = crLfLines(bytes);
    ASSERT_EQ(lines.size(), 6567u) << "every line, the last one included, ends with CR LF";
    EXPECT_EQ(bytes.substr(0, 3), "N\r\n") << "no byte-order mark";

    const std::vector<std::string> row0 = {"N",        "NORD",       "",
                                           "",         "",           "",
                                           "",         "",           "",
                                           "",         "Message 0.", "Vous vous trouvez à l'entrée du château.",
                                           "255",      "255",        "255",
                                           "255",      "255",        "255",
                                           "Une épée", "253",        "Vous voyez :",
                                           "255",      "0",          "0"};
    for (size_t i = 0; i < row0.size(); ++i) EXPECT_EQ(lines[i], row0[i]) << "line " << i + 1;
    // Row 1 starts with the second default word, row 253 names a pseudo-location.
    EXPECT_EQ(lines[24], "S");
    EXPECT_EQ(lines[25], "SUD");
    EXPECT_EQ(lines[24 + 20], "A vous :");
    EXPECT_EQ(lines[253 * 24 + 11], "Non créé.");
    EXPECT_EQ(lines[255 * 24 + 11], "En main.");
    EXPECT_EQ(lines[255 * 24 + 19], "253");

    const std::vector<std::string> zonesAndLimits = {"0",   "0",   "400", "300", "0",   "360", "800", "64", "0",
                                                     "424", "800", "140", "490", "190", "300", "124", "10", "2"};
    for (size_t i = 0; i < zonesAndLimits.size(); ++i) EXPECT_EQ(lines[ZonesLine + i], zonesAndLimits[i]);
    EXPECT_EQ(lines[MinorCountLine], "1");
    for (size_t w = 1; w <= 3; ++w) EXPECT_EQ(lines[MinorCountLine + w], "255");
    // One empty event: per slot, the type -1 of the condition and of the
    // action, then their three arguments 255.
    const size_t minorLists = MinorCountLine + 4;
    const size_t majorCount = minorLists + 200;
    EXPECT_EQ(lines[majorCount], "1");
    for (size_t slot = 0; slot < 25; ++slot) {
        for (size_t k = 0; k < 8; ++k) {
            const std::string expected = k < 2 ? "-1" : "255";
            EXPECT_EQ(lines[minorLists + slot * 8 + k], expected) << "minor slot " << slot;
            EXPECT_EQ(lines[majorCount + 1 + slot * 8 + k], expected) << "major slot " << slot;
        }
    }
}

TEST(AdventureFileFormat, TwoEventsInterleaveBySlotThenFieldThenEvent) {
    startIn("interleave");
    newAdventure();
    adventure.minorEventCount = 2;
    adventure.majorEventCount = 2;
    for (int e = 0; e < 2; ++e) {
        for (int w = 0; w < 3; ++w) adventure.minorEvents[e].words[w] = 100 + e * 10 + w;
        for (int slot = 0; slot < 2; ++slot) {
            const int64_t base = slot * 20 + e * 10;  // condition base+1..base+4, action base+5..base+8
            adventure.minorEvents[e].conditions[slot] = {base + 1, base + 2, base + 3, base + 4};
            adventure.minorEvents[e].actions[slot] = {base + 5, base + 6, base + 7, base + 8};
            adventure.majorEvents[e].conditions[slot] = {-(base + 1), -(base + 2), -(base + 3), -(base + 4)};
            adventure.majorEvents[e].actions[slot] = {-(base + 5), -(base + 6), -(base + 7), -(base + 8)};
        }
    }
    const std::vector<std::string> lines = crLfLines(saveBytes(u"deux.orv"));
    ASSERT_EQ(lines.size(), 6164u + 203 * 2 + 200 * 2);

    const std::vector<std::string> words = {"2", "100", "101", "102", "110", "111", "112"};
    for (size_t i = 0; i < words.size(); ++i) EXPECT_EQ(lines[MinorCountLine + i], words[i]);

    // Slot 0 then slot 1; in each, type, arg1, arg2, arg3; in each field
    // event 0 then event 1; in each event the condition then the action.
    const std::vector<std::string> minorStart = {"1",  "5",  "11", "15", "2",  "6",  "12", "16", "3",  "7",  "13",
                                                 "17", "4",  "8",  "14", "18", "21", "25", "31", "35", "22", "26",
                                                 "32", "36", "23", "27", "33", "37", "24", "28", "34", "38", "-1"};
    const size_t minorLists = MinorCountLine + 7;
    for (size_t i = 0; i < minorStart.size(); ++i) EXPECT_EQ(lines[minorLists + i], minorStart[i]) << "at " << i;
    EXPECT_EQ(lines[minorLists + 400 - 1], "255");

    const size_t majorCount = minorLists + 400;
    EXPECT_EQ(lines[majorCount], "2");
    const std::vector<std::string> majorStart = {"-1", "-5", "-11", "-15", "-2", "-6", "-12", "-16", "-3"};
    for (size_t i = 0; i < majorStart.size(); ++i) EXPECT_EQ(lines[majorCount + 1 + i], majorStart[i]);
    EXPECT_EQ(lines[majorCount + 1 + 16], "-21");
    EXPECT_EQ(lines[majorCount + 1 + 32], "-1");  // slot 2 is empty

    // And the reader puts every value back where it came from.
    keptAdventure = adventure;
    ASSERT_EQ(readAdventureAt(workFolder + "deux.orv"), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
}

TEST(AdventureFileFormat, SaveLoadSaveGivesTheSameBytesAccentsIncluded) {
    startIn("round_trip");
    fillDistinctAdventure(3, 2, 7);
    adventure.roomTexts[0] = u"Vous vous trouvez à l'entrée du château.";
    adventure.objectTexts[9] = u"  Un dragon \U0001F409 endormi, œil mi-clos  ";
    keptAdventure = adventure;
    const std::string first = saveBytes(u"aller.orv");
    const std::vector<std::string> lines = crLfLines(first);
    ASSERT_EQ(lines.size(), 6164u + 203 * 3 + 200 * 2);
    EXPECT_EQ(lines[11], "Vous vous trouvez à l'entrée du château.");
    EXPECT_EQ(lines[9 * 24 + 18], "  Un dragon \xF0\x9F\x90\x89 endormi, \xC5\x93il mi-clos  ");

    newAdventure();
    loadAdventure(u"aller.orv", u"");
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
    EXPECT_EQ(adventure.minorEventCount, 3);
    EXPECT_EQ(adventure.majorEventCount, 2);
    EXPECT_EQ(saveBytes(u"retour.orv"), first);
}

// LF, CR or NUL alone, or a different end on every line, read the same as CR LF.
TEST(AdventureFileFormat, EveryLineEndTheReaderAcceptsGivesTheSameAdventure) {
    startIn("line_ends");
    fillDistinctAdventure(2, 3, 11);
    keptAdventure = adventure;
    const std::string crLf = saveBytes(u"crlf.orv");
    ASSERT_FALSE(crLf.empty());
    for (const std::string end : {std::string("\n"), std::string("\r"), std::string(1, '\0')}) {
        EXPECT_EQ(readBytes("end.orv", replaceAll(crLf, "\r\n", end)), AdventureReadResult::Complete);
        EXPECT_TRUE(sameAdventure(keptAdventure, adventure)) << "end " << static_cast<int>(end[0]);
    }
    // A CR end followed by an empty line ended by LF would read as one CR LF
    // end, so that pair is avoided.
    const std::vector<std::string> lines = crLfLines(crLf);
    const std::string ends[] = {"\r\n", "\n", "\r", std::string(1, '\0')};
    std::string mixed;
    std::string previousEnd;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string end = ends[i % 4];
        if (previousEnd == "\r" && lines[i].empty() && end == "\n") end = "\r\n";
        mixed += lines[i] + end;
        previousEnd = end;
    }
    EXPECT_EQ(readBytes("mixed.orv", mixed), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure)) << "mixed ends";
}

TEST(AdventureFileFormat, ExtraLinesAMissingLastEndAndAByteOrderMark) {
    startIn("extra_lines");
    fillDistinctAdventure(1, 1, 3);
    adventure.vocabulary[0][0] = u"NORD";
    keptAdventure = adventure;
    const std::string bytes = saveBytes(u"base.orv");

    EXPECT_EQ(readBytes("extra.orv", bytes + "en trop\r\n12\r\n\r\n-1"), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure)) << "lines after the last value are ignored";

    EXPECT_EQ(readBytes("no_last_end.orv", bytes.substr(0, bytes.size() - 2)), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure)) << "the last line may lack its end";
    EXPECT_EQ(readBytes("last_cr.orv", bytes.substr(0, bytes.size() - 1)), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));

    // A byte-order mark is not skipped: it becomes part of the first value.
    EXPECT_EQ(readBytes("bom.orv", "\xEF\xBB\xBF" + bytes), AdventureReadResult::Complete);
    EXPECT_EQ(adventure.vocabulary[0][0], u"\uFEFFNORD");
    adventure.vocabulary[0][0] = u"NORD";
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
}

TEST(AdventureFileFormat, AFileCutBeforeItsLastValueEndsEarlyWhereverItStops) {
    startIn("cut");
    fillDistinctAdventure(2, 2, 5);
    const std::string bytes = saveBytes(u"entier.orv");
    const std::vector<std::string> lines = crLfLines(bytes);
    ASSERT_EQ(lines.size(), 6970u);
    std::vector<size_t> lineStart(lines.size() + 1, 0);
    for (size_t i = 0; i < lines.size(); ++i) lineStart[i + 1] = lineStart[i] + lines[i].size() + 2;

    // Every 97th line, and the lines around each block boundary, among them
    // the middle of both event lists and the very last line.
    std::vector<size_t> cuts;
    for (size_t k = 0; k < lines.size(); k += 97) cuts.push_back(k);
    for (size_t k : {1u, 23u, 24u, 6143u, 6144u, 6160u, 6161u, 6162u, 6163u, 6168u, 6169u, 6369u, 6568u, 6569u, 6570u,
                     6770u, 6968u, 6969u}) {
        cuts.push_back(k);
    }
    int checked = 0;
    for (size_t k : cuts) {
        // Only lines 0..k-1 are whole: at the line start, and after the CR of
        // the previous line's end.
        EXPECT_EQ(readBytes("coupe.orv", bytes.substr(0, lineStart[k])), AdventureReadResult::EndedEarly)
            << "cut before line " << k;
        if (k > 0) {
            EXPECT_EQ(readBytes("coupe.orv", bytes.substr(0, lineStart[k] - 1)), AdventureReadResult::EndedEarly)
                << "cut inside the end of line " << k - 1;
        }
        // Inside a line that is not the last: that value is there, cut, and
        // the next is missing.
        if (k + 1 < lines.size() && lines[k].size() >= 2) {
            EXPECT_EQ(readBytes("coupe.orv", bytes.substr(0, lineStart[k] + lines[k].size() / 2)),
                      AdventureReadResult::EndedEarly)
                << "cut inside line " << k;
        }
        ++checked;
    }
    EXPECT_GT(checked, 80);
    // The whole file still reads.
    EXPECT_EQ(readAdventureAt(workFolder + "entier.orv"), AdventureReadResult::Complete);
}

TEST(AdventureFileFormat, EventCountsOutsideTheTables) {
    startIn("counts");
    newAdventure();
    adventure.majorEvents[0].actions[0] = {AfficheMessage, 7, 255, 255};
    adventure.majorEvents[0].conditions[3] = {EnSalle, 4, 255, 255};
    const std::vector<std::string> lines = crLfLines(saveBytes(u"base.orv"));
    ASSERT_EQ(lines.size(), 6567u);
    const size_t majorCountLine = MinorCountLine + 204;
    ASSERT_EQ(lines[majorCountLine], "1");

    auto withLine = [&](size_t index, const std::string& value) {
        std::vector<std::string> changed = lines;
        changed[index] = value;
        return changed;
    };
    auto withoutMinorLines = [&](const std::string& count) {
        std::vector<std::string> changed = lines;
        changed[MinorCountLine] = count;
        changed.erase(changed.begin() + MinorCountLine + 1, changed.begin() + MinorCountLine + 204);
        return changed;
    };

    // Above the 1000 events of a table: refused, wherever the count is.
    for (const char* tooMany : {"1001", "$3E9", "99999999999999999999999", "  +2000"}) {
        EXPECT_EQ(readBytes("trop.orv", joinCrLf(withLine(MinorCountLine, tooMany))),
                  AdventureReadResult::CountTooLarge)
            << tooMany;
        EXPECT_EQ(readBytes("trop.orv", joinCrLf(withLine(majorCountLine, tooMany))),
                  AdventureReadResult::CountTooLarge)
            << tooMany;
        EXPECT_GE(adventure.minorEventCount, 1);
        EXPECT_LE(adventure.minorEventCount, 1000);
        EXPECT_GE(adventure.majorEventCount, 1);
        EXPECT_LE(adventure.majorEventCount, 1000);
    }

    // 0 or less: no lines for that kind, one empty event kept; the major
    // events after it are read from the right lines.
    for (const char* none : {"0", "-3", "-99999999999999999999", "rien"}) {
        adventure.minorEventCount = 5;
        adventure.minorEvents[0].words[0] = 42;
        EXPECT_EQ(readBytes("aucun.orv", joinCrLf(withoutMinorLines(none))), AdventureReadResult::Complete) << none;
        EXPECT_EQ(adventure.minorEventCount, 1) << none;
        EXPECT_EQ(adventure.minorEvents[0].words[0], NoWord);
        EXPECT_EQ(adventure.minorEvents[0].conditions[0].type, EndOfList);
        EXPECT_EQ(adventure.majorEventCount, 1);
        EXPECT_EQ(adventure.majorEvents[0].actions[0].type, AfficheMessage);
        EXPECT_EQ(adventure.majorEvents[0].actions[0].arg1, 7);
        EXPECT_EQ(adventure.majorEvents[0].conditions[3].arg1, 4);
    }
    std::vector<std::string> noMajor = lines;
    noMajor[majorCountLine] = "0";
    noMajor.resize(majorCountLine + 1);
    EXPECT_EQ(readBytes("sans_majeur.orv", joinCrLf(noMajor)), AdventureReadResult::Complete);
    EXPECT_EQ(adventure.majorEventCount, 1);
    EXPECT_EQ(adventure.majorEvents[0].actions[0].type, EndOfList);

    // A count that promises more events than the file holds.
    EXPECT_EQ(readBytes("promesse.orv", joinCrLf(withLine(majorCountLine, "2"))), AdventureReadResult::EndedEarly);
}

TEST(AdventureFileFormat, AThousandEventsOfEachKindFitExactly) {
    startIn("thousand");
    fillDistinctAdventure(1000, 1000, 21);
    keptAdventure = adventure;
    const std::string bytes = saveBytes(u"plein.orv");
    std::vector<std::string> lines = crLfLines(bytes);
    ASSERT_EQ(lines.size(), 6164u + 203000 + 200000);
    newAdventure();
    loadAdventure(u"plein.orv", u"");
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));

    // The same count written in hexadecimal reads the same.
    lines[MinorCountLine] = "$3E8";
    EXPECT_EQ(readBytes("hexa.orv", joinCrLf(lines)), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
}

TEST(AdventureFileFormat, IntegerLinesInEveryFormAndOutOfRangeValuesAreStoredAsRead) {
    startIn("integers");
    newAdventure();
    std::vector<std::string> lines = crLfLines(saveBytes(u"base.orv"));
    ASSERT_EQ(lines.size(), 6567u);
    const size_t row2 = 2 * 24;
    lines[row2 + 12] = " \t$FE";     // exit Nord of room 2
    lines[row2 + 13] = "%11111101";  // exit Sud
    lines[row2 + 14] = "100000";     // exit Est, beyond any room
    lines[row2 + 15] = "-7 salles";  // exit Ouest
    lines[row2 + 16] = "\t+12xyz";   // exit Haut
    lines[row2 + 17] = "quatre";     // exit Bas
    lines[row2 + 19] = "-$10";       // location of object 2
    lines[row2 + 21] = "- 5";        // a sign alone is no digit
    lines[row2 + 22] = "0012";
    lines[row2 + 23] = "9223372036854775808";  // one past the largest
    lines[ZonesLine] = "-9223372036854775808";
    lines[ZonesLine + 1] = "$7FFFFFFFFFFFFFFF";
    lines[row2 + 11] = "$FF";  // a text line stays text
    ASSERT_EQ(readBytes("formes.orv", joinCrLf(lines)), AdventureReadResult::Complete);

    const std::vector<int64_t> read = {adventure.exits[2][0],
                                       adventure.exits[2][1],
                                       adventure.exits[2][2],
                                       adventure.exits[2][3],
                                       adventure.exits[2][4],
                                       adventure.exits[2][5],
                                       adventure.objectLocations[2],
                                       adventure.objectAttributes[2][0],
                                       adventure.objectAttributes[2][1],
                                       adventure.objectAttributes[2][2],
                                       adventure.imageZone.x,
                                       adventure.imageZone.y};
    EXPECT_EQ(read, (std::vector<int64_t>{254, 253, 100000, -7, 12, 0, -16, 0, 12, INT64_MAX, INT64_MIN, INT64_MAX}));
    EXPECT_EQ(adventure.roomTexts[2], u"$FF");

    // Saved again, each is written in plain decimal.
    const std::vector<std::string> again = crLfLines(saveBytes(u"encore.orv"));
    ASSERT_EQ(again.size(), 6567u);
    EXPECT_EQ(again[row2 + 12], "254");
    EXPECT_EQ(again[row2 + 15], "-7");
    EXPECT_EQ(again[row2 + 19], "-16");
    EXPECT_EQ(again[ZonesLine], "-9223372036854775808");
    EXPECT_EQ(again[ZonesLine + 1], "9223372036854775807");
}

// Blanks and tabs skipped, a sign, then decimal digits, "$" hexadecimal or
// "%" binary digits up to the first other character; anything else reads 0;
// runs of digits beyond 64 bits saturate; integers are written in plain decimal.
TEST(AdventureFileIntegers, TheReadingRuleOfOneLineAndTheWrittenForm) {
    const struct {
        std::u16string line;
        int64_t value;
    } cases[] = {
        {u"255", 255},
        {u"-1", -1},
        {u"+42", 42},
        {u"  \t 17", 17},
        {u"17 18", 17},
        {u"12abc", 12},
        {u"", 0},
        {u"abc", 0},
        {u"-", 0},
        {u"- 3", 0},
        {u"--3", 0},
        {u"\u00A03", 0},
        {u"\uFF13", 0},
        {u"$ff", 255},
        {u"$Ff1g", 4081},
        {u"-$10", -16},
        {u"$", 0},
        {u"$G", 0},
        {u"%1011", 11},
        {u"%1021", 2},
        {u"-%11", -3},
        {u"%", 0},
        {u"9A", 9},  // hexadecimal digits need the $
        {u"9223372036854775807", INT64_MAX},
        {u"-9223372036854775808", INT64_MIN},
        {u"9223372036854775808", INT64_MAX},
        {u"-9223372036854775809", INT64_MIN},
        {u"18446744073709551617", INT64_MAX},  // 2^64 + 1 must not wrap to 1
        {std::u16string(5000, u'9'), INT64_MAX},
        {u"-" + std::u16string(5000, u'7'), INT64_MIN},
        {u"$10000000000000001", INT64_MAX},
        {u"%" + std::u16string(64, u'1'), INT64_MAX},
        {u"%1" + std::u16string(62, u'0'), int64_t{1} << 62},
    };
    for (const auto& c : cases) EXPECT_EQ(adventureLineToInteger(c.line), c.value) << textToUtf8(c.line.substr(0, 30));
    EXPECT_EQ(adventureIntegerLine(1000), u"1000");
    EXPECT_EQ(adventureIntegerLine(INT64_MAX), u"9223372036854775807");
    EXPECT_EQ(adventureIntegerLine(INT64_MIN), u"-9223372036854775808");
    for (int64_t value : {int64_t{0}, int64_t{-1}, int64_t{7}, int64_t{-123456789}, INT64_MAX, INT64_MIN}) {
        EXPECT_EQ(adventureLineToInteger(adventureIntegerLine(value)), value);
    }
}
