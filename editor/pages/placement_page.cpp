// "PLACER OBJETS": where each object starts. The author clicks the object's
// number or its location, which turns white, and turns the wheel; the object's
// text and the text of its location are shown for reference.
#include "editor/editor_state.h"
#include "editor/pages/pages.h"
#include "editor/referent_line.h"
#include "editor/widgets.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

// The object shown, and the value the wheel changes: 0 the object, 1 its
// location.
static int64_t placementObject = 0;
static int64_t placementField = 0;

// The frame, the labels and the two boxes, which never change.
static void drawPlacementLayer() {
    drawMenuButton(360, 560);
    drawValueLabel(u"OBJET", 400, 130);
    drawButton(55, 165, 690, 100);
    drawValueLabel(u"EN SALLE", 400, 330);
    drawButton(55, 365, 690, 100);
    showReadyLayer();
}

void drawPlacementPage() {
    if (startLayeredPage(ObjectPlacement, u"PLACER OBJETS", 20)) drawPlacementLayer();

    drawValueBesideLabel(u"OBJET", 400, 130, formatNumber3(placementObject), placementField == 0, 2);
    restoreGround(56, 166, 688, 98);
    drawWrappedText(adventure.objectTexts[placementObject], 55, 165, 690, 100, 20, 20, 0, 0, 0, 1);

    // 253, 254 and 255 show the names of the pseudo-locations; a location from
    // a file outside the table shows no text.
    const int64_t location = adventure.objectLocations[placementObject];
    drawValueBesideLabel(u"EN SALLE", 400, 330, formatNumber3(location), placementField == 1, 3);
    restoreGround(56, 366, 688, 98);
    if (isTableIndex(location)) drawWrappedText(adventure.roomTexts[location], 55, 365, 690, 100, 20, 20, 0, 0, 0, 1);
    restoreGround(55, 500, 690, textHeight(u"M"));
    if (placementField == 0) {
        drawReferentLine(ObjectArgument, placementObject, 55, 500, 690);
    } else {
        drawReferentLine(LocationArgument, location, 55, 500, 690);
    }
    endDrawing();
}

void placementPageClick(int64_t zone) {
    if (zone == 2 || zone == 3) placementField = zone - 2;
}

bool placementPageAdjust(int64_t direction, int64_t step) {
    if (placementField == 0) return stepInPlace(placementObject, direction, step, 0, TableSize);
    return stepInPlace(adventure.objectLocations[placementObject], direction, step, 0, TableSize);
}

void resetPlacementPage() {
    placementObject = 0;
    placementField = 0;
}
