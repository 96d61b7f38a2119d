// The classifier works on bit sets; this slow one follows the ladder word for word on sorted rank lists.
#include <gtest/gtest.h>

#include <algorithm>

#include "poker_support.h"

namespace dm {
namespace {

using Ranks = std::string;  // ranks as characters: no allocation over five million hands

bool consecutive(const Ranks& v)
{
    return std::adjacent_find(v.begin(), v.end(), [](char a, char b) { return b != a + 1; }) == v.end();
}
int countIf(const Ranks& v, bool (*pred)(int)) { return static_cast<int>(std::count_if(v.begin(), v.end(), pred)); }
bool royal(int r) { return r == 1 || (r >= 10 && r <= 13); }
bool high(int r) { return r == 1 || (r >= 11 && r <= 13); }
bool face(int r) { return r >= 11 && r <= 13; }

// Which rungs of the ladder the cards meet; the class is the first one met.
std::array<bool, 22> rungs(const PokerCards& cards)
{
    Ranks all;
    std::array<Ranks, 5> ofSuit;  // the ranks of the suit of card i
    for (int i = 0; i < 5; ++i) {
        all += static_cast<char>(cards[i].rank);
        for (const CardRec& c : cards)
            if (c.suit == cards[i].suit)
                ofSuit[i] += static_cast<char>(c.rank);
        std::sort(ofSuit[i].begin(), ofSuit[i].end());
    }
    std::sort(all.begin(), all.end());
    Ranks shape;  // how often each rank present occurs, most first
    for (size_t i = 0; i < 5; ++i)
        if (i == 0 || all[i] != all[i - 1])
            shape += static_cast<char>(std::count(all.begin(), all.end(), all[i]));
    std::sort(shape.rbegin(), shape.rend());
    auto anySuit = [&](auto pred) { return std::any_of(ofSuit.begin(), ofSuit.end(), pred); };
    const bool flush = ofSuit[0].size() == 5, royalRanks = all == Ranks{1, 10, 11, 12, 13};

    return {
        false,
        flush && royalRanks,
        flush && consecutive(all),
        shape[0] == 4,
        shape == Ranks{3, 2},
        anySuit([](const Ranks& v) { return countIf(v, royal) >= 4; }),
        flush,
        consecutive(all) || royalRanks,
        shape[0] == 3,
        anySuit([](const Ranks& v) { return v.size() == 4 && consecutive(v); }),
        shape.size() >= 2 && shape[1] == 2,
        std::any_of(all.begin(), all.end(), [&](char r) { return high(r) && std::count(all.begin(), all.end(), r) == 2; }),
        anySuit([](const Ranks& v) { return countIf(v, royal) >= 3; }),
        anySuit([](const Ranks& v) { return v.size() == 4; }),
        shape[0] == 2,
        (all[0] > 1 && consecutive(all.substr(0, 4))) || consecutive(all.substr(1)),
        anySuit([](const Ranks& v) { return countIf(v, high) >= 2; }),
        anySuit([](const Ranks& v) { return v.size() == 3 && consecutive(v); }),
        countIf(all, high) >= 2,
        anySuit([](const Ranks& v) { return v.find(char(10)) != Ranks::npos && countIf(v, face) > 0; }),
        countIf(all, high) >= 1,
        true,
    };
}

TEST(PokerReference, AgreesOnEveryHandInBothModes)
{
    int mismatches = 0;
    test::forEachHand([&](const PokerCards& hand) {
        const auto met = rungs(hand);
        for (bool payout : {false, true}) {
            int want = 1;  // the first rung met; payout mode skips the two draws that pay nothing, 5 and 9
            while (!met[want] || (payout && (want == 5 || want == 9)))
                ++want;
            const int got = EvaluatePokerHand(hand, payout);
            if (got != want && ++mismatches <= 5)
                ADD_FAILURE() << test::handText(hand) << (payout ? "payout" : "") << ": got " << got << ", want " << want;
        }
    });
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace dm
