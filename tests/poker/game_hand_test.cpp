// A hand on the table: the deal, the draw, the count-up, and the adviser's checks.
#include <gtest/gtest.h>

#include "poker_support.h"

namespace dm::test {
namespace {

// Position i holds deck card i whichever side the deal starts from; the wager is
// taken before the first card flies.
TEST(PokerHand, DealsTakeTheWagerFirstAndAlternateSides)
{
    PokerRig t(true);
    for (int n = 0; n < 2; ++n) {
        t.view.log.clear();
        t.deal(kTrash);
        EXPECT_EQ(t.hand(), names("2c 5d 8h 10s 3s")) << n;
        EXPECT_EQ(t.view.only("glide").front(), n ? "glide 4" : "glide 0") << n;
        const auto at = [&](const std::string& line) { return std::find(t.view.log.begin(), t.view.log.end(), line); };
        EXPECT_LT(at("counters " + std::to_string(-5 * (n + 1)) + " 0 100"), at(t.view.only("glide").at(0))) << n;
        EXPECT_TRUE(t.s.holdPhase && !t.s.pokerBusy);
        t.hold("11111");
        t.draw();
    }
}

TEST(PokerHand, DrawGivesEachLetGoPositionIDeckCardFivePlusI)
{
    const std::pair<const char*, const char*> cases[] = {{"00000", "6c 7d 9s 4d Kd"}, {"11111", "2c 5d 8h 10s 3s"},
                                                         {"01011", "6c 5d 9s 10s 3s"}, {"10100", "2c 7d 8h 4d Kd"}};
    for (const auto& [held, final] : cases) {
        PokerRig t(true);
        t.prefs.prfSound = false;
        t.deal(kTrash);
        t.hold(held);
        t.draw();
        EXPECT_EQ(t.hand(), names(final)) << held;
        Lines glides;
        for (int i = 0; i < 5; ++i)
            if (held[i] == '0')
                glides.push_back("glide " + std::to_string(i));
        EXPECT_EQ(t.view.only("glide"), glides) << held;
        EXPECT_EQ(t.view.only("wait"), (Lines{"wait 600", "wait 250", "wait 200"})) << held;
        // Nothing pays, so nothing lights; and no sound at all with sounds off.
        EXPECT_EQ(t.view.count("light") + t.view.count("labels") + t.view.count("sound"), 0u) << held;
        EXPECT_EQ(t.s.winnings, -5);
        EXPECT_FALSE(t.s.holdPhase || t.s.pokerBusy) << held;
    }
}

TEST(PokerHand, EveryPayingHandCountsUpInItsStepsWithItsSoundAndPause)
{
    // final hand, its lit label, prize, step, sound, pause
    const std::tuple<const char*, const char*, int, int, const char*, int> paid[] = {
        {"As Ks Qs Js 10s", "light 1 paid", 4000, 25, "pokerwin3.wav", 500},
        {"9h 8h 7h 6h 5h", "light 2 bright", 250, 25, "pokerwin3.wav", 500},
        {"7c 7d 7h 7s 2c", "light 3 paid", 125, 25, "pokerwin3.wav", 500},
        {"3c 3d 3h 9s 9c", "light 4 paid", 45, 25, "pokerwin3.wav", 500},
        {"Ah Kh Qh Jh 7h", "light 6 paid", 30, 15, "pokerwin3.wav", 500},  // four royal ranks
        {"5c 6d 7h 8s 9c", "light 7 paid", 20, 10, "pokerwin2.wav", 500},
        {"4c 4d 4h 9s Kc", "light 8 paid", 15, 15, "pokerwin1.wav", 500},
        {"4c 4d 9h 9s Kc", "light 10 paid", 10, 10, "pokerwin1.wav", 500},
        {"Jc Jd 3h 7s 9c", "light 11 paid", 5, 5, "pokerwin1.wav", 200},
    };
    for (const auto& [cards, light, prize, step, sound, pause] : paid) {
        PokerRig t(true);
        t.deal(cards);
        t.hold("11111");
        t.draw();
        const auto it = std::find(t.view.log.begin(), t.view.log.end(), light);
        ASSERT_NE(it, t.view.log.end()) << light;
        EXPECT_EQ(*(it - 1), "labels");
        Lines want;
        for (int w = -5; w < -5 + prize;) {
            w = std::min(w + step, -5 + prize);
            want.insert(want.end(), {"counters " + std::to_string(w) + " 0 100", std::string("sound ") + sound,
                                     "wait " + std::to_string(pause)});
        }
        EXPECT_EQ(Lines(it + 1, t.view.log.end()), want) << light;
        EXPECT_FALSE(t.s.pokerBusy);
    }
}

TEST(PokerHand, WinningsStopAtTheSixteenBitBounds)
{
    PokerRig t(true);
    t.s.winnings = -32766;
    t.deal(kTrash);
    EXPECT_EQ(t.s.winnings, -32768);
    t.draw();
    t.deal(kFullHouse);
    t.s.winnings = 32760;
    t.hold("11111");
    t.draw();
    EXPECT_EQ(t.s.winnings, 32767);
    EXPECT_EQ(t.view.count("sound pokerwin3.wav"), 1u) << "one short step";
}

TEST(PokerHand, HoldsToggleOnlyWhileTheCardsWaitForTheDraw)
{
    PokerRig t(true);
    t.game.toggleHold(2);  // before the first deal
    EXPECT_TRUE(t.view.log.empty());
    t.deal(kTrash);
    t.view.log.clear();
    for (int pos : {2, 4, 2, 5, -1})  // 5 and -1: no such position
        t.game.toggleHold(pos);
    EXPECT_EQ(t.s.held, holdMask("00001"));
    EXPECT_EQ(t.view.log, (Lines{"markers 2 on", "markers 4 on", "markers 2 off"}));
    t.draw();
    t.game.toggleHold(0);  // after the payout
    EXPECT_FALSE(t.s.held[0]);
}

TEST(PokerAdvice, RightHoldsGrowTheRunAndAWrongOneBuzzesEndsItAndAsksAgain)
{
    PokerRig t;
    for (int i = 0; i < 2; ++i)
        t.deal(kTrash), t.draw();
    EXPECT_EQ(t.s.hands, 2);

    t.deal("4h 4c 8h Jh 2h 6c 7d 9s 4d Kd");  // a low pair beside four to a flush
    EXPECT_EQ(t.view.count("light"), 0u) << "nothing shows at the deal";
    t.hold("11000");  // the pair
    t.draw();
    EXPECT_EQ(t.view.log, (Lines{"markers 0 off", "markers 1 off", "markers 2 off", "markers 3 off", "markers 4 off",
                                 "labels", "light 13 wrong", "sound wrong3.wav", "offer 2", "counters -15 0 100"}));
    EXPECT_TRUE(t.s.holdPhase && !t.s.pokerBusy);
    EXPECT_EQ(t.s.held, holdMask("00000"));

    t.draw();  // wrong again, with no run to offer
    EXPECT_EQ(t.view.only("sound"), Lines{"sound wrong.wav"});
    EXPECT_EQ(t.view.count("offer"), 0u);
    t.hold("10111");  // the flush draw, checked afresh
    t.draw();
    EXPECT_EQ(t.s.hands, 1);
    EXPECT_EQ(t.hand(), names("4h 7d 8h Jh 2h")) << "nothing drawn on the wrong holds";
}

TEST(PokerAdvice, TheCountdownEndsTheRunEveryHundredTicks)
{
    PokerRig t;
    t.game.initPokerScreen();
    EXPECT_EQ(t.view.count("timer on"), 1u);
    t.s.hands = 3;
    for (int i = 0; i < 99; ++i)
        t.game.Timer1_Timer();
    EXPECT_EQ(t.s.timer, 1);
    EXPECT_EQ(t.view.count("offer"), 0u);
    // The name box stays open through a whole countdown: the run is still offered once.
    t.once("offer 3", [&] {
        for (int i = 0; i < 100; ++i)
            t.game.Timer1_Timer();
    });
    t.game.Timer1_Timer();
    EXPECT_EQ(t.view.only("offer"), Lines{"offer 3"});
    EXPECT_EQ(t.view.log.back(), "counters -5 0 100");
}
}  // namespace
}  // namespace dm::test
