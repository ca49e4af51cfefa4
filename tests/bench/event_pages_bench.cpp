// Full redraw and presentation of the minor event page with full lists: the
// chooser and 25 steps are over a thousand characters drawn one by one.
#include <chrono>

#include "tests/support.h"

TEST(EventPagesBench, MinorPageWithTwentyFiveConditionsAndActions) {
    startInProcess(makeWorkFolder("bench_events"));
    for (int slot = 0; slot < StepsPerList; ++slot) {
        adventure.minorEvents[0].conditions[slot] = {slot % ConditionTypeCount, slot, 200 + slot, 255};
        adventure.minorEvents[0].actions[slot] = {slot % ActionTypeCount, slot, 100 + slot, 255};
    }
    // Conditions shown with the marked row (after "INST" and "PREC"), then actions.
    runEditor(menuEntry(MinorEvents) + click(50, 555) + click(50, 520) + click(725, 85));
    for (const char* list : {"Conditions", "Actions"}) {
        running = 1;
        if (list[0] == 'A') runEditor(menuEntry(MinorEvents) + click(270, 65));
        currentPage = MinorEvents;
        std::vector<double> micros;
        for (int turn = 0; turn < 400; ++turn, takeHeadlessOutput()) {
            const auto start = std::chrono::steady_clock::now();
            drawCurrentPage();
            presentBackBuffer();
            micros.push_back(
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        }
        std::sort(micros.begin(), micros.end());
        std::printf("minor page, %s shown: median %.0f us\n", list, micros[micros.size() / 2]);
        EXPECT_GT(pixelsOf(410, 80, 320, 510, rgb(255, 0, 0)), 0);
    }
}
