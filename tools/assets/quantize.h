#pragma once
// Reducing a picture to a palette of at most 256 colours (for GIF and 8-bit BMP).
#include <QImage>

namespace dm::assets {

// An 8-bit picture of libimagequant's palette, exact for pictures of <= 256 colours; null
// when the picture is null or cannot be reduced. The padding at the end of each row is
// zero, so that files written from it are the same from build to build.
QImage quantize(const QImage& image);

}  // namespace dm::assets
