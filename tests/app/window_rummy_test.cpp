// Rummy on the window driven by the mouse: drawing, taking the discard, discarding,
// and rearranging the hand by clicks and drags, also while a discard is in flight.
#include <QTimer>
#include <algorithm>
#include <functional>

#include "app_fixture.h"

namespace dm::testing {
namespace {

class RummyWindowTest : public AppWindowTest {
protected:
    std::vector<int> moved(std::vector<int> hand, int from, int to)
    {
        const int card = hand[from];
        hand.erase(hand.begin() + from);
        hand.insert(hand.begin() + to, card);
        return hand;
    }
};

TEST_F(RummyWindowTest, TurnsByMouseKeepTheTableWholeAndLeaveNoCardPaintedOnIt)
{
    start();
    const QImage bare = surface()->board().toImage();
    clickBox(box("picReject"));  // the empty pile at the start of a hand gives nothing
    EXPECT_FALSE(rs().mustDiscard);

    const int top = rs().stock.back().number;
    drawFromStock();
    EXPECT_EQ(rs().playerHand[9].number, top);
    EXPECT_TRUE(box("picPlayerDraw")->isVisible());
    EXPECT_FALSE(animated()->isVisible()) << "the moving card is put away";
    drawFromStock();  // a second click while a discard is due draws nothing
    EXPECT_EQ(rs().stock.size(), 52u - 18u - 1u);
    clickCard(3);
    EXPECT_FALSE(rs().mustDiscard || rs().eval.computerTurn) << "the computer's turn ran to its end";
    EXPECT_EQ(rs().playerHand[3].number, top) << "the drawn card takes the discarded one's slot";
    EXPECT_FALSE(box("picPlayerDraw")->isVisible());

    // Take the discard, then throw that very card from the draw spot.
    const int taken = rs().discardPile.back().number;
    clickBox(box("picReject"));
    EXPECT_EQ(rs().playerHand[9].number, taken);
    const auto kept = handNumbers();
    clickBox(box("picPlayerDraw"));
    EXPECT_FALSE(rs().mustDiscard);
    EXPECT_EQ(handNumbers(), kept);
    ASSERT_FALSE(rs().eval.handWon);
    EXPECT_EQ(surface()->board().toImage(), bare);
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

// Gestures on the user's hand, each from the order the one before left.
TEST_F(RummyWindowTest, ClicksAndDragsRearrangeTheHand)
{
    start();
    std::vector<int> places;
    for (int i = 0; i < 9; ++i)
        places.push_back(rs().playerHand[i].left);
    enum Kind { Left, Right, Drag };
    const struct {
        const char* name;
        Kind kind;
        int from, to;
        QPoint nudge;
    } rows[] = {
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
        EXPECT_EQ(rs().playerHand[i].left, places[i]) << "slot " << i << " keeps its place";
    EXPECT_GT(places[3] - places[2], rs().geo.cardStep) << "the gaps between the groups";

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

// Runs an action once, at the first wait after the watched widget is shown.
class OnShow : public QObject {
public:
    OnShow(QWidget* watched, std::function<void()> action) : action_(std::move(action))
    {
        watched->installEventFilter(this);
    }
    bool fired = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Show && !armed_) {
            armed_ = true;
            QTimer::singleShot(0, this, [this] {
                fired = true;
                action_();
            });
        }
        return QObject::eventFilter(o, e);
    }

private:
    std::function<void()> action_;
    bool armed_ = false;
};

// While the discard flies: a click, a drag, or a sort of the hand.
enum class InFlight { Click, Drag, Sort };

class FlightTest : public RummyWindowTest, public ::testing::WithParamInterface<InFlight> {};

TEST_P(FlightTest, HandChangesWhileTheDiscardFliesLoseNoCard)
{
    start();
    auto* hand = box("picPlayerHand");
    act("mnuSortSuit")->trigger();
    drawFromStock();
    ASSERT_TRUE(rs().mustDiscard);
    // A slot whose card a sort by rank would move.
    Hand sorted = rs().playerHand;
    sortByRank(sorted);
    int k = 0;
    while (k < 8 && sorted[k].number == rs().playerHand[k].number)
        ++k;
    const int leaving = rs().playerHand[k].number;
    hoverCard(k);
    OnShow flight(animated(), [&] {
        const QImage before = hand->image.toImage();
        switch (GetParam()) {
        case InFlight::Click: clickCard(k == 0 ? 1 : 0); leaveHand(); break;
        case InFlight::Drag: dragCard(k == 0 ? 1 : 0, cardPoint(7)); break;
        case InFlight::Sort: act("mnuSortRank")->trigger(); return;
        }
        EXPECT_EQ(hand->image.toImage(), before) << "the hand is not redrawn under the flying card";
    });
    QTest::mouseClick(hand, Qt::LeftButton, {}, cardPoint(k));
    ASSERT_TRUE(flight.fired);
    ASSERT_FALSE(rs().eval.handWon);
    EXPECT_FALSE(rs().mustDiscard);
    for (int i = 0; i < 9; ++i)
        EXPECT_NE(rs().playerHand[i].number, leaving) << "slot " << i;
}

INSTANTIATE_TEST_SUITE_P(ClickDragOrSort, FlightTest,
                         ::testing::Values(InFlight::Click, InFlight::Drag, InFlight::Sort));

}  // namespace
}  // namespace dm::testing
