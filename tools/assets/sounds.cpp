#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace dm::assets {

namespace {


// Equal-tempered pitch, counted in semitones from A4.
double note(int semitonesFromA4)
{
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}
constexpr int D4 = -7, E4 = -5, F4 = -4, G4 = -2, A4 = 0, B4 = 2, C5 = 3, D5 = 5, E5 = 7, G5 = 10, C6 = 15;

// Eases 0..1 in and out, for pitch glides that start and settle gently.
double smoothRamp(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3 - 2 * x);
}

// A mellow horn: odd and even partials falling off quickly.
const std::vector<double> kBrass{1.0, 0.55, 0.35, 0.2, 0.12, 0.06};
const std::vector<double> kFlute{1.0, 0.12, 0.05};
const std::vector<double> kBellRatios{1.0, 2.0, 2.76, 4.1, 5.4};

Samples deal()
{
    // A card sliding off the pack: noise swept upwards, quick to rise and fade.
    Samples s = bandPass(noise(0.15, 1), 1800, 5200, 1.6);
    shape(s, 0.015, 0.11);
    finish(s, -4);
    return s;
}

Samples drop()
{
    // A card landing: a soft low knock with a whisper of paper on top.
    Samples s = tone({.seconds = 0.18, .fromHz = 150, .toHz = 85, .harmonics = {1.0, 0.25}, .attack = 0.003, .decay = 0.04});
    Samples paper = bandPass(noise(0.06, 2), 2500, 1500, 1.2);
    shape(paper, 0.002, 0.05);
    mixAt(s, paper, 0.0, 0.25);
    finish(s, -5);
    return s;
}

Samples peek()
{
    // A sly sideways glance: a little down-then-up figure on a soft flute.
    Samples s;
    mixAt(s, tone({.seconds = 0.16, .fromHz = note(E5), .toHz = note(E5), .harmonics = kFlute, .attack = 0.02, .release = 0.06}), 0.0);
    mixAt(s, tone({.seconds = 0.30, .fromHz = note(C5) * 0.98, .toHz = note(D5), .harmonics = kFlute, .attack = 0.02, .release = 0.12, .vibratoHz = 6, .vibratoDepth = 0.01}), 0.17);
    finish(s, -6);
    return s;
}

Samples rummyWin()
{
    // A bright rising arpeggio that opens into a held major chord.
    Samples s;
    const int steps[] = {C5, E5, G5};
    for (int i = 0; i < 3; ++i)
        mixAt(s, tone({.seconds = 0.16, .fromHz = note(steps[i]), .toHz = note(steps[i]), .harmonics = kBrass, .attack = 0.015, .release = 0.05}), 0.13 * i);
    for (int n : {C5, E5, G5, C6})
        mixAt(s, tone({.seconds = 0.8, .fromHz = note(n), .toHz = note(n), .harmonics = kBrass, .attack = 0.03, .decay = 0.9, .release = 0.3, .vibratoHz = 5, .vibratoDepth = 0.004}), 0.40, 0.6);
    finish(s);
    return s;
}

Samples lost()
{
    // The sad trombone: three falling steps and a long wobbling last note.
    Samples s;
    const int steps[] = {G4, G4 - 1, F4};
    double at = 0;
    for (int n : steps) {
        mixAt(s, tone({.seconds = 0.2, .fromHz = note(n), .toHz = note(n) * 0.985, .harmonics = kBrass, .attack = 0.02, .release = 0.05}), at);
        at += 0.2;
    }
    mixAt(s, tone({.seconds = 0.45, .fromHz = note(E4), .toHz = note(E4) * 0.96, .harmonics = kBrass, .attack = 0.02, .release = 0.15, .vibratoHz = 7, .vibratoDepth = 0.025}), at);
    s = lowPass(s, 2200);
    finish(s, -5);
    return s;
}

Samples lostGlide()
{
    // A slide whistle drooping away.
    Samples s = tone({.seconds = 0.85, .fromHz = note(A4 + 12), .toHz = note(A4 - 7), .harmonics = kFlute, .attack = 0.03, .release = 0.2, .vibratoHz = 5, .vibratoDepth = 0.01});
    finish(s, -8);  // a near-pure tone sounds louder than its peak suggests
    return s;
}

Samples lostBells()
{
    // Soft bells falling through a minor chord.
    Samples s;
    const int steps[] = {A4, F4, D4};
    for (int i = 0; i < 3; ++i)
        mixAt(s, strike(note(steps[i]), {1.0, 2.0, 3.0}, 0.55, 0.25), 0.22 * i);
    finish(s, -5);
    return s;
}

Samples coinChink()
{
    // Two small coins touching.
    Samples s;
    mixAt(s, strike(2100, {1.0, 1.58, 2.47}, 0.25, 0.06), 0.0);
    mixAt(s, strike(2600, {1.0, 1.58, 2.47}, 0.25, 0.05), 0.06, 0.7);
    finish(s, -6);
    return s;
}

Samples chime()
{
    Samples s = strike(note(E5 + 12), kBellRatios, 0.6, 0.25);
    mixAt(s, strike(note(B4 + 12), kBellRatios, 0.5, 0.2), 0.08, 0.6);
    finish(s, -5);
    return s;
}

Samples jingle()
{
    // A shaken handful of little bells: quick strikes at scattered pitches.
    Samples s;
    const double pitches[] = {2900, 3400, 3100, 3700, 3000, 3500};
    for (int i = 0; i < 6; ++i) {
        mixAt(s, strike(pitches[i], {1.0, 1.52, 2.3}, 0.25, 0.07), 0.055 * i, 0.8);
        Samples rattle = bandPass(noise(0.03, uint64_t(10 + i)), 6000, 6000, 2.0);
        shape(rattle, 0.002, 0.025);
        mixAt(s, rattle, 0.055 * i, 0.08);
    }
    finish(s, -6);
    return s;
}

Samples buzzer(int buzzes)
{
    // A low soft-edged buzz per card count, never a harsh square wave.
    Samples s;
    for (int i = 0; i < buzzes; ++i) {
        Samples b = tone({.seconds = 0.14, .fromHz = 165, .toHz = 155, .harmonics = {1.0, 0.5, 0.33, 0.25, 0.2}, .attack = 0.01, .release = 0.04});
        mixAt(s, lowPass(b, 1200), 0.21 * i);
    }
    finish(s, -6);
    return s;
}

Samples waves()
{
    // Surf: filtered noise that swells in and washes back out.
    Samples s = lowPass(lowPass(noise(2.1, 3), 900), 1400);
    Samples hiss = bandPass(noise(2.1, 4), 3500, 2500, 0.8);
    const double total = 2.1;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        const double swell = t < 0.75 ? std::pow(t / 0.75, 1.6) : std::exp(-(t - 0.75) / 0.45);
        const double crest = std::exp(-std::pow((t - 0.8) / 0.25, 2));
        s[i] = s[i] * swell * 3.0 + hiss[i] * crest * 0.35;
    }
    shape(s, 0.05, total * 0.25);
    finish(s, -5);
    return s;
}

Samples wolf()
{
    // A distant howl: a slow swell gliding up, then a long sagging fall, with a wavering voice.
    constexpr double seconds = 1.5;
    Samples s = silence(seconds);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        const double hz = t < 0.55 ? 330 * std::pow(610.0 / 330, smoothRamp(t / 0.55))
                                   : 610 * std::pow(400.0 / 610, smoothRamp((t - 0.55) / (seconds - 0.55)));
        const double wobble = 1.0 + 0.018 * std::min(1.0, t / 0.4) * std::sin(2 * std::numbers::pi * 5.5 * t);
        phase += 2 * std::numbers::pi * hz * wobble / kSampleRate;
        const double level = std::min(1.0, t / 0.3) * std::min(1.0, (seconds - t) / 0.5);
        s[i] = level * (std::sin(phase) + 0.3 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase));
    }
    Samples breath = bandPass(noise(seconds, 5), 800, 600, 1.0);
    shape(breath, 0.3, 0.5);
    mixAt(s, breath, 0.0, 0.05);
    finish(s, -5);
    return s;
}

Samples bird()
{
    // Two phrases of quick up-swept chirps and a closing trill.
    Samples s;
    const double chirpStarts[] = {0.0, 0.13, 0.26, 0.62, 0.72, 0.82};
    for (int i = 0; i < 6; ++i) {
        const double lowHz = 2600 + 300 * (i % 3), highHz = 4200 + 250 * (i % 2);
        mixAt(s, tone({.seconds = 0.08, .fromHz = lowHz, .toHz = highHz, .attack = 0.01, .release = 0.04}), chirpStarts[i]);
    }
    for (int i = 0; i < 8; ++i)
        mixAt(s, tone({.seconds = 0.045, .fromHz = 3800, .toHz = 3200, .attack = 0.006, .release = 0.02}), 1.05 + 0.05 * i, 0.8 - 0.06 * i);
    mixAt(s, silence(0.05), 1.45);
    finish(s, -6);
    return s;
}

}  // namespace

std::vector<NamedSound> sounds()
{
    return {
        {"deal.wav", deal()},          {"drop.wav", drop()},          {"peek.wav", peek()},
        {"rummywin.wav", rummyWin()},  {"lost.wav", lost()},          {"lost1.wav", lostGlide()},
        {"lost2.wav", lostBells()},    {"pokerwin1.wav", coinChink()}, {"pokerwin2.wav", chime()},
        {"pokerwin3.wav", jingle()},   {"wrong.wav", buzzer(1)},      {"wrong2.wav", buzzer(2)},
        {"wrong3.wav", buzzer(3)},     {"beach.wav", waves()},        {"wolf.wav", wolf()},
        {"bird.wav", bird()},
    };
}

}  // namespace dm::assets
