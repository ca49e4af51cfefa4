// Scenario support: folders, runs of the programs, the program in this process
// and what it drew, adventures to play.
#include "tests/support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

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
                const std::string& environment) {
    const std::string base = folder + "/.run";
    writeFile(base + ".script", script);
    const std::string command = "cd '" + folder + "' && " + environment + " '" + ORVALDE_HEADLESS + "' " + arguments +
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
    if (!started) startUp();
    started = true;
    takeHeadlessOutput();
    programFolder = currentDirectory();
    hasScreenImage = false;
    initialiseEditor();
}

std::string runEditor(const std::string& script) {
    queueInputScript(script + "\nkey escape\nkey escape\n");
    currentPage = Menu;
    running = 1;
    runMainLoop();
    std::string output = takeHeadlessOutput();
    recordHeadlessOutputInMemory(true);  // drops the Escape left over
    return output;
}

std::string playSession(const std::string& script) {
    queueInputScript(script + "\nkey escape\n");
    runGameSession();
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
