#include <gtest/gtest.h>

#include "rules_support.h"
#include "rummy/rules.h"

namespace dm {
namespace {

using test::handOf;
using test::handValues;
using V = std::vector<int>;

struct Evaluation : ::testing::Test {
    EvalState st;
    bool reset = true;

    Evaluation() { st.computerTurn = true; }

    EvalResult eval(Hand& h) { return EvaluateHand(h, reset, st); }
};

std::vector<int> storeNumbers(const MeldStore& m)
{
    std::vector<int> out;
    for (int k = 0; k < m.count; ++k)
        out.push_back(m.cards[k].number);
    return out;
}

TEST_F(Evaluation, FourOfARankCompletesThreeAndLeavesTheFourth)
{
    Hand h = handOf("7C 7D 7H 2C 4D 9H JS KC 5H 7S");
    auto r = eval(h);
    EXPECT_EQ(handValues(h), (V{10, 10, 10, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.discardIndex, 9);  // the spare seven

    // Only a neighbour in its own suit lifts the fourth card.
    h = handOf("7C 7D 7H 2C 4D 9H 8S KC 5H 7S");
    r = eval(h);
    EXPECT_EQ(handValues(h), (V{10, 10, 10, 0, 0, 0, 2, 0, 0, 2}));
    EXPECT_EQ(r.discardIndex, 8);
}

TEST_F(Evaluation, SetMarksReachOnlySuitListsOfThreeOrMore)
{
    // Diamonds hold just 3D 4D, so 3D is unmarked there and lends 4D a near-run score.
    Hand h = handOf("3C 3D 3H 4D JS 9H KC 6S AS 10C");
    eval(h);
    EXPECT_EQ(handValues(h), (V{10, 10, 10, 2, 0, 0, 0, 0, 0, 0}));

    h = handOf("3C 3D 3H 4D JS 9H KC 6S AS 8D");
    eval(h);
    EXPECT_EQ(handValues(h), (V{10, 10, 10, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(Evaluation, PairsAndNearRunsScoreByPlaceInTheirList)
{
    // The first pair of a list is seen once, later ones from both ends.
    Hand h = handOf("5C 5D 9H 9S 2C 7D QH JC AS 3H");
    auto r = eval(h);
    EXPECT_EQ(handValues(h), (V{2, 2, 4, 4, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.discardIndex, 9);

    h = handOf("AC 5C 6C 2D 3D 9H JS KH 8S QD");
    r = eval(h);
    EXPECT_EQ(handValues(h), (V{0, 4, 4, 2, 2, 0, 0, 0, 0, 0}));
    EXPECT_EQ(r.discardIndex, 9);
}

TEST_F(Evaluation, TiesGoToTheHighestSlot)
{
    Hand h = handOf("2C 6C 10C 4D 8D QD AH 5H 3S 9S");
    EXPECT_EQ(eval(h).discardIndex, 9);
    h = handOf("2C 6C 10C 4D 8D QD AH 5H 3S 4S");  // 3S 4S score, so 5H goes
    EXPECT_EQ(eval(h).discardIndex, 7);
}

TEST_F(Evaluation, OnlySpadesTakeASecondRun)
{
    Hand h = handOf("AC 2C 3C 5C 6C 7C 9D JH KD 4H");
    eval(h);
    EXPECT_EQ(handValues(h), (V{10, 10, 10, 4, 8, 4, 0, 0, 0, 0}));  // 5-6-7 only scores as near runs
    EXPECT_EQ(st.computerMelds.count, 3);

    EvalState fresh;
    fresh.computerTurn = true;
    reset = true;
    h = handOf("AS 2S 3S 5S 6S 7S 9D JH KD 4H");
    EvaluateHand(h, reset, fresh);
    EXPECT_EQ(handValues(h), (V{10, 10, 10, 10, 10, 10, 0, 0, 0, 0}));
    EXPECT_EQ(storeNumbers(fresh.computerMelds), test::numbersOf("AS 2S 3S 5S 6S 7S"));
}

TEST_F(Evaluation, DrawnCardThatStretchesAFrontGroupIsKept)
{
    // The fourth three joins the set at the front.
    Hand h = handOf("3C 3D 3H 5S 6S 7S 9D JH KC 3S");
    auto r = eval(h);
    EXPECT_EQ(handValues(h), (V{10, 10, 10, 10, 10, 10, 0, 0, 0, 1}));
    EXPECT_EQ(r.discardIndex, 8);

    // Groups completed in earlier turns: 8S or 4S would lengthen 5S 6S 7S, 10S would not.
    for (auto [drawn, expected] : {std::pair{"8S", 1}, std::pair{"4S", 1}, std::pair{"10S", 0}}) {
        h = handOf(std::string("3C 3D 3H 5S 6S 7S 9D JH KC ") + drawn);
        for (int k = 0; k < 6; ++k)
            h[k].value = 10;
        eval(h);
        EXPECT_EQ(h[9].value, expected) << drawn;
    }
}

TEST_F(Evaluation, MeldStoresLastThroughAHandUntilReset)
{
    Hand h = handOf("3C 3D 3H 5S 6S 7S 9D JH KC 2D");
    eval(h);
    EXPECT_FALSE(reset);
    EXPECT_EQ(storeNumbers(st.computerMelds), test::numbersOf("3C 3D 3H 5S 6S 7S"));
    EXPECT_EQ(st.otherMelds.count, 0);

    eval(h);  // completed cards stay out of the lists: nothing stored twice
    EXPECT_EQ(st.computerMelds.count, 6);

    h[7] = cardOf(test::parseCard("9C"));
    h[8] = cardOf(test::parseCard("9H"));
    eval(h);
    EXPECT_EQ(storeNumbers(st.computerMelds), test::numbersOf("3C 3D 3H 5S 6S 7S 9D 9C 9H"));

    st.computerTurn = false;
    h = handOf("QC QD QH 2C 4D 6H 8S 10C AD 5S");
    eval(h);
    EXPECT_EQ(storeNumbers(st.otherMelds), test::numbersOf("QC QD QH"));
    EXPECT_EQ(st.computerMelds.count, 9);

    reset = true;
    eval(h);  // every card here is complete already: the cleared stores stay empty
    EXPECT_EQ(st.computerMelds.count, 0);
    EXPECT_EQ(st.otherMelds.count, 0);
    EXPECT_EQ(st.computerMelds.cards[0], CardRec{});
}

TEST_F(Evaluation, FullMeldStoreDropsFurtherMelds)
{
    // Melded cards can leave the hand, so melds pile up; the ten slots must hold.
    const Hand start = handOf("2C 2D 2H 6S 7S 8S JC JD JH 4D");
    Hand h = start;
    eval(h);
    const auto first = storeNumbers(st.computerMelds);
    ASSERT_EQ(first.size(), 9u);
    for (int turn = 0; turn < 3; ++turn) {
        h = start;  // values back to 0: the same melds are found again
        eval(h);
        EXPECT_EQ(storeNumbers(st.computerMelds), first);
        EXPECT_EQ(st.computerMelds.cards[9], CardRec{});
    }
}

TEST_F(Evaluation, ComputerWinIsDeclaredOnlyOnItsTurn)
{
    Hand h = handOf("KC KD KH KS 2C 2D 2H 9S 9C 9D");
    st.computerTurn = false;
    auto r = eval(h);
    EXPECT_FALSE(r.computerWins);
    EXPECT_FALSE(st.handWon);
    EXPECT_EQ(r.discardIndex, 3);  // the king left out of the set

    st.computerTurn = true;
    r = eval(h);
    EXPECT_TRUE(r.computerWins);
    EXPECT_TRUE(st.handWon);
    EXPECT_EQ(r.discardIndex, 0);
}

TEST_F(Evaluation, FinishedHandIsLeftAlone)
{
    st.handWon = true;
    Hand h = handOf("5C 5D 9H 9S 2C 7D QH JC AS 3H");
    h[4].value = 6;
    const Hand before = h;
    auto r = eval(h);
    EXPECT_EQ(r.discardIndex, 0);
    EXPECT_FALSE(r.computerWins);
    EXPECT_EQ(h, before);
    EXPECT_TRUE(reset);
}

}  // namespace
}  // namespace dm
