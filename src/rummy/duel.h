#pragma once
// Many simulated hands between two computer opponents, the seat that plays first
// (the user's seat at the table) swapped every hand.
#include <cstdint>
#include <functional>
#include <string>

#include "rummy/expert.h"
#include "rummy/trainer.h"

namespace dm {

struct DuelOptions {
    int hands = 1000;
    uint64_t seed = 1;
    Opponent first = Opponent::Standard;   // plays first in even hands
    Opponent second = Opponent::Standard;
    ExpertOptions expert;
    int threads = 0;  // 0: all cores but one (at least one)
};

struct DuelResult {
    int hands = 0;
    int firstWins = 0, secondWins = 0, ties = 0;
};

struct SimHand;
// A hand dealt from a seeded shuffle as the table deals: the computer's nine (the second
// seat) first, then the user's, the rest to the stock.
void dealSeeded(SimHand& h, uint64_t seed);

// `logLine` (when set) gets each hand, in order, as the seat that played first saw it,
// then " = W", " = L" or " = T" for that seat.
DuelResult runDuel(const DuelOptions& options, const std::function<void(const std::string&)>& logLine = {});

// The lines `dunmere-cli duel` prints: hands, wins, ties, each one's share of the decided hands.
std::string describeDuel(const DuelOptions& options, const DuelResult& result);

}  // namespace dm
