#include "history/history_hands.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "poker/analysis.h"
#include "poker/analysis_final.h"
#include "poker/rules.h"

namespace dm {

namespace {

PokerCards pokerCardsOf(const std::array<int, 5>& numbers)
{
    PokerCards cards{};
    for (int i = 0; i < 5; ++i)
        setCard(cards[i], numbers[i]);
    return cards;
}

FinalHand finalHandOfNumbers(const std::array<int, 5>& numbers)
{
    uint64_t counts = 0;
    unsigned ranks = 0;
    bool flush = true;
    for (int c : numbers) {
        counts += analysis::nibble(c / 4);
        ranks |= 1u << (c / 4);
        flush = flush && c % 4 == numbers[0] % 4;
    }
    return analysis::finalHandOf(counts, ranks, flush);
}

}  // namespace

void completePokerRecord(PokerRecord& hand)
{
    const PokerCards dealt = pokerCardsOf(hand.dealt);
    const HoldValues values = holdValues(dealt);
    const HoldMask hold = hand.hold & (kHolds - 1);
    hand.holdValue = values[hold];
    hand.bestValue = values[bestHold(values)];
    hand.adviserAccepted = adviserHolds(dealt)[hold];
    hand.finalClass = EvaluatePokerHand(pokerCardsOf(hand.final), true);
    hand.finalHand = static_cast<int>(finalHandOfNumbers(hand.final));
}

PokerRecord HandSampler::poker(int64_t endedAt)
{
    std::array<int, kDeckSize> deck{};
    std::iota(deck.begin(), deck.end(), 0);
    for (int i = 0; i < 10; ++i)  // only the first ten cards are ever seen
        std::swap(deck[i], deck[i + rng_.below(kDeckSize - i)]);
    PokerRecord r;
    r.endedAt = endedAt;
    std::copy_n(deck.begin(), 5, r.dealt.begin());
    // A learner slips on a quarter of the hands at first and on a few in a hundred later.
    const double slips = 0.03 + 0.22 * std::exp(-static_cast<double>(pokerHands_++) / 15000.0);
    if (rng_.uniform() < slips) {
        r.hold = static_cast<unsigned>(rng_.below(kHolds));
    } else {
        const auto accepted = adviserHolds(pokerCardsOf(r.dealt));
        std::vector<unsigned> masks;
        for (unsigned m = 0; m < kHolds; ++m)
            if (accepted[m])
                masks.push_back(m);
        r.hold = masks.empty() ? 0 : masks[rng_.below(static_cast<int>(masks.size()))];
    }
    int next = 5;
    for (int i = 0; i < 5; ++i)
        r.final[i] = (r.hold >> i) & 1 ? r.dealt[i] : deck[next++];
    r.pay = std::max(0, payoutFor(EvaluatePokerHand(pokerCardsOf(r.final), true)).prize);
    return r;
}

RummyRecord HandSampler::rummy(int64_t endedAt)
{
    RummyRecord r;
    r.endedAt = endedAt;
    r.opponent = rng_.uniform() < 0.35 ? 1 : 0;
    // The user gets better too: a few more wins against either level as the hands go by.
    const double learned = 0.06 * (1 - std::exp(-static_cast<double>(rummyHands_++) / 5000.0));
    const double win = (r.opponent ? 0.40 : 0.50) + learned;
    const double u = rng_.uniform();
    r.winner = u < 0.04 ? RummyRecord::Winner::Tie : u < 0.04 + win ? RummyRecord::Winner::User
                                                                      : RummyRecord::Winner::Computer;
    r.stake = r.winner == RummyRecord::Winner::Tie ? 0 : 10;
    const int move = r.winner == RummyRecord::Winner::User ? r.stake : -r.stake;
    userBank_ += move;
    computerBank_ -= move;
    r.userBank = userBank_;
    r.computerBank = computerBank_;
    if (userBank_ <= 0 || computerBank_ <= 0)
        userBank_ = computerBank_ = 100;  // a bank ran dry: the next game starts even
    r.turns = 6 + rng_.below(20);
    r.trainerOpen = rng_.uniform() < 0.3;
    if (r.trainerOpen)  // the chance given up falls as the user learns
        r.chanceGivenUp = std::min(1.0, rng_.uniform() * rng_.uniform() * (0.05 + 0.25 * (1 - learned / 0.06)));
    return r;
}

}  // namespace dm
