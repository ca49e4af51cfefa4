// Random and mutated files fed to the reading core: whatever the bytes, the
// reading ends with one of its results, the event counts stay within the
// tables, and a file that reads completely saves and reads back the same.
#include <gtest/gtest.h>

#include <random>

#include "tests/test_support.h"

namespace {

using Random = std::mt19937_64;

size_t below(Random& random, size_t bound) {
    return bound == 0 ? 0 : random() % bound;
}

// Bytes that matter to the reader: line ends, signs, number prefixes, digits,
// and pieces of broken or unusual UTF-8.
std::string interestingBytes(Random& random) {
    static const char* const pieces[] = {"\r\n",
                                         "\n",
                                         "\r",
                                         "",
                                         "-",
                                         "+",
                                         "$",
                                         "%",
                                         "9",
                                         "0",
                                         "1",
                                         "F",
                                         " ",
                                         "\t",
                                         "\xC3",
                                         "\xA9",
                                         "\xFF",
                                         "\xED\xA0\x80",
                                         "\xF0\x9F\x90",
                                         "\xEF\xBB\xBF",
                                         "\xC0\x80",
                                         "1001",
                                         "-1",
                                         "255",
                                         "99999999999999999999999",
                                         "$FFFFFFFFFFFFFFFFFFFF",
                                         "%1111"};
    const size_t pick = below(random, sizeof pieces / sizeof pieces[0]);
    if (pick == 3) return std::string(1, '\0');  // a NUL cannot sit in the table of C texts
    return pieces[pick];
}

std::string randomFile(Random& random) {
    std::string bytes;
    const size_t parts = below(random, 400);
    for (size_t i = 0; i < parts; ++i) {
        if (random() % 3 == 0) {
            bytes += static_cast<char>(random() & 255);
        } else {
            bytes += interestingBytes(random);
        }
    }
    return bytes;
}

// Line starts of a CR LF file, to aim mutations at count lines.
size_t startOfLine(const std::string& bytes, size_t line) {
    size_t at = 0;
    for (size_t i = 0; i < line && at != std::string::npos; ++i) {
        at = bytes.find("\r\n", at);
        if (at != std::string::npos) at += 2;
    }
    return at == std::string::npos ? bytes.size() : at;
}

std::string mutated(std::string bytes, Random& random, size_t minorCountLine, size_t majorCountLine) {
    const size_t mutations = 1 + below(random, 6);
    for (size_t m = 0; m < mutations; ++m) {
        switch (random() % 8) {
            case 0:  // flip one byte
                if (!bytes.empty()) bytes[below(random, bytes.size())] = static_cast<char>(random() & 255);
                break;
            case 1:  // insert something the reader cares about
                bytes.insert(below(random, bytes.size() + 1), interestingBytes(random));
                break;
            case 2:  // delete a run
                if (!bytes.empty()) bytes.erase(below(random, bytes.size()), below(random, 200));
                break;
            case 3:  // cut short
                bytes.resize(below(random, bytes.size() + 1));
                break;
            case 4: {  // duplicate a run
                const size_t at = below(random, bytes.size() + 1);
                bytes.insert(below(random, bytes.size() + 1), bytes.substr(at, below(random, 300)));
                break;
            }
            case 5:
            case 6: {  // a new value on a count line
                const size_t line = random() % 2 == 0 ? minorCountLine : majorCountLine;
                const size_t at = startOfLine(bytes, line);
                const size_t end = bytes.find("\r\n", at);
                const std::string values[5] = {std::to_string(static_cast<int64_t>(random() % 2100) - 50),
                                               std::to_string(static_cast<int64_t>(random())),
                                               "$" + std::to_string(random() % 10000),
                                               "-" + std::string(1 + below(random, 40), '9'), interestingBytes(random)};
                const std::string& value = values[random() % 5];
                bytes.replace(at, end == std::string::npos ? std::string::npos : end - at, value);
                break;
            }
            default:  // a line end of another kind
                for (size_t i = 0; i < 20 && !bytes.empty(); ++i) {
                    const size_t at = bytes.find("\r\n", below(random, bytes.size()));
                    if (at != std::string::npos) bytes.replace(at, 2, random() % 2 == 0 ? "\n" : "\r");
                }
                break;
        }
    }
    return bytes;
}

bool countsInTables() {
    return adventure.minorEventCount >= 1 && adventure.minorEventCount <= MaxEvents && adventure.majorEventCount >= 1 &&
           adventure.majorEventCount <= MaxEvents;
}

}  // namespace

TEST(AdventureFileFuzz, RandomAndMutatedFilesNeverBreakTheReader) {
    startIn("fuzz");
    // A seed file with two events of each kind and distinctive values.
    fillDistinctAdventure(2, 2, 31);
    const std::string seedFile = saveBytes(u"graine.orv");
    ASSERT_FALSE(seedFile.empty());
    const size_t minorCountLine = 6162;
    const size_t majorCountLine = 6162 + 1 + 2 * 203;

    Random random(20240611);
    int complete = 0, endedEarly = 0, tooLarge = 0, resaved = 0;
    for (int i = 0; i < 2400; ++i) {
        const std::string bytes =
            i % 2 == 0 ? randomFile(random) : mutated(seedFile, random, minorCountLine, majorCountLine);
        writeFileBytes(workFolder + "essai.orv", bytes);
        adventure.minorEventCount = 1;
        adventure.majorEventCount = 1;
        // No reset: what a file does not hold is never compared.
        const AdventureReadResult result = readAdventureAt(workFolder + "essai.orv", false);
        ASSERT_TRUE(countsInTables()) << "iteration " << i;
        if (result == AdventureReadResult::Complete) {
            ++complete;
            // What reads completely saves and reads back the same, every 10th.
            if (complete % 10 == 0) {
                keptAdventure = adventure;
                const std::string again = saveBytes(u"resave.orv");
                ASSERT_FALSE(again.empty());
                ASSERT_EQ(readAdventureAt(workFolder + "resave.orv", false), AdventureReadResult::Complete);
                ASSERT_TRUE(sameAdventure(keptAdventure, adventure)) << "iteration " << i;
                ++resaved;
            }
        } else if (result == AdventureReadResult::EndedEarly) {
            ++endedEarly;
        } else {
            ASSERT_EQ(result, AdventureReadResult::CountTooLarge);
            ++tooLarge;
        }
    }
    std::printf("fuzz: %d complete (%d saved again), %d ended early, %d counts too large\n", complete, resaved,
                endedEarly, tooLarge);
    // The mutations reach every outcome.
    EXPECT_GT(complete, 100);
    EXPECT_GT(endedEarly, 100);
    EXPECT_GT(tooLarge, 50);
    EXPECT_GT(resaved, 10);
}
