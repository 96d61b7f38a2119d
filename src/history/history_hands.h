#pragma once
// Poker records completed from their cards, and real-looking hands of both games for the
// bench tool and the drive mode. Plain C++ on the game's own rules.
#include "cards/random.h"
#include "store/history.h"

namespace dm {

// Fills the final classes, the exact values of the hold played and of the best hold,
// and the adviser's verdict from the cards and the hold (about 0.2 ms: off the table).
void completePokerRecord(PokerRecord& hand);

// Hands as a learner plays them: poker hands dealt and drawn by the real rules, held as
// the adviser says with slips that grow rarer over the hands; rummy results by opponent
// level with banks that move by the stake and start again when one runs dry.
class HandSampler {
public:
    explicit HandSampler(Rng& rng) : rng_(rng) {}
    // Not completed: the history works the values out, as it does for the table's hands.
    PokerRecord poker(int64_t endedAt);
    RummyRecord rummy(int64_t endedAt);

private:
    Rng& rng_;
    int64_t pokerHands_ = 0;
    int64_t rummyHands_ = 0;
    int userBank_ = 100;
    int computerBank_ = 100;
};

}  // namespace dm
