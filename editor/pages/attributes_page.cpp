// "ATTRIB. OBJETS": each object's associated word and its two yes/no flags,
// "Pr" (the player may take it) and "Ma" (kept with the object). The author
// clicks a value, which turns white, and turns the wheel: the flags follow
// the direction of the wheel, "OUI" away from the author, "NON" towards.
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/referent_line.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

// The object shown, and the value the wheel changes: 0 the object, 1 its
// word, 2 "Pr", 3 "Ma".
static int64_t attributesObject = 0;
static int64_t attributesField = 0;

static std::u16string yesNo(int64_t value) {
    return value == 1 ? u"OUI" : u"NON";
}

void drawAttributesPage() {
    startPage(u"ATTRIB. OBJETS", 20);
    const int64_t* attributes = adventure.objectAttributes[attributesObject];

    drawLabelledValue(u"OBJET", 350, 100, formatNumber3(attributesObject), attributesField == 0, 2);

    // The object's text is only shown here: a text longer than the box is
    // drawn as far as it fits and kept whole.
    drawButton(55, 140, 690, 100);
    drawWrappedText(adventure.objectTexts[attributesObject], 55, 140, 690, 100, 20, 20, 0, 0, 0, 1);

    drawLabel(u"Mot associé", 80, 260, 0, 0, 0);
    drawButton(55, 290, 150, 30);
    drawValueCell(formatNumber3(attributes[AssociatedWord]), 60, 296, attributesField == 1, 3);
    const std::u16string spelling = firstSpelling(attributes[AssociatedWord]);
    drawLabel(spelling.empty() ? u"Aucun" : spelling.substr(0, 60), 62 + textWidth(u"000"), 296, 0, 0, 0);

    drawLabel(u"Spécifications", 470, 260, 0, 0, 0);
    drawLabel(u"Pr", 460, 296, 0, 0, 0);
    const int64_t takeableX = 462 + textWidth(u"Pr ");
    drawValueCell(yesNo(attributes[Takeable]), takeableX, 296, attributesField == 2, 4, u"NON");
    const int64_t holdLabelX = 502 + textWidth(u"Pr ") + textWidth(u"NON");
    drawLabel(u"Ma", holdLabelX, 296, 0, 0, 0);
    const int64_t holdableX = holdLabelX + textWidth(u"Ma ");
    drawValueCell(yesNo(attributes[Holdable]), holdableX, 296, attributesField == 3, 5, u"NON");

    // "Pr" and "Ma" are no numbers: nothing to name.
    if (attributesField == 0) drawReferentLine(ObjectArgument, attributesObject, 55, 400, 690);
    if (attributesField == 1) drawReferentLine(WordArgument, attributes[AssociatedWord], 55, 400, 690);

    drawMenuButton(360, 500);
    endDrawing();
}

void attributesPageClick(int64_t zone) {
    if (zone >= 2 && zone <= 5) attributesField = zone - 2;
}

// A yes-or-no attribute: the wheel away from the author sets it.
static bool setFlag(int64_t& flag, int64_t direction) {
    const int64_t before = flag;
    flag = direction > 0 ? 1 : 0;
    return flag != before;
}

bool attributesPageAdjust(int64_t direction, int64_t step) {
    int64_t* attributes = adventure.objectAttributes[attributesObject];
    switch (attributesField) {
        case 0:
            return stepInPlace(attributesObject, direction, step, 0, TableSize);
        case 1:
            return stepInPlace(attributes[AssociatedWord], direction, step, 0, TableSize);
        case 2:
            return setFlag(attributes[Takeable], direction);
        case 3:
            return setFlag(attributes[Holdable], direction);
        default:
            return false;
    }
}

void resetAttributesPage() {
    attributesObject = 0;
    attributesField = 0;
}
