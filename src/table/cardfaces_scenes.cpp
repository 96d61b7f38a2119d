// Picture backs: a robot, a castle at night, a beach whose wave rolls in, and a sleeve
// with a card sliding out of it. The last two have four frames for the idle stock animation.
#include "table/cardfaces_scenes.h"

#include "table/cardfaces_paint.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <array>
#include <cmath>
#include <numbers>

namespace dm::faces {

namespace {

const QColor kOutline(30, 30, 40);

void paintStars(QPainter& p, const QColor& colour, int seed)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    // A fixed scatter: a small linear congruential walk keeps every back identical.
    unsigned v = static_cast<unsigned>(seed);
    for (int i = 0; i < 26; ++i) {
        v = v * 1103515245u + 12345u;
        const qreal x = kPatternArea.left() + (v >> 8) % 80;
        v = v * 1103515245u + 12345u;
        const qreal y = kPatternArea.top() + (v >> 8) % 60;
        p.drawEllipse(QPointF(x, y), 0.6 + (i % 3) * 0.3, 0.6 + (i % 3) * 0.3);
    }
}

}  // namespace

void paintRobot(QPainter& p)
{
    p.fillRect(kPatternArea, QColor(46, 64, 88));
    p.setPen(QPen(QColor(70, 98, 130), 0.8));
    for (qreal v = 8; v < kHeight; v += 10) {
        p.drawLine(QPointF(0, v), QPointF(kWidth, v));
        p.drawLine(QPointF(v, 0), QPointF(v, kHeight));
    }
    p.setBrush(QColor(120, 170, 220));
    for (qreal v = 8; v < kHeight; v += 20)
        for (qreal w = 8; w < kWidth; w += 20)
            p.drawEllipse(QPointF(w, v), 1.2, 1.2);

    QLinearGradient metal(0, 0, kWidth, 0);
    metal.setColorAt(0, QColor(150, 160, 172));
    metal.setColorAt(0.5, QColor(230, 234, 240));
    metal.setColorAt(1, QColor(140, 150, 164));
    p.setPen(QPen(kOutline, 1));
    // Antenna.
    p.drawLine(QPointF(45, 22), QPointF(45, 14));
    p.setBrush(QColor(250, 80, 60));
    p.drawEllipse(QPointF(45, 13), 2.6, 2.6);
    // Head, ears, eyes, mouth grille.
    p.setBrush(metal);
    p.drawRect(QRectF(25, 40, 4, 8));
    p.drawRect(QRectF(61, 40, 4, 8));
    p.drawRoundedRect(QRectF(29, 22, 32, 28), 5, 5);
    p.setBrush(QColor(255, 220, 60));
    p.drawEllipse(QPointF(38, 33), 4.5, 4.5);
    p.drawEllipse(QPointF(52, 33), 4.5, 4.5);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(38, 33), 1.6, 1.6);
    p.drawEllipse(QPointF(52, 33), 1.6, 1.6);
    p.setBrush(QColor(60, 70, 80));
    p.drawRoundedRect(QRectF(36, 41, 18, 5), 1.5, 1.5);
    p.setPen(QPen(QColor(160, 170, 180), 0.7));
    for (qreal x = 39; x < 54; x += 3)
        p.drawLine(QPointF(x, 41.5), QPointF(x, 45.5));
    // Neck, body with a dial panel, arms and legs.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(metal);
    p.drawRect(QRectF(40, 50, 10, 4));
    p.drawRoundedRect(QRectF(14, 58, 10, 26), 4, 4);
    p.drawRoundedRect(QRectF(66, 58, 10, 26), 4, 4);
    p.drawRect(QRectF(33, 92, 9, 18));
    p.drawRect(QRectF(48, 92, 9, 18));
    p.drawRoundedRect(QRectF(24, 54, 42, 40), 4, 4);
    p.drawRoundedRect(QRectF(30, 108, 14, 6), 2, 2);
    p.drawRoundedRect(QRectF(46, 108, 14, 6), 2, 2);
    p.setBrush(QColor(36, 44, 56));
    p.drawRoundedRect(QRectF(31, 61, 28, 20), 2, 2);
    const std::array<QColor, 3> lights = {QColor(80, 230, 120), QColor(255, 200, 40), QColor(250, 80, 60)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(lights[static_cast<std::size_t>(i)]);
        p.drawEllipse(QPointF(37 + i * 8, 67), 2.2, 2.2);
    }
    p.setPen(QPen(QColor(120, 220, 255), 1));
    p.drawLine(QPointF(34, 76), QPointF(56, 76));
    p.drawLine(QPointF(34, 73), QPointF(44, 73));
}

void paintCastle(QPainter& p)
{
    QLinearGradient sky(0, kPatternArea.top(), 0, kPatternArea.bottom());
    sky.setColorAt(0, QColor(14, 20, 64));
    sky.setColorAt(1, QColor(70, 66, 140));
    p.fillRect(kPatternArea, sky);
    paintStars(p, QColor(255, 250, 220), 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 244, 200));
    p.drawEllipse(QPointF(68, 20), 7, 7);
    p.setBrush(QColor(14, 20, 64));
    p.drawEllipse(QPointF(71, 18), 6, 6);  // the shadow makes a crescent

    QPainterPath hill;
    hill.moveTo(0, 104);
    hill.quadTo(45, 86, kWidth, 104);
    hill.lineTo(kWidth, kHeight);
    hill.lineTo(0, kHeight);
    hill.closeSubpath();
    p.fillPath(hill, QColor(34, 84, 52));

    const QColor stone(150, 148, 160);
    const QColor roof(170, 40, 50);
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(stone);
    const auto battlements = [&](qreal left, qreal top, qreal width) {
        for (qreal x = left; x < left + width - 1; x += 4)
            p.drawRect(QRectF(x, top - 3, 2.4, 3));
    };
    // Curtain wall and keep, with battlements.
    p.drawRect(QRectF(18, 70, 54, 28));
    battlements(18, 70, 54);
    p.drawRect(QRectF(34, 50, 22, 22));
    battlements(34, 50, 22);
    // Towers with conical roofs and pennants.
    for (const qreal x : {12.0, 66.0}) {
        p.setBrush(stone);
        p.drawRect(QRectF(x, 56, 12, 42));
        QPainterPath cone;
        cone.moveTo(x - 2, 56);
        cone.lineTo(x + 6, 38);
        cone.lineTo(x + 14, 56);
        cone.closeSubpath();
        p.setBrush(roof);
        p.drawPath(cone);
        p.drawLine(QPointF(x + 6, 38), QPointF(x + 6, 31));
        QPainterPath flag;
        flag.moveTo(x + 6, 31);
        flag.lineTo(x + 13, 33);
        flag.lineTo(x + 6, 35);
        flag.closeSubpath();
        p.setBrush(QColor(250, 210, 60));
        p.drawPath(flag);
        p.setBrush(QColor(255, 214, 90));
        p.drawRect(QRectF(x + 4.5, 64, 3, 5));
    }
    // Gate and lit windows.
    QPainterPath gate;
    gate.moveTo(39, 98);
    gate.lineTo(39, 86);
    gate.arcTo(QRectF(39, 80, 12, 12), 180, -180);
    gate.lineTo(51, 98);
    gate.closeSubpath();
    p.setBrush(QColor(40, 28, 20));
    p.drawPath(gate);
    p.setBrush(QColor(255, 214, 90));
    p.drawRect(QRectF(38, 56, 4, 6));
    p.drawRect(QRectF(48, 56, 4, 6));
    p.drawRect(QRectF(25, 76, 3, 5));
    p.drawRect(QRectF(62, 76, 3, 5));
}

void paintBeach(QPainter& p, int frame)
{
    QLinearGradient sky(0, kPatternArea.top(), 0, 62);
    sky.setColorAt(0, QColor(70, 150, 230));
    sky.setColorAt(1, QColor(190, 226, 250));
    p.fillRect(kPatternArea, sky);

    // The sun's rays turn a little each frame.
    const QPointF sun(64, 24);
    p.save();
    p.translate(sun);
    p.rotate(frame * 11.25);
    p.setPen(QPen(QColor(255, 200, 40), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        p.drawLine(QPointF(0, -11), QPointF(0, -15));
        p.rotate(45);
    }
    p.restore();
    QRadialGradient glow(sun, 9);
    glow.setColorAt(0, QColor(255, 250, 180));
    glow.setColorAt(1, QColor(255, 200, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, 8, 8);

    // A gull.
    p.setPen(QPen(QColor(40, 50, 70), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(20, 24, 7, 5), 20 * 16, 140 * 16);
    p.drawArc(QRectF(26.5, 24, 7, 5), 20 * 16, 140 * 16);

    // Sea: the crests travel a quarter wave per frame.
    p.fillRect(QRectF(0, 62, kWidth, 30), QColor(30, 110, 180));
    const qreal wave = 16;
    const qreal shift = frame * wave / 4;
    for (int row = 0; row < 3; ++row) {
        const qreal y = 67 + row * 8;
        QPainterPath crest;
        crest.moveTo(-wave * 2 + shift + (row % 2) * wave / 2, y);
        for (qreal x = -wave * 2 + shift + (row % 2) * wave / 2; x < kWidth + wave; x += wave)
            crest.quadTo(x + wave / 4, y - 4, x + wave / 2, y), crest.quadTo(x + wave * 3 / 4, y + 2, x + wave, y);
        p.setPen(QPen(QColor(200, 236, 255), 1.3));
        p.drawPath(crest);
    }
    // Sand, and the foam line running up it and back.
    const std::array<qreal, 4> reach = {0, 4, 7, 3};
    const qreal shore = 90 + reach[static_cast<std::size_t>(frame & 3)];
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(0, 88, kWidth, kHeight), QColor(236, 208, 150));
    QPainterPath foam;
    foam.moveTo(0, 88);
    foam.lineTo(0, shore);
    for (qreal x = 0; x < kWidth; x += 10)
        foam.quadTo(x + 5, shore + 3, x + 10, shore);
    foam.lineTo(kWidth, 88);
    foam.closeSubpath();
    p.fillPath(foam, QColor(245, 250, 255));
    // A parasol and a shell on the sand.
    p.setPen(QPen(QColor(90, 60, 40), 1.2));
    p.drawLine(QPointF(26, 118), QPointF(30, 98));
    QPainterPath canopy;
    canopy.moveTo(16, 102);
    canopy.quadTo(28, 86, 44, 96);
    canopy.closeSubpath();
    p.setPen(QPen(QColor(150, 20, 30), 0.7));
    p.setBrush(QColor(230, 50, 60));
    p.drawPath(canopy);
    p.setBrush(QColor(246, 246, 240));
    p.drawEllipse(QPointF(64, 112), 3, 2);
}

void paintSleeve(QPainter& p, int frame)
{
    QRadialGradient stage(QPointF(45, 50), 80);
    stage.setColorAt(0, QColor(110, 40, 140));
    stage.setColorAt(1, QColor(36, 10, 56));
    p.fillRect(kPatternArea, stage);
    paintStars(p, QColor(250, 220, 255, 200), 3 + frame);

    // The card slides out along the sleeve's line, a little more each frame; it is drawn
    // first so the cuff hides the part still inside.
    p.save();
    p.translate(38, 84);
    p.rotate(-50);
    const qreal out = -26 + frame * 11;
    const QRectF card(out, -12, 34, 24);
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 2.5, 2.5);
    p.setPen(QPen(QColor(200, 16, 40), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(card.adjusted(2, 2, -2, -2), 1.5, 1.5);
    QTransform onCard;
    onCard.translate(card.center().x(), card.center().y());
    onCard.rotate(90);
    onCard.scale(13, 13);
    p.fillPath(onCard.map(suitPath(2)), suitColour(2));

    // Sleeve from the lower left, ending in a ruffled cuff.
    QLinearGradient cloth(0, -16, 0, 16);
    cloth.setColorAt(0, QColor(60, 84, 180));
    cloth.setColorAt(0.5, QColor(34, 50, 130));
    cloth.setColorAt(1, QColor(14, 22, 70));
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(cloth);
    p.drawRect(QRectF(-100, -16, 100, 32));
    p.setBrush(QColor(230, 190, 60));
    p.drawRect(QRectF(-9, -16, 5, 32));
    p.setBrush(QColor(250, 246, 236));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPointF(1, -14 + i * 5.6), 4.4, 3.6);
    p.restore();

    // A sparkle when the card is all the way out.
    if (frame == 3) {
        p.setPen(QPen(QColor(255, 240, 140), 1.3, Qt::SolidLine, Qt::RoundCap));
        const QPointF s(74, 30);
        for (int i = 0; i < 4; ++i) {
            const qreal a = i * std::numbers::pi / 4;
            const QPointF d(6 * std::cos(a), 6 * std::sin(a));
            p.drawLine(s - d, s + d);
        }
    }
}

}  // namespace dm::faces
