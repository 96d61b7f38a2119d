// Exact hold values of one hand, counted rather than enumerated: the rank counts of the
// draw are walked as a multiset with its number of ways, and flushes are added by suit.
#include "poker/analysis.h"

#include <bit>

#include "poker/analysis_final.h"

namespace dm {

using namespace analysis;

namespace {

constexpr std::array<const char*, kFinalHands> kFinalNames{
    "royal-flush", "straight-flush", "four-of-a-kind", "full-house",      "flush",
    "straight",    "three-of-a-kind", "two-pair",      "jacks-or-better", "nothing"};

// The ten straights as rank bits, ace low first; the last is ten to ace.
constexpr std::array<unsigned, 10> kStraights{0x1Fu,       0x1Fu << 1, 0x1Fu << 2, 0x1Fu << 3, 0x1Fu << 4,
                                              0x1Fu << 5,  0x1Fu << 6, 0x1Fu << 7, 0x1Fu << 8, kRoyalMask};

using FinalCounts = std::array<int64_t, kFinalHands>;

// What the 47 unseen cards offer: how many of each rank and of each suit.
struct Unseen {
    std::array<int, kRanks> rank{};
    std::array<int, 4> suit{};
    std::array<unsigned, 4> dealtRanks{};  // rank bits of the dealt cards, per suit
};

// Adds every draw of `left` more cards from ranks r.. to `out`, by its rank-only class.
void walkRanks(const Unseen& u, int r, int left, int64_t ways, uint64_t counts, unsigned ranks,
               FinalCounts& out)
{
    if (left == 0 || r == kRanks) {
        if (left == 0)
            out[static_cast<int>(finalHandOf(counts, ranks, false))] += ways;
        return;
    }
    const int most = std::min(left, u.rank[r]);
    for (int d = 0; d <= most; ++d) {
        walkRanks(u, r + 1, left - d, ways * choose(u.rank[r], d), counts + d * nibble(r),
                  d > 0 ? ranks | (1u << r) : ranks, out);
    }
}

// How many of the draws from the unseen cards end in each final hand.
FinalCounts countDraws(const PokerCards& hand, HoldMask mask, const Unseen& u)
{
    uint64_t counts = 0;
    unsigned ranks = 0;
    int held = 0;
    int heldSuit = -1;
    bool oneSuit = true;
    for (int i = 0; i < 5; ++i) {
        if (!(mask & (1u << i)))
            continue;
        const int r = hand[i].rank - 1;
        counts += nibble(r);
        ranks |= 1u << r;
        ++held;
        if (heldSuit >= 0 && heldSuit != hand[i].suit)
            oneSuit = false;
        heldSuit = hand[i].suit;
    }
    const int drawn = 5 - held;
    FinalCounts out{};
    walkRanks(u, 0, drawn, 1, counts, ranks, out);

    // Flushes, and the straight flushes among them, which the rank walk filed as
    // straights or nothing.
    int64_t flushes = 0, royals = 0, straightFlushes = 0;
    for (int s = 0; s < 4; ++s) {
        if (held > 0 && (!oneSuit || s != heldSuit))
            continue;
        flushes += choose(u.suit[s], drawn);
        for (unsigned run : kStraights) {
            // Held cards are inside the run; the cards still needed were not dealt.
            if ((ranks & ~run) == 0 && (run & ~ranks & u.dealtRanks[s]) == 0)
                ++(run == kRoyalMask ? royals : straightFlushes);
        }
    }
    const int64_t suited = royals + straightFlushes;
    out[static_cast<int>(FinalHand::RoyalFlush)] = royals;
    out[static_cast<int>(FinalHand::StraightFlush)] = straightFlushes;
    out[static_cast<int>(FinalHand::Straight)] -= suited;
    out[static_cast<int>(FinalHand::Flush)] = flushes - suited;
    out[static_cast<int>(FinalHand::Nothing)] -= flushes - suited;
    return out;
}

bool validHand(const PokerCards& hand)
{
    uint64_t seen = 0;
    for (const CardRec& c : hand) {
        if (c.rank < 1 || c.rank > 13 || c.suit < 0 || c.suit > 3)
            return false;
        const uint64_t bit = uint64_t{1} << cardNumber(c.rank, c.suit);
        if (seen & bit)
            return false;
        seen |= bit;
    }
    return true;
}

}  // namespace

const char* finalHandName(FinalHand h)
{
    const int i = static_cast<int>(h);
    return i >= 0 && i < kFinalHands ? kFinalNames[i] : "";
}

HoldValues holdValues(const PokerCards& hand, const PayTable& pays)
{
    HoldValues values{};
    if (!validHand(hand))
        return values;
    Unseen u;
    u.rank.fill(4);
    u.suit.fill(13);
    for (const CardRec& c : hand) {
        --u.rank[c.rank - 1];
        --u.suit[c.suit];
        u.dealtRanks[c.suit] |= 1u << (c.rank - 1);
    }
    const auto pay = paysByFinal(pays);
    for (HoldMask mask = 0; mask < kHolds; ++mask) {
        const FinalCounts counts = countDraws(hand, mask, u);
        int64_t credits = 0;
        for (int f = 0; f < kFinalHands; ++f)
            credits += counts[f] * pay[f];
        // Credits for the 5-credit wager, averaged over the draws.
        values[mask] = 5.0 * static_cast<double>(credits) /
                       static_cast<double>(choose(47, 5 - std::popcount(mask)));
    }
    return values;
}

HoldMask bestHold(const HoldValues& values)
{
    HoldMask best = 0;
    for (HoldMask mask = 1; mask < kHolds; ++mask)
        if (values[mask] > values[best])
            best = mask;
    return best;
}

std::array<bool, kHolds> adviserHolds(const PokerCards& hand)
{
    std::array<bool, kHolds> accepted{};
    const int16_t dealt = EvaluatePokerHand(hand);
    // A hold of another size than the class keeps is never accepted: skip it.
    const int keep = CardsToHand(dealt);
    for (HoldMask mask = 0; mask < kHolds; ++mask) {
        if (std::popcount(mask) != keep)
            continue;
        std::array<bool, 5> held{};
        for (int i = 0; i < 5; ++i)
            held[i] = (mask >> i) & 1u;
        accepted[mask] = checkHold(hand, held, dealt).correct;
    }
    return accepted;
}

}  // namespace dm
