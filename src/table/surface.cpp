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
    boardStale_ = true;
    update();
}

const QPixmap& TableSurface::freshBoard() const
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = devicePixels(size().expandedTo(QSize(1, 1)), dpr);
    if (!boardStale_ && board_.size() == pixels && qFuzzyCompare(board_.devicePixelRatio(), dpr))
        return board_;
    // The old board goes first, so two full-table pictures never live at once; one of
    // the right size is drawn over in place.
    if (board_.size() != pixels)
        board_ = QPixmap();
    if (board_.isNull())
        board_ = QPixmap(pixels);
    board_.setDevicePixelRatio(dpr);
    board_.fill(tableGreen());
    {
        QPainter p(&board_);
        if (!background_.isNull())
            p.drawImage(QRect(QPoint(0, 0), background_.size()), background_);
        paintFrame(p);
    }
    boardStale_ = false;
    return board_;
}

QPixmap TableSurface::slice(const QRect& r) const
{
    const QPixmap& board = freshBoard();
    const qreal dpr = board.devicePixelRatio();
    QPixmap out(devicePixels(r.size().expandedTo(QSize(1, 1)), dpr));
    out.setDevicePixelRatio(dpr);
    out.fill(tableGreen());
    QPainter p(&out);
    p.drawPixmap(QPoint(-r.left(), -r.top()), board);
    return out;
}

void TableSurface::paintOnBoard(const std::function<void(QPainter&)>& draw)
{
    freshBoard();
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
    // Moved to a screen of another pixel ratio, the board is rebuilt sharp rather than scaled.
    const QPixmap& board = freshBoard();
    QPainter p(this);
    p.fillRect(rect(), tableGreen());
    p.drawPixmap(0, 0, board);
}

void TableSurface::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    resetBoard();
}


}  // namespace dm
