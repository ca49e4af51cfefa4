// Drawing widgets of the editor pages and the text-field model.
#include "editor/widgets.h"

#include <algorithm>
#include <vector>

#include "editor/editor_state.h"
#include "model/adventure.h"
#include "platform/platform.h"
#include "platform/program.h"

// The picture of three fills: black over (x, y, w, h), black over
// (x + 2, y + 2, w, h), white over (x + 1, y + 1, w - 2, h - 2). Every page
// redraws a dozen buttons per event, so the same pixels are written once each:
// the white face, the 1-pixel border around it and the 2-pixel shadow that the
// face leaves visible. Buttons too small to have a face are filled as such.
void drawButton(int64_t x, int64_t y, int64_t width, int64_t height) {
    const Colour black = rgb(0, 0, 0);
    if (width < 3 || height < 3) {
        fillRect(x, y, width, height, black);
        fillRect(x + 2, y + 2, width, height, black);
        fillRect(x + 1, y + 1, width - 2, height - 2, rgb(255, 255, 255));
        return;
    }
    fillRect(x, y, width, 1, black);                       // top border
    fillRect(x, y + 1, 1, height - 1, black);              // left border
    fillRect(x + 1, y + height - 1, width - 1, 1, black);  // bottom border
    fillRect(x + width - 1, y + 1, 1, height - 2, black);  // right border
    fillRect(x + 2, y + height, width - 2, 2, black);      // shadow below
    fillRect(x + width, y + 2, 2, height, black);          // shadow on the right
    fillRect(x + 1, y + 1, width - 2, height - 2, rgb(255, 255, 255));
}

void drawCentredText(const std::u16string& text, int64_t cx, int64_t cy, int64_t red, int64_t green, int64_t blue) {
    setDrawingMode(DrawMode::TransparentText);
    setFrontColour(rgb(red, green, blue));
    // Integer halves truncate toward zero, as the page positions expect.
    drawText(cx - textWidth(text) / 2, cy - textHeight(text) / 2, text);
}

void drawLabel(const std::u16string& text, int64_t x, int64_t y, int64_t red, int64_t green, int64_t blue) {
    setFrontColour(rgb(red, green, blue));
    drawText(x, y, text);
}

// The lines of the text that fit in the usable area, as a wrap cuts them;
// whether all of the text fits.
static bool wrapInto(const std::u16string& text, int64_t usableWidth, int64_t usableHeight,
                     std::vector<std::u16string>& lines) {
    lines.clear();
    int64_t used = 0;
    for (size_t next = 0; next < text.size();) {
        std::u16string line = takeWrappedLine(text, next, usableWidth);
        if (line.empty()) break;
        used += textHeight(line);
        if (used > usableHeight) return false;
        lines.push_back(std::move(line));
    }
    return true;
}

int64_t drawWrappedText(const std::u16string& text, int64_t x, int64_t y, int64_t width, int64_t height,
                        int64_t marginX, int64_t marginY, int64_t red, int64_t green, int64_t blue, int64_t draw) {
    if (text.empty()) return 1;
    setDrawingMode(DrawMode::TransparentText);
    setFrontColour(rgb(red, green, blue));
    static std::vector<std::u16string> lines;  // kept from call to call
    const bool fits = wrapInto(text, width - 2 * marginX, height - 2 * marginY, lines);
    int64_t top = y + marginY;
    for (const std::u16string& line : lines) {
        if (draw != 0) drawText(x + marginX, top, line);
        top += textHeight(line);
    }
    if (!fits) return 0;
    setFrontColour(rgb(0, 0, 0));
    return 1;
}

std::u16string formatNumber3(int64_t value) {
    std::u16string digits = integerToText(value);
    while (digits.size() < 3) digits.insert(digits.begin(), u'0');
    return digits;
}

int64_t firstSpellingSlot(int64_t word) {
    if (!isTableIndex(word)) return 0;
    for (int slot = 0; slot < SpellingsPerWord; ++slot) {
        if (!adventure.vocabulary[word][slot].empty()) return slot;
    }
    return 0;
}

std::u16string firstSpelling(int64_t word) {
    if (!isTableIndex(word)) return std::u16string();
    return adventure.vocabulary[word][firstSpellingSlot(word)];
}

std::u16string filterFileNameChar(int64_t code) {
    switch (code) {
        case u'<':
        case u'>':
        case u':':
        case u'"':
        case u'/':
        case u'\\':
        case u'|':
        case u'?':
        case u'*':
            return std::u16string();
        default:
            return charFromCode(code);
    }
}

// The ready layer and the page it holds (the menu is page 0), in the page's
// variant. While a page is set, the back buffer shows the layer under that
// page's last redraw.
constexpr int64_t NoLayerPage = -1;
static ImageHandle readyLayer = 0;
static int64_t readyLayerPage = NoLayerPage;
static int64_t readyLayerVariant = 0;

static void drawPageGround(const std::u16string& title, int64_t titleY) {
    fillRect(0, 0, ScreenWidth, ScreenHeight, rgb(128, 128, 128));
    if (!title.empty()) drawTitleBar(title, titleY);
}

// The lines of the text field last drawn over the ready layer, top to
// bottom: what the back buffer shows in the field's box.
static std::vector<std::u16string> fieldLinesShown;

// The last wrap of a field's text in its box, so that the wrap that decides
// whether a typed character fits also serves to draw the text. Forgotten with
// the page, whose font measured it.
struct FieldWrap {
    std::u16string text;
    TextBox box = {};
    bool fits = true;
    std::vector<std::u16string> lines;
};
static FieldWrap fieldWrap;

static const FieldWrap& wrapField(const std::u16string& text, const TextBox& box) {
    if (!fieldWrap.text.empty() && fieldWrap.text == text && fieldWrap.box == box) return fieldWrap;
    fieldWrap.text = text;
    fieldWrap.box = box;
    fieldWrap.fits = wrapInto(text, box.width - 2 * box.marginX, box.height - 2 * box.marginY, fieldWrap.lines);
    return fieldWrap;
}

void forgetReadyLayer() {
    readyLayerPage = NoLayerPage;
    fieldLinesShown.clear();
    fieldWrap = FieldWrap();
}

void startPage(const std::u16string& title, int64_t titleY) {
    forgetReadyLayer();
    clearClickZones();
    beginDrawing(backBuffer);
    drawPageGround(title, titleY);
}

// Drawing opened on the back buffer as a page's title bar leaves it: text
// over what lies under it, in black.
static void drawOnBackBufferAfterTitle() {
    beginDrawing(backBuffer);
    setDrawingMode(DrawMode::TransparentText);
    setFrontColour(rgb(0, 0, 0));
}

bool startLayeredPage(int64_t page, const std::u16string& title, int64_t titleY, int64_t variant) {
    if (readyLayerPage == page && readyLayerVariant == variant && readyLayer != 0) {
        drawOnBackBufferAfterTitle();
        return false;
    }
    clearClickZones();
    if (readyLayer == 0) readyLayer = createImage(ScreenWidth, ScreenHeight, 32);
    // Without an image for the layer, the page is drawn whole every time.
    beginDrawing(readyLayer != 0 ? readyLayer : backBuffer);
    drawPageGround(title, titleY);
    readyLayerPage = readyLayer != 0 ? page : NoLayerPage;
    readyLayerVariant = variant;
    fieldLinesShown.clear();
    return true;
}

void showReadyLayer() {
    // Without a layer the page was drawn straight on the back buffer; either
    // way the changing parts start from the same drawing state.
    if (readyLayerPage != NoLayerPage) {
        beginDrawing(backBuffer);
        drawImage(readyLayer, 0, 0);
    }
    drawOnBackBufferAfterTitle();
}

void restoreGround(int64_t x, int64_t y, int64_t width, int64_t height) {
    if (readyLayerPage != NoLayerPage) drawImageArea(readyLayer, x, y, width, height);
}

void drawTitleBar(const std::u16string& title, int64_t y) {
    drawButton(50, y, 700, 30);
    drawCentredText(title, 60 + textWidth(title) / 2, y + 15, 0, 0, 0);
}

void drawButtonColumn(const char16_t* const labels[], int count, int64_t x, int64_t y) {
    for (int i = 0; i < count; ++i) {
        drawLabelledButton(labels[i], x, y + 35 * i, 80, 30);
        setClickZone(i + 1, x, y + 35 * i, 80, 30);
    }
}

void drawLabelledButton(const std::u16string& label, int64_t x, int64_t y, int64_t width, int64_t height) {
    drawButton(x, y, width, height);
    drawCentredText(label, x + width / 2, y + height / 2, 0, 0, 0);
}

void startTextEntry(const std::u16string& stored) {
    editingText = true;
    editBuffer = stored;
}

void drawMenuButton(int64_t x, int64_t y) {
    drawLabelledButton(u"MENU", x, y, 80, 30);
    setClickZone(MenuButtonZone, x, y, 80, 30);
}

void drawValueCell(const std::u16string& value, int64_t x, int64_t y, bool selected, int64_t zone,
                   const std::u16string& cellSize) {
    drawValueBox(value, x, y, textWidth(cellSize), textHeight(cellSize), selected, zone);
}

void drawValueBox(const std::u16string& value, int64_t x, int64_t y, int64_t width, int64_t height, bool selected,
                  int64_t zone) {
    fillRect(x, y, width, height, rgb(255, 0, 0));
    setClickZone(zone, x, y, width, height);
    const int64_t level = selected ? 255 : 0;
    drawLabel(value, x, y, level, level, level);
}

void drawLabelledValue(const std::u16string& label, int64_t centreX, int64_t centreY, const std::u16string& value,
                       bool selected, int64_t zone) {
    drawValueLabel(label, centreX, centreY);
    drawValueBesideLabel(label, centreX, centreY, value, selected, zone);
}

void drawValueLabel(const std::u16string& label, int64_t centreX, int64_t centreY) {
    drawCentredText(label, centreX, centreY, 0, 0, 0);
}

void drawValueBesideLabel(const std::u16string& label, int64_t centreX, int64_t centreY, const std::u16string& value,
                          bool selected, int64_t zone) {
    drawValueCell(value, centreX + 20 + textWidth(label), centreY - textHeight(label) / 2, selected, zone);
}

int64_t stepWrapped(int64_t value, int64_t direction, int64_t step, int64_t lowest, int64_t size) {
    // The remainders first, so that no value from a file can overflow.
    const int64_t moved = value % size - lowest + (direction > 0 ? step % size : -(step % size));
    return lowest + (moved % size + size) % size;
}

bool stepInPlace(int64_t& value, int64_t direction, int64_t step, int64_t lowest, int64_t size) {
    const int64_t before = value;
    value = stepWrapped(value, direction, step, lowest, size);
    return value != before;
}

void drawTextField(const std::u16string& stored, const TextBox& box) {
    const std::u16string shown = editingText ? stored + u"_" : stored;
    drawWrappedText(shown, box.x, box.y, box.width, box.height, box.marginX, box.marginY, 0, 0, 0, 1);
}

void drawTextFieldChanges(const std::u16string& stored, const TextBox& box) {
    const std::vector<std::u16string>& lines = wrapField(editingText ? stored + u"_" : stored, box).lines;
    setDrawingMode(DrawMode::TransparentText);
    setFrontColour(rgb(0, 0, 0));
    // Every line of the font is as high as the others.
    const int64_t lineHeight = textHeight(u"M");
    for (size_t row = 0; row < std::max(lines.size(), fieldLinesShown.size()); ++row) {
        const bool drawn = row < fieldLinesShown.size();
        const bool wanted = row < lines.size();
        if (drawn && wanted && fieldLinesShown[row] == lines[row]) continue;
        const int64_t top = box.y + box.marginY + static_cast<int64_t>(row) * lineHeight;
        // A row never drawn since the layer was shown is still the layer's.
        if (drawn) restoreGround(box.x + 1, top, box.width - 2, lineHeight);
        if (wanted) drawText(box.x + box.marginX, top, lines[row]);
    }
    fieldLinesShown = lines;
}

void applyTextEntryKey(std::u16string& stored, int64_t key, bool fileNameOnly, const TextBox& box) {
    // The stored text is what the author sees; the entry's buffer follows it.
    editBuffer = stored;
    if (key == KeyBackspace) {
        if (editBuffer.empty()) return;
        dropLastCharacter(editBuffer);
        stored = editBuffer;
        return;
    }
    if (key == KeyReturn) {
        if (editBuffer.empty()) return;
        editingText = false;
        return;
    }
    if (key < 32) return;
    const std::u16string added = fileNameOnly ? filterFileNameChar(key) : charFromCode(key);
    if (added.empty() || !wrapField(editBuffer + added + u"_", box).fits) return;
    editBuffer += added;
    stored = editBuffer;
}
