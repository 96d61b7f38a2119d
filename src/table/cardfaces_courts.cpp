// Jacks, queens and kings: a double-ended half figure in a framed panel. The rank sets the
// headwear, the garment and what the figure holds; the suit sets colours, emblem and side.
#include "table/cardfaces_paint.h"

#include <QPainterPathStroker>
#include <array>

namespace dm::faces {

namespace {

constexpr int kJack = 11;
constexpr int kQueen = 12;
constexpr int kKing = 13;

const QRectF kFrame(15.5, 9.5, 59, 107);
constexpr qreal kMidY = 63;  // where the two halves meet

const QColor kGold(214, 168, 48);
const QColor kGoldDark(150, 110, 20);
const QColor kSkin(246, 212, 176);
const QColor kInk(40, 30, 30);
const QColor kPanel(255, 249, 232);

struct Palette {
    QColor robe;
    QColor band;
    QColor hair;
};

const Palette& paletteOf(int suit)
{
    static const std::array<Palette, 4> palettes = {{
        {QColor(30, 110, 62), QColor(232, 182, 40), QColor(50, 35, 25)},    // clubs
        {QColor(36, 72, 166), QColor(232, 120, 30), QColor(226, 186, 80)},  // diamonds
        {QColor(176, 24, 46), QColor(232, 182, 40), QColor(150, 60, 30)},   // hearts
        {QColor(84, 44, 128), QColor(56, 146, 156), QColor(70, 70, 80)},    // spades
    }};
    return palettes[static_cast<std::size_t>(suit & 3)];
}

// The figure holds its emblem on the left for clubs and hearts, on the right otherwise.
qreal objectX(int suit) { return (suit % 2 == 0) ? 25.5 : 64.5; }

void paintRobe(QPainter& p, int rank, int suit)
{
    const Palette& pal = paletteOf(suit);
    QPainterPath robe;
    robe.moveTo(20, kMidY + 1);
    robe.lineTo(20, 54);
    robe.quadTo(21, 45, 33, 43);
    robe.lineTo(57, 43);
    robe.quadTo(69, 45, 70, 54);
    robe.lineTo(70, kMidY + 1);
    robe.closeSubpath();
    p.fillPath(robe, pal.robe);

    p.save();
    p.setClipPath(robe);
    if (rank == kKing) {
        // A broad centre panel with gold edging and an ermine collar.
        p.fillRect(QRectF(38, 43, 14, 22), pal.band);
        p.fillRect(QRectF(37, 43, 1.5, 22), kGold);
        p.fillRect(QRectF(51.5, 43, 1.5, 22), kGold);
        QPainterPath collar;
        collar.moveTo(27, 43.5);
        collar.quadTo(45, 54, 63, 43.5);
        collar.lineTo(63, 43);
        collar.lineTo(27, 43);
        collar.closeSubpath();
        QPainterPathStroker widen;
        widen.setWidth(5);
        const QPainterPath fur = widen.createStroke(collar).united(collar);
        p.fillPath(fur, Qt::white);
        for (qreal x = 30; x <= 60; x += 5)
            p.fillRect(QRectF(x, 44 + (x - 45) * (x - 45) / 90.0, 1.2, 2.2), Qt::black);
    } else if (rank == kQueen) {
        // A sash from shoulder to hip and a scalloped lace collar.
        QPainterPath sash;
        sash.moveTo(20, 48);
        sash.lineTo(27, 43);
        sash.lineTo(73, 62);
        sash.lineTo(73, 70);
        sash.closeSubpath();
        p.fillPath(sash, pal.band);
        p.setPen(QPen(kGold, 1.2));
        p.drawLine(QPointF(20, 48), QPointF(73, 70));
        p.drawLine(QPointF(27, 43), QPointF(73, 62));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (qreal x = 35; x <= 55; x += 4)
            p.drawEllipse(QPointF(x, 44), 2.4, 2.4);
    } else {
        // A striped tunic with a gold yoke.
        for (qreal y = 47; y < kMidY + 2; y += 6)
            p.fillRect(QRectF(15, y, 62, 3), pal.band);
        p.fillRect(QRectF(15, 43, 62, 3), kGold);
    }
    p.restore();
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(robe);

    // The suit emblem on the breast, on a white roundel so it reads on any robe.
    p.setPen(QPen(kGold, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(45, 56), 5.3, 5.3);
    paintSuit(p, suit, QPointF(45, 56), 7);
}

void paintHairBehind(QPainter& p, int rank, const Palette& pal)
{
    if (rank != kQueen)
        return;
    QPainterPath hair;
    hair.moveTo(36, 28);
    hair.cubicTo(33, 36, 33, 44, 30, 48);
    hair.lineTo(60, 48);
    hair.cubicTo(57, 44, 57, 36, 54, 28);
    hair.closeSubpath();
    p.fillPath(hair, pal.hair);
}

void paintHead(QPainter& p, int rank, const Palette& pal)
{
    p.fillRect(QRectF(41.5, 37, 7, 7), kSkin);
    p.setPen(QPen(kInk, 0.7));
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(45, 31), 7.4, 8.6);

    if (rank == kKing) {
        QPainterPath beard;
        beard.moveTo(38.2, 32);
        beard.cubicTo(38.5, 40, 42, 45.5, 45, 46);
        beard.cubicTo(48, 45.5, 51.5, 40, 51.8, 32);
        beard.cubicTo(50, 37, 47, 37, 45, 36.3);
        beard.cubicTo(43, 37, 40, 37, 38.2, 32);
        p.fillPath(beard, pal.hair);
    } else if (rank == kJack) {
        QPainterPath hair;  // short curls framing the face
        hair.moveTo(37.8, 33);
        hair.cubicTo(37, 27, 38, 23, 45, 22.5);
        hair.cubicTo(52, 23, 53, 27, 52.2, 33);
        hair.cubicTo(51, 28, 49, 26, 45, 26);
        hair.cubicTo(41, 26, 39, 28, 37.8, 33);
        p.fillPath(hair, pal.hair);
    } else {
        QPainterPath fringe;
        fringe.moveTo(38, 30);
        fringe.cubicTo(38, 24, 52, 24, 52, 30);
        fringe.cubicTo(48, 26, 42, 26, 38, 30);
        p.fillPath(fringe, pal.hair);
    }

    // Eyes, brows, nose and mouth.
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(42.4, 30.8), 0.9, 0.9);
    p.drawEllipse(QPointF(47.6, 30.8), 0.9, 0.9);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 0.6));
    p.drawLine(QPointF(41, 29), QPointF(43.6, 28.7));
    p.drawLine(QPointF(46.4, 28.7), QPointF(49, 29));
    p.drawLine(QPointF(45, 31.5), QPointF(44.4, 33.6));
    p.setPen(QPen(QColor(190, 50, 60), 0.9));
    p.drawArc(QRectF(43, 33.5, 4, 2), 200 * 16, 140 * 16);
}

void paintHeadwear(QPainter& p, int rank, int suit)
{
    const Palette& pal = paletteOf(suit);
    p.setPen(QPen(kGoldDark, 0.6));
    if (rank == kKing) {
        QPainterPath crown;  // five points on a band
        crown.moveTo(37, 25);
        crown.lineTo(36, 15);
        crown.lineTo(40, 20);
        crown.lineTo(42.5, 13);
        crown.lineTo(45, 19);
        crown.lineTo(47.5, 13);
        crown.lineTo(50, 20);
        crown.lineTo(54, 15);
        crown.lineTo(53, 25);
        crown.closeSubpath();
        p.setBrush(kGold);
        p.drawPath(crown);
        for (const QPointF tip : {QPointF(36, 15), QPointF(42.5, 13), QPointF(47.5, 13), QPointF(54, 15)})
            p.drawEllipse(tip, 1.2, 1.2);
        p.setBrush(pal.robe);
        p.drawRect(QRectF(37.5, 22, 15, 3));
        p.setBrush(isRed(suit) ? QColor(40, 90, 200) : QColor(210, 30, 50));
        p.drawEllipse(QPointF(45, 23.5), 1.4, 1.2);
    } else if (rank == kQueen) {
        QPainterPath tiara;  // three arches and a jewel
        tiara.moveTo(38, 25);
        tiara.quadTo(38, 19, 41, 20.5);
        tiara.quadTo(42, 15, 45, 14.5);
        tiara.quadTo(48, 15, 49, 20.5);
        tiara.quadTo(52, 19, 52, 25);
        tiara.closeSubpath();
        p.setBrush(kGold);
        p.drawPath(tiara);
        p.setBrush(pal.band);
        p.drawEllipse(QPointF(45, 20), 1.8, 2.2);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(41, 22.5), 0.9, 0.9);
        p.drawEllipse(QPointF(49, 22.5), 0.9, 0.9);
    } else {
        // A soft cap, tipped towards the side he carries his halberd, with a feather.
        const qreal side = (suit % 2 == 0) ? -1 : 1;
        p.setPen(QPen(kInk, 0.6));
        p.setBrush(pal.robe);
        p.drawEllipse(QPointF(45 + side * 1.5, 22), 10, 4.2);
        p.setBrush(pal.band);
        p.drawRect(QRectF(36.5, 23, 17, 2.4));
        QPainterPath feather;
        feather.moveTo(45 - side * 5, 21);
        feather.cubicTo(45 - side * 10, 13, 45 - side * 15, 12, 45 - side * 18, 13);
        feather.cubicTo(45 - side * 14, 15, 45 - side * 10, 18, 45 - side * 5, 22.5);
        p.setBrush(Qt::white);
        p.drawPath(feather);
    }
}

void paintHeldObject(QPainter& p, int rank, int suit)
{
    const Palette& pal = paletteOf(suit);
    const qreal x = objectX(suit);
    p.setPen(QPen(kInk, 0.6));
    if (rank == kKing) {
        // Sword, point up.
        QPainterPath blade;
        blade.moveTo(x, 13);
        blade.lineTo(x + 1.8, 17);
        blade.lineTo(x + 1.8, 47);
        blade.lineTo(x - 1.8, 47);
        blade.lineTo(x - 1.8, 17);
        blade.closeSubpath();
        p.setBrush(QColor(214, 220, 228));
        p.drawPath(blade);
        p.setBrush(kGold);
        p.drawRect(QRectF(x - 5, 47, 10, 2));
        p.drawRect(QRectF(x - 1.2, 49, 2.4, 7));
        p.drawEllipse(QPointF(x, 57), 1.6, 1.6);
    } else if (rank == kQueen) {
        // A flower on a long stem.
        p.setPen(QPen(QColor(40, 110, 50), 1.2));
        p.drawLine(QPointF(x, 54), QPointF(x, 26));
        QPainterPath leaf;
        leaf.moveTo(x, 42);
        leaf.quadTo(x + 5, 36, x + 7, 38);
        leaf.quadTo(x + 4, 43, x, 42);
        p.fillPath(leaf, QColor(50, 130, 60));
        p.fillPath(QTransform(-1, 0, 0, 1, 2 * x, -6).map(leaf), QColor(50, 130, 60));
        p.setPen(QPen(kInk, 0.5));
        p.setBrush(pal.band);
        for (int i = 0; i < 5; ++i) {
            p.save();
            p.translate(x, 24);
            p.rotate(i * 72);
            p.drawEllipse(QPointF(0, -3), 2.3, 3);
            p.restore();
        }
        p.setBrush(kGold);
        p.drawEllipse(QPointF(x, 24), 1.8, 1.8);
    } else {
        // Halberd: a pole with an axe blade and spike.
        p.setBrush(QColor(140, 95, 50));
        p.drawRect(QRectF(x - 1, 14, 2, 48));
        const qreal out = (suit % 2 == 0) ? -1 : 1;
        QPainterPath axe;
        axe.moveTo(x, 17);
        axe.cubicTo(x + out * 7, 15, x + out * 8, 20, x + out * 7, 25);
        axe.cubicTo(x + out * 5, 23, x + out * 2, 23, x, 24);
        axe.closeSubpath();
        p.setBrush(QColor(200, 206, 214));
        p.drawPath(axe);
        QPainterPath spike;
        spike.moveTo(x - 1.6, 14);
        spike.lineTo(x, 9.5);
        spike.lineTo(x + 1.6, 14);
        spike.closeSubpath();
        p.drawPath(spike);
    }
    // The arm reaching from the shoulder to the hand that holds it.
    const qreal shoulderX = x < 45 ? 28 : 62;
    QPainterPath arm;
    arm.moveTo(shoulderX, 47);
    arm.quadTo((shoulderX + x) / 2, 58, x, 52);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 6.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arm);
    p.setPen(QPen(pal.robe.lighter(135), 4.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arm);
    p.setPen(QPen(kInk, 0.5));
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(x, 52), 2.8, 2.4);
}

void paintHalfFigure(QPainter& p, int rank, int suit)
{
    const Palette& pal = paletteOf(suit);
    paintHairBehind(p, rank, pal);
    paintRobe(p, rank, suit);
    paintHead(p, rank, pal);
    paintHeadwear(p, rank, suit);
    paintHeldObject(p, rank, suit);
    // The suit again in the free top corner of the panel, away from the held object.
    const qreal cornerX = (suit % 2 == 0) ? 67 : 23;
    paintSuit(p, suit, QPointF(cornerX, 18), 9);
}

}  // namespace

void paintCourt(QPainter& p, int rank, int suit)
{
    p.save();
    p.fillRect(kFrame, kPanel);
    // A faint lattice in the suit's colour behind the figure.
    p.save();
    p.setClipRect(kFrame);
    QColor lattice = suitColour(suit);
    lattice.setAlpha(28);
    p.setPen(QPen(lattice, 0.8));
    for (qreal d = -kHeight; d < kHeight; d += 6) {
        p.drawLine(QPointF(d, 0), QPointF(d + kHeight, kHeight));
        p.drawLine(QPointF(d + kHeight, 0), QPointF(d, kHeight));
    }
    p.restore();
    const QRectF upper(kFrame.left(), kFrame.top(), kFrame.width(), kMidY - kFrame.top());
    for (int half = 0; half < 2; ++half) {
        p.save();
        if (half == 1) {
            p.translate(kWidth, 2 * kMidY);
            p.rotate(180);
        }
        p.setClipRect(upper);
        paintHalfFigure(p, rank, suit);
        p.restore();
    }
    p.setPen(QPen(kGold, 1.4));
    p.drawLine(QPointF(kFrame.left(), kMidY), QPointF(kFrame.right(), kMidY));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(suitColour(suit), 1.2));
    p.drawRect(kFrame);
    p.setPen(QPen(kGold, 0.8));
    p.drawRect(kFrame.adjusted(1.6, 1.6, -1.6, -1.6));
    p.restore();
}

}  // namespace dm::faces
