// The Standard computer's decisions.
#include "rummy/opponent.h"

namespace dm {

StandardMove standardStep(StandardMind mind, TurnMoment when, int offered, int cardStep)
{
    Hand& hand = mind.hand;
    EvalState& eval = mind.eval;
    switch (when) {
    case TurnMoment::Offer: {
        eval.computerTurn = true;
        hand[9] = cardOf(offered);
        const bool wins = EvaluateHand(hand, mind.resetMelds, eval).computerWins;
        mind.resetMelds = false;
        if (wins || eval.handWon)
            return {StandardMove::Act::Win, 0};
        const OfferDecision d = decideOffer(hand, static_cast<int16_t>(offered));
        return {d.takeDiscard ? StandardMove::Act::TakePile : StandardMove::Act::Draw, d.lowestSlot};
    }
    case TurnMoment::Drawn: {
        bool keepMelds = false;  // the stored melds of this hand survive the second look
        const EvalResult r = EvaluateHand(hand, keepMelds, eval);
        if (r.computerWins || eval.handWon)
            return {StandardMove::Act::Win, 0};
        return {StandardMove::Act::Throw, r.discardIndex};
    }
    case TurnMoment::End: {
        CardRec& drawn = hand[9];
        drawn.number = drawn.rank = drawn.suit = drawn.value = -1;
        eval.computerTurn = false;
        if (!eval.handWon)
            regroupComputerHand(hand, eval.computerMelds, cardStep);
        return {};
    }
    }
    return {};
}

void throwFromSlot(Hand& hand, int slot)
{
    copyIdentity(hand[slot], hand[9]);
    hand[slot].value = hand[9].value;
}

}  // namespace dm
