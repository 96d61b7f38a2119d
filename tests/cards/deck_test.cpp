#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "cards/deck.h"
#include "rummy/rules_support.h"

namespace dm {
namespace {

std::vector<int> deckNumbers(const Deck& d)
{
    std::vector<int> out;
    for (const auto& c : d)
        out.push_back(c.number);
    return out;
}

TEST(ShuffleDeck, EveryDealUsesEachCardOnceWithConsistentRecords)
{
    for (uint64_t seed : {1u, 2u, 99u, 20260101u}) {
        SeededRng rng(seed);
        Deck deck;
        shuffleDeck(deck, rng);
        auto nums = deckNumbers(deck);
        std::sort(nums.begin(), nums.end());
        std::vector<int> all(kDeckSize);
        std::iota(all.begin(), all.end(), 0);
        EXPECT_EQ(nums, all) << "seed " << seed;
        for (const auto& c : deck) {
            EXPECT_EQ(c.rank, c.number / 4 + 1);
            EXPECT_EQ(c.suit, c.number % 4);
        }
    }
}

TEST(ShuffleDeck, SeededOrderIsStable)
{
    SeededRng rng(12345);
    Deck deck;
    shuffleDeck(deck, rng);
    const std::vector<int> expected{27, 17, 35, 29, 3,  34, 42, 2,  44, 5,  18, 9,  14, 16, 46, 12, 32, 6,
                                    39, 19, 11, 22, 43, 47, 48, 28, 31, 23, 41, 45, 15, 51, 7,  49, 4,  40,
                                    36, 20, 37, 26, 8,  33, 25, 13, 24, 0,  21, 50, 10, 38, 1,  30};
    EXPECT_EQ(deckNumbers(deck), expected);
}

TEST(ShuffleDeck, ScriptedGeneratorGivesKnownExchanges)
{
    // All zeros: every step exchanges with slot 0, so the cards rotate right by one.
    ScriptedRng zeros({0.0});
    Deck deck;
    shuffleDeck(deck, zeros);
    std::vector<int> expected(kDeckSize);
    std::iota(expected.begin() + 1, expected.end(), 0);
    expected[0] = 51;
    EXPECT_EQ(deckNumbers(deck), expected);
}

TEST(HandLayout, ThreeGroupsOfThreeWithEvenRoundedGaps)
{
    // Step 16: gap 8. Step 15: 7.5 rounds to 8. Step 13: 6.5 rounds to 6.
    EXPECT_EQ(handSlotLeft(2, 16), 32);
    EXPECT_EQ(handSlotLeft(3, 16), 56);
    EXPECT_EQ(handSlotLeft(8, 16), 144);
    EXPECT_EQ(handSlotLeft(3, 15), 53);
    EXPECT_EQ(handSlotLeft(6, 15), 106);
    EXPECT_EQ(handSlotLeft(6, 13), 90);

    Hand h{};
    h[9].left = -5;
    layoutHand(h, 16, 90, 25);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(h[k].left, handSlotLeft(k, 16));
        EXPECT_EQ(h[k].right, h[k + 1].left) << k;
        EXPECT_EQ(h[k].top, 25);
    }
    EXPECT_EQ(h[8].right, 144 + 90);
    EXPECT_EQ(h[9].left, -5);  // the drawn card's spot is not part of the hand row
}

TEST(HandSort, ByRankIsStableAndMovesWholeRecords)
{
    Hand h = test::handOf("7H 3C 7C KD AS 2S 9D 4H 5C JH");
    for (int k = 0; k < 10; ++k)
        h[k].left = 100 + k;
    sortByRank(h);
    EXPECT_EQ(test::handNumbers(h, 10), test::numbersOf("AS 2S 3C 4H 5C 7H 7C 9D KD JH"));
    EXPECT_EQ(h[5].left, 100);  // 7H brought its record along
    EXPECT_EQ(h[6].left, 102);
    EXPECT_EQ(h[9].left, 109);
}

TEST(HandSort, BySuitGroupsWithoutReorderingAndIsIdempotent)
{
    Hand h = test::handOf("7H 3C 7C KD AS 2S 9D 4H 5C JH");
    sortBySuit(h);
    const auto once = test::handNumbers(h, 10);
    EXPECT_EQ(once, test::numbersOf("3C 7C 5C KD 9D 7H 4H AS 2S JH"));
    sortBySuit(h);
    EXPECT_EQ(test::handNumbers(h, 10), once);

    sortByRank(h);
    sortBySuit(h);
    EXPECT_EQ(test::handNumbers(h, 10), test::numbersOf("3C 5C 7C 9D KD 4H 7H AS 2S JH"));
}

}  // namespace
}  // namespace dm
