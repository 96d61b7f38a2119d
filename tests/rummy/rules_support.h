#pragma once
// Test shorthand: hands written as "5C 10H QS" (ranks A 2..10 J Q K, suits C D H S).
#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cards/deck.h"

namespace dm::test {

inline int parseCard(const std::string& t)
{
    static const std::vector<std::string> ranks{"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const auto rank = std::find(ranks.begin(), ranks.end(), t.substr(0, t.size() - 1)) - ranks.begin();
    const auto suit = std::string("CDHS").find(t.back());
    if (rank == 13 || suit == std::string::npos)
        throw std::invalid_argument("bad card " + t);
    return cardNumber(static_cast<int>(rank) + 1, static_cast<int>(suit));
}

inline std::vector<int> numbersOf(const std::string& cards)
{
    std::istringstream in(cards);
    std::vector<int> out;
    for (std::string t; in >> t;)
        out.push_back(parseCard(t));
    return out;
}

inline Hand handOf(const std::string& cards)  // up to ten cards into slots 0.., the rest left as default records
{
    Hand h{};
    const auto nums = numbersOf(cards);
    for (size_t k = 0; k < nums.size() && k < h.size(); ++k)
        setCard(h[k], nums[k]);
    return h;
}

inline std::vector<int> handNumbers(const Hand& h, int slots = 9)
{
    std::vector<int> out;
    std::transform(h.begin(), h.begin() + slots, std::back_inserter(out), [](const CardRec& c) { return c.number; });
    return out;
}

// The recorded lines that start with `prefix`.
inline std::vector<std::string> withPrefix(const std::vector<std::string>& lines, const std::string& prefix)
{
    std::vector<std::string> out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out), [&](auto& l) { return l.rfind(prefix, 0) == 0; });
    return out;
}

}  // namespace dm::test
