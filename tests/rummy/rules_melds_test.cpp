#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_set>

#include "rules_support.h"
#include "rummy/rules.h"

namespace dm {
namespace {

using test::handOf;

std::array<CardRec, 6> sixOf(const std::string& cards)
{
    Hand h = handOf(cards);
    std::array<CardRec, 6> six;
    std::copy_n(h.begin(), 6, six.begin());
    return six;
}

TEST(Check6ForComplete, SplitsSixCardsIntoTwoMelds)
{
    EXPECT_TRUE(Check6ForComplete(sixOf("5C 5D 5H 9S 9C 9D")));    // two sets
    EXPECT_TRUE(Check6ForComplete(sixOf("5C 4S 5D 6S 5H 5S")));    // set sharing its rank with a run
    EXPECT_TRUE(Check6ForComplete(sixOf("4H 2H 3H 7H 5H 6H")));    // two runs, one suit
    EXPECT_TRUE(Check6ForComplete(sixOf("KS 2S AS 3S QS 4S")));    // Q-K-A and 2-3-4 in one suit
    EXPECT_TRUE(Check6ForComplete(sixOf("AD QD KD 8C 9C 10C")));   // Q-K-A and a run in two suits
    EXPECT_TRUE(Check6ForComplete(sixOf("7C 7D 7H QH KH AH")));    // set and Q-K-A
    EXPECT_FALSE(Check6ForComplete(sixOf("7C 7D 7H QH KS AH")));   // A-Q-K must share a suit
    EXPECT_FALSE(Check6ForComplete(sixOf("KS AS 2S 7C 7D 7H")));   // K-A-2 is never a run
    EXPECT_FALSE(Check6ForComplete(sixOf("2H 3H 4H 5H 6H 8H")));   // six in a suit with a gap
    EXPECT_TRUE(Check6ForComplete(sixOf("5C 5D 6C 6D 7C 7D")));    // two runs side by side
    EXPECT_FALSE(Check6ForComplete(sixOf("5C 5D 6C 6D 8C 8D")));   // three pairs
}

TEST(WinningHand, DescribedExamples)
{
    EXPECT_TRUE(isWinningHand(handOf("5C 5D 5H 6S 7S 8S 9H 10H JH QH")));
    EXPECT_TRUE(isWinningHand(handOf("JS QS KS AS 3C 3D 3H 6D 7D 8D")));  // ace-high four run
    EXPECT_TRUE(isWinningHand(handOf("QS KS AS 3C 3D 3H 6D 7D 8D 9D")));  // Q-K-A beside a four run
    EXPECT_FALSE(isWinningHand(handOf("KS AS 2S 3C 3D 3H 6D 7D 8D 9D")));
    EXPECT_TRUE(isWinningHand(handOf("KC KD KH KS 2C 2D 2H 9S 9C 9D")));  // four kings and two sets
    EXPECT_FALSE(isWinningHand(handOf("2C 2D 2H 9S 9C 9D 5H 5S 5D JC")));  // three sets and junk
    EXPECT_FALSE(isWinningHand(handOf("2C 3C 4C 5C 6C 8H 9H 10H JH QH")));  // two five-card runs
    EXPECT_TRUE(isWinningHand(handOf("9H 2C 3C 4C 5C 9D 6C 7C 8C 9S")));    // a seven-card run splits 4 + 3
}

TEST(WinningHand, CheckSetsTheFlagOnlyOnAWin)
{
    bool handWon = false;
    EXPECT_FALSE(checkForWinningHand(handOf("2C 3C 4C 5C 6C 8H 9H 10H JH QH"), handWon));
    EXPECT_FALSE(handWon);
    EXPECT_TRUE(checkForWinningHand(handOf("KC KD KH KS 2C 2D 2H 9S 9C 9D"), handWon));
    EXPECT_TRUE(handWon);
    EXPECT_FALSE(checkForWinningHand(handOf("2C 3C 4C 5C 6C 8H 9H 10H JH QH"), handWon));
    EXPECT_TRUE(handWon);  // a later miss does not take the win back
}

// An independent reference: every meld as a bit mask, and a plain search over them.
struct Melds {
    std::vector<uint64_t> three, four;
    std::unordered_set<uint64_t> threeSet;

    static uint64_t bit(int rank, int suit) { return uint64_t{1} << cardNumber(rank, suit); }

    Melds()
    {
        for (int r = 1; r <= 13; ++r) {
            uint64_t all = 0;
            for (int s = 0; s < 4; ++s)
                all |= bit(r, s);
            four.push_back(all);
            for (int s = 0; s < 4; ++s)
                three.push_back(all & ~bit(r, s));
        }
        for (int s = 0; s < 4; ++s) {
            for (int r = 1; r + 2 <= 13; ++r)
                three.push_back(bit(r, s) | bit(r + 1, s) | bit(r + 2, s));
            for (int r = 1; r + 3 <= 13; ++r)
                four.push_back(bit(r, s) | bit(r + 1, s) | bit(r + 2, s) | bit(r + 3, s));
            three.push_back(bit(12, s) | bit(13, s) | bit(1, s));
            four.push_back(bit(11, s) | bit(12, s) | bit(13, s) | bit(1, s));
        }
        threeSet.insert(three.begin(), three.end());
    }

    bool twoThrees(uint64_t cards) const
    {
        for (uint64_t a : three)
            if ((cards & a) == a && threeSet.count(cards & ~a))
                return true;
        return false;
    }

    bool wins(uint64_t cards) const
    {
        for (uint64_t m : four)
            if ((cards & m) == m && twoThrees(cards & ~m))
                return true;
        return false;
    }
};

std::string names(const Hand& h)
{
    std::string out;
    for (const auto& c : h)
        out += cardName(c.number) + " ";
    return out;
}

uint64_t maskOf(const Hand& h)
{
    uint64_t m = 0;
    for (const auto& c : h)
        m |= uint64_t{1} << c.number;
    return m;
}

Hand randomHand(Rng& rng)
{
    Deck deck;
    shuffleDeck(deck, rng);
    Hand h;
    std::copy_n(deck.begin(), 10, h.begin());
    return h;
}

// A winning hand from random melds, then sometimes one card exchanged for a stray.
Hand nearWinningHand(Rng& rng, const Melds& melds)
{
    for (;;) {
        uint64_t cards = melds.four[rng.below(static_cast<int>(melds.four.size()))];
        for (int i = 0; i < 2; ++i)
            cards |= melds.three[rng.below(static_cast<int>(melds.three.size()))];
        if (std::popcount(cards) != 10)
            continue;
        if (rng.below(2) == 1) {
            int out = rng.below(10), in = rng.below(kDeckSize);
            if (cards >> in & 1)
                continue;
            uint64_t rest = cards;
            for (int k = 0; k < out; ++k)
                rest &= rest - 1;
            cards = (cards & ~(rest & -rest)) | uint64_t{1} << in;
        }
        Hand h;
        int k = 0;
        for (int n = 0; n < kDeckSize; ++n)
            if (cards >> n & 1)
                setCard(h[k++], n);
        for (int i = 9; i > 0; --i)  // slot order must not matter
            std::swap(h[i], h[rng.below(i + 1)]);
        return h;
    }
}

TEST(WinningHand, AgreesWithAPlainSearchOverAllMelds)
{
    const Melds melds;
    SeededRng rng(424242);
    for (int i = 0; i < 200000; ++i) {
        Hand h = randomHand(rng);
        ASSERT_EQ(isWinningHand(h), melds.wins(maskOf(h))) << names(h);
    }
    int nearWins = 0;
    for (int i = 0; i < 50000; ++i) {
        Hand h = nearWinningHand(rng, melds);
        const bool expected = melds.wins(maskOf(h));
        ASSERT_EQ(isWinningHand(h), expected) << names(h);
        nearWins += expected;
    }
    EXPECT_GT(nearWins, 20000);  // the built hands really do exercise the winning side
    EXPECT_LT(nearWins, 45000);
}

}  // namespace
}  // namespace dm
