#pragma once
// The table: background picture plus frame, kept as one board image that card boxes
// take their background slices from and on which winner displays are painted.
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <array>
#include <functional>

namespace dm {

class TableSurface : public QWidget {
    Q_OBJECT
public:
    // Frame pictures come from programDir/frames/{top,bottom,left,right}.png when present.
    explicit TableSurface(const QString& programDir, QWidget* parent = nullptr);

    // The background at natural size at (0,0); a null image leaves the bare green table.
    void setBackground(const QImage& picture);
    QImage background() const { return background_; }

    // The table image (background and frame, plus anything painted on it), at the
    // widget's size and device pixel ratio.
    QPixmap board() const { return freshBoard(); }

    // A straight copy of the board under r (logical pixels), outside parts dark green.
    QPixmap slice(const QRect& r) const;

    // Draws onto the board itself (logical coordinates) and repaints.
    void paintOnBoard(const std::function<void(QPainter&)>& draw);

    // Bare table again: background and frame only. The board is redrawn when next
    // needed, so a run of resets (a new hand, a new size) draws it once.
    void resetBoard();

    static QColor tableGreen();

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void paintFrame(QPainter& p) const;
    const QPixmap& freshBoard() const;

    QImage background_;
    std::array<QImage, 4> frames_;  // top, bottom, left, right
    mutable QPixmap board_;
    mutable bool boardStale_ = true;
};

}  // namespace dm
