#include "quantize.h"

#include <cstring>
#include <libimagequant.h>
#include <memory>
#include <vector>

namespace dm::assets {

namespace {

template <class T, void (*Free)(T*)>
struct Freer {
    void operator()(T* p) const { Free(p); }
};
template <class T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Freer<T, Free>>;

}  // namespace

QImage quantize(const QImage& image)
{
    if (image.isNull())
        return {};
    // Opaque RGBA bytes, as the library reads them.
    QImage rgba = image.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_RGBA8888);
    std::vector<void*> rows(size_t(rgba.height()));
    for (int y = 0; y < rgba.height(); ++y)
        rows[size_t(y)] = rgba.scanLine(y);

    const Owned<liq_attr, liq_attr_destroy> attr(liq_attr_create());
    if (!attr || liq_set_quality(attr.get(), 0, 100) != LIQ_OK)
        return {};
    const Owned<liq_image, liq_image_destroy> input(
        liq_image_create_rgba_rows(attr.get(), rows.data(), rgba.width(), rgba.height(), 0));
    liq_result* raw = nullptr;
    if (!input || liq_image_quantize(input.get(), attr.get(), &raw) != LIQ_OK)
        return {};
    const Owned<liq_result, liq_result_destroy> result(raw);

    QImage out(rgba.size(), QImage::Format_Indexed8);
    if (out.isNull())
        return {};
    std::memset(out.bits(), 0, size_t(out.sizeInBytes()));
    std::vector<unsigned char*> outRows(size_t(out.height()));
    for (int y = 0; y < out.height(); ++y)
        outRows[size_t(y)] = out.scanLine(y);
    if (liq_write_remapped_image_rows(result.get(), input.get(), outRows.data()) != LIQ_OK)
        return {};
    // Read after remapping: the library may refine the palette while it remaps.
    const liq_palette* palette = liq_get_palette(result.get());
    QList<QRgb> table;
    for (unsigned i = 0; i < palette->count; ++i)
        table.push_back(qRgb(palette->entries[i].r, palette->entries[i].g, palette->entries[i].b));
    out.setColorTable(table);
    return out;
}

}  // namespace dm::assets
