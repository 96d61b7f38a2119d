// The banks, and many whole hands played by a simple user with every card kept in one place.
#include <gtest/gtest.h>

#include "fake_rummy_view.h"

using namespace dm;
using namespace dm::test;

// A payment beyond 16 bits is refused whole: neither bank changes, nothing is drawn.
TEST(RummyBanks, StakeMovesBetweenTheBanks)
{
    struct Case {
        int outcome;
        int16_t wager, player, computer, wantPlayer, wantComputer;
    } cases[] = {
        {1, 5, 100, 100, 105, 95}, {2, 5, 100, 100, 95, 105}, {0, 5, 100, 100, 100, 100},
        {2, 10, 3, 197, -7, 207},  {1, 10, -40, 240, -30, 230},  // through zero both ways
        {1, 10, 32760, -32560, 32760, -32560},  // refused: the user's bank would overflow
        {2, 10, -100, 32760, -100, 32760},      // refused: the computer's bank would overflow
    };
    for (const Case& c : cases) {
        Table t;
        t.prefs.prfWager = c.wager, t.prefs.prfPlayerBank = c.player, t.prefs.prfComputerBank = c.computer;
        t.game.UpdateBank(c.outcome);
        const auto banks = "banks " + std::to_string(c.wantPlayer) + "/" + std::to_string(c.wantComputer);
        const bool refused = c.wantPlayer == c.player && c.outcome >= 1 && c.outcome <= 2;
        EXPECT_EQ(t.view.calls, std::vector<std::string>{refused ? "error UpdateBank: Overflow" : banks}) << c.outcome << " " << c.player;
        EXPECT_TRUE(t.prefs.prfPlayerBank == c.wantPlayer && t.prefs.prfComputerBank == c.wantComputer);
    }
}

TEST(RummyGameplay, ManyHandsKeepEveryCardInOnePlaceAndTheBanksAtTwoHundred)
{
    for (uint64_t seed : {1u, 7u, 2024u}) {
        Table t;
        SeededRng rng(seed);
        RummyGame game(t.view, t.prefs, rng);
        RummyState& s = game.s;
        t.prefs.prfTolvaScores = t.view.defaultAnswer = true;  // a tie prompt deals again
        std::string broken;
        auto check = [&](const char* when) {
            std::string why = placesCheck(s);
            if (s.stockEmpty && s.stock.size() != 1)
                why = "the exhausted stock lost its kept slot";
            if (t.prefs.prfPlayerBank + t.prefs.prfComputerBank != 200)
                why = "banks add up to " + std::to_string(t.prefs.prfPlayerBank + t.prefs.prfComputerBank);
            if (broken.empty() && !why.empty())
                broken = std::string(when) + ": " + why;
        };
        t.view.onWait = [&](int) { check("in a pause"); };

        game.newHand();
        auto hands = [&] { return t.view.count("showDeal") - 1; };
        for (int step = 0; step < 4000 && hands() < 60; ++step) {
            check("between steps");
            if (s.eval.handWon) { game.newHand(); continue; }
            const uint32_t serial = s.dealSerial;
            game.picDeal_Click();
            check("after the draw");
            if (s.dealSerial == serial && !s.eval.handWon)
                game.picPlayerDraw_Click();
        }
        SCOPED_TRACE(seed);
        const int userWins = t.view.count("winner Player"), computerWins = t.view.count("winner Computer");
        EXPECT_EQ(broken, "");
        EXPECT_TRUE(hands() >= 60 && computerWins > 0 && t.view.count("error") == 0);
        EXPECT_GT(t.view.count("ask") + t.view.count("message The game is a tie"), 0);
        EXPECT_EQ(t.prefs.prfPlayerBank, 100 + 5 * (userWins - computerWins));
    }
}
