#pragma once
// dunmere-cli: asks the game's own rules about hands read line by line, one answer per line.
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dm {

// Exactly `count` distinct card numbers 0..51 separated by blanks; otherwise nothing,
// with the reason in `error`.
std::optional<std::vector<int>> parseCards(std::string_view line, int count, std::string& error);

// The whole program: 0 when every line was valid, 1 when some line was not,
// 2 for a wrong command line.
int runCli(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err = std::cerr);

}  // namespace dm
