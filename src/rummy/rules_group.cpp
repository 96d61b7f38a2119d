// Grouping a winning hand into its melds, for telling the user how a hand was won.
#include <algorithm>

#include "rummy/rules.h"

namespace dm {

namespace {

// Three or four cards: one rank, or one suit in a row (ace low, or ace after the king).
bool isMeld(std::vector<int> cards)
{
    const size_t n = cards.size();
    if (std::all_of(cards.begin(), cards.end(), [&](int c) { return rankOf(c) == rankOf(cards[0]); }))
        return true;
    if (!std::all_of(cards.begin(), cards.end(), [&](int c) { return suitOf(c) == suitOf(cards[0]); }))
        return false;
    std::vector<int> ranks;
    for (int c : cards)
        ranks.push_back(rankOf(c));
    std::sort(ranks.begin(), ranks.end());
    auto inRow = [&](size_t from) {
        for (size_t i = from + 1; i < n; ++i)
            if (ranks[i] != ranks[i - 1] + 1)
                return false;
        return true;
    };
    return inRow(0) || (ranks[0] == 1 && ranks[n - 1] == 13 && ranks[1] == static_cast<int>(14 - (n - 1)) && inRow(1));
}

}  // namespace

std::optional<std::array<int, 10>> groupWinningHand(const std::array<int, 10>& cards)
{
    // Every four cards, then every three of the six left with the first of them.
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b)
            for (int c = b + 1; c < 10; ++c)
                for (int d = c + 1; d < 10; ++d) {
                    if (!isMeld({cards[a], cards[b], cards[c], cards[d]}))
                        continue;
                    std::vector<int> rest;
                    for (int k = 0; k < 10; ++k)
                        if (k != a && k != b && k != c && k != d)
                            rest.push_back(cards[k]);
                    for (int i = 1; i < 6; ++i)
                        for (int j = i + 1; j < 6; ++j) {
                            std::vector<int> first{rest[0], rest[i], rest[j]}, second;
                            for (int k = 1; k < 6; ++k)
                                if (k != i && k != j)
                                    second.push_back(rest[k]);
                            if (isMeld(first) && isMeld(second))
                                return std::array<int, 10>{cards[a], cards[b], cards[c], cards[d], first[0],
                                                           first[1], first[2], second[0], second[1], second[2]};
                        }
                }
    return std::nullopt;
}

}  // namespace dm
