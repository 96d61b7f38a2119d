#include "app/hold_marker.h"

#include <QPainter>

namespace dm {

namespace {
constexpr int kMargin = 4;
constexpr int kTag = 20;
}  // namespace

HoldMarker::HoldMarker(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void HoldMarker::setColour(const QColor& c)
{
    colour_ = c;
    update();
}

void HoldMarker::placeAround(const QRect& card)
{
    setGeometry(card.adjusted(-kMargin, -kMargin, kMargin, kMargin + kTag));
}

void HoldMarker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5 - kTag);
    p.setPen(QPen(colour_, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 7, 7);
    const QRectF tag(width() / 2.0 - 28, height() - kTag + 2, 56, kTag - 4);
    p.setPen(Qt::NoPen);
    p.setBrush(colour_);
    p.drawRoundedRect(tag, 5, 5);
    QFont f = font();
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(colour_.lightness() > 140 ? Qt::black : Qt::white);
    p.drawText(tag, Qt::AlignCenter, QStringLiteral("HELD"));
}

}  // namespace dm
