// Outlined text: what each flag paints, where the text lands, and that the painter is left alone.
#include "table/outline_text.h"

#include <gtest/gtest.h>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <functional>

using dm::COutlineText;

namespace {

QFont bigFont()
{
    QFont f;
    f.setFamilies({"DejaVu Sans", "Liberation Sans", "Arial"});
    f.setPixelSize(60);
    f.setBold(true);
    return f;
}

QImage paint(const COutlineText& text, const QString& s, int x = 10, int y = 10)
{
    QImage img(200, 100, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(bigFont());
    text.DrawText(p, s, x, y);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

int countPixels(const QImage& img, const std::function<bool(QRgb)>& test)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += test(img.pixel(x, y));
    return n;
}

// Opaque enough to judge its colour, and not within tolerance of the expected one.
bool isForeign(QRgb px, const QColor& expected)
{
    return qAlpha(px) > 200 && (std::abs(qRed(px) - expected.red()) > 3 || std::abs(qGreen(px) - expected.green()) > 3 ||
                                std::abs(qBlue(px) - expected.blue()) > 3);
}

bool painted(QRgb px) { return qAlpha(px) > 0; }

}  // namespace

TEST(OutlineText, StartsAsWhiteOutlineOverBlackFill)
{
    const COutlineText text;
    EXPECT_TRUE(text.DrawOutline());
    EXPECT_TRUE(text.DrawFill());
    EXPECT_EQ(text.PenWidth(), 1);
    EXPECT_EQ(text.PenColor(), QColor(255, 255, 255));
    EXPECT_EQ(text.BrushColor(), QColor(0, 0, 0));
    const QImage img = paint(text, "8");
    EXPECT_GT(countPixels(img, [](QRgb px) { return qAlpha(px) > 100 && qGray(px) > 200; }), 20);
    EXPECT_GT(countPixels(img, [](QRgb px) { return px == qRgb(0, 0, 0); }), 100);
}

TEST(OutlineText, NothingIsPaintedWithBothFlagsOffOrNoText)
{
    COutlineText text;
    EXPECT_EQ(countPixels(paint(text, ""), painted), 0);
    text.setDrawOutline(false);
    text.setDrawFill(false);
    EXPECT_EQ(countPixels(paint(text, "100"), painted), 0);
}

TEST(OutlineText, FillOnlyUsesTheBrushAndOutlineOnlyThePen)
{
    const QColor red(220, 20, 30), green(20, 200, 40);
    COutlineText text;
    text.setBrushColor(red);
    text.setPenColor(green);
    text.setPenWidth(2);

    text.setDrawOutline(false);
    const QImage filled = paint(text, "I");
    EXPECT_GT(countPixels(filled, painted), 200);
    EXPECT_EQ(countPixels(filled, [&](QRgb px) { return isForeign(px, red); }), 0);

    text.setDrawOutline(true);
    text.setDrawFill(false);
    const QImage outlined = paint(text, "I");
    EXPECT_GT(countPixels(outlined, painted), 50);
    EXPECT_EQ(countPixels(outlined, [&](QRgb px) { return isForeign(px, green); }), 0);

    // The inside of the bold "I" stays empty when only its outline is drawn.
    const QRect box = [&] {
        QRect r;
        for (int y = 0; y < filled.height(); ++y)
            for (int x = 0; x < filled.width(); ++x)
                if (painted(filled.pixel(x, y)))
                    r |= QRect(x, y, 1, 1);
        return r;
    }();
    EXPECT_TRUE(painted(filled.pixel(box.center())));
    EXPECT_FALSE(painted(outlined.pixel(box.center())));
}

TEST(OutlineText, TextHangsBelowAndRightOfItsTopLeftCorner)
{
    COutlineText text;
    const QImage img = paint(text, "Tg", 40, 30);
    int top = img.height(), left = img.width();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (painted(img.pixel(x, y))) {
                top = std::min(top, y);
                left = std::min(left, x);
            }
    // Allow for the pen's half width and the glyph's side bearing.
    EXPECT_GE(top, 29);
    EXPECT_LE(top, 45);
    EXPECT_GE(left, 39);
    EXPECT_LE(left, 46);
}

TEST(OutlineText, PainterKeepsItsPenAndBrush)
{
    QImage img(50, 50, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setPen(QPen(Qt::blue, 3));
    p.setBrush(Qt::yellow);
    COutlineText text;
    text.setPenWidth(4);
    text.DrawText(p, "42", 0, 0);
    EXPECT_EQ(p.pen().color(), QColor(Qt::blue));
    EXPECT_EQ(p.pen().width(), 3);
    EXPECT_EQ(p.brush().color(), QColor(Qt::yellow));
}
