#pragma once
// The computer's hidden deal, sampled among the deals that explain every move the user
// saw it make (Standard decides without chance, so a deal either explains them or not).
#include <atomic>
#include <functional>
#include <cstdint>
#include <vector>

#include "rummy/playout.h"
#include "rummy/position.h"

namespace dm {

// A small fast generator, seeded per sample so results do not depend on the threads.
class SplitMix {
public:
    explicit SplitMix(uint64_t seed) : s_(seed) {}
    SplitMix(uint64_t seed, uint64_t stream, uint64_t index) : s_(mix(mix(seed ^ mix(stream)) + index)) {}
    uint64_t next()
    {
        uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
        return mix(z);
    }
    int below(int n) { return static_cast<int>((next() >> 33) * static_cast<uint64_t>(n) >> 31); }
    template <class It>
    void shuffle(It first, It last)
    {
        for (auto n = last - first; n > 1; --n)
            std::swap(first[n - 1], first[below(static_cast<int>(n))]);
    }

private:
    static uint64_t mix(uint64_t z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t s_;
};

using ComputerDeal = std::array<int, 9>;

// Replays the position's moves from a deal: the first seat as the user played, the second
// as Standard plays, checked against what the user saw. `below` is the stock under the
// cards drawn in the history, top last. Returns how many moves were explained; with
// `firstSeatMind` false the user's own evaluations are skipped (enough for the check).
int replayPosition(SimHand& h, const RummyPosition& pos, const PositionFacts& facts, const ComputerDeal& deal,
                   const std::vector<int>& below, size_t moveLimit, bool firstSeatMind);

// Cards the computer may have been dealt beyond those known, and how many of them it holds.
struct DealPool {
    std::vector<int> known;   // dealt to it for certain (thrown or shown)
    std::vector<int> unseen;  // every other card the user has not seen
};
DealPool dealPool(const RummyPosition& pos, const PositionFacts& facts);

struct SampledDeals {
    std::vector<ComputerDeal> deals;
    int consistent = 0;  // how many explain every move
};

// `count` deals for the position; the same for a seed whatever `threads` is.
SampledDeals sampleDeals(const RummyPosition& pos, const PositionFacts& facts, int count, uint64_t seed,
                         int threads, const std::atomic<bool>* cancel);
// Plain: every deal drawn from all unseen cards, the computer's choices ignored.
SampledDeals sampleDealsBlind(const RummyPosition& pos, const PositionFacts& facts, int count, uint64_t seed);

// The figures of the choices, from given deals of the computer's cards.
RummyHint hintFromDeals(const RummyPosition& pos, const PositionFacts& facts, const SampledDeals& deals,
                        const HintOptions& options);

// Runs body(i) for i in [0, n) on `threads` threads (at least one); indices are handed out in order.
void parallelFor(int n, int threads, const std::function<void(int)>& body);
int hintThreads(int requested);

}  // namespace dm
