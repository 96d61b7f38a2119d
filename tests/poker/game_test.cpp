// A hand on the recording table: deal, draw, count-up, the adviser, and steps cut short.
#include <gtest/gtest.h>

#include "poker_support.h"

namespace dm::test {
namespace {

TEST(PokerFlow, AClickDuringTheOpeningPauseDealsOnce)
{
    PokerRig t(true);  // a second deal would draw unchecked
    t.once("wait 1000", [&] { t.game.picDeal_Click(0); });
    t.game.initPokerScreen();
    EXPECT_TRUE(t.view.count("glide") == 5u && t.s.winnings == -5);
}

TEST(PokerFlow, AutoDealDealsOnlyFromTheLastPilePictureAndAgainAfterTheCountUp)
{
    PokerRig t(true);
    t.prefs.prfPokerAutoDeal = true;
    t.game.picDeal_Click(0), t.game.picDeal_Click(1), t.game.picDeal_Click(2);
    EXPECT_TRUE(t.view.log.empty());
    t.deal(kTrash), t.stack(kFullHouse);
    t.game.picDeal_Click(1);  // a waiting hand draws from any picture
    EXPECT_TRUE(t.s.holdPhase && !t.s.pokerBusy && t.s.winnings == -10 && t.hand() == names(kFullHouse));
    EXPECT_EQ(t.view.only("glide").back(), "glide 0") << "the second deal runs right to left";
}

TEST(PokerFlow, ClicksDuringARunningStepAreIgnored)
{
    PokerRig t(true);
    t.prefs.prfSound = false;
    t.view.onLine = [&](const std::string& line) { if (line.rfind("wait", 0) == 0) t.game.picDeal_Click(3), t.game.toggleHold(1); };
    t.deal(kFullHouse), t.hold("11111");
    t.draw();  // every wait of the draw and count-up sees a click
    EXPECT_TRUE(t.view.count("glide") == 0u && t.s.winnings == 40 && t.s.held[1] && !t.s.pokerBusy);
    EXPECT_EQ(t.view.count("sound"), 0u) << "sounds are off";
}

// Whatever cuts a step short, the table is free afterwards and the prize is paid.
TEST(PokerFlow, StepsCutShort)
{
    enum Cut { Close, NewTable, Failure };
    const struct {
        const char* name;
        bool inDraw;  // else in the deal
        std::string at;
        Cut cut;
        int winnings;
        bool holdPhase;
        std::string hand;
    } rows[] = {
        {"closing in the count-up", true, "wait 500", Close, 20, false, kFullHouse},
        {"closing in the auto deal's wait", true, "wait 2500", Close, 40, false, kFullHouse},
        {"a new table in the count-up pays the prize in full", true, "wait 500", NewTable, 35, true, kTrash},
        {"a new table in the deal stops the old deal", false, "glide 2", NewTable, -10, true, kFullHouse},
        {"a failure in the deal is reported", false, "glide 2", Failure, -5, false, ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        PokerRig t(true);
        t.prefs.prfPokerAutoDeal = r.cut == Close;
        if (r.cut == Close)
            t.view.closeAt = r.at;
        else
            t.once(r.at, [&] {
                if (r.cut == Failure)
                    throw std::runtime_error("no glide");
                t.stack(r.inDraw ? kTrash : kFullHouse), t.game.initPokerScreen();
            });
        t.deal(r.inDraw ? kFullHouse : kTrash);
        if (r.inDraw)
            t.hold("11111"), t.draw();
        EXPECT_TRUE(t.s.winnings == r.winnings && t.s.holdPhase == r.holdPhase && !t.s.pokerBusy) << t.s.winnings;
        if (!r.hand.empty())
            EXPECT_EQ(t.hand(), names(r.hand));
        if (r.cut == Close)
            EXPECT_EQ(t.view.log.back(), r.at);
        if (r.cut == NewTable)
            EXPECT_EQ(t.view.count("glide"), r.inDraw ? 5u : 3u + 5u) << "the old step glides no more";
        if (r.cut == Failure) {
            EXPECT_EQ(t.view.only("error"), Lines{"error showPokerHand: no glide"});
            t.deal(kTrash);  // the table still answers
            EXPECT_TRUE(t.s.holdPhase);
        }
    }
}

TEST(PokerHand, PayingHandsCountUpInStepsWithTheirSoundAndPause)
{
    // final hand, its lit label, prize, step, sound, pause
    const std::tuple<const char*, const char*, int, int, const char*, int> paid[] = {
        {"As Ks Qs Js 10s", "light 1 paid", 4000, 25, "pokerwin3.wav", 500},
        {"9h 8h 7h 6h 5h", "light 2 bright", 250, 25, "pokerwin3.wav", 500},
        {"Ah Kh Qh Jh 7h", "light 6 paid", 30, 15, "pokerwin3.wav", 500},  // four royal ranks pay as a flush
        {"5c 6d 7h 8s 9c", "light 7 paid", 20, 10, "pokerwin2.wav", 500},
        {"Jc Jd 3h 7s 9c", "light 11 paid", 5, 5, "pokerwin1.wav", 200},
    };
    for (const auto& [cards, light, prize, step, sound, pause] : paid) {
        SCOPED_TRACE(light);
        PokerRig t(true);
        t.deal(cards), t.hold("11111"), t.draw();
        const auto it = std::find(t.view.log.begin(), t.view.log.end(), light);
        ASSERT_TRUE(it != t.view.log.end() && *(it - 1) == "labels");
        Lines want;
        for (int w = -5; w < -5 + prize;) {
            w = std::min(w + step, -5 + prize);
            want.insert(want.end(), {"counters " + std::to_string(w) + " 0 100", std::string("sound ") + sound, "wait " + std::to_string(pause)});
        }
        EXPECT_EQ(Lines(it + 1, t.view.log.end()), want);
    }
}

TEST(PokerHand, WinningsStopAtTheSixteenBitBounds)
{
    PokerRig t(true);
    t.s.winnings = -32766;
    t.deal(kTrash);
    EXPECT_EQ(t.s.winnings, -32768);
    t.draw(), t.deal(kFullHouse);
    t.s.winnings = 32760;
    t.hold("11111"), t.draw();
    EXPECT_TRUE(t.s.winnings == 32767 && t.view.count("sound pokerwin3.wav") == 1u) << "one short step to the bound";
}

TEST(PokerAdvice, RightHoldsGrowTheRunAndAWrongOneBuzzesEndsItAndAsksAgain)
{
    PokerRig t;
    t.deal(kTrash), t.draw(), t.deal(kTrash), t.draw();
    EXPECT_EQ(t.s.hands, 2);

    t.deal("4h 4c 8h Jh 2h 6c 7d 9s 4d Kd");  // a low pair beside four to a flush
    EXPECT_EQ(t.view.count("light"), 0u) << "nothing shows at the deal";
    t.hold("11000"), t.draw();  // the pair
    EXPECT_EQ(t.view.log, (Lines{"markers 0 off", "markers 1 off", "markers 2 off", "markers 3 off", "markers 4 off",
                                 "labels", "light 13 wrong", "sound wrong3.wav", "offer 2", "counters -15 0 100"}));
    EXPECT_TRUE(t.s.holdPhase && !t.s.pokerBusy && (t.s.held == std::array<bool, 5>{}));

    t.draw();  // wrong again, with no run to offer
    EXPECT_TRUE(t.view.only("sound") == Lines{"sound wrong.wav"} && t.view.count("offer") == 0u);
    t.hold("10111"), t.draw();  // the flush draw, checked afresh
    EXPECT_EQ(t.s.hands, 1);
    EXPECT_EQ(t.hand(), names("4h 7d 8h Jh 2h")) << "nothing drawn on the wrong holds";
}

}  // namespace
}  // namespace dm::test
