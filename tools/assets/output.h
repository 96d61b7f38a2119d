#pragma once
// Writing generated files whole or not at all: a half-written picture or sound
// must never be left where the game would load it.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

namespace dm::assets {

// Appends `value` as `bytes` bytes, least significant first (WAV fields).
inline void appendLittleEndian(QByteArray& out, int bytes, uint32_t value)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

// Writes through a temporary file that replaces `path` only when complete.
bool writeFileAtomically(const QString& path, const QByteArray& bytes);

// Encodes with Qt's writer for `format` ("jpg", "png", "bmp") and writes atomically.
bool saveImageAtomically(const QString& path, const QImage& image, const char* format, int quality = 90);

}  // namespace dm::assets
