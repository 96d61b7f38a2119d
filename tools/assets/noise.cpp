#include "noise.h"

namespace dm::assets {

namespace {

uint32_t hash3(int x, int y, uint32_t seed)
{
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

}  // namespace

double ValueNoise::cell(int x, int y) const
{
    return hash3(x, y, seed_) / 4294967296.0;
}

double ValueNoise::at(double x, double y) const
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const double a = cell(ix, iy), b = cell(ix + 1, iy);
    const double c = cell(ix, iy + 1), d = cell(ix + 1, iy + 1);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double ValueNoise::fbm(double x, double y, int octaves, double gain) const
{
    double sum = 0, amplitude = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        // Offsetting each octave keeps lattice points from lining up.
        sum += amplitude * at(x + i * 17.31, y - i * 9.73);
        total += amplitude;
        amplitude *= gain;
        x *= 2.03;
        y *= 2.03;
    }
    return sum / total;
}

double vignette(int x, int y, int width, int height, double strength)
{
    const double dx = (x - width / 2.0) / (width / 2.0);
    const double dy = (y - height / 2.0) / (height / 2.0);
    const double d2 = dx * dx * 0.8 + dy * dy;
    return 1.0 - strength * smooth(0.35, 2.0, d2);
}

}  // namespace dm::assets
