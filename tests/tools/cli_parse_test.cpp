#include <gtest/gtest.h>

#include "cli.h"

namespace dm {
namespace {

struct ParseCase {
    const char* line;
    int count;
    std::vector<int> cards;  // empty: the line is invalid
    const char* reason;      // part of the error text
};

std::ostream& operator<<(std::ostream& os, const ParseCase& c)
{
    return os << '"' << c.line << '"';
}

class ParseCardsTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCardsTest, AcceptsOnlyDistinctCardNumbers)
{
    const ParseCase& c = GetParam();
    std::string error;
    const auto cards = parseCards(c.line, c.count, error);
    if (c.cards.empty()) {
        EXPECT_FALSE(cards.has_value());
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    } else {
        ASSERT_TRUE(cards.has_value()) << error;
        EXPECT_EQ(*cards, c.cards);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseCardsTest,
    ::testing::Values(
        ParseCase{"0 1 2 3 51", 5, {0, 1, 2, 3, 51}, ""},
        ParseCase{"  7\t8  9 10 11 \r", 5, {7, 8, 9, 10, 11}, ""},  // tabs, runs of blanks, DOS line end
        ParseCase{"", 5, {}, "expected 5 cards, got 0"},
        ParseCase{"1 2 3 4", 5, {}, "expected 5 cards, got 4"},
        ParseCase{"1 2 3 4 5 6", 5, {}, "expected 5 cards, got 6"},
        ParseCase{"0 1 2 3 4 5 6 7 8", 10, {}, "expected 10 cards, got 9"},
        ParseCase{"1 2 x 4 5", 5, {}, "'x' is not a card number"},
        ParseCase{"1 2 3.5 4 5", 5, {}, "not a card number"},
        ParseCase{"1 2 +3 4 5", 5, {}, "not a card number"},
        ParseCase{"1 2 3 4 5x", 5, {}, "not a card number"},
        ParseCase{"1 2 3 4 52", 5, {}, "card 52 is out of range"},
        ParseCase{"-1 2 3 4 5", 5, {}, "out of range"},
        ParseCase{"1 2 3 4 99999999999999999999999", 5, {}, "out of range"},
        ParseCase{"1 2 3 4 1", 5, {}, "card 1 appears twice"},
        ParseCase{"1 2 3 4 01", 5, {}, "card 1 appears twice"}));

}  // namespace
}  // namespace dm
