// The card-face library as the table sees it: size, silhouette, what each number shows,
// highlighting, backs, animation frames and the pixmap cache.
#include "faces_support.h"

#include "cards/card.h"

#include <gtest/gtest.h>
#include <QPainter>
#include <array>
#include <numeric>
#include <vector>

using namespace dm;
using namespace dm::facetest;

namespace {

const QRect kRankBox(0, 2, 15, 17);    // rank glyph of the top-left index
const QRect kSuitBox(0, 19, 15, 15);   // suit symbol under it
const QRect kHandStrip(0, 0, 16, 36);  // what an overlapped card in a hand still shows
const QRect kPipArea(16, 6, 58, 114);  // between the two indices

// Connected groups of ink pixels (8-neighbourhood) large enough to be a pip.
int countPips(const QImage& img)
{
    std::vector<char> seen(static_cast<size_t>(img.width() * img.height()), 0);
    const auto index = [&](int x, int y) { return static_cast<size_t>(y * img.width() + x); };
    int groups = 0;
    for (int y = kPipArea.top(); y <= kPipArea.bottom(); ++y)
        for (int x = kPipArea.left(); x <= kPipArea.right(); ++x) {
            if (seen[index(x, y)] || !isInk(img.pixel(x, y)))
                continue;
            int size = 0;
            std::vector<QPoint> stack{{x, y}};
            seen[index(x, y)] = 1;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++size;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = p.x() + dx, ny = p.y() + dy;
                        if (!kPipArea.contains(nx, ny) || seen[index(nx, ny)] || !isInk(img.pixel(nx, ny)))
                            continue;
                        seen[index(nx, ny)] = 1;
                        stack.push_back({nx, ny});
                    }
            }
            groups += size >= 10;
        }
    return groups;
}

std::vector<QImage> allFaces(int mode)
{
    std::vector<QImage> faces;
    for (int card = 0; card < kDeckSize; ++card)
        faces.push_back(drawn(card, mode));
    return faces;
}

bool isCornerClear(const QImage& img, int x0, int y0)
{
    const int r = x0 + 89, b = y0 + 125;
    return qAlpha(img.pixel(x0, y0)) == 0 && qAlpha(img.pixel(r, y0)) == 0 &&
           qAlpha(img.pixel(x0, b)) == 0 && qAlpha(img.pixel(r, b)) == 0;
}

}  // namespace

TEST(CardFaces, EveryCardIs90By126AtAnyPixelRatio)
{
    int w = 0, h = 0;
    cdtInit(w, h);
    EXPECT_EQ(w, 90);
    EXPECT_EQ(h, 126);
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        for (const auto& [card, mode] : {std::pair{0, 0}, {51, 2}, {53, 1}, {65, 1}}) {
            const QImage img = renderCard(card, mode, dpr);
            EXPECT_EQ(img.deviceIndependentSize().toSize(), QSize(90, 126)) << card << " at " << dpr;
        }
    }
}

TEST(CardFaces, RoundedCornersStayTransparentAndTheMiddleIsOpaque)
{
    // Drawn away from the origin so the test also sees that nothing spills outside the card.
    for (int mode = 0; mode <= 2; ++mode) {
        const int first = mode == 1 ? kFirstBack : 0;
        const int last = mode == 1 ? kLastBack : kDeckSize - 1;
        for (int card = first; card <= last; ++card) {
            QImage img = transparentImage(110, 140);
            QPainter p(&img);
            cdtDraw(p, 7, 5, card, mode);
            p.end();
            img = img.convertToFormat(QImage::Format_ARGB32);
            EXPECT_TRUE(isCornerClear(img, 7, 5)) << "card " << card << " mode " << mode;
            EXPECT_EQ(qAlpha(img.pixel(7 + 45, 5 + 63)), 255) << "card " << card << " mode " << mode;
            EXPECT_EQ(qAlpha(img.pixel(6, 68)), 0);
            EXPECT_EQ(qAlpha(img.pixel(97, 68)), 0);
            EXPECT_EQ(qAlpha(img.pixel(52, 131)), 0);
        }
    }
}

TEST(CardFaces, PipCountMatchesTheRankInEverySuit)
{
    for (int rank = 2; rank <= 10; ++rank)
        for (int suit = 0; suit < 4; ++suit)
            EXPECT_EQ(countPips(drawn(cardNumber(rank, suit), 0)), rank) << cardName(cardNumber(rank, suit));
}

TEST(CardFaces, IndexShowsRankAndSuitOfTheCardNumber)
{
    // The rank glyph depends only on the rank, the suit symbol only on the suit: the
    // number's decoding is right when both boxes group the deck the same way it does.
    const auto faces = allFaces(0);
    for (int a = 0; a < kDeckSize; ++a) {
        for (int b = a + 1; b < kDeckSize; ++b) {
            const int rankDiff = inkMismatch(faces[a], faces[b], kRankBox);
            const int suitDiff = inkMismatch(faces[a], faces[b], kSuitBox);
            if (rankOf(a) == rankOf(b))
                EXPECT_LE(rankDiff, 3) << cardName(a) << " vs " << cardName(b);
            else
                EXPECT_GE(rankDiff, 8) << cardName(a) << " vs " << cardName(b);
            if (suitOf(a) == suitOf(b))
                EXPECT_LE(suitDiff, 3) << cardName(a) << " vs " << cardName(b);
            else
                EXPECT_GE(suitDiff, 8) << cardName(a) << " vs " << cardName(b);
        }
    }
}

// Shape of the top pip of a two, measured at three times the size: ink runs per row.
struct SuitShape {
    bool foot;   // a broad flat base (clubs, spades)
    bool cleft;  // two lobes at the top (hearts)
    bool roundTop;  // a broad round top rather than a point (clubs)
};

SuitShape shapeOfTopPip(int suit)
{
    const QImage img = renderCard(cardNumber(2, suit), 0, 3.0).convertToFormat(QImage::Format_ARGB32);
    const QRect area(3 * 30, 3 * 10, 3 * 30, 3 * 22);
    std::vector<std::vector<int>> runs;  // per ink row: the run lengths
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::vector<int> row;
        int run = 0;
        for (int x = area.left(); x <= area.right() + 1; ++x) {
            if (x <= area.right() && isInk(img.pixel(x, y))) {
                ++run;
            } else if (run > 0) {
                row.push_back(run);
                run = 0;
            }
        }
        if (!row.empty())
            runs.push_back(row);
    }
    const auto width = [](const std::vector<int>& row) { return std::accumulate(row.begin(), row.end(), 0); };
    const double height = static_cast<double>(runs.size());
    const auto& nearTop = runs[static_cast<size_t>(height * 0.06)];
    return {width(runs.back()) > 0.3 * height, nearTop.size() == 2,
            width(nearTop) > 0.24 * height};
}

TEST(CardFaces, SuitSymbolsHaveTheirOwnShapes)
{
    const SuitShape club = shapeOfTopPip(0), diamond = shapeOfTopPip(1), heart = shapeOfTopPip(2),
                    spade = shapeOfTopPip(3);
    EXPECT_TRUE(club.foot && !club.cleft && club.roundTop);
    EXPECT_TRUE(!diamond.foot && !diamond.cleft && !diamond.roundTop);
    EXPECT_TRUE(!heart.foot && heart.cleft);
    EXPECT_TRUE(spade.foot && !spade.cleft && !spade.roundTop);
}

TEST(CardFaces, EveryCardCanBeToldApartFromItsOverlappedStrip)
{
    const auto faces = allFaces(0);
    for (int a = 0; a < kDeckSize; ++a)
        for (int b = a + 1; b < kDeckSize; ++b)
            EXPECT_GT(meanDifference(faces[a].copy(kHandStrip), faces[b].copy(kHandStrip)), 3.0)
                << cardName(a) << " vs " << cardName(b);
}

TEST(CardFaces, RedSuitsPrintRedAndBlackSuitsPrintDark)
{
    for (int card = 0; card < kDeckSize; ++card) {
        const QImage img = drawn(card, 0);
        const bool red = suitOf(card) == 1 || suitOf(card) == 2;
        int inkPixels = 0;
        for (int y = kHandStrip.top(); y <= kHandStrip.bottom(); ++y)
            for (int x = 0; x < 14; ++x) {
                const QRgb px = img.pixel(x, y);
                if (!isStrongInk(px))
                    continue;
                ++inkPixels;
                if (red)
                    EXPECT_GT(qRed(px), qGreen(px) + 100) << cardName(card);
                else
                    EXPECT_LT(std::max({qRed(px), qGreen(px), qBlue(px)}), 70) << cardName(card);
            }
        EXPECT_GT(inkPixels, 40) << cardName(card);
    }
}

TEST(CardFaces, CourtCardsAreTwelveDifferentPictures)
{
    std::vector<QImage> courts;
    for (int rank = 11; rank <= 13; ++rank)
        for (int suit = 0; suit < 4; ++suit)
            courts.push_back(drawn(cardNumber(rank, suit), 0).copy(kPipArea));
    for (size_t a = 0; a < courts.size(); ++a)
        for (size_t b = a + 1; b < courts.size(); ++b)
            EXPECT_GT(meanDifference(courts[a], courts[b]), 20.0) << a << " vs " << b;
}

TEST(CardFaces, HighlightVisiblyChangesEveryFace)
{
    for (int card = 0; card < kDeckSize; ++card) {
        const QImage plain = drawn(card, 0);
        const QImage marked = drawn(card, 2);
        EXPECT_GT(meanDifference(plain, marked), 25.0) << cardName(card);
        // Still readable: the glow stays clear of the strokes of the rank.
        int lost = 0;
        for (int y = kRankBox.top(); y <= kRankBox.bottom(); ++y)
            for (int x = 3; x <= kRankBox.right(); ++x)
                lost += isStrongInk(plain.pixel(x, y)) && !isStrongInk(marked.pixel(x, y));
        EXPECT_EQ(lost, 0) << cardName(card);
    }
}

TEST(CardFaces, BackDesignsAreAllDifferentAndNamed)
{
    const std::array<const char*, 13> names = {"Hatch", "Plaid", "Weave", "Robot", "Roses", "IvyBlack", "IvyBlue",
                                               "FishCyan", "FishBlue", "Shell", "Castle", "Beach", "Sleeve"};
    std::vector<QImage> backs;
    for (int d = kFirstBack; d <= kLastBack; ++d) {
        EXPECT_STREQ(backDesignName(d), names[static_cast<size_t>(d - kFirstBack)]);
        backs.push_back(drawn(d, 1));
        // The white border frames every pattern.
        EXPECT_EQ(backs.back().pixel(3, 63), qRgb(255, 255, 255)) << d;
    }
    EXPECT_STREQ(backDesignName(52), "");
    EXPECT_STREQ(backDesignName(66), "");
    for (size_t a = 0; a < backs.size(); ++a)
        for (size_t b = a + 1; b < backs.size(); ++b)
            EXPECT_GT(meanDifference(backs[a], backs[b]), 30.0) << names[a] << " vs " << names[b];
}

TEST(CardFaces, AnimatedBacksHaveFourDistinctFramesStartingFromTheStill)
{
    for (const int design : {kBeachBack, kSleeveBack}) {
        std::vector<QImage> frames;
        for (int f = 0; f < kAnimationFrames; ++f) {
            QImage img = transparentImage(100, 132);
            QPainter p(&img);
            cdtAnimate(p, design, 6, 3, f);
            p.end();
            frames.push_back(img.convertToFormat(QImage::Format_ARGB32));
            EXPECT_TRUE(isCornerClear(frames.back(), 6, 3));
        }
        for (int a = 0; a < kAnimationFrames; ++a)
            for (int b = a + 1; b < kAnimationFrames; ++b)
                EXPECT_GT(meanDifference(frames[a], frames[b]), 1.0) << design << ": " << a << " vs " << b;
        // The first frame is the back as drawn face down, so the animation starts seamlessly.
        EXPECT_EQ(frames[0].copy(6, 3, 90, 126), drawn(design, 1));
    }
}

TEST(CardFaces, OutOfRangeRequestsDrawNothing)
{
    const QImage empty = transparentImage(90, 126).convertToFormat(QImage::Format_ARGB32);
    const std::array<std::pair<int, int>, 8> bad = {{{-1, 0}, {52, 0}, {kNoCard, 0}, {52, 1}, {66, 1}, {0, 1},
                                                     {10, 3}, {53, -1}}};
    for (const auto& [card, mode] : bad)
        EXPECT_EQ(drawn(card, mode), empty) << card << " mode " << mode;
    for (const auto& [design, frame] : {std::pair{53, 0}, {63, 1}, {64, 4}, {65, -1}}) {
        QImage img = transparentImage(90, 126);
        QPainter p(&img);
        cdtAnimate(p, design, 0, 0, frame);
        p.end();
        EXPECT_EQ(img.convertToFormat(QImage::Format_ARGB32), empty) << design << " frame " << frame;
    }
    EXPECT_TRUE(renderCard(52, 0).isNull());
}

TEST(CardFaces, CacheServesEachPixelRatioItsOwnSharpRendering)
{
    cdtTerm();
    const QImage low = drawn(48, 0, 1.0);  // fills the cache at ratio 1 first
    const QImage high = drawn(48, 0, 2.0);
    EXPECT_EQ(high.size(), QSize(180, 252));
    EXPECT_EQ(high, renderCard(48, 0, 2.0).convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(low, drawn(48, 0, 1.0));
    cdtTerm();
    EXPECT_EQ(low, drawn(48, 0, 1.0));  // drawing after a release renders afresh
}

TEST(CardFaces, BaseColourTintsTheCardButNotTheCorners)
{
    const QImage cream = drawn(4, 0, 1.0, qRgb(255, 240, 200));
    EXPECT_EQ(cream.pixel(45, 63), qRgb(255, 240, 200));  // between the two pips of the two
    EXPECT_EQ(drawn(4, 0).pixel(45, 63), qRgb(255, 255, 255));
    EXPECT_TRUE(isCornerClear(cream, 0, 0));
    EXPECT_EQ(drawn(53, 1, 1.0, qRgb(255, 240, 200)).pixel(3, 63), qRgb(255, 240, 200));
}
