// Setting up the table, auto deal, and steps cut short by clicks, a new table or closing.
#include <gtest/gtest.h>

#include "poker_support.h"

namespace dm::test {
namespace {

TEST(PokerFlow, InitSetsUpTheTableWaitsAndDeals)
{
    PokerRig t;
    for (bool alwaysShow : {false, true}) {  // the second time over a dealt hand, which the set-up clears
        t.prefs.prfShowPokerPlay = alwaysShow;
        t.view.log.clear();
        t.s.timer = 40;
        t.stack("Kc 2d 5h 8s 9c");
        t.game.initPokerScreen();
        const Lines head = alwaysShow ? Lines{"setup", "counters -5 0 40"} : Lines{"timer on", "setup", "counters 0 0 100"};
        EXPECT_EQ(Lines(t.view.log.begin(), t.view.log.begin() + head.size()), head);
        EXPECT_EQ(t.view.only("wait"), (Lines{"wait 1000", "wait 650"}));
        EXPECT_EQ(t.view.only("light"), alwaysShow ? Lines{"light 20 best"} : Lines{}) << "the best play";
        EXPECT_TRUE(t.s.holdPhase);
    }
    EXPECT_TRUE(t.prefs.isPoker);
}

TEST(PokerFlow, DuringTheOpeningPauseAClickDealsOnceAndLeavingDealsNothing)
{
    for (bool leave : {false, true}) {
        PokerRig t(true);  // a second click would draw unchecked
        t.once("wait 1000", [&] { leave ? t.game.leave() : t.game.picDeal_Click(0); });
        t.game.initPokerScreen();
        EXPECT_EQ(t.view.count("glide"), leave ? 0u : 5u) << leave;
        EXPECT_EQ(t.s.holdPhase, !leave) << leave;
        EXPECT_EQ(t.s.winnings, leave ? 0 : -5) << leave;
    }
}

TEST(PokerFlow, AutoDealDealsOnlyFromTheLastPilePictureAndAgainAfterTheCountUp)
{
    PokerRig t(true);
    t.prefs.prfPokerAutoDeal = true;
    for (int i = 0; i < 3; ++i)
        t.game.picDeal_Click(i);
    EXPECT_TRUE(t.view.log.empty());
    t.deal(kTrash);
    t.stack(kFullHouse);
    t.view.log.clear();
    t.game.picDeal_Click(1);  // a waiting hand draws from any picture
    EXPECT_EQ(t.view.only("wait").at(3), "wait 2500");
    EXPECT_TRUE(t.s.holdPhase && !t.s.pokerBusy);
    EXPECT_EQ(t.hand(), names(kFullHouse));
    EXPECT_EQ(t.s.winnings, -10);
}

TEST(PokerFlow, ClicksDuringARunningStepAreIgnored)
{
    PokerRig t(true);
    t.view.onLine = [&](const std::string& line) {
        if (line.rfind("wait", 0) == 0)
            t.game.picDeal_Click(3), t.game.toggleHold(1);
    };
    t.deal(kFullHouse);
    EXPECT_EQ(t.view.count("glide"), 5u);
    t.hold("11111");
    t.draw();  // every wait of the draw and count-up sees a click
    EXPECT_EQ(t.view.count("glide"), 0u);
    EXPECT_EQ(t.s.winnings, 40);
    EXPECT_TRUE(t.s.held[1] && !t.s.pokerBusy);
}

TEST(PokerFlow, ClosingTheWindowEndsTheStepCleanly)
{
    for (const std::string closeAt : {"wait 500", "wait 2500"}) {  // in the count-up, in the auto-deal wait
        PokerRig t(true);
        t.prefs.prfPokerAutoDeal = true;
        t.deal(kFullHouse);
        t.hold("11111");
        t.view.closeAt = closeAt;
        t.draw();
        EXPECT_EQ(t.view.log.back(), closeAt);
        EXPECT_FALSE(t.s.pokerBusy || t.s.holdPhase) << closeAt;
        EXPECT_EQ(t.s.winnings, closeAt == "wait 500" ? 20 : 40) << closeAt;
    }
}

TEST(PokerFlow, ANewTableMidCountUpSettlesThePrizeInFullAndDealsAfresh)
{
    PokerRig t(true);
    t.deal(kFullHouse);
    t.hold("11111");
    t.once("wait 500", [&] { t.stack(kTrash), t.game.initPokerScreen(); });
    t.draw();
    EXPECT_EQ(t.s.winnings, 35);  // -5 + the full 45, then the new wager
    EXPECT_TRUE(t.s.holdPhase && !t.s.pokerBusy);
    EXPECT_EQ(t.hand(), names("2c 5d 8h 10s 3s"));
}

TEST(PokerFlow, ANewTableDuringTheDealAnimationStopsTheOldDeal)
{
    PokerRig t;
    t.once("glide 2", [&] { t.stack(kFullHouse), t.game.initPokerScreen(); });
    t.deal(kTrash);
    EXPECT_EQ(t.view.count("glide"), 3u + 5u);
    EXPECT_EQ(t.view.count("card 3 back"), 1u) << "only the new deal's";
    EXPECT_EQ(t.hand(), names(kFullHouse));
    EXPECT_EQ(t.s.winnings, -10);
    EXPECT_TRUE(t.s.holdPhase && !t.s.pokerBusy);
}

TEST(PokerFlow, AFailureInsideAStepIsReportedAndFreesTheTable)
{
    PokerRig t;
    t.once("glide 2", [] { throw std::runtime_error("no glide"); });
    t.deal(kTrash);
    EXPECT_EQ(t.view.only("error"), Lines{"error showPokerHand: no glide"});
    EXPECT_FALSE(t.s.pokerBusy);
    t.deal(kTrash);  // the table still answers
    EXPECT_TRUE(t.s.holdPhase);
}

}  // namespace
}  // namespace dm::test
