#pragma once
// Shared helpers of the asset tests: where the generated files are, and a WAV reader.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace assets_test {

inline QString binPath(const QString& relative)
{
    return QStringLiteral(DUNMERE_BIN_DIR "/") + relative;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Wav {
    int format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    std::vector<int16_t> samples;
};

inline uint32_t le(const QByteArray& b, int at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | uint8_t(b[at + i]);
    return v;
}

// Accepts only the exact layout the game's sounds use: RIFF, fmt of 16 bytes, then data.
inline std::optional<Wav> parseWav(const QByteArray& b)
{
    if (b.size() < 44 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE" || b.mid(12, 4) != "fmt " ||
        b.mid(36, 4) != "data")
        return std::nullopt;
    if (le(b, 4, 4) != uint32_t(b.size() - 8) || le(b, 16, 4) != 16)
        return std::nullopt;
    const uint32_t dataBytes = le(b, 40, 4);
    if (dataBytes != uint32_t(b.size() - 44) || dataBytes % 2 != 0)
        return std::nullopt;
    Wav w;
    w.format = int(le(b, 20, 2));
    w.channels = int(le(b, 22, 2));
    w.rate = int(le(b, 24, 4));
    w.byteRate = int(le(b, 28, 4));
    w.blockAlign = int(le(b, 32, 2));
    w.bits = int(le(b, 34, 2));
    for (uint32_t i = 0; i < dataBytes; i += 2)
        w.samples.push_back(int16_t(le(b, 44 + int(i), 2)));
    return w;
}

}  // namespace assets_test
