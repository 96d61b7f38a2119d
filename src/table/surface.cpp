#include "table/surface.h"

#include "table/files.h"

#include <QPainter>
#include <QResizeEvent>
#include <cmath>

namespace dm {

namespace {
const char* const kFrameFiles[4] = {"frames/top.png", "frames/bottom.png", "frames/left.png", "frames/right.png"};

QSize devicePixels(QSize logical, qreal dpr)
{
    return {static_cast<int>(std::ceil(logical.width() * dpr)), static_cast<int>(std::ceil(logical.height() * dpr))};
}
}  // namespace

QColor TableSurface::tableGreen()
{
    return QColor(0x0B, 0x4A, 0x22);
}

TableSurface::TableSurface(const QString& programDir, QWidget* parent) : QWidget(parent)
{
    for (int i = 0; i < 4; ++i)
        frames_[i] = loadPicture(dataPath(programDir, QString::fromLatin1(kFrameFiles[i])));
    setAttribute(Qt::WA_OpaquePaintEvent);
    resetBoard();
}

void TableSurface::setBackground(const QImage& picture)
{
    background_ = picture;
    resetBoard();
}

void TableSurface::paintFrame(QPainter& p) const
{
    const int W = width();
    const int H = height();
    const QImage& top = frames_[0];
    const QImage& bottom = frames_[1];
    const QImage& left = frames_[2];
    const QImage& right = frames_[3];
    // Stretched along the edges in this order, so the sides overlap the top and bottom.
    if (!top.isNull())
        p.drawImage(QRect(0, 0, W, top.height()), top);
    if (!bottom.isNull())
        p.drawImage(QRect(0, H - bottom.height(), W, bottom.height()), bottom);
    if (!left.isNull())
        p.drawImage(QRect(0, 0, left.width(), H), left);
    if (!right.isNull())
        p.drawImage(QRect(W - right.width(), 0, right.width(), H), right);
}

void TableSurface::resetBoard()
{
    const qreal dpr = devicePixelRatioF();
    QPixmap board(devicePixels(size().expandedTo(QSize(1, 1)), dpr));
    board.setDevicePixelRatio(dpr);
    board.fill(tableGreen());
    {
        QPainter p(&board);
        if (!background_.isNull())
            p.drawImage(QRect(QPoint(0, 0), background_.size()), background_);
        paintFrame(p);
    }
    board_ = board;
    update();
}

QPixmap TableSurface::slice(const QRect& r) const
{
    const qreal dpr = board_.devicePixelRatio();
    QPixmap out(devicePixels(r.size().expandedTo(QSize(1, 1)), dpr));
    out.setDevicePixelRatio(dpr);
    out.fill(tableGreen());
    QPainter p(&out);
    p.drawPixmap(QPoint(-r.left(), -r.top()), board_);
    return out;
}

void TableSurface::paintOnBoard(const std::function<void(QPainter&)>& draw)
{
    {
        QPainter p(&board_);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        draw(p);
    }
    update();
}

void TableSurface::paintEvent(QPaintEvent*)
{
    // Moved to a screen of another pixel ratio: rebuild sharp rather than scale.
    if (!qFuzzyCompare(board_.devicePixelRatio(), devicePixelRatioF()))
        resetBoard();
    QPainter p(this);
    p.fillRect(rect(), tableGreen());
    p.drawPixmap(0, 0, board_);
}

void TableSurface::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    resetBoard();
}


}  // namespace dm
