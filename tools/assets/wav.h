#pragma once
// Sound synthesis building blocks and the 16-bit mono PCM WAV writer.
#include <QByteArray>
#include <cstdint>
#include <vector>

namespace dm::assets {

constexpr int kSampleRate = 22050;
using Samples = std::vector<double>;  // nominally -1..1

Samples silence(double seconds);
int toSamples(double seconds);

// Mixes `part` into `into` starting at `atSeconds`, growing `into` as needed.
void mixAt(Samples& into, const Samples& part, double atSeconds, double gain = 1.0);

// A tone whose pitch glides from `fromHz` to `toHz` (exponentially), with partials
// weighted by `harmonics` (index 0 = fundamental) and an optional vibrato.
struct Tone {
    double seconds = 0.2;
    double fromHz = 440;
    double toHz = 440;
    std::vector<double> harmonics{1.0};
    double attack = 0.01;   // seconds to full level
    double decay = 0.0;     // exponential decay time constant; 0 holds the level
    double release = 0.03;  // fade at the end
    double vibratoHz = 0;
    double vibratoDepth = 0;  // fraction of the pitch
};
Samples tone(const Tone& t);

// A struck metal partial set (bells, coins): inharmonic ratios, each decaying on its own.
Samples strike(double baseHz, const std::vector<double>& ratios, double seconds, double decay);

// White noise from a fixed seed.
Samples noise(double seconds, uint64_t seed);

// Resonant band-pass whose centre moves from `fromHz` to `toHz` over the sound.
Samples bandPass(const Samples& in, double fromHz, double toHz, double q);
Samples lowPass(const Samples& in, double cutoffHz);

// Multiplies by an attack-hold-release envelope (linear ramps in seconds).
void shape(Samples& s, double attack, double release);

// Scales so the loudest sample sits at `peakDb` dBFS (below 0) and fades the ends
// so the sound neither clips nor clicks.
void finish(Samples& s, double peakDb = -3.0);

// RIFF/WAVE with one PCM chunk: 16-bit, mono, kSampleRate.
QByteArray encodeWav(const Samples& s);

}  // namespace dm::assets
