#pragma once
// The Expert computer: decides each take and throw by playing the hand out many times
// with Standard on both sides, from what its own side has seen and nothing more.
#include <cstdint>
#include <vector>

#include "rummy/opponent.h"
#include "rummy/trainer.h"

namespace dm {

struct RummyState;

// Everything the Expert's side knows at one of its decisions.
struct ExpertSight {
    Hand hand{};             // as it holds it; slot 9: the offered, taken or drawn card
    MeldStore melds;         // its Standard memory of completed melds
    bool resetMelds = false;
    bool offered = true;     // slot 9 still lies on the pile (the take is undecided)
    bool firstSeat = false;  // it plays the seat that plays first (the user's seat at the table)
    std::vector<int> pile;   // the discard pile, bottom first
    std::vector<int> otherKnown;  // cards the other side took from the pile and still holds
    std::vector<int> unseen;      // the other side's other cards and the stock, in number order
    int stockLeft = 0;
};

struct ExpertOptions {
    int samples = 1024;         // at most this many sampled worlds per decision
    int batch = 64;             // worlds played between looks at the race
    int minSamples = 128;       // no choice leaves the race before this many worlds
    double z = 2.5;             // how sure "the leader is better" must be
    double indifference = 0.01; // a choice that cannot beat the leader by this much leaves
    int playouts = 6144;        // and the race ends, leader first, after this many hands played out
};

struct SimHand;

// The computer's side of the table as the Expert sees it; never reads the user's hand or the stock.
ExpertSight expertSight(const RummyState& s);
// The side to move of a simulated hand, as it sees it.
ExpertSight simSight(const SimHand& h);

bool expertTakesPile(const ExpertSight& sight, uint64_t seed, const ExpertOptions& options = {});
// The slot 0..9 to throw once the tenth card is held.
int expertThrowSlot(const ExpertSight& sight, uint64_t seed, const ExpertOptions& options = {});

}  // namespace dm
