// The pages whose editing is still to come (the events): each shows its title bar and its "MENU" button where the
// finished page will have them.
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/widgets.h"
#include "platform/platform.h"
#include "platform/program.h"

struct PlaceholderLayout {
    int64_t page;
    const char16_t* title;
    int64_t titleY;
    int64_t menuX;
    int64_t menuY;
};

static const PlaceholderLayout placeholderLayouts[] = {{MinorEvents, u"EVTS. MINEURS", 20, 10, 435},
                                                       {MajorEvents, u"EVTS. MAJEURS", 20, 10, 435}};

void drawPlaceholderPage(int64_t page) {
    clearClickZones();
    beginDrawing(backBuffer);
    fillRect(0, 0, 800, 600, rgb(128, 128, 128));
    for (const PlaceholderLayout& layout : placeholderLayouts) {
        if (layout.page != page) continue;
        drawTitleBar(layout.title, layout.titleY);
        drawLabelledButton(u"MENU", layout.menuX, layout.menuY, 80, 30);
        setClickZone(0, 1, layout.menuX, layout.menuY, 80, 30);
    }
    endDrawing();
}

void placeholderPageClick(int64_t zone) {
    if (zone == 1) currentPage = Menu;
}
