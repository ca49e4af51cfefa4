// Sound samples on SDL2_mixer: one voice of its own per loaded sample, and a
// group of extra voices that play alongside everything else.
#include <SDL_mixer.h>

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
    SDL_RWops* stream = file == nullptr ? nullptr : SDL_RWFromFP(file, SDL_TRUE);
    if (stream == nullptr) {
        if (file != nullptr) std::fclose(file);
        return 0;
    }
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
