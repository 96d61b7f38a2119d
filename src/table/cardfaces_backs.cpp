// Card backs: a white border round one of thirteen patterns. The repeating patterns live
// here; the picture backs (robot, castle, beach, sleeve) in cardfaces_scenes.cpp.
#include "table/cardfaces_paint.h"
#include "table/cardfaces_scenes.h"

#include <QLinearGradient>
#include <cmath>
#include <numbers>
#include <functional>

namespace dm::faces {

namespace {

// Calls draw at the centre of every cell of a grid covering the pattern area; odd rows
// shift by half a cell when staggered.
void tile(QPainter& p, qreal stepX, qreal stepY, bool staggered, const std::function<void(QPointF, int)>& draw)
{
    int row = 0;
    for (qreal y = kPatternArea.top() - stepY; y < kPatternArea.bottom() + stepY; y += stepY, ++row) {
        const qreal shift = (staggered && row % 2 != 0) ? stepX / 2 : 0;
        for (qreal x = kPatternArea.left() - stepX + shift; x < kPatternArea.right() + stepX; x += stepX)
            draw(QPointF(x, y), row);
    }
}

void paintHatch(QPainter& p)
{
    p.fillRect(kPatternArea, QColor(26, 58, 138));
    p.setPen(QPen(QColor(118, 156, 226), 1.0));
    for (qreal d = -130; d < 130; d += 7) {
        p.drawLine(QPointF(d, 0), QPointF(d + 130, 130));
        p.drawLine(QPointF(d + 130, 0), QPointF(d, 130));
    }
    p.setPen(QPen(QColor(230, 236, 250), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(kPatternArea.adjusted(4, 4, -4, -4), 3, 3);
}

void paintPlaid(QPainter& p)
{
    p.fillRect(kPatternArea, QColor(156, 26, 32));
    const auto stripes = [&](qreal width, qreal offset, qreal step, const QColor& c) {
        for (qreal v = offset; v < kHeight; v += step) {
            p.fillRect(QRectF(v, 0, width, kHeight), c);
            p.fillRect(QRectF(0, v, kWidth, width), c);
        }
    };
    stripes(12, 2, 28, QColor(16, 84, 48, 150));
    stripes(3, 20, 28, QColor(18, 28, 64, 170));
    stripes(1, 11, 14, QColor(246, 206, 70, 200));
}

void paintWeave(QPainter& p)
{
    p.fillRect(kPatternArea, QColor(64, 40, 22));
    constexpr qreal cell = 12;
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 12; ++j) {
            const QRectF c(i * cell, j * cell, cell, cell);
            const bool across = (i + j) % 2 == 0;
            for (int k = 0; k < 2; ++k) {
                const QRectF strand = across ? QRectF(c.left() + 0.5, c.top() + 1 + k * 5.5, cell - 1, 4.5)
                                             : QRectF(c.left() + 1 + k * 5.5, c.top() + 0.5, 4.5, cell - 1);
                QLinearGradient g(strand.topLeft(), across ? strand.bottomLeft() : strand.topRight());
                g.setColorAt(0, QColor(236, 200, 140));
                g.setColorAt(1, QColor(176, 126, 66));
                p.setPen(Qt::NoPen);
                p.setBrush(g);
                p.drawRoundedRect(strand, 1.5, 1.5);
            }
        }
    }
}

void paintRoses(QPainter& p)
{
    p.fillRect(kPatternArea, QColor(250, 230, 234));
    tile(p, 22, 20, true, [&](QPointF c, int) {
        QPainterPath leaf;
        leaf.moveTo(0, 0);
        leaf.quadTo(5, -4, 11, 0);
        leaf.quadTo(5, 4, 0, 0);
        p.save();
        p.translate(c);
        p.fillPath(QTransform().rotate(20).map(leaf), QColor(60, 130, 70));
        p.fillPath(QTransform().rotate(200).map(leaf), QColor(60, 130, 70));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(198, 28, 58));
        p.drawEllipse(QPointF(0, 0), 6.2, 6.2);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(120, 10, 30), 0.9));
        // Petals as a tightening spiral of arcs.
        for (int k = 0; k < 3; ++k) {
            const qreal r = 5.0 - k * 1.6;
            p.drawArc(QRectF(-r, -r, 2 * r, 2 * r), (k * 110) * 16, 250 * 16);
        }
        p.restore();
    });
}

QPainterPath ivyLeaf()
{
    QPainterPath leaf;
    leaf.moveTo(0, 0);
    leaf.cubicTo(-4, -1, -7, -4, -5, -7);
    leaf.cubicTo(-4, -9, -1, -9, 0, -12);
    leaf.cubicTo(1, -9, 4, -9, 5, -7);
    leaf.cubicTo(7, -4, 4, -1, 0, 0);
    leaf.closeSubpath();
    return leaf;
}

void paintIvy(QPainter& p, const QColor& ground, const QColor& leafColour, const QColor& vein)
{
    p.fillRect(kPatternArea, ground);
    const QPainterPath leaf = ivyLeaf();
    for (int v = 0; v < 3; ++v) {
        const qreal baseX = 18 + v * 27;
        QPainterPath vine;
        vine.moveTo(baseX, 0);
        for (qreal y = 0; y <= kHeight; y += 2)
            vine.lineTo(baseX + 6 * std::sin((y + v * 20) / 11.0), y);
        p.setPen(QPen(leafColour.darker(170), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(vine);
        int side = v % 2 == 0 ? 1 : -1;
        for (qreal y = 6 + v * 5; y < kHeight; y += 13, side = -side) {
            const qreal x = baseX + 6 * std::sin((y + v * 20) / 11.0);
            QTransform t;
            t.translate(x, y);
            t.rotate(side * 70);
            p.fillPath(t.map(leaf), leafColour);
            p.setPen(QPen(vein, 0.6));
            p.drawLine(t.map(QPointF(0, 0)), t.map(QPointF(0, -9)));
        }
    }
}

void paintFish(QPainter& p, const QColor& water, const QColor& body, const QColor& fin, const QColor& bubble)
{
    p.fillRect(kPatternArea, water);
    tile(p, 30, 18, true, [&](QPointF c, int row) {
        p.save();
        p.translate(c);
        if (row % 2 != 0)
            p.scale(-1, 1);  // every other shoal swims the other way
        QPainterPath tail;
        tail.moveTo(5, 0);
        tail.lineTo(11, -5);
        tail.lineTo(11, 5);
        tail.closeSubpath();
        p.fillPath(tail, fin);
        p.setPen(QPen(fin.darker(140), 0.6));
        p.setBrush(body);
        p.drawEllipse(QPointF(-1, 0), 8, 4.6);
        p.setPen(QPen(fin, 0.8));
        p.drawArc(QRectF(-2, -4, 5, 8), -60 * 16, 120 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(-5.5, -1), 1.6, 1.6);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(-5.8, -1), 0.8, 0.8);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(bubble, 0.6));
        p.drawEllipse(QPointF(-12, -6), 1.3, 1.3);
        p.drawEllipse(QPointF(-14, -9), 0.9, 0.9);
        p.restore();
    });
}

void paintShell(QPainter& p)
{
    p.fillRect(kPatternArea, QColor(248, 226, 204));
    tile(p, 20, 16, true, [&](QPointF c, int) {
        QPainterPath fan;
        fan.moveTo(c + QPointF(0, 7));
        fan.arcTo(QRectF(c.x() - 9, c.y() - 9, 18, 18), 200, -220);
        fan.closeSubpath();
        QLinearGradient g(c + QPointF(0, -9), c + QPointF(0, 7));
        g.setColorAt(0, QColor(246, 180, 160));
        g.setColorAt(1, QColor(214, 120, 110));
        p.setPen(QPen(QColor(150, 70, 60), 0.7));
        p.setBrush(g);
        p.drawPath(fan);
        for (int k = -3; k <= 3; ++k) {
            const qreal a = (90 + k * 27) * std::numbers::pi / 180;
            p.drawLine(c + QPointF(0, 7), c + QPointF(8 * std::cos(a), -8 * std::sin(a)));
        }
        p.setBrush(QColor(214, 120, 110));
        p.drawRect(QRectF(c.x() - 2.5, c.y() + 5.5, 5, 3));
    });
}

}  // namespace

void paintBack(QPainter& p, int design, int frame, const QColor& border)
{
    const QPainterPath outline = cardOutline();
    p.save();
    p.fillPath(outline, border);
    QPainterPath inner;
    inner.addRoundedRect(kPatternArea, 4, 4);
    p.setClipPath(inner);
    switch (design) {
    case 53: paintHatch(p); break;
    case 54: paintPlaid(p); break;
    case 55: paintWeave(p); break;
    case 56: paintRobot(p); break;
    case 57: paintRoses(p); break;
    case 58: paintIvy(p, QColor(16, 16, 18), QColor(64, 150, 70), QColor(150, 210, 140)); break;
    case 59: paintIvy(p, QColor(22, 44, 118), QColor(110, 190, 100), QColor(210, 240, 190)); break;
    case 60: paintFish(p, QColor(72, 200, 214), QColor(250, 150, 40), QColor(230, 90, 30), QColor(235, 255, 255)); break;
    case 61: paintFish(p, QColor(18, 44, 120), QColor(196, 210, 230), QColor(110, 140, 200), QColor(140, 180, 240)); break;
    case 62: paintShell(p); break;
    case 63: paintCastle(p); break;
    case 64: paintBeach(p, frame); break;
    case 65: paintSleeve(p, frame); break;
    default: break;
    }
    p.setClipping(false);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 90), 0.8));
    p.drawPath(inner);
    p.restore();
    paintEdge(p);
}

}  // namespace dm::faces
