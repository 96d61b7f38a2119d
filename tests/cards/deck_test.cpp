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
        std::vector<char> seen(kDeckSize, 0);
        for (const auto& c : deck) {
            ASSERT_EQ(c, cardOf(c.number));
            ASSERT_FALSE(std::exchange(seen.at(c.number), 1)) << cardName(c.number);
        }
    }
}

TEST(HandSort, StableAndMovesWholeRecordsButNotTheDrawnCard)
{
    Hand h = test::handOf("7H 3C 7C KD AS 2S 9D 4H 5C JH");
    for (int k = 0; k < 10; ++k)
        h[k].left = 100 + k;
    sortByRank(h);
    EXPECT_EQ(test::handNumbers(h, 10), test::numbersOf("AS 2S 3C 4H 5C 7H 7C 9D KD JH"));
    EXPECT_TRUE(h[5].left == 100 && h[6].left == 102);  // 7H brought its record along
    sortBySuit(h);
    EXPECT_EQ(test::handNumbers(h, 10), test::numbersOf("3C 5C 7C 9D KD 4H 7H AS 2S JH"));
}
