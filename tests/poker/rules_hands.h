#pragma once
// Five-card hands written as "Ah 10h Jd Qc Ks" for the poker rules tests.
#include <sstream>
#include <stdexcept>
#include <string>

#include "poker/rules.h"

namespace dm::test {

inline int parseCardName(const std::string& name)
{
    static const std::string suits = "cdhs";
    const std::string rankText = name.substr(0, name.size() - 1);
    const auto suit = suits.find(name.back());
    int rank = 0;
    if (rankText == "A")
        rank = 1;
    else if (rankText == "J")
        rank = 11;
    else if (rankText == "Q")
        rank = 12;
    else if (rankText == "K")
        rank = 13;
    else
        rank = std::stoi(rankText);
    if (suit == std::string::npos || rank < 1 || rank > 13)
        throw std::invalid_argument("bad card " + name);
    return cardNumber(rank, static_cast<int>(suit));
}

inline PokerCards pokerHand(const std::string& text)
{
    std::istringstream in(text);
    PokerCards cards{};
    std::string name;
    for (CardRec& c : cards) {
        if (!(in >> name))
            throw std::invalid_argument("fewer than five cards: " + text);
        setCard(c, parseCardName(name));
    }
    return cards;
}

// "11000" -> positions 0 and 1 held.
inline std::array<bool, 5> holdMask(const std::string& mask)
{
    std::array<bool, 5> held{};
    for (size_t i = 0; i < 5 && i < mask.size(); ++i)
        held[i] = mask[i] == '1';
    return held;
}

}  // namespace dm::test
