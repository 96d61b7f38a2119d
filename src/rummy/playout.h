#pragma once
// A rummy hand off the table: two seats, the stock and the pile, no view, no waits.
// Each seat keeps Standard's memory and takes Standard's decisions unless told otherwise,
// and the seat that plays first wins as the table's user does (any winning ten cards
// after a take), the other as the table's computer does (through its evaluation).
#include <array>
#include <cstdint>

#include "rummy/opponent.h"
#include "rummy/trainer.h"

namespace dm {

struct SimSeat {
    Hand hand{};
    EvalState eval;
    bool resetMelds = true;
    StandardMind mind() { return {hand, eval, resetMelds}; }
};

// Who won a simulated hand.
enum class SimOutcome : int8_t { Running = -1, FirstWins = 0, SecondWins = 1, Tie = 2 };

struct SimHand {
    std::array<SimSeat, 2> seat;        // [0] plays first (the user's seat), [1] the computer's
    std::array<int8_t, kDeckSize> stock{};  // the top is stock[stockCount - 1]
    int stockCount = 0;
    std::array<int8_t, 64> pile{};      // the top is pile[pileCount - 1]
    int pileCount = 0;
    int toMove = 0;
    bool mustThrow = false;             // the seat to move holds ten cards
    int16_t standardThrow = 0;          // the slot Standard would throw, once ten are held
    int turns = 0;
    std::array<uint64_t, 2> pileTaken{};  // per seat: cards it took from the pile and still holds
    SimOutcome outcome = SimOutcome::Running;
    RummyPosition* log = nullptr;       // when set, the moves as the first seat sees them

    bool over() const { return outcome != SimOutcome::Running; }
    int pileTop() const { return pileCount > 0 ? pile[pileCount - 1] : kNoCard; }
};

// A new hand: each seat's nine cards in slot order and the stock, top card last.
void dealSim(SimHand& h, const std::array<int, 9>& first, const std::array<int, 9>& second,
             const int* stock, int stockCount);

// The pile's top offered to the seat to move and evaluated, as Standard begins a turn;
// Draw when the pile is empty. Once per turn, before simTakeChosen.
StandardMove simOffer(SimHand& h);
enum class TakeChoice { Standard, Pile, Stock };
// Takes a card after the offer; the hand may end (a win, or the stock run out).
void simTakeChosen(SimHand& h, const StandardMove& offer, TakeChoice choice);
// Both: a whole take, a win with the offered card included.
void simTake(SimHand& h, TakeChoice choice);
// Throws a card by number (kNoCard: Standard's choice) and ends the turn.
void simThrow(SimHand& h, int card = kNoCard);
// Slot of a card in the mover's ten, or -1.
int slotOf(const SimHand& h, int card);

// Plays on with Standard on both sides; a hand that loops past the turn limit is a tie.
SimOutcome playOut(SimHand& h, int turnLimit = 400);

}  // namespace dm
