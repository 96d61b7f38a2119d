// The count-up of every paying class, and a final hand that pays nothing.
#include <gtest/gtest.h>

#include "fake_poker_view.h"

namespace dm::test {
namespace {

struct PaidHand {
    std::vector<std::string> cards;
    int cls;
    const char* light;
    int prize, step;
    std::string sound;
    int pause;
};

// Each hand is held whole, so the dealt cards are the final hand.
const PaidHand kPaid[] = {
    {{"As", "Ks", "Qs", "Js", "10s"}, 1, "paid", 4000, 25, "pokerwin3.wav", 500},
    {{"9h", "8h", "7h", "6h", "5h"}, 2, "bright", 250, 25, "pokerwin3.wav", 500},
    {{"7c", "7d", "7h", "7s", "2c"}, 3, "paid", 125, 25, "pokerwin3.wav", 500},
    {{"3c", "3d", "3h", "9s", "9c"}, 4, "paid", 45, 25, "pokerwin3.wav", 500},
    {{"Ah", "Kh", "Qh", "Jh", "7h"}, 6, "paid", 30, 15, "pokerwin3.wav", 500},  // four royal ranks
    {{"5c", "6d", "7h", "8s", "9c"}, 7, "paid", 20, 10, "pokerwin2.wav", 500},
    {{"4c", "4d", "4h", "9s", "Kc"}, 8, "paid", 15, 15, "pokerwin1.wav", 500},
    {{"4c", "4d", "9h", "9s", "Kc"}, 10, "paid", 10, 10, "pokerwin1.wav", 500},
    {{"Jc", "Jd", "3h", "7s", "9c"}, 11, "paid", 5, 5, "pokerwin1.wav", 200},
};

TEST(PokerPayout, EveryPayingClassCountsUpInItsStepsWithSoundAndPause)
{
    for (const auto& h : kPaid) {
        PokerRig t;
        t.prefs.prfShowPokerPlay = true;
        t.deal(h.cards);
        t.hold({0, 1, 2, 3, 4});
        t.view.log.clear();
        t.game.picDeal_Click(3);

        const std::string light = "light " + std::to_string(h.cls) + " " + h.light;
        auto it = std::find(t.view.log.begin(), t.view.log.end(), light);
        ASSERT_NE(it, t.view.log.end()) << light;
        EXPECT_EQ(*(it - 1), "labels");

        std::vector<std::string> want;
        for (int w = -5; w < -5 + h.prize;) {
            w = std::min(w + h.step, -5 + h.prize);
            want.push_back("counters " + std::to_string(w) + " 0 100");
            want.push_back("sound " + h.sound);
            want.push_back("wait " + std::to_string(h.pause));
        }
        EXPECT_EQ(std::vector<std::string>(it + 1, t.view.log.end()), want) << "class " << h.cls;
        EXPECT_EQ(t.s.winnings, -5 + h.prize);
        EXPECT_EQ(t.s.handClass, h.cls);
        EXPECT_FALSE(t.s.pokerBusy);
    }
}

TEST(PokerPayout, NonPayingFinalHandLightsNothingAndPaysNothingSilently)
{
    PokerRig t;
    t.prefs.prfShowPokerPlay = true;
    t.prefs.prfSound = false;
    // Four to a royal is dealt; the draw misses everything.
    t.deal({"Ah", "Kh", "Qh", "Jh", "2c", "3s", "5d", "7c", "8d", "4s"});
    t.hold({0, 1, 2, 3});
    t.view.log.clear();
    t.game.picDeal_Click(3);
    EXPECT_EQ(t.s.handClass, 12);  // "3 To a Royal " pays nothing
    EXPECT_EQ(t.view.count("light"), 0u);
    EXPECT_EQ(t.view.count("labels"), 0u);
    EXPECT_EQ(t.view.count("sound"), 0u);
    EXPECT_EQ(t.s.winnings, -5);
    EXPECT_EQ(t.view.only("wait"), (std::vector<std::string>{"wait 600", "wait 250", "wait 200"}));
}

}  // namespace
}  // namespace dm::test
