// Timing of the largest adventure: 1000 minor and 1000 major events, every
// slot filled, long texts. Disabled in normal runs; run it in a Release build
// with --gtest_also_run_disabled_tests --gtest_filter='AdventureFileBenchmark*'.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/platform.h"
#include "app/program.h"
#include "model/adventure.h"
#include "model/adventure_file.h"
#include "tests/adventure_file_helpers.h"
#include "tests/test_support.h"

using namespace advfile;

namespace {

double medianMs(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

TEST(AdventureFileBenchmark, DISABLED_LargestAdventureSaveAndLoad) {
    const std::string work = startIn("benchmark");
    createFolder(utf8ToText(work + "Projets/grand"));
    fillDistinctAdventure(MaxEvents, MaxEvents, 77, 120);
    keptAdventure = adventure;

    const int runs = 15;
    std::vector<double> saves;
    std::vector<double> loads;
    for (int r = 0; r < runs; ++r) {
        auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(saveAdventure(u"grand.orv", u"Projets\\grand\\"));
        saves.push_back(msSince(start));
        start = std::chrono::steady_clock::now();
        loadAdventure(u"grand.orv", u"Projets\\grand\\");
        loads.push_back(msSince(start));
    }
    EXPECT_TRUE(sameAdventure(keptAdventure, adventure));
    const std::string bytes = readFileBytes(work + "Projets/grand/grand.orv");
    EXPECT_EQ(crLfLines(bytes).size(), 6164u + 203 * 1000 + 200 * 1000);
    std::printf("largest adventure: %zu bytes, save median %.1f ms (min %.1f), load median %.1f ms (min %.1f)\n",
                bytes.size(), medianMs(saves), *std::min_element(saves.begin(), saves.end()), medianMs(loads),
                *std::min_element(loads.begin(), loads.end()));
}
