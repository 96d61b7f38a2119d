#include "gif.h"

#include <gif_lib.h>

#include "quantize.h"

namespace dm::assets {

namespace {

int appendToBuffer(GifFileType* gif, const GifByteType* bytes, int count)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), count);
    return count;
}

bool writeFrame(GifFileType* gif, QImage& picture)
{
    int bits = 1;  // the colour table holds 2^bits entries
    while ((1 << bits) < picture.colorCount())
        ++bits;
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);  // zero-filled
    if (!map)
        return false;
    for (int i = 0; i < picture.colorCount(); ++i)
        map->Colors[i] = {GifByteType(qRed(picture.color(i))), GifByteType(qGreen(picture.color(i))),
                          GifByteType(qBlue(picture.color(i)))};
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, picture.width(), picture.height(), bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, picture.width(), picture.height(), false, nullptr) == GIF_OK;
    GifFreeMapObject(map);  // the file keeps its own copy
    for (int y = 0; ok && y < picture.height(); ++y)
        ok = EGifPutLine(gif, picture.scanLine(y), picture.width()) == GIF_OK;  // masks the line in place
    return ok;
}

}  // namespace

QByteArray encodeGif(const QImage& image)
{
    QImage picture = quantize(image);
    if (picture.isNull() || picture.width() > 0xFFFF || picture.height() > 0xFFFF)
        return {};
    QByteArray out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendToBuffer, &error);
    if (!gif)
        return {};
    const bool written = writeFrame(gif, picture);
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return written && closed ? out : QByteArray();
}

}  // namespace dm::assets
