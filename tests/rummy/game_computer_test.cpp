// The computer's turn on the recording table: its outcomes, pauses and interruptions.
#include <gtest/gtest.h>

#include "fake_rummy_view.h"

using namespace dm;
using namespace dm::test;

namespace {

constexpr const char* kUserNine = "AC 2D 3H 4S 6C 7D 8H KC KS";

std::string num(const char* card) { return std::to_string(parseCard(card)); }

// The user draws the stock's top and throws slot `slot`; returns the calls of the computer's turn.
Calls userPlays(Table& t, int slot)
{
    t.game.picDeal_Click();
    const size_t n = t.view.calls.size();
    t.game.DiscardPlayerCard(slot);
    Calls out(t.view.calls.begin() + static_cast<long>(n), t.view.calls.end());
    out.erase(out.begin(), std::find(out.begin(), out.end(), "discardPile") + 1);  // the user's own discard
    if (!out.empty() && out.front().rfind("refreshHand Player", 0) == 0)
        out.erase(out.begin());
    return out;
}

}  // namespace

TEST(RummyComputer, TurnOutcomes)
{
    struct Case {
        const char *name, *user, *computer, *stockTop;
        std::deque<double> rng;  // first: the pause factor k; then the loss sounds
        int userThrows;
        Calls turn;
        const char* pileTop;
        bool won;
    } cases[] = {
        {"takes the discard, throws its first weakest", "2C 4D 6H 8S 9C QD AH 3S KC", kLooseNine, "5S", {0.5}, 8,
         {"wait 300", "sound deal.wav", "drawSpot Computer hidden", "discardPile",
          "animate DiscardNext>ComputerDraw " + num("KC"), "drawSpot Computer shown", "wait 300", "sound drop.wav",
          "refreshHand Computer 0 skip", "animate ComputerSlot0>DiscardNext " + num("AC"), "discardPile",
          "refreshHand Computer 99"},
         "AC", false},
        {"draws, throws the evaluated card", kPlainUser, kLooseNine, "KD 9H", {0.0}, 3,
         {"wait 100", "sound deal.wav", "stock 0", "stock 4", "animate Stock>ComputerDraw 99", "stock 0", "drawSpot Computer shown",
          "wait 100", "sound drop.wav", "refreshHand Computer 8 skip", "animate ComputerSlot8>DiscardNext " + num("6D"),
          "discardPile", "refreshHand Computer 99"},
         "6D", false},
        // The offered card wins at once: no taking, no pause; it stays on the pile.
        {"wins with the offered card", kUserNine, kWinningNine, "QH", {0.0, 0.0}, 9,
         {"sound lost.wav", "winner Computer", "wait 1000", "banks 95/105"}, "QH", true},
        {"wins with a drawn card", kUserNine, kWinningNine, "QH 2C", {0.75, 0.7, 0.2}, 8,
         {"wait 400", "sound deal.wav", "stock 0", "stock 4", "animate Stock>ComputerDraw 99", "stock 0", "drawSpot Computer shown",
          "sound lost1.wav", "winner Computer", "wait 1000", "banks 95/105"},
         "KS", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        t.arrange(c.user, c.computer, c.stockTop);
        t.rng.next = c.rng;
        EXPECT_EQ(userPlays(t, c.userThrows), c.turn);
        EXPECT_EQ(t.s.discardPile.back().number, parseCard(c.pileTop));
        EXPECT_TRUE(t.s.eval.handWon == c.won && t.s.eval.computerTurn == c.won);
        EXPECT_EQ(t.s.computerHand[9].number, c.won ? parseCard("QH") : -1);  // a winning QH stays in slot 9
        EXPECT_EQ(placesCheck(t.s), "");
    }
}

// With the meld store full, a set completed by the drawn card is known only by its cards' marks, which must follow them.
TEST(RummyComputer, ASetCompletedByTheDrawnCardIsKeptWhenTheStoreIsFull)
{
    Table t;  // the user throws 7S, then 9C; the computer draws 5H, then KD; its stored melds have gone to the pile
    t.arrange("2C 4C 6C 8C 9D QD 2H 4H 6S", "5C 5D AC 3D 8H 10S JD KH QS", "KD 9C 5H 7S");
    t.s.resetMelds = false;
    for (const char* meld : {"AH AS AD", "9H 10H JH", "7C 7D 7H"}) {
        std::vector<CardRec> m;
        for (int n : numbersOf(meld))
            m.push_back(cardOf(n)), m.back().value = 10;
        ASSERT_TRUE(t.s.eval.computerMelds.addMeld(m[0], m[1], m[2]));
    }
    userPlays(t, 9);
    ASSERT_EQ(t.s.discardPile.back().number, parseCard("QS")) << "5H took the place of QS";
    userPlays(t, 9);
    ASSERT_FALSE(t.s.eval.handWon);
    const auto held = handNumbers(t.s.computerHand);
    for (const char* card : {"5C", "5D", "5H"})
        EXPECT_NE(std::find(held.begin(), held.end(), parseCard(card)), held.end()) << card << " was thrown";
    EXPECT_EQ(placesCheck(t.s), "");
}

// An out-of-range delay is clamped so the pause (k x delay) stays a 16-bit value and the turn still ends.
TEST(RummyComputer, EveryPauseOfATurnIsKTimesTheClampedDelay)
{
    for (auto [delay, r, ms] : {std::tuple<int16_t, double, int>{30000, 0.99, 32764}, {-50, 0.5, 0}}) {
        Table t;
        t.prefs.prfMoveDelay = delay;
        t.arrange(kPlainUser, kLooseNine, "KD 9H");
        t.rng.next = {r};
        userPlays(t, 3);
        EXPECT_EQ(t.view.matching("wait"), Calls(2, "wait " + std::to_string(ms)));
    }
}

// Both computers: the Expert thinks on a worker thread through the same pauses.
class RummyComputerEither : public ::testing::TestWithParam<Opponent> {};
INSTANTIATE_TEST_SUITE_P(Opponents, RummyComputerEither, ::testing::Values(Opponent::Standard, Opponent::Expert));

TEST_P(RummyComputerEither, ANewDealOrAClosedWindowStopsTheTurnWhereItIs)
{
    struct Case {
        const char* name;
        bool inAnimation;  // else in a wait
        int at;            // the n-th wait or animation; animations count the user's two first
        bool newDeal;      // else the window is gone
        bool loss = false;  // the computer wins at once
    } cases[] = {
        {"a new deal before the computer draws", false, 1, true}, {"a new deal before it discards", false, 2, true},
        {"window gone before it draws", false, 1, false},         {"window gone before it discards", false, 2, false},
        {"window gone while its card glides", true, 3, false},
        {"window gone during the loss display: no payment", false, 1, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        t.game.setOpponent(GetParam());
        t.game.newHand();
        c.loss ? t.arrange(kUserNine, kWinningNine, "QH") : t.arrange(kPlainUser, kLooseNine, "KD 9H");
        RummyState fresh;
        size_t mark = 0;
        (c.inAnimation ? t.view.onAnimation : t.view.onWait) = [&](int n) {
            if (n != c.at)
                return;
            if (c.newDeal)
                t.game.newHand(), fresh = t.s;
            mark = t.view.calls.size();
        };
        if (!c.newDeal)
            (c.inAnimation ? t.view.failAnimationAt : t.view.failWaitAt) = c.at;
        userPlays(t, c.loss ? 9 : 3);
        EXPECT_EQ(t.view.calls.size(), mark) << "the turn went on after call " << mark;
        EXPECT_EQ(t.prefs.prfPlayerBank, 100);
        if (c.newDeal)
            EXPECT_TRUE(t.s.stock == fresh.stock && t.s.discardPile == fresh.discardPile && t.s.computerHand == fresh.computerHand && !t.s.eval.computerTurn);
    }
}

TEST(RummyComputer, PeekEndsFaceDown)
{
    Table t;
    t.rng.next = {0.25};  // n = 3: the peek sound
    t.game.mnuPeek_Click();
    EXPECT_EQ(t.view.calls, (Calls{"sound peek.wav", "computerCards up", "wait 2000", "computerCards down"}));
}
