#include "store/history.h"

namespace dm {

int64_t periodStart(const StatsQuery& q)
{
    constexpr int64_t kDay = 24 * 60 * 60 * 1000LL;
    switch (q.period) {
    case Period::Week:
        return q.now - 7 * kDay;
    case Period::Month:
        return q.now - 30 * kDay;
    case Period::Session:
    case Period::All:
        break;
    }
    return 0;
}

std::string cardsText(const std::array<int, 5>& cards)
{
    static const char* const kRanks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    static const char kSuits[] = {'C', 'D', 'H', 'S'};
    std::string out;
    for (int c : cards) {
        if (!out.empty())
            out += ' ';
        if (c < 0 || c > 51) {
            out += '?';
            continue;
        }
        out += kRanks[c / 4];
        out += kSuits[c % 4];
    }
    return out;
}

}  // namespace dm
