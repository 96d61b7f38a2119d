// Hold values against every draw played out, and the whole game's published figures.
#include <gtest/gtest.h>

#include "poker/analysis.h"
#include "poker_support.h"

namespace dm {
namespace {

// Every draw of every hold dealt out and classified by the game's own payout rules.
HoldValues bruteForce(const PokerCards& hand)
{
    std::vector<int> unseen;
    for (int n = 0; n < kDeckSize; ++n)
        if (std::none_of(hand.begin(), hand.end(), [n](const CardRec& c) { return c.number == n; }))
            unseen.push_back(n);
    HoldValues values{};
    for (HoldMask mask = 0; mask < kHolds; ++mask) {
        PokerCards final = hand;
        double credits = 0, draws = 0;
        auto fill = [&](auto&& self, int pos, size_t from) -> void {  // each let-go position from the unseen cards
            while (pos < 5 && (mask >> pos & 1))
                ++pos;
            if (pos == 5) {
                credits += pokerPays(EvaluatePokerHand(final, true));
                ++draws;
                return;
            }
            for (size_t k = from; k < unseen.size(); ++k)
                setCard(final[pos], unseen[k]), self(self, pos + 1, k + 1);
        };
        fill(fill, 0, 0);
        values[mask] = credits / draws;
    }
    return values;
}

TEST(HoldValues, MatchEveryDrawPlayedOut)
{
    // hand, its best hold, a hold the adviser accepts
    const std::tuple<const char*, HoldMask, HoldMask> rows[] = {
        {"Ah 10h Jh Qh Kh", 0b11111, 0b11111},  // dealt royal: keep it all
        {"Ah 10h Jh Qh 3c", 0b01111, 0b01111},  // four to a royal: draw one
        {"8c 8d 2h 5s Kd", 0b00011, 0b00011},   // a low pair
        {"2c 4d 7h 9s Jd", 0b10000, 0b10000},   // nothing but a jack
    };
    for (const auto& [text, best, adviser] : rows) {
        SCOPED_TRACE(text);
        const PokerCards hand = test::pokerHand(text);
        const HoldValues exact = holdValues(hand), played = bruteForce(hand);
        for (HoldMask m = 0; m < kHolds; ++m)
            EXPECT_NEAR(exact[m], played[m], 1e-9) << "mask " << m;
        EXPECT_EQ(bestHold(exact), best);
        EXPECT_TRUE(adviserHolds(hand)[adviser]);
    }
}

TEST(SolveGame, ReproducesThePublishedReturnAndRoyalCount)
{
    const GameSolution game = solveGame(kGamePays, true);
    EXPECT_NEAR(game.returnRate, 0.9954390437, 5e-11);
    EXPECT_EQ(game.total, 19'933'230'517'200u);
    EXPECT_EQ(game.finals[static_cast<int>(FinalHand::RoyalFlush)], 493'512'264u);
    // The ladder can only lose against perfect play, and its choices can only differ.
    EXPECT_TRUE(game.adviserLow > 0.9 && game.adviserLow <= game.adviserHigh && game.adviserHigh <= game.returnRate);
}

}  // namespace
}  // namespace dm
