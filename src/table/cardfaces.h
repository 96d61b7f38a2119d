#pragma once
// Our card-face library: every face and back drawn as vectors with QPainter.
#include <QImage>
#include <QPainter>
#include <QRgb>

namespace dm {

// Back designs 53..65: "Hatch", "Plaid", "Weave", "Robot", "Roses", "IvyBlack",
// "IvyBlue", "FishCyan", "FishBlue", "Shell", "Castle", "Beach", "Sleeve".
constexpr int kFirstBack = 53;
constexpr int kLastBack = 65;
// Designs with four animation frames.
constexpr int kBeachBack = 64;
constexpr int kSleeveBack = 65;
constexpr int kAnimationFrames = 4;
// Empty text for a number that is not a back design.
const char* backDesignName(int design);

void cdtInit(int& width, int& height);
// mode 0 face of card 0..51, 1 back design 53..65, 2 highlighted face.
// Anything else (a card or design out of range, an unknown mode) draws nothing.
void cdtDraw(QPainter& target, int x, int y, int card, int mode, QRgb colour = 0xFFFFFF);
// One of frames 0..3 of an animated back (64, 65); others draw nothing.
void cdtAnimate(QPainter& target, int backDesign, int x, int y, int frame);
void cdtTerm();

// One card as a transparent image of 90 x 126 logical pixels at the given device pixel
// ratio (uncached); frame only matters for the animated backs. A null image when the
// card, mode or frame is out of range.
QImage renderCard(int card, int mode, qreal devicePixelRatio = 1.0, QRgb colour = 0xFFFFFF,
                  int frame = 0);

// A picture of the user's own back in the shape of a card: what lies outside the card's
// rounded outline (scaled to the picture) becomes transparent, so it sits on any table
// as the library's backs do, whatever its file had in the corners.
QImage cardShaped(const QImage& picture);

}  // namespace dm
