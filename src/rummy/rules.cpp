// Which cards form melds, and when ten cards win.
#include "rummy/rules.h"

#include <algorithm>

namespace dm {

namespace {

bool consecutive(int r0, int r1, int r2) { return r0 + 1 == r1 && r1 + 1 == r2; }

// Three cards of one suit in ascending rank: consecutive, or the ace-high Q-K-A.
bool runOfThree(int r0, int r1, int r2)
{
    return consecutive(r0, r1, r2) || (r0 == 1 && r1 == 12 && r2 == 13);
}

bool meldOfThree(std::array<CardRec, 3> t)
{
    if (t[0].rank == t[1].rank && t[1].rank == t[2].rank)
        return true;
    if (t[0].suit != t[1].suit || t[1].suit != t[2].suit)
        return false;
    std::sort(t.begin(), t.end(), [](const CardRec& a, const CardRec& b) { return a.rank < b.rank; });
    return runOfThree(t[0].rank, t[1].rank, t[2].rank);
}

// Set of three plus a second meld from the three cards left over.
bool setPlusMeld(const std::array<CardRec, 6>& cards)
{
    for (int r = 1; r <= 13; ++r) {
        for (int s = 0; s < 4; ++s) {
            int count = 0;
            for (const auto& c : cards)
                if (c.rank == r && c.suit != s)
                    ++count;
            if (count < 3)
                continue;
            std::array<CardRec, 3> rest;
            int n = 0;
            for (const auto& c : cards)
                if ((c.rank != r || c.suit == s) && n < 3)
                    rest[n++] = c;
            if (n == 3 && meldOfThree(rest))
                return true;
        }
    }
    return false;
}

bool twoRunsOneSuit(const std::array<CardRec, 6>& cards)
{
    for (const auto& c : cards)
        if (c.suit != cards[0].suit)
            return false;
    std::array<int, 6> t;
    for (int i = 0; i < 6; ++i)
        t[i] = cards[i].rank;
    std::sort(t.begin(), t.end());
    if (consecutive(t[0], t[1], t[2]) && consecutive(t[3], t[4], t[5]))
        return true;
    return t[0] == 1 && t[4] == 12 && t[5] == 13 && consecutive(t[1], t[2], t[3]);  // Q-K-A and a run
}

bool twoRunsTwoSuits(const std::array<CardRec, 6>& cards)
{
    std::array<int, 4> perSuit{};
    for (const auto& c : cards)
        if (c.suit >= 0 && c.suit < 4)
            ++perSuit[c.suit];
    int first = -1;
    for (int s = 3; s >= 0 && first < 0; --s)
        if (perSuit[s] >= 3)
            first = s;
    int second = -1;
    for (int s = 3; s >= 0 && second < 0; --s)
        if (s != first && perSuit[s] == 3)
            second = s;
    if (first < 0 || second < 0)
        return false;
    for (int suit : {first, second}) {
        std::array<int, 3> r;
        int n = 0;
        for (const auto& c : cards)
            if (c.suit == suit && n < 3)
                r[n++] = c.rank;
        std::sort(r.begin(), r.end());
        if (!runOfThree(r[0], r[1], r[2]))
            return false;
    }
    return true;
}

// The six cards outside a four-card meld, given the four numbers to leave out.
bool restIsComplete(const Hand& hand, std::array<int16_t, 4> out)
{
    std::array<CardRec, 6> rest;
    int n = 0;
    for (const auto& c : hand) {
        if (std::find(out.begin(), out.end(), c.number) != out.end())
            continue;
        if (n == 6)
            return false;
        rest[n++] = c;
    }
    return n == 6 && Check6ForComplete(rest);
}

}  // namespace

bool Check6ForComplete(const std::array<CardRec, 6>& cards)
{
    return setPlusMeld(cards) || twoRunsOneSuit(cards) || twoRunsTwoSuits(cards);
}

// Every card of a winning hand shares its rank with another or has a neighbour in its
// suit (the ace beside the king too); most hands fail this at once.
static bool everyCardHasAPartner(const Hand& hand)
{
    std::array<int, 14> perRank{};
    std::array<unsigned, 4> ranksOfSuit{};
    for (const auto& c : hand) {
        if (c.rank < 1 || c.rank > 13 || c.suit < 0 || c.suit > 3)
            return false;
        ++perRank[c.rank];
        ranksOfSuit[c.suit] |= 1u << c.rank;
    }
    for (const auto& c : hand) {
        const unsigned m = ranksOfSuit[c.suit];
        const bool neighbour = (m >> (c.rank - 1) & 1) || (m >> (c.rank + 1) & 1) || (c.rank == 1 && (m >> 13 & 1))
                               || (c.rank == 13 && (m >> 1 & 1));
        if (perRank[c.rank] < 2 && !neighbour)
            return false;
    }
    return true;
}

bool isWinningHand(const Hand& hand)
{
    if (!everyCardHasAPartner(hand))
        return false;
    std::array<int, 14> perRank{};
    std::array<std::array<int16_t, 10>, 4> bySuit;  // numbers of each suit, ascending
    std::array<int, 4> perSuit{};
    for (const auto& c : hand) {
        if (c.rank >= 1 && c.rank <= 13)
            ++perRank[c.rank];
        if (c.suit >= 0 && c.suit < 4)
            bySuit[c.suit][perSuit[c.suit]++] = c.number;
    }
    // Four of a kind.
    for (int r = 1; r <= 13; ++r) {
        if (perRank[r] != 4)
            continue;
        const auto b = static_cast<int16_t>(cardNumber(r, 0));
        if (restIsComplete(hand, {b, static_cast<int16_t>(b + 1), static_cast<int16_t>(b + 2),
                                  static_cast<int16_t>(b + 3)}))
            return true;
    }
    // Four-card runs, suit by suit.
    for (int s = 0; s < 4; ++s) {
        const int n = perSuit[s];
        auto& list = bySuit[s];
        if (n < 4)
            continue;
        std::sort(list.begin(), list.begin() + n);
        for (int i = 0; i + 3 < n; ++i) {
            const int16_t b = list[i];
            if (list[i + 1] == b + 4 && list[i + 2] == b + 8 && list[i + 3] == b + 12
                && restIsComplete(hand, {b, list[i + 1], list[i + 2], list[i + 3]}))
                return true;
        }
        // J-Q-K-A: the one place a four-card run goes past the king.
        if (list[0] == s && list[n - 3] == 40 + s && list[n - 2] == 44 + s && list[n - 1] == 48 + s
            && restIsComplete(hand, {list[0], list[n - 3], list[n - 2], list[n - 1]}))
            return true;
    }
    return false;
}

bool checkForWinningHand(const Hand& hand, bool& handWon)
{
    if (!isWinningHand(hand))
        return false;
    handWon = true;
    return true;
}

}  // namespace dm
