#pragma once
// A card box that keeps its drawing, with its twin: the table slice under it.
// Mouse input is passed on as signals so the window can route it to its handlers.
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace dm {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, int index = 0);

    QPixmap image;      // what the box shows, at the widget's device pixel ratio
    QPixmap backSlice;  // the table under the box

    int index() const { return index_; }
    void setIndex(int i) { index_ = i; }

    // Takes the slice as the twin and as the current image.
    void setSlice(const QPixmap& slice);
    // Puts the slice back into the image (the box shows bare table again).
    void restore();
    // Draws into the image in logical coordinates; refresh() shows it.
    void paint(const std::function<void(QPainter&)>& draw);
    void refresh() { update(); }

signals:
    void pressed(Qt::MouseButton button, QPoint pos);
    void moved(Qt::MouseButtons buttons, QPoint pos);
    void released(Qt::MouseButton button, QPoint pos);
    // A press and release of the same button within the box; the second press of a
    // double-click gives doubleClicked() and then, on its release, clicked() again.
    void clicked(Qt::MouseButton button, QPoint pos);
    void doubleClicked(Qt::MouseButton button, QPoint pos);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

private:
    QPixmap blankOfSize() const;

    int index_ = 0;
    Qt::MouseButton pressedButton_ = Qt::NoButton;
};

}  // namespace dm
