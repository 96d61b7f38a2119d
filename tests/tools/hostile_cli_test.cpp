// dunmere-cli fed streams no user means to send: binary bytes, a huge line, a missing
// last newline. Every line still gets exactly one answer and nothing is read past it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli.h"

namespace dm {
namespace {

std::vector<std::string> linesOf(const std::string& s)
{
    std::vector<std::string> lines;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(HostileCli, EveryLineGetsOneAnswer)
{
    const std::string hostile = std::string("0 4 8 12 16\0 20\n", 17)   // a NUL inside a line
                                + std::string(1 << 20, '7') + "\n"      // one huge number
                                + std::string(200000, ' ') + "\n"       // only blanks
                                + "\r\n"                                // a lone DOS line end
                                + "\xff\xfe\x80 1 2 3 4\n"              // bytes that are no text
                                + "-0 1 2 3 4 5 6 7 8 9\n"
                                + "0 1 2 3 4 5 6 7 8 9";                // no newline at the end
    const size_t inputLines = 7;
    for (const char* command : {"classify", "holdcheck", "winning", "evaluate", "offer"}) {
        SCOPED_TRACE(command);
        std::vector<std::string> args = {"dunmere-cli", command};
        std::vector<char*> argv = {args[0].data(), args[1].data(), nullptr};
        std::istringstream in(hostile);
        std::ostringstream out, err;
        EXPECT_EQ(runCli(2, argv.data(), in, out, err), 1);
        const auto answers = linesOf(out.str());
        ASSERT_EQ(answers.size(), inputLines);
        for (size_t i = 0; i < 5; ++i)
            EXPECT_EQ(answers[i].rfind("error: ", 0), 0u) << i << ": " << answers[i].substr(0, 80);
        // An error quotes the offending token but never a whole megabyte of it twice over.
        EXPECT_LT(out.str().size(), (1u << 20) + 4096);
        EXPECT_TRUE(err.str().empty());
    }
}

}  // namespace
}  // namespace dm
