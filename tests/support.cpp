// Scenario support: folders, runs of the programs, the program in this process
// and what it drew, adventures to play.
#include "tests/support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/widgets.h"

namespace fs = std::filesystem;

namespace {

fs::path testRoot() {
    return fs::temp_directory_path() / ("orvalde-test-" + std::to_string(getpid()));
}

void removeTestRoot() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(testRoot(), ignored);
}

}  // namespace

std::string makeWorkFolder(const std::string& name) {
    static const bool cleanupRegistered = std::atexit(removeTestRoot) == 0;
    (void)cleanupRegistered;
    const fs::path folder = testRoot() / name;
    fs::remove_all(folder);
    fs::create_directories(folder / "Projets");
    fs::copy(fs::path(ORVALDE_RUN_FOLDER) / "Images", folder / "Images", fs::copy_options::recursive);
    fs::copy(fs::path(ORVALDE_RUN_FOLDER) / "Fonts", folder / "Fonts", fs::copy_options::recursive);
    return folder.string();
}

std::string folderWithDemo(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    fs::copy(ORVALDE_DEMO, folder + "/Projets/chateau");
    return folder;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::string> fileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::istringstream bytes(readFile(path));
    for (std::string line; std::getline(bytes, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

Run runHeadless(const std::string& folder, const std::string& script, const std::string& arguments,
                const std::string& environment, const std::string& program) {
    const std::string base = folder + "/.run";
    writeFile(base + ".script", script);
    const std::string command = "cd '" + folder + "' && " + environment + " '" + program + "' " + arguments +
                                " '" + base + ".script' >'" + base + ".out' 2>'" + base + ".err'";
    const int status = std::system(command.c_str());
    Run run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(base + ".out"), readFile(base + ".err")};
    for (const char* end : {".script", ".out", ".err"}) fs::remove(base + end);
    return run;
}

void startInProcess(const std::string& folder) {
    static bool started = false;
    fs::current_path(folder);
    recordHeadlessOutputInMemory(true);
    if (!started) startEditor();
    started = true;
    takeHeadlessOutput();
    programFolder = currentDirectory();
    hasScreenImage = false;
    initialiseEditor();
}

std::string runEditor(const std::string& script) {
    queueInputScript(script + "\nkey escape\nkey escape\n");
    currentPage = Menu;
    runMainLoop();
    std::string output = takeHeadlessOutput();
    recordHeadlessOutputInMemory(true);  // drops the Escape left over
    return output;
}

std::string playSession(const std::string& script, const PlayWatch& watch) {
    queueInputScript(script + "\nkey escape\n");
    runGameSession(watch);
    std::string output = takeHeadlessOutput();
    recordHeadlessOutputInMemory(true);
    return output;
}

std::string click(int64_t x, int64_t y) {
    return "click " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

std::string typed(std::initializer_list<const char*> lines) {
    std::string script;
    for (const char* line : lines) script += std::string("type ") + line + "\nkey return\n";
    return script;
}

std::string menuEntry(int64_t page) {
    // Two a row from the top; "VERIFIER" and "CARTE" below the layout settings.
    if (page == Findings || page == Map) return click(page == Findings ? 208 : 591, 555);
    return click(33 + 383 * ((page - 1) % 2) + 175, 35 * ((page - 1) / 2 + 1) + 15);
}

// ---- What the program drew ----

std::vector<Drawn> drawn(const std::string& output) {
    std::vector<Drawn> found;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string word;
        Drawn text{0, 0, ""};
        if (!(fields >> word >> text.x >> text.y) || word != "text") continue;
        fields.get();
        std::getline(fields, text.text);
        found.push_back(text);
    }
    return found;
}

std::vector<std::string> texts(const std::string& output) {
    std::vector<std::string> found;
    for (const Drawn& text : drawn(output)) found.push_back(text.text);
    return found;
}

int64_t pixelsUnlikeThePageDrawnWhole(int64_t page, const std::string& script, bool typing) {
    fs::remove("shown.png");
    runEditor(script + "shot shown.png\n");
    currentPage = page;
    editingText = typing;
    forgetReadyLayer();
    drawCurrentPage();
    currentPage = Menu;  // where the editor loop of the next scenario starts
    editingText = false;
    const ImageHandle shown = loadImage(u"shown.png");
    int64_t differing = 0;
    for (int64_t y = 0; y < ScreenHeight; ++y) {
        for (int64_t x = 0; x < ScreenWidth; ++x) differing += readPixel(shown, x, y) != readPixel(backBuffer, x, y);
    }
    freeImage(shown);
    return differing;
}

std::string expectLines(const std::vector<std::string>& texts) {
    std::string lines;
    for (const std::string& text : texts) lines += "expect " + text + "\n";
    return lines;
}

std::vector<std::string> unmet() {
    std::vector<std::string> texts;
    for (const std::string& line : takeUnmetExpectations()) texts.push_back(line.substr(line.find(": ") + 2));
    return texts;
}

std::vector<std::string> dialogue(const std::string& output) {
    const std::vector<Drawn> all = drawn(output);
    std::vector<std::string> lines;
    const int64_t x = adventure.textZone.x + 2;
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].x != x || all[i].text.find_first_not_of(' ') == std::string::npos) continue;
        // A line being typed is drawn again at every key, then printed once
        // entered at the same place.
        bool typedOver = false;
        for (size_t next = i + 1; next < all.size() && !typedOver; ++next) {
            if (all[next].x != x) continue;
            typedOver = all[next].y == all[i].y && all[next].text.rfind(all[i].text, 0) == 0;
            break;
        }
        if (!typedOver) lines.push_back(all[i].text);
    }
    return lines;
}

std::vector<std::string> boxes(const std::string& output) {
    std::vector<std::string> found;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("box ", 0) == 0) found.push_back(line.substr(4));
    }
    return found;
}

::testing::AssertionResult inOrder(const std::vector<std::string>& seen, const std::vector<std::string>& wanted) {
    size_t at = 0;
    for (const std::string& text : wanted) {
        while (at < seen.size() && seen[at] != text) ++at;
        if (at == seen.size()) {
            std::string all;
            for (const std::string& s : seen) all += "\n  [" + s + "]";
            return ::testing::AssertionFailure() << "\"" << text << "\" missing or out of order in:" << all;
        }
        ++at;
    }
    return ::testing::AssertionSuccess();
}

// ---- Adventures ----

namespace {

void setSteps(EventStep* slots, std::initializer_list<EventStep> steps) {
    int slot = 0;
    for (const EventStep& s : steps) slots[slot++] = s;
    for (; slot < StepsPerList; ++slot) slots[slot] = {EndOfList, 255, 255, 255};
}

// The reset adventure has one empty event of each kind, which counts as in
// use; the first event added takes its place.
bool minorEventsAdded = false;
bool majorEventsAdded = false;

}  // namespace

void addMinorEvent(int64_t w1, int64_t w2, int64_t w3, std::initializer_list<EventStep> conditions,
                   std::initializer_list<EventStep> actions) {
    const int64_t index = minorEventsAdded ? adventure.minorEventCount++ : 0;
    minorEventsAdded = true;
    MinorEvent& event = adventure.minorEvents[index];
    event.words[0] = w1;
    event.words[1] = w2;
    event.words[2] = w3;
    setSteps(event.conditions, conditions);
    setSteps(event.actions, actions);
}

void addMajorEvent(std::initializer_list<EventStep> conditions, std::initializer_list<EventStep> actions) {
    const int64_t index = majorEventsAdded ? adventure.majorEventCount++ : 0;
    majorEventsAdded = true;
    setSteps(adventure.majorEvents[index].conditions, conditions);
    setSteps(adventure.majorEvents[index].actions, actions);
}

void writeSmallAdventure() {
    minorEventsAdded = false;
    majorEventsAdded = false;
    adventure.vocabulary[WordLamp][0] = u"LAMPE";
    adventure.vocabulary[WordKey][0] = u"CLEF";
    adventure.vocabulary[WordKey][1] = u"CLE";
    adventure.vocabulary[WordRock][0] = u"ROCHER";
    adventure.vocabulary[WordLook][0] = u"REGARDE";
    adventure.roomTexts[0] = u"Le hall.";
    adventure.roomTexts[1] = u"La cave.";
    adventure.exits[0][0] = 1;
    adventure.exits[1][1] = 0;
    const struct {
        const char16_t* text;
        int64_t room, word, takeable;
    } objects[3] = {{u"Une lampe", 0, WordLamp, 1}, {u"La clef", 1, WordKey, 1}, {u"Un rocher", 0, WordRock, 0}};
    for (int o = 0; o < 3; ++o) {
        adventure.objectTexts[o] = objects[o].text;
        adventure.objectLocations[o] = objects[o].room;
        adventure.objectAttributes[o][AssociatedWord] = objects[o].word;
        adventure.objectAttributes[o][Takeable] = objects[o].takeable;
    }
}

std::string startProject(const std::string& name) {
    const std::string folder = makeWorkFolder(name);
    startInProcess(folder);
    writeSmallAdventure();
    const std::string project = folder + "/Projets/essai";
    fs::create_directories(project);
    fs::current_path(project);
    return project;
}

// ---- Fatal errors ----

void reportOnStandardError() {
    recordHeadlessOutputInMemory(false);
    dup2(2, 1);
}

std::string boxPattern(const std::string& text) {
    std::string pattern;
    for (char c : "box Erreur | " + text) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

// ---- Hostile media ----

namespace {

uint32_t oggChecksum(const std::string& page) {
    uint32_t sum = 0;
    for (unsigned char byte : page) {
        sum ^= static_cast<uint32_t>(byte) << 24;
        for (int bit = 0; bit < 8; ++bit) sum = sum & 0x80000000u ? sum << 1 ^ 0x04C11DB7u : sum << 1;
    }
    return sum;
}

std::string bigEndian16(int value) {
    return {static_cast<char>(value >> 8), static_cast<char>(value & 255)};
}

// A JPEG segment: the marker, the length, the content.
std::string jpegSegment(int marker, const std::string& content) {
    std::string segment(1, '\xFF');
    segment += static_cast<char>(marker);
    segment += bigEndian16(static_cast<int>(content.size()) + 2);
    return segment + content;
}

// Entropy-coded bits, most significant first, with a 0 after every FF byte.
struct JpegBits {
    std::string bytes;
    uint32_t pending = 0;
    int count = 0;
    void put(uint32_t value, int length) {
        for (int bit = length - 1; bit >= 0; --bit) {
            pending = pending << 1 | (value >> bit & 1);
            if (++count < 8) continue;
            bytes += static_cast<char>(pending);
            if ((pending & 255) == 255) bytes += '\0';
            pending = 0;
            count = 0;
        }
    }
    std::string padded() {
        while (count != 0) put(1, 1);
        return bytes;
    }
};

}  // namespace

void writeLongSample(const std::string& path, double seconds, bool decoded) {
    const std::string sample = readFile(std::string(ORVALDE_TEST_DATA) + "/beep.ogg");
    size_t headers = 0;
    for (int page = 0; page < 2; ++page) {
        const size_t segments = static_cast<unsigned char>(sample[headers + 26]);
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i) body += static_cast<unsigned char>(sample[headers + 27 + i]);
        headers += 27 + segments + body;
    }
    // 512 samples at 22050 Hz a packet, 255 packets a page. A packet of one
    // byte 0E is a long block whose floor is unused: silence; 01 is no audio.
    // The first page is silence in any case, so that there is a sound.
    const int pages = static_cast<int>(seconds * 22050 / 512 / 255) + 1;
    std::string file = sample.substr(0, headers);
    for (uint32_t number = 2; number < 2 + static_cast<uint32_t>(pages); ++number) {
        std::string page = "OggS" + std::string(10, '\0') + sample.substr(14, 4) + std::string(8, '\0') + '\xff';
        // The page's number, the samples up to its end, and the end of the
        // stream on the last page: streamed, the sample is read through them.
        const uint64_t samples = uint64_t{number - 1} * 255 * 512;
        for (int i = 0; i < 4; ++i) page[18 + i] = static_cast<char>(number >> (8 * i));
        for (int i = 0; i < 8; ++i) page[6 + i] = static_cast<char>(samples >> (8 * i));
        if (number == 1 + static_cast<uint32_t>(pages)) page[5] = 4;
        page += std::string(255, '\x01') + std::string(255, decoded || number == 2 ? '\x0E' : '\x01');
        const uint32_t sum = oggChecksum(page);
        for (int i = 0; i < 4; ++i) page[22 + i] = static_cast<char>(sum >> (8 * i));
        file += page;
    }
    writeFile(path, file);
}

void writeJpegOfScans(const std::string& path, int width, int height, int scans) {
    // One grey component; a DC table of one code (no difference) and an AC
    // table of the 15 end-of-band runs, so that one short run of codes covers
    // every block of an AC scan.
    std::string jpeg = "\xFF\xD8" + jpegSegment(0xDB, std::string(1, '\0') + std::string(64, '\x01'));
    const std::string frame = bigEndian16(height) + bigEndian16(width);
    jpeg += jpegSegment(0xC2, std::string(1, '\x08') + frame + std::string("\x01\x01\x11\x00", 4));
    std::string oneCode(16, '\0'), fifteenCodes(16, '\0'), runs;
    oneCode[0] = 1;
    fifteenCodes[3] = 15;
    for (int run = 0; run < 15; ++run) runs += static_cast<char>(run << 4);
    jpeg += jpegSegment(0xC4, std::string(1, '\x00') + oneCode + std::string(1, '\0'));
    jpeg += jpegSegment(0xC4, "\x10" + fifteenCodes + runs);
    const long blocks = static_cast<long>((width + 7) / 8) * ((height + 7) / 8);
    JpegBits dc;
    for (long block = 0; block < blocks; ++block) dc.put(0, 1);
    jpeg += jpegSegment(0xDA, std::string("\x01\x01\x00\x00\x00\x00", 6)) + dc.padded();
    for (int scan = 1; scan < scans; ++scan) {
        JpegBits ac;
        for (long left = blocks; left > 0;) {
            const long run = std::min(left, 32767L);
            int bits = 0;
            while (2L << bits <= run) ++bits;
            ac.put(static_cast<uint32_t>(bits), 4);
            ac.put(static_cast<uint32_t>(run - (1L << bits)), bits);
            left -= run;
        }
        jpeg += jpegSegment(0xDA, std::string("\x01\x01\x00\x01\x3F\x00", 6)) + ac.padded();
    }
    writeFile(path, jpeg + "\xFF\xD9");
}

// ---- Pixels ----

void writePicture(const std::string& path, Colour colour, int64_t width, int64_t height) {
    ImageHandle picture = createImage(width, height, 32);
    beginDrawing(picture);
    fillRect(0, 0, width, height, colour);
    endDrawing();
    EXPECT_TRUE(saveImagePng(picture, utf8ToText(path))) << path;
    freeImage(picture);
}

int64_t pixelsOf(int64_t x, int64_t y, int64_t width, int64_t height, Colour colour) {
    int64_t count = 0;
    for (int64_t py = y; py < y + height; ++py) {
        for (int64_t px = x; px < x + width; ++px) count += readPixel(backBuffer, px, py) == colour ? 1 : 0;
    }
    return count;
}
