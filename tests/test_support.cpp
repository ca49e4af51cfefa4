// Scenario support: working folders, headless runs and the in-process program.
#include "tests/test_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/program.h"
#include "editor/editor_state.h"
#include "engine/screen.h"

namespace fs = std::filesystem;

namespace {

fs::path testRoot() {
    return fs::temp_directory_path() / ("orvalde-test-" + std::to_string(getpid()));
}

// The folders of one test process go when it ends.
void removeTestRoot() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(testRoot(), ignored);
}

}  // namespace

std::string makeWorkFolder(const std::string& name) {
    static bool cleanupRegistered = false;
    if (!cleanupRegistered) {
        std::atexit(removeTestRoot);
        cleanupRegistered = true;
    }
    const fs::path folder = testRoot() / name;
    fs::remove_all(folder);
    fs::create_directories(folder / "Projets");
    fs::copy(fs::path(ORVALDE_RUN_FOLDER) / "Images", folder / "Images", fs::copy_options::recursive);
    fs::copy(fs::path(ORVALDE_RUN_FOLDER) / "Fonts", folder / "Fonts", fs::copy_options::recursive);
    return folder.string();
}

HeadlessRun runHeadless(const std::string& folder, const std::string& script, const std::string& environment) {
    const std::string scriptPath = folder + "/.script";
    writeFileBytes(scriptPath, script);
    const std::string command =
        "cd '" + folder + "' && " + environment + " '" + ORVALDE_HEADLESS + "' '" + scriptPath + "' 2>/dev/null";
    HeadlessRun run{-1, ""};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::remove(scriptPath.c_str());
    return run;
}

void startInProcess(const std::string& folder) {
    static bool started = false;
    fs::current_path(folder);
    if (!started) {
        useHeadlessMode();
        recordHeadlessOutputInMemory(true);
        startUp();
        started = true;
    }
    recordHeadlessOutputInMemory(true);
    takeHeadlessOutput();
    programFolder = currentDirectory();
    hasScreenImage = false;
    initialiseEditor();
}

void queueScript(const std::string& script) {
    queueInputScript(script);
}

std::string takeOutput() {
    return takeHeadlessOutput();
}

std::string readFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
}

bool pathExists(const std::string& path) {
    return fs::exists(path);
}
