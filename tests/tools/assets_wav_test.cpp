// The game's sounds: valid 16-bit mono PCM, audible, never clipped, free of clicks;
// and the writer and level control behind them.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "assets_support.h"

namespace {

struct Wav {
    std::array<int, 6> format{};  // format, channels, rate, byte rate, block align, bits
    std::vector<int16_t> samples;
};

uint32_t le(const QByteArray& b, int at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | uint8_t(b[at + i]);
    return v;
}

// Accepts only the exact layout the game's sounds use: RIFF, fmt of 16 bytes, then data.
std::optional<Wav> parseWav(const QByteArray& b)
{
    if (b.size() < 44 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE" || b.mid(12, 4) != "fmt " ||
        b.mid(36, 4) != "data" || le(b, 4, 4) != uint32_t(b.size() - 8) || le(b, 16, 4) != 16 ||
        le(b, 40, 4) != uint32_t(b.size() - 44) || b.size() % 2 != 0)
        return std::nullopt;
    Wav w;
    w.format = {int(le(b, 20, 2)), int(le(b, 22, 2)), int(le(b, 24, 4)), int(le(b, 28, 4)), int(le(b, 32, 2)),
                int(le(b, 34, 2))};
    for (int i = 44; i < b.size(); i += 2)
        w.samples.push_back(int16_t(le(b, i, 2)));
    return w;
}

std::optional<Wav> gameSound(const char* file)
{
    return parseWav(assets_test::readAll(assets_test::binPath(QString("wavs/") + file)));
}

TEST(AssetSounds, EverySoundIsCleanAudibleMonoPcm)
{
    const char* sounds[] = {"deal.wav",      "drop.wav",      "peek.wav",      "rummywin.wav", "lost.wav",   "lost1.wav",
                            "lost2.wav",     "pokerwin1.wav", "pokerwin2.wav", "pokerwin3.wav", "wrong.wav", "wrong2.wav",
                            "wrong3.wav",    "beach.wav",     "wolf.wav",      "bird.wav"};
    for (const char* file : sounds) {
        SCOPED_TRACE(file);
        const auto wav = gameSound(file);
        ASSERT_TRUE(wav.has_value()) << "not a well-formed PCM WAV file";
        EXPECT_EQ(wav->format, (std::array<int, 6>{1, 1, 22050, 44100, 2, 16}));
        const auto& s = wav->samples;
        EXPECT_GE(s.size() / 22050.0, 0.08);
        EXPECT_LE(s.size() / 22050.0, 2.6);
        int peak = 0;
        double energy = 0;
        for (int16_t v : s) {
            peak = std::max(peak, std::abs(int(v)));
            energy += double(v) * v;
        }
        EXPECT_LE(peak, 29204) << "peak above -1 dBFS";
        EXPECT_GT(std::sqrt(energy / double(s.size())), 32767 * 0.02) << "too quiet to hear";
        EXPECT_LT(std::abs(int(s.front())), 300) << "no fade in";
        EXPECT_LT(std::abs(int(s.back())), 300) << "no fade out";
    }
}

}  // namespace
