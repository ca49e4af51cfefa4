// The adventure file line by line: the file of a new adventure, the order of
// the event lists, the integer reading rule, the accepted line ends, files cut
// short and files with unusual counts.
#include <gtest/gtest.h>

#include "model/adventure_file.h"
#include "model/adventure_writer.h"
#include "tests/test_support.h"

namespace {

using Lines = std::vector<std::string>;

// Line indexes (from 0) of the blocks after the 256 rows of 24 lines.
constexpr size_t ZonesLine = 6144;
constexpr size_t MinorCountLine = 6162;

std::string joinCrLf(const Lines& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

std::string replaceAll(std::string bytes, const std::string& from, const std::string& to) {
    for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size())) {
        bytes.replace(at, from.size(), to);
    }
    return bytes;
}

AdventureReadResult readBytes(const std::string& name, const std::string& bytes) {
    writeFileBytes(workFolder + name, bytes);
    return readAdventureAt(workFolder + name);
}

// The lines from index `first` on are the expected ones.
void expectLinesAt(const Lines& lines, size_t first, const Lines& expected) {
    ASSERT_GE(lines.size(), first + expected.size());
    EXPECT_EQ(Lines(lines.begin() + first, lines.begin() + first + expected.size()), expected) << "from " << first;
}

Lines newAdventureLines(const std::u16string& name) {
    resetLayoutSettings();
    resetAdventure();
    return crLfLines(saveBytes(name));
}

}  // namespace

// Every line, the last one included, ends with CR LF; no byte-order mark;
// each of the 256 rows holds 24 lines; then the zones and limits, the minor
// events and the major events, one empty event of each kind: per slot, the
// type -1 of the condition and of the action, then their arguments 255.
TEST(AdventureFileFormat, NewAdventureIsTheDocumentedFileOf6567Lines) {
    startIn("new");
    const Lines lines = newAdventureLines(u"nouveau.orv");
    ASSERT_EQ(lines.size(), 6567u);
    EXPECT_EQ(readFileBytes(workFolder + "nouveau.orv").substr(0, 3), "N\r\n");
    // clang-format off
    expectLinesAt(lines, 0, {"N", "NORD", "", "", "", "", "", "", "", "", "Message 0.",
                             "Vous vous trouvez à l'entrée du château.", "255", "255", "255", "255", "255", "255",
                             "Une épée", "253", "Vous voyez :", "255", "0", "0", "S", "SUD"});
    expectLinesAt(lines, ZonesLine, {"0", "0", "400", "300", "0", "360", "800", "64", "0", "424", "800", "140",
                                     "490", "190", "300", "124", "10", "2", "1", "255", "255", "255"});
    // clang-format on
    EXPECT_EQ(lines[24 + 20], "A vous :");
    EXPECT_EQ(lines[253 * 24 + 11], "Non créé.");
    EXPECT_EQ(lines[255 * 24 + 11], "En main.");
    EXPECT_EQ(lines[255 * 24 + 19], "253");
    const size_t majorCount = MinorCountLine + 4 + 200;
    EXPECT_EQ(lines[majorCount], "1");
    for (size_t slot = 0; slot < 25; ++slot) {
        const Lines empty = {"-1", "-1", "255", "255", "255", "255", "255", "255"};
        expectLinesAt(lines, MinorCountLine + 4 + slot * 8, empty);
        expectLinesAt(lines, majorCount + 1 + slot * 8, empty);
    }
}

// Slot 0 then slot 1; in each, type, arg1, arg2, arg3; in each field event 0
// then event 1; in each event the condition then the action. The reader puts
// every value back where it came from.
TEST(AdventureFileFormat, TwoEventsInterleaveBySlotThenFieldThenEvent) {
    startIn("interleave");
    newAdventureLines(u"base.orv");
    adventure.minorEventCount = 2;
    adventure.majorEventCount = 2;
    for (int e = 0; e < 2; ++e) {
        for (int w = 0; w < 3; ++w) adventure.minorEvents[e].words[w] = 100 + e * 10 + w;
        for (int slot = 0; slot < 2; ++slot) {
            const int64_t b = slot * 20 + e * 10;  // condition b+1..b+4, action b+5..b+8
            adventure.minorEvents[e].conditions[slot] = {b + 1, b + 2, b + 3, b + 4};
            adventure.minorEvents[e].actions[slot] = {b + 5, b + 6, b + 7, b + 8};
            adventure.majorEvents[e].conditions[slot] = {-(b + 1), -(b + 2), -(b + 3), -(b + 4)};
            adventure.majorEvents[e].actions[slot] = {-(b + 5), -(b + 6), -(b + 7), -(b + 8)};
        }
    }
    const Lines lines = crLfLines(saveBytes(u"deux.orv"));
    ASSERT_EQ(lines.size(), 6164u + 203 * 2 + 200 * 2);
    const size_t minorLists = MinorCountLine + 7;
    const size_t majorCount = minorLists + 400;
    // clang-format off
    expectLinesAt(lines, MinorCountLine, {"2", "100", "101", "102", "110", "111", "112"});
    expectLinesAt(lines, minorLists, {"1", "5", "11", "15", "2", "6", "12", "16", "3", "7", "13", "17", "4", "8", "14",
                                      "18", "21", "25", "31", "35", "22", "26", "32", "36", "23", "27", "33", "37",
                                      "24", "28", "34", "38", "-1"});
    expectLinesAt(lines, majorCount, {"2", "-1", "-5", "-11", "-15", "-2", "-6", "-12", "-16", "-3"});
    // clang-format on
    EXPECT_EQ(lines[majorCount - 1], "255");
    EXPECT_EQ(lines[majorCount + 1 + 16], "-21");
    EXPECT_EQ(lines[majorCount + 1 + 32], "-1");  // slot 2 is empty
    keptAdventure = adventure;
    ASSERT_EQ(readAdventureAt(workFolder + "deux.orv"), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
}

// Save, load and save again give the same bytes, accents and characters
// outside the basic plane included; so do a thousand events of each kind,
// whose count may also be written in hexadecimal.
TEST(AdventureFileFormat, SaveLoadSaveGivesTheSameBytesUpToAThousandEvents) {
    startIn("round_trip");
    fillDistinctAdventure(3, 2, 7);
    adventure.roomTexts[0] = u"Vous vous trouvez à l'entrée du château.";
    adventure.objectTexts[9] = u"  Un dragon \U0001F409 endormi, œil mi-clos  ";
    keptAdventure = adventure;
    const std::string first = saveBytes(u"aller.orv");
    const Lines lines = crLfLines(first);
    ASSERT_EQ(lines.size(), 6164u + 203 * 3 + 200 * 2);
    EXPECT_EQ(lines[11], "Vous vous trouvez à l'entrée du château.");
    EXPECT_EQ(lines[9 * 24 + 18], "  Un dragon \xF0\x9F\x90\x89 endormi, \xC5\x93il mi-clos  ");
    resetAdventure();
    loadAdventure(u"aller.orv", u"");
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
    EXPECT_EQ(saveBytes(u"retour.orv"), first);

    fillDistinctAdventure(1000, 1000, 21);
    keptAdventure = adventure;
    Lines full = crLfLines(saveBytes(u"plein.orv"));
    ASSERT_EQ(full.size(), 6164u + 203000 + 200000);
    resetAdventure();
    loadAdventure(u"plein.orv", u"");
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
    full[MinorCountLine] = "$3E8";
    EXPECT_EQ(readBytes("hexa.orv", joinCrLf(full)), AdventureReadResult::Complete);
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
}

// LF, CR or NUL alone, or a different end on every line, read the same as CR
// LF; lines after the last value are ignored; the last line may lack its end;
// a byte-order mark is not skipped: it becomes part of the first value.
TEST(AdventureFileFormat, EveryLineEndExtraLinesAndAMissingLastEndReadTheSame) {
    startIn("line_ends");
    fillDistinctAdventure(2, 3, 11);
    adventure.vocabulary[0][0] = u"NORD";
    keptAdventure = adventure;
    const std::string crLf = saveBytes(u"crlf.orv");
    ASSERT_FALSE(crLf.empty());
    // In the mixed file a CR end is followed by a NUL end, so that no CR LF
    // pair forms across two lines.
    const Lines lines = crLfLines(crLf);
    const std::string ends[] = {"\r\n", "\n", "\r", std::string(1, '\0')};
    std::string mixed;
    for (size_t i = 0; i < lines.size(); ++i) mixed += lines[i] + ends[i % 4];
    const std::pair<const char*, std::string> files[] = {{"LF", replaceAll(crLf, "\r\n", "\n")},
                                                         {"CR", replaceAll(crLf, "\r\n", "\r")},
                                                         {"NUL", replaceAll(crLf, "\r\n", std::string(1, '\0'))},
                                                         {"mixed", mixed},
                                                         {"extra lines", crLf + "en trop\r\n12\r\n\r\n-1"},
                                                         {"no last end", crLf.substr(0, crLf.size() - 2)},
                                                         {"last CR only", crLf.substr(0, crLf.size() - 1)}};
    for (const auto& [what, bytes] : files) {
        EXPECT_EQ(readBytes("ends.orv", bytes), AdventureReadResult::Complete) << what;
        EXPECT_TRUE(sameAdventure(keptAdventure, adventure)) << what;
    }
    EXPECT_EQ(readBytes("bom.orv", "\xEF\xBB\xBF" + crLf), AdventureReadResult::Complete);
    EXPECT_EQ(adventure.vocabulary[0][0], u"\uFEFFNORD");
    adventure.vocabulary[0][0] = u"NORD";
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
}

// Cut at every 97th line and around each block boundary, among them the
// middle of both event lists and the very last line: at the line start,
// inside the previous line's end, and inside the line.
TEST(AdventureFileFormat, AFileCutBeforeItsLastValueEndsEarlyWhereverItStops) {
    startIn("cut");
    fillDistinctAdventure(2, 2, 5);
    const std::string bytes = saveBytes(u"entier.orv");
    const Lines lines = crLfLines(bytes);
    ASSERT_EQ(lines.size(), 6970u);
    std::vector<size_t> lineStart(lines.size() + 1, 0);
    for (size_t i = 0; i < lines.size(); ++i) lineStart[i + 1] = lineStart[i] + lines[i].size() + 2;
    std::vector<size_t> cuts = {1,    23,   24,   6143, 6144, 6160, 6161, 6162, 6163,
                                6168, 6169, 6369, 6568, 6569, 6570, 6770, 6968, 6969};
    for (size_t k = 0; k < lines.size(); k += 97) cuts.push_back(k);
    for (size_t k : cuts) {
        std::vector<size_t> ends = {lineStart[k]};
        if (k > 0) ends.push_back(lineStart[k] - 1);
        if (k + 1 < lines.size() && lines[k].size() >= 2) ends.push_back(lineStart[k] + lines[k].size() / 2);
        for (size_t end : ends) {
            EXPECT_EQ(readBytes("coupe.orv", bytes.substr(0, end)), AdventureReadResult::EndedEarly) << "at " << end;
        }
    }
    EXPECT_EQ(readAdventureAt(workFolder + "entier.orv"), AdventureReadResult::Complete);
}

// Above the 1000 events of a table a count is refused, wherever it is; 0 or
// less means no lines for that kind and one empty event kept, the major
// events after it read from the right lines; a count that promises more
// events than the file holds ends early.
TEST(AdventureFileFormat, EventCountsOutsideTheTables) {
    startIn("counts");
    resetLayoutSettings();
    resetAdventure();
    adventure.majorEvents[0].actions[0] = {AfficheMessage, 7, 255, 255};
    adventure.majorEvents[0].conditions[3] = {EnSalle, 4, 255, 255};
    const Lines lines = crLfLines(saveBytes(u"base.orv"));
    ASSERT_EQ(lines.size(), 6567u);
    const size_t majorCountLine = MinorCountLine + 204;
    ASSERT_EQ(lines[majorCountLine], "1");
    auto withLine = [&](size_t index, const std::string& value) {
        Lines changed = lines;
        changed[index] = value;
        return joinCrLf(changed);
    };
    for (const char* tooMany : {"1001", "$3E9", "99999999999999999999999", "  +2000"}) {
        for (size_t line : {MinorCountLine, majorCountLine}) {
            EXPECT_EQ(readBytes("trop.orv", withLine(line, tooMany)), AdventureReadResult::CountTooLarge) << tooMany;
            EXPECT_TRUE(adventure.minorEventCount >= 1 && adventure.minorEventCount <= 1000);
            EXPECT_TRUE(adventure.majorEventCount >= 1 && adventure.majorEventCount <= 1000);
        }
    }
    for (const char* none : {"0", "-3", "-99999999999999999999", "rien"}) {
        Lines changed = lines;
        changed[MinorCountLine] = none;
        changed.erase(changed.begin() + MinorCountLine + 1, changed.begin() + MinorCountLine + 204);
        adventure.minorEventCount = 5;
        adventure.minorEvents[0].words[0] = 42;
        EXPECT_EQ(readBytes("aucun.orv", joinCrLf(changed)), AdventureReadResult::Complete) << none;
        EXPECT_EQ(adventure.minorEventCount, 1) << none;
        EXPECT_EQ(adventure.minorEvents[0].words[0], NoWord);
        EXPECT_EQ(adventure.minorEvents[0].conditions[0].type, EndOfList);
        EXPECT_EQ(adventure.majorEventCount, 1);
        EXPECT_EQ(adventure.majorEvents[0].actions[0].type, AfficheMessage);
        EXPECT_EQ(adventure.majorEvents[0].actions[0].arg1, 7);
        EXPECT_EQ(adventure.majorEvents[0].conditions[3].arg1, 4);
    }
    Lines noMajor(lines.begin(), lines.begin() + majorCountLine + 1);
    noMajor.back() = "0";
    EXPECT_EQ(readBytes("sans_majeur.orv", joinCrLf(noMajor)), AdventureReadResult::Complete);
    EXPECT_EQ(adventure.majorEventCount, 1);
    EXPECT_EQ(adventure.majorEvents[0].actions[0].type, EndOfList);
    EXPECT_EQ(readBytes("promesse.orv", withLine(majorCountLine, "2")), AdventureReadResult::EndedEarly);
}

// Integer lines in every form are read by the rule; values outside any range
// are stored as read; a text line stays text; saved again, each integer is
// written in plain decimal.
TEST(AdventureFileFormat, IntegerLinesInEveryFormAndOutOfRangeValuesAreStoredAsRead) {
    startIn("integers");
    Lines lines = newAdventureLines(u"base.orv");
    ASSERT_EQ(lines.size(), 6567u);
    const size_t row2 = 2 * 24;
    // clang-format off
    const std::pair<size_t, const char*> changes[] = {
        {row2 + 12, " \t$FE"}, {row2 + 13, "%11111101"}, {row2 + 14, "100000"}, {row2 + 15, "-7 salles"},
        {row2 + 16, "\t+12xyz"}, {row2 + 17, "quatre"}, {row2 + 19, "-$10"}, {row2 + 21, "- 5"}, {row2 + 22, "0012"},
        {row2 + 23, "9223372036854775808"}, {ZonesLine, "-9223372036854775808"}, {ZonesLine + 1, "$7FFFFFFFFFFFFFFF"},
        {row2 + 11, "$FF"}};
    // clang-format on
    for (const auto& [line, text] : changes) lines[line] = text;
    ASSERT_EQ(readBytes("formes.orv", joinCrLf(lines)), AdventureReadResult::Complete);
    const Adventure& a = adventure;
    EXPECT_EQ((std::vector<int64_t>{a.exits[2][0], a.exits[2][1], a.exits[2][2], a.exits[2][3], a.exits[2][4],
                                    a.exits[2][5], a.objectLocations[2], a.objectAttributes[2][0],
                                    a.objectAttributes[2][1], a.objectAttributes[2][2], a.imageZone.x, a.imageZone.y}),
              (std::vector<int64_t>{254, 253, 100000, -7, 12, 0, -16, 0, 12, INT64_MAX, INT64_MIN, INT64_MAX}));
    EXPECT_EQ(adventure.roomTexts[2], u"$FF");
    const Lines again = crLfLines(saveBytes(u"encore.orv"));
    ASSERT_EQ(again.size(), 6567u);
    expectLinesAt(again, row2 + 11,
                  {"$FF", "254", "253", "100000", "-7", "12", "0", "Un garde devant l'entrée", "-16"});
    expectLinesAt(again, ZonesLine, {"-9223372036854775808", "9223372036854775807"});
}

// Blanks and tabs skipped, a sign, then decimal digits, "$" hexadecimal or
// "%" binary digits up to the first other character; anything else reads 0;
// runs of digits beyond 64 bits saturate; integers are written in plain decimal.
TEST(AdventureFileIntegers, TheReadingRuleOfOneLineAndTheWrittenForm) {
    // clang-format off
    const std::pair<std::u16string, int64_t> cases[] = {
        {u"255", 255}, {u"-1", -1}, {u"+42", 42}, {u"  \t 17", 17}, {u"17 18", 17}, {u"12abc", 12}, {u"", 0},
        {u"abc", 0}, {u"-", 0}, {u"- 3", 0}, {u"--3", 0}, {u"\u00A03", 0}, {u"\uFF13", 0}, {u"$ff", 255},
        {u"$Ff1g", 4081}, {u"-$10", -16}, {u"$", 0}, {u"$G", 0}, {u"%1011", 11}, {u"%1021", 2}, {u"-%11", -3},
        {u"%", 0}, {u"9A", 9},  // hexadecimal digits need the $
        {u"9223372036854775807", INT64_MAX}, {u"-9223372036854775808", INT64_MIN},
        {u"9223372036854775808", INT64_MAX}, {u"-9223372036854775809", INT64_MIN},
        {u"18446744073709551617", INT64_MAX},  // 2^64 + 1 must not wrap to 1
        {std::u16string(5000, u'9'), INT64_MAX}, {u"-" + std::u16string(5000, u'7'), INT64_MIN},
        {u"$10000000000000001", INT64_MAX}, {u"%" + std::u16string(64, u'1'), INT64_MAX},
        {u"%1" + std::u16string(62, u'0'), int64_t{1} << 62}};
    // clang-format on
    for (const auto& [line, value] : cases) EXPECT_EQ(textToInteger(line, true), value) << textToUtf8(line);
    EXPECT_EQ(adventureIntegerLine(1000), u"1000");
    EXPECT_EQ(adventureIntegerLine(INT64_MAX), u"9223372036854775807");
    EXPECT_EQ(adventureIntegerLine(INT64_MIN), u"-9223372036854775808");
    for (int64_t value : {int64_t{0}, int64_t{-1}, int64_t{7}, int64_t{-123456789}, INT64_MAX, INT64_MIN}) {
        EXPECT_EQ(textToInteger(adventureIntegerLine(value), true), value);
    }
}
