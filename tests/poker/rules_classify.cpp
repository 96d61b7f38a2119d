#include <gtest/gtest.h>

#include <numeric>

#include "poker/rules.h"
#include "rules_hands.h"

namespace dm {
namespace {

using test::pokerHand;

struct ClassCase {
    const char* cards;
    int normal;  // class in normal mode
    int payout;  // class in payout mode
};

std::ostream& operator<<(std::ostream& os, const ClassCase& c)
{
    return os << c.cards;
}

class ClassifyTest : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ClassifyTest, NormalAndPayoutClass)
{
    const ClassCase& c = GetParam();
    const PokerCards cards = pokerHand(c.cards);
    EXPECT_EQ(EvaluatePokerHand(cards), c.normal);
    EXPECT_EQ(EvaluatePokerHand(cards, true), c.payout);
}

INSTANTIATE_TEST_SUITE_P(
    Ladder, ClassifyTest,
    ::testing::Values(
        // Finished hands, the same in both modes.
        ClassCase{"10h Jh Qh Kh Ah", 1, 1},
        ClassCase{"Kh Ah Jh 10h Qh", 1, 1},           // input order does not matter
        ClassCase{"Ah 2h 3h 4h 5h", 2, 2},            // the ace runs low
        ClassCase{"9s 10s Js Qs Ks", 2, 2},
        ClassCase{"As 10h Jh Qd Kc", 7, 7},           // ace-high straight by name
        ClassCase{"Qc Kd Ah 2s 3c", 18, 18},          // no wrap-around
        ClassCase{"7c 7d 7h 7s Ah", 3, 3},
        ClassCase{"2c 2d 2h 2s 3c", 3, 3},
        ClassCase{"8c 8d 8h Kc Kd", 4, 4},            // never 8 or 10
        ClassCase{"Kc Kd 8h 8c 8d", 4, 4},
        ClassCase{"2d 9d 4d Jd 6d", 6, 6},
        ClassCase{"4c 5d 6h 7s 8c", 7, 7},
        ClassCase{"5c 5d 5h Ks 2c", 8, 8},
        ClassCase{"3c 3d 9h 9s Kc", 10, 10},
        // Drawing hands that payout mode turns into what they pay.
        ClassCase{"Ah Kh Qh Jh 7h", 5, 6},            // the adviser breaks the flush
        ClassCase{"Ah Kh Qh Jh As", 5, 11},
        ClassCase{"Ah Kh Qh Jh 10s", 5, 7},
        ClassCase{"9h 10h Jh Qh Qc", 9, 11},
        ClassCase{"5h 6h 7h 8h 2c", 9, 13},
        ClassCase{"Ah 2h 3h 4h 9c", 9, 13},           // ace-low four to a straight flush
        // Pairs: tens are low, jacks and aces high.
        ClassCase{"10h 10s 2c 5d 8h", 14, 14},
        ClassCase{"Jh Js 2c 5d 8h", 11, 11},
        ClassCase{"Ah As 2c 5d 8h", 11, 11},
        // Straights that need a card.
        ClassCase{"2c 3d 4h 5c Kd", 15, 15},
        ClassCase{"Ac 2d 3h 4s 9c", 20, 20},          // ace-2-3-4 is not outside
        ClassCase{"10c Jd Qh Ks 3c", 15, 15},         // ahead of two high cards
        ClassCase{"Jc Qd Kh As 5c", 18, 18},          // jack-to-ace is not outside
        ClassCase{"3c 7d 8h 9s 10c", 15, 15},         // upper four run
        // Suit-based draws, in ladder order.
        ClassCase{"Ah Qh Kh 5h 9s", 12, 12},          // ahead of four to a flush
        ClassCase{"10s Js Ks 3c 6d", 12, 12},
        ClassCase{"5h 8h 2h 9h 5s", 13, 13},          // ahead of the low pair
        ClassCase{"Kd Jd 3c 5h 9s", 16, 16},
        ClassCase{"5s 6s 7s Kd 2c", 17, 17},          // the king alone would be 20
        ClassCase{"Kc Qd 3h 5s 8c", 18, 18},
        ClassCase{"10d Kd 3c 5h 7s", 19, 19},
        ClassCase{"10d Ad 3c 5h 7s", 20, 20},         // ten-ace suited does not count
        ClassCase{"2c 4d 7h 9s 3c", 21, 21}));

TEST(PokerCensus, PayoutModeMatchesThePokerRanking)
{
    const auto counts = pokerCensus(true);
    EXPECT_EQ(counts[0], 0u);
    EXPECT_EQ(counts[1], 4u);
    EXPECT_EQ(counts[2], 36u);
    EXPECT_EQ(counts[3], 624u);
    EXPECT_EQ(counts[4], 3744u);
    EXPECT_EQ(counts[5], 0u);
    EXPECT_EQ(counts[6], 5108u);
    EXPECT_EQ(counts[7], 10200u);
    EXPECT_EQ(counts[8], 54912u);
    EXPECT_EQ(counts[9], 0u);
    EXPECT_EQ(counts[10], 123552u);
    EXPECT_EQ(counts[11], 337920u);
    const uint32_t rest = std::accumulate(counts.begin() + 12, counts.end(), 0u);
    EXPECT_EQ(rest, 2598960u - 4 - 36 - 624 - 3744 - 5108 - 10200 - 54912 - 123552 - 337920);
}

TEST(PokerCensus, NormalModeCountsEveryHandOnce)
{
    const auto normal = pokerCensus(false);
    const auto payout = pokerCensus(true);
    EXPECT_EQ(std::accumulate(normal.begin(), normal.end(), 0u), 2598960u);
    EXPECT_EQ(normal[0], 0u);
    for (int cls = 1; cls <= 4; ++cls)  // tested before the two draws that payout mode skips
        EXPECT_EQ(normal[cls], payout[cls]) << cls;
    for (int cls = 1; cls <= kPokerClasses; ++cls)
        EXPECT_GT(normal[cls], 0u) << "class " << cls << " is unreachable";
}

TEST(PokerTable, CaptionsAreExact)
{
    EXPECT_STREQ(pokerCaption(1), "Royal ");
    EXPECT_STREQ(pokerCaption(5), "4 To a Royal ");
    EXPECT_STREQ(pokerCaption(12), "3 To a Royal ");
    EXPECT_STREQ(pokerCaption(15), "4 To Outside  Straight");
    EXPECT_STREQ(pokerCaption(19), "10/J 10/Q 10/k (Suited)");
    EXPECT_STREQ(pokerCaption(21), "All Trash");
    EXPECT_STREQ(pokerCaption(0), "");
    EXPECT_STREQ(pokerCaption(22), "");
}

TEST(PokerTable, OnlyFinishedClassesPayAndEveryCountUpEnds)
{
    // The prize is the 5-credit wager times the multiple; every other class pays nothing.
    const std::array<int, kPokerClasses + 1> multiple{0, 800, 50, 25, 9, 0, 6, 4, 3, 0, 2, 1};
    for (int cls = 0; cls <= kPokerClasses; ++cls) {
        const Payout p = payoutFor(cls);
        EXPECT_EQ(p.prize, 5 * multiple[cls]) << cls;
        EXPECT_EQ(pokerPays(cls), p.prize) << cls;
        if (p.prize > 0)
            EXPECT_GT(p.step, 0) << cls;  // a zero step would count up for ever
    }
    EXPECT_EQ(payoutFor(1).prize / payoutFor(1).step, 160);
    EXPECT_STREQ(payoutFor(7).sound, "pokerwin2.wav");
    EXPECT_EQ(payoutFor(11).pauseMs, 200);
}

}  // namespace
}  // namespace dm
