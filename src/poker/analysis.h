#pragma once
// Exact values of video poker holds and of the whole game, for any pay table.
// Plain C++: the trainer window and the command line both read these.
#include <array>
#include <cstdint>

#include "poker/rules.h"

namespace dm {

// Per-credit pays of the final hands, jacks or better first, royal flush last.
using PayTable = std::array<int, 9>;
constexpr PayTable kGamePays{1, 2, 3, 4, 6, 9, 25, 50, 800};

// Final hands in the order the distribution lists them, best first.
enum class FinalHand {
    RoyalFlush,
    StraightFlush,
    FourOfAKind,
    FullHouse,
    Flush,
    Straight,
    ThreeOfAKind,
    TwoPair,
    JacksOrBetter,
    Nothing
};
constexpr int kFinalHands = 10;
const char* finalHandName(FinalHand h);  // "royal-flush" ... "nothing"

// Bit i of a hold mask keeps card i of the hand; mask 0 draws five new cards.
using HoldMask = unsigned;
constexpr int kHolds = 32;
using HoldValues = std::array<double, kHolds>;
// Holds of equal worth can differ in the last bits of their averages: nearer than this
// counts as the same value.
constexpr double kSameValue = 1e-9;

// The average credits returned for the 5-credit wager by each hold, over every
// draw from the 47 unseen cards.
HoldValues holdValues(const PokerCards& hand, const PayTable& pays = kGamePays);

// The hold of highest value; of equal values, the one with the lowest mask.
HoldMask bestHold(const HoldValues& values);

// Which holds the adviser accepts as the best play for the dealt hand.
std::array<bool, kHolds> adviserHolds(const PokerCards& hand);

// Optimal play over all 2,598,960 deals. Every deal weighs C(47,5) * 5, so each
// final-hand count is an integer and the counts add up to 19,933,230,517,200.
struct GameSolution {
    double returnRate = 0;  // credits returned per credit wagered
    // Variance of one hand's return under perfect play, in squared credits per credit
    // wagered: a hand of w credits spreads by w * sqrt(variance) credits.
    double variance = 0;
    std::array<uint64_t, kFinalHands> finals{};
    uint64_t total = 0;
    // The ladder's return when every deal is played by the adviser's worst and
    // best accepted hold (a deal it accepts no hold for is played optimally).
    double adviserLow = 0;
    double adviserHigh = 0;
};
// How the solve runs; the figures are the same either way. Without the suit symmetry every
// deal is solved on its own (the plain way, for comparison).
struct SolveOptions {
    bool suitSymmetry = true;
    int threads = 0;  // 0: one per core, up to 8
};
GameSolution solveGame(const PayTable& pays = kGamePays, bool withAdviser = false,
                       const SolveOptions& options = {});

}  // namespace dm
