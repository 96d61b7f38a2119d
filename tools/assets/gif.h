#pragma once
// Our own GIF89a writer (Qt reads GIF but cannot write it): one frame, global palette, LZW.
#include <QByteArray>
#include <QImage>

#include "quantize.h"

namespace dm::assets {

QByteArray encodeGif(const IndexedPicture& picture);
// Quantises first: exact for pictures of <= 256 colours.
QByteArray encodeGif(const QImage& image);

}  // namespace dm::assets
