// Hand-worked anchors for the ladder, and a right hold for every dealt hand.
#include <gtest/gtest.h>

#include <bit>
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
        EXPECT_EQ(EvaluatePokerHand(test::pokerHand(cards)), normal) << cards;
        EXPECT_EQ(EvaluatePokerHand(test::pokerHand(cards), true), payout) << cards;
    }
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

// The class is not enough: a hold keeps exactly the cards its class names.
TEST(HoldCheck, ACardMoreThanTheClassKeepsIsWrong)
{
    const PokerCards pair = test::pokerHand("Jh Js 2c 5d 8h"), trash = test::pokerHand("2h 3c 5d 7s 9h");
    EXPECT_TRUE(checkHold(pair, {true, true, false, false, false}, EvaluatePokerHand(pair)).correct);
    EXPECT_FALSE(checkHold(pair, {true, true, false, false, true}, EvaluatePokerHand(pair)).correct) << "with a kicker";
    EXPECT_TRUE(checkHold(trash, {}, EvaluatePokerHand(trash)).correct);
    EXPECT_FALSE(checkHold(trash, {true, false, false, false, false}, EvaluatePokerHand(trash)).correct);
}

}  // namespace
}  // namespace dm
