#include "poker/rules.h"

#include <bit>

namespace dm {

namespace {

constexpr unsigned bit(int rank) { return 1u << rank; }
constexpr unsigned kRoyalRanks = bit(1) | bit(10) | bit(11) | bit(12) | bit(13);
constexpr unsigned kHighRanks = bit(1) | bit(11) | bit(12) | bit(13);
constexpr unsigned kFaceRanks = bit(11) | bit(12) | bit(13);

constexpr bool realRank(int r) { return r >= 1 && r <= 13; }
constexpr bool realSuit(int s) { return s >= 0 && s <= 3; }

// True when the set bits of m are exactly n neighbours (n consecutive ranks).
constexpr bool isRun(unsigned m, int n)
{
    return m != 0 && (m >> std::countr_zero(m)) == (1u << n) - 1;
}

// Everything the ladder asks about five cards, gathered in one pass without
// sorting or allocating: the census runs this 5 million times.
struct Tally {
    std::array<uint8_t, 14> rankCount{};
    std::array<uint8_t, 4> suitCount{};
    std::array<uint8_t, 4> royalCount{};  // royal-ranked cards per suit
    std::array<uint8_t, 4> highCount{};   // high-ranked cards per suit
    std::array<unsigned, 4> suitRanks{};  // rank bits per suit
    unsigned ranks = 0;                   // rank bits of the real ranks present
    int realRanks = 0;                    // cards with a rank 1..13
    int highCards = 0;
    std::array<uint8_t, 8> ofSize{13};    // how many ranks occur 0, 1, 2 ... times

    explicit Tally(const PokerCards& cards)
    {
        for (const CardRec& c : cards) {
            const int r = c.rank;
            const int s = c.suit;
            const bool rr = realRank(r);
            if (rr) {
                // Keep the rank multiplicities as we go; no pass over all 13 ranks later.
                --ofSize[rankCount[r]];
                ++ofSize[++rankCount[r]];
                ranks |= bit(r);
                ++realRanks;
                highCards += (kHighRanks & bit(r)) != 0;
            }
            if (realSuit(s)) {
                ++suitCount[s];
                if (rr) {
                    suitRanks[s] |= bit(r);
                    royalCount[s] += (kRoyalRanks & bit(r)) != 0;
                    highCount[s] += (kHighRanks & bit(r)) != 0;
                }
            }
        }
    }

    int pairs() const { return ofSize[2]; }
    int trips() const { return ofSize[3]; }
    int fours() const { return ofSize[4] + ofSize[5]; }

    bool anySuit(auto pred) const
    {
        for (int s = 0; s < 4; ++s)
            if (pred(s))
                return true;
        return false;
    }
};

}  // namespace

// Out-of-range ranks and suits (the fillers of a hold) match nothing and rank
// above every real card. The tests run in ladder order; the first one wins.
int16_t EvaluatePokerHand(const PokerCards& cards, bool payout)
{
    const Tally t(cards);
    const bool flush = t.anySuit([&](int s) { return t.suitCount[s] == 5; });
    const bool fiveRanks = t.realRanks == 5 && std::popcount(t.ranks) == 5;
    const bool run5 = fiveRanks && isRun(t.ranks, 5);
    const bool royalRanks = fiveRanks && t.ranks == kRoyalRanks;

    if (flush && royalRanks)
        return 1;
    if (flush && run5)
        return 2;
    if (t.fours() > 0)
        return 3;
    if (t.trips() > 0 && t.pairs() > 0)
        return 4;
    if (!payout && t.anySuit([&](int s) { return t.royalCount[s] >= 4; }))
        return 5;
    if (flush)
        return 6;
    if (run5 || royalRanks)
        return 7;
    if (t.trips() > 0)
        return 8;
    if (!payout && t.anySuit([&](int s) { return t.suitCount[s] == 4 && isRun(t.suitRanks[s], 4); }))
        return 9;
    if (t.pairs() >= 2)
        return 10;
    if (t.rankCount[1] >= 2 || t.rankCount[11] >= 2 || t.rankCount[12] >= 2 || t.rankCount[13] >= 2)
        return 11;
    if (t.anySuit([&](int s) { return t.royalCount[s] >= 3; }))
        return 12;
    if (t.anySuit([&](int s) { return t.suitCount[s] >= 4; }))
        return 13;
    if (t.pairs() > 0)  // only pairs of 2..10 are left
        return 14;

    // From here every real rank differs, and out-of-range ranks sort last.
    if (t.realRanks >= 4) {
        const unsigned lowerFour = t.realRanks == 5 ? t.ranks & ~std::bit_floor(t.ranks) : t.ranks;
        if (isRun(lowerFour, 4) && (lowerFour & bit(1)) == 0)
            return 15;
        if (t.realRanks == 5 && isRun(t.ranks & (t.ranks - 1), 4))
            return 15;
    }
    if (t.anySuit([&](int s) { return t.highCount[s] >= 2; }))
        return 16;
    if (t.anySuit([&](int s) { return t.suitCount[s] == 3 && isRun(t.suitRanks[s], 3); }))
        return 17;
    if (t.highCards >= 2)
        return 18;
    if (t.anySuit([&](int s) { return (t.suitRanks[s] & bit(10)) && (t.suitRanks[s] & kFaceRanks); }))
        return 19;
    if (t.highCards >= 1)
        return 20;
    return 21;
}

std::array<uint32_t, kPokerClasses + 1> pokerCensus(bool payout)
{
    std::array<uint32_t, kPokerClasses + 1> counts{};
    PokerCards hand{};
    // Each loop level sets only its own card, so the inner loop copies one record.
    for (int a = 0; a < kDeckSize; ++a) {
        setCard(hand[0], a);
        for (int b = a + 1; b < kDeckSize; ++b) {
            setCard(hand[1], b);
            for (int c = b + 1; c < kDeckSize; ++c) {
                setCard(hand[2], c);
                for (int d = c + 1; d < kDeckSize; ++d) {
                    setCard(hand[3], d);
                    for (int e = d + 1; e < kDeckSize; ++e) {
                        setCard(hand[4], e);
                        ++counts[EvaluatePokerHand(hand, payout)];
                    }
                }
            }
        }
    }
    return counts;
}

}  // namespace dm
