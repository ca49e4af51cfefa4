// Full redraw and presentation of the content pages with their boxes full.
#include "tests/bench/bench.h"
#include "tests/support.h"

TEST(Benchmark, ContentPagesRedrawAndPresentation) {
    startInProcess(makeWorkFolder("bench_pages"));
    std::u16string longText;
    for (int i = 0; i < 60; ++i) longText += u"une phrase assez longue ";
    for (int i = 0; i < TableSize; ++i) {
        adventure.messageTexts[i] = adventure.roomTexts[i] = adventure.objectTexts[i] = longText;
        adventure.systemMessages[i] = longText;
        adventure.vocabulary[i][9] = u"WWWWWWWWWWWW";
    }
    const struct {
        int64_t page;
        const char* name;
    } pages[] = {{Vocabulary, "vocabulary"},     {MessageTexts, "message texts"},     {RoomTexts, "room texts"},
                 {ObjectTexts, "object texts"},  {SystemMessages, "system messages"}, {Movements, "movements"},
                 {ObjectPlacement, "placement"}, {ObjectAttributes, "attributes"}};
    for (const auto& p : pages) {
        currentPage = p.page;
        report(std::string("page ") + p.name + ": full redraw and presentation", medianMilliseconds(500, [] {
                   drawCurrentPage();
                   presentBackBuffer();
               }));
    }
    editingText = 1;  // the text field with its cursor
    currentPage = RoomTexts;
    report("page room texts, typing: full redraw and presentation", medianMilliseconds(500, [] {
               drawCurrentPage();
               presentBackBuffer();
           }));
    editingText = 0;
}
