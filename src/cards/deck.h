#pragma once
// The deck, its shuffle, the hand spacing rule and the user's hand sorts.
#include <array>

#include "cards/card.h"
#include "cards/random.h"

namespace dm {

using Deck = std::array<CardRec, kDeckSize>;
using Hand = std::array<CardRec, 10>;  // nine held cards in 0..8, the drawn tenth in 9

// Fills numbers 0..51, makes 52 exchanges (i with floor(r * 52)), then derives rank and suit.
void shuffleDeck(Deck& deck, Rng& rng);

// Left x of slot k (0..8) of a hand: three groups of three, half a step between groups.
int handSlotLeft(int k, int cardStep);

// Sets left, top and right of slots 0..8 by the spacing rule; right of slot 8 is left + cWidth.
void layoutHand(Hand& hand, int cardStep, int cWidth, int top);

// Stable reorders of slots 0..8 (whole records); slot 9 untouched. Callers re-lay positions.
void sortByRank(Hand& hand);
void sortBySuit(Hand& hand);

}  // namespace dm
