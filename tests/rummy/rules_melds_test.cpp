#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <unordered_set>

#include "rules_support.h"
#include "rummy/rules.h"

using namespace dm;
using test::handOf;

TEST(WinningHand, Examples)
{
    for (auto [cards, wins] : {
             std::pair{"5C 5D 5H 6S 7S 8S 9H 10H JH QH", true},
             {"JS QS KS AS 3C 3D 3H 6D 7D 8D", true},   // ace-high four run
             {"QS KS AS 3C 3D 3H 6D 7D 8D 9D", true},   // Q-K-A beside a four run
             {"2C 2D 2H 2S AD QD KD 8C 9C 10C", true},  // Q-K-A and a run in two suits
             {"5C 4S 5D 6S 5H 5S 9D 10D JD QD", true},  // a set sharing its rank with a run
             {"KC KD KH KS 2C 2D 2H 9S 9C 9D", true},   // four kings and two sets
             {"9H 2C 3C 4C 5C 9D 6C 7C 8C 9S", true},   // a seven-card run splits 4 + 3
             {"KS AS 2S 3C 3D 3H 6D 7D 8D 9D", false},  // K-A-2 never
             {"QH KS AH 7C 7D 7H 2S 3S 4S 5S", false},  // Q-K-A must share a suit
             {"2C 2D 2H 9S 9C 9D 5H 5S 5D JC", false},  // three sets and junk
             {"2C 3C 4C 5C 6C 8H 9H 10H JH QH", false}, // two five-card runs
         }) {
        bool handWon = false;
        EXPECT_EQ(checkForWinningHand(handOf(cards), handWon), wins) << cards;
        EXPECT_EQ(handWon, wins) << cards;
    }
}

// An independent reference: every meld as a bit mask, and a plain search over them.
struct Reference {
    std::vector<uint64_t> three, four;
    std::unordered_set<uint64_t> threeSet;

    Reference()
    {
        auto bit = [](int rank, int suit) { return uint64_t{1} << cardNumber((rank - 1) % 13 + 1, suit); };
        for (int r = 1; r <= 13; ++r) {
            const uint64_t all = bit(r, 0) | bit(r, 1) | bit(r, 2) | bit(r, 3);
            four.push_back(all);
            for (int s = 0; s < 4; ++s)
                three.push_back(all & ~bit(r, s));
        }
        for (int s = 0; s < 4; ++s) {
            for (int r = 1; r <= 12; ++r) {  // rank 14 is the ace again: up to Q-K-A and J-Q-K-A
                three.push_back(bit(r, s) | bit(r + 1, s) | bit(r + 2, s));
                if (r <= 11)
                    four.push_back(bit(r, s) | bit(r + 1, s) | bit(r + 2, s) | bit(r + 3, s));
            }
        }
        threeSet.insert(three.begin(), three.end());
    }

    bool wins(uint64_t cards) const
    {
        for (uint64_t m : four)
            if ((cards & m) == m)
                for (uint64_t a : three)
                    if ((cards & ~m & a) == a && threeSet.count(cards & ~m & ~a))
                        return true;
        return false;
    }
};

// Random melds making ten cards, half of them with one card swapped for a stray, slots shuffled.
Hand nearWinningHand(Rng& rng, const Reference& ref)
{
    for (;;) {
        const uint64_t cards = ref.four[rng.below(static_cast<int>(ref.four.size()))]
                               | ref.three[rng.below(static_cast<int>(ref.three.size()))]
                               | ref.three[rng.below(static_cast<int>(ref.three.size()))];
        const int stray = rng.below(2) == 1 ? rng.below(kDeckSize) : -1;
        if (std::popcount(cards) != 10 || (stray >= 0 && (cards >> stray & 1)))
            continue;
        Hand h;
        int k = 0;
        for (int n = 0; n < kDeckSize; ++n)
            if (cards >> n & 1)
                setCard(h[k++], n);
        if (stray >= 0)
            setCard(h[rng.below(10)], stray);
        for (int i = 9; i > 0; --i)
            std::swap(h[i], h[rng.below(i + 1)]);
        return h;
    }
}

TEST(WinningHand, AgreesWithAPlainSearchOverAllMelds)
{
    const Reference ref;
    SeededRng rng(424242);
    int nearWins = 0;
    for (int i = 0; i < 250000; ++i) {
        Hand h;
        if (i % 5 == 0) {
            h = nearWinningHand(rng, ref);
        } else {
            Deck deck;
            shuffleDeck(deck, rng);
            std::copy_n(deck.begin(), 10, h.begin());
        }
        uint64_t mask = 0;
        for (const auto& c : h)
            mask |= uint64_t{1} << c.number;
        const bool expected = ref.wins(mask);
        ASSERT_EQ(isWinningHand(h), expected) << test::names(h);
        nearWins += i % 5 == 0 && expected;
    }
    EXPECT_GT(nearWins, 20000);  // the built hands really do exercise the winning side
    EXPECT_LT(nearWins, 45000);
}
