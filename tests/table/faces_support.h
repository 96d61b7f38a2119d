#pragma once
// Pixel helpers for the card-face tests: rendering into transparent images and reading ink.
#include "table/cardfaces.h"

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdlib>

namespace dm::facetest {

inline QImage transparentImage(int w, int h, qreal dpr = 1.0)
{
    QImage img(qRound(w * dpr), qRound(h * dpr), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(dpr);
    return img;
}

// A card drawn through the public call, the way the table draws it.
inline QImage drawn(int card, int mode, qreal dpr = 1.0, QRgb colour = 0xFFFFFF)
{
    QImage img = transparentImage(90, 126, dpr);
    QPainter p(&img);
    cdtDraw(p, 0, 0, card, mode, colour);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// Printed pixels: opaque and clearly darker or more saturated than the white card.
inline bool isInk(QRgb px)
{
    return qAlpha(px) > 128 && std::min({qRed(px), qGreen(px), qBlue(px)}) < 150;
}

// The solid middle of a printed stroke, unaffected by tints and soft glows.
inline bool isStrongInk(QRgb px)
{
    return qAlpha(px) > 200 && std::min({qRed(px), qGreen(px), qBlue(px)}) < 60;
}

// Sum of absolute channel differences over two same-sized images, per pixel.
inline double meanDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double sum = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return sum / (x.width() * x.height());
}

// Pixels inside rect where one image has ink and the other has not.
inline int inkMismatch(const QImage& a, const QImage& b, const QRect& rect)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += isInk(a.pixel(x, y)) != isInk(b.pixel(x, y));
    return n;
}

}  // namespace dm::facetest
