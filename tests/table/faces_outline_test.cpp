// Outlined text: what each flag paints, where the text lands, and that the painter is left alone.
#include "table/outline_text.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

using dm::COutlineText;

namespace {

QImage paint(const COutlineText& text, const QString& s, int x = 10, int y = 10)
{
    QImage img(200, 100, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f;
    f.setFamilies({"DejaVu Sans", "Liberation Sans", "Arial"});
    f.setPixelSize(60);
    f.setBold(true);
    p.setFont(f);
    text.DrawText(p, s, x, y);
    return img;
}

// Pixels painted at all, painted solidly, painted solidly in a colour other than the
// allowed ones, and the bounding box of what was painted.
struct Ink {
    int painted = 0, solid = 0, foreign = 0;
    QRect box;
};

Ink inkOf(const QImage& img, std::initializer_list<QColor> allowed = {})
{
    Ink ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb px = img.pixel(x, y);
            if (qAlpha(px) == 0)
                continue;
            ++ink.painted;
            ink.box |= QRect(x, y, 1, 1);
            const auto near = [px](const QColor& c) {
                return std::abs(qRed(px) - c.red()) <= 3 && std::abs(qGreen(px) - c.green()) <= 3 &&
                       std::abs(qBlue(px) - c.blue()) <= 3;
            };
            ink.solid += qAlpha(px) > 200;
            ink.foreign += qAlpha(px) > 200 && std::none_of(allowed.begin(), allowed.end(), near);
        }
    return ink;
}

}  // namespace

TEST(OutlineText, EachFlagPaintsOnlyItsOwnColour)
{
    const QColor white(255, 255, 255), black(0, 0, 0), green(20, 200, 40);
    COutlineText text;  // a white outline over a black fill to start with
    text.setPenWidth(2);
    const QImage both = paint(text, "8");
    const Ink notWhite = inkOf(both, {white}), notBlack = inkOf(both, {black});
    EXPECT_GT(notWhite.solid - notWhite.foreign, 20);  // the outline
    EXPECT_GT(notBlack.solid - notBlack.foreign, 100);  // the fill
    EXPECT_EQ(inkOf(paint(text, "")).painted, 0);

    text.setPenColor(green);
    text.setDrawOutline(false);
    const QImage filled = paint(text, "I");
    const Ink fill = inkOf(filled, {black});
    EXPECT_GT(fill.painted, 200);
    EXPECT_EQ(fill.foreign, 0);

    text.setDrawOutline(true);
    text.setDrawFill(false);
    const QImage outlined = paint(text, "I");
    const Ink outline = inkOf(outlined, {green});
    EXPECT_GT(outline.painted, 50);
    EXPECT_EQ(outline.foreign, 0);
    EXPECT_EQ(qAlpha(outlined.pixel(fill.box.center())), 0);  // the inside of the bold "I" stays empty

    text.setDrawOutline(false);
    EXPECT_EQ(inkOf(paint(text, "100")).painted, 0);
}

TEST(OutlineText, ThePainterIsLeftAsItWas)
{
    QImage img(50, 50, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setPen(QPen(Qt::blue, 3));
    p.setBrush(Qt::yellow);
    COutlineText text;
    text.setPenWidth(4);
    text.DrawText(p, "42", 0, 0);
    EXPECT_EQ(p.pen(), QPen(Qt::blue, 3));
    EXPECT_EQ(p.brush().color(), QColor(Qt::yellow));
}
