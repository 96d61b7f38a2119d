// The computer's turn on the recording table: its outcomes, pauses and interruptions.
#include <gtest/gtest.h>

#include "fake_rummy_view.h"

using namespace dm;
using namespace dm::test;

namespace {

constexpr const char* kUserNine = "AC 2D 3H 4S 6C 7D 8H KC KS";

std::string num(const char* card) { return std::to_string(parseCard(card)); }

// The user draws the stock's top and throws slot `slot`; returns the first call of the computer's turn.
size_t userPlays(Table& t, int slot)
{
    t.game.picDeal_Click();
    size_t n = t.view.calls.size();
    t.game.DiscardPlayerCard(slot);
    return n;
}

std::vector<std::string> turnCalls(const Table& t, size_t from)
{
    std::vector<std::string> out = after(t.view, from);
    // Leave the user's own discard out: the turn starts after the user's discard pile redraw.
    auto it = std::find(out.begin(), out.end(), "discardPile");
    out.erase(out.begin(), it + 1);
    if (!out.empty() && out.front().rfind("refreshHand Player", 0) == 0)
        out.erase(out.begin());
    return out;
}

}  // namespace

TEST(RummyComputer, TakesAUsefulDiscardAndThrowsItsWeakestCard)
{
    Table t;
    // The user throws KC; the computer pairs it with KH and throws its first zero card, slot 0.
    t.arrange("2C 4D 6H 8S 9C QD AH 3S KC", kLooseNine, "5S");
    t.rng.next = {0.5};  // k = 3
    size_t n = userPlays(t, 8);
    EXPECT_EQ(turnCalls(t, n),
              (std::vector<std::string>{"wait 300", "sound deal.wav", "drawSpot Computer hidden", "discardPile",
                                        "animate DiscardNext>ComputerDraw " + num("KC"), "drawSpot Computer shown",
                                        "wait 300", "sound drop.wav", "refreshHand Computer 0 skip",
                                        "animate ComputerSlot0>DiscardNext " + num("AC"), "discardPile",
                                        "refreshHand Computer 99"}));
    EXPECT_EQ(t.s.discardPile.size(), 2u);
    EXPECT_EQ(t.s.discardPile.back().number, parseCard("AC"));
    EXPECT_FALSE(t.s.eval.computerTurn);
    EXPECT_EQ(t.s.computerHand[9].number, -1);
    EXPECT_EQ(t.s.computerHand[9].value, -1);
    EXPECT_EQ(placesCheck(t.s), "");
}

TEST(RummyComputer, DrawsWhenTheOfferScoresNoBetterAndThrowsTheEvaluatedCard)
{
    Table t;
    // 8S means nothing to the computer; it draws KD (a pair with KH) and throws 6D from slot 8.
    t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "KD 9H");
    t.rng.next = {0.0};  // k = 1
    size_t n = userPlays(t, 3);
    EXPECT_EQ(turnCalls(t, n),
              (std::vector<std::string>{"wait 100", "sound deal.wav", "stock 0", "animate Stock>ComputerDraw 99",
                                        "drawSpot Computer shown", "wait 100", "sound drop.wav",
                                        "refreshHand Computer 8 skip",
                                        "animate ComputerSlot8>DiscardNext " + num("6D"), "discardPile",
                                        "refreshHand Computer 99"}));
    EXPECT_EQ(t.s.discardPile.back().number, parseCard("6D"));
    EXPECT_EQ(t.s.computerHand[8].number, parseCard("KD"));
    EXPECT_EQ(t.s.stock.size(), 32u);
    EXPECT_FALSE(t.s.eval.computerTurn);
    EXPECT_EQ(placesCheck(t.s), "");
}

TEST(RummyComputer, WinsWithTheOfferedCardAtOnce)
{
    Table t;
    t.arrange(kUserNine, kWinningNine, "QH", "", false);
    // The user draws QH and throws it straight away.
    t.rng.next = {0.0, 0.0};  // k = 1, the common lost sound
    size_t n = userPlays(t, 9);
    // No taking sound, no pause, no animation: straight to the announcement.
    EXPECT_EQ(turnCalls(t, n),
              (std::vector<std::string>{"sound lost.wav", "winner Computer", "wait 1000", "banks 95/105"}));
    EXPECT_TRUE(t.s.eval.handWon);
    EXPECT_TRUE(t.s.eval.computerTurn);
    EXPECT_EQ(t.s.computerHand[9].number, parseCard("QH"));
    EXPECT_EQ(t.s.discardPile.back().number, parseCard("QH"));
    EXPECT_EQ(placesCheck(t.s), "");

    size_t m = t.view.calls.size();
    t.game.picDeal_Click();
    t.game.picReject_Click();
    EXPECT_EQ(t.view.calls.size(), m + 2);  // two hideStart, nothing else
}

TEST(RummyComputer, WinsWithADrawnCard)
{
    Table t;
    // The user draws 2C and throws KS, which the computer cannot use; it then draws QH.
    t.arrange(kUserNine, kWinningNine, "QH 2C");
    t.rng.next = {0.75, 0.7, 0.2};  // k = 4; n = 8 -> the rare sounds, m = 1
    size_t n = userPlays(t, 8);
    EXPECT_EQ(turnCalls(t, n),
              (std::vector<std::string>{"wait 400", "sound deal.wav", "stock 0", "animate Stock>ComputerDraw 99",
                                        "drawSpot Computer shown", "sound lost1.wav", "winner Computer",
                                        "wait 1000", "banks 95/105"}));
    EXPECT_TRUE(t.s.eval.handWon);
    EXPECT_TRUE(t.s.eval.computerTurn);
    EXPECT_EQ(t.s.computerHand[9].number, parseCard("QH"));
    EXPECT_EQ(t.s.discardPile.back().number, parseCard("KS"));
    EXPECT_EQ(placesCheck(t.s), "");
}

// One pause length per turn, k x delay; an out-of-range delay is clamped so the
// pause stays a 16-bit value and the turn still ends.
TEST(RummyComputer, EveryPauseOfATurnIsKTimesTheClampedDelay)
{
    struct Case {
        int16_t delay;
        double r;
        int ms;
    } cases[] = {{100, 0.0, 100}, {100, 0.3, 200}, {100, 0.6, 300}, {100, 0.99, 400},
                 {30000, 0.99, 32764}, {8191, 0.99, 32764}, {-50, 0.5, 0}};
    for (const Case& c : cases) {
        Table t;
        t.prefs.prfMoveDelay = c.delay;
        t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "KD 9H");
        t.rng.next = {c.r};
        userPlays(t, 3);
        EXPECT_EQ(t.view.matching("wait"), std::vector<std::string>(2, "wait " + std::to_string(c.ms)));
        EXPECT_FALSE(t.s.eval.computerTurn);
    }
}

TEST(RummyComputer, NewDealDuringAPauseEndsTheTurnWithoutTouchingTheNewHand)
{
    for (int interruptedWait : {1, 2}) {
        Table t;
        t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "KD 9H");
        RummyState fresh;
        size_t afterDeal = 0;
        t.view.onWait = [&](int n) {
            if (n == interruptedWait) {
                t.game.newHand();
                fresh = t.s;
                afterDeal = t.view.calls.size();
            }
        };
        userPlays(t, 3);
        EXPECT_EQ(t.view.calls.size(), afterDeal) << "the old turn went on after wait " << interruptedWait;
        EXPECT_EQ(t.s.stock, fresh.stock);
        EXPECT_EQ(t.s.discardPile, fresh.discardPile);
        EXPECT_EQ(t.s.computerHand, fresh.computerHand);
        EXPECT_FALSE(t.s.eval.computerTurn);
        EXPECT_EQ(placesCheck(t.s), "");
    }
}

TEST(RummyComputer, WindowClosingDuringATurnStopsEverything)
{
    for (int failAt : {1, 2}) {
        Table t;
        t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "KD 9H");
        t.view.failWaitAt = failAt;
        userPlays(t, 3);
        EXPECT_TRUE(t.view.calls.back().rfind("wait", 0) == 0) << t.view.calls.back();
        EXPECT_EQ(t.view.count("wait"), failAt);
    }
    // An animation failing mid-turn stops it as well.
    Table t;
    t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "KD 9H");
    t.view.failAnimationAt = 3;  // user's draw, user's discard, the computer's draw
    userPlays(t, 3);
    EXPECT_EQ(t.view.calls.back(), "animate Stock>ComputerDraw 99");

    // Closing during the loss display: the payment is not reached.
    Table lost;
    lost.arrange(kUserNine, kWinningNine, "QH");
    lost.view.failWaitAt = 1;
    userPlays(lost, 9);
    EXPECT_EQ(lost.view.calls.back(), "wait 1000");
    EXPECT_EQ(lost.prefs.prfPlayerBank, 100);
}

TEST(RummyComputer, StockAnimationWhenFewCardsRemain)
{
    const char* spare[] = {"8C", "8D", "8H", "9D", "9H", "9S", "10D", "10H", "10S", "JC", "JH", "JS"};
    // The stock holds `left` cards; after the user's and the computer's draws its last index is left - 3.
    for (auto [left, animated] : {std::pair{6, false}, {7, true}, {11, true}, {12, false}}) {
        Table t;
        std::string top;
        for (int i = 0; i < left; ++i)
            top += std::string(spare[i]) + " ";
        t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", "AC 3D 4H 2S JD KH QS 10C 6D", top, "", true);
        ASSERT_EQ(t.s.stock.size(), static_cast<size_t>(left));
        userPlays(t, 3);
        ASSERT_TRUE(t.view.has("animate Stock>ComputerDraw"));
        EXPECT_EQ(t.view.has("stockAnimation"), animated) << left;
    }
}

TEST(RummyComputer, ShowHandFlipsTheChoiceAndPeekAlwaysEndsFaceDown)
{
    Table t;
    t.game.mnuShowComputerHand_Click();
    EXPECT_FALSE(t.prefs.prfShowHide);
    t.game.mnuShowComputerHand_Click();
    EXPECT_TRUE(t.prefs.prfShowHide);
    EXPECT_EQ(t.view.calls, (std::vector<std::string>{"computerCards up", "computerCards down"}));

    t.view.calls.clear();
    t.rng.next = {0.25};  // n = 3: the peek sound
    t.prefs.prfShowHide = false;  // also when the hand was shown
    t.game.mnuPeek_Click();
    EXPECT_EQ(t.view.calls,
              (std::vector<std::string>{"sound peek.wav", "computerCards up", "wait 2000", "computerCards down"}));

    // A new deal during the look: still face down at the end.
    t.view.calls.clear();
    t.rng.next = {0.5};
    t.view.onWait = [&](int) { t.game.newHand(); };
    t.game.mnuPeek_Click();
    EXPECT_FALSE(t.view.has("sound"));
    EXPECT_EQ(t.view.calls.back(), "computerCards down");

    // The window gone: no drawing after the wait.
    t.view.onWait = nullptr;
    t.view.failWaitAt = t.view.waits + 1;
    t.view.calls.clear();
    t.game.mnuPeek_Click();
    EXPECT_EQ(t.view.calls.back(), "wait 2000");
}
