// Deal and draw: which cards land where, the wager, and the deal direction.
#include <gtest/gtest.h>

#include "fake_poker_view.h"

namespace dm::test {
namespace {

const std::vector<std::string> kTenCards = {"2c", "5d", "8h", "10s", "3s", "Kh", "Qc", "9d", "4s", "6h"};

TEST(PokerHand, DealTakesWagerFirstAndFillsPositionsFromTheDeck)
{
    PokerRig t;
    t.deal(kTenCards);

    EXPECT_EQ(t.handNumbers(), numbers({"2c", "5d", "8h", "10s", "3s"}));
    EXPECT_TRUE(t.s.holdPhase);
    EXPECT_FALSE(t.s.pokerBusy);
    EXPECT_EQ(t.s.winnings, -5);
    // The wager shows before the first card moves, and no 600 ms pause on an empty table.
    auto first = std::find_if(t.view.log.begin(), t.view.log.end(),
                              [](const std::string& l) { return l.rfind("glide", 0) == 0; });
    EXPECT_NE(std::find(t.view.log.begin(), first, "counters -5 0 100"), first);
    EXPECT_EQ(t.view.only("wait"), std::vector<std::string>{"wait 650"});
    EXPECT_EQ(t.view.count("sound deal.wav"), 5u);
    EXPECT_EQ(t.view.count("card"), 15u);  // hidden, back, face for each position
}

TEST(PokerHand, DrawReplacesEachUnheldPositionWithDeckPositionFivePlusI)
{
    const std::vector<std::vector<int>> holds = {{}, {0, 1, 2, 3, 4}, {1, 3, 4}, {0, 2}};
    for (const auto& held : holds) {
        PokerRig t;
        t.prefs.prfShowPokerPlay = true;  // any hold draws
        t.deal(kTenCards);
        t.hold(held);
        t.view.log.clear();
        t.game.picDeal_Click(0);

        std::vector<int> want = numbers({"2c", "5d", "8h", "10s", "3s"});
        std::vector<std::string> glides;
        for (int i = 0; i < 5; ++i) {
            if (std::find(held.begin(), held.end(), i) == held.end()) {
                want[i] = parseCardName(kTenCards[5 + i]);
                glides.push_back("glide " + std::to_string(i));
            }
        }
        EXPECT_EQ(t.handNumbers(), want) << held.size() << " held";
        EXPECT_EQ(t.view.only("glide"), glides);
        EXPECT_FALSE(t.s.holdPhase);
        EXPECT_FALSE(t.s.pokerBusy);
    }
}

TEST(PokerHand, ConsecutiveDealsAlternateDirectionAndPauseOverTheOldHand)
{
    PokerRig t;
    t.prefs.prfShowPokerPlay = true;
    const std::vector<std::string> ltr = {"glide 0", "glide 1", "glide 2", "glide 3", "glide 4"};
    const std::vector<std::string> rtl(ltr.rbegin(), ltr.rend());
    for (int hand = 0; hand < 3; ++hand) {
        t.view.log.clear();
        t.deal(kTenCards);
        EXPECT_EQ(t.view.only("glide"), hand % 2 == 0 ? ltr : rtl) << "hand " << hand;
        EXPECT_EQ(t.view.count("wait 600"), hand == 0 ? 0u : 1u);
        t.hold({0, 1, 2, 3, 4});
        t.game.picDeal_Click(3);
    }
}

TEST(PokerHand, WinningsStopAtTheSixteenBitBounds)
{
    PokerRig t;
    t.prefs.prfShowPokerPlay = true;
    t.s.winnings = -32766;
    t.deal(kTenCards);
    EXPECT_EQ(t.s.winnings, -32768);

    // A full house held near the top stops at 32767 in one step.
    t.s.holdPhase = false;
    t.deal({"3c", "3d", "3h", "9s", "9c"});
    t.s.winnings = 32760;
    t.hold({0, 1, 2, 3, 4});
    t.game.picDeal_Click(3);
    EXPECT_EQ(t.s.winnings, 32767);
    EXPECT_EQ(t.view.count("sound pokerwin3.wav"), 1u);
}

TEST(PokerHand, HoldTogglesOnlyWhileCardsWaitForTheDraw)
{
    PokerRig t;
    t.game.toggleHold(2);  // before the first deal
    EXPECT_FALSE(t.s.held[2]);
    EXPECT_EQ(t.view.count("markers"), 0u);

    t.deal(kTenCards);
    t.view.log.clear();
    t.game.toggleHold(2);
    t.game.toggleHold(4);
    t.game.toggleHold(2);
    t.game.toggleHold(5);  // no such position
    t.game.toggleHold(-1);
    EXPECT_EQ(t.s.held, (std::array<bool, 5>{false, false, false, false, true}));
    EXPECT_EQ(t.view.log, (std::vector<std::string>{"markers 2 on", "markers 4 on", "markers 2 off"}));

    t.prefs.prfShowPokerPlay = true;
    t.game.picDeal_Click(3);
    t.game.toggleHold(0);  // after the payout
    EXPECT_FALSE(t.s.held[0]);
}

}  // namespace
}  // namespace dm::test
