#pragma once
// Painting pieces of the card-face library, shared by its face, court and back painters.
// All coordinates are logical card pixels (90 x 126); callers scale the painter for high-DPI.
#include <QColor>
#include <QPainter>
#include <QPainterPath>

namespace dm::faces {

constexpr int kWidth = 90;
constexpr int kHeight = 126;
constexpr qreal kCornerRadius = 6.0;

// The card's silhouette; everything outside it stays transparent.
QPainterPath cardOutline();
// The thin grey edge round every face and back.
void paintEdge(QPainter& p);

// Suit symbol centred on (0, 0), one unit tall; suits 0 clubs, 1 diamonds, 2 hearts, 3 spades.
const QPainterPath& suitPath(int suit);
bool isRed(int suit);
QColor suitColour(int suit);
// A suit symbol of the given height; flipped ones stand on their heads, as on the lower half of a card.
void paintSuit(QPainter& p, int suit, QPointF centre, qreal height, bool flipped = false);

// Rank and suit in the top-left corner and, turned round, in the bottom-right one.
void paintIndex(QPainter& p, int rank, int suit);
// Ace to ten: the traditional pip layouts.
void paintPips(QPainter& p, int rank, int suit);
// Jack, queen, king: a double-ended figure in a frame.
void paintCourt(QPainter& p, int rank, int suit);
// A back design 53..65 inside its white border; frame picks the state of an animated one.
void paintBack(QPainter& p, int design, int frame, const QColor& border);

}  // namespace dm::faces
