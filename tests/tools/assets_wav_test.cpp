// The game's sounds: valid 16-bit mono PCM, audible, never clipped, free of clicks.
#include <gtest/gtest.h>

#include <cmath>

#include "../../tools/assets/wav.h"
#include "assets_support.h"

using assets_test::parseWav;

namespace {

struct Expected {
    const char* file;
    double minSeconds, maxSeconds;
};

const Expected kSounds[] = {
    {"deal.wav", 0.08, 0.35},     {"drop.wav", 0.08, 0.5},      {"peek.wav", 0.2, 1.0},
    {"rummywin.wav", 0.9, 1.6},   {"lost.wav", 0.7, 1.4},       {"lost1.wav", 0.5, 1.4},
    {"lost2.wav", 0.5, 1.4},      {"pokerwin1.wav", 0.1, 0.6},  {"pokerwin2.wav", 0.2, 1.0},
    {"pokerwin3.wav", 0.2, 1.0},  {"wrong.wav", 0.1, 0.8},      {"wrong2.wav", 0.2, 1.0},
    {"wrong3.wav", 0.3, 1.2},     {"beach.wav", 1.5, 2.6},      {"wolf.wav", 1.2, 2.0},
    {"bird.wav", 1.0, 2.0},
};

// Bursts of sound separated by at least 40 ms of near silence.
int countBursts(const std::vector<int16_t>& s, int rate)
{
    const size_t window = size_t(rate / 100);
    int peak = 1;
    for (int16_t v : s)
        peak = std::max(peak, std::abs(int(v)));
    int bursts = 0, quietWindows = 4;
    for (size_t i = 0; i + window <= s.size(); i += window) {
        int level = 0;
        for (size_t j = i; j < i + window; ++j)
            level = std::max(level, std::abs(int(s[j])));
        if (level > peak / 8) {
            if (quietWindows >= 4)
                ++bursts;
            quietWindows = 0;
        } else {
            ++quietWindows;
        }
    }
    return bursts;
}

TEST(AssetSounds, EverySoundIsCleanMonoPcmOfTheRightLength)
{
    for (const Expected& e : kSounds) {
        SCOPED_TRACE(e.file);
        const auto wav = parseWav(assets_test::readAll(assets_test::binPath(QString("wavs/") + e.file)));
        ASSERT_TRUE(wav.has_value()) << "not a well-formed PCM WAV file";
        EXPECT_EQ(wav->format, 1);
        EXPECT_EQ(wav->channels, 1);
        EXPECT_EQ(wav->rate, 22050);
        EXPECT_EQ(wav->bits, 16);
        EXPECT_EQ(wav->blockAlign, 2);
        EXPECT_EQ(wav->byteRate, 44100);

        const auto& s = wav->samples;
        const double seconds = double(s.size()) / wav->rate;
        EXPECT_GE(seconds, e.minSeconds);
        EXPECT_LE(seconds, e.maxSeconds);

        int peak = 0;
        double energy = 0;
        for (int16_t v : s) {
            peak = std::max(peak, std::abs(int(v)));
            energy += double(v) * v;
        }
        const double rms = std::sqrt(energy / double(s.size()));
        EXPECT_LE(peak, 29204) << "peak above -1 dBFS";
        EXPECT_GT(rms, 32767 * 0.02) << "too quiet to hear";
        // Fades at both ends: the first and last samples sit at rest.
        EXPECT_LT(std::abs(int(s.front())), 300);
        EXPECT_LT(std::abs(int(s.back())), 300);
    }
}

TEST(AssetSounds, WrongHoldBuzzersCountOneTwoThree)
{
    const char* files[] = {"wrong.wav", "wrong2.wav", "wrong3.wav"};
    for (int i = 0; i < 3; ++i) {
        const auto wav = parseWav(assets_test::readAll(assets_test::binPath(QString("wavs/") + files[i])));
        ASSERT_TRUE(wav.has_value()) << files[i];
        EXPECT_EQ(countBursts(wav->samples, wav->rate), i + 1) << files[i];
    }
}

TEST(AssetSounds, EncoderWritesHeaderAndClampsRatherThanWraps)
{
    using namespace dm::assets;
    const QByteArray bytes = encodeWav({0.0, 0.5, -0.5, 1.7, -3.0});
    const auto wav = parseWav(bytes);
    ASSERT_TRUE(wav.has_value());
    EXPECT_EQ(bytes.size(), 44 + 10);
    ASSERT_EQ(wav->samples.size(), 5u);
    EXPECT_EQ(wav->samples[0], 0);
    EXPECT_EQ(wav->samples[1], 16384);
    EXPECT_EQ(wav->samples[2], -16384);
    EXPECT_EQ(wav->samples[3], 32767);
    EXPECT_EQ(wav->samples[4], -32767);
}

TEST(AssetSounds, FinishNormalisesBelowFullScaleAndSilenceStaysSilent)
{
    using namespace dm::assets;
    Samples loud(size_t(kSampleRate / 2), 0.0);
    for (size_t i = 0; i < loud.size(); ++i)
        loud[i] = 4.0 * std::sin(double(i) * 0.05);
    finish(loud, -3.0);
    double peak = 0;
    for (double v : loud)
        peak = std::max(peak, std::abs(v));
    EXPECT_NEAR(20 * std::log10(peak), -3.0, 0.05);
    EXPECT_EQ(loud.front(), 0.0);

    finish(loud, +2.0);  // a request above full scale is held at -1 dBFS
    peak = 0;
    for (double v : loud)
        peak = std::max(peak, std::abs(v));
    EXPECT_LE(peak, std::pow(10.0, -1.0 / 20) + 1e-9);

    Samples quiet(100, 0.0);
    finish(quiet);
    for (double v : quiet)
        EXPECT_EQ(v, 0.0);
}

}  // namespace
