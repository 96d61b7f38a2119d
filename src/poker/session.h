#pragma once
// What the hands drawn in this run were worth: the credits paid, the exact value of each
// hold played against the best hold, and the hands whose hold cost something. Plain C++,
// fed by the poker flow at every draw; the trainer window shows it.
#include <array>
#include <cstdint>
#include <vector>

#include "poker/analysis.h"

namespace dm {

HoldMask maskOf(const std::array<bool, 5>& held);

struct PlayedHand {
    int number = 0;  // 1 for the first hand drawn since the start or the last reset
    PokerCards dealt{};
    HoldMask held = 0;
    HoldMask best = 0;
    double value = 0;      // credits the hold played returns on average
    double bestValue = 0;  // credits the best hold returns on average
    int prize = 0;         // credits the final hand paid
    double cost() const { return bestValue - value; }
};

class PokerSession {
public:
    // One hand drawn: the five cards dealt, the hold, and what the final hand paid.
    void record(const PokerCards& dealt, const std::array<bool, 5>& held, int prize,
                const PayTable& pays = kGamePays);
    void reset() { *this = PokerSession(); }

    int hands() const { return hands_; }
    int64_t wagered() const { return int64_t{5} * hands_; }
    int64_t won() const { return won_; }
    double expectedCredits() const { return expected_; }  // of the holds played
    double perfectCredits() const { return perfect_; }    // of the best holds
    double mistakeCost() const { return perfect_ - expected_; }
    // Credits back per credit wagered; 0 before the first hand.
    double actualReturn() const { return share(static_cast<double>(won_)); }
    double expectedReturn() const { return share(expected_); }
    double perfectReturn() const { return share(perfect_); }
    // The hands whose hold returned less than the best hold, in the order played.
    const std::vector<PlayedHand>& costlyHands() const { return costly_; }

private:
    double share(double credits) const { return hands_ ? credits / static_cast<double>(wagered()) : 0.0; }

    int hands_ = 0;
    int64_t won_ = 0;
    double expected_ = 0;
    double perfect_ = 0;
    std::vector<PlayedHand> costly_;
};

}  // namespace dm
