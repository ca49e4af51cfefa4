// The actions that wait ("Attendre touche", "Pause *") and the samples.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <limits>
#include <string>

#include "engine/actions.h"
#include "tests/actions_scenario.h"

using namespace scenario;

namespace {

void act(int64_t type, int64_t arg1 = 255, int64_t arg2 = 255) {
    executeAction(type, arg1, arg2, 255);
}

// What the next poll gives: the event the wait left in the script.
int64_t nextTypedChar() {
    pollInput();
    return inputState.typedChar;
}

// True when the picture written by a "shot" line holds, across the text
// zone's first line, exactly what the back buffer holds there.
bool shotShowsFirstTextLine(const std::string& shot) {
    ImageHandle frame = loadImage(utf8ToText(shot));
    if (frame == 0) return false;
    const Zone& zone = adventure.textZone;
    bool same = true;
    for (int64_t y = zone.y + 2; y < zone.y + 2 + gameLineHeight(); ++y) {
        for (int64_t x = zone.x + 2; x < zone.x + 200; ++x) {
            if (readPixel(frame, x, y) != readPixel(backBuffer, x, y)) same = false;
        }
    }
    freeImage(frame);
    return same;
}

// A short PCM sample, enough for the sound service to load and play.
void writeSample(const std::string& path) {
    const uint32_t frames = 4410;
    std::string data;
    for (uint32_t i = 0; i < frames; ++i) {
        const int16_t value = static_cast<int16_t>((i % 50) < 25 ? 8000 : -8000);
        data.push_back(static_cast<char>(value & 0xFF));
        data.push_back(static_cast<char>((value >> 8) & 0xFF));
    }
    auto u32 = [](uint32_t v) {
        std::string s;
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        return s;
    };
    auto u16 = [](uint16_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; };
    std::string wav = "RIFF" + u32(36 + static_cast<uint32_t>(data.size())) + "WAVE" + "fmt " + u32(16) + u16(1) +
                      u16(1) + u32(44100) + u32(88200) + u16(2) + u16(16) + "data" +
                      u32(static_cast<uint32_t>(data.size())) + data;
    writeFileBytes(path, wav);
}

}  // namespace

TEST(ActionsWaits, WaitingForAKeyEndsOnAClickAKeyOrACharacter) {
    const std::string folder = startPlay("waits_key");
    // The wheel does not end the wait; the click does, and what follows it is
    // left for the game.
    queueScript("wheel 1\nwheel -2 ctrl\nclick 10 10\ntype A\n");
    act(AttendreTouche);
    EXPECT_EQ(nextTypedChar(), u'A');

    for (const char* key : {"return", "escape", "backspace", "up", "down", "pageup", "pagedown"}) {
        queueScript(std::string("wheel 1\nkey ") + key + "\ntype B\n");
        act(AttendreTouche);
        EXPECT_EQ(nextTypedChar(), u'B') << key;
    }

    queueScript("wheel 3\ntype CD\n");
    act(AttendreTouche);
    EXPECT_EQ(nextTypedChar(), u'D');
}

TEST(ActionsWaits, WaitingPresentsTheScreenFirst) {
    const std::string folder = startPlay("waits_present");
    act(AfficheMessage, 0);
    takeOutput();
    const std::string shot = folder + "/wait.png";
    queueScript("shot " + shot + "\nkey return\n");
    act(AttendreTouche);
    EXPECT_TRUE(shotShowsFirstTextLine(shot));
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsWaits, PausePresentsTheScreenAndReadsNoInput) {
    const std::string folder = startPlay("waits_pause");
    act(AfficheMessage, 0);
    takeOutput();
    act(Pause, 2);
    const std::string shot = folder + "/pause.png";
    queueScript("shot " + shot + "\ntype Z\n");
    EXPECT_EQ(nextTypedChar(), u'Z');  // nothing was taken during the pause
    EXPECT_TRUE(shotShowsFirstTextLine(shot));

    // Any number of seconds is accepted without harm.
    const PlaySnapshot before = snapshotPlay();
    act(Pause, 0);
    act(Pause, -5);
    act(Pause, std::numeric_limits<int64_t>::max());
    act(Pause, std::numeric_limits<int64_t>::min());
    EXPECT_TRUE(snapshotPlay() == before);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}

TEST(ActionsWaits, ASampleStartsAndRestartsOnItsOwnVoice) {
    const std::string folder = startPlay("waits_sample");
    writeSample(folder + "/7.ogg");
    sampleSounds[7] = loadSound(u"7.ogg");
    ASSERT_NE(sampleSounds[7], 0) << "the sound service must load a sample";
    samplePlayHandles[7] = 0;
    act(JouerSample, 7);
    const int64_t first = samplePlayHandles[7];
    EXPECT_NE(first, 0);
    act(JouerSample, 7);  // restarts it on the same voice
    EXPECT_EQ(samplePlayHandles[7], first);
    freeSound(sampleSounds[7]);
    sampleSounds[7] = 0;
    stopAllSounds();
}

TEST(ActionsWaits, ASampleWithoutFileDoesNothing) {
    startPlay("waits_no_sample");
    sampleSounds[8] = 0;
    samplePlayHandles[8] = 3;  // left from an earlier session
    samplePlayHandles[9] = 0;
    act(JouerSample, 8);
    act(JouerSample, 9);
    EXPECT_EQ(samplePlayHandles[8], 3);
    EXPECT_EQ(samplePlayHandles[9], 0);
    EXPECT_TRUE(textsOnly(takeOutput()).empty());
}
