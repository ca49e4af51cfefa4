// The saved-game reader on any bytes loaded as a player's slot: the slot is
// applied whole, with the room and every object location inside the tables,
// or not at all.
#include <cstring>

#include "engine/saved_games.h"
#include "tests/support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string folder = makeWorkFolder("fuzz_saved_game");
    writeFile(folder + "/1.sav", std::string(reinterpret_cast<const char*>(data), size));
    setCurrentDirectory(utf8ToText(folder));
    resetAdventure();
    currentRoom = flags[7] = 3;
    int64_t before[TableSize];
    std::memcpy(before, adventure.objectLocations, sizeof before);
    if (loadGame(u"1.sav") == LoadResult::Loaded) {
        bool inside = isTableIndex(currentRoom);
        for (int64_t location : adventure.objectLocations) inside = inside && isTableIndex(location);
        if (!inside) std::abort();
    } else if (currentRoom != 3 || flags[7] != 3 || std::memcmp(before, adventure.objectLocations, sizeof before)) {
        std::abort();
    }
    return 0;
}
