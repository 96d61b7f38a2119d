#include <gtest/gtest.h>

#include "rules_support.h"
#include "rummy/rules.h"

namespace dm {
namespace {

using test::handOf;
using test::handNumbers;
using test::numbersOf;

Hand withValues(std::vector<int16_t> values)
{
    Hand h = handOf("AC 2C 3C 4C 5C 6C 7C 8C 9C 10C");
    for (size_t k = 0; k < values.size(); ++k)
        h[k].value = values[k];
    return h;
}

TEST(DecideOffer, TakesOnlyACardScoringAboveTheWeakest)
{
    const int16_t offered = static_cast<int16_t>(test::parseCard("10C"));  // slot 9

    auto d = decideOffer(withValues({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), offered);
    EXPECT_FALSE(d.takeDiscard);  // a tie for lowest means drawing
    EXPECT_EQ(d.lowestSlot, 0);

    d = decideOffer(withValues({2, 4, 0, 10, 2, 0, 2, 10, 2, 4}), offered);
    EXPECT_TRUE(d.takeDiscard);
    EXPECT_EQ(d.lowestSlot, 2);  // the earlier of two equal lows

    d = decideOffer(withValues({4, 4, 2, 10, 2, 4, 2, 10, 2, 2}), offered);
    EXPECT_FALSE(d.takeDiscard);

    d = decideOffer(withValues({10, 10, 10, 10, 10, 10, 10, 10, 10, 10}), offered);
    EXPECT_FALSE(d.takeDiscard);  // nothing below 10: lowest stays 10, slot 0
    EXPECT_EQ(d.lowestSlot, 0);
}

TEST(RegroupComputerHand, MeldsGatherAtTheLeftInTheOrderFound)
{
    Hand h = handOf("2C 9D 5H 3C KS 5D 3D 5C 3H");
    h[9].number = h[9].rank = h[9].suit = h[9].value = -1;
    MeldStore melds;
    for (int n : numbersOf("3C 3D 3H 5H 5D 5C")) {
        melds.cards[melds.count] = cardOf(n);
        melds.cards[melds.count++].value = 10;
    }
    regroupComputerHand(h, MeldStore{}, 16);  // nothing stored: only places change
    EXPECT_EQ(handNumbers(h), numbersOf("2C 9D 5H 3C KS 5D 3D 5C 3H"));
    regroupComputerHand(h, melds, 16);
    EXPECT_EQ(handNumbers(h), numbersOf("3C 3D 3H 5H 5D 5C 9D KS 2C"));
    EXPECT_EQ(h[9].number, -1);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(h[k].left, handSlotLeft(k, 16));
}

TEST(RegroupComputerHand, AThrownMeldCardLeavesItsSlotAlone)
{
    Hand h = handOf("2C 9D 5H 3C KS 5D 3D 5C 3H");
    MeldStore melds;
    melds.addMeld(cardOf(test::parseCard("3C")), cardOf(test::parseCard("JD")), cardOf(test::parseCard("3H")));
    for (int k = 0; k < 3; ++k)
        melds.cards[k].value = 10;
    regroupComputerHand(h, melds, 15);
    EXPECT_EQ(handNumbers(h), numbersOf("3C 9D 3H 2C KS 5D 3D 5C 5H"));
}

struct UserHand : ::testing::Test {
    Hand h = handOf("AC 2C 3C 4C 5C 6C 7C 8C 9C");
    UserHand() { layoutHand(h, 16, 90, 25); }

    int num(const char* card) { return test::parseCard(card); }

    void expectOrder(const char* cards)
    {
        EXPECT_EQ(handNumbers(h), numbersOf(cards));
        Hand places = handOf("AC");
        layoutHand(places, 16, 90, 25);
        for (int k = 0; k < 9; ++k) {  // places belong to the slots
            EXPECT_EQ(h[k].left, places[k].left);
            EXPECT_EQ(h[k].right, places[k].right);
            EXPECT_EQ(h[k].rank, h[k].number / 4 + 1);
        }
    }
};

TEST_F(UserHand, ClickSendsACardToAnEnd)
{
    MoveCardForward(h, 2);
    expectOrder("AC 2C 4C 5C 6C 7C 8C 9C 3C");
    MoveCardBack(h, 5);
    expectOrder("7C AC 2C 4C 5C 6C 8C 9C 3C");
    MoveCardForward(h, kNoCard);
    MoveCardBack(h, -1);
    expectOrder("7C AC 2C 4C 5C 6C 8C 9C 3C");
}

TEST_F(UserHand, DropLandsAfterTheTargetCard)
{
    MoveCardDragging(h, num("2C"), 4);
    expectOrder("AC 3C 4C 5C 2C 6C 7C 8C 9C");
    MoveCardDragging(h, num("7C"), 2);
    expectOrder("AC 3C 4C 7C 5C 2C 6C 8C 9C");
}

TEST_F(UserHand, DropOnTheLastCardEndsLast)
{
    MoveCardDragging(h, num("3C"), 8);
    expectOrder("AC 2C 4C 5C 6C 7C 8C 9C 3C");
    MoveCardDragging(h, num("9C"), 8);  // the card before last
    expectOrder("AC 2C 4C 5C 6C 7C 8C 3C 9C");
    MoveCardDragging(h, num("AC"), 8);
    expectOrder("2C 4C 5C 6C 7C 8C 3C 9C AC");
}

TEST_F(UserHand, DropsThatChangeNothing)
{
    MoveCardDragging(h, num("3C"), 1);  // own left neighbour
    MoveCardDragging(h, num("3C"), 2);  // itself
    MoveCardDragging(h, num("9C"), 8);  // the last card nudged onto itself
    MoveCardDragging(h, -1, 4);         // no drag card
    MoveCardDragging(h, num("3C"), kNoCard);
    MoveCardDragging(h, num("KS"), 3);  // not in this hand
    expectOrder("AC 2C 3C 4C 5C 6C 7C 8C 9C");
}

}  // namespace
}  // namespace dm
