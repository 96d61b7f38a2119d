#pragma once
// The rules of Tolva Rummy: melds, winning hands and the computer's evaluation.
#include <array>
#include <optional>
#include <vector>

#include "cards/deck.h"

namespace dm {

// The evaluation's work lists; each ends in one empty record, as it is built.
struct EvalLists {
    std::array<std::vector<CardRec>, 4> suitList;  // suitList[0] .. suitList[3]
    std::vector<CardRec> pairList;
    void clear();  // back to one empty slot each
};

// Completed melds, three records per meld, in the order found.
struct MeldStore {
    std::array<CardRec, 10> cards{};
    int16_t count = 0;
    void clear();
    // Appends a whole meld; a meld that no longer fits is not stored (false).
    bool addMeld(const CardRec& a, const CardRec& b, const CardRec& c);
};

// What the evaluation remembers through one hand, and the flags it reads and sets.
struct EvalState {
    EvalLists lists;
    MeldStore computerMelds;
    MeldStore otherMelds;
    bool handWon = false;
    bool computerTurn = false;
};

bool Check6ForComplete(const std::array<CardRec, 6>& cards);
// Pure test: do the ten cards split into 4 + 3 + 3 melds?
bool isWinningHand(const Hand& hand);
// As isWinningHand; on a win also sets handWon.
bool checkForWinningHand(const Hand& hand, bool& handWon);

// A winning hand's ten card numbers regrouped as its melds, the four-card one first, then
// the two of three; nothing when the cards do not win.
std::optional<std::array<int, 10>> groupWinningHand(const std::array<int, 10>& cards);

struct EvalResult {
    int16_t discardIndex = 0;
    bool computerWins = false;  // the caller announces the win; handWon is already set
};
// Scores the hand in place; resetFlag (the turn's resetMelds) is cleared by the call.
EvalResult EvaluateHand(Hand& hand, bool& resetFlag, EvalState& st);
void assignCompleteValues(Hand& hand, const EvalLists& lists);

// The computer's choice with the top discard offered in slot 9.
struct OfferDecision {
    bool takeDiscard = false;
    int16_t lowestSlot = 0;  // the card to throw when it takes
};
OfferDecision decideOffer(const Hand& hand, int16_t offeredNumber);

// End of the computer's turn: completed melds move to the left in the order found,
// then slots 0..8 get their places by the spacing rule.
void regroupComputerHand(Hand& hand, const MeldStore& computerMelds, int cardStep);

// Rearranging the user's hand; only number, rank and suit move, places stay with slots.
void MoveCardForward(Hand& hand, int i);  // card i to slot 8
void MoveCardBack(Hand& hand, int i);     // card i to slot 0
// Drop of the drag card (by number) on target t: it lands after the card at t.
void MoveCardDragging(Hand& hand, int dragNumber, int t);

}  // namespace dm
