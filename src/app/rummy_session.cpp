#include "app/rummy_session.h"

#include <algorithm>

namespace dm {

bool sameChoice(const RummyChoice& a, const RummyChoice& b)
{
    return a.kind == b.kind && (a.kind != RummyChoice::Kind::Throw || a.card == b.card);
}

const ChoiceChance* chanceOf(const RummyHint& hint, const RummyChoice& choice)
{
    const auto it = std::find_if(hint.choices.begin(), hint.choices.end(),
                                 [&](const ChoiceChance& c) { return sameChoice(c.choice, choice); });
    return it == hint.choices.end() ? nullptr : &*it;
}

double pointsGivenUp(const RummyHint& hint, const RummyChoice& choice)
{
    const ChoiceChance* mine = chanceOf(hint, choice);
    if (!mine || hint.choices.empty())
        return 0;
    // The list is best first, so the difference is never below zero.
    return std::max(0.0, (hint.choices.front().win - mine->win) * 100.0);
}

void RummySession::handOver(const RummyHandResult& r)
{
    using Outcome = RummyHandResult::Outcome;
    (r.outcome == Outcome::UserWon ? won_ : r.outcome == Outcome::ComputerWon ? lost_ : tied_) += 1;
    handScored_ = 0;
    handGivenUp_ = 0;
}

void RummySession::record(const RummyPosition& before, const RummyHint& hint, const RummyChoice& chosen)
{
    if (!chanceOf(hint, chosen))
        return;  // a hint of another position, or an empty one: nothing to score
    const double cost = dm::pointsGivenUp(hint, chosen);
    ++scored_;
    givenUp_ += cost;
    ++handScored_;
    handGivenUp_ += cost;
    if (cost > kCostlyPoints)
        costly_.push_back(ScoredChoice{scored_, hands() + 1, before, hint, chosen, cost});
}

void RummySession::reset() { *this = RummySession{}; }

}  // namespace dm
