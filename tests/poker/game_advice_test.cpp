// The adviser on the table: hold checks, the perfect-play run and Always Show mode.
#include <gtest/gtest.h>

#include "fake_poker_view.h"

namespace dm::test {
namespace {

struct HoldCase {
    const char* what;
    std::vector<std::string> cards;
    std::vector<int> held;
    int dealtClass;
    const char* wrongSound;  // nullptr: the hold is correct
};

const HoldCase kHolds[] = {
    {"all trash, nothing held", {"2c", "5d", "8h", "10s", "3s"}, {}, 21, nullptr},
    {"1 High, nothing held", {"Kc", "2d", "5h", "8s", "9c"}, {}, 20, "wrong.wav"},
    {"2 High, one of them held", {"Kc", "Qd", "2h", "5s", "8c"}, {0}, 18, "wrong2.wav"},
    {"four of a kind, all five held", {"7c", "7d", "7h", "7s", "2c"}, {0, 1, 2, 3, 4}, 3, "wrong.wav"},
    {"low pair and four to a flush, pair held", {"4h", "4c", "8h", "Jh", "2h"}, {0, 1}, 13, "wrong3.wav"},
    {"low pair and four to a flush, flush held", {"4h", "4c", "8h", "Jh", "2h"}, {0, 2, 3, 4}, 13, nullptr},
};

TEST(PokerAdvice, HoldCheckOutcomesAndTheirSounds)
{
    for (const auto& c : kHolds) {
        PokerRig t;
        t.deal(c.cards);
        ASSERT_EQ(t.s.handClass, c.dealtClass) << c.what;
        EXPECT_EQ(t.view.count("light"), 0u) << "nothing shows at the deal";
        const auto dealt = t.handNumbers();
        t.hold(c.held);
        t.view.log.clear();
        t.game.picDeal_Click(3);

        EXPECT_FALSE(t.s.pokerBusy) << c.what;
        EXPECT_EQ(t.view.log.front(), "markers 0 off") << c.what;
        if (!c.wrongSound) {
            EXPECT_EQ(t.s.hands, 1) << c.what;
            EXPECT_EQ(t.view.count("sound wrong"), 0u) << c.what;
            EXPECT_FALSE(t.s.holdPhase) << c.what;
            continue;
        }
        EXPECT_EQ(t.view.only("light"), std::vector<std::string>{"light " + std::to_string(c.dealtClass) + " wrong"})
            << c.what;
        EXPECT_EQ(t.view.only("sound"), std::vector<std::string>{std::string("sound ") + c.wrongSound}) << c.what;
        EXPECT_TRUE(t.s.holdPhase) << c.what;
        EXPECT_EQ(t.s.held, (std::array<bool, 5>{})) << c.what;
        EXPECT_EQ(t.handNumbers(), dealt) << "nothing drawn: " << c.what;
        EXPECT_EQ(t.view.count("glide") + t.view.count("wait"), 0u) << c.what;
        EXPECT_EQ(t.s.winnings, -5) << c.what;
    }
}

TEST(PokerAdvice, RunGrowsWithCorrectHoldsAndIsOfferedAtTheFirstWrongOne)
{
    PokerRig t;
    const std::vector<std::string> trash = {"2c", "5d", "8h", "10s", "3s", "6c", "7d", "9s", "4d", "Kd"};
    for (int i = 0; i < 2; ++i) {
        t.deal(trash);
        t.game.picDeal_Click(3);
    }
    EXPECT_EQ(t.s.hands, 2);
    EXPECT_EQ(t.view.count("offer"), 0u);

    t.deal({"Kc", "2d", "5h", "8s", "9c"});
    t.game.picDeal_Click(3);  // wrong: the king is due
    EXPECT_EQ(t.view.only("offer"), std::vector<std::string>{"offer 2"});
    EXPECT_EQ(t.s.hands, 0);

    t.game.picDeal_Click(3);  // wrong again with no run: nothing to offer
    EXPECT_EQ(t.view.count("offer"), 1u);
    t.hold({0});
    t.game.picDeal_Click(3);  // the new hold is checked afresh and starts a new run
    EXPECT_EQ(t.s.hands, 1);
}

TEST(PokerAdvice, CountdownEndsTheRunEveryHundredTicks)
{
    PokerRig t;
    t.game.initPokerScreen();
    EXPECT_EQ(t.view.count("timer on"), 1u);
    t.s.hands = 3;
    for (int i = 0; i < 99; ++i)
        t.game.Timer1_Timer();
    EXPECT_EQ(t.s.timer, 1);
    EXPECT_EQ(t.view.count("offer"), 0u);
    t.game.Timer1_Timer();
    EXPECT_EQ(t.s.timer, 100);
    EXPECT_EQ(t.view.only("offer"), std::vector<std::string>{"offer 3"});
    EXPECT_EQ(t.s.hands, 0);
    EXPECT_EQ(t.view.log.back(), "counters -5 0 100");
}

TEST(PokerAdvice, AlwaysShowLightsTheBestPlayAndDrawsAnyHold)
{
    PokerRig t;
    t.prefs.prfShowPokerPlay = true;
    t.game.initPokerScreen();  // deals through the real path
    EXPECT_EQ(t.view.count("timer"), 0u);

    t.s.holdPhase = false;
    t.view.log.clear();
    t.deal({"Kc", "2d", "5h", "8s", "9c", "Ah", "3d", "6h", "10c", "Js"});
    EXPECT_EQ(t.view.log.back(), "light 20 best");
    t.game.picDeal_Click(3);  // nothing held: not the best play, drawn anyway
    EXPECT_EQ(t.view.count("sound wrong"), 0u);
    EXPECT_EQ(t.view.count("glide"), 10u);
    EXPECT_EQ(t.s.hands, 0);
    EXPECT_EQ(t.handNumbers(), numbers({"Ah", "3d", "6h", "10c", "Js"}));
}

}  // namespace
}  // namespace dm::test
