// Clicks against a running step, auto deal, and steps that end early.
#include <gtest/gtest.h>

#include "fake_poker_view.h"

namespace dm::test {
namespace {

const std::vector<std::string> kTrash = {"2c", "5d", "8h", "10s", "3s", "6c", "7d", "9s", "4d", "Kd"};
const std::vector<std::string> kFullHouse = {"3c", "3d", "3h", "9s", "9c"};

TEST(PokerFlow, InitSetsUpTheTableWaitsAndDeals)
{
    PokerRig t;
    t.s.timer = 40;
    t.game.initPokerScreen();
    EXPECT_TRUE(t.prefs.isPoker);
    EXPECT_EQ(t.s.timer, 100);
    std::vector<std::string> head(t.view.log.begin(), t.view.log.begin() + 4);
    EXPECT_EQ(head, (std::vector<std::string>{"timer on", "setup", "counters 0 0 100", "wait 1000"}));
    EXPECT_TRUE(t.s.holdPhase);
    EXPECT_EQ(t.view.count("glide"), 5u);
}

TEST(PokerFlow, AClickDuringTheFirstPauseDealsOnceAndDrawsNothing)
{
    PokerRig t;
    t.prefs.prfShowPokerPlay = true;  // a second click would draw unchecked
    t.view.onWait = [&](int ms) { return ms == 1000 ? t.game.picDeal_Click(0), true : true; };
    t.game.initPokerScreen();
    EXPECT_TRUE(t.s.holdPhase);
    EXPECT_EQ(t.view.count("glide"), 5u);
    EXPECT_EQ(t.s.winnings, -5);
}

TEST(PokerFlow, AutoDealOnlyDealsFromTheLastPilePicture)
{
    PokerRig t;
    t.prefs.prfPokerAutoDeal = true;
    t.prefs.prfShowPokerPlay = true;
    for (int i = 0; i < 3; ++i)
        t.game.picDeal_Click(i);
    EXPECT_EQ(t.view.log.size(), 0u);

    t.deal(kTrash);
    EXPECT_TRUE(t.s.holdPhase);
    t.view.log.clear();
    t.rng = ScriptedRng(shuffleBringing(kFullHouse));
    t.game.picDeal_Click(1);  // a waiting hand draws from any picture, then deals by itself

    auto waits = t.view.only("wait");
    EXPECT_EQ(waits.at(3), "wait 2500");
    EXPECT_TRUE(t.s.holdPhase);
    EXPECT_FALSE(t.s.pokerBusy);
    EXPECT_EQ(t.handNumbers(), numbers({"3c", "3d", "3h", "9s", "9c"}));
    EXPECT_EQ(t.s.winnings, -10);
}

TEST(PokerFlow, ClicksDuringARunningStepAreIgnored)
{
    PokerRig t;
    t.view.onWait = [&](int) {
        t.game.picDeal_Click(3);
        t.game.toggleHold(1);
        return true;
    };
    t.prefs.prfShowPokerPlay = true;
    t.deal(kFullHouse);  // the deal's wait would otherwise start a second deal
    EXPECT_EQ(t.view.count("glide"), 5u);
    t.hold({0, 1, 2, 3, 4});  // hold presses are fine here, no step runs
    t.view.log.clear();
    t.game.picDeal_Click(3);  // draw and count-up: every wait sees a click
    EXPECT_EQ(t.view.count("glide"), 0u);
    EXPECT_EQ(t.s.winnings, 40);
    EXPECT_EQ(t.s.held[1], true);
    EXPECT_FALSE(t.s.pokerBusy);
}

TEST(PokerFlow, ClosingTheWindowEndsTheStepCleanly)
{
    for (int closeAt : {500, 2500}) {  // during the count-up, during the auto-deal wait
        PokerRig t;
        t.prefs.prfShowPokerPlay = true;
        t.prefs.prfPokerAutoDeal = true;
        t.deal(kFullHouse);
        t.hold({0, 1, 2, 3, 4});
        t.view.log.clear();
        t.view.onWait = [&](int ms) { return ms != closeAt; };
        t.game.picDeal_Click(3);

        EXPECT_FALSE(t.s.pokerBusy) << closeAt;
        EXPECT_FALSE(t.s.holdPhase) << closeAt;
        EXPECT_EQ(t.view.log.back(), "wait " + std::to_string(closeAt));
        EXPECT_EQ(t.s.winnings, closeAt == 500 ? 20 : 40) << closeAt;
    }
}

TEST(PokerFlow, ANewTableAbandonsTheRunningStep)
{
    PokerRig t;
    t.prefs.prfShowPokerPlay = true;
    t.deal(kFullHouse);
    t.hold({0, 1, 2, 3, 4});
    // The background changes in the middle of the count-up: the table is set up again
    // and a new hand dealt; the old count-up stops, its prize settled in full at once.
    bool changed = false;
    t.view.onWait = [&](int ms) {
        if (ms == 500 && !changed) {
            changed = true;
            t.rng = ScriptedRng(shuffleBringing(kTrash));
            t.game.initPokerScreen();
        }
        return true;
    };
    t.game.picDeal_Click(3);
    EXPECT_EQ(t.s.winnings, 35);  // -5 + the full 45, then the new wager
    EXPECT_TRUE(t.s.holdPhase);
    EXPECT_FALSE(t.s.pokerBusy);
    EXPECT_EQ(t.handNumbers()[0], parseCardName("2c"));
}

TEST(PokerFlow, ANewTableDuringTheDealAnimationStopsTheOldDeal)
{
    PokerRig t;
    bool changed = false;
    t.view.onGlide = [&](int pos) {
        if (pos == 2 && !changed) {
            changed = true;
            t.rng = ScriptedRng(shuffleBringing(kFullHouse));
            t.game.initPokerScreen();
        }
        return true;
    };
    t.deal(kTrash);
    EXPECT_EQ(t.view.count("glide"), 3u + 5u);
    EXPECT_EQ(t.view.count("card 3 back"), 1u);  // only the new deal's
    EXPECT_EQ(t.handNumbers(), numbers(kFullHouse));
    EXPECT_EQ(t.s.winnings, -10);
    EXPECT_TRUE(t.s.holdPhase);
    EXPECT_FALSE(t.s.pokerBusy);
}

TEST(PokerFlow, LeavingDuringTheFirstWaitDealsNothing)
{
    PokerRig t;
    t.view.onWait = [&](int) { return t.game.leave(), true; };
    t.game.initPokerScreen();
    EXPECT_EQ(t.view.count("glide"), 0u);
    EXPECT_EQ(t.view.log.back(), "timer off");
    EXPECT_FALSE(t.s.holdPhase);
    EXPECT_EQ(t.s.winnings, 0);
}

TEST(PokerFlow, AFailureInsideAStepIsReportedAndFreesTheTable)
{
    PokerRig t;
    t.view.throwOnFace = true;
    t.deal(kTrash);
    EXPECT_EQ(t.view.only("error"), std::vector<std::string>{"error showPokerHand: no face"});
    EXPECT_FALSE(t.s.pokerBusy);
    t.view.throwOnFace = false;
    t.deal(kTrash);  // the table still answers
    EXPECT_TRUE(t.s.holdPhase);
}

}  // namespace
}  // namespace dm::test
