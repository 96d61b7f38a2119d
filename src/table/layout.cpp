#include "table/layout.h"

#include <QtMath>
#include <algorithm>

namespace dm {

namespace {
constexpr int kMinTableWidth = 500;
constexpr int kMinTableHeight = 400;
constexpr int kMinPokerWidth = 640;
// Each box position is a whole pixel once set; later boxes build on the rounded values.
int px(double v) { return qRound(v); }
}  // namespace

int cardStepFor(int prfCardSpace, int cWidth)
{
    return prfCardSpace > 0 ? prfCardSpace : px(0.22 * cWidth);
}

TableLayout computeLayout(const LayoutInput& in)
{
    TableLayout t;
    const int W = in.table.width();
    const int H = in.table.height();
    const int cw = in.cWidth;
    const int ch = in.cHeight;
    t.cardStep = cardStepFor(in.prfCardSpace, cw);
    t.playerHandTop = px(0.2 * ch);

    const int handWidth = 9 * t.cardStep + cw;
    t.picComputerHand = QRect(px(0.1 * W), px(0.05 * H), handWidth, ch);
    const int playerHeight = ch + t.playerHandTop;
    t.picPlayerHand = QRect(px(0.1 * W), px(0.95 * H - playerHeight), handWidth, playerHeight);
    t.picplayerBack2 = QRect(t.picPlayerHand.left(), t.picPlayerHand.top() + t.playerHandTop, handWidth, ch);
    t.picComputerDraw =
        QRect(t.picComputerHand.left() + handWidth + t.cardStep, t.picComputerHand.top(), cw, ch);
    t.picPlayerDraw = QRect(t.picPlayerHand.left() + handWidth + t.cardStep,
                            t.picPlayerHand.top() + t.playerHandTop, cw, ch);

    const int rejectW = px(1.3 * cw);
    const int rejectH = px(1.1 * ch);
    t.picReject = QRect(px(1.5 * t.picComputerHand.left()), px(H / 2.0 - rejectH / 2.0), rejectW, rejectH);

    const int dealW = px(1.1 * cw);
    const int dealH = px(1.1 * ch);
    if (in.poker)
        t.picDeal = QRect(px(t.picReject.left() + 0.75 * rejectW), px(t.picReject.top() - dealH / 4.0), dealW, dealH);
    else
        t.picDeal = QRect(px(t.picReject.left() + 1.5 * rejectW), t.picReject.top(), dealW, dealH);

    const int pokerTop = px(t.picDeal.top() + 1.35 * dealH);
    int left = 29;
    for (QRect& r : t.picPoker) {
        r = QRect(left, pokerTop, cw, ch);
        left = px(left + 1.15 * cw);
    }

    const QSize bank = in.bankLabel;
    t.lblBankPlayer = QRect(QPoint(W - 3 * bank.width(), t.picPlayerHand.top() + t.picPlayerHand.height() - 2 * bank.height()), bank);
    t.lblBankComputer = QRect(QPoint(W - 3 * bank.width(), t.picComputerDraw.top()), bank);

    // The pay table sits at the right, clear of the five cards where the table allows.
    const int cardsRight = t.picPoker[4].left() + cw;
    const int labelW = (in.pokerLabelWidth > 0 ? in.pokerLabelWidth : px(1.9 * cw)) + 16;
    const int margin = 12;
    const int x = std::max(cardsRight + margin, W - labelW - margin);
    t.picPokerLabels = QRect(x, margin, std::max(0, std::min(labelW, W - x)), std::max(0, H - 24));
    return t;
}

QSize fittedWindowSize(QSize picture, bool poker)
{
    const int minW = poker ? kMinPokerWidth : kMinTableWidth;
    return {std::max(picture.width(), minW), std::max(picture.height(), kMinTableHeight)};
}

}  // namespace dm
