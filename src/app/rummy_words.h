#pragma once
// A rummy hand told in words: each turn as one sentence, how the hand ended, and the
// choices of the trainer by name.
#include <QString>
#include <QStringList>
#include <array>

#include "rummy/trainer.h"

namespace dm {

// One sentence per turn, newest first: "The computer took the 9♥ from the discard pile
// and threw the K♠". A turn still running says what it has done so far.
QStringList turnsInWords(const RummyPosition& pos);

// Who won, the winning melds grouped, and the stake that moved; or the stock ran out.
QString handOverInWords(const RummyHandResult& result);

// Melds of a winning hand, grouped 4, 3, 3: "7♣ 8♣ 9♣ 10♣ · 4♥ 4♦ 4♠ · J♣ J♦ J♥".
QString meldsInWords(const std::array<int, 10>& hand);

// "take the 9♥ from the discard pile", "draw from the stock", "throw the K♠".
QString choiceInWords(const RummyChoice& choice, const RummyPosition& pos);

// The card that stands for a choice in the lists: the pile's card, the card thrown, or
// the back design `back` for the stock.
int choiceCard(const RummyChoice& choice, const RummyPosition& pos, int back);

// The card on top of the discard pile as the user last saw it; kNoCard when empty.
int pileTop(const RummyPosition& pos);

// The decision the user faces in a position: none (the computer's turn, or the hand is
// over), to take a card, or to throw one.
enum class RummyDecision { None, Take, Throw };
RummyDecision decisionOf(const RummyPosition& pos);

bool samePosition(const RummyPosition& a, const RummyPosition& b);

// The choice a user's move made, or nullopt for a move of the computer.
std::optional<RummyChoice> choiceOf(const RummyMove& move);

}  // namespace dm
