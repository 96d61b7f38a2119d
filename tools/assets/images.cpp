#include "images.h"

#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "gif.h"
#include "noise.h"
#include "output.h"
#include "quantize.h"

namespace dm::assets {

namespace {

const QColor kTableGreen(0x2E, 0x6A, 0x45);  // what shows at the rounded corners

// The white card edge all backs share; `pattern` paints the panel inside it.
template <typename Pattern>
QImage framedBack(Pattern pattern)
{
    QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
    image.fill(kTableGreen);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 7, 7);
    p.fillPath(card, Qt::white);
    p.setPen(QPen(QColor(0x9A, 0x9A, 0x9A), 1));
    p.drawPath(card);
    QPainterPath panel;
    const QRectF inner(5, 5, kCardWidth - 10, kCardHeight - 10);
    panel.addRoundedRect(inner, 4, 4);
    p.setClipPath(panel);
    pattern(p, inner);
    return image;
}

QImage tartan()
{
    // One repeat of the sett, in pixels and colours, mirrored about its end as real tartans are.
    struct Band {
        int width;
        QRgb colour;
    };
    const std::vector<Band> sett{{8, 0x1B2E4A}, {2, 0x0F1A2A}, {10, 0x23503A}, {2, 0xB89A3C},
                                 {10, 0x23503A}, {3, 0x7A2A2A}, {6, 0x1B2E4A}};
    int half = 0;
    for (const Band& b : sett)
        half += b.width;
    auto thread = [&](int pos) {
        pos %= 2 * half;
        if (pos >= half)
            pos = 2 * half - 1 - pos;
        for (const Band& b : sett) {
            if (pos < b.width)
                return b.colour;
            pos -= b.width;
        }
        return sett.back().colour;
    };
    return framedBack([&](QPainter& p, const QRectF& inner) {
        QImage cloth(int(inner.width()), int(inner.height()), QImage::Format_RGB32);
        for (int y = 0; y < cloth.height(); ++y)
            for (int x = 0; x < cloth.width(); ++x) {
                // Twill: warp and weft show in alternate diagonal steps.
                const QRgb c = ((x + y) % 4 < 2) ? thread(x) : thread(y);
                cloth.setPixel(x, y, c);
            }
        p.drawImage(inner.topLeft(), cloth);
    });
}

QImage stars()
{
    const ValueNoise n(81);
    return framedBack([&](QPainter& p, const QRectF& inner) {
        QLinearGradient sky(inner.topLeft(), inner.bottomLeft());
        sky.setColorAt(0, QColor(0x14, 0x1C, 0x38));
        sky.setColorAt(1, QColor(0x2A, 0x36, 0x62));
        p.fillRect(inner, sky);
        for (int i = 0; i < 46; ++i) {
            const double x = inner.left() + n.cell(i, 1) * inner.width();
            const double y = inner.top() + n.cell(i, 2) * inner.height();
            const double r = 0.5 + n.cell(i, 3) * 1.0;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xF4, 0xEC, 0xC8, 140 + int(n.cell(i, 4) * 115)));
            p.drawEllipse(QPointF(x, y), r, r);
        }
        // A crescent moon: a pale disc with a sky-coloured bite.
        QPainterPath moon;
        moon.addEllipse(QPointF(58, 32), 13, 13);
        QPainterPath bite;
        bite.addEllipse(QPointF(64, 27), 12, 12);
        p.fillPath(moon.subtracted(bite), QColor(0xF2, 0xE3, 0xA6));
        // Two bright four-pointed stars.
        for (QPointF c : {QPointF(28, 80), QPointF(62, 100)}) {
            QPainterPath star;
            star.moveTo(c + QPointF(0, -7));
            star.lineTo(c + QPointF(1.5, -1.5));
            star.lineTo(c + QPointF(7, 0));
            star.lineTo(c + QPointF(1.5, 1.5));
            star.lineTo(c + QPointF(0, 7));
            star.lineTo(c + QPointF(-1.5, 1.5));
            star.lineTo(c + QPointF(-7, 0));
            star.lineTo(c + QPointF(-1.5, -1.5));
            star.closeSubpath();
            p.fillPath(star, QColor(0xFB, 0xF4, 0xD8));
        }
    });
}

QImage compass()
{
    const ValueNoise n(82);
    return framedBack([&](QPainter& p, const QRectF& inner) {
        QImage parchment(int(inner.width()), int(inner.height()), QImage::Format_RGB32);
        for (int y = 0; y < parchment.height(); ++y)
            for (int x = 0; x < parchment.width(); ++x)
                parchment.setPixel(x, y, toQRgb(scale(fromHex(0xE6D8B8), 0.92 + 0.12 * n.fbm(x / 14.0, y / 14.0, 3))));
        p.drawImage(inner.topLeft(), parchment);

        const QPointF c = inner.center();
        const QColor ink(0x5A, 0x3E, 0x26), red(0x9A, 0x34, 0x2C), navy(0x26, 0x36, 0x5A);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 1.2));
        p.drawEllipse(c, 33, 33);
        p.setPen(QPen(ink, 0.7));
        p.drawEllipse(c, 29, 29);
        // Sixteen ticks between the rings.
        for (int i = 0; i < 16; ++i) {
            const double a = i * std::numbers::pi / 8;
            p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 29, c + QPointF(std::cos(a), std::sin(a)) * 33);
        }
        // The rose: short diagonal points under long cardinal ones, each split light and dark.
        auto point = [&](double angle, double length, double width, QColor dark, QColor light) {
            const QPointF tip = c + QPointF(std::sin(angle), -std::cos(angle)) * length;
            const QPointF side = QPointF(std::cos(angle), std::sin(angle)) * width;
            QPainterPath left, right;
            left.moveTo(c);
            left.lineTo(tip);
            left.lineTo(c - side);
            left.closeSubpath();
            right.moveTo(c);
            right.lineTo(tip);
            right.lineTo(c + side);
            right.closeSubpath();
            p.fillPath(left, light);
            p.fillPath(right, dark);
        };
        const QColor paleInk(0xB8, 0xA0, 0x80);
        for (int i = 0; i < 4; ++i)
            point(std::numbers::pi / 4 + i * std::numbers::pi / 2, 22, 5, ink, paleInk);
        for (int i = 0; i < 4; ++i)
            point(i * std::numbers::pi / 2, 31, 7, i == 0 ? red : navy, QColor(0xF4, 0xEC, 0xD8));
        p.setPen(QPen(ink, 0.8));
        p.setBrush(QColor(0xE6, 0xD8, 0xB8));
        p.drawEllipse(c, 3, 3);
        // Corner flourishes so the design reads upright at a glance.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink, 0.8));
        p.drawRect(inner.adjusted(3, 3, -3, -3));
    });
}

// A polished wooden rail: lit along its outer rounded edge, shaded where it meets the table.
QImage rail(int length, bool vertical, bool innerFirst)
{
    const ValueNoise n(91);
    const Rgb wood = fromHex(0x3C2416);
    const int thick = kRailThickness;
    return paintPixels(vertical ? thick : length, vertical ? length : thick, [&](int x, int y) {
        const int across = vertical ? x : y;
        const int along = vertical ? y : x;
        const double t = (innerFirst ? thick - 1 - across : across) / double(thick - 1);  // 0 outer, 1 inner
        double light = 0.55 + 0.75 * std::exp(-std::pow((t - 0.3) / 0.22, 2)) + 0.2 * (1 - t);
        light += 0.45 * std::exp(-std::pow((t - 0.22) / 0.05, 2));  // the bright polish line
        if (t > 0.88)
            light *= 0.55;  // the shadow on the cloth side
        const double grain = n.fbm(along / 70.0, across / 1.2, 3) - 0.5;
        return scale(wood, light * (1.0 + 0.22 * grain));
    });
}

}  // namespace

std::vector<NamedPicture> cardBacks()
{
    return {{"tartan.png", tartan()}, {"stars.jpg", stars()}, {"compass.bmp", compass()}};
}

std::vector<NamedPicture> frames()
{
    return {{"top.png", rail(800, false, false)},
            {"bottom.png", rail(800, false, true)},
            {"left.png", rail(600, true, false)},
            {"right.png", rail(600, true, true)}};
}

bool savePicture(const QString& path, const QImage& image)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == "gif")
        return writeFileAtomically(path, encodeGif(image));
    if (suffix == "bmp")
        return saveImageAtomically(path, quantize(image), "bmp");  // 8 bits a pixel from a palette
    if (suffix == "jpg" || suffix == "jpeg")
        return saveImageAtomically(path, image, "jpg", 90);
    return saveImageAtomically(path, image, suffix.toLatin1().constData());
}

}  // namespace dm::assets
