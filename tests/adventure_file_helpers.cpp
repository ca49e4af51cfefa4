#include "tests/adventure_file_helpers.h"

#include <sstream>

#include "app/platform.h"
#include "app/program.h"
#include "model/adventure_file.h"
#include "tests/test_support.h"

namespace advfile {

Adventure keptAdventure;
std::string workFolder;

std::string startIn(const std::string& name) {
    const std::string folder = makeWorkFolder("adventure_file_" + name);
    startInProcess(folder);
    workFolder = folder.back() == '/' ? folder : folder + "/";
    return workFolder;
}

namespace {

// A small generator of its own, so that the contents do not depend on the
// standard library's distributions.
struct Sequence {
    uint64_t state;
    uint64_t next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    }
};

int64_t distinctInteger(Sequence& random) {
    static const int64_t specials[] = {0,    -1,   255,       253,       254,       1,         1000,
                                       1001, -255, INT64_MAX, INT64_MIN, 123456789, -98765432, 4294967296};
    const uint64_t pick = random.next() % 20;
    if (pick < 14) return specials[pick];
    if (pick < 18) return static_cast<int64_t>(random.next() % 2000) - 1000;
    return static_cast<int64_t>(random.next() * 2654435761ULL);
}

std::u16string distinctText(Sequence& random, size_t length) {
    static const char16_t* const pieces[] = {
        u"épée", u"Château", u"forêt", u" blanc au début", u"à la fin ", u"\tTab", u"œuf", u"€", u"\U0001F409",
        u"-12",  u"$FF",     u"%101",  u"ÀÉÎÕÜ",           u"'\"",       u"N",     u"ç",
    };
    const uint64_t pick = random.next() % 20;
    if (length == 0 && pick >= 16) return u"";
    std::u16string text;
    do {
        text += pieces[random.next() % 16];
    } while (text.size() < length || (length == 0 && random.next() % 3 != 0));
    return text;
}

void fillSteps(Sequence& random, EventStep* steps) {
    for (int s = 0; s < StepsPerList; ++s) {
        steps[s] = {distinctInteger(random), distinctInteger(random), distinctInteger(random), distinctInteger(random)};
    }
}

}  // namespace

void fillDistinctAdventure(int64_t minorCount, int64_t majorCount, uint64_t seed, size_t textLength) {
    Sequence random{seed};
    for (int i = 0; i < TableSize; ++i) {
        for (int s = 0; s < SpellingsPerWord; ++s) adventure.vocabulary[i][s] = distinctText(random, textLength);
        adventure.messageTexts[i] = distinctText(random, textLength);
        adventure.roomTexts[i] = distinctText(random, textLength);
        for (int d = 0; d < DirectionCount; ++d) adventure.exits[i][d] = distinctInteger(random);
        adventure.objectTexts[i] = distinctText(random, textLength);
        adventure.objectLocations[i] = distinctInteger(random);
        adventure.systemMessages[i] = distinctText(random, textLength);
        for (int c = 0; c < AttributeCount; ++c) adventure.objectAttributes[i][c] = distinctInteger(random);
    }
    Zone* zones[] = {&adventure.imageZone, &adventure.descriptionZone, &adventure.textZone, &adventure.inventoryZone};
    for (Zone* zone : zones) {
        *zone = {distinctInteger(random), distinctInteger(random), distinctInteger(random), distinctInteger(random)};
    }
    adventure.maxObjectsInInventory = distinctInteger(random);
    adventure.maxObjectsInHand = distinctInteger(random);
    adventure.minorEventCount = minorCount;
    for (int64_t e = 0; e < minorCount; ++e) {
        for (int w = 0; w < WordsPerMinorEvent; ++w) adventure.minorEvents[e].words[w] = distinctInteger(random);
        fillSteps(random, adventure.minorEvents[e].conditions);
        fillSteps(random, adventure.minorEvents[e].actions);
    }
    adventure.majorEventCount = majorCount;
    for (int64_t e = 0; e < majorCount; ++e) {
        fillSteps(random, adventure.majorEvents[e].conditions);
        fillSteps(random, adventure.majorEvents[e].actions);
    }
}

namespace {

std::string shown(const std::u16string& text) {
    return "\"" + textToUtf8(text) + "\"";
}

bool sameSteps(const EventStep* a, const EventStep* b) {
    for (int s = 0; s < StepsPerList; ++s) {
        if (a[s].type != b[s].type || a[s].arg1 != b[s].arg1 || a[s].arg2 != b[s].arg2 || a[s].arg3 != b[s].arg3) {
            return false;
        }
    }
    return true;
}

bool sameZone(const Zone& a, const Zone& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

::testing::AssertionResult sameAdventure(const Adventure& expected, const Adventure& actual) {
    for (int i = 0; i < TableSize; ++i) {
        for (int s = 0; s < SpellingsPerWord; ++s) {
            if (expected.vocabulary[i][s] != actual.vocabulary[i][s]) {
                return ::testing::AssertionFailure()
                       << "vocabulary[" << i << "][" << s << "] " << shown(actual.vocabulary[i][s]) << " instead of "
                       << shown(expected.vocabulary[i][s]);
            }
        }
        const std::u16string* texts[][2] = {{&expected.messageTexts[i], &actual.messageTexts[i]},
                                            {&expected.roomTexts[i], &actual.roomTexts[i]},
                                            {&expected.objectTexts[i], &actual.objectTexts[i]},
                                            {&expected.systemMessages[i], &actual.systemMessages[i]}};
        for (const auto& pair : texts) {
            if (*pair[0] != *pair[1]) {
                return ::testing::AssertionFailure()
                       << "text of row " << i << ": " << shown(*pair[1]) << " instead of " << shown(*pair[0]);
            }
        }
        for (int d = 0; d < DirectionCount; ++d) {
            if (expected.exits[i][d] != actual.exits[i][d]) {
                return ::testing::AssertionFailure() << "exits[" << i << "][" << d << "] " << actual.exits[i][d]
                                                     << " instead of " << expected.exits[i][d];
            }
        }
        if (expected.objectLocations[i] != actual.objectLocations[i]) {
            return ::testing::AssertionFailure() << "objectLocations[" << i << "] " << actual.objectLocations[i]
                                                 << " instead of " << expected.objectLocations[i];
        }
        for (int c = 0; c < AttributeCount; ++c) {
            if (expected.objectAttributes[i][c] != actual.objectAttributes[i][c]) {
                return ::testing::AssertionFailure() << "objectAttributes[" << i << "][" << c << "] differs";
            }
        }
    }
    if (!sameZone(expected.imageZone, actual.imageZone) ||
        !sameZone(expected.descriptionZone, actual.descriptionZone) || !sameZone(expected.textZone, actual.textZone) ||
        !sameZone(expected.inventoryZone, actual.inventoryZone)) {
        return ::testing::AssertionFailure() << "a zone differs";
    }
    if (expected.maxObjectsInInventory != actual.maxObjectsInInventory ||
        expected.maxObjectsInHand != actual.maxObjectsInHand) {
        return ::testing::AssertionFailure() << "an object limit differs";
    }
    if (expected.minorEventCount != actual.minorEventCount || expected.majorEventCount != actual.majorEventCount) {
        return ::testing::AssertionFailure()
               << "event counts " << actual.minorEventCount << "/" << actual.majorEventCount << " instead of "
               << expected.minorEventCount << "/" << expected.majorEventCount;
    }
    for (int64_t e = 0; e < expected.minorEventCount && e < MaxEvents; ++e) {
        const MinorEvent& a = expected.minorEvents[e];
        const MinorEvent& b = actual.minorEvents[e];
        if (a.words[0] != b.words[0] || a.words[1] != b.words[1] || a.words[2] != b.words[2] ||
            !sameSteps(a.conditions, b.conditions) || !sameSteps(a.actions, b.actions)) {
            return ::testing::AssertionFailure() << "minor event " << e << " differs";
        }
    }
    for (int64_t e = 0; e < expected.majorEventCount && e < MaxEvents; ++e) {
        const MajorEvent& a = expected.majorEvents[e];
        const MajorEvent& b = actual.majorEvents[e];
        if (!sameSteps(a.conditions, b.conditions) || !sameSteps(a.actions, b.actions)) {
            return ::testing::AssertionFailure() << "major event " << e << " differs";
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::string> crLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos || bytes[end] != '\r' || end + 1 >= bytes.size() || bytes[end + 1] != '\n') {
            return {};
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

AdventureReadResult readAdventureAt(const std::string& hostPath, bool reset) {
    const FileHandle file = openFile(utf8ToText(hostPath));
    EXPECT_NE(file, 0) << hostPath;
    if (reset) resetAdventure();
    const AdventureReadResult result = readAdventureLines(file);
    closeFile(file);
    return result;
}

std::string saveBytes(const std::u16string& fileName) {
    if (!saveAdventure(fileName, u"")) return "";
    return readFileBytes(workFolder + textToUtf8(fileName));
}

}  // namespace advfile
