#include "table/layout.h"

#include <gtest/gtest.h>

using namespace dm;

namespace {
LayoutInput standard(bool poker = false, int space = 16, QSize table = {800, 600})
{
    return {.table = table, .cWidth = 90, .cHeight = 126, .prfCardSpace = space, .poker = poker,
            .bankLabel = {40, 20}, .pokerLabelWidth = 150};
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

    for (int space : {0, -5, -32768}) {  // the default step: 0.22 * 90 = 19.8
        EXPECT_EQ(computeLayout(standard(false, space)).picComputerHand.width(), 9 * 20 + 90) << space;
    }
    EXPECT_EQ(cardStepFor(1, 90), 1);
}

TEST(TableLayout, PokerCardsAndAPayTableClearOfThem)
{
    const TableLayout t = computeLayout(standard(true));
    EXPECT_EQ(t.picDeal, QRect(208, 196, 99, 139));  // 120 + 0.75 * 117; 231 - 139 / 4
    const int lefts[5] = {29, 133, 237, 341, 445};  // each 103.5 right of the last, rounded
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(t.picPoker[i], QRect(lefts[i], 384, 90, 126)) << i;  // 196 + 1.35 * 139
    EXPECT_GE(t.picPokerLabels.width(), 150);  // a wide table gives the longest caption its width

    for (int width : {640, 800, 1024}) {
        const TableLayout n = computeLayout(standard(true, 16, {width, 480}));
        const QRect& panel = n.picPokerLabels;
        EXPECT_EQ(panel.height(), 480 - 24) << width;
        EXPECT_GE(panel.left(), n.picPoker[4].right()) << width;
        EXPECT_LE(panel.right(), width - 1) << width;
        EXPECT_GT(panel.width(), 0) << width;
    }
}

TEST(TableLayout, FittedSizeMinimums)
{
    EXPECT_EQ(fittedWindowSize({800, 600}, false), QSize(800, 600));
    EXPECT_EQ(fittedWindowSize({0, 0}, false), QSize(500, 400));
    EXPECT_EQ(fittedWindowSize({520, 700}, true), QSize(640, 700));
    EXPECT_EQ(fittedWindowSize({800, 300}, true), QSize(800, 400));
}
