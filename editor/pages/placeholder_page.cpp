// The pages whose editing is still to come (vocabulary, texts, movements,
// objects, events): each shows its title bar and its "MENU" button where the
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

static const PlaceholderLayout placeholderLayouts[] = {
    {Vocabulary, u"VOCABULAIRE", 20, 100, 235},       {MessageTexts, u"TEXTE MESSAGES", 80, 10, 265},
    {RoomTexts, u"TEXTE SALLES", 80, 10, 265},        {Movements, u"DEPLACEMENTS", 20, 360, 560},
    {ObjectTexts, u"TEXTE OBJETS", 80, 10, 265},      {ObjectPlacement, u"PLACER OBJETS", 20, 360, 560},
    {SystemMessages, u"MESS. SYSTEMES", 80, 10, 265}, {ObjectAttributes, u"ATTRIB. OBJETS", 20, 360, 500}};

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
