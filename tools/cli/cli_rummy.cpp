// dunmere-cli's rummy questions, each asked of a fresh evaluation state.
#include "cli_commands.h"

#include "rummy/rules.h"

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

}  // namespace dm::cli
