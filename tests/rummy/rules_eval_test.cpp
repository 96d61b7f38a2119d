#include <gtest/gtest.h>

#include "rules_support.h"
#include "rummy/rules.h"

using namespace dm;
using test::handOf;
using test::numbersOf;
using V = std::vector<int>;

namespace {

struct Evaluation : ::testing::Test {
    EvalState st;
    bool reset = true;

    Evaluation() { st.computerTurn = true; }
    EvalResult eval(Hand& h) { return EvaluateHand(h, reset, st); }
};

V storeNumbers(const MeldStore& m)
{
    V out;
    std::transform(m.cards.begin(), m.cards.begin() + m.count, std::back_inserter(out), [](auto& c) { return c.number; });
    return out;
}

}  // namespace

TEST_F(Evaluation, ScoresAndDiscardChoice)
{
    struct Case {
        const char* cards;
        int completeBefore;  // slots 0.. completed in earlier turns
        V values;
        int discard;  // -1: not checked
    } cases[] = {
        // Four of a rank: three complete, the fourth spare unless a suit neighbour lifts it.
        {"7C 7D 7H 2C 4D 9H JS KC 5H 7S", 0, {10, 10, 10, 0, 0, 0, 0, 0, 0, 0}, 9},
        {"7C 7D 7H 2C 4D 9H 8S KC 5H 7S", 0, {10, 10, 10, 0, 0, 0, 2, 0, 0, 2}, 8},
        // Set marks reach only suit lists of three or more: 3D lends 4D a near-run score.
        {"3C 3D 3H 4D JS 9H KC 6S AS 10C", 0, {10, 10, 10, 2, 0, 0, 0, 0, 0, 0}, -1},
        {"3C 3D 3H 4D JS 9H KC 6S AS 8D", 0, {10, 10, 10, 0, 0, 0, 0, 0, 0, 0}, -1},
        // The first pair of a list is seen once, later ones from both ends.
        {"5C 5D 9H 9S 2C 7D QH JC AS 3H", 0, {2, 2, 4, 4, 0, 0, 0, 0, 0, 0}, 9},
        {"AC 5C 6C 2D 3D 9H JS KH 8S QD", 0, {0, 4, 4, 2, 2, 0, 0, 0, 0, 0}, 9},
        // Ties go to the highest slot.
        {"2C 6C 10C 4D 8D QD AH 5H 3S 9S", 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 9},
        {"2C 6C 10C 4D 8D QD AH 5H 3S 4S", 0, {0, 0, 0, 2, 0, 0, 0, 0, 2, 2}, 7},
        // Only spades, searched last, take a second run from one list.
        {"AC 2C 3C 5C 6C 7C 9D JH KD 4H", 0, {10, 10, 10, 4, 8, 4, 0, 0, 0, 0}, -1},
        {"AS 2S 3S 5S 6S 7S 9D JH KD 4H", 0, {10, 10, 10, 10, 10, 10, 0, 0, 0, 0}, -1},
        // A drawn card that stretches one of the first two groups is kept (value 1).
        {"3C 3D 3H 5S 6S 7S 9D JH KC 3S", 0, {10, 10, 10, 10, 10, 10, 0, 0, 0, 1}, 8},
        {"3C 3D 3H 5S 6S 7S 9D JH KC 8S", 6, {10, 10, 10, 10, 10, 10, 0, 0, 0, 1}, 8},
        {"3C 3D 3H 5S 6S 7S 9D JH KC 4S", 6, {10, 10, 10, 10, 10, 10, 0, 0, 0, 1}, 8},
        {"3C 3D 3H 5S 6S 7S 9D JH KC 10S", 6, {10, 10, 10, 10, 10, 10, 0, 0, 0, 0}, 9},
    };
    for (const Case& c : cases) {
        st = EvalState{}, st.computerTurn = reset = true;
        Hand h = handOf(c.cards);
        for (int k = 0; k < c.completeBefore; ++k)
            h[k].value = 10;
        const EvalResult r = eval(h);
        for (size_t k = 0; k < c.values.size(); ++k)
            EXPECT_EQ(h[k].value, c.values[k]) << c.cards << ", slot " << k;
        if (c.discard >= 0)
            EXPECT_EQ(r.discardIndex, c.discard) << c.cards;
        EXPECT_FALSE(r.computerWins);
    }
}

TEST_F(Evaluation, MeldStoresLastThroughAHandUntilReset)
{
    Hand h = handOf("3C 3D 3H 5S 6S 7S 9D JH KC 2D");
    eval(h);
    EXPECT_FALSE(reset);
    EXPECT_EQ(storeNumbers(st.computerMelds), numbersOf("3C 3D 3H 5S 6S 7S"));
    eval(h);  // completed cards stay out of the lists: nothing stored twice
    EXPECT_EQ(st.computerMelds.count, 6);

    h[7] = cardOf(test::parseCard("9C")), h[8] = cardOf(test::parseCard("9H"));
    eval(h);
    EXPECT_EQ(storeNumbers(st.computerMelds), numbersOf("3C 3D 3H 5S 6S 7S 9D 9C 9H"));

    st.computerTurn = false;  // the user's hand fills the other store
    h = handOf("QC QD QH 2C 4D 6H 8S 10C AD 5S");
    eval(h);
    EXPECT_EQ(storeNumbers(st.otherMelds), numbersOf("QC QD QH"));
    EXPECT_EQ(st.computerMelds.count, 9);

    reset = true;
    eval(h);  // every card here is complete already: the cleared stores stay empty
    EXPECT_TRUE(st.computerMelds.count == 0 && st.otherMelds.count == 0 && st.computerMelds.cards[0] == CardRec{});
}

