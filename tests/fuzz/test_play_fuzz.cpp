// A whole test play of the small adventure driven by fuzzed input: the first
// six bytes make the actions of two minor events (on REGARDE and LAMPE), the
// rest is typed (a line end is Return, 27 Escape, a tab F1). Then Escape, a
// slot digit and "n" until the play ends; the author's placement must be back
// after it. The play is recorded, and its recording, played again, must meet
// every check of what the player could read.
#include <cstring>

#include "tests/support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string project = startProject("fuzz_test_play");
    resetLayoutSettings();
    resetAdventure();
    writeSmallAdventure();
    for (int64_t word : {WordLook, WordLamp}) {
        if (size < 3) break;
        addMinorEvent(word, NoWord, NoWord, {}, {step(data[0] % ActionTypeCount, data[1], data[2])});
        data += 3;
        size -= 3;
    }
    std::string script = "type ";
    for (const char c : std::string(reinterpret_cast<const char*>(data), size)) {
        if (c == '\n' || c == 27) script += c == '\n' ? "\nkey return\ntype " : "\nkey escape\ntype ";
        if (c == '\t') script += "\nkey f1\ntype ";
        if (c >= 32 && c < 127) script += c;
    }
    for (int round = 0; round < 12; ++round) script += "\nkey escape\ntype 1n";
    int64_t placement[TableSize];
    std::memcpy(placement, adventure.objectLocations, sizeof placement);
    playSession(script, {.inspector = true, .recording = u"partie.txt"});
    takeRecordedSleeps();
    if (std::memcmp(placement, adventure.objectLocations, sizeof placement) != 0) std::abort();
    takeUnmetExpectations();
    playSession(readFile("partie.txt"));
    if (!takeUnmetExpectations().empty()) std::abort();
    return 0;
}
