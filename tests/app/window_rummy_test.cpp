// Rummy on the window driven by the mouse: drawing, taking the discard, discarding,
// and rearranging the hand by clicks and drags.
#include <algorithm>
#include <set>

#include <QTimer>
#include <functional>

#include "app_fixture.h"

namespace dm::testing {
namespace {

class RummyWindowTest : public AppWindowTest {
protected:
    // Every card is somewhere, once: both hands, the stock and the discard pile.
    void expectAllCardsOnce()
    {
        std::multiset<int> seen;
        for (int i = 0; i < 9; ++i) {
            seen.insert(rs().playerHand[i].number);
            seen.insert(rs().computerHand[i].number);
        }
        if (rs().mustDiscard)
            seen.insert(rs().playerHand[9].number);
        for (const auto& c : rs().stock)
            seen.insert(c.number);
        for (size_t i = 1; i < rs().discardPile.size(); ++i)
            seen.insert(rs().discardPile[i].number);
        ASSERT_EQ(seen.size(), 52u);
        for (int n = 0; n < 52; ++n)
            EXPECT_EQ(seen.count(n), 1u) << "card " << n;
    }

    // One full turn of the user: draw, discard the card in slot `slot`, computer plays.
    void playTurn(int slot)
    {
        drawFromStock();
        ASSERT_TRUE(rs().mustDiscard);
        clickCard(slot);
        ASSERT_FALSE(rs().mustDiscard);
        ASSERT_FALSE(rs().eval.computerTurn);
    }
};

TEST_F(RummyWindowTest, DrawFromTheStockFillsTheDrawSpotOnce)
{
    start();
    ASSERT_FALSE(box("picPlayerDraw")->isVisible());
    const int top = rs().stock.back().number;
    const auto hand = handNumbers();
    drawFromStock();
    EXPECT_EQ(rs().playerHand[9].number, top);
    EXPECT_TRUE(rs().mustDiscard);
    EXPECT_EQ(rs().stock.size(), 52u - 18u - 1u);
    EXPECT_TRUE(box("picPlayerDraw")->isVisible());
    EXPECT_FALSE(w->findChild<QWidget*>("picAnimate")->isVisible()) << "the moving card is put away";
    EXPECT_EQ(handNumbers(), hand);

    // A second click while a discard is due draws nothing.
    drawFromStock();
    EXPECT_EQ(rs().stock.size(), 52u - 18u - 1u);
    EXPECT_EQ(rs().playerHand[9].number, top);
    expectAllCardsOnce();
    EXPECT_TRUE(messages.empty());
}

TEST_F(RummyWindowTest, ClickingTheRaisedCardDiscardsItAndTheComputerPlays)
{
    start();
    drawFromStock();
    const int drawn = rs().playerHand[9].number;
    const int leaving = rs().playerHand[3].number;
    const auto stockBefore = rs().stock.size();

    clickCard(3);
    EXPECT_FALSE(rs().mustDiscard);
    EXPECT_FALSE(rs().eval.computerTurn) << "the computer's turn ran to its end";
    EXPECT_EQ(rs().playerHand[3].number, drawn) << "the drawn card takes the discarded one's slot";
    EXPECT_FALSE(box("picPlayerDraw")->isVisible());
    // The computer either took the discard or drew from the stock; it then threw a card.
    const bool tookDiscard = rs().stock.size() == stockBefore;
    if (tookDiscard) {
        EXPECT_EQ(rs().discardPile.size(), 2u);
    } else {
        EXPECT_EQ(rs().stock.size(), stockBefore - 1);
        ASSERT_EQ(rs().discardPile.size(), 3u);
        EXPECT_EQ(rs().discardPile[1].number, leaving);
    }
    expectAllCardsOnce();
    EXPECT_TRUE(messages.empty());
}

TEST_F(RummyWindowTest, ClickingTheDrawnCardDiscardsItAndLeavesTheHand)
{
    start();
    drawFromStock();
    const int drawn = rs().playerHand[9].number;
    const auto hand = handNumbers();
    clickBox(box("picPlayerDraw"));
    EXPECT_FALSE(rs().mustDiscard);
    EXPECT_EQ(handNumbers(), hand);
    // The card went onto the pile; the computer may have taken it straight back.
    const bool onPile = rs().discardPile.size() >= 2 && rs().discardPile[1].number == drawn;
    const bool withComputer = std::any_of(rs().computerHand.begin(), rs().computerHand.begin() + 9,
                                          [&](const CardRec& c) { return c.number == drawn; });
    EXPECT_TRUE(onPile || withComputer);
    expectAllCardsOnce();
}

TEST_F(RummyWindowTest, TakingTheDiscardPutsItInTheDrawSpot)
{
    start();
    // The empty pile at the start of a hand gives nothing.
    clickBox(box("picReject"));
    EXPECT_FALSE(rs().mustDiscard);

    playTurn(0);
    ASSERT_FALSE(rs().discardEmpty());
    const int top = discardTop();
    const auto pileSize = rs().discardPile.size();
    clickBox(box("picReject"));
    EXPECT_TRUE(rs().mustDiscard);
    EXPECT_EQ(rs().playerHand[9].number, top);
    EXPECT_EQ(rs().discardPile.size(), pileSize - 1);
    EXPECT_TRUE(box("picPlayerDraw")->isVisible());
    // While a discard is due the pile gives no second card.
    clickBox(box("picReject"));
    EXPECT_EQ(rs().discardPile.size(), pileSize - 1);
    expectAllCardsOnce();
}

TEST_F(RummyWindowTest, ClicksSendACardToEitherEndAndKeepTheGroupGaps)
{
    start();
    std::vector<int> places;
    for (int i = 0; i < 9; ++i)
        places.push_back(rs().playerHand[i].left);
    auto hand = handNumbers();

    clickCard(2);
    std::vector<int> want = hand;
    std::rotate(want.begin() + 2, want.begin() + 3, want.end());
    EXPECT_EQ(handNumbers(), want);

    clickCard(6, Qt::RightButton);
    const int moved = want[6];
    want.erase(want.begin() + 6);
    want.insert(want.begin(), moved);
    EXPECT_EQ(handNumbers(), want);

    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(rs().playerHand[i].left, places[i]) << "slot " << i << " keeps its place";
    const int step = rs().geo.cardStep;
    EXPECT_GT(places[3] - places[2], step);
    EXPECT_GT(places[6] - places[5], step);
    EXPECT_FALSE(rs().mustDiscard);
}

TEST_F(RummyWindowTest, DraggingACardDropsItAfterTheTarget)
{
    start();
    auto* hand = box("picPlayerHand");
    const auto before = handNumbers();

    hoverCard(1);
    QTest::mousePress(hand, Qt::LeftButton, {}, cardPoint(1));
    QTest::mouseMove(hand, cardPoint(1) + QPoint(10, 0));
    QTest::mouseMove(hand, cardPoint(5));
    QTest::mouseRelease(hand, Qt::LeftButton, {}, cardPoint(5));
    std::vector<int> want{before[0], before[2], before[3], before[4], before[5],
                          before[1], before[6], before[7], before[8]};
    EXPECT_EQ(handNumbers(), want);

    // Onto the last card: the dragged card ends last.
    const auto now = handNumbers();
    hoverCard(0);
    QTest::mousePress(hand, Qt::LeftButton, {}, cardPoint(0));
    QTest::mouseMove(hand, cardPoint(8));
    QTest::mouseRelease(hand, Qt::LeftButton, {}, cardPoint(8));
    want = {now[1], now[2], now[3], now[4], now[5], now[6], now[7], now[8], now[0]};
    EXPECT_EQ(handNumbers(), want);
    EXPECT_FALSE(rs().mustDiscard);
}

TEST_F(RummyWindowTest, ADragRightAfterAClickTakesTheCardNowUnderThePointer)
{
    start();
    auto* hand = box("picPlayerHand");
    clickCard(2);  // the card leaves for the right end; its neighbour slides under the pointer
    const auto now = handNumbers();
    QTest::mousePress(hand, Qt::LeftButton, {}, cardPoint(2));
    QTest::mouseMove(hand, cardPoint(6));
    QTest::mouseRelease(hand, Qt::LeftButton, {}, cardPoint(6));
    const std::vector<int> want{now[0], now[1], now[3], now[4], now[5], now[6], now[2], now[7], now[8]};
    EXPECT_EQ(handNumbers(), want);
}

TEST_F(RummyWindowTest, FivePixelsAreAClickAndSixADrag)
{
    start();
    auto* hand = box("picPlayerHand");
    const auto before = handNumbers();

    // Six pixels within the card's own strip: a drag that drops the card where it was,
    // and the click that ends it moves nothing.
    hoverCard(1);
    QTest::mousePress(hand, Qt::LeftButton, {}, cardPoint(1));
    QTest::mouseMove(hand, cardPoint(1) + QPoint(6, 0));
    QTest::mouseRelease(hand, Qt::LeftButton, {}, cardPoint(1) + QPoint(6, 0));
    EXPECT_EQ(handNumbers(), before);

    // Five pixels start no drag: the release is a click, which sends the card right.
    leaveHand();
    hoverCard(1);
    QTest::mousePress(hand, Qt::LeftButton, {}, cardPoint(1));
    QTest::mouseMove(hand, cardPoint(1) + QPoint(5, 0));
    QTest::mouseRelease(hand, Qt::LeftButton, {}, cardPoint(1) + QPoint(5, 0));
    std::vector<int> want = before;
    std::rotate(want.begin() + 1, want.begin() + 2, want.end());
    EXPECT_EQ(handNumbers(), want);
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

class FlightTest : public RummyWindowTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FlightTest, HandInputWhileTheDiscardFliesChangesNothing)
{
    const bool drag = GetParam();
    start();
    auto* hand = box("picPlayerHand");
    drawFromStock();
    ASSERT_TRUE(rs().mustDiscard);
    const int leaving = rs().playerHand[4].number;
    hoverCard(4);
    OnShow flight(w->findChild<QWidget*>("picAnimate"), [&] {
        const QImage before = hand->image.toImage();
        if (drag) {
            QTest::mousePress(hand, Qt::LeftButton, {}, cardPoint(0));
            QTest::mouseMove(hand, cardPoint(7));
            QTest::mouseRelease(hand, Qt::LeftButton, {}, cardPoint(7));
        } else {
            clickCard(0);
            leaveHand();
        }
        EXPECT_EQ(hand->image.toImage(), before) << "the hand is not redrawn under the flying card";
    });
    QTest::mouseClick(hand, Qt::LeftButton, {}, cardPoint(4));
    ASSERT_TRUE(flight.fired);
    ASSERT_FALSE(rs().eval.handWon);
    EXPECT_FALSE(rs().mustDiscard);
    for (int i = 0; i < 9; ++i)
        EXPECT_NE(rs().playerHand[i].number, leaving) << "slot " << i;
    expectAllCardsOnce();
}

INSTANTIATE_TEST_SUITE_P(ClickOrDrag, FlightTest, ::testing::Bool());

TEST_F(RummyWindowTest, SortingWhileTheDiscardFliesLosesNoCard)
{
    start();
    act("mnuSortSuit")->trigger();
    drawFromStock();
    // A slot whose card the sort would move.
    Hand sorted = rs().playerHand;
    sortByRank(sorted);
    int k = 0;
    while (k < 8 && sorted[k].number == rs().playerHand[k].number)
        ++k;
    const int leaving = rs().playerHand[k].number;
    hoverCard(k);
    OnShow flight(w->findChild<QWidget*>("picAnimate"), [&] { act("mnuSortRank")->trigger(); });
    QTest::mouseClick(box("picPlayerHand"), Qt::LeftButton, {}, cardPoint(k));
    ASSERT_TRUE(flight.fired);
    ASSERT_FALSE(rs().eval.handWon);
    for (int i = 0; i < 9; ++i)
        EXPECT_NE(rs().playerHand[i].number, leaving) << "slot " << i;
    expectAllCardsOnce();
}

TEST_F(RummyWindowTest, SeveralTurnsKeepTheTableWhole)
{
    start();
    for (int turn = 0; turn < 6 && !rs().eval.handWon; ++turn) {
        playTurn(turn % 9);
        if (!rs().eval.handWon) {
            expectAllCardsOnce();
            EXPECT_FALSE(box("picPlayerDraw")->isVisible());
            EXPECT_TRUE(box("picReject")->isVisible());
            EXPECT_TRUE(box("picPlayerHand")->isVisible());
        }
    }
    EXPECT_TRUE(messages.empty() || rs().eval.handWon);
    shot("rummy_turns.png");
}

}  // namespace
}  // namespace dm::testing
