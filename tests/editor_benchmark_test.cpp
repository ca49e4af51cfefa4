// Timing of the full redraw and presentation of the editor pages. Disabled in
// the ordinary runs; run with --gtest_also_run_disabled_tests in a Release
// build to get the medians.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "editor/folder_list.h"
#include "tests/test_support.h"

namespace fs = std::filesystem;

namespace {

double medianMicroseconds(int64_t page, int rounds) {
    currentPage = page;
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        drawCurrentPage();
        presentBackBuffer();
        times.push_back(1000 * millisecondsSince(start));
    }
    return medianOf(times);
}

}  // namespace

TEST(EditorBenchmark, DISABLED_FullRedrawAndPresentationOfEachPage) {
    const std::string folder = makeWorkFolder("benchmark");
    // A project with some media and ten listed projects, as an author has them.
    const std::string project = folder + "/Projets/chateau/";
    for (int i = 0; i < 10; ++i) fs::create_directories(folder + "/Projets/projet" + std::to_string(i));
    fs::create_directories(project);
    for (int n = 0; n < 40; ++n) writeFileBytes(project + std::to_string(n) + ".jpg", "x");
    for (int n = 0; n < 20; ++n) writeFileBytes(project + std::to_string(n) + ".ogg", "x");
    writeFileBytes(project + "introduction.jpg", "x");
    startInProcess(folder);
    projectName = u"chateau";
    projectFolder = u"Projets\\chateau\\";
    rebuildFolderList(0, FolderListSlots);
    recordHeadlessOutputInMemory(true);

    const struct {
        int64_t page;
        const char* name;
        double limit;
    } pages[] = {
        {Menu, "menu", 1000}, {SaveFile, "save", 1000}, {LoadFile, "load", 1000}, {Multimedia, "multimedia", 3000}};
    for (const auto& page : pages) {
        medianMicroseconds(page.page, 20);  // warm the text cache
        const double median = medianMicroseconds(page.page, 400);
        takeOutput();
        std::printf("%-12s median %.1f us\n", page.name, median);
        EXPECT_LT(median, page.limit) << page.name;
    }
    currentPage = Menu;
}
