#pragma once
// Video poker: the 21-class strategy ladder, the pay table and the adviser's rules.
#include <array>
#include <cstdint>

#include "cards/card.h"

namespace dm {

using PokerCards = std::array<CardRec, 5>;
constexpr int kPokerClasses = 21;

// Class 1..21 of five cards (0: evaluation failed). Payout mode leaves out classes 5 and 9.
int16_t EvaluatePokerHand(const PokerCards& cards, bool payout = false);

// How many of the 2,598,960 five-card hands fall in each class; index 0 counts failures.
std::array<uint32_t, kPokerClasses + 1> pokerCensus(bool payout);

const char* pokerCaption(int cls);  // exact label caption of class 1..21; "" otherwise
int pokerPays(int cls);             // credits returned for a final hand of the class
int CardsToHand(int cls);           // cards to keep for the class

// Cards that match nothing, to pad a hold to five.
PokerCards fillerCards();

struct HoldCheck {
    bool correct = false;
    int holdCount = 0;
    int16_t holdClass = 0;
};
// Is holding `held` of `hand` the best play for the dealt class?
HoldCheck checkHold(const PokerCards& hand, const std::array<bool, 5>& held, int16_t handClass);
// The wrong-hold sound by the number of cards held.
const char* wrongHoldSound(int holdCount);

// The count-up of a paid class: step, sound and pause per step.
struct Payout {
    int prize = 0;
    int step = 0;
    const char* sound = "";
    int pauseMs = 0;
};
Payout payoutFor(int cls);  // prize 0 for classes that pay nothing

}  // namespace dm
