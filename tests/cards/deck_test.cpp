#include <gtest/gtest.h>

#include "cards/deck.h"
#include "rummy/rules_support.h"

using namespace dm;

// Scripted generators at both ends of [0, 1]: 1.0 must not index past the deck.
TEST(ShuffleDeck, EveryDealUsesEachCardOnceWithConsistentRecords)
{
    SeededRng a(1), b(20260101);
    ScriptedRng zeros({0.0}), ones({1.0});
    for (Rng* rng : std::initializer_list<Rng*>{&a, &b, &zeros, &ones}) {
        Deck deck;
        shuffleDeck(deck, *rng);
        std::vector<bool> seen(kDeckSize, false);
        for (const auto& c : deck) {
            ASSERT_EQ(c, cardOf(c.number));
            ASSERT_FALSE(seen.at(c.number)) << cardName(c.number);
            seen[c.number] = true;
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
    for (int i = 0; i < kDeckSize; ++i)
        EXPECT_EQ(deck[i].number, expected[i]) << i;
}

TEST(HandLayout, ThreeGroupsOfThreeWithEvenRoundedGaps)
{
    // Step 16: gap 8. Step 15: 7.5 rounds to 8. Step 13: 6.5 rounds to 6.
    for (auto [k, step, left] : {std::tuple{3, 16, 56}, {8, 16, 144}, {3, 15, 53}, {6, 15, 106}, {6, 13, 90}})
        EXPECT_EQ(handSlotLeft(k, step), left) << k << " " << step;

    Hand h{};
    h[9].left = -5;
    layoutHand(h, 16, 90, 25);  // right edges: the next card's left, the last card's full width
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(h[k].right, k < 8 ? h[k + 1].left : 144 + 90) << k;
    EXPECT_EQ(h[9].left, -5);  // the drawn card's spot is not part of the hand row
}

TEST(HandSort, StableAndMovesWholeRecordsButNotTheDrawnCard)
{
    Hand h = test::handOf("7H 3C 7C KD AS 2S 9D 4H 5C JH");
    for (int k = 0; k < 10; ++k)
        h[k].left = 100 + k;
    sortByRank(h);
    EXPECT_EQ(test::handNumbers(h, 10), test::numbersOf("AS 2S 3C 4H 5C 7H 7C 9D KD JH"));
    EXPECT_EQ(h[5].left, 100);  // 7H brought its record along
    EXPECT_EQ(h[6].left, 102);
    sortBySuit(h);
    EXPECT_EQ(test::handNumbers(h, 10), test::numbersOf("3C 5C 7C 9D KD 4H 7H AS 2S JH"));
}
