// Any standard input for each line command of dunmere-cli: one answer line per input
// line, "error:" exactly for lines that are not the cards the command wants, answers of
// the documented shape, and an exit status that says whether any line was rejected.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli.h"
#include "cli_commands.h"

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

std::vector<std::string> splitLines(std::string_view s, bool keepLastPartial)
{
    std::vector<std::string> lines;
    while (!s.empty()) {
        const size_t nl = s.find('\n');
        if (nl == std::string_view::npos) {
            if (keepLastPartial)
                lines.emplace_back(s);
            break;
        }
        lines.emplace_back(s.substr(0, nl));
        s.remove_prefix(nl + 1);
    }
    return lines;
}

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> out;
    std::string cur;
    for (char c : line) {
        if (c == ' ' || c == '\t' || c == '\r') {
            if (!cur.empty())
                out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty())
        out.push_back(cur);
    return out;
}

// Our own reading of "n distinct card numbers 0..51", independent of the program's parser.
bool validCards(const std::vector<std::string>& tokens, size_t n)
{
    if (tokens.size() != n)
        return false;
    std::set<int> seen;
    for (const auto& t : tokens) {
        const size_t start = (!t.empty() && t[0] == '-') ? 1 : 0;
        if (t.size() == start || t.find_first_not_of("0123456789", start) != std::string::npos)
            return false;
        const std::string digits = t.substr(start);
        const size_t nz = digits.find_first_not_of('0');
        const std::string sig = nz == std::string::npos ? "0" : digits.substr(nz);
        if (sig.size() > 2)
            return false;
        const int v = std::stoi(sig);
        if ((start && v != 0) || v > 51 || !seen.insert(v).second)
            return false;
    }
    return true;
}

bool isNumber(const std::string& s, int lo, int hi)
{
    if (s.empty() || s.size() > 6 || s.find_first_not_of("-0123456789") != std::string::npos)
        return false;
    const int v = std::stoi(s);
    return std::to_string(v) == s && v >= lo && v <= hi;
}

// 32 hold values in credits for the 5-credit wager, none below nothing nor above a royal
// flush; holding all five (mask 31) is worth the dealt hand's pay, a whole number.
bool holdsShaped(const std::string& a)
{
    const auto w = words(a);
    if (w.size() != 32)
        return false;
    for (const auto& s : w) {
        const size_t dot = s.find('.');
        if (dot == 0 || dot == std::string::npos || s.size() - dot != 7 ||
            s.find_first_not_of("0123456789.") != std::string::npos || std::stod(s) > 5 * 800)
            return false;
    }
    return w[31].ends_with(".000000");
}

enum class Cmd { classify, payout, holdcheck, winning, evaluate, offer, holds };

bool lineValid(Cmd cmd, const std::string& line)
{
    auto t = words(line);
    switch (cmd) {
    case Cmd::classify:
    case Cmd::payout:
    case Cmd::holds:
        return validCards(t, 5);
    case Cmd::holdcheck: {
        if (t.size() != 6)
            return false;
        const std::string mask = t.back();
        t.pop_back();
        return mask.size() == 5 && mask.find_first_not_of("01") == std::string::npos && validCards(t, 5);
    }
    default:
        return validCards(t, 10);
    }
}

bool answerShaped(Cmd cmd, const std::string& a)
{
    switch (cmd) {
    case Cmd::classify:
        return isNumber(a, 1, 21);
    case Cmd::payout:
        return isNumber(a, 1, 21) && a != "5" && a != "9";
    case Cmd::holdcheck:
    case Cmd::winning:
        return a == "0" || a == "1";
    case Cmd::evaluate: {
        const auto w = words(a);
        if (w.size() != 12 || w[10] != "|" || !isNumber(w[11], 0, 9))
            return false;
        for (size_t i = 0; i < 10; ++i)
            if (!isNumber(w[i], -32768, 32767))
                return false;
        return true;
    }
    case Cmd::offer:
        return a == "win" || a == "draw" || (a.rfind("take ", 0) == 0 && isNumber(a.substr(5), 0, 9));
    case Cmd::holds:
        return holdsShaped(a);
    }
    return false;
}

}  // namespace

// dunmere-cli's sheet command needs Qt and is not fuzzed here.
bool dm::cli::writeSheet(const std::string&) { return false; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // New commands go last, so the first byte of every seed keeps its command.
    static const std::array<std::vector<std::string>, 7> kArgs = {{
        {"dunmere-cli", "classify"},
        {"dunmere-cli", "classify", "--payout"},
        {"dunmere-cli", "holdcheck"},
        {"dunmere-cli", "winning"},
        {"dunmere-cli", "evaluate"},
        {"dunmere-cli", "offer"},
        {"dunmere-cli", "holds"},
    }};
    const auto cmd = static_cast<Cmd>(data[0] % kArgs.size());
    std::vector<std::string> args = kArgs[static_cast<size_t>(cmd)];
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = dm::runCli(static_cast<int>(args.size()), argv.data(), in, out, err);

    const auto inLines = splitLines(input, true);
    const std::string output = out.str();
    check(output.empty() || output.back() == '\n');
    const auto outLines = splitLines(output, false);
    check(outLines.size() == inLines.size());
    check(err.str().empty());

    bool anyError = false;
    for (size_t i = 0; i < inLines.size(); ++i) {
        const bool isError = outLines[i].rfind("error: ", 0) == 0;
        anyError |= isError;
        check(isError != lineValid(cmd, inLines[i]));
        if (!isError)
            check(answerShaped(cmd, outLines[i]));
    }
    check(status == (anyError ? 1 : 0));
    return 0;
}
