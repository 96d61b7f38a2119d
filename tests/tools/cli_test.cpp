// dunmere-cli as a script sees it: one table of commands, their input, exit status and
// answers; then files it writes and streams no user means to send.
#include <gmock/gmock.h>

#include <QImage>
#include <QTemporaryDir>
#include <sstream>

#include <fstream>

#include "cli.h"
#include "rummy/trainer.h"

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
    std::istringstream in(input), split;
    std::ostringstream out, err;
    CliRun run;
    run.status = runCli(static_cast<int>(args.size()), argv.data(), in, out, err);
    run.out = out.str(), run.err = err.str();
    split.str(run.out);
    for (std::string line; std::getline(split, line);)
        run.lines.push_back(line);
    return run;
}

// 5c 5d 5h, 6s 7s 8s, 9h 10h Jh Qh: a winning rummy hand; then the king of clubs for
// the queen of hearts: three melds and a loose card.
#define WINNING_TEN "16 17 18 23 27 31 34 38 42 46\n"
#define NEAR_TEN "16 17 18 23 27 31 34 38 42 48\n"
#define VALUE "[0-9]+\\.[0-9]{6}"
#define OUT_OF_RANGE "error: .*out of range.*"
#define RUMMY_DEAL "3 5 36 21 48 20 44 8 42"
#define CHANCES "[01]\\.[0-9]{4} [01]\\.[0-9]{4} [01]\\.[0-9]{4}"

TEST(Cli, EachCommandAnswersEveryLineAndCarriesOnAfterErrors)
{
    const struct {
        std::vector<std::string> args;
        std::string input;
        int status;
        std::vector<std::string> answers;  // one pattern per line
    } rows[] = {
        // Royal flush of clubs; ace-king-queen-jack-seven of hearts; a trash hand; blanks and a DOS line end.
        {{"classify"}, "36 40 44 48 0\n2 50 46 42 26\n4 13 26 35 10\n  36\t40  44 48 0 \r\n", 0, {"1", "5", "21", "1"}},
        {{"classify", "--payout"}, "2 50 46 42 26\n", 0, {"6"}},
        {{"classify"}, "\n1 2 3 4 5 6\n1 2 x 4 5\n1 2 +3 4 5\n1 2 3 4 5x\n1 2 3 4 52\n-1 2 3 4 5\n"
                       "1 2 3 4 99999999999999999999999\n1 2 3 4 01\n", 1,
         {"error: expected 5 cards, got 0", "error: expected 5 cards, got 6", "error: 'x' is not a card number",
          "error: '\\+3' is not a card number", "error: '5x' is not a card number", "error: card 52 is out of range.*",
          OUT_OF_RANGE, OUT_OF_RANGE, "error: card 1 appears twice"}},
        {{"holdcheck"}, "36 40 44 48 0 11111\n36 40 44 48 0 11110\n4 13 26 35 10 00000\n"
                        "4 13 26 35 10 1100\n4 13 26 35 10 11a00\n4 13 26 35 11111\n4 13 26 35 35 11111\n", 1,
         {"1", "0", "1", "error: .+", "error: .+", "error: .+", "error: .*appears twice"}},
        {{"winning"}, WINNING_TEN NEAR_TEN "0 1 2 3 4 5 6 7 8\n", 1, {"1", "0", "error: expected 10 cards, got 9"}},
        // Three completed melds and the loose king, which is thrown.
        {{"evaluate"}, NEAR_TEN, 0, {"10 10 10 10 10 10 10 10 10 0 \\| 9"}},
        // A winning ten; nine junk cards with a pair of fives offered the third (never one of the pair); junk.
        {{"offer"}, WINNING_TEN "16 17 0 9 27 32 41 50 7 18\n0 9 18 27 32 41 50 7 12 47\n", 0,
         {"win", "take [2-8]", "draw"}},
        // Four to the royal in clubs and a two: only royals pay, 5000 at 1 in 47 for the four, wherever they stand.
        {{"holds", "--pays", "0 0 0 0 0 0 0 0 1000"}, "0 36 40 44 5\n5 0 36 40 44\n0 36 40 44 44\n", 1,
         {"(" VALUE " ){15}106\\.382979( " VALUE "){15} 0\\.000000", "(" VALUE " ){30}106\\.382979 0\\.000000",
          "error: card 44 appears twice"}},
        // A deal, a discard to decide, a take to decide; then impossible histories.
        {{"rummy-hint", "--samples", "40", "--seed", "2"},
         RUMMY_DEAL "\n" RUMMY_DEAL "; S 30\n" RUMMY_DEAL "; S 30; D 30; p; d 45\n"
         "3 5 36 21 48 20 44 8 3\n" RUMMY_DEAL "; D 3\n" RUMMY_DEAL "; P\n" RUMMY_DEAL "; S 30; D 30\n"
         "16 17 18 23 27 31 34 38 42; S 46; D 46\n" "16 17 18 23 27 31 34 38 42; S 46\n"
         RUMMY_DEAL "; S 30; D 30; s 30\n" RUMMY_DEAL "; x 4\n" RUMMY_DEAL "; S 30; D 30; p; d 3\n",
         1,
         {"stock " CHANCES, "([0-9]+ " CHANCES " \\| ){9}[0-9]+ " CHANCES, "(pile|stock) " CHANCES " \\| (pile|stock) " CHANCES,
          "error: card 3 appears twice", "error: a move out of turn: the user is to take a card",
          "error: a take from the empty discard pile", "error: the computer is to play", "error: the hand is already over",
          "error: the hand is already over", "error: card 30 appears twice", "error: 'x' is not a move.*",
          "error: card 3 is not in the computer's hand"}},
        {{"duel", "--hands", "6", "--seed", "4"}, "", 0,
         {"hands 6", "wins first \\(standard\\) [0-6]", "wins second \\(standard\\) [0-6]", "ties [0-6]",
          "share first \\(standard\\) [01]\\.[0-9]{4} \\+- [01]\\.[0-9]{4} of [0-6] decided hands",
          "share second \\(standard\\) .*"}},
        {{"return", "--adviser"}, "", 0,
         {"return 0\\.9954390437", "royal-flush 493512264", "straight-flush .*", "four-of-a-kind .*", "full-house .*",
          "flush .*", "straight .*", "three-of-a-kind .*", "two-pair .*", "jacks-or-better .*", "nothing 10872274993896",
          "total 19933230517200", "adviser-low 0\\.99[0-9]{8}", "adviser-high 0\\.99[0-9]{8}"}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.args[0] + " " + r.input.substr(0, 20));
        const CliRun run = runWith(r.args, r.input);
        EXPECT_EQ(run.status, r.status);
        ASSERT_EQ(run.lines.size(), r.answers.size()) << run.out;
        for (size_t i = 0; i < r.answers.size(); ++i)
            EXPECT_THAT(run.lines[i], MatchesRegex(r.answers[i]));
    }
    EXPECT_EQ(runWith({"--help"}).status, 0);
    // Usage errors: nothing answered, status 2.
    std::vector<std::vector<std::string>> usageErrors{
        {}, {"holdcheck", "--payout"}, {"duel", "--first", "grandmaster"}, {"duel", "--hands"},
        {"rummy-hint", "--samples", "0"}, {"rummy-hint", "--hands", "3"}, {"classify", "--fast"}, {"sheet"}, {"holds", "--adviser"}, {"return", "--pays"}};
    for (const char* pays : {"1 2 3", "1 2 3 4 6 9 25 50 -800", "1 2 3 4 6 9 25 50 8x", "1 2 3 4 6 9 25 50 800 1",
                             "1 2 3 4 6 9 25 50 99999999999"})
        usageErrors.push_back({"return", "--pays", pays});
    for (const auto& args : usageErrors) {
        const CliRun run = runWith(args);
        EXPECT_EQ(run.status, 2) << testing::PrintToString(args);
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_THAT(runWith({"shuffle"}).err, HasSubstr("unknown command 'shuffle'"));
}

TEST(Cli, SheetWritesAPngOrSaysItCouldNot)
{
    QTemporaryDir dir;
    EXPECT_EQ(runWith({"sheet", dir.filePath("sheet.png").toStdString()}).status, 0);
    EXPECT_FALSE(QImage(dir.filePath("sheet.png"), "PNG").isNull());
    const CliRun bad = runWith({"sheet", dir.filePath("missing/sheet.png").toStdString()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.err, HasSubstr("could not write"));
}

// Every logged hand reads back as written, and a hint asked twice with one seed answers alike.
TEST(Cli, DuelLogsReadBackAsPositions)
{
    QTemporaryDir dir;
    const std::string log = dir.filePath("duel.log").toStdString();
    ASSERT_EQ(runWith({"duel", "--hands", "20", "--seed", "8", "--log", log}).status, 0);
    std::ifstream in(log);
    std::string firstPrefix;
    int lines = 0;
    for (std::string line; std::getline(in, line); ++lines) {
        ASSERT_THAT(line, MatchesRegex(".* = [WLT]"));
        const std::string text = line.substr(0, line.size() - 4);
        std::string error;
        const auto pos = parsePosition(text, error);
        ASSERT_TRUE(pos) << error << ": " << text;
        EXPECT_EQ(formatPosition(*pos), text);
        const size_t d = text.find("; d ");
        if (firstPrefix.empty() && d != std::string::npos)
            firstPrefix = text.substr(0, text.find(';', d + 1));
    }
    EXPECT_EQ(lines, 20);
    // Cut after the computer's first throw: the user is to take again.
    const std::string cut = firstPrefix;
    const CliRun a = runWith({"rummy-hint", "--samples", "60", "--seed", "9"}, cut + "\n");
    const CliRun b = runWith({"rummy-hint", "--samples", "60", "--seed", "9"}, cut + "\n");
    EXPECT_EQ(a.status, 0) << a.out;
    EXPECT_EQ(a.out, b.out);
    EXPECT_FALSE(runWith({"duel", "--hands", "2", "--log", dir.filePath("no/such/dir.log").toStdString()}).err.empty());
}

// Binary bytes, a huge line, a missing last newline: every line still gets exactly one
// answer, and an error quotes the offending token but never a megabyte of it twice over.
TEST(Cli, HostileInputGetsOneAnswerPerLine)
{
    const std::string hostile = std::string("0 4 8 12 16\0 20\n", 17)  // a NUL inside a line
                                + std::string(1 << 20, '7') + "\n"     // one huge number
                                + std::string(200000, ' ') + "\n"      // only blanks
                                + "\r\n"                               // a lone DOS line end
                                + "\xff\xfe\x80 1 2 3 4\n"             // bytes that are no text
                                + "-0 1 2 3 4 5 6 7 8 9\n"
                                + "0 1 2 3 4 5 6 7 8 9";               // no newline at the end
    for (const char* command : {"classify", "holdcheck", "winning", "evaluate", "offer", "rummy-hint"}) {
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

}  // namespace
}  // namespace dm
