// dunmere-cli holds and return: the values in the input's card order, the game's figures,
// other pay tables, and what is refused.
#include <gtest/gtest.h>

#include <sstream>

#include "cli.h"

namespace dm {
namespace {

struct CliAnswer {
    int status = 0;
    std::vector<std::string> lines;
};

CliAnswer cli(std::vector<std::string> args, const std::string& input = {})
{
    args.insert(args.begin(), "dunmere-cli");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    std::istringstream in(input);
    std::ostringstream out, err;
    CliAnswer run;
    run.status = runCli(static_cast<int>(argv.size()), argv.data(), in, out, err);
    std::istringstream split(out.str());
    for (std::string line; std::getline(split, line);)
        run.lines.push_back(line);
    return run;
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
    const CliAnswer run = cli({"holds"}, "0 36 40 44 5\n5 0 36 40 44\n0 36 40 44 44\n");
    ASSERT_EQ(run.lines.size(), 3u);
    const auto last = fields(run.lines[0]), first = fields(run.lines[1]);
    ASSERT_EQ(last.size(), 32u);
    EXPECT_EQ(last[15], first[30]);  // the same four cards held
    EXPECT_EQ(last[31], "0.000000");  // the whole hand pays nothing
    EXPECT_EQ(run.lines[2], "error: card 44 appears twice");
    EXPECT_EQ(run.status, 1);

    // Only royals pay 1000 a credit: one chance in 47 of 5000 credits.
    const CliAnswer royal = cli({"holds", "--pays", "0 0 0 0 0 0 0 0 1000"}, "0 36 40 44 5\n");
    ASSERT_EQ(royal.lines.size(), 1u);
    EXPECT_EQ(fields(royal.lines[0])[15], "106.382979");
}

TEST(CliReturn, PrintsTheGamesFiguresAndRefusesMalformedPays)
{
    const CliAnswer run = cli({"return", "--adviser"});
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
        const CliAnswer refused = cli({"return", "--pays", pays});
        EXPECT_EQ(refused.status, 2);
        EXPECT_TRUE(refused.lines.empty());
    }
    EXPECT_EQ(cli({"return", "--pays"}).status, 2);
    EXPECT_EQ(cli({"holds", "--adviser"}).status, 2);
}

}  // namespace
}  // namespace dm
