// Sound samples on SDL2_mixer: one voice of its own per loaded sample, and a
// group of extra voices that play alongside everything else.
#include <SDL_mixer.h>

#include <cstring>

#include "platform/platform_internal.h"

namespace {

constexpr int OwnVoices = 256;   // one channel per loaded sample, by slot
constexpr int ExtraVoices = 32;  // voices that play alongside everything else
constexpr int ExtraVoiceGroup = 1;

bool soundReady = false;
HandleTable<Mix_Chunk> sounds;

Mix_Chunk* chunkOf(SoundHandle sound) {
    return soundReady ? sounds.find(sound) : nullptr;
}

// A sample is decoded whole into memory, and a few bytes of Vorbis can stand
// for minutes of sound: a small file could ask for gigabytes. Its length is
// bounded from the Ogg pages alone before anything is decoded.
constexpr double LongestSampleSeconds = 600;

// True when the file is an Ogg Vorbis stream whose decoded length stays
// within the limit: every audio packet gives at most half a long block of
// samples, the long block's size being stated in the stream's first packet.
// The file is read from its start and left there.
bool oggVorbisOfBoundedLength(FILE* file) {
    double sampleRate = 0;
    double samplesPerPacket = 0;
    double packets = 0;
    unsigned char header[27];
    for (bool first = true; std::fread(header, 1, sizeof header, file) == sizeof header; first = false) {
        if (std::memcmp(header, "OggS", 4) != 0) return false;
        unsigned char lacing[255];
        const size_t segments = header[26];
        if (std::fread(lacing, 1, segments, file) != segments) return false;
        size_t body = 0;
        for (size_t i = 0; i < segments; ++i) {
            body += lacing[i];
            packets += lacing[i] < 255 ? 1 : 0;
        }
        if (first) {
            unsigned char identification[30];
            if (body < sizeof identification || std::fread(identification, 1, sizeof identification, file) != 30 ||
                std::memcmp(identification, "\x01vorbis", 7) != 0) {
                return false;
            }
            sampleRate = identification[12] | identification[13] << 8 | identification[14] << 16 |
                         static_cast<uint32_t>(identification[15]) << 24;
            samplesPerPacket = (1u << (identification[28] >> 4)) / 2.0;
            body -= sizeof identification;
        }
        if (std::fseek(file, static_cast<long>(body), SEEK_CUR) != 0) return false;
    }
    std::rewind(file);
    return sampleRate > 0 && packets * samplesPerPacket / sampleRate <= LongestSampleSeconds;
}

}  // namespace

bool initSound() {
    if (soundReady) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(OwnVoices + ExtraVoices);
    Mix_GroupChannels(OwnVoices, OwnVoices + ExtraVoices - 1, ExtraVoiceGroup);
    soundReady = true;
    return true;
}

void enableOggDecoding() {
    if (soundReady) Mix_Init(MIX_INIT_OGG);
}

SoundHandle loadSound(const std::u16string& path) {
    if (!soundReady) return 0;
    // Only a regular file: a named pipe would keep the load waiting.
    FILE* file = openRegularFile(path);
    if (file == nullptr) return 0;
    if (!oggVorbisOfBoundedLength(file)) {
        std::fclose(file);
        return 0;
    }
    SDL_RWops* stream = streamOf(file);
    if (stream == nullptr) return 0;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 1);
    if (chunk == nullptr) return 0;
    return sounds.keep(chunk);
}

int64_t playSound(SoundHandle sound, bool extraVoice) {
    Mix_Chunk* chunk = chunkOf(sound);
    if (chunk == nullptr) return 0;
    int channel = (static_cast<int>(sound) - 1) % OwnVoices;
    if (extraVoice) {
        channel = Mix_GroupAvailable(ExtraVoiceGroup);
        if (channel < 0) channel = Mix_GroupOldest(ExtraVoiceGroup);
        if (channel < 0) return 0;
    }
    const int playing = Mix_PlayChannel(channel, chunk, 0);
    return playing < 0 ? 0 : playing + 1;
}

void stopSound(SoundHandle sound, int64_t voice) {
    Mix_Chunk* chunk = chunkOf(sound);
    if (chunk == nullptr || voice <= 0 || voice > OwnVoices + ExtraVoices) return;
    const int channel = static_cast<int>(voice - 1);
    if (Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
}

void stopAllSounds() {
    if (soundReady) Mix_HaltChannel(-1);
}

void freeSound(SoundHandle sound) {
    Mix_Chunk* chunk = chunkOf(sound);
    if (chunk == nullptr) return;
    for (int channel = 0; channel < OwnVoices + ExtraVoices; ++channel) {
        if (Mix_GetChunk(channel) == chunk) Mix_HaltChannel(channel);
    }
    Mix_FreeChunk(sounds.take(sound));
}

void releaseSound() {
    if (!soundReady) return;
    Mix_HaltChannel(-1);
    for (size_t slot = 1; slot < sounds.slots.size(); ++slot) {
        if (Mix_Chunk* chunk = sounds.take(static_cast<int64_t>(slot))) Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    soundReady = false;
}
