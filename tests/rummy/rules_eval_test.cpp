#include <gtest/gtest.h>

#include "rules_support.h"
#include "rummy/rules.h"

using namespace dm;

TEST(Evaluation, ScoresAndDiscardChoice)
{
    struct Case {
        const char* cards;
        int completeBefore;  // slots 0.. completed in earlier turns
        std::vector<int> values;
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
        {"3C 3D 3H 5S 6S 7S 9D JH KC 10S", 6, {10, 10, 10, 10, 10, 10, 0, 0, 0, 0}, 9},
    };
    EvalState st;  // one for all rows: each row's reset must empty the meld store
    st.computerTurn = true;
    for (const Case& c : cases) {
        bool reset = true;
        Hand h = test::handOf(c.cards);
        std::for_each(h.begin(), h.begin() + c.completeBefore, [](CardRec& x) { x.value = 10; });
        const EvalResult r = EvaluateHand(h, reset, st);
        for (size_t k = 0; k < c.values.size(); ++k)
            EXPECT_EQ(h[k].value, c.values[k]) << c.cards << ", slot " << k;
        EXPECT_TRUE(c.discard < 0 || r.discardIndex == c.discard) << c.cards << ": discards " << r.discardIndex;
        EXPECT_FALSE(r.computerWins);
        EXPECT_EQ(st.computerMelds.count, std::count(c.values.begin(), c.values.end(), 10) - c.completeBefore) << c.cards;
    }
}

