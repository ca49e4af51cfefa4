// The adventure reader on any bytes. Whatever it makes of them, written out,
// read back and written out again gives the same file byte for byte.
#include "model/adventure_lines.h"
#include "tests/support.h"

// The adventure read from the file; false unless the file was complete.
static bool readFrom(const std::string& path) {
    const FileHandle file = openFile(utf8ToText(path));
    resetLayoutSettings();  // as the editor holds them: one event of each kind
    resetAdventure();
    const bool complete = readAdventureLines(file) == AdventureReadResult::Complete;
    closeFile(file);
    return complete;
}

static std::string writtenTo(const std::string& path) {
    const FileHandle file = createFile(utf8ToText(path));
    if (!writeAdventureLines(file) || !closeFile(file)) std::abort();
    return readFile(path);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = makeWorkFolder("fuzz_adventure_file");
    writeFile(folder + "/any.orv", std::string(reinterpret_cast<const char*>(data), size));
    readFrom(folder + "/any.orv");
    const std::string first = writtenTo(folder + "/first.orv");
    if (!readFrom(folder + "/first.orv") || writtenTo(folder + "/second.orv") != first) std::abort();
    return 0;
}
