// The ladder's edge cases, the censuses, the pay table's bounds and the adviser's hold check.
#include <gtest/gtest.h>

#include <bit>
#include <numeric>
#include <tuple>

#include "poker_support.h"

namespace dm {
namespace {

TEST(PokerClassify, LadderEdgesInNormalAndPayoutMode)
{
    // cards, class, class in payout mode
    const std::tuple<const char*, int, int> cases[] = {
        {"Kh Ah Jh 10h Qh", 1, 1},     {"Ah 2h 3h 4h 5h", 2, 2},  // the ace runs low
        {"As 10h Jh Qd Kc", 7, 7},                                // ace-high straight by name
        {"Qc Kd Ah 2s 3c", 18, 18},                               // no wrap-around
        {"8c 8d 8h Kc Kd", 4, 4},                                 // never 8 or 10
        // Drawing hands that payout mode turns into what they pay.
        {"Ah Kh Qh Jh 7h", 5, 6},      {"Ah Kh Qh Jh As", 5, 11},  {"Ah Kh Qh Jh 10s", 5, 7},
        {"9h 10h Jh Qh Qc", 9, 11},    {"Ah 2h 3h 4h 9c", 9, 13},  // ace-low four to a straight flush
        {"10h 10s 2c 5d 8h", 14, 14},  {"Jh Js 2c 5d 8h", 11, 11},  // tens are low, jacks high
        {"2c 3d 4h 5c Kd", 15, 15},    {"3c 7d 8h 9s 10c", 15, 15},
        {"Ac 2d 3h 4s 9c", 20, 20},    // ace-2-3-4 is not outside
        {"10c Jd Qh Ks 3c", 15, 15},   // ahead of two high cards
        {"Jc Qd Kh As 5c", 18, 18},    // jack-to-ace is not outside
        {"Ah Qh Kh 5h 9s", 12, 12},    // ahead of four to a flush
        {"5h 8h 2h 9h 5s", 13, 13},    // ahead of the low pair
        {"Kd Jd 3c 5h 9s", 16, 16},    {"5s 6s 7s Kd 2c", 17, 17},  // ahead of the lone king
        {"10d Kd 3c 5h 7s", 19, 19},   {"10d Ad 3c 5h 7s", 20, 20},  // ten-ace suited does not count
        {"2c 4d 7h 9s 3c", 21, 21},
    };
    for (const auto& [cards, normal, payout] : cases) {
        const PokerCards hand = test::pokerHand(cards);
        EXPECT_EQ(EvaluatePokerHand(hand), normal) << cards;
        EXPECT_EQ(EvaluatePokerHand(hand, true), payout) << cards << " payout";
    }
}

TEST(PokerCensus, PayingCountsMatchPokerOddsAndEveryClassIsReachable)
{
    const auto payout = pokerCensus(true), normal = pokerCensus(false);
    const std::array<uint32_t, 12> paying{0, 4, 36, 624, 3744, 0, 5108, 10200, 54912, 0, 123552, 337920};
    for (int cls = 0; cls < 12; ++cls)
        EXPECT_EQ(payout[cls], paying[cls]) << cls;
    EXPECT_EQ(std::accumulate(payout.begin(), payout.end(), 0u), 2598960u);
    EXPECT_EQ(std::accumulate(normal.begin(), normal.end(), 0u), 2598960u);
    EXPECT_EQ(normal[0], 0u);
    for (int cls = 1; cls <= kPokerClasses; ++cls) {
        EXPECT_GT(normal[cls], 0u) << "class " << cls << " is unreachable";
        if (cls <= 4)  // tested before the two draws that payout mode skips
            EXPECT_EQ(normal[cls], payout[cls]) << cls;
    }
}

TEST(PokerTable, OnlyFinishedHandsPayAndEveryCountUpEnds)
{
    for (int cls = -1; cls <= kPokerClasses + 1; ++cls) {
        const Payout p = payoutFor(cls);
        const bool pays = cls >= 1 && cls <= 11 && cls != 5 && cls != 9;
        EXPECT_EQ(p.prize > 0, pays) << cls;
        EXPECT_EQ(pokerPays(cls), p.prize) << cls;
        if (pays)
            EXPECT_GT(p.step, 0) << cls;  // a zero step would count up for ever
    }
    EXPECT_STREQ(pokerCaption(22), "");
    EXPECT_EQ(CardsToHand(22), 0);
}

TEST(HoldCheck, JudgesHoldsAndPicksTheBuzzerByCardsHeld)
{
    // cards, dealt class, hold (position 0 first), buzzer when wrong ("" = right hold)
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"2c 4d 7h 9s 3c", 21, "00000", ""},           {"2c 4d 7h 9s 3c", 21, "10000", "wrong2.wav"},
        {"2c 4d 7h 9s Kc", 20, "00000", "wrong.wav"},  {"2c 4d 7h 9s Kc", 20, "00001", ""},
        {"Kc Qd Ah 5s 8c", 18, "01100", ""},           // any two of three high cards
        {"7c 7d 7h 7s Ah", 3, "11111", "wrong.wav"},   {"7c 7d 7h 7s Ah", 3, "11110", ""},
        {"5h 8h 2h 9h 5s", 13, "10001", "wrong3.wav"}, {"5h 8h 2h 9h 5s", 13, "11110", ""},
        {"Ah Kh Qh Jh 7h", 5, "11111", "wrong.wav"},   {"Ah Kh Qh Jh 7h", 5, "11110", ""},
        {"Jh Js 2c 5d 8h", 11, "11001", "wrong.wav"},  // the right class, one card too many
        {"Jh Js 2c 5d 8h", 11, "11000", ""},           {"10d Kd 3c 5h 7s", 19, "11000", ""},
        {"2c 3d 4h 5c Kd", 15, "11110", ""},           {"10h Jh Qh Kh Ah", 1, "11111", ""},
    };
    for (const auto& [cards, dealtClass, held, buzzer] : cases) {
        SCOPED_TRACE(std::string(cards) + " holding " + held);
        const PokerCards hand = test::pokerHand(cards);
        ASSERT_EQ(EvaluatePokerHand(hand), dealtClass);
        const HoldCheck check = checkHold(hand, test::holdMask(held), static_cast<int16_t>(dealtClass));
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
