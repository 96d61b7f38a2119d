#pragma once
// The picture backs of the card-face library, each painted into the pattern area of a back.
#include <QPainter>
#include <QRectF>

namespace dm::faces {

// Inside the white border of every back.
inline constexpr QRectF kPatternArea(5, 5, 80, 116);

void paintRobot(QPainter& p);
void paintCastle(QPainter& p);
// Animated: frame 0..3.
void paintBeach(QPainter& p, int frame);
void paintSleeve(QPainter& p, int frame);

}  // namespace dm::faces
