#pragma once
// Reducing a picture to a palette of at most 256 colours (for GIF and 8-bit BMP).
// Pictures that already have few enough colours keep them exactly.
#include <QImage>
#include <QRgb>
#include <cstdint>
#include <vector>

namespace dm::assets {

struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<QRgb> palette;     // 1..256 opaque colours
    std::vector<uint8_t> indices;  // width * height, row by row
};

// Exact palette when the picture has <= maxColours colours, median cut otherwise.
IndexedPicture quantize(const QImage& image, int maxColours = 256);

}  // namespace dm::assets
