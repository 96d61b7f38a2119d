// Hand-worked anchors for the ladder, the census, and the adviser's hold check.
#include <gtest/gtest.h>

#include <bit>
#include <numeric>
#include <tuple>

#include "poker_support.h"

namespace dm {
namespace {

// The reference check covers every hand; these rows pin down the readings it could share.
TEST(PokerClassify, LadderReadings)
{
    // cards, class, class in payout mode
    const std::tuple<const char*, int, int> cases[] = {
        {"Ah 2h 3h 4h 5h", 2, 2},      // the ace runs low
        {"Qc Kd Ah 2s 3c", 18, 18},    // no wrap-around
        {"Ah Kh Qh Jh As", 5, 11},     // payout mode: what the draw pays
        {"Ah 2h 3h 4h 9c", 9, 13},     // ace-low four to a straight flush
        {"10h 10s 2c 5d 8h", 14, 14},  // tens are low
        {"10d Ad 3c 5h 7s", 20, 20},   // ten-ace suited does not count
    };
    for (const auto& [cards, normal, payout] : cases) {
        SCOPED_TRACE(cards);
        EXPECT_EQ(EvaluatePokerHand(test::pokerHand(cards)), normal);
        EXPECT_EQ(EvaluatePokerHand(test::pokerHand(cards), true), payout);
    }
}

TEST(PokerCensus, PayingCountsMatchPokerOdds)
{
    const auto payout = pokerCensus(true);
    const std::array<uint32_t, 12> paying{0, 4, 36, 624, 3744, 0, 5108, 10200, 54912, 0, 123552, 337920};
    for (int cls = 0; cls < 12; ++cls)
        EXPECT_EQ(payout[cls], paying[cls]) << cls;
    EXPECT_EQ(std::accumulate(payout.begin(), payout.end(), 0u), 2598960u);
}

TEST(HoldCheck, JudgesHoldsAndPicksTheBuzzerByCardsHeld)
{
    // cards, hold (position 0 first), buzzer when wrong ("" = right hold)
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"2c 4d 7h 9s 3c", "00000", ""},           {"2c 4d 7h 9s 3c", "10000", "wrong2.wav"},
        {"2c 4d 7h 9s Kc", "00000", "wrong.wav"},  {"Kc Qd Ah 5s 8c", "01100", ""},  // two of three high
        {"7c 7d 7h 7s Ah", "11111", "wrong.wav"},  {"7c 7d 7h 7s Ah", "11110", ""},
        {"5h 8h 2h 9h 5s", "10001", "wrong3.wav"}, {"5h 8h 2h 9h 5s", "11110", ""},
        {"Jh Js 2c 5d 8h", "11001", "wrong.wav"},  // the right class, one card too many
    };
    for (const auto& [cards, held, buzzer] : cases) {
        SCOPED_TRACE(std::string(cards) + " holding " + held);
        const PokerCards hand = test::pokerHand(cards);
        const HoldCheck check = checkHold(hand, test::holdMask(held), EvaluatePokerHand(hand));
        EXPECT_EQ(check.correct, !*buzzer) << "hold classed " << check.holdClass;
        if (*buzzer)
            EXPECT_STREQ(wrongHoldSound(check.holdCount), buzzer);
    }
    // A dealt hand without a class has no right hold.
    EXPECT_FALSE(checkHold(test::pokerHand("2c 4d 7h 9s 3c"), test::holdMask("00000"), 0).correct);
}

// The adviser must never ask for a hold that cannot be made.
TEST(HoldCheck, EveryDealtHandHasARightHoldOfTheDueSize)
{
    int unreachable = 0;
    test::forEachHand([&](const PokerCards& hand) {
        const int16_t dealt = EvaluatePokerHand(hand);
        bool found = false;
        for (unsigned m = 0; m < 32 && !found; ++m)
            if (std::popcount(m) == CardsToHand(dealt))
                found = checkHold(hand, {bool(m & 1), bool(m & 2), bool(m & 4), bool(m & 8), bool(m & 16)}, dealt).correct;
        if (!found && ++unreachable <= 5)
            ADD_FAILURE() << "no right hold for class " << dealt << ": " << test::handText(hand);
    });
    EXPECT_EQ(unreachable, 0);
}

}  // namespace
}  // namespace dm
