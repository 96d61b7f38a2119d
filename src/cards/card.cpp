#include "cards/card.h"

namespace dm {

std::string cardName(int number)
{
    static const char* ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    static const char* suits[] = {"\u2663", "\u2666", "\u2665", "\u2660"};
    if (number < 0 || number >= kDeckSize)
        return "?";
    return std::string(ranks[rankOf(number) - 1]) + suits[suitOf(number)];
}

std::string errorText(const std::string& procedure, const std::string& description)
{
    return "Error  in  " + procedure + " (  " + description + "  )";
}

}  // namespace dm
