// dunmere-cli's video poker questions.
#include "cli_commands.h"

#include "poker/rules.h"

namespace dm::cli {

namespace {

PokerCards pokerCards(const std::vector<int>& numbers)
{
    PokerCards cards{};
    for (size_t i = 0; i < cards.size(); ++i)
        setCard(cards[i], numbers[i]);
    return cards;
}

}  // namespace

Answer classifyLine(std::string_view line, bool payout, std::string& error)
{
    const auto numbers = parseCardTokens(splitBlanks(line), 5, error);
    if (!numbers)
        return std::nullopt;
    return std::to_string(EvaluatePokerHand(pokerCards(*numbers), payout));
}

Answer holdCheckLine(std::string_view line, std::string& error)
{
    std::vector<std::string_view> tokens = splitBlanks(line);
    if (tokens.size() != 6) {
        error = "expected 5 cards and a hold mask, got " + std::to_string(tokens.size()) + " items";
        return std::nullopt;
    }
    const std::string_view mask = tokens.back();
    tokens.pop_back();
    if (mask.size() != 5 || mask.find_first_not_of("01") != std::string_view::npos) {
        error = "hold mask '" + std::string(mask) + "' is not five characters 0 or 1";
        return std::nullopt;
    }
    const auto numbers = parseCardTokens(tokens, 5, error);
    if (!numbers)
        return std::nullopt;

    const PokerCards hand = pokerCards(*numbers);
    std::array<bool, 5> held{};
    for (size_t i = 0; i < held.size(); ++i)
        held[i] = mask[i] == '1';
    return checkHold(hand, held, EvaluatePokerHand(hand)).correct ? "1" : "0";
}

std::vector<std::string> censusLines(bool payout)
{
    const auto counts = pokerCensus(payout);
    std::vector<std::string> lines;
    for (int cls = 1; cls <= kPokerClasses; ++cls)
        lines.push_back(std::to_string(cls) + " " + std::to_string(counts[cls]));
    return lines;
}

}  // namespace dm::cli
