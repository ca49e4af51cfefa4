// Timing of the largest adventure: 1000 minor and 1000 major events, every
// slot filled, long texts. Disabled in normal runs; run it in a Release build
// with --gtest_also_run_disabled_tests --gtest_filter='AdventureFileBenchmark*'.
#include <gtest/gtest.h>

#include "model/adventure_file.h"
#include "tests/test_support.h"

namespace {

// The numbers an author's adventure holds: rooms, words and objects 0..255,
// condition and action types in their ranges, every slot in use.
void authorNumbers() {
    uint64_t n = 12345;
    auto next = [&n](uint64_t bound) {
        n = n * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int64_t>((n >> 33) % bound);
    };
    for (int i = 0; i < TableSize; ++i) {
        for (int d = 0; d < DirectionCount; ++d) adventure.exits[i][d] = next(256);
        adventure.objectLocations[i] = next(256);
        adventure.objectAttributes[i][0] = next(256);
        adventure.objectAttributes[i][1] = next(2);
        adventure.objectAttributes[i][2] = next(2);
    }
    for (int e = 0; e < MaxEvents; ++e) {
        for (int w = 0; w < WordsPerMinorEvent; ++w) adventure.minorEvents[e].words[w] = next(256);
        for (int s = 0; s < StepsPerList; ++s) {
            adventure.minorEvents[e].conditions[s] = {next(14), next(256), next(256), next(256)};
            adventure.minorEvents[e].actions[s] = {next(25), next(256), next(256), next(256)};
            adventure.majorEvents[e].conditions[s] = {next(14), next(256), next(256), next(256)};
            adventure.majorEvents[e].actions[s] = {next(25), next(256), next(256), next(256)};
        }
    }
}

// Saves and loads the adventure 15 times and reports the median times; the
// adventure read back is the one saved.
void timeSaveAndLoad(const char* what, const std::string& work) {
    keptAdventure = adventure;
    std::vector<double> saves, loads;
    for (int run = 0; run < 15; ++run) {
        auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(saveAdventure(u"grand.orv", u"Projets\\grand\\"));
        saves.push_back(millisecondsSince(start));
        start = std::chrono::steady_clock::now();
        loadAdventure(u"grand.orv", u"Projets\\grand\\");
        loads.push_back(millisecondsSince(start));
    }
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
    const std::string bytes = readFileBytes(work + "Projets/grand/grand.orv");
    EXPECT_EQ(crLfLines(bytes).size(), 6164u + 203 * 1000 + 200 * 1000);
    std::printf("%s: %zu bytes, save median %.1f ms, load median %.1f ms\n", what, bytes.size(), medianOf(saves),
                medianOf(loads));
}

}  // namespace

TEST(AdventureFileBenchmark, DISABLED_LargestAdventureSaveAndLoad) {
    const std::string work = startIn("benchmark");
    createFolder(utf8ToText(work + "Projets/grand"));
    // Texts of 120 characters or more in every row, every event slot filled.
    fillDistinctAdventure(MaxEvents, MaxEvents, 77, 120);
    authorNumbers();
    timeSaveAndLoad("largest adventure", work);
    // The same with numbers from the whole 64-bit range (up to 20 characters a line).
    fillDistinctAdventure(MaxEvents, MaxEvents, 78, 120);
    timeSaveAndLoad("with 64-bit numbers", work);
}
