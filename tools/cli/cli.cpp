#include "cli.h"

#include <array>
#include <charconv>
#include <fstream>
#include <functional>
#include <limits>

#include "cards/card.h"
#include "cli_commands.h"
#include "poker/analysis.h"
#include "rummy/duel.h"

namespace dm {

namespace cli {

std::vector<std::string_view> splitBlanks(std::string_view line)
{
    // A carriage return counts as a blank so files with DOS line ends read alike.
    constexpr std::string_view blanks = " \t\r";
    std::vector<std::string_view> tokens;
    size_t pos = line.find_first_not_of(blanks);
    while (pos != std::string_view::npos) {
        const size_t end = line.find_first_of(blanks, pos);
        tokens.push_back(line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        pos = line.find_first_not_of(blanks, end);
    }
    return tokens;
}

std::optional<std::vector<int>> parseCardTokens(const std::vector<std::string_view>& tokens, int count,
                                                std::string& error)
{
    if (static_cast<int>(tokens.size()) != count) {
        error = "expected " + std::to_string(count) + " cards, got " + std::to_string(tokens.size());
        return std::nullopt;
    }
    std::vector<int> cards;
    std::array<bool, kDeckSize> seen{};
    for (std::string_view token : tokens) {
        long long n = 0;
        const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), n);
        if (end != token.data() + token.size() || (ec != std::errc() && ec != std::errc::result_out_of_range)) {
            error = "'" + std::string(token) + "' is not a card number";
            return std::nullopt;
        }
        if (ec == std::errc::result_out_of_range || n < 0 || n >= kDeckSize) {
            error = "card " + std::string(token) + " is out of range 0..51";
            return std::nullopt;
        }
        if (seen[n]) {
            error = "card " + std::to_string(n) + " appears twice";
            return std::nullopt;
        }
        seen[n] = true;
        cards.push_back(static_cast<int>(n));
    }
    return cards;
}

}  // namespace cli

std::optional<std::vector<int>> parseCards(std::string_view line, int count, std::string& error)
{
    return cli::parseCardTokens(cli::splitBlanks(line), count, error);
}

namespace {

constexpr const char* kUsage =
    "usage: dunmere-cli COMMAND [OPTIONS]\n"
    "Reads one hand per line on standard input and writes one answer per line.\n"
    "Cards are numbers 0..51 = (rank - 1) * 4 + suit, separated by blanks.\n"
    "\n"
    "  classify [--payout]  five cards -> video poker class 1..21\n"
    "  census [--payout]    no input; 21 lines \"CLASS COUNT\" over all five-card hands\n"
    "  holdcheck            five cards and a hold mask such as 11000 -> 1 correct, 0 wrong\n"
    "  holds [--pays P]     five cards -> the exact value of each of the 32 holds, in\n"
    "                       credits for the 5-credit wager, mask 0..31 (bit i holds card i)\n"
    "  return [--pays P] [--adviser]\n"
    "                       no input; the return of perfect play over every deal, the\n"
    "                       final hands it makes, their total and the variance of a\n"
    "                       hand's return (squared credits per credit); --adviser adds the\n"
    "                       return of the adviser's worst and best accepted holds\n"
    "  winning              ten cards -> 1 if they form a winning rummy hand, else 0\n"
    "  evaluate             ten cards of the computer's hand -> ten values | discard slot\n"
    "  offer                nine cards and the offered discard -> win, take SLOT or draw\n"
    "  rummy-hint [--samples N] [--seed S]\n"
    "                       a rummy position -> each choice of the user, best first,\n"
    "                       \"NAME WIN LOSE TIE\" separated by \" | \"; NAME is pile,\n"
    "                       stock or the card to throw; the chances if both sides\n"
    "                       play on as the Standard computer (see POSITIONS)\n"
    "  duel [--hands N] [--seed S] [--first LEVEL] [--second LEVEL] [--log FILE]\n"
    "                       no input; N hands between two computers (LEVEL standard\n"
    "                       or expert), the first seat swapped every hand: hands,\n"
    "                       wins, ties and each one's share of the decided hands with\n"
    "                       its 95 % interval; --log writes each hand as the first\n"
    "                       seat saw it, then \" = W\", \" = L\" or \" = T\";\n"
    "                       --expert-samples N sets the most deals the Expert plays\n"
    "                       out per decision (1024), --threads N the threads (all\n"
    "                       cores but one)\n"
    "  sheet FILE.png       draws every card face, back and animation frame into FILE.png\n"
    "  --help               shows this text\n"
    "  --version            shows the program's version\n"
    "\n"
    "P is nine per-credit pays, jacks or better first, royal flush last, in one argument;\n"
    "the game's are \"1 2 3 4 6 9 25 50 800\".\n"
    "\n"
    "POSITIONS: the user's nine dealt cards, then the moves in order of play, each\n"
    "item separated by \";\": S c (the user drew c from the stock), P (took the top\n"
    "of the discard pile), D c (threw c), s c, p, d c (the same for the computer),\n"
    "h c1 ... c9 (the computer's hand shown, in slot order). With the same --seed\n"
    "the answer is the same on every run. N defaults to 1100 samples, 1000 hands.\n"
    "\n"
    "A line that is not understood gets an answer starting \"error:\"; the exit status is\n"
    "then 1.\n";

using LineCommand = std::function<cli::Answer(std::string_view, std::string&)>;

int answerLines(std::istream& in, std::ostream& out, const LineCommand& command)
{
    bool anyInvalid = false;
    std::string line;
    std::string error;
    while (std::getline(in, line)) {
        error.clear();
        if (const cli::Answer answer = command(line, error)) {
            out << *answer << '\n';
        } else {
            out << "error: " << error << '\n';
            anyInvalid = true;
        }
    }
    out.flush();
    return anyInvalid ? 1 : 0;
}

int usageError(std::ostream& err, const std::string& why)
{
    err << "dunmere-cli: " << why << "\n" << "Try 'dunmere-cli --help'.\n";
    return 2;
}

// Reads a whole-number option value; false when it is missing or not in [lo, hi].
bool numberOption(const std::vector<std::string>& args, size_t& i, long long lo, long long hi, long long& value)
{
    if (i + 1 == args.size())
        return false;
    const std::string& text = args[++i];
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= lo && value <= hi;
}

std::optional<Opponent> levelOf(const std::string& name)
{
    if (name == "standard")
        return Opponent::Standard;
    if (name == "expert")
        return Opponent::Expert;
    return std::nullopt;
}

int runRummyCommand(const std::string& command, const std::vector<std::string>& args, std::istream& in,
                    std::ostream& out, std::ostream& err)
{
    long long samples = 1100, seed = 1, hands = 1000;
    DuelOptions duel;
    std::string logPath;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--seed") {
            if (!numberOption(args, i, 0, std::numeric_limits<long long>::max(), seed))
                return usageError(err, "--seed needs a whole number from 0");
        } else if (command == "rummy-hint" && a == "--samples") {
            if (!numberOption(args, i, 1, 1000000, samples))
                return usageError(err, "--samples needs a whole number from 1 to 1000000");
        } else if (command == "duel" && a == "--hands") {
            if (!numberOption(args, i, 1, 100000000, hands))
                return usageError(err, "--hands needs a whole number from 1 to 100000000");
        } else if (command == "duel" && (a == "--first" || a == "--second")) {
            const auto level = i + 1 < args.size() ? levelOf(args[i + 1]) : std::nullopt;
            if (!level)
                return usageError(err, a + " needs standard or expert");
            (a == "--first" ? duel.first : duel.second) = *level;
            ++i;
        } else if (command == "duel" && a == "--expert-samples") {
            long long n = 0;
            if (!numberOption(args, i, 1, 100000, n))
                return usageError(err, "--expert-samples needs a whole number from 1 to 100000");
            duel.expert.samples = static_cast<int>(n);
        } else if (command == "duel" && a == "--threads") {
            long long n = 0;
            if (!numberOption(args, i, 1, 256, n))
                return usageError(err, "--threads needs a whole number from 1 to 256");
            duel.threads = static_cast<int>(n);
        } else if (command == "duel" && a == "--log") {
            if (i + 1 == args.size() || args[i + 1].empty())
                return usageError(err, "--log needs a file name");
            logPath = args[++i];
        } else {
            return usageError(err, "unexpected argument '" + a + "' for " + command);
        }
    }
    if (command == "rummy-hint")
        return answerLines(in, out, [&](std::string_view line, std::string& error) {
            return cli::rummyHintLine(line, static_cast<int>(samples), static_cast<uint64_t>(seed), error);
        });
    duel.hands = static_cast<int>(hands);
    duel.seed = static_cast<uint64_t>(seed);
    std::ofstream log;
    if (!logPath.empty()) {
        log.open(logPath);
        if (!log) {
            err << "error: could not write " << logPath << '\n';
            return 1;
        }
    }
    const DuelResult result = runDuel(duel, [&](const std::string& line) {
        if (log.is_open())
            log << line << '\n';
    });
    if (log.is_open() && !log.flush()) {
        err << "error: could not write " << logPath << '\n';
        return 1;
    }
    out << describeDuel(duel, result);
    out.flush();
    return 0;
}

}  // namespace

int runCli(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::vector<std::string> args(argv + std::min(argc, 1), argv + std::max(argc, 0));
    if (args.empty())
        return usageError(err, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return 0;
    }
    if (command == "--version") {
        out << "dunmere-cli " << DUNMERE_VERSION << '\n';
        return 0;
    }

    if (command == "rummy-hint" || command == "duel")
        return runRummyCommand(command, args, in, out, err);

    // Options: --payout for classify and census, --pays for holds and return,
    // --adviser for return; sheet takes a file name instead.
    const bool takesPayout = command == "classify" || command == "census";
    const bool takesPays = command == "holds" || command == "return";
    bool payout = false;
    bool adviser = false;
    PayTable pays = kGamePays;
    if (command != "sheet") {
        for (size_t i = 1; i < args.size(); ++i) {
            if (takesPayout && args[i] == "--payout") {
                payout = true;
            } else if (command == "return" && args[i] == "--adviser") {
                adviser = true;
            } else if (takesPays && args[i] == "--pays") {
                if (i + 1 == args.size())
                    return usageError(err, "--pays needs nine pays in one argument");
                const auto given = cli::parsePays(args[++i]);
                if (!given)
                    return usageError(err, "--pays '" + args[i] + "' is not nine non-negative whole numbers");
                pays = *given;
            } else {
                return usageError(err, "unexpected argument '" + args[i] + "' for " + command);
            }
        }
    }

    if (command == "classify")
        return answerLines(in, out, [payout](std::string_view line, std::string& error) {
            return cli::classifyLine(line, payout, error);
        });
    if (command == "census") {
        for (const std::string& line : cli::censusLines(payout))
            out << line << '\n';
        out.flush();
        return 0;
    }
    if (command == "holds")
        return answerLines(in, out, [&pays](std::string_view line, std::string& error) {
            return cli::holdsLine(line, pays, error);
        });
    if (command == "return") {
        for (const std::string& line : cli::returnLines(pays, adviser))
            out << line << '\n';
        out.flush();
        return 0;
    }
    if (command == "holdcheck")
        return answerLines(in, out, cli::holdCheckLine);
    if (command == "winning")
        return answerLines(in, out, cli::winningLine);
    if (command == "evaluate")
        return answerLines(in, out, cli::evaluateLine);
    if (command == "offer")
        return answerLines(in, out, cli::offerLine);
    if (command == "sheet") {
        if (args.size() != 2 || args[1].empty())
            return usageError(err, "sheet needs exactly one file name");
        if (!cli::writeSheet(args[1])) {
            err << "error: could not write " << args[1] << '\n';
            return 1;
        }
        out << "wrote " << args[1] << '\n';
        return 0;
    }
    return usageError(err, "unknown command '" + command + "'");
}

}  // namespace dm
