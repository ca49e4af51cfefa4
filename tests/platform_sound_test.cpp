// Sound on the silent device of the headless mode: samples load, play on their
// own voice or an extra one, and stop.
#include <gtest/gtest.h>

#include "app/platform.h"
#include "tests/test_support.h"

TEST(PlatformSound, SamplesPlayOnTheirOwnVoiceOrAnExtraOneAndStop) {
    const std::string folder = makeWorkFolder("sound");
    startInProcess(folder);
    const SoundHandle beep = loadSound(utf8ToText(ORVALDE_TEST_DATA "/beep.ogg"));
    ASSERT_NE(beep, 0);
    const int64_t own = playSound(beep, false);
    EXPECT_GT(own, 0);
    // Restarting the sample takes the same voice again.
    EXPECT_EQ(playSound(beep, false), own);
    const int64_t extra = playSound(beep, true);
    EXPECT_GT(extra, 0);
    EXPECT_NE(extra, own);
    stopSound(beep, own);
    stopSound(beep, 0);      // no voice: nothing happens
    stopSound(0, own);       // no sample: nothing happens
    stopSound(beep, 99999);  // a handle from nowhere: nothing happens
    stopAllSounds();
    freeSound(beep);
    EXPECT_EQ(playSound(beep, false), 0);  // a released sample plays no more
}

TEST(PlatformSound, MissingOrBrokenFilesLoadAsNoSound) {
    const std::string folder = makeWorkFolder("sound-missing");
    startInProcess(folder);
    EXPECT_EQ(loadSound(u"absent.ogg"), 0);
    writeFileBytes(folder + "/broken.ogg", "OggS but not really");
    EXPECT_EQ(loadSound(u"broken.ogg"), 0);
    EXPECT_EQ(playSound(0, true), 0);
}
