#include "poker/session.h"

namespace dm {

HoldMask maskOf(const std::array<bool, 5>& held)
{
    HoldMask mask = 0;
    for (int i = 0; i < 5; ++i)
        if (held[i])
            mask |= 1u << i;
    return mask;
}

void PokerSession::record(const PokerCards& dealt, const std::array<bool, 5>& held, int prize,
                          const PayTable& pays)
{
    const HoldValues values = holdValues(dealt, pays);
    PlayedHand h;
    h.number = ++hands_;
    h.dealt = dealt;
    h.held = maskOf(held);
    h.best = bestHold(values);
    h.value = values[h.held];
    h.bestValue = values[h.best];
    h.prize = prize;
    won_ += prize;
    expected_ += h.value;
    perfect_ += h.bestValue;
    if (h.cost() > kSameValue)
        costly_.push_back(h);
}

}  // namespace dm
