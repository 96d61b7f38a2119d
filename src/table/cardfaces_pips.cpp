// Suit symbols, corner indices and the pip layouts of ace to ten.
#include "table/cardfaces_paint.h"

#include <QFont>
#include <QPainterPathStroker>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace dm::faces {

namespace {

// Boolean path operations flatten curves relative to the coordinates, so unit-sized shapes
// are united at a large scale to keep their curves smooth.
QPainterPath smoothUnion(const std::vector<QPainterPath>& parts)
{
    constexpr qreal big = 1000;
    const QTransform up = QTransform::fromScale(big, big);
    QPainterPath result;
    for (const QPainterPath& part : parts)
        result = result.united(up.map(part));
    return QTransform::fromScale(1 / big, 1 / big).map(result);
}

QPainterPath heart()
{
    QPainterPath p;
    p.moveTo(0, 0.5);
    p.cubicTo(-0.12, 0.34, -0.5, 0.14, -0.5, -0.2);
    p.cubicTo(-0.5, -0.4, -0.37, -0.5, -0.25, -0.5);
    p.cubicTo(-0.11, -0.5, -0.03, -0.42, 0, -0.3);
    p.cubicTo(0.03, -0.42, 0.11, -0.5, 0.25, -0.5);
    p.cubicTo(0.37, -0.5, 0.5, -0.4, 0.5, -0.2);
    p.cubicTo(0.5, 0.14, 0.12, 0.34, 0, 0.5);
    p.closeSubpath();
    return p;
}

QPainterPath diamond()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.quadTo(0.13, -0.2, 0.4, 0);
    p.quadTo(0.13, 0.2, 0, 0.5);
    p.quadTo(-0.13, 0.2, -0.4, 0);
    p.quadTo(-0.13, -0.2, 0, -0.5);
    p.closeSubpath();
    return p;
}

// The flared foot shared by clubs and spades.
QPainterPath stem()
{
    QPainterPath p;
    p.moveTo(-0.05, 0.12);
    p.cubicTo(-0.05, 0.32, -0.12, 0.44, -0.24, 0.5);
    p.lineTo(0.24, 0.5);
    p.cubicTo(0.12, 0.44, 0.05, 0.32, 0.05, 0.12);
    p.closeSubpath();
    return p;
}

QPainterPath spade()
{
    QPainterPath p;
    p.moveTo(0, -0.5);
    p.cubicTo(0.16, -0.33, 0.5, -0.14, 0.5, 0.08);
    p.cubicTo(0.5, 0.28, 0.38, 0.36, 0.26, 0.36);
    p.cubicTo(0.14, 0.36, 0.05, 0.29, 0, 0.21);
    p.cubicTo(-0.05, 0.29, -0.14, 0.36, -0.26, 0.36);
    p.cubicTo(-0.38, 0.36, -0.5, 0.28, -0.5, 0.08);
    p.cubicTo(-0.5, -0.14, -0.16, -0.33, 0, -0.5);
    p.closeSubpath();
    return smoothUnion({p, stem()});
}

QPainterPath club()
{
    constexpr qreal r = 0.215;
    QPainterPath top, left, right, core;
    top.addEllipse(QPointF(0, -0.5 + r), r, r);
    left.addEllipse(QPointF(-0.27, 0.06), r, r);
    right.addEllipse(QPointF(0.27, 0.06), r, r);
    core.addPolygon(QPolygonF({QPointF(0, -0.2), QPointF(-0.15, 0.16), QPointF(0.15, 0.16)}));
    core.closeSubpath();
    return smoothUnion({top, left, right, core, stem()});
}

// A condensed bold sans path for the rank, so one glyph box fits every rank, "10" too.
QFont indexFont()
{
    QFont f;
    f.setFamilies({"DejaVu Sans Condensed", "Liberation Sans Narrow", "Nimbus Sans Narrow",
                   "Arial Narrow", "DejaVu Sans", "Arial"});
    f.setStretch(QFont::Condensed);
    f.setWeight(QFont::Black);
    f.setPixelSize(100);
    return f;
}

QString rankText(int rank)
{
    switch (rank) {
    case 1: return QStringLiteral("A");
    case 11: return QStringLiteral("J");
    case 12: return QStringLiteral("Q");
    case 13: return QStringLiteral("K");
    default: return QString::number(rank);
    }
}

// The rank glyph and the cap height it is fitted by, unscaled. Laying out text is by far
// the dearest part of a card face, so each rank is set once per run.
struct RankGlyph {
    QPainterPath glyph;
    QRectF capRect;
};

RankGlyph makeRankGlyph(int rank)
{
    const QFont font = indexFont();
    QPainterPath cap;
    cap.addText(0, 0, font, QStringLiteral("H"));
    QPainterPath glyph;
    const QString text = rankText(rank);
    if (text.size() == 2) {
        // "10": set the digits tight so the pair stays narrow.
        QPainterPath one, zero;
        one.addText(0, 0, font, QStringLiteral("1"));
        zero.addText(0, 0, font, QStringLiteral("0"));
        glyph = one.translated(-one.boundingRect().left(), 0);
        const qreal gap = cap.boundingRect().height() * 0.06;
        glyph.addPath(zero.translated(glyph.boundingRect().right() + gap - zero.boundingRect().left(), 0));
    } else {
        glyph.addText(0, 0, font, text);
    }
    return {glyph, cap.boundingRect()};
}

// The rank glyph fitted to a box by its cap height, so every rank has the same size
// whichever font the system supplies.
QPainterPath rankPath(int rank, const QRectF& box)
{
    static std::array<std::optional<RankGlyph>, 14> glyphs;
    auto& slot = glyphs.at(static_cast<std::size_t>(rank));
    if (!slot)
        slot = makeRankGlyph(rank);
    const QRectF& capRect = slot->capRect;
    const QRectF g = slot->glyph.boundingRect();
    // Glyphs reaching below the baseline (J, Q in some fonts) shrink to stay in the box.
    const qreal sy = box.height() / std::max(capRect.height(), g.bottom() - capRect.top());
    const qreal sx = std::min(sy, box.width() / g.width());
    QTransform t;
    t.translate(box.center().x() - g.center().x() * sx, box.top() - capRect.top() * sy);
    t.scale(sx, sy);
    return t.map(slot->glyph);
}

void paintCornerIndex(QPainter& p, int rank, int suit)
{
    const QColor ink = suitColour(suit);
    p.fillPath(rankPath(rank, QRectF(2.5, 4.5, 11.0, 13.0)), ink);
    paintSuit(p, suit, QPointF(8.0, 26.0), 11.0);
}

struct Pip {
    qreal x;
    qreal y;  // 0 top row .. 1 bottom row
};

// Pip centres per rank in a 3-column grid; rows measured from the top pip to the bottom pip.
std::vector<Pip> pipLayout(int rank)
{
    constexpr qreal L = 0, M = 1, R = 2;
    constexpr qreal third = 1.0 / 3, sixth = 1.0 / 6;
    switch (rank) {
    case 2: return {{M, 0}, {M, 1}};
    case 3: return {{M, 0}, {M, 0.5}, {M, 1}};
    case 4: return {{L, 0}, {R, 0}, {L, 1}, {R, 1}};
    case 5: return {{L, 0}, {R, 0}, {M, 0.5}, {L, 1}, {R, 1}};
    case 6: return {{L, 0}, {R, 0}, {L, 0.5}, {R, 0.5}, {L, 1}, {R, 1}};
    case 7: return {{L, 0}, {R, 0}, {M, 0.25}, {L, 0.5}, {R, 0.5}, {L, 1}, {R, 1}};
    case 8: return {{L, 0}, {R, 0}, {M, 0.25}, {L, 0.5}, {R, 0.5}, {M, 0.75}, {L, 1}, {R, 1}};
    case 9:
        return {{L, 0}, {R, 0}, {L, third}, {R, third}, {M, 0.5},
                {L, 2 * third}, {R, 2 * third}, {L, 1}, {R, 1}};
    case 10:
        return {{L, 0}, {R, 0}, {M, sixth}, {L, third}, {R, third},
                {L, 2 * third}, {R, 2 * third}, {M, 5 * sixth}, {L, 1}, {R, 1}};
    default: return {};
    }
}

// The ace of spades carries the maker's flourish: a large spade in a beaded ring.
void paintAceOfSpades(QPainter& p)
{
    const QPointF c(45, 63);
    const QColor gold(176, 136, 40);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 1.4));
    p.drawEllipse(c, 37, 37);
    p.setPen(QPen(gold, 0.7));
    p.drawEllipse(c, 33, 33);
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    for (int i = 0; i < 36; ++i) {
        if (i % 9 == 0)
            continue;  // the four diamonds sit here
        const qreal a = i * 2 * std::numbers::pi / 36;
        p.drawEllipse(c + QPointF(35 * std::cos(a), 35 * std::sin(a)), 0.9, 0.9);
    }
    p.restore();
    for (int i = 0; i < 4; ++i) {
        const qreal a = i * std::numbers::pi / 2;
        QTransform d;
        d.translate(c.x() + 35 * std::cos(a), c.y() + 35 * std::sin(a));
        d.scale(7, 7);
        p.fillPath(d.map(suitPath(1)), gold);
    }
    paintSuit(p, 3, c + QPointF(0, 1), 54);
    // A small white spade set into the big one.
    QTransform t;
    t.translate(c.x(), c.y() - 4);
    t.scale(15, 15);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.1));
    p.drawPath(t.map(suitPath(3)));
    p.restore();
}

}  // namespace

QPainterPath cardOutline()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, kWidth - 1.0, kHeight - 1.0), kCornerRadius, kCornerRadius);
    return path;
}

void paintEdge(QPainter& p)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(70, 70, 70), 1.0));
    p.drawPath(cardOutline());
    p.restore();
}

const QPainterPath& suitPath(int suit)
{
    static const std::array<QPainterPath, 4> paths = {club(), diamond(), heart(), spade()};
    return paths[static_cast<std::size_t>(suit & 3)];
}

bool isRed(int suit) { return suit == 1 || suit == 2; }

QColor suitColour(int suit) { return isRed(suit) ? QColor(200, 16, 40) : QColor(20, 20, 24); }

void paintSuit(QPainter& p, int suit, QPointF centre, qreal height, bool flipped)
{
    QTransform t;
    t.translate(centre.x(), centre.y());
    if (flipped)
        t.rotate(180);
    t.scale(height, height);
    p.fillPath(t.map(suitPath(suit)), suitColour(suit));
}

void paintIndex(QPainter& p, int rank, int suit)
{
    paintCornerIndex(p, rank, suit);
    p.save();
    p.translate(kWidth, kHeight);
    p.rotate(180);
    paintCornerIndex(p, rank, suit);
    p.restore();
}

void paintPips(QPainter& p, int rank, int suit)
{
    if (rank == 1) {
        if (suit == 3)
            paintAceOfSpades(p);
        else
            paintSuit(p, suit, QPointF(45, 63), 36);
        return;
    }
    constexpr qreal top = 21, bottom = 105;
    constexpr std::array<qreal, 3> columns = {26, 45, 64};
    constexpr qreal pipHeight = 17;
    for (const Pip& pip : pipLayout(rank)) {
        const qreal y = top + pip.y * (bottom - top);
        paintSuit(p, suit, QPointF(columns[static_cast<std::size_t>(pip.x)], y), pipHeight, pip.y > 0.5);
    }
}

}  // namespace dm::faces
