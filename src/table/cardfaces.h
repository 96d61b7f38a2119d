#pragma once
// Our card-face library: every face and back drawn as vectors with QPainter.
#include <QPainter>
#include <QRgb>

namespace dm {

// Back designs 53..65: "Hatch", "Plaid", "Weave", "Robot", "Roses", "IvyBlack",
// "IvyBlue", "FishCyan", "FishBlue", "Shell", "Castle", "Beach", "Sleeve".
constexpr int kFirstBack = 53;
constexpr int kLastBack = 65;
const char* backDesignName(int design);

void cdtInit(int& width, int& height);
// mode 0 face of card 0..51, 1 back design 53..65, 2 highlighted face.
void cdtDraw(QPainter& target, int x, int y, int card, int mode, QRgb colour = 0xFFFFFF);
// One of frames 0..3 of an animated back (64, 65); others draw nothing.
void cdtAnimate(QPainter& target, int backDesign, int x, int y, int frame);
void cdtTerm();

}  // namespace dm
