// Card-face library entry points: validation, the pixmap cache and the face/back dispatch.
#include "table/cardfaces.h"

#include "cards/card.h"
#include "table/cardfaces_paint.h"

#include <QPaintDevice>
#include <QPixmap>
#include <array>
#include <map>
#include <tuple>

namespace dm {

namespace {

constexpr int kFaceMode = 0;
constexpr int kBackMode = 1;
constexpr int kHighlightMode = 2;
constexpr QRgb kWhite = 0xFFFFFF;

constexpr std::array<const char*, kLastBack - kFirstBack + 1> kBackNames = {
    "Hatch", "Plaid", "Weave", "Robot", "Roses", "IvyBlack", "IvyBlue",
    "FishCyan", "FishBlue", "Shell", "Castle", "Beach", "Sleeve"};

bool isAnimated(int design) { return design == kBeachBack || design == kSleeveBack; }

bool validRequest(int card, int mode, int frame)
{
    if (frame < 0 || frame >= kAnimationFrames)
        return false;
    if (mode == kBackMode)
        return card >= kFirstBack && card <= kLastBack && (frame == 0 || isAnimated(card));
    if (mode == kFaceMode || mode == kHighlightMode)
        return card >= 0 && card < kDeckSize && frame == 0;
    return false;
}

// The loser's cards at the end of a hand: a warm wash and a glowing orange rim, kept
// inside the card so the corners stay transparent.
void paintHighlight(QPainter& p)
{
    const QPainterPath outline = faces::cardOutline();
    p.save();
    p.setClipPath(outline);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.fillPath(outline, QColor(255, 226, 150));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setBrush(Qt::NoBrush);
    const std::array<std::pair<qreal, QColor>, 3> glow = {{
        {7.0, QColor(255, 150, 20, 70)},
        {4.5, QColor(255, 120, 0, 140)},
        {2.2, QColor(225, 70, 0, 255)},
    }};
    for (const auto& [width, colour] : glow) {
        p.setPen(QPen(colour, width));
        p.drawPath(outline);
    }
    p.restore();
}

void paintCard(QPainter& p, int card, int mode, const QColor& base, int frame)
{
    if (mode == kBackMode) {
        faces::paintBack(p, card, frame, base);
        return;
    }
    const int rank = rankOf(card);
    const int suit = suitOf(card);
    const QPainterPath outline = faces::cardOutline();
    p.fillPath(outline, base);
    if (rank > 10)
        faces::paintCourt(p, rank, suit);
    else
        faces::paintPips(p, rank, suit);
    faces::paintIndex(p, rank, suit);
    faces::paintEdge(p);
    if (mode == kHighlightMode)
        paintHighlight(p);
}

using CacheKey = std::tuple<int, int, int, qreal, QRgb>;

// The one cache of rendered cards; drawing a hand only copies pixmaps out of it.
std::map<CacheKey, QPixmap>& pixmapCache()
{
    static std::map<CacheKey, QPixmap> cache;
    return cache;
}

qreal ratioOf(const QPainter& target)
{
    const QPaintDevice* device = target.device();
    return device ? device->devicePixelRatioF() : 1.0;
}

void drawCached(QPainter& target, int x, int y, int card, int mode, QRgb colour, int frame)
{
    if (!validRequest(card, mode, frame))
        return;
    const qreal dpr = ratioOf(target);
    auto& cache = pixmapCache();
    const CacheKey key{card, mode, frame, dpr, colour};
    auto it = cache.find(key);
    if (it == cache.end()) {
        QPixmap pixmap = QPixmap::fromImage(renderCard(card, mode, dpr, colour, frame));
        pixmap.setDevicePixelRatio(dpr);
        it = cache.emplace(key, std::move(pixmap)).first;
    }
    target.drawPixmap(x, y, it->second);
}

}  // namespace

const char* backDesignName(int design)
{
    if (design < kFirstBack || design > kLastBack)
        return "";
    return kBackNames[static_cast<std::size_t>(design - kFirstBack)];
}

void cdtInit(int& width, int& height)
{
    width = faces::kWidth;
    height = faces::kHeight;
}

void cdtDraw(QPainter& target, int x, int y, int card, int mode, QRgb colour)
{
    drawCached(target, x, y, card, mode, colour, 0);
}

void cdtAnimate(QPainter& target, int backDesign, int x, int y, int frame)
{
    if (!isAnimated(backDesign))
        return;
    drawCached(target, x, y, backDesign, kBackMode, kWhite, frame);
}

void cdtTerm() { pixmapCache().clear(); }

QImage renderCard(int card, int mode, qreal devicePixelRatio, QRgb colour, int frame)
{
    if (!validRequest(card, mode, frame) || devicePixelRatio <= 0.0)
        return {};
    const QSize size(qRound(faces::kWidth * devicePixelRatio), qRound(faces::kHeight * devicePixelRatio));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    paintCard(p, card, mode, QColor::fromRgb(colour), frame);
    return image;
}

QImage cardShaped(const QImage& picture)
{
    if (picture.isNull())
        return {};
    // A small picture is first brought to card size, so its corners are as round as a card's.
    const QSize card(faces::kWidth, faces::kHeight);
    const bool small = picture.width() < card.width() || picture.height() < card.height();
    QImage shaped = (small ? picture.scaled(card, Qt::IgnoreAspectRatio, Qt::SmoothTransformation) : picture)
                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // A whole-picture mask: a composition mode acts only where the source covers.
    QImage mask(shaped.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter m(&mask);
        m.setRenderHint(QPainter::Antialiasing);
        m.scale(qreal(mask.width()) / faces::kWidth, qreal(mask.height()) / faces::kHeight);
        m.fillPath(faces::cardOutline(), Qt::black);
    }
    QPainter p(&shaped);
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    p.drawImage(0, 0, mask);
    return shaped;
}

}  // namespace dm
