// The trainer's session account, kept from the hands the flow draws.
#include <gtest/gtest.h>

#include "poker_support.h"

namespace dm::test {
namespace {

TEST(PokerSessionAccount, CountsEveryDrawAndListsTheHoldsThatCostSomething)
{
    PokerRig t(true);  // any hold draws
    t.deal("Ah Kh Qh Jh 10h 2c 5d 8h 3s 6c");
    t.hold("11111"), t.draw();
    t.deal("Jc Jd 5h 8s 2c 3d 6h 9c Ks 4s"), t.draw();  // the pair thrown away: the five new cards pay nothing

    const PokerSession& s = t.view.session;
    EXPECT_TRUE(s.hands() == 2 && s.wagered() == 10 && s.won() == 4000);
    EXPECT_DOUBLE_EQ(s.actualReturn(), 400.0);
    ASSERT_EQ(s.costlyHands().size(), 1u);
    const PlayedHand& miss = s.costlyHands()[0];
    EXPECT_EQ(handText(miss.dealt), names("Jc Jd 5h 8s 2c"));
    EXPECT_TRUE(miss.number == 2 && miss.held == 0u && miss.best == 0b00011u) << "keep the jacks";
    // Keeping the jacks returns about 7.7 credits, five new cards about 1.7.
    EXPECT_NEAR(miss.cost(), 6.0, 0.1);
    EXPECT_NEAR(s.mistakeCost(), miss.cost(), 1e-9);
    EXPECT_NEAR(s.perfectReturn() - s.expectedReturn(), miss.cost() / 10, 1e-12);
}

TEST(PokerSessionAccount, AHoldTheAdviserRefusesIsNotPlayed)
{
    PokerRig t;  // the adviser checks every hold
    t.deal("Jc Jd 5h 8s 2c 3d 6h 9c Ks 4s"), t.draw();
    EXPECT_EQ(t.view.session.hands(), 0);
    t.hold("11000"), t.draw();
    EXPECT_TRUE(t.view.session.hands() == 1 && t.view.session.costlyHands().empty());
}

}  // namespace
}  // namespace dm::test
