// The card-face library as the table sees it: size, silhouette, what each number shows
// and the pixmap cache.
#include "table/cardfaces.h"

#include "cards/card.h"

#include <gtest/gtest.h>
#include <QPainter>
#include <vector>

using namespace dm;

namespace {

const QRect kRankBox(0, 2, 15, 17);    // rank glyph of the top-left index
const QRect kSuitBox(0, 19, 15, 15);   // suit symbol under it

QImage transparentImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    return img;
}

// A card drawn through the public call at (x, y), the way the table draws it.
QImage drawn(int card, int mode, QRgb colour = 0xFFFFFF, int x = 0, int y = 0)
{
    QImage img = transparentImage(90 + 2 * x, 126 + 2 * y);
    QPainter p(&img);
    cdtDraw(p, x, y, card, mode, colour);
    return img;
}

// Printed pixels: opaque and clearly darker or more saturated than the white card.
bool isInk(QRgb px) { return qAlpha(px) > 128 && std::min({qRed(px), qGreen(px), qBlue(px)}) < 150; }

// Pixels inside rect where one image has ink and the other has not.
int inkMismatch(const QImage& a, const QImage& b, const QRect& rect)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            n += isInk(a.pixel(x, y)) != isInk(b.pixel(x, y));
    return n;
}

bool isCornerClear(const QImage& img, int x0, int y0)
{
    return qAlpha(img.pixel(x0, y0)) == 0 && qAlpha(img.pixel(x0 + 89, y0)) == 0 &&
           qAlpha(img.pixel(x0, y0 + 125)) == 0 && qAlpha(img.pixel(x0 + 89, y0 + 125)) == 0;
}

}  // namespace

TEST(CardFaces, EveryCardIs90By126WithClearCornersAndNothingOutside)
{
    int w = 0, h = 0;
    cdtInit(w, h);
    EXPECT_EQ(QSize(w, h), QSize(90, 126));
    for (const qreal dpr : {1.0, 1.5, 2.0})
        for (const auto& [card, mode] : {std::pair{0, 0}, {51, 2}, {53, 1}, {65, 1}})
            EXPECT_EQ(renderCard(card, mode, dpr).deviceIndependentSize().toSize(), QSize(90, 126)) << card << dpr;
    // Drawn away from the origin, so anything spilling outside the card shows.
    for (int mode = 0; mode <= 2; ++mode)
        for (int card = mode == 1 ? kFirstBack : 0; card <= (mode == 1 ? kLastBack : kDeckSize - 1); ++card) {
            const QImage img = drawn(card, mode, 0xFFFFFF, 7, 5);
            EXPECT_TRUE(isCornerClear(img, 7, 5)) << "card " << card << " mode " << mode;
            EXPECT_EQ(qAlpha(img.pixel(52, 68)), 255) << "card " << card << " mode " << mode;
            EXPECT_EQ(qAlpha(img.pixel(6, 68)) + qAlpha(img.pixel(97, 68)) + qAlpha(img.pixel(52, 131)), 0);
        }
}

TEST(CardFaces, IndexShowsRankAndSuitOfTheCardNumber)
{
    // The rank glyph depends only on the rank, the suit symbol only on the suit: the
    // number's decoding is right when both boxes group the deck the same way it does.
    std::vector<QImage> faces;
    for (int card = 0; card < kDeckSize; ++card)
        faces.push_back(drawn(card, 0));
    for (int a = 0; a < kDeckSize; ++a)
        for (int b = a + 1; b < kDeckSize; ++b) {
            const int rankDiff = inkMismatch(faces[a], faces[b], kRankBox);
            const int suitDiff = inkMismatch(faces[a], faces[b], kSuitBox);
            if (rankOf(a) == rankOf(b) ? rankDiff > 3 : rankDiff < 8)
                ADD_FAILURE() << "rank glyphs of " << cardName(a) << " and " << cardName(b) << ": " << rankDiff;
            if (suitOf(a) == suitOf(b) ? suitDiff > 3 : suitDiff < 8)
                ADD_FAILURE() << "suit symbols of " << cardName(a) << " and " << cardName(b) << ": " << suitDiff;
        }
}

TEST(CardFaces, CacheKeepsPixelRatiosAndColoursApart)
{
    const auto drawnAt = [](qreal dpr) {
        QImage img(qRound(90 * dpr), qRound(126 * dpr), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        img.setDevicePixelRatio(dpr);
        QPainter p(&img);
        cdtDraw(p, 0, 0, 48, 0);
        return img;
    };
    cdtTerm();
    const QImage low = drawnAt(1.0);  // fills the cache at ratio 1 first
    EXPECT_EQ(drawnAt(2.0), renderCard(48, 0, 2.0).convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(drawnAt(1.0), low);
    cdtTerm();
    EXPECT_EQ(drawnAt(1.0), low);  // drawing after a release renders afresh

    const QImage cream = drawn(4, 0, qRgb(255, 240, 200));
    EXPECT_EQ(cream.pixel(45, 63), qRgb(255, 240, 200));  // between the two pips of the two
    EXPECT_EQ(drawn(4, 0).pixel(45, 63), qRgb(255, 255, 255));
    EXPECT_TRUE(isCornerClear(cream, 0, 0));
    EXPECT_EQ(drawn(53, 1, qRgb(255, 240, 200)).pixel(3, 63), qRgb(255, 240, 200));
}
