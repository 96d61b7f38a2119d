// The banks, and many whole hands played by a simple user with every card kept in one place.
#include <gtest/gtest.h>

#include "fake_rummy_view.h"

using namespace dm;
using namespace dm::test;

TEST(RummyBanks, StakeMovesBetweenTheBanks)
{
    struct Case {
        int outcome;
        int16_t wager, player, computer;
        int16_t wantPlayer, wantComputer;
    } cases[] = {
        {1, 5, 100, 100, 105, 95},   {2, 5, 100, 100, 95, 105},  {0, 5, 100, 100, 100, 100},
        {7, 5, 100, 100, 100, 100},  {2, 10, 3, 197, -7, 207},   {2, 1, -40, 240, -41, 241},
        {1, 10, -40, 240, -30, 230},
    };
    for (const Case& c : cases) {
        Table t;
        t.prefs.prfWager = c.wager;
        t.prefs.prfPlayerBank = c.player;
        t.prefs.prfComputerBank = c.computer;
        t.game.UpdateBank(c.outcome);
        EXPECT_EQ(t.prefs.prfPlayerBank, c.wantPlayer) << c.outcome << " " << c.player;
        EXPECT_EQ(t.prefs.prfComputerBank, c.wantComputer);
        EXPECT_EQ(t.view.calls, std::vector<std::string>{"banks " + std::to_string(c.wantPlayer) + "/" +
                                                         std::to_string(c.wantComputer)});
    }
}

TEST(RummyBanks, PaymentBeyondSixteenBitsIsRefusedAndNothingIsDrawn)
{
    for (int outcome : {1, 2}) {
        Table t;
        t.prefs.prfWager = 10;
        t.prefs.prfPlayerBank = outcome == 1 ? 32760 : -32760;
        t.prefs.prfComputerBank = static_cast<int16_t>(200 - t.prefs.prfPlayerBank);
        const int16_t player = t.prefs.prfPlayerBank, computer = t.prefs.prfComputerBank;
        t.game.UpdateBank(outcome);
        EXPECT_EQ(t.prefs.prfPlayerBank, player);
        EXPECT_EQ(t.prefs.prfComputerBank, computer);
        ASSERT_EQ(t.view.calls.size(), 1u);
        EXPECT_EQ(t.view.calls[0].rfind("error UpdateBank: ", 0), 0u) << t.view.calls[0];
    }
}

TEST(RummyGameplay, ManyHandsKeepEveryCardInOnePlaceAndTheBanksAtTwoHundred)
{
    for (uint64_t seed : {1u, 7u, 2024u}) {
        Table t;
        SeededRng rng(seed);
        RummyGame game(t.view, t.prefs, rng);
        RummyState& s = game.s;
        t.prefs.prfTolvaScores = true;
        t.view.defaultAnswer = true;  // a tie prompt deals again

        std::string broken;
        auto check = [&](const char* when) {
            if (!broken.empty())
                return;
            std::string why = placesCheck(s);
            if (s.stockEmpty && s.stock.size() != 1)
                why = "the exhausted stock lost its kept slot";
            if (t.prefs.prfPlayerBank + t.prefs.prfComputerBank != 200)
                why = "banks add up to " + std::to_string(t.prefs.prfPlayerBank + t.prefs.prfComputerBank);
            if (!why.empty())
                broken = std::string(when) + ": " + why;
        };
        t.view.onWait = [&](int) { check("in a pause"); };

        game.newHand();
        auto hands = [&] { return t.view.count("showDeal") - 1; };
        for (int step = 0; step < 4000 && hands() < 60; ++step) {
            check("between steps");
            if (s.eval.handWon) {
                game.newHand();
                continue;
            }
            const uint32_t serial = s.dealSerial;
            game.picDeal_Click();
            check("after the draw");
            if (s.dealSerial == serial && !s.eval.handWon)
                game.picPlayerDraw_Click();
            check("after the computer's turn");
        }
        const int userWins = t.view.count("winner Player"), computerWins = t.view.count("winner Computer");
        EXPECT_EQ(broken, "") << "seed " << seed;
        EXPECT_GE(hands(), 60) << "seed " << seed;
        EXPECT_GT(computerWins, 0) << "seed " << seed;
        EXPECT_GT(t.view.count("ask") + t.view.count("message The game is a tie"), 0) << "seed " << seed;
        EXPECT_FALSE(t.view.has("error"));
        EXPECT_EQ(t.prefs.prfPlayerBank, 100 + 5 * (userWins - computerWins)) << "seed " << seed;
    }
}
