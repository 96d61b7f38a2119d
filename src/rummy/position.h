#pragma once
// Walking a position's moves: checks that the history can have happened and keeps what
// the user knows at its end. Used to read positions and by the trainer's sampler.
#include <array>
#include <string>
#include <vector>

#include "rummy/trainer.h"

namespace dm {

enum class PositionPhase { UserTake, UserThrow, ComputerTake, ComputerThrow, Over };

struct PositionFacts {
    PositionPhase phase = PositionPhase::UserTake;
    std::array<int, 10> userHand{};       // slots 0..8, and 9 while the user holds ten
    std::vector<int> pile;                // bottom first
    std::vector<int> draws;               // every stock card drawn, in order
    std::vector<int> dealtToComputer;     // cards known to have been dealt to the computer
    std::vector<int> computerHeld;        // cards it took (pile or stock) and still holds
    int stockLeft = 34;
    bool userWon = false;
};

// Walks the moves; false with `error` set when the history is impossible.
bool walkPosition(const RummyPosition& pos, PositionFacts& facts, std::string& error);

}  // namespace dm
