#pragma once
// GIF through giflib (Qt reads GIF but cannot write it): one frame, one palette.
#include <QByteArray>
#include <QImage>

namespace dm::assets {

// Quantises first (exact for pictures of <= 256 colours); empty on failure.
QByteArray encodeGif(const QImage& image);

}  // namespace dm::assets
