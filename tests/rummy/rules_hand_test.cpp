#include <gtest/gtest.h>

#include "rules_support.h"
#include "rummy/rules.h"

using namespace dm;
using test::handNumbers;
using test::handOf;
using test::numbersOf;
using test::parseCard;

TEST(DecideOffer, TakesOnlyACardScoringAboveTheWeakest)
{
    struct Case {
        std::array<int16_t, 10> values;  // the offered card lies in slot 9
        bool take;
        int lowestSlot;
    } cases[] = {
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false, 0},          // a tie for lowest means drawing
        {{2, 4, 0, 10, 2, 0, 2, 10, 2, 4}, true, 2},         // the earlier of two equal lows
        {{4, 4, 2, 10, 2, 4, 2, 10, 2, 2}, false, 2},
        {{10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, false, 0},  // nothing below 10
    };
    for (const Case& c : cases) {
        Hand h = handOf("AC 2C 3C 4C 5C 6C 7C 8C 9C 10C");
        for (int k = 0; k < 10; ++k)
            h[k].value = c.values[k];
        const OfferDecision d = decideOffer(h, h[9].number);
        EXPECT_EQ(d.takeDiscard, c.take) << c.values[9];
        EXPECT_EQ(d.lowestSlot, c.lowestSlot) << c.values[9];
    }
}

TEST(RegroupComputerHand, MeldsGatherAtTheLeftInTheOrderFound)
{
    auto regrouped = [](const char* meldCards, int step) {
        Hand h = handOf("2C 9D 5H 3C KS 5D 3D 5C 3H");
        h[9].number = -1;
        MeldStore melds;
        for (int n : numbersOf(meldCards)) {
            melds.cards[melds.count] = cardOf(n);
            melds.cards[melds.count++].value = 10;
        }
        regroupComputerHand(h, melds, step);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(h[k].left, handSlotLeft(k, step));
        EXPECT_EQ(h[9].number, -1);
        return handNumbers(h);
    };
    EXPECT_EQ(regrouped("", 16), numbersOf("2C 9D 5H 3C KS 5D 3D 5C 3H"));
    EXPECT_EQ(regrouped("3C 3D 3H 5H 5D 5C", 16), numbersOf("3C 3D 3H 5H 5D 5C 9D KS 2C"));
    // A meld card already thrown (JD) leaves its slot alone.
    EXPECT_EQ(regrouped("3C JD 3H", 15), numbersOf("3C 9D 3H 2C KS 5D 3D 5C 5H"));
}

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
        {Forward, kNoCard, "", "7C AC 2C 4C 5C 6C 8C 9C 3C"},
        {Back, -1, "", "7C AC 2C 4C 5C 6C 8C 9C 3C"},
        {Drop, 4, "AC", "7C 2C 4C 5C AC 6C 8C 9C 3C"},  // lands after the target
        {Drop, 1, "8C", "7C 2C 8C 4C 5C AC 6C 9C 3C"},
        {Drop, 8, "4C", "7C 2C 8C 5C AC 6C 9C 3C 4C"},  // on the last card: ends last
        {Drop, 8, "3C", "7C 2C 8C 5C AC 6C 9C 4C 3C"},  // the card before last
        {Drop, 8, "3C", "7C 2C 8C 5C AC 6C 9C 4C 3C"},  // the last card nudged onto itself
        {Drop, 1, "8C", "7C 2C 8C 5C AC 6C 9C 4C 3C"},  // own left neighbour
        {Drop, 2, "8C", "7C 2C 8C 5C AC 6C 9C 4C 3C"},  // itself
        {Drop, kNoCard, "8C", "7C 2C 8C 5C AC 6C 9C 4C 3C"},
        {Drop, 3, "KS", "7C 2C 8C 5C AC 6C 9C 4C 3C"},
        {Drop, 3, "", "7C 2C 8C 5C AC 6C 9C 4C 3C"},
    };
    for (const Step& s : steps) {
        if (s.op == Forward)
            MoveCardForward(h, s.arg);
        else if (s.op == Back)
            MoveCardBack(h, s.arg);
        else
            MoveCardDragging(h, *s.card ? parseCard(s.card) : -1, s.arg);
        EXPECT_EQ(handNumbers(h), numbersOf(s.expected)) << s.op << " " << s.arg << " " << s.card;
        for (int k = 0; k < 9; ++k) {
            EXPECT_EQ(h[k].left, places[k].left);
            EXPECT_EQ(h[k].right, places[k].right);
            EXPECT_EQ(h[k].rank * 4 + h[k].suit, h[k].number + 4);  // rank and suit moved too
        }
    }
}
