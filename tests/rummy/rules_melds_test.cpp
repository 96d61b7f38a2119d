#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <numeric>
#include <unordered_set>

#include "rules_support.h"
#include "rummy/rules.h"

using namespace dm;
using test::handOf;

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
        for (int s = 0; s < 4; ++s)
            for (int r = 1; r <= 12; ++r) {  // rank 14 is the ace again: up to Q-K-A and J-Q-K-A
                three.push_back(bit(r, s) | bit(r + 1, s) | bit(r + 2, s));
                if (r <= 11)
                    four.push_back(three.back() | bit(r + 3, s));
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
        auto any = [&](const std::vector<uint64_t>& melds) { return melds[rng.below(static_cast<int>(melds.size()))]; };
        const uint64_t cards = any(ref.four) | any(ref.three) | any(ref.three);
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
        Deck deck;
        if (i % 5 == 0)
            h = nearWinningHand(rng, ref);
        else
            shuffleDeck(deck, rng), std::copy_n(deck.begin(), 10, h.begin());
        const bool expected = ref.wins(std::accumulate(h.begin(), h.end(), uint64_t{0}, [](uint64_t m, auto& c) { return m | uint64_t{1} << c.number; }));
        ASSERT_EQ(isWinningHand(h), expected) << ::testing::PrintToString(test::handNumbers(h, 10));
        nearWins += i % 5 == 0 && expected;
    }
    EXPECT_GT(nearWins, 20000);  // the built hands really do exercise the winning side
}
