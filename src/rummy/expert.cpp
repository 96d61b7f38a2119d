// The Expert computer's decisions.
#include "rummy/expert.h"

#include "rummy/game.h"

namespace dm {

ExpertSight expertSight(const RummyState& s)
{
    ExpertSight v;
    v.hand = s.computerHand;
    v.melds = s.eval.computerMelds;
    v.resetMelds = s.resetMelds;
    return v;
}

bool expertTakesPile(const ExpertSight&, uint64_t, const ExpertOptions&) { return false; }

int expertThrowSlot(const ExpertSight&, uint64_t, const ExpertOptions&) { return 9; }

}  // namespace dm
