// Only a page with live content lets the input poll come back without an
// event; every other page sleeps until the person does something.
#include <gtest/gtest.h>

#include "app/program.h"
#include "editor/editor_state.h"
#include "tests/test_support.h"

TEST(LiveRefresh, TheMultimediaPageAsksForIdleRedrawsAndTheMenuDoesNot) {
    startInProcess(makeWorkFolder("live-refresh"));
    // MULTIMEDIA, then Escape back to the menu, then Escape to quit.
    queueScript("click 591 190\nkey escape\nkey escape\n");
    runMainLoop();
    EXPECT_FALSE(liveRefreshWanted);  // the menu was the last page drawn
    currentPage = Multimedia;
    drawCurrentPage();
    EXPECT_TRUE(liveRefreshWanted);
    takeOutput();
}
