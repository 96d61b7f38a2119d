// dunmere-cli's rummy questions, each asked of a fresh evaluation state.
#include "cli_commands.h"

#include <cstdio>
#include <stdexcept>

#include "rummy/rules.h"
#include "rummy/trainer.h"

namespace dm::cli {

namespace {

std::optional<Hand> readHand(std::string_view line, std::string& error)
{
    const auto numbers = parseCardTokens(splitBlanks(line), 10, error);
    if (!numbers)
        return std::nullopt;
    Hand hand{};
    for (size_t i = 0; i < hand.size(); ++i)
        setCard(hand[i], (*numbers)[i]);
    return hand;
}

}  // namespace

Answer winningLine(std::string_view line, std::string& error)
{
    const auto hand = readHand(line, error);
    if (!hand)
        return std::nullopt;
    bool handWon = false;
    return checkForWinningHand(*hand, handWon) ? "1" : "0";
}

Answer evaluateLine(std::string_view line, std::string& error)
{
    auto hand = readHand(line, error);
    if (!hand)
        return std::nullopt;
    EvalState state;
    bool resetFlag = true;
    const EvalResult result = EvaluateHand(*hand, resetFlag, state);
    std::string answer;
    for (const CardRec& card : *hand)
        answer += std::to_string(card.value) + " ";
    return answer + "| " + std::to_string(result.discardIndex);
}

Answer offerLine(std::string_view line, std::string& error)
{
    auto hand = readHand(line, error);
    if (!hand)
        return std::nullopt;
    EvalState state;
    state.computerTurn = true;
    bool resetFlag = true;
    if (EvaluateHand(*hand, resetFlag, state).computerWins)
        return "win";
    const OfferDecision decision = decideOffer(*hand, (*hand)[9].number);
    if (!decision.takeDiscard)
        return "draw";
    return "take " + std::to_string(decision.lowestSlot);
}

namespace {

std::string choiceName(const RummyChoice& c)
{
    switch (c.kind) {
    case RummyChoice::Kind::Pile:
        return "pile";
    case RummyChoice::Kind::Stock:
        return "stock";
    case RummyChoice::Kind::Throw:
        break;
    }
    return std::to_string(c.card);
}

}  // namespace

Answer rummyHintLine(std::string_view line, int samples, uint64_t seed, std::string& error)
{
    const auto pos = parsePosition(std::string(line), error);
    if (!pos)
        return std::nullopt;
    RummyHint hint;
    try {
        hint = rummyHint(*pos, HintOptions{.samples = samples, .seed = seed});
    } catch (const std::invalid_argument& e) {
        error = e.what();
        return std::nullopt;
    }
    std::string answer;
    for (const ChoiceChance& c : hint.choices) {
        char figures[64];
        std::snprintf(figures, sizeof figures, " %.4f %.4f %.4f", c.win, c.lose, c.tie);
        answer += (answer.empty() ? "" : " | ") + choiceName(c.choice) + figures;
    }
    return answer;
}

}  // namespace dm::cli
