#pragma once
// The commands behind dunmere-cli, each answering one input line.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dm::cli {

// An answer, or nothing with the reason in `error`.
using Answer = std::optional<std::string>;

std::vector<std::string_view> splitBlanks(std::string_view line);
std::optional<std::vector<int>> parseCardTokens(const std::vector<std::string_view>& tokens, int count,
                                                std::string& error);

Answer classifyLine(std::string_view line, bool payout, std::string& error);
Answer holdCheckLine(std::string_view line, std::string& error);
std::vector<std::string> censusLines(bool payout);

// Nine non-negative per-credit pays, jacks or better first; nothing when malformed.
std::optional<std::array<int, 9>> parsePays(std::string_view text);
Answer holdsLine(std::string_view line, const std::array<int, 9>& pays, std::string& error);
std::vector<std::string> returnLines(const std::array<int, 9>& pays, bool adviser);

Answer winningLine(std::string_view line, std::string& error);
Answer evaluateLine(std::string_view line, std::string& error);
Answer offerLine(std::string_view line, std::string& error);
// A rummy position -> its choices best first, "NAME WIN LOSE TIE" separated by " | ".
Answer rummyHintLine(std::string_view line, int samples, uint64_t seed, std::string& error);

// Draws the contact sheet; needs a GUI application, made here when there is none.
bool writeSheet(const std::string& pngPath);

}  // namespace dm::cli
