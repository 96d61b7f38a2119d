// The fast classifier works on rank and suit bit sets; this slow one follows the
// ladder word for word on sorted ranks, and the two must agree everywhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "poker/rules.h"

namespace dm {
namespace {

bool isRoyalRank(int r) { return r == 1 || (r >= 10 && r <= 13); }
bool isHighRank(int r) { return r == 1 || (r >= 11 && r <= 13); }

// A handful of ranks in ascending order, without allocating.
struct Ranks {
    std::array<int, 5> v{};
    size_t n = 0;
    size_t size() const { return n; }
    const int* begin() const { return v.data(); }
    const int* end() const { return v.data() + n; }
    int operator[](size_t i) const { return v[i]; }
    bool operator==(const Ranks& o) const { return std::equal(begin(), end(), o.begin(), o.end()); }
};

int referenceClass(const PokerCards& in, bool payout)
{
    PokerCards w = in;
    for (int i = 1; i < 5; ++i)  // insertion sort: equal ranks keep their order
        for (int j = i; j > 0 && w[j - 1].rank > w[j].rank; --j)
            std::swap(w[j - 1], w[j]);
    std::array<int, 5> r{}, s{};
    for (int i = 0; i < 5; ++i) {
        r[i] = w[i].rank;
        s[i] = w[i].suit;
    }
    auto rankCount = [&](int v) { return static_cast<int>(std::count(r.begin(), r.end(), v)); };
    std::array<Ranks, 5> ofSuit{};  // the ranks of the suit of card i
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            if (s[j] == s[i])
                ofSuit[i].v[ofSuit[i].n++] = r[j];
    auto anySuit = [&](auto pred) {
        return std::any_of(ofSuit.begin(), ofSuit.end(), pred);
    };
    auto consecutive = [](const Ranks& v) {
        for (size_t i = 1; i < v.size(); ++i)
            if (v[i] != v[0] + static_cast<int>(i))
                return false;
        return true;
    };
    auto countIf = [](const Ranks& v, bool (*pred)(int)) {
        return static_cast<int>(std::count_if(v.begin(), v.end(), pred));
    };
    const Ranks all{r, 5};
    const bool flush = std::all_of(s.begin(), s.end(), [&](int x) { return x == s[0]; });
    const bool royalPattern = all == Ranks{{1, 10, 11, 12, 13}, 5};
    const bool straight = consecutive(all);

    if (flush && royalPattern)
        return 1;
    if (flush && straight)
        return 2;
    for (int v = 1; v <= 13; ++v)
        if (rankCount(v) == 4)
            return 3;
    for (int v = 1; v <= 13; ++v) {
        if (rankCount(v) == 3) {
            Ranks rest;
            for (int x : r)
                if (x != v)
                    rest.v[rest.n++] = x;
            if (rest.size() == 2 && rest[0] == rest[1])
                return 4;
            break;
        }
    }
    if (!payout && anySuit([&](const Ranks& v) { return v.size() >= 4 && countIf(v, isRoyalRank) >= 4; }))
        return 5;
    if (flush)
        return 6;
    if (straight || royalPattern)
        return 7;
    for (int x : r)
        if (rankCount(x) == 3)
            return 8;
    if (!payout && anySuit([&](const Ranks& v) { return v.size() == 4 && consecutive(v); }))
        return 9;
    Ranks pairRanks;
    for (int x : r)
        if (rankCount(x) == 2 && std::find(pairRanks.begin(), pairRanks.end(), x) == pairRanks.end())
            pairRanks.v[pairRanks.n++] = x;
    if (pairRanks.size() == 2)
        return 10;
    if (rankCount(1) == 2 || rankCount(11) == 2 || rankCount(12) == 2 || rankCount(13) == 2)
        return 11;
    if (anySuit([&](const Ranks& v) { return v.size() >= 3 && countIf(v, isRoyalRank) >= 3; }))
        return 12;
    if (anySuit([&](const Ranks& v) { return v.size() == 4; }))
        return 13;
    for (int v = 1; v <= 10; ++v)
        if (rankCount(v) == 2)
            return 14;
    if ((r[0] > 1 && r[1] == r[0] + 1 && r[2] == r[0] + 2 && r[3] == r[0] + 3) ||
        (r[3] == r[4] - 1 && r[2] == r[4] - 2 && r[1] == r[4] - 3))
        return 15;
    if (anySuit([&](const Ranks& v) { return countIf(v, isHighRank) >= 2; }))
        return 16;
    if (anySuit([&](const Ranks& v) { return v.size() == 3 && consecutive(v); }))
        return 17;
    if (countIf(all, isHighRank) >= 2)
        return 18;
    if (anySuit([&](const Ranks& v) {
            return std::count(v.begin(), v.end(), 10) > 0 &&
                   std::any_of(v.begin(), v.end(), [](int x) { return x >= 11 && x <= 13; });
        }))
        return 19;
    if (countIf(all, isHighRank) >= 1)
        return 20;
    return 21;
}

TEST(PokerReference, AgreesOnEveryHandInBothModes)
{
    PokerCards hand{};
    int mismatches = 0;
    for (int a = 0; a < kDeckSize; ++a)
        for (int b = a + 1; b < kDeckSize; ++b)
            for (int c = b + 1; c < kDeckSize; ++c)
                for (int d = c + 1; d < kDeckSize; ++d)
                    for (int e = d + 1; e < kDeckSize; ++e) {
                        for (auto [slot, n] : {std::pair{0, a}, {1, b}, {2, c}, {3, d}, {4, e}})
                            setCard(hand[slot], n);
                        for (bool payout : {false, true}) {
                            const int got = EvaluatePokerHand(hand, payout);
                            const int want = referenceClass(hand, payout);
                            if (got != want && ++mismatches <= 5)
                                ADD_FAILURE() << cardName(a) << ' ' << cardName(b) << ' ' << cardName(c) << ' '
                                              << cardName(d) << ' ' << cardName(e) << (payout ? " payout" : "")
                                              << ": got " << got << ", want " << want;
                        }
                    }
    EXPECT_EQ(mismatches, 0);
}

// Every hold of random hands, padded with fillers and shuffled into any order:
// the fillers must match nothing wherever they stand.
TEST(PokerReference, AgreesOnPaddedHolds)
{
    std::mt19937 gen(20240611);
    std::array<int, kDeckSize> deck{};
    for (int i = 0; i < kDeckSize; ++i)
        deck[i] = i;
    const PokerCards fill = fillerCards();
    for (int round = 0; round < 5000; ++round) {
        std::shuffle(deck.begin(), deck.end(), gen);
        for (int mask = 0; mask < 32; ++mask) {
            PokerCards hold = fill;
            int n = 0;
            for (int i = 0; i < 5; ++i)
                if (mask & (1 << i))
                    setCard(hold[n++], deck[i]);
            ASSERT_EQ(EvaluatePokerHand(hold), referenceClass(hold, false)) << "round " << round << " mask " << mask;
            std::shuffle(hold.begin(), hold.end(), gen);
            ASSERT_EQ(EvaluatePokerHand(hold), referenceClass(hold, false)) << "round " << round << " mask " << mask;
        }
    }
}

}  // namespace
}  // namespace dm
