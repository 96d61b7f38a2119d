// The adviser's judgement of a hold: pad it with fillers, classify, compare.
#include "poker/rules.h"

namespace dm {

// Ranks above 13 that are never equal or neighbours, suits outside 0..3 that all
// differ: a filler can complete nothing, and it is never high or royal.
PokerCards fillerCards()
{
    PokerCards fill{};
    for (int k = 0; k < 5; ++k) {
        fill[k].rank = static_cast<int16_t>(99 + 2 * k);
        fill[k].suit = static_cast<int16_t>(152 + 3 * k);
        fill[k].number = static_cast<int16_t>(200 + 4 * k);
    }
    return fill;
}

HoldCheck checkHold(const PokerCards& hand, const std::array<bool, 5>& held, int16_t handClass)
{
    PokerCards hold = fillerCards();
    HoldCheck result;
    for (int i = 0; i < 5; ++i)
        if (held[i])
            hold[result.holdCount++] = hand[i];
    result.holdClass = EvaluatePokerHand(hold);
    // The class alone is not enough: a high pair with its kicker is the right class
    // with one card too many. A dealt hand without a class has no right hold.
    result.correct = handClass > 0 && result.holdClass == handClass &&
                     CardsToHand(result.holdClass) == result.holdCount;
    return result;
}

const char* wrongHoldSound(int holdCount)
{
    switch (holdCount) {
    case 1:
        return "wrong2.wav";
    case 2:
        return "wrong3.wav";
    default:
        return "wrong.wav";
    }
}

}  // namespace dm
