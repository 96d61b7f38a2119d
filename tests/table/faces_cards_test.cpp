// The card-face library as the table sees it: size, silhouette, colour and the pixmap cache.
#include "table/cardfaces.h"

#include "cards/card.h"

#include <gtest/gtest.h>
#include <QPainter>
#include <algorithm>

using namespace dm;

namespace {

// A card drawn through the public call at (x, y) on a ratio-dpr image, the way the table draws it.
QImage drawn(int card, int mode, QRgb colour = 0xFFFFFF, int x = 0, int y = 0, qreal dpr = 1.0)
{
    QImage img(qRound((90 + 2 * x) * dpr), qRound((126 + 2 * y) * dpr), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    img.setDevicePixelRatio(dpr);
    QPainter p(&img);
    cdtDraw(p, x, y, card, mode, colour);
    return img;
}

}  // namespace

TEST(CardFaces, EveryCardIs90By126WithClearCornersAndNothingOutside)
{
    // Drawn away from the origin, so anything spilling outside the card shows.
    for (int mode = 0; mode <= 2; ++mode)
        for (int card = mode == 1 ? kFirstBack : 0; card <= (mode == 1 ? kLastBack : kDeckSize - 1); ++card) {
            SCOPED_TRACE(testing::Message() << "card " << card << " mode " << mode);
            const QImage img = drawn(card, mode, 0xFFFFFF, 7, 5);
            EXPECT_EQ(qAlpha(img.pixel(52, 68)), 255);  // the middle is solid; corners and outside are clear
            EXPECT_EQ(qAlpha(img.pixel(7, 5)) + qAlpha(img.pixel(96, 5)) + qAlpha(img.pixel(7, 130)) +
                          qAlpha(img.pixel(96, 130)) + qAlpha(img.pixel(6, 68)) + qAlpha(img.pixel(97, 68)) +
                          qAlpha(img.pixel(52, 131)), 0);
        }
}

// Each face names itself in its top-left corner, and again upside down in the bottom-right.
TEST(CardFaces, CornerIndicesTellAllFiftyTwoApartAndAppearTwice)
{
    const QRect top(3, 4, 12, 30), bottom = top.translated(90 - 2 * top.x() - top.width(), 126 - 2 * top.y() - top.height());
    std::vector<QImage> seen;
    for (int card = 0; card < kDeckSize; ++card) {
        const QImage face = renderCard(card, 0).convertToFormat(QImage::Format_RGB32);
        const QImage index = face.copy(top), turned = face.copy(bottom).mirrored(true, true);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), index), 0) << "card " << card;
        seen.push_back(index);
        int worst = 0;  // the two differ only by the smoothing of their edges
        for (int y = 0; y < index.height(); ++y)
            for (int x = 0; x < index.width(); ++x)
                for (int shift : {0, 8, 16})
                    worst = std::max(worst, std::abs(int(index.pixel(x, y) >> shift & 0xFF) - int(turned.pixel(x, y) >> shift & 0xFF)));
        EXPECT_LE(worst, 8) << "card " << card;
    }
}

TEST(CardFaces, CacheKeepsPixelRatiosAndColoursApart)
{
    cdtTerm();
    const QImage low = drawn(48, 0);  // fills the cache at ratio 1 first
    EXPECT_EQ(drawn(48, 0, 0xFFFFFF, 0, 0, 2.0), renderCard(48, 0, 2.0).convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(drawn(48, 0), low);
    cdtTerm();
    EXPECT_EQ(drawn(48, 0), low);  // drawing after a release renders afresh
    for (const qreal dpr : {1.0, 1.5, 2.0})
        EXPECT_EQ(renderCard(53, 1, dpr).deviceIndependentSize().toSize(), QSize(90, 126)) << dpr;

    EXPECT_EQ(drawn(4, 0, qRgb(255, 240, 200)).pixel(45, 63), qRgb(255, 240, 200));  // between the two's pips
    EXPECT_EQ(drawn(53, 1, qRgb(255, 240, 200)).pixel(3, 63), qRgb(255, 240, 200));
}
