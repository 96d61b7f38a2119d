#pragma once
// The rummy trainer: what the user has seen of a hand, the chance to win of each
// choice open to them, and the two computer opponents. Plain C++, no Qt.
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cards/card.h"

namespace dm {

// Which computer the user plays; a change takes effect with the next hand.
enum class Opponent { Standard, Expert };

// One move the user saw, in order of play.
struct RummyMove {
    enum class Kind : char {
        UserStock = 'S',        // the user drew `card` from the stock
        UserPile = 'P',         // the user took the top of the discard pile (`card`)
        UserDiscard = 'D',      // the user threw `card`
        ComputerStock = 's',    // the computer drew `card` (shown face up until it throws)
        ComputerPile = 'p',     // the computer took the top of the discard pile (`card`)
        ComputerDiscard = 'd',  // the computer threw `card`
        ComputerShown = 'h',    // the computer's hand was shown: `shown`, in slot order
    };
    Kind kind;
    int card = kNoCard;
    std::array<int, 9> shown{};
    bool operator==(const RummyMove&) const = default;
};

// Everything the user knows of a hand: their own nine dealt cards and the moves since.
struct RummyPosition {
    std::array<int, 9> userDeal{};
    std::vector<RummyMove> moves;
};

// The text form of a position, as `dunmere-cli rummy-hint` reads it:
// "c1 ... c9; S c; D c; p; d c; ..."
std::string formatPosition(const RummyPosition& pos);
// nullopt with `error` set on text that is not a position or on an impossible history.
std::optional<RummyPosition> parsePosition(const std::string& text, std::string& error);

// A choice open to the user: take the pile's top, draw from the stock, or throw `card`.
struct RummyChoice {
    enum class Kind { Pile, Stock, Throw };
    Kind kind = Kind::Stock;
    int card = kNoCard;
    bool operator==(const RummyChoice&) const = default;
};

struct ChoiceChance {
    RummyChoice choice;
    double win = 0, lose = 0, tie = 0;
    double margin = 0;  // half-width of the 95 % interval of `win`
};

struct RummyHint {
    std::vector<ChoiceChance> choices;  // best first
    RummyChoice standard;               // what the Standard computer would do in the user's place
    int deals = 0;                      // consistent deals sampled
};

struct HintOptions {
    int samples = 1100;                          // at 1,100 deals a 95 % margin stays within 3 points
    uint64_t seed = 1;
    int threads = 0;                             // 0: all cores but one (at least one)
    const std::atomic<bool>* cancel = nullptr;   // set: give up, the result is empty
    std::optional<RummyChoice> only;             // figures for this choice alone (faster)
    bool ignoreComputerChoices = false;          // deals from all unseen cards, for comparison
};

// The chances of each choice of the decision the user faces, if both sides play on as
// the Standard computer. Throws std::invalid_argument on an impossible history.
RummyHint rummyHint(const RummyPosition& pos, const HintOptions& options = {});

// How a hand ended, told to the table, the trainer and the history.
struct RummyHandResult {
    enum class Outcome { UserWon, ComputerWon, Tie };
    Outcome outcome = Outcome::Tie;
    int stake = 0;          // moved from the loser's bank to the winner's (0 on a tie)
    int userBank = 0;       // both banks after the hand
    int computerBank = 0;
    Opponent opponent = Opponent::Standard;
    int turns = 0;          // the user's turns taken
    std::array<int, 10> winningHand{};  // the winner's ten cards, melds grouped (4, 3, 3); tie: unused
};

}  // namespace dm
