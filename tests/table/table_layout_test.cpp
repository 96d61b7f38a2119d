#include "table/layout.h"

#include <gtest/gtest.h>

using namespace dm;

namespace {
LayoutInput standard(bool poker = false, int space = 16)
{
    LayoutInput in;
    in.table = QSize(800, 600);
    in.cWidth = 90;
    in.cHeight = 126;
    in.prfCardSpace = space;
    in.poker = poker;
    in.bankLabel = QSize(40, 20);
    in.pokerLabelWidth = 150;
    return in;
}
}  // namespace

TEST(TableLayout, RummyBoxesOnAnEightHundredTable)
{
    const TableLayout t = computeLayout(standard());
    EXPECT_EQ(t.cardStep, 16);
    EXPECT_EQ(t.playerHandTop, 25);  // 0.2 * 126 = 25.2
    EXPECT_EQ(t.picComputerHand, QRect(80, 30, 234, 126));
    EXPECT_EQ(t.picPlayerHand, QRect(80, 419, 234, 151));  // bottom at 0.95 * 600
    EXPECT_EQ(t.picplayerBack2, QRect(80, 444, 234, 126));
    EXPECT_EQ(t.picComputerDraw, QRect(330, 30, 90, 126));
    EXPECT_EQ(t.picPlayerDraw, QRect(330, 444, 90, 126));
    EXPECT_EQ(t.picReject, QRect(120, 231, 117, 139));
    EXPECT_EQ(t.picDeal, QRect(296, 231, 99, 139));  // 120 + 1.5 * 117 = 295.5
    EXPECT_EQ(t.lblBankPlayer, QRect(680, 530, 40, 20));
    EXPECT_EQ(t.lblBankComputer, QRect(680, 30, 40, 20));
}

TEST(TableLayout, StepFallsBackForZeroOrNegativeSpacing)
{
    for (int space : {0, -5, -32768}) {
        const TableLayout t = computeLayout(standard(false, space));
        EXPECT_EQ(t.cardStep, 20) << space;  // 0.22 * 90 = 19.8
        EXPECT_EQ(t.picComputerHand.width(), 9 * 20 + 90) << space;
    }
    EXPECT_EQ(cardStepFor(1, 90), 1);
}

TEST(TableLayout, PokerDealAndCards)
{
    const TableLayout t = computeLayout(standard(true));
    EXPECT_EQ(t.picDeal, QRect(208, 196, 99, 139));  // 120 + 0.75 * 117; 231 - 139 / 4
    const int lefts[5] = {29, 133, 237, 341, 445};  // each 103.5 right of the last, rounded
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(t.picPoker[i], QRect(lefts[i], 384, 90, 126)) << i;  // 196 + 1.35 * 139
    }
}

TEST(TableLayout, PayTablePanelClearsTheCards)
{
    for (int width : {640, 800, 1024}) {
        LayoutInput in = standard(true);
        in.table = QSize(width, 480);
        const TableLayout t = computeLayout(in);
        const QRect& panel = t.picPokerLabels;
        EXPECT_EQ(panel.height(), 480 - 24) << width;
        EXPECT_GE(panel.left(), t.picPoker[4].right()) << width;
        EXPECT_LE(panel.right(), width - 1) << width;
        EXPECT_GT(panel.width(), 0) << width;
    }
    // A wide table gives the longest caption its full width.
    EXPECT_GE(computeLayout(standard(true)).picPokerLabels.width(), 150);
}

TEST(TableLayout, FittedSizeMinimums)
{
    EXPECT_EQ(fittedWindowSize(QSize(800, 600), false), QSize(800, 600));
    EXPECT_EQ(fittedWindowSize(QSize(300, 200), false), QSize(500, 400));
    EXPECT_EQ(fittedWindowSize(QSize(0, 0), false), QSize(500, 400));
    EXPECT_EQ(fittedWindowSize(QSize(520, 700), true), QSize(640, 700));
    EXPECT_EQ(fittedWindowSize(QSize(800, 300), true), QSize(800, 400));
}
