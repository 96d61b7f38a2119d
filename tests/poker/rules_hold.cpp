#include <gtest/gtest.h>

#include <bit>

#include "poker/rules.h"
#include "rules_hands.h"

namespace dm {
namespace {

struct HoldCase {
    const char* what;
    const char* cards;
    int dealtClass;     // guards the case: the hand must deal as this class
    const char* held;   // position 0 first
    bool correct;
    const char* sound;  // when wrong
};

std::ostream& operator<<(std::ostream& os, const HoldCase& c)
{
    return os << c.what;
}

class HoldCheckTest : public ::testing::TestWithParam<HoldCase> {};

TEST_P(HoldCheckTest, JudgesTheHold)
{
    const HoldCase& c = GetParam();
    const PokerCards cards = test::pokerHand(c.cards);
    const int16_t dealt = EvaluatePokerHand(cards);
    ASSERT_EQ(dealt, c.dealtClass);
    const HoldCheck check = checkHold(cards, test::holdMask(c.held), dealt);
    EXPECT_EQ(check.correct, c.correct) << "hold classed " << check.holdClass;
    if (!c.correct)
        EXPECT_STREQ(wrongHoldSound(check.holdCount), c.sound);
}

INSTANTIATE_TEST_SUITE_P(
    Adviser, HoldCheckTest,
    ::testing::Values(
        HoldCase{"trash, nothing held", "2c 4d 7h 9s 3c", 21, "00000", true, ""},
        HoldCase{"trash, one card held", "2c 4d 7h 9s 3c", 21, "10000", false, "wrong2.wav"},
        HoldCase{"one high, nothing held", "2c 4d 7h 9s Kc", 20, "00000", false, "wrong.wav"},
        HoldCase{"one high, the high card held", "2c 4d 7h 9s Kc", 20, "00001", true, ""},
        HoldCase{"two high, one of them held", "Kc Qd 3h 5s 8c", 18, "10000", false, "wrong2.wav"},
        HoldCase{"two high, both held", "Kc Qd 3h 5s 8c", 18, "11000", true, ""},
        HoldCase{"three high, any two held", "Kc Qd Ah 5s 8c", 18, "01100", true, ""},
        HoldCase{"four of a kind, all five held", "7c 7d 7h 7s Ah", 3, "11111", false, "wrong.wav"},
        HoldCase{"four of a kind, the four held", "7c 7d 7h 7s Ah", 3, "11110", true, ""},
        HoldCase{"low pair beside four to a flush, pair held", "5h 8h 2h 9h 5s", 13, "10001", false,
                 "wrong3.wav"},
        HoldCase{"low pair beside four to a flush, flush held", "5h 8h 2h 9h 5s", 13, "11110", true, ""},
        HoldCase{"royal draw in a flush, flush held", "Ah Kh Qh Jh 7h", 5, "11111", false, "wrong.wav"},
        HoldCase{"royal draw in a flush, four royal held", "Ah Kh Qh Jh 7h", 5, "11110", true, ""},
        HoldCase{"ten-king suited, both held", "10d Kd 3c 5h 7s", 19, "11000", true, ""},
        HoldCase{"high pair with its kicker", "Jh Js 2c 5d 8h", 11, "11001", false, "wrong.wav"},
        HoldCase{"high pair alone", "Jh Js 2c 5d 8h", 11, "11000", true, ""},
        HoldCase{"outside straight, the four held", "2c 3d 4h 5c Kd", 15, "11110", true, ""},
        HoldCase{"two pair, the four held", "3c 3d 9h 9s Kc", 10, "11110", true, ""},
        HoldCase{"royal flush, all held", "10h Jh Qh Kh Ah", 1, "11111", true, ""}));

// The adviser must never ask for a hold that cannot be made: every dealt hand has
// some hold of the due size that classes as the dealt class.
TEST(HoldCheck, EveryDealtHandHasARightHold)
{
    PokerCards hand{};
    int unreachable = 0;
    for (int a = 0; a < kDeckSize; ++a)
        for (int b = a + 1; b < kDeckSize; ++b)
            for (int c = b + 1; c < kDeckSize; ++c)
                for (int d = c + 1; d < kDeckSize; ++d)
                    for (int e = d + 1; e < kDeckSize; ++e) {
                        for (auto [slot, n] : {std::pair{0, a}, {1, b}, {2, c}, {3, d}, {4, e}})
                            setCard(hand[slot], n);
                        const int16_t dealt = EvaluatePokerHand(hand);
                        const int due = CardsToHand(dealt);
                        bool found = false;
                        for (unsigned mask = 0; mask < 32 && !found; ++mask) {
                            if (std::popcount(mask) != due)
                                continue;
                            std::array<bool, 5> held{};
                            for (int i = 0; i < 5; ++i)
                                held[i] = (mask >> i) & 1;
                            found = checkHold(hand, held, dealt).correct;
                        }
                        if (!found && ++unreachable <= 5)
                            ADD_FAILURE() << "no right hold for class " << dealt << ": " << cardName(a) << ' '
                                          << cardName(b) << ' ' << cardName(c) << ' ' << cardName(d) << ' '
                                          << cardName(e);
                    }
    EXPECT_EQ(unreachable, 0);
}

TEST(HoldCheck, WithoutADealtClassNoHoldIsRight)
{
    const PokerCards cards = test::pokerHand("2c 4d 7h 9s 3c");
    for (const char* mask : {"00000", "11111", "10000"})
        EXPECT_FALSE(checkHold(cards, test::holdMask(mask), 0).correct) << mask;
}

TEST(HoldCheck, FillersAloneAreAllTrash)
{
    EXPECT_EQ(EvaluatePokerHand(fillerCards()), 21);
    EXPECT_EQ(EvaluatePokerHand(fillerCards(), true), 21);
}

}  // namespace
}  // namespace dm
