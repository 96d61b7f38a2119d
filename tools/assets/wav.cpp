#include "wav.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "output.h"

namespace dm::assets {

int toSamples(double seconds)
{
    return std::max(0, static_cast<int>(std::lround(seconds * kSampleRate)));
}

Samples silence(double seconds)
{
    return Samples(size_t(toSamples(seconds)), 0.0);
}

void mixAt(Samples& into, const Samples& part, double atSeconds, double gain)
{
    const size_t start = size_t(toSamples(atSeconds));
    if (into.size() < start + part.size())
        into.resize(start + part.size(), 0.0);
    for (size_t i = 0; i < part.size(); ++i)
        into[start + i] += gain * part[i];
}

Samples tone(const Tone& t)
{
    const int n = toSamples(t.seconds);
    Samples out(size_t(n), 0.0);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double time = double(i) / kSampleRate;
        const double progress = n > 1 ? double(i) / (n - 1) : 0;
        double hz = t.fromHz * std::pow(t.toHz / t.fromHz, progress);
        // Vibrato eases in, as a singer's or a horn player's does.
        hz *= 1.0 + t.vibratoDepth * std::min(1.0, time / 0.25) * std::sin(2 * std::numbers::pi * t.vibratoHz * time);
        phase += 2 * std::numbers::pi * hz / kSampleRate;
        double v = 0;
        for (size_t h = 0; h < t.harmonics.size(); ++h)
            if ((h + 1) * hz < kSampleRate / 2.2)  // keep partials below the Nyquist limit
                v += t.harmonics[h] * std::sin(phase * double(h + 1));
        double level = t.attack > 0 ? std::min(1.0, time / t.attack) : 1.0;
        if (t.decay > 0)
            level *= std::exp(-std::max(0.0, time - t.attack) / t.decay);
        const double left = t.seconds - time;
        if (t.release > 0 && left < t.release)
            level *= std::max(0.0, left / t.release);
        out[size_t(i)] = v * level;
    }
    return out;
}

Samples strike(double baseHz, const std::vector<double>& ratios, double seconds, double decay)
{
    Samples out = silence(seconds);
    for (size_t k = 0; k < ratios.size(); ++k) {
        const double hz = baseHz * ratios[k];
        if (hz >= kSampleRate / 2.2)
            continue;
        // Higher partials die away sooner, which is what makes metal sound struck.
        const double tau = decay / (1.0 + 0.6 * double(k));
        const double amp = 1.0 / (1.0 + 0.5 * double(k));
        for (size_t i = 0; i < out.size(); ++i) {
            const double time = double(i) / kSampleRate;
            out[i] += amp * std::sin(2 * std::numbers::pi * hz * time) * std::exp(-time / tau) * std::min(1.0, time / 0.002);
        }
    }
    return out;
}

Samples noise(double seconds, uint64_t seed)
{
    std::mt19937_64 engine(seed);
    std::uniform_real_distribution<double> dist(-1.0, 1.0);
    Samples out = silence(seconds);
    for (double& v : out)
        v = dist(engine);
    return out;
}

Samples bandPass(const Samples& in, double fromHz, double toHz, double q)
{
    // A state-variable filter: cheap to retune on every sample.
    Samples out(in.size(), 0.0);
    double low = 0, band = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        const double progress = in.size() > 1 ? double(i) / double(in.size() - 1) : 0;
        const double hz = fromHz * std::pow(toHz / fromHz, progress);
        const double f = 2 * std::sin(std::numbers::pi * std::min(hz, kSampleRate / 6.0) / kSampleRate);
        const double high = in[i] - low - band / q;
        band += f * high;
        low += f * band;
        out[i] = band;
    }
    return out;
}

Samples lowPass(const Samples& in, double cutoffHz)
{
    const double a = 1 - std::exp(-2 * std::numbers::pi * cutoffHz / kSampleRate);
    Samples out(in.size(), 0.0);
    double y = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        y += a * (in[i] - y);
        out[i] = y;
    }
    return out;
}

void shape(Samples& s, double attack, double release)
{
    const double total = double(s.size()) / kSampleRate;
    for (size_t i = 0; i < s.size(); ++i) {
        const double time = double(i) / kSampleRate;
        double level = 1.0;
        if (attack > 0)
            level = std::min(level, time / attack);
        if (release > 0)
            level = std::min(level, (total - time) / release);
        s[i] *= std::max(0.0, level);
    }
}

void finish(Samples& s, double peakDb)
{
    shape(s, 0.004, 0.012);  // no sound may start or stop on a step
    double peak = 0;
    for (double v : s)
        peak = std::max(peak, std::abs(v));
    if (peak <= 0)
        return;
    const double gain = std::pow(10.0, std::min(peakDb, -1.0) / 20.0) / peak;
    for (double& v : s)
        v *= gain;
}

QByteArray encodeWav(const Samples& s)
{
    const uint32_t dataBytes = uint32_t(s.size() * 2);
    QByteArray out;
    out.reserve(int(44 + dataBytes));
    out.append("RIFF");
    appendLittleEndian(out, 4, 36 + dataBytes);
    out.append("WAVE");
    out.append("fmt ");
    appendLittleEndian(out, 4, 16);
    appendLittleEndian(out, 2, 1);  // PCM
    appendLittleEndian(out, 2, 1);  // mono
    appendLittleEndian(out, 4, kSampleRate);
    appendLittleEndian(out, 4, kSampleRate * 2);  // bytes per second
    appendLittleEndian(out, 2, 2);                // bytes per frame
    appendLittleEndian(out, 2, 16);               // bits per sample
    out.append("data");
    appendLittleEndian(out, 4, dataBytes);
    for (double v : s)
        appendLittleEndian(out, 2, uint16_t(int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0))));
    return out;
}

}  // namespace dm::assets
