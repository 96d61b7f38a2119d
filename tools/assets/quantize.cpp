#include "quantize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace dm::assets {

namespace {

struct ColourCount {
    QRgb colour;
    uint32_t count;
};

int channel(QRgb c, int axis)
{
    return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c);
}

// One box of the median cut: a range of the shared colour list.
struct Box {
    size_t begin, end;
    int longestAxis = 0;
    int range = 0;
    uint64_t population = 0;
};

Box describe(const std::vector<ColourCount>& colours, size_t begin, size_t end)
{
    Box box{begin, end};
    std::array<int, 3> lo{255, 255, 255}, hi{0, 0, 0};
    for (size_t i = begin; i < end; ++i) {
        for (int a = 0; a < 3; ++a) {
            lo[a] = std::min(lo[a], channel(colours[i].colour, a));
            hi[a] = std::max(hi[a], channel(colours[i].colour, a));
        }
        box.population += colours[i].count;
    }
    for (int a = 0; a < 3; ++a) {
        if (hi[a] - lo[a] > box.range) {
            box.range = hi[a] - lo[a];
            box.longestAxis = a;
        }
    }
    return box;
}

std::vector<QRgb> medianCut(std::vector<ColourCount>& colours, int maxColours)
{
    std::vector<Box> boxes{describe(colours, 0, colours.size())};
    while (static_cast<int>(boxes.size()) < maxColours) {
        // Split the box whose spread, weighted by how many pixels it covers, hurts most.
        auto worst = boxes.end();
        double worstScore = 0;
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            const double score = it->end - it->begin > 1 ? it->range * std::sqrt(double(it->population)) : 0;
            if (score > worstScore) {
                worstScore = score;
                worst = it;
            }
        }
        if (worst == boxes.end())
            break;
        const Box box = *worst;
        const int axis = box.longestAxis;
        std::sort(colours.begin() + box.begin, colours.begin() + box.end,
                  [axis](const ColourCount& a, const ColourCount& b) { return channel(a.colour, axis) < channel(b.colour, axis); });
        // Cut at the pixel median, never leaving either half empty.
        uint64_t seen = 0;
        size_t cut = box.begin + 1;
        for (size_t i = box.begin; i < box.end - 1; ++i) {
            seen += colours[i].count;
            cut = i + 1;
            if (seen * 2 >= box.population)
                break;
        }
        *worst = describe(colours, box.begin, cut);
        boxes.push_back(describe(colours, cut, box.end));
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        double r = 0, g = 0, b = 0;
        for (size_t i = box.begin; i < box.end; ++i) {
            r += double(qRed(colours[i].colour)) * colours[i].count;
            g += double(qGreen(colours[i].colour)) * colours[i].count;
            b += double(qBlue(colours[i].colour)) * colours[i].count;
        }
        const double n = double(box.population);
        palette.push_back(qRgb(int(std::lround(r / n)), int(std::lround(g / n)), int(std::lround(b / n))));
    }
    return palette;
}

uint8_t nearest(const std::vector<QRgb>& palette, QRgb c)
{
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]), db = qBlue(c) - qBlue(palette[i]);
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;  // the eye weighs green most
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

IndexedPicture quantize(const QImage& source, int maxColours)
{
    maxColours = std::clamp(maxColours, 1, 256);
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    IndexedPicture out;
    out.width = image.width();
    out.height = image.height();
    if (image.isNull())
        return out;

    std::unordered_map<QRgb, uint32_t> histogram;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++histogram[line[x] | 0xFF000000u];
    }
    std::vector<ColourCount> colours;
    colours.reserve(histogram.size());
    for (const auto& [colour, count] : histogram)
        colours.push_back({colour, count});
    // A fixed order keeps the output the same from run to run.
    std::sort(colours.begin(), colours.end(), [](const ColourCount& a, const ColourCount& b) { return a.colour < b.colour; });

    std::unordered_map<QRgb, uint8_t> lookup;
    if (static_cast<int>(colours.size()) <= maxColours) {
        for (const ColourCount& c : colours) {
            lookup[c.colour] = static_cast<uint8_t>(out.palette.size());
            out.palette.push_back(c.colour);
        }
    } else {
        out.palette = medianCut(colours, maxColours);
        for (const ColourCount& c : colours)
            lookup[c.colour] = nearest(out.palette, c.colour);
    }

    out.indices.reserve(size_t(out.width) * out.height);
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            out.indices.push_back(lookup[line[x] | 0xFF000000u]);
    }
    return out;
}

}  // namespace dm::assets
