#pragma once
// The table in plain words, as a screen reader says it: card names, hands, piles and
// what just happened.
#include <QString>
#include <vector>

#include "cards/card.h"

namespace dm {

// "seven of hearts"; an empty string for a number that is no card.
QString cardWords(int number);
// "seven of hearts, ace of spades"
QString cardListWords(const std::vector<int>& numbers);
// "Your hand, 9 cards: seven of hearts, ..."
QString handWords(const QString& owner, const std::vector<int>& numbers, bool faceUp);
// "Discard pile, 3 cards, top: five of hearts" or "Discard pile, empty".
QString pileWords(const std::vector<int>& pileBottomToTop);

}  // namespace dm
