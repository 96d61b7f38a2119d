#include "backgrounds.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "noise.h"

namespace dm::assets {

namespace {

constexpr int W = kBackgroundWidth;
constexpr int H = kBackgroundHeight;

// Cloth: a base colour with a soft cloudy nap, fine fibre grain and a vignette.
QImage felt(Rgb base, uint32_t seed, double vignetteStrength)
{
    const ValueNoise n(seed);
    return paintPixels(W, H, [&](int x, int y) {
        const double cloud = n.fbm(x / 160.0, y / 160.0, 4) - 0.5;
        const double grain = n.fbm(x / 1.6, y / 1.6, 2) - 0.5;
        const double light = 1.0 + 0.10 * cloud + 0.035 * grain;
        // A broad sheen from the upper left, as if lit by a lamp above the table.
        const double sheen = 1.0 + 0.06 * (1.0 - (x + y) / double(W + H));
        return scale(base, light * sheen * vignette(x, y, W, H, vignetteStrength));
    });
}

// Planks of wood; `vertical` turns the boards upright.
QImage wood(Rgb dark, Rgb light, uint32_t seed, int plankWidth, bool vertical)
{
    const ValueNoise n(seed);
    return paintPixels(W, H, [&](int px, int py) {
        const double along = vertical ? py : px;    // along the grain
        const double across = vertical ? px : py;   // across the boards
        const int plank = static_cast<int>(across / plankWidth);
        const double inPlank = across - plank * plankWidth;
        // Boards are staggered end to end, each with its own tone.
        const double jointAt = 160 + n.cell(plank, 7) * 420;
        const int piece = along > jointAt ? 1 : 0;
        const double tone = 0.9 + 0.18 * n.cell(plank, piece + 11);
        const double offset = n.cell(plank, piece + 23) * 1000;

        // Grain lines run along the board and bow only gently, as in quarter-sawn timber.
        const double warp = n.fbm((along + offset) / 320.0, across / 60.0, 3) * 14.0;
        const double rings = 0.5 + 0.5 * std::sin((across * 0.55 + warp * 1.6) + offset);
        const double streak = n.fbm((along + offset) / 140.0, across / 1.6, 3);
        const double t = 0.35 * rings * rings + 0.65 * streak;
        Rgb c = scale(mix(dark, light, t), tone);

        // A dark seam between boards with a faint lit edge beside it.
        if (inPlank < 1.5 || std::abs(along - jointAt) < 1.0)
            c = scale(c, 0.55);
        else if (inPlank < 3.0)
            c = scale(c, 1.08);
        return scale(c, vignette(px, py, W, H, 0.4));
    });
}

QImage feltGreen() { return felt(fromHex(0x2E6A45), 11, 0.35); }
QImage feltTeal() { return felt(fromHex(0x1E5659), 12, 0.35); }

QImage pokerBlue()
{
    const ValueNoise n(13);
    const Rgb top = fromHex(0x27466E), bottom = fromHex(0x152842);
    return paintPixels(W, H, [&](int x, int y) {
        const double g = smooth(0, H, y + 60 * (n.fbm(x / 300.0, y / 300.0, 3) - 0.5));
        const double grain = n.fbm(x / 1.6, y / 1.6, 2) - 0.5;
        return scale(mix(top, bottom, g), (1.0 + 0.03 * grain) * vignette(x, y, W, H, 0.3));
    });
}

QImage darkWood() { return wood(fromHex(0x2E1A10), fromHex(0x5E3A22), 21, 75, false); }
QImage warmWood() { return wood(fromHex(0x5A311C), fromHex(0x8C5A34), 22, 100, true); }

QImage meadow()
{
    const ValueNoise n(31);
    const Rgb far = fromHex(0x7E9866), nearGreen = fromHex(0x4C6C3C), dry = fromHex(0x8A8A5A);
    return paintPixels(W, H, [&](int x, int y) {
        const double depth = y / double(H);
        Rgb c = mix(far, nearGreen, smooth(0.0, 1.0, depth));
        // Patches of drier grass and long soft shadows from clouds.
        c = mix(c, dry, 0.35 * smooth(0.55, 0.8, n.fbm(x / 220.0, y / 120.0, 4)));
        const double cloud = n.fbm(x / 400.0 + 5, y / 260.0, 3) - 0.5;
        // Blades: noise stretched upright, finer towards the viewer.
        const double blades = n.fbm(x / 2.2, y / 12.0, 3) - 0.5;
        c = scale(c, 1.0 + 0.22 * cloud + (0.06 + 0.08 * depth) * blades);
        // A few tiny pale flowers, scattered and never bright.
        const int cx = x / 9, cy = y / 9;
        if (n.cell(cx, cy) > 0.985 && (x % 9) == 4 && (y % 9) == 4)
            c = mix(c, fromHex(0xD8D0A0), 0.45);
        return scale(c, vignette(x, y, W, H, 0.3));
    });
}

QImage beach()
{
    const ValueNoise n(41);
    const Rgb sand = fromHex(0xB9A47E), wetSand = fromHex(0x8E7E62), sea = fromHex(0x4E7E82),
              deep = fromHex(0x35616A), foam = fromHex(0xC9CFC6);
    return paintPixels(W, H, [&](int x, int y) {
        // The waterline wanders across the upper part of the picture.
        const double shore = 120 + 40 * (n.fbm(x / 260.0, 3.3, 3) - 0.5) + 18 * std::sin(x / 130.0);
        const double d = y - shore;
        Rgb c;
        if (d < 0) {
            c = mix(deep, sea, smooth(-120, 0, d));
            c = scale(c, 1.0 + 0.08 * (n.fbm(x / 60.0, y / 14.0, 3) - 0.5));
        } else {
            const double ripple = std::sin(y * 0.16 + x * 0.03 + 7 * n.fbm(x / 120.0, y / 90.0, 3));
            c = mix(wetSand, sand, smooth(0, 70, d));
            c = scale(c, 1.0 + 0.035 * ripple + 0.06 * (n.fbm(x / 140.0, y / 140.0, 3) - 0.5));
        }
        // The lace of foam right at the water's edge.
        const double lace = std::exp(-d * d / 40.0) * (0.4 + 0.6 * n.fbm(x / 18.0, y / 6.0, 3));
        c = mix(c, foam, std::clamp(lace, 0.0, 0.8));
        return scale(c, vignette(x, y, W, H, 0.3));
    });
}

QImage beachFromAbove()
{
    const ValueNoise n(42);
    const Rgb sand = fromHex(0xB7A27C), wet = fromHex(0x8C7C60), shallow = fromHex(0x5F8A86),
              deep = fromHex(0x2F5964), foam = fromHex(0xCBD0C8);
    return paintPixels(W, H, [&](int x, int y) {
        // The sea fills the upper left corner; the shore runs diagonally.
        const double along = (x + y) / std::sqrt(2.0);
        const double d = (x - y * 1.3 - 240) / 1.6 + 35 * (n.fbm(along / 180.0, 1.7, 3) - 0.5);
        Rgb c;
        if (d < 0) {
            c = mix(shallow, deep, smooth(0, 220, -d));
            const double swell = std::sin(d * 0.09 + 4 * n.fbm(along / 90.0, d / 80.0, 2));
            c = scale(c, 1.0 + 0.04 * swell);
        } else {
            c = mix(wet, sand, smooth(0, 90, d));
            c = scale(c, 1.0 + 0.05 * (n.fbm(x / 110.0, y / 110.0, 3) - 0.5) + 0.025 * (n.cell(x, y) - 0.5));
        }
        const double lace = std::exp(-(d + 4) * (d + 4) / 30.0) * (0.3 + 0.7 * n.fbm(along / 14.0, d / 5.0, 3));
        c = mix(c, foam, std::clamp(lace, 0.0, 0.75));
        return scale(c, vignette(x, y, W, H, 0.3));
    });
}

QImage winter()
{
    const ValueNoise n(51);
    const Rgb sky = fromHex(0x8E9CAE), haze = fromHex(0xA7B0BC), snow = fromHex(0x9DABBC),
              snowShade = fromHex(0x73849A), pine = fromHex(0x39474F);
    QImage image = paintPixels(W, H, [&](int x, int y) {
        const double horizon = 150 + 12 * (n.fbm(x / 200.0, 0.5, 3) - 0.5);
        if (y < horizon)
            return mix(sky, haze, smooth(0, horizon, y));
        // Drifts: long soft swells lit from the left.
        const double drift = n.fbm(x / 260.0, (y - horizon) / 55.0, 4);
        Rgb c = mix(snow, snowShade, 0.25 + 0.5 * smooth(0.3, 0.75, drift) + 0.25 * (y - horizon) / (H - horizon));
        return scale(c, 1.0 + 0.02 * (n.cell(x, y) - 0.5));
    });
    // Two rows of pines along the horizon, the farther row paler in the cold air.
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int row = 0; row < 2; ++row) {
        for (int i = 0; i < 64; ++i) {
            const double x = i * 12.9 + n.cell(i, 1 + 10 * row) * 11 + row * 5;
            const double h = (row ? 26 : 18) + n.cell(i, 2 + 10 * row) * (row ? 30 : 20);
            const double base = 150 + 4 * row + 12 * (n.fbm(x / 200.0, 0.5, 3) - 0.5);
            const QColor colour = QColor::fromRgb(toQRgb(mix(pine, haze, (row ? 0.25 : 0.55) + 0.15 * n.cell(i, 3))));
            // Three stacked tiers give the silhouette its ragged fir outline.
            QPainterPath tree;
            for (int tier = 0; tier < 3; ++tier) {
                const double top = base - h + tier * h * 0.28;
                const double width = h * (0.16 + 0.1 * tier);
                tree.moveTo(x, top);
                tree.lineTo(x + width, top + h * 0.42);
                tree.lineTo(x - width, top + h * 0.42);
                tree.closeSubpath();
            }
            tree.addRect(QRectF(x - 1, base - 2, 2, 4));
            tree.setFillRule(Qt::WindingFill);
            p.fillPath(tree, colour);
        }
    }
    p.end();
    // The vignette is applied last so the trees sit in the same light.
    for (int y = 0; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const double v = vignette(x, y, W, H, 0.3);
            line[x] = toQRgb(scale({double(qRed(line[x])), double(qGreen(line[x])), double(qBlue(line[x]))}, v));
        }
    }
    return image;
}

QImage slate()
{
    const ValueNoise n(61);
    const Rgb dark = fromHex(0x2E353A), light = fromHex(0x434D54), vein = fromHex(0x56616A);
    return paintPixels(W, H, [&](int x, int y) {
        // Layered stone: noise squeezed along the bedding planes, which lie slightly askew.
        const double u = x * 0.98 + y * 0.2, v = y * 0.98 - x * 0.2;
        const double layers = n.fbm(u / 320.0, v / 36.0, 5);
        Rgb c = mix(dark, light, smooth(0.15, 0.85, layers));
        // Two faint quartz threads wandering across the grain.
        const double wave = v / 600.0 * 2 + 0.6 * n.fbm(u / 200.0, v / 200.0, 3);
        const double thread = std::abs(std::sin(wave * std::numbers::pi));
        c = mix(c, vein, 0.45 * (1.0 - smooth(0.0, 0.025, thread)));
        return scale(c, (1.0 + 0.03 * (n.cell(x, y) - 0.5)) * vignette(x, y, W, H, 0.3));
    });
}

QImage dusk()
{
    const ValueNoise n(71);
    const Rgb high = fromHex(0x3A3A5C), low = fromHex(0x8A6A6A), hillFar = fromHex(0x4A4660),
              hillNear = fromHex(0x2C2C40);
    return paintPixels(W, H, [&](int x, int y) {
        Rgb c = mix(high, low, smooth(0, 330, y));
        c = scale(c, 1.0 + 0.05 * (n.fbm(x / 250.0, y / 60.0, 3) - 0.5));
        const double far = 300 + 70 * n.fbm(x / 240.0, 1.1, 4);
        const double nearHill = 380 + 90 * n.fbm(x / 320.0, 7.9, 4);
        if (y > far)
            c = mix(hillFar, hillNear, 0.3 * smooth(far, H, y));
        if (y > nearHill)
            c = mix(hillNear, scale(hillNear, 0.8), smooth(nearHill, H, y));
        return scale(c, 1.0 + 0.025 * (n.cell(x, y) - 0.5));
    });
}

}  // namespace

std::vector<Background> backgrounds()
{
    return {
        {"meadow.jpg", meadow},          {"vpokerwood.jpg", darkWood}, {"pkwood.jpg", warmWood},
        {"beach.gif", beach},            {"beach2.jpg", beachFromAbove}, {"winter.jpg", winter},
        {"felt.jpg", feltGreen},         {"vpokerfelt.jpg", feltTeal}, {"vpokerblue.jpg", pokerBlue},
        {"slate.bmp", slate},            {"dusk.jpg", dusk},
    };
}

}  // namespace dm::assets
