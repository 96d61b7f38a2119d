#include "bmp.h"

#include "output.h"

namespace dm::assets {

QByteArray encodeBmp(const IndexedPicture& picture)
{
    if (picture.width <= 0 || picture.height <= 0 || picture.palette.empty() || picture.palette.size() > 256 ||
        picture.indices.size() != size_t(picture.width) * picture.height)
        return {};
    for (uint8_t index : picture.indices)
        if (index >= picture.palette.size())
            return {};
    const uint32_t stride = (uint32_t(picture.width) + 3) & ~3u;
    const uint32_t paletteBytes = 4 * 256;
    const uint32_t dataOffset = 14 + 40 + paletteBytes;
    const uint32_t dataBytes = stride * uint32_t(picture.height);

    QByteArray out("BM");
    appendLittleEndian(out, 4, dataOffset + dataBytes);
    appendLittleEndian(out, 4, 0);  // reserved
    appendLittleEndian(out, 4, dataOffset);
    appendLittleEndian(out, 4, 40);  // BITMAPINFOHEADER
    appendLittleEndian(out, 4, uint32_t(picture.width));
    appendLittleEndian(out, 4, uint32_t(picture.height));  // positive: rows stored bottom-up
    appendLittleEndian(out, 2, 1);                          // planes
    appendLittleEndian(out, 2, 8);                          // bits per pixel
    appendLittleEndian(out, 4, 0);                          // no compression
    appendLittleEndian(out, 4, dataBytes);
    appendLittleEndian(out, 4, 2835);  // 72 dpi
    appendLittleEndian(out, 4, 2835);
    appendLittleEndian(out, 4, 256);  // colours in the table
    appendLittleEndian(out, 4, 0);
    for (size_t i = 0; i < 256; ++i) {
        const QRgb c = i < picture.palette.size() ? picture.palette[i] : 0;
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }
    for (int y = picture.height - 1; y >= 0; --y) {
        const auto* row = picture.indices.data() + size_t(y) * picture.width;
        out.append(reinterpret_cast<const char*>(row), picture.width);
        out.append(QByteArray(int(stride) - picture.width, '\0'));
    }
    return out;
}

}  // namespace dm::assets
