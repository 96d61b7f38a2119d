#pragma once
// Seeded value noise and colour helpers for painting calm, textured surfaces.
// Lattice values come from a hash, so the same seed always paints the same picture.
#include <QImage>
#include <QRgb>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace dm::assets {

class ValueNoise {
public:
    explicit ValueNoise(uint32_t seed) : seed_(seed) {}

    // Smooth noise in [0, 1] with one lattice cell per unit.
    double at(double x, double y) const;
    // Fractal sum of octaves, normalised back into [0, 1].
    double fbm(double x, double y, int octaves, double gain = 0.5) const;
    // Uncorrelated value in [0, 1) for one integer cell: grain and sparkles.
    double cell(int x, int y) const;

private:
    uint32_t seed_;
};

// A colour with real-valued channels 0..255, for mixing before rounding.
struct Rgb {
    double r = 0, g = 0, b = 0;
};

inline Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb scale(Rgb c, double k) { return {c.r * k, c.g * k, c.b * k}; }
inline Rgb add(Rgb c, double d) { return {c.r + d, c.g + d, c.b + d}; }
inline QRgb toQRgb(Rgb c)
{
    auto ch = [](double v) { return static_cast<int>(std::clamp(std::lround(v), 0L, 255L)); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}
inline Rgb fromHex(uint32_t hex) { return {double((hex >> 16) & 255), double((hex >> 8) & 255), double(hex & 255)}; }
inline double smooth(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Fills an opaque picture pixel by pixel from `shade(x, y) -> Rgb`.
template <typename Shade>
QImage paintPixels(int width, int height, Shade shade)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = toQRgb(shade(x, y));
    }
    return image;
}

// Darkens the edges gently so the eye rests on the middle of the table.
double vignette(int x, int y, int width, int height, double strength);

}  // namespace dm::assets
