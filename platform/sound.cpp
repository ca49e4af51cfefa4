// Sound samples on SDL2_mixer: one voice of its own per sample, and one
// voice streamed from its file that plays alongside everything else.
//
// A project may hold hundreds of samples, and a few bytes of Vorbis can stand
// for minutes of sound, so nothing is decoded when a sample is loaded: it is
// decoded whole when first played on its own voice, within a bound on what all
// samples hold together, and the streamed voice decodes as it plays.
#include <SDL_mixer.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

#include "platform/platform_internal.h"

namespace {

constexpr int OwnVoices = 256;                    // one channel per sample, by slot
constexpr int64_t StreamedVoice = OwnVoices + 1;  // the voice handle of the streamed sound

// A sample longer than this is refused before anything is decoded: decoded
// whole it would take about 100 MB.
constexpr double LongestSampleSeconds = 600;
// What all decoded samples may hold together (about 25 minutes of sound);
// a sample that would pass it is not played.
constexpr int64_t HeldSampleBytesLimit = int64_t{256} << 20;
// A larger file is refused before it is read through: a real sample of ten
// minutes takes well under half of it.
constexpr off_t LargestSampleFileBytes = off_t{64} << 20;

struct Sample {
    std::u16string path;         // absolute, read when first played
    Mix_Chunk* chunk = nullptr;  // decoded on its first play on its own voice
    int64_t heldBytes = 0;       // what the decoded sample counts for
    bool unusable = false;       // refused once, never tried again
};

bool soundReady = false;
HandleTable<Sample> sounds;
int64_t heldSampleBytes = 0;
Mix_Music* streamed = nullptr;  // what the streamed voice plays
SoundHandle streamedSound = 0;  // the sample it plays

Sample* sampleOf(SoundHandle sound) {
    return soundReady ? sounds.find(sound) : nullptr;
}

// Reads the Ogg pages of the file from its start and tells whether it is one
// Ogg Vorbis stream (not a chain of several, whose later parts could have any
// rate), with an upper bound of its length in seconds: every audio packet
// gives at most half a long block of samples, the long block's size being
// stated in the stream's first packet. The file is left at its start.
bool oggVorbisLength(FILE* file, double& seconds) {
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || info.st_size > LargestSampleFileBytes) return false;
    double sampleRate = 0;
    double samplesPerPacket = 0;
    double packets = 0;
    unsigned char header[27];
    unsigned char serial[4] = {};
    for (bool first = true; std::fread(header, 1, sizeof header, file) == sizeof header; first = false) {
        if (std::memcmp(header, "OggS", 4) != 0) return false;
        if (first) std::memcpy(serial, header + 14, 4);
        if (std::memcmp(serial, header + 14, 4) != 0) return false;
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
            if (body < sizeof identification || std::fread(identification, 1, 30, file) != 30 ||
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
    seconds = sampleRate > 0 ? packets * samplesPerPacket / sampleRate : 0;
    return sampleRate > 0;
}

// The file of an Ogg Vorbis sample as a stream of the SDL libraries, with its
// length bound; none when it is not one.
SDL_RWops* oggVorbisStream(const Sample& sample, double& seconds) {
    FILE* file = openRegularFile(sample.path);
    if (file != nullptr && !oggVorbisLength(file, seconds)) {
        std::fclose(file);
        file = nullptr;
    }
    return streamOf(file);
}

// Bytes of the sample decoded to the mixer's format, at most.
int64_t decodedBytes(double seconds) {
    int rate = 0;
    int channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&rate, &format, &channels);
    return static_cast<int64_t>(seconds * rate * channels * (SDL_AUDIO_BITSIZE(format) / 8));
}

// Decodes the sample on its first play; false when it cannot be, is too
// long, or would take more than all samples may hold.
bool decodeSample(Sample& sample) {
    if (sample.chunk != nullptr) return true;
    if (sample.unusable) return false;
    sample.unusable = true;
    double seconds = 0;
    SDL_RWops* stream = oggVorbisStream(sample, seconds);
    if (stream == nullptr) return false;
    const int64_t bytes = decodedBytes(seconds);
    if (seconds > LongestSampleSeconds || heldSampleBytes + bytes > HeldSampleBytesLimit) {
        SDL_RWclose(stream);
        return false;
    }
    sample.chunk = Mix_LoadWAV_RW(stream, 1);
    if (sample.chunk == nullptr) return false;
    sample.heldBytes = std::max<int64_t>(bytes, sample.chunk->alen);
    heldSampleBytes += sample.heldBytes;
    sample.unusable = false;
    return true;
}

void stopStreaming() {
    if (streamed == nullptr) return;
    Mix_HaltMusic();
    Mix_FreeMusic(streamed);
    streamed = nullptr;
    streamedSound = 0;
}

// Plays the sample on the streamed voice, in place of what it played.
int64_t streamSample(SoundHandle sound, Sample& sample) {
    stopStreaming();
    double seconds = 0;
    SDL_RWops* stream = sample.unusable ? nullptr : oggVorbisStream(sample, seconds);
    if (stream == nullptr) return 0;
    streamed = Mix_LoadMUSType_RW(stream, MUS_OGG, 1);
    if (streamed == nullptr || Mix_PlayMusic(streamed, 0) != 0) {
        stopStreaming();
        return 0;
    }
    streamedSound = sound;
    return StreamedVoice;
}

}  // namespace

bool initSound() {
    if (soundReady) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(OwnVoices);
    soundReady = true;
    return true;
}

void enableOggDecoding() {
    if (soundReady) Mix_Init(MIX_INIT_OGG);
}

SoundHandle loadSound(const std::u16string& path) {
    if (!soundReady || !isRegularFile(path)) return 0;
    const bool absolute = !path.empty() && (path[0] == u'\\' || path[0] == u'/');
    Sample* sample = new Sample();
    sample->path = absolute ? path : currentDirectory() + path;
    return sounds.keep(sample);
}

int64_t playSound(SoundHandle sound, bool extraVoice) {
    Sample* sample = sampleOf(sound);
    if (sample == nullptr) return 0;
    if (extraVoice) return streamSample(sound, *sample);
    if (!decodeSample(*sample)) return 0;
    const int playing = Mix_PlayChannel((static_cast<int>(sound) - 1) % OwnVoices, sample->chunk, 0);
    return playing < 0 ? 0 : playing + 1;
}

void stopSound(SoundHandle sound, int64_t voice) {
    Sample* sample = sampleOf(sound);
    if (sample == nullptr) return;
    if (voice == StreamedVoice && streamedSound == sound) Mix_HaltMusic();
    if (voice <= 0 || voice > OwnVoices || sample->chunk == nullptr) return;
    const int channel = static_cast<int>(voice - 1);
    if (Mix_GetChunk(channel) == sample->chunk) Mix_HaltChannel(channel);
}

void stopAllSounds() {
    if (!soundReady) return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
}

void freeSound(SoundHandle sound) {
    Sample* sample = sampleOf(sound);
    if (sample == nullptr) return;
    if (streamedSound == sound) stopStreaming();
    if (sample->chunk != nullptr) {
        for (int channel = 0; channel < OwnVoices; ++channel) {
            if (Mix_GetChunk(channel) == sample->chunk) Mix_HaltChannel(channel);
        }
        Mix_FreeChunk(sample->chunk);
        heldSampleBytes -= sample->heldBytes;
    }
    delete sounds.take(sound);
}

void releaseSound() {
    if (!soundReady) return;
    for (size_t slot = 1; slot < sounds.slots.size(); ++slot) freeSound(static_cast<SoundHandle>(slot));
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    soundReady = false;
}
