// make_chateau_sounds: synthesises the sounds of "Le château" and writes them
// as OGG Vorbis files into the project folder.
//
//     make_chateau_sounds <project folder>
//
// introduction.ogg  a short tune on a horn over a drone, played with the
//                   introduction picture;
// 1.ogg             blades clashing (the fight with the guard);
// 2.ogg             the dragon's roar;
// 3.ogg             the dragon snoring;
// 4.ogg             a key in a lock and a door creaking open;
// 5.ogg             the fanfare of the princess set free.
//
// Everything is computed here from sine waves, filtered noise and envelopes
// with fixed seeds, so the sounds are the project's own and the same at
// every build.
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = 3.14159265358979323846;
using Samples = std::vector<float>;

uint32_t noiseState = 12345u;
// White noise in -1..1 from a fixed-seed generator.
double noise() {
    noiseState = noiseState * 1664525u + 1013904223u;
    return (noiseState >> 8) / double(1u << 23) - 1.0;
}

Samples silence(double seconds) {
    return Samples(size_t(seconds * Rate), 0.0f);
}

// Adds b into a from sample offset `at` (seconds), growing a as needed.
void mixInto(Samples& a, const Samples& b, double at, double gain = 1.0) {
    size_t start = size_t(at * Rate);
    if (a.size() < start + b.size()) a.resize(start + b.size(), 0.0f);
    for (size_t i = 0; i < b.size(); ++i) a[start + i] += float(b[i] * gain);
}

// Brings the loudest sample to `peak` and fades the last 20 ms, so that no
// sound ends with a click.
void normalise(Samples& s, double peak) {
    float loudest = 0;
    for (float v : s) loudest = std::max(loudest, std::fabs(v));
    if (loudest > 0)
        for (float& v : s) v = float(v / loudest * peak);
    size_t fade = std::min(s.size(), size_t(Rate / 50));
    for (size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= float(i) / fade;
}

// A brass-like note: harmonics falling off with their number, a soft attack,
// a slight vibrato and a release.
Samples hornNote(double frequency, double seconds, double brightness = 1.0) {
    Samples s(size_t(seconds * Rate));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / Rate;
        double attack = std::min(1.0, t / 0.04), release = std::min(1.0, (seconds - t) / 0.08);
        double vibrato = 1 + 0.004 * std::sin(2 * Pi * 5.5 * t) * std::min(1.0, t / 0.3);
        phase += 2 * Pi * frequency * vibrato / Rate;
        double v = 0;
        for (int h = 1; h <= 8; ++h) v += std::sin(h * phase) / std::pow(h, 1.6 - 0.4 * brightness);
        s[i] = float(v * attack * std::max(0.0, release) * (0.85 + 0.15 * std::exp(-t * 3)));
    }
    return s;
}

double noteFrequency(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

struct Note {
    int pitch;  // semitones from A4
    double beats;
};

// Plays the notes one after the other at `beat` seconds per beat.
Samples melody(const std::vector<Note>& notes, double beat, double brightness) {
    Samples s;
    double at = 0;
    for (const Note& n : notes) {
        if (n.pitch > -100) mixInto(s, hornNote(noteFrequency(n.pitch), n.beats * beat * 0.95, brightness), at);
        at += n.beats * beat;
    }
    return s;
}

// A low fifth held under a tune, like a bagpipe's drone.
Samples drone(double frequency, double seconds) {
    Samples s(size_t(seconds * Rate));
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / Rate;
        double envelope = std::min(1.0, t / 0.5) * std::min(1.0, (seconds - t) / 0.6);
        double v = std::sin(2 * Pi * frequency * t) + 0.5 * std::sin(2 * Pi * frequency * 1.5 * t) +
                   0.25 * std::sin(2 * Pi * frequency * 2 * t);
        s[i] = float(v * envelope);
    }
    return s;
}

Samples introductionTune() {
    // D major: D E F# G A B C# D = -7 -5 -3 -2 0 2 4 5 from A4.
    const int R = -1000;
    Samples tune = melody({{-7, 1},
                           {-2, 1},
                           {0, 1.5},
                           {-2, 0.5},
                           {0, 1},
                           {5, 2},
                           {R, 0.5},
                           {2, 0.5},
                           {0, 0.5},
                           {-2, 0.5},
                           {-3, 1},
                           {-5, 1},
                           {-7, 3}},
                          0.32, 0.8);
    Samples s = drone(noteFrequency(-19), tune.size() / double(Rate) + 0.4);
    for (float& v : s) v *= 0.35f;
    mixInto(s, tune, 0.1);
    normalise(s, 0.8);
    return s;
}

// Two strikes of steel: bright inharmonic partials that ring and die away,
// each with a short burst of scraping noise.
Samples swordClash() {
    Samples s;
    const double partials[] = {1180, 2745, 4310, 5980, 7420};
    for (int strike = 0; strike < 2; ++strike) {
        Samples hit(size_t(1.1 * Rate));
        for (size_t i = 0; i < hit.size(); ++i) {
            double t = double(i) / Rate, v = 0;
            for (int p = 0; p < 5; ++p)
                v += std::sin(2 * Pi * partials[p] * (1 + 0.03 * strike) * t) * std::exp(-t * (4 + 3 * p)) / (1 + p);
            v += noise() * std::exp(-t * 60) * 0.8;
            hit[i] = float(v);
        }
        mixInto(s, hit, strike * 0.28, strike ? 0.8 : 1.0);
    }
    normalise(s, 0.85);
    return s;
}

// One-pole low-pass filter over noise: a rumble whose colour follows cutoff(t).
template <typename Cutoff>
Samples filteredNoise(double seconds, Cutoff cutoff) {
    Samples s(size_t(seconds * Rate));
    double y = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / Rate, a = 1 - std::exp(-2 * Pi * cutoff(t) / Rate);
        y += a * (noise() - y);
        s[i] = float(y);
    }
    return s;
}

// A growl falling in pitch, rough with noise, swelling then dying.
Samples dragonRoar() {
    const double seconds = 2.2;
    Samples s = filteredNoise(seconds, [](double t) { return 900 - 300 * t; });
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / Rate;
        double pitch = 150 - 60 * t / seconds + 8 * std::sin(2 * Pi * 7 * t);
        phase += 2 * Pi * pitch / Rate;
        double saw = 0;
        for (int h = 1; h <= 12; ++h) saw += std::sin(h * phase) / h;
        double envelope = std::min(1.0, t / 0.25) * std::exp(-std::max(0.0, t - 0.9) * 1.8);
        double rasp = 1 + 0.5 * std::sin(2 * Pi * 31 * t);
        s[i] = float((saw * 0.6 * rasp + s[i] * 6) * envelope);
    }
    normalise(s, 0.9);
    return s;
}

// Two slow breaths in, each rattling at about 30 per second, and a soft
// whistle out.
Samples dragonSnore() {
    Samples s;
    for (int breath = 0; breath < 2; ++breath) {
        Samples in = filteredNoise(1.3, [](double) { return 420.0; });
        for (size_t i = 0; i < in.size(); ++i) {
            double t = double(i) / Rate;
            double swell = std::sin(Pi * t / 1.3), rattle = 0.5 + 0.5 * std::sin(2 * Pi * 28 * t);
            in[i] = float(in[i] * swell * (0.3 + 0.7 * rattle * rattle) + 0.3 * std::sin(2 * Pi * 55 * t) * swell);
        }
        Samples out(size_t(1.0 * Rate));
        for (size_t i = 0; i < out.size(); ++i) {
            double t = double(i) / Rate;
            out[i] = float(std::sin(2 * Pi * (900 - 250 * t) * t) * std::sin(Pi * t) * 0.08 +
                           noise() * 0.05 * std::sin(Pi * t));
        }
        mixInto(s, in, breath * 2.6);
        mixInto(s, out, breath * 2.6 + 1.35);
    }
    normalise(s, 0.7);
    return s;
}

// A metallic click of the lock, then the hinge: a stick-slip series of
// ticks whose rate rises and falls, each ringing a little.
Samples doorOpening() {
    Samples s = silence(2.4);
    Samples click(size_t(0.15 * Rate));
    for (size_t i = 0; i < click.size(); ++i) {
        double t = double(i) / Rate;
        click[i] = float((std::sin(2 * Pi * 2300 * t) + noise()) * std::exp(-t * 45));
    }
    mixInto(s, click, 0.05);
    mixInto(s, click, 0.22, 0.7);
    double at = 0.55, phase = 0;
    while (at < 2.2) {
        double progress = (at - 0.55) / 1.65;
        double rate = 35 + 70 * std::sin(Pi * progress);
        Samples tick(size_t(0.02 * Rate));
        for (size_t i = 0; i < tick.size(); ++i) {
            double t = double(i) / Rate;
            phase += 2 * Pi * (600 + 300 * progress) / Rate;
            tick[i] = float(std::sin(phase) * std::exp(-t * 180));
        }
        mixInto(s, tick, at, 0.6 + 0.4 * std::sin(Pi * progress));
        at += 1.0 / rate;
    }
    normalise(s, 0.8);
    return s;
}

// A bright rising fanfare ending on a held major chord.
Samples fanfare() {
    const double beat = 0.16;
    Samples s = melody({{-7, 1}, {-7, 0.5}, {-7, 0.5}, {-3, 1}, {0, 1}, {-3, 1}, {0, 1}, {5, 8}}, beat, 1.2);
    const double chordAt = 6 * beat;
    for (int pitch : {-7, -3, 0}) mixInto(s, hornNote(noteFrequency(pitch), 8 * beat, 1.0), chordAt, 0.5);
    normalise(s, 0.85);
    return s;
}

// ---- OGG Vorbis writing ----

void writeOgg(const Samples& samples, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "make_chateau_sounds: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, Rate, 0.4f) != 0) {
        std::fprintf(stderr, "make_chateau_sounds: the encoder refuses the settings\n");
        std::exit(1);
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", "Le château");
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 20240611);  // a fixed serial number: the same file at every build
    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    ogg_page page;
    auto writePage = [&] {
        std::fwrite(page.header, 1, page.header_len, file);
        std::fwrite(page.body, 1, page.body_len, file);
    };
    while (ogg_stream_flush(&stream, &page) != 0) writePage();

    const size_t chunk = 1024;
    for (size_t done = 0; done <= samples.size();) {
        size_t count = std::min(chunk, samples.size() - done);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, int(count));
            std::copy(samples.begin() + done, samples.begin() + done + count, buffer[0]);
        }
        vorbis_analysis_wrote(&dsp, int(count));  // 0 marks the end of the sound
        done += count;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) writePage();
            }
        }
        if (count == 0) break;
    }
    while (ogg_stream_flush(&stream, &page) != 0) writePage();
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    if (std::fclose(file) != 0) {
        std::fprintf(stderr, "make_chateau_sounds: cannot finish %s\n", path.c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_chateau_sounds <project folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    writeOgg(introductionTune(), folder + "introduction.ogg");
    writeOgg(swordClash(), folder + "1.ogg");
    writeOgg(dragonRoar(), folder + "2.ogg");
    writeOgg(dragonSnore(), folder + "3.ogg");
    writeOgg(doorOpening(), folder + "4.ogg");
    writeOgg(fanfare(), folder + "5.ogg");
    return 0;
}
