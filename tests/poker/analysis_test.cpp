// Hold values against every draw played out, and the whole game's published figures.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>

#include "poker/analysis.h"
#include "poker_support.h"

namespace dm {
namespace {

using test::pokerHand;

// Every draw of every hold dealt out and classified by the game's own payout rules.
HoldValues bruteForce(const PokerCards& hand)
{
    std::vector<int> unseen;
    for (int n = 0; n < kDeckSize; ++n)
        if (std::none_of(hand.begin(), hand.end(), [n](const CardRec& c) { return c.number == n; }))
            unseen.push_back(n);
    HoldValues values{};
    for (HoldMask mask = 0; mask < kHolds; ++mask) {
        const int drawn = 5 - std::popcount(mask);
        std::vector<int> pick(drawn);
        for (int i = 0; i < drawn; ++i)
            pick[i] = i;
        double credits = 0;
        long draws = 0;
        while (true) {
            PokerCards final = hand;
            for (int i = 0, k = 0; i < 5; ++i)
                if (!(mask & (1u << i)))
                    setCard(final[i], unseen[pick[k++]]);
            credits += pokerPays(EvaluatePokerHand(final, true));
            ++draws;
            int i = drawn - 1;
            while (i >= 0 && pick[i] == static_cast<int>(unseen.size()) - drawn + i)
                --i;
            if (i < 0)
                break;
            ++pick[i];
            for (int j = i + 1; j < drawn; ++j)
                pick[j] = pick[j - 1] + 1;
        }
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
        const PokerCards hand = pokerHand(text);
        const HoldValues exact = holdValues(hand);
        const HoldValues played = bruteForce(hand);
        for (HoldMask m = 0; m < kHolds; ++m)
            EXPECT_NEAR(exact[m], played[m], 1e-9) << "mask " << m;
        EXPECT_EQ(bestHold(exact), best);
        EXPECT_TRUE(adviserHolds(hand)[adviser]);
    }
}

TEST(HoldValues, FollowAnotherPayTable)
{
    // Only royals pay: keeping four to a royal is worth one chance in 47 of 5 * 1000.
    const PayTable royalsOnly{0, 0, 0, 0, 0, 0, 0, 0, 1000};
    const HoldValues v = holdValues(pokerHand("Ah 10h Jh Qh 3c"), royalsOnly);
    EXPECT_NEAR(v[0b01111], 5000.0 / 47, 1e-9);
    EXPECT_EQ(v[0b11111], 0.0);
}

TEST(SolveGame, ReproducesThePublishedReturnAndRoyalCount)
{
    const GameSolution game = solveGame(kGamePays, true);
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.10f", game.returnRate);
    EXPECT_STREQ(rate, "0.9954390437");
    EXPECT_EQ(game.total, 19'933'230'517'200u);
    EXPECT_EQ(game.finals[static_cast<int>(FinalHand::RoyalFlush)], 493'512'264u);
    // The ladder can only lose against perfect play, and its choices can only differ.
    EXPECT_LE(game.adviserHigh, game.returnRate);
    EXPECT_LE(game.adviserLow, game.adviserHigh);
    EXPECT_GT(game.adviserLow, 0.9);
}

}  // namespace
}  // namespace dm
