#include "table/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <cmath>

namespace dm {

PictureBox::PictureBox(QWidget* parent, int index) : QWidget(parent), index_(index)
{
    // Hover moves matter too: the hand raises the card under the pointer.
    setMouseTracking(true);
}

QPixmap PictureBox::blankOfSize() const
{
    const qreal dpr = devicePixelRatioF();
    const QSize logical = size().expandedTo(QSize(1, 1));
    QPixmap pm(static_cast<int>(std::ceil(logical.width() * dpr)), static_cast<int>(std::ceil(logical.height() * dpr)));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

void PictureBox::setSlice(const QPixmap& slice)
{
    backSlice = slice;
    restore();
}

void PictureBox::restore()
{
    image = blankOfSize();
    if (!backSlice.isNull()) {
        QPainter p(&image);
        p.drawPixmap(0, 0, backSlice);
    }
}

void PictureBox::paint(const std::function<void(QPainter&)>& draw)
{
    // A box resized since its last drawing gets a fresh image rather than a clipped one.
    if (image.isNull() || image.deviceIndependentSize().toSize() != size())
        restore();
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    draw(p);
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (image.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(0, 0, image);
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    pressedButton_ = e->button();
    emit pressed(e->button(), e->position().toPoint());
}

void PictureBox::mouseMoveEvent(QMouseEvent* e)
{
    emit moved(e->buttons(), e->position().toPoint());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    const QPoint pos = e->position().toPoint();
    const bool click = e->button() == pressedButton_ && rect().contains(pos);
    pressedButton_ = Qt::NoButton;
    const QPointer<PictureBox> self(this);
    emit released(e->button(), pos);
    // A handler of released() may have closed the window that owns this box.
    if (click && self)
        emit clicked(e->button(), pos);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    pressedButton_ = e->button();
    emit doubleClicked(e->button(), e->position().toPoint());
}

}  // namespace dm
