// dunmere-cli: card parsing, every command's answers and error lines, exit statuses,
// and streams no user means to send.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "cli.h"

namespace dm {
namespace {

using ::testing::HasSubstr;
using ::testing::MatchesRegex;

struct CliRun {
    int status = 0;
    std::vector<std::string> lines;
    std::string out, err;
};

CliRun runWith(std::vector<std::string> args, const std::string& input = {})
{
    args.insert(args.begin(), "dunmere-cli");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::istringstream in(input);
    std::ostringstream out, err;
    CliRun run;
    run.status = runCli(static_cast<int>(args.size()), argv.data(), in, out, err);
    run.out = out.str();
    run.err = err.str();
    std::istringstream split(run.out);
    for (std::string line; std::getline(split, line);)
        run.lines.push_back(line);
    return run;
}

TEST(CliParse, AcceptsOnlyExactlyTheDistinctCardNumbersAsked)
{
    // line, count, cards ({} = invalid), part of the error
    const std::tuple<const char*, int, std::vector<int>, const char*> cases[] = {
        {"0 1 2 3 51", 5, {0, 1, 2, 3, 51}, ""},
        {"  7\t8  9 10 11 \r", 5, {7, 8, 9, 10, 11}, ""},  // tabs, runs of blanks, DOS line end
        {"", 5, {}, "expected 5 cards, got 0"},
        {"1 2 3 4 5 6", 5, {}, "expected 5 cards, got 6"},
        {"0 1 2 3 4 5 6 7 8", 10, {}, "expected 10 cards, got 9"},
        {"1 2 x 4 5", 5, {}, "'x' is not a card number"},
        {"1 2 +3 4 5", 5, {}, "not a card number"},
        {"1 2 3 4 5x", 5, {}, "not a card number"},
        {"1 2 3 4 52", 5, {}, "card 52 is out of range"},
        {"-1 2 3 4 5", 5, {}, "out of range"},
        {"1 2 3 4 99999999999999999999999", 5, {}, "out of range"},
        {"1 2 3 4 01", 5, {}, "card 1 appears twice"},
    };
    for (const auto& [line, count, want, reason] : cases) {
        std::string error;
        const auto cards = parseCards(line, count, error);
        EXPECT_EQ(cards.value_or(std::vector<int>{}), want) << '"' << line << '"';
        EXPECT_THAT(error, HasSubstr(reason)) << '"' << line << '"';
    }
}

// 5c 5d 5h, 6s 7s 8s, 9h 10h Jh Qh: a winning rummy hand; then the king of clubs for
// the queen of hearts: three melds and a loose card.
constexpr const char* kWinningTen = "16 17 18 23 27 31 34 38 42 46\n";
constexpr const char* kNearTen = "16 17 18 23 27 31 34 38 42 48\n";

TEST(CliCommands, AnswerEachLineAndCarryOnAfterErrors)
{
    // arguments, input, exit status, one pattern per answer line
    const std::tuple<std::vector<std::string>, std::string, int, std::vector<std::string>> cases[] = {
        // Royal flush of clubs; ace-king-queen-jack-seven of hearts; junk; a trash hand.
        {{"classify"}, "36 40 44 48 0\n2 50 46 42 26\n1 2 x\n4 13 26 35 10\n", 1, {"1", "5", "error: .+", "21"}},
        {{"classify", "--payout"}, "2 50 46 42 26\n", 0, {"6"}},
        {{"holdcheck"},
         "36 40 44 48 0 11111\n36 40 44 48 0 11110\n4 13 26 35 10 00000\n"
         "4 13 26 35 10 1100\n4 13 26 35 10 11a00\n4 13 26 35 11111\n4 13 26 35 35 11111\n",
         1, {"1", "0", "1", "error: .+", "error: .+", "error: .+", "error: .*appears twice"}},
        {{"winning"}, std::string(kWinningTen) + kNearTen + "0 1 2\n", 1, {"1", "0", "error: expected 10 cards.*"}},
        // Three completed melds and the loose king, which is thrown.
        {{"evaluate"}, kNearTen, 0, {"10 10 10 10 10 10 10 10 10 0 \\| 9"}},
        // A winning ten; nine junk cards with a pair of fives offered the third; junk offered junk.
        {{"offer"}, std::string(kWinningTen) + "16 17 0 9 27 32 41 50 7 18\n0 9 18 27 32 41 50 7 12 47\n", 0,
         {"win", "take [2-8]", "draw"}},  // never one of the pair
    };
    for (const auto& [args, input, status, patterns] : cases) {
        SCOPED_TRACE(args[0]);
        const CliRun run = runWith(args, input);
        EXPECT_EQ(run.status, status);
        ASSERT_EQ(run.lines.size(), patterns.size()) << run.out;
        for (size_t i = 0; i < patterns.size(); ++i)
            EXPECT_THAT(run.lines[i], MatchesRegex(patterns[i]));
    }
}

TEST(CliCommands, CensusListsAllClassesWithoutReadingInput)
{
    const CliRun run = runWith({"census", "--payout"}, "this is not read\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 21u);
    long long total = 0;
    for (int cls = 1; cls <= 21; ++cls) {
        EXPECT_THAT(run.lines[cls - 1], MatchesRegex(std::to_string(cls) + " [0-9]+"));
        total += std::stoll(run.lines[cls - 1].substr(run.lines[cls - 1].find(' ')));
    }
    EXPECT_EQ(run.lines[10], "11 337920");
    EXPECT_EQ(total, 2598960);
}

TEST(CliCommands, CommandLineMistakesAreStatusTwoAndHelpNamesEveryCommand)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"shuffle"}, {"holdcheck", "--payout"}, {"classify", "--fast"}, {"sheet"}}) {
        const CliRun run = runWith(args);
        EXPECT_EQ(run.status, 2) << args.size();
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_THAT(runWith({"shuffle"}).err, HasSubstr("unknown command 'shuffle'"));
    const CliRun help = runWith({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* command : {"classify", "census", "holdcheck", "winning", "evaluate", "offer", "sheet"})
        EXPECT_THAT(help.out, HasSubstr(command));
}

TEST(CliCommands, SheetWritesAPngOrSaysItCouldNot)
{
    const auto dir = std::filesystem::temp_directory_path() / ("dunmere-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const CliRun ok = runWith({"sheet", (dir / "sheet.png").string()});
    EXPECT_EQ(ok.status, 0) << ok.err;
    std::ifstream file(dir / "sheet.png", std::ios::binary);
    std::string magic(4, '\0');
    file.read(magic.data(), 4);
    EXPECT_EQ(magic, "\x89PNG");
    const CliRun bad = runWith({"sheet", (dir / "missing" / "sheet.png").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.err, HasSubstr("could not write"));
    std::filesystem::remove_all(dir);
}

// Binary bytes, a huge line, a missing last newline: every line still gets exactly one
// answer, and an error quotes the offending token but never a megabyte of it twice over.
TEST(CliCommands, HostileInputGetsOneAnswerPerLine)
{
    const std::string hostile = std::string("0 4 8 12 16\0 20\n", 17)  // a NUL inside a line
                                + std::string(1 << 20, '7') + "\n"     // one huge number
                                + std::string(200000, ' ') + "\n"      // only blanks
                                + "\r\n"                               // a lone DOS line end
                                + "\xff\xfe\x80 1 2 3 4\n"             // bytes that are no text
                                + "-0 1 2 3 4 5 6 7 8 9\n"
                                + "0 1 2 3 4 5 6 7 8 9";               // no newline at the end
    for (const char* command : {"classify", "holdcheck", "winning", "evaluate", "offer"}) {
        SCOPED_TRACE(command);
        const CliRun run = runWith({command}, hostile);
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.lines.size(), 7u);
        for (size_t i = 0; i < 5; ++i)
            EXPECT_EQ(run.lines[i].rfind("error: ", 0), 0u) << i << ": " << run.lines[i].substr(0, 80);
        EXPECT_LT(run.out.size(), (1u << 20) + 4096);
        EXPECT_TRUE(run.err.empty());
    }
}

// The built program, end to end: the exit status reaches the shell.
TEST(CliProgram, ExitStatusReportsInvalidLines)
{
    const std::string cli = std::string(DUNMERE_BIN_DIR) + "/dunmere-cli";
    ASSERT_TRUE(std::filesystem::exists(cli));
    EXPECT_EQ(std::system(("echo '0 1 2 3 4' | " + cli + " classify > /dev/null 2>&1").c_str()), 0);
    const int status = std::system(("printf '0 1 2 3 4\\n0 0 0 0 0\\n' | " + cli + " classify > /dev/null 2>&1").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
}  // namespace dm
