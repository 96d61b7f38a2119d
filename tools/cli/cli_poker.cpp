// dunmere-cli's video poker questions.
#include "cli_commands.h"

#include <charconv>
#include <cstdio>

#include "poker/analysis.h"
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

std::optional<std::array<int, 9>> parsePays(std::string_view text)
{
    const std::vector<std::string_view> tokens = splitBlanks(text);
    if (tokens.size() != 9)
        return std::nullopt;
    std::array<int, 9> pays{};
    for (size_t i = 0; i < tokens.size(); ++i) {
        const auto [end, ec] = std::from_chars(tokens[i].data(), tokens[i].data() + tokens[i].size(), pays[i]);
        if (ec != std::errc() || end != tokens[i].data() + tokens[i].size() || pays[i] < 0)
            return std::nullopt;
    }
    return pays;
}

Answer holdsLine(std::string_view line, const std::array<int, 9>& pays, std::string& error)
{
    const auto numbers = parseCardTokens(splitBlanks(line), 5, error);
    if (!numbers)
        return std::nullopt;
    const HoldValues values = holdValues(pokerCards(*numbers), pays);
    std::string out;
    char buf[48];
    for (double v : values) {
        std::snprintf(buf, sizeof buf, "%s%.6f", out.empty() ? "" : " ", v);
        out += buf;
    }
    return out;
}

std::vector<std::string> returnLines(const std::array<int, 9>& pays, bool adviser)
{
    const GameSolution game = solveGame(pays, adviser);
    std::vector<std::string> lines;
    char buf[64];
    const auto rate = [&](const char* name, double r) {
        std::snprintf(buf, sizeof buf, "%s %.10f", name, r);
        lines.emplace_back(buf);
    };
    rate("return", game.returnRate);
    for (int f = 0; f < kFinalHands; ++f)
        lines.push_back(std::string(finalHandName(static_cast<FinalHand>(f))) + " " + std::to_string(game.finals[f]));
    lines.push_back("total " + std::to_string(game.total));
    std::snprintf(buf, sizeof buf, "variance %.4f", game.variance);
    lines.emplace_back(buf);
    if (adviser) {
        rate("adviser-low", game.adviserLow);
        rate("adviser-high", game.adviserHigh);
    }
    return lines;
}

}  // namespace dm::cli
