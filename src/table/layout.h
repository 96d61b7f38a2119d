#pragma once
// Where every card box of the table sits, worked out from the table and card sizes.
#include <QRect>
#include <QSize>
#include <array>

namespace dm {

struct LayoutInput {
    QSize table;          // client area of the window
    int cWidth = 90;
    int cHeight = 126;
    int prfCardSpace = 0;  // 0 or below: the default step
    bool poker = false;
    QSize bankLabel;      // size of the bank number labels
    int pokerLabelWidth = 0;  // width of the longest pay-table caption; 0: an estimate
};

struct TableLayout {
    int cardStep = 0;
    int playerHandTop = 0;
    QRect picComputerHand, picPlayerHand, picplayerBack2, picComputerDraw, picPlayerDraw, picReject,
        picDeal;
    std::array<QRect, 5> picPoker;
    QRect lblBankPlayer, lblBankComputer, picPokerLabels;
};

// The hand step: prfCardSpace when above 0, else 22% of the card width.
int cardStepFor(int prfCardSpace, int cWidth);

TableLayout computeLayout(const LayoutInput& in);

// The table size for a background picture: at least 500 x 400, and 640 wide in poker.
QSize fittedWindowSize(QSize picture, bool poker);

}  // namespace dm
