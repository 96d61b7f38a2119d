#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "cli.h"

namespace dm {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

struct CliRun {
    int status = 0;
    std::vector<std::string> lines;
    std::string out;
    std::string err;
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

// 5c 5d 5h, 6s 7s 8s, 9h 10h Jh Qh: a winning rummy hand.
constexpr const char* kWinningTen = "16 17 18 23 27 31 34 38 42 46";
// The same with the king of clubs for the queen of hearts: three melds and a loose card.
constexpr const char* kNearTen = "16 17 18 23 27 31 34 38 42 48";

TEST(CliClassify, AnswersEachLineAndCarriesOnAfterErrors)
{
    // Royal flush of clubs; ace-king-queen-jack-seven of hearts; junk; a trash hand.
    const std::string input = "36 40 44 48 0\n2 50 46 42 26\n1 2 x\n4 13 26 35 10\n";
    const CliRun normal = runWith({"classify"}, input);
    EXPECT_EQ(normal.status, 1);
    ASSERT_EQ(normal.lines.size(), 4u);
    EXPECT_EQ(normal.lines[0], "1");
    EXPECT_EQ(normal.lines[1], "5");
    EXPECT_THAT(normal.lines[2], HasSubstr("error:"));
    EXPECT_EQ(normal.lines[3], "21");

    const CliRun payout = runWith({"classify", "--payout"}, "2 50 46 42 26\n");
    EXPECT_EQ(payout.status, 0);
    EXPECT_THAT(payout.lines, ElementsAre("6"));
}

TEST(CliCensus, ListsAllClassesWithoutReadingInput)
{
    const CliRun run = runWith({"census", "--payout"}, "this is not read\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 21u);
    EXPECT_EQ(run.lines[0], "1 4");
    EXPECT_EQ(run.lines[4], "5 0");
    EXPECT_EQ(run.lines[10], "11 337920");
    long long total = 0;
    for (int cls = 1; cls <= 21; ++cls) {
        std::istringstream fields(run.lines[cls - 1]);
        int shown = 0;
        long long count = 0;
        fields >> shown >> count;
        EXPECT_EQ(shown, cls);
        total += count;
    }
    EXPECT_EQ(total, 2598960);
}

TEST(CliHoldCheck, JudgesHoldsAndRejectsBadMasks)
{
    const std::string input =
        "36 40 44 48 0 11111\n"   // royal flush, all held
        "36 40 44 48 0 11110\n"   // royal flush, one let go
        "4 13 26 35 10 00000\n"   // trash, nothing held
        "4 13 26 35 10 1100\n"    // mask too short
        "4 13 26 35 10 11a00\n"   // not a mask
        "4 13 26 35 11111\n"      // a card missing
        "4 13 26 35 35 11111\n";  // repeated card
    const CliRun run = runWith({"holdcheck"}, input);
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 7u);
    EXPECT_EQ(run.lines[0], "1");
    EXPECT_EQ(run.lines[1], "0");
    EXPECT_EQ(run.lines[2], "1");
    for (size_t i = 3; i < 7; ++i)
        EXPECT_THAT(run.lines[i], HasSubstr("error:")) << i;
    EXPECT_THAT(run.lines[6], HasSubstr("appears twice"));
}

TEST(CliRummy, WinningHands)
{
    const CliRun run = runWith({"winning"}, std::string(kWinningTen) + "\n" + kNearTen + "\n0 1 2\n");
    EXPECT_EQ(run.status, 1);
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(run.lines[0], "1");
    EXPECT_EQ(run.lines[1], "0");
    EXPECT_THAT(run.lines[2], HasSubstr("expected 10 cards"));
}

TEST(CliRummy, EvaluateShowsValuesAndTheDiscard)
{
    const CliRun run = runWith({"evaluate"}, std::string(kNearTen) + "\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_THAT(run.lines[0], MatchesRegex("([0-9]+ ){10}\\| [0-9]"));
    // Three completed melds and the loose king, which is thrown.
    EXPECT_EQ(run.lines[0], "10 10 10 10 10 10 10 10 10 0 | 9");
}

TEST(CliRummy, OfferWinsTakesOrDraws)
{
    // Nine junk cards with a pair of fives, offered the third five; then junk offered junk.
    const std::string takeLine = "16 17 0 9 27 32 41 50 7 18";
    const std::string drawLine = "0 9 18 27 32 41 50 7 12 47";
    const CliRun run = runWith({"offer"}, std::string(kWinningTen) + "\n" + takeLine + "\n" + drawLine + "\n");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 3u);
    EXPECT_EQ(run.lines[0], "win");
    EXPECT_THAT(run.lines[1], MatchesRegex("take [2-8]"));  // never one of the pair
    EXPECT_EQ(run.lines[2], "draw");
}

TEST(CliUsage, CommandLineMistakesAreStatusTwo)
{
    EXPECT_EQ(runWith({}).status, 2);
    EXPECT_EQ(runWith({"shuffle"}).status, 2);
    EXPECT_EQ(runWith({"holdcheck", "--payout"}).status, 2);
    EXPECT_EQ(runWith({"classify", "--fast"}).status, 2);
    EXPECT_EQ(runWith({"sheet"}).status, 2);
    const CliRun unknown = runWith({"shuffle"});
    EXPECT_THAT(unknown.err, HasSubstr("unknown command 'shuffle'"));
    EXPECT_TRUE(unknown.out.empty());
}

TEST(CliUsage, HelpListsEveryCommand)
{
    const CliRun run = runWith({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* command : {"classify", "census", "holdcheck", "winning", "evaluate", "offer", "sheet"})
        EXPECT_THAT(run.out, HasSubstr(command));
}

TEST(CliSheet, WritesAPictureOrSaysItCouldNot)
{
    const auto dir = std::filesystem::temp_directory_path() / ("dunmere-cli-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto png = dir / "sheet.png";
    const CliRun ok = runWith({"sheet", png.string()});
    EXPECT_EQ(ok.status, 0) << ok.err;
    ASSERT_TRUE(std::filesystem::exists(png));
    std::ifstream file(png, std::ios::binary);
    char magic[4] = {};
    file.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");

    const CliRun bad = runWith({"sheet", (dir / "missing" / "sheet.png").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.err, HasSubstr("could not write"));
    std::filesystem::remove_all(dir);
}

// The installed program, end to end: the exit status reaches the shell.
TEST(CliProgram, ExitStatusReportsInvalidLines)
{
    const std::string cli = std::string(DUNMERE_BIN_DIR) + "/dunmere-cli";
    ASSERT_TRUE(std::filesystem::exists(cli));
    const std::string quiet = " > /dev/null 2>&1";
    EXPECT_EQ(std::system(("echo '0 1 2 3 4' | " + cli + " classify" + quiet).c_str()), 0);
    const int status = std::system(("printf '0 1 2 3 4\\n0 0 0 0 0\\n' | " + cli + " classify" + quiet).c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
}  // namespace dm
