#include <gtest/gtest.h>

#include "rules_support.h"
#include "rummy/rules.h"

using namespace dm;
using namespace dm::test;

// Clicks and drops on the user's hand, each step from the order the one before left.
TEST(UserHand, ClicksAndDropsMoveIdentitiesWhilePlacesStayWithSlots)
{
    Hand h = handOf("AC 2C 3C 4C 5C 6C 7C 8C 9C");
    layoutHand(h, 16, 90, 25);
    const Hand places = h;
    enum Op { Forward, Back, Drop };
    struct Step {
        Op op;
        int arg;           // Forward/Back: slot; Drop: target slot
        const char* card;  // Drop: the dragged card ("" none, "KS" not in the hand)
        const char* expected;
    } steps[] = {
        {Forward, 2, "", "AC 2C 4C 5C 6C 7C 8C 9C 3C"},
        {Back, 5, "", "7C AC 2C 4C 5C 6C 8C 9C 3C"},
        {Forward, kNoCard, "", "7C AC 2C 4C 5C 6C 8C 9C 3C"}, {Back, -1, "", "7C AC 2C 4C 5C 6C 8C 9C 3C"},
        {Drop, 4, "AC", "7C 2C 4C 5C AC 6C 8C 9C 3C"},  // lands after the target
        {Drop, 1, "8C", "7C 2C 8C 4C 5C AC 6C 9C 3C"}, {Drop, 8, "4C", "7C 2C 8C 5C AC 6C 9C 3C 4C"},  // on the last card: ends last
        {Drop, 8, "3C", "7C 2C 8C 5C AC 6C 9C 4C 3C"}, {Drop, 8, "3C", "7C 2C 8C 5C AC 6C 9C 4C 3C"},  // the card before last; the last onto itself
        {Drop, 1, "8C", "7C 2C 8C 5C AC 6C 9C 4C 3C"}, {Drop, 2, "8C", "7C 2C 8C 5C AC 6C 9C 4C 3C"},  // own left neighbour; itself
        {Drop, kNoCard, "8C", "7C 2C 8C 5C AC 6C 9C 4C 3C"}, {Drop, 3, "KS", "7C 2C 8C 5C AC 6C 9C 4C 3C"},
        {Drop, 3, "", "7C 2C 8C 5C AC 6C 9C 4C 3C"},
    };
    for (const Step& s : steps) {
        s.op == Forward ? MoveCardForward(h, s.arg)
        : s.op == Back  ? MoveCardBack(h, s.arg)
                        : MoveCardDragging(h, *s.card ? parseCard(s.card) : -1, s.arg);
        EXPECT_EQ(handNumbers(h), numbersOf(s.expected)) << s.op << " " << s.arg << " " << s.card;
        for (int k = 0; k < 9; ++k)  // places stay; rank and suit move with the card
            EXPECT_TRUE(h[k].left == places[k].left && h[k].right == places[k].right && h[k].rank * 4 + h[k].suit == h[k].number + 4) << k;
    }
}

// At the end of its turn the computer's completed melds stand at the left, in the order found.
TEST(ComputerHand, MeldsGatherAtTheLeftInTheOrderFound)
{
    Hand h = handOf("2C 9D 5H 7S 7C KD 7D QS 3H");
    MeldStore melds;
    std::vector<CardRec> m;
    for (int n : numbersOf("7C 7D 7S"))
        m.push_back(cardOf(n)), m.back().value = 10;
    ASSERT_TRUE(melds.addMeld(m[0], m[1], m[2]));
    regroupComputerHand(h, melds, 16);
    EXPECT_EQ(handNumbers(h), numbersOf("7C 7D 7S 5H 2C KD 9D QS 3H"));
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(h[k].left, handSlotLeft(k, 16)) << k;
}
