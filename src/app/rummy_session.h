#pragma once
// The trainer's account of this run's rummy: hands won, lost and tied, and each choice
// scored against the best while the analysis window was open.
#include <optional>
#include <vector>

#include "rummy/trainer.h"

namespace dm {

// Choices costing more than this (in points of the chance to win) are kept for study.
constexpr double kCostlyPoints = 2.0;

// Pile and stock choices are told apart by kind alone: the pile's card is a detail.
bool sameChoice(const RummyChoice& a, const RummyChoice& b);
// The entry of `choice` in the hint; nullptr when the hint does not list it.
const ChoiceChance* chanceOf(const RummyHint& hint, const RummyChoice& choice);
// Points of the chance to win given up by `choice` against the hint's best; 0 if unknown.
double pointsGivenUp(const RummyHint& hint, const RummyChoice& choice);

struct ScoredChoice {
    int number = 0;  // counted over the run, from 1
    int hand = 0;    // the hand it was made in, counted from 1 over the finished ones
    RummyPosition before;  // the position the choice was made in
    RummyHint hint;        // of that position
    RummyChoice chosen;
    double cost = 0;       // points given up
};

class RummySession {
public:
    void handOver(const RummyHandResult& r);
    // Scores a choice made in `before`, whose hint is `hint`.
    void record(const RummyPosition& before, const RummyHint& hint, const RummyChoice& chosen);
    void reset();

    int hands() const { return won_ + lost_ + tied_; }
    int won() const { return won_; }
    int lost() const { return lost_; }
    int tied() const { return tied_; }
    int scored() const { return scored_; }
    double pointsGivenUp() const { return givenUp_; }
    const std::vector<ScoredChoice>& costlyChoices() const { return costly_; }
    // Points given up in the running hand; nullopt when none of its choices was scored.
    std::optional<double> thisHandGivenUp() const
    {
        return handScored_ ? std::optional<double>(handGivenUp_) : std::nullopt;
    }

private:
    int won_ = 0, lost_ = 0, tied_ = 0, scored_ = 0;
    double givenUp_ = 0;
    int handScored_ = 0;
    double handGivenUp_ = 0;
    std::vector<ScoredChoice> costly_;
};

}  // namespace dm
