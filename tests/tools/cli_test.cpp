// dunmere-cli: card parsing, every command's answers and error lines, exit statuses,
// streams no user means to send, and the hold values and the whole game's return.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
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

TEST(CliCommands, CommandLineMistakesAreStatusTwo)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"shuffle"}, {"holdcheck", "--payout"}, {"classify", "--fast"}, {"sheet"}}) {
        const CliRun run = runWith(args);
        EXPECT_EQ(run.status, 2) << args.size();
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_THAT(runWith({"shuffle"}).err, HasSubstr("unknown command 'shuffle'"));
    EXPECT_EQ(runWith({"--help"}).status, 0);
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

std::vector<std::string> fields(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string f; in >> f;)
        out.push_back(f);
    return out;
}

TEST(CliHolds, ValuesFollowTheCardsAsTheLineGivesThem)
{
    // Four to the royal in clubs and a two of diamonds, the two first or last.
    const CliRun run = runWith({"holds"}, "0 36 40 44 5\n5 0 36 40 44\n0 36 40 44 44\n");
    ASSERT_EQ(run.lines.size(), 3u);
    const auto last = fields(run.lines[0]), first = fields(run.lines[1]);
    ASSERT_EQ(last.size(), 32u);
    EXPECT_EQ(last[15], first[30]);  // the same four cards held
    EXPECT_EQ(last[31], "0.000000");  // the whole hand pays nothing
    EXPECT_EQ(run.lines[2], "error: card 44 appears twice");
    EXPECT_EQ(run.status, 1);

    // Only royals pay 1000 a credit: one chance in 47 of 5000 credits.
    const CliRun royal = runWith({"holds", "--pays", "0 0 0 0 0 0 0 0 1000"}, "0 36 40 44 5\n");
    ASSERT_EQ(royal.lines.size(), 1u);
    EXPECT_EQ(fields(royal.lines[0])[15], "106.382979");
}

TEST(CliReturn, PrintsTheGamesFiguresAndRefusesMalformedPays)
{
    const CliRun run = runWith({"return", "--adviser"});
    ASSERT_EQ(run.lines.size(), 14u);
    EXPECT_EQ(run.lines[0], "return 0.9954390437");
    EXPECT_EQ(run.lines[1], "royal-flush 493512264");
    EXPECT_EQ(run.lines[10], "nothing 10872274993896");
    EXPECT_EQ(run.lines[11], "total 19933230517200");
    EXPECT_EQ(run.lines[12].rfind("adviser-low 0.99", 0), 0u);
    EXPECT_EQ(run.status, 0);

    const char* bad[] = {"1 2 3", "1 2 3 4 6 9 25 50 -800", "1 2 3 4 6 9 25 50 8x", "1 2 3 4 6 9 25 50 800 1",
                         "1 2 3 4 6 9 25 50 99999999999"};
    for (const char* pays : bad) {
        SCOPED_TRACE(pays);
        const CliRun refused = runWith({"return", "--pays", pays});
        EXPECT_EQ(refused.status, 2);
        EXPECT_TRUE(refused.lines.empty());
    }
    EXPECT_EQ(runWith({"return", "--pays"}).status, 2);
    EXPECT_EQ(runWith({"holds", "--adviser"}).status, 2);
}

}  // namespace
}  // namespace dm
