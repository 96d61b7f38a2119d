#pragma once
// The hold markers of a video poker card: an outline round the card and a
// "HELD" tag, in the hold-marker colour.
#include <QColor>
#include <QWidget>

namespace dm {

class HoldMarker : public QWidget {
    Q_OBJECT
public:
    explicit HoldMarker(QWidget* parent = nullptr);
    void setColour(const QColor& c);
    // Frames the card rectangle (in the parent's coordinates) with room for the tag below.
    void placeAround(const QRect& card);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_{0, 255, 0};
};

}  // namespace dm
