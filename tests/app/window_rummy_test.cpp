// Rummy on the window driven by the mouse: drawing, taking the discard, discarding,
// and rearranging the hand by clicks and drags.
#include "app_fixture.h"

namespace dm::testing {
namespace {

using RummyWindowTest = AppWindowTest;

std::vector<int> moved(std::vector<int> hand, int from, int to)
{
    const int card = hand[from];
    hand.erase(hand.begin() + from);
    hand.insert(hand.begin() + to, card);
    return hand;
}

TEST_F(RummyWindowTest, TurnsByMouseKeepTheTableWholeAndLeaveNoCardPaintedOnIt)
{
    start();
    const QImage bare = surface()->board().toImage();
    clickBox(box("picReject"));  // the empty pile at the start of a hand gives nothing
    EXPECT_FALSE(rs().mustDiscard);

    const int top = rs().stock.back().number;
    drawFromStock();
    EXPECT_EQ(rs().playerHand[9].number, top);
    EXPECT_FALSE(w->findChild<QWidget*>("picAnimate")->isVisible()) << "the moving card is put away";
    drawFromStock();  // a second click while a discard is due draws nothing
    EXPECT_EQ(rs().stock.size(), 52u - 18u - 1u);
    clickCard(3);
    EXPECT_FALSE(rs().mustDiscard || rs().eval.computerTurn) << "the computer's turn ran to its end";
    EXPECT_EQ(rs().playerHand[3].number, top) << "the drawn card takes the discarded one's slot";
    EXPECT_FALSE(box("picPlayerDraw")->isVisible());
    ASSERT_FALSE(rs().eval.handWon);
    EXPECT_EQ(surface()->board().toImage(), bare);
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

// Gestures on the user's hand, each from the order the one before left.
TEST_F(RummyWindowTest, ClicksAndDragsRearrangeTheHand)
{
    start();
    const Hand dealt = rs().playerHand;
    enum Kind { Left, Right, Drag };
    const struct { const char* name; Kind kind; int from, to; QPoint nudge; } rows[] = {
        {"a left click sends the card to the right end", Left, 2, 8, {}},
        {"a right click sends it to the left end", Right, 6, 0, {}},
        {"a drag drops the card after the target", Drag, 1, 5, {}},
        {"a drag onto the last card ends last", Drag, 0, 8, {}},
        {"six pixels are a drag, dropped where it was", Drag, 1, 1, {6, 0}},
        {"five pixels are a click", Drag, 1, 8, {5, 0}},
    };
    auto want = handNumbers();
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        leaveHand();
        if (r.kind == Drag) {
            hoverCard(r.from);
            dragCard(r.from, r.nudge.isNull() ? cardPoint(r.to) : cardPoint(r.from) + r.nudge);
        } else {
            clickCard(r.from, r.kind == Left ? Qt::LeftButton : Qt::RightButton);
        }
        want = moved(want, r.from, r.to);
        EXPECT_EQ(handNumbers(), want);
    }
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(rs().playerHand[i].left, dealt[i].left) << "slot " << i << " keeps its place";

    // Right after a click reordered the hand, a drag takes the card now under the pointer.
    clickCard(2);
    want = moved(moved(want, 2, 8), 2, 6);
    dragCard(2, cardPoint(6));
    EXPECT_EQ(handNumbers(), want);

    // Taking a card ends the drag: the card under the pointer rises and a click throws it.
    leaveHand();
    drawFromStock();
    const int thrown = rs().playerHand[3].number;
    clickCard(3);
    EXPECT_FALSE(rs().mustDiscard) << "the click discarded";
    const auto after = handNumbers();
    EXPECT_EQ(std::count(after.begin(), after.end(), thrown), 0);
}

}  // namespace
}  // namespace dm::testing
