#pragma once
// The Standard computer: every decision of its turn as one function over its hand and the
// evaluation memory it carries through a hand. The table's turn and the simulations call
// the same function, so a simulated hand plays exactly the computer of the table.
#include "rummy/rules.h"

namespace dm {

// Where in its turn the computer decides.
enum class TurnMoment {
    Offer,  // the pile's top has been offered into slot 9: win, take it, or draw
    Drawn,  // the stock's top has been drawn into slot 9: win, or which slot to throw
    End,    // the card has been thrown: empty slot 9 and move the melds to the left
};

struct StandardMove {
    enum class Act { Win, TakePile, Draw, Throw, None };
    Act act = Act::None;
    int16_t slot = 0;  // Offer: the weakest card (thrown after a take); Drawn: the card to throw
};

// The hand and the memory Standard keeps: values of 10 and the meld stores survive its turns.
struct StandardMind {
    Hand& hand;
    EvalState& eval;
    bool& resetMelds;  // set at each deal: the first look of a hand empties the meld stores
};

// One decision of the turn. Offer copies `offered` into slot 9 first; End also needs the
// table's card step to relay the slots (any value will do off the table).
StandardMove standardStep(StandardMind mind, TurnMoment when, int offered = kNoCard, int cardStep = 16);

// The thrown slot takes the tenth card, value and all, as the computer keeps it.
void throwFromSlot(Hand& hand, int slot);

}  // namespace dm
