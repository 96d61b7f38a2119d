#pragma once
// The final-hand class of five cards from their rank tallies, shared by the hold values
// and the whole-game solve. Ranks here are 0..12 with the ace as 0.
#include <bit>
#include <cstdint>

#include "poker/analysis.h"

namespace dm::analysis {

constexpr int kRanks = 13;
constexpr unsigned kRoyalMask = 1u | (0xFu << 9);  // ace, ten, jack, queen, king

// One 4-bit counter per rank: adding 1 << (4 * rank) counts a card of that rank.
constexpr uint64_t nibble(int rank) { return uint64_t{1} << (4 * rank); }
constexpr uint64_t kNibbleOnes = 0x1111111111111ull;   // 13 nibbles of 1
constexpr uint64_t kNibbleFours = kNibbleOnes << 2;    // bit 2 of every nibble
constexpr uint64_t kNibbleTwos = kNibbleOnes << 1;     // bit 1 of every nibble
// Bit 1 of the ace, jack, queen and king counters: set when one of them is paired.
constexpr uint64_t kHighPairBits = (nibble(0) | nibble(10) | nibble(11) | nibble(12)) << 1;

// Five distinct ranks in a row, ace low, or ten to ace.
constexpr bool isStraight(unsigned ranks)
{
    return ranks == kRoyalMask || (ranks >> std::countr_zero(ranks)) == 0x1Fu;
}

// The class of five cards from their rank counters, their rank bits and whether they
// share one suit.
constexpr FinalHand finalHandOf(uint64_t counts, unsigned ranks, bool flush)
{
    switch (std::popcount(ranks)) {
    case 5: {
        const bool straight = isStraight(ranks);
        if (straight && flush)
            return ranks == kRoyalMask ? FinalHand::RoyalFlush : FinalHand::StraightFlush;
        if (flush)
            return FinalHand::Flush;
        return straight ? FinalHand::Straight : FinalHand::Nothing;
    }
    case 4:
        return (counts & kHighPairBits) ? FinalHand::JacksOrBetter : FinalHand::Nothing;
    case 3:  // a count of 3 becomes 4 and sets bit 2; a pair becomes 3 and does not
        return ((counts + kNibbleOnes) & kNibbleFours) ? FinalHand::ThreeOfAKind : FinalHand::TwoPair;
    default:
        return (counts & kNibbleFours) ? FinalHand::FourOfAKind : FinalHand::FullHouse;
    }
}

// Per-credit pay of each final hand, in FinalHand order.
inline std::array<int64_t, kFinalHands> paysByFinal(const PayTable& pays)
{
    std::array<int64_t, kFinalHands> out{};
    for (int i = 0; i < 9; ++i)
        out[8 - i] = pays[i];  // the table runs jacks or better first, royal last
    return out;
}

// C(n, k) for the small numbers the analysis needs.
constexpr int64_t choose(int n, int k)
{
    if (k < 0 || n < k)
        return 0;
    int64_t r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

// Every deal weighs C(47,5) * 5; a hold that draws m cards weighs each draw by this.
constexpr int64_t kDealWeight = choose(47, 5) * 5;
constexpr int64_t drawWeight(int drawn) { return kDealWeight / choose(47, drawn); }

}  // namespace dm::analysis
