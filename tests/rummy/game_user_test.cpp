// The deal and the user's side of a hand, played on the recording table.
#include <gtest/gtest.h>

#include "fake_rummy_view.h"

using namespace dm;
using namespace dm::test;

static constexpr const char* kTieAsk = "ask The game is a tie..|Start a new game...?";

TEST(RummyUser, WinsAWholeHandWithTheNextDraw)
{
    Table t;
    t.arrange(kWinningNine, kLooseNine, "QH");
    t.game.picDeal_Click();
    EXPECT_EQ(t.view.calls, (Calls{"hideStart", "stock 0", "sound deal.wav", "animate Stock>PlayerDraw 99",
                                   "drawSpot Player shown", "sound rummywin.wav", "winner Player", "banks 105/95"}));
    EXPECT_TRUE(t.s.eval.handWon);
    EXPECT_EQ(placesCheck(t.s), "");
    t.view.calls.clear();  // after the win the table is dead: no second draw, no second announcement
    t.clickEverything(0);
    EXPECT_EQ(t.view.calls, Calls(3, "hideStart"));
}

TEST(RummyUser, StatesOfAHandFollowTheFlags)
{
    Table t;
    t.arrange(kPlainUser, kLooseNine, "KD 9H");
    const Hand before = t.s.playerHand;

    t.game.picReject_Click(), t.game.DiscardPlayerCard(4);  // user to take: the empty discard pile and discards do nothing
    EXPECT_EQ(t.view.calls, Calls{"hideStart"});

    // Draw: user to discard. Bad slots are ignored; a second click on the pile only
    // plays its back animation; the discard pile stays shut.
    t.game.picDeal_Click();
    t.view.calls.clear();
    t.game.DiscardPlayerCard(-1), t.game.DiscardPlayerCard(10), t.game.picDeal_Click(), t.game.picReject_Click();
    EXPECT_EQ(t.view.calls, (Calls{"hideStart", "stockAnimation", "hideStart"}));
    EXPECT_TRUE(t.s.mustDiscard && t.s.stock.size() == 33u);

    // Discarding slot 3 puts the drawn card there; clicks in the computer's turn are ignored.
    bool clickChanged = false;
    t.view.onWait = [&](int) {
        EXPECT_TRUE(t.s.eval.computerTurn);
        const auto state = t.s.stock.size() + 100 * t.s.discardPile.size();
        t.clickEverything(0);
        clickChanged |= state != t.s.stock.size() + 100 * t.s.discardPile.size() || t.s.mustDiscard;
    };
    t.game.DiscardPlayerCard(3);
    EXPECT_TRUE(!clickChanged && t.view.waits > 0);
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(t.s.playerHand[k].number, k == 3 ? parseCard("9H") : before[k].number);
    EXPECT_EQ(t.s.discardPile[1].number, parseCard("8S"));
    // Back to the user to take.
    EXPECT_FALSE(t.s.mustDiscard || t.s.eval.computerTurn || t.s.eval.handWon);
    EXPECT_EQ(placesCheck(t.s), "");
}

// Yes deals again; No keeps the hand and asks again at every click on the piles.
TEST(RummyUser, TiePromptWhenTheLastCardIsDrawn)
{
    for (bool yes : {true, false}) {
        Table t;  // the computer holds a 9 so it takes the user's 9D instead of drawing
        t.arrange(kPlainUser, "AC 3D 5D 7S JD KH 2S 4C 9S", "9D", "", true);
        t.view.answers = {yes};
        const uint32_t serial = t.s.dealSerial;
        t.game.picDeal_Click();
        EXPECT_EQ(t.view.matching("ask"), Calls{kTieAsk});
        EXPECT_EQ(placesCheck(t.s), "");
        if (yes) {
            EXPECT_TRUE(t.s.dealSerial == serial + 1 && !t.s.mustDiscard && !t.s.stockEmpty && t.s.stock.size() == 34u);
            continue;
        }
        EXPECT_TRUE(t.s.stockEmpty && t.s.mustDiscard && t.s.stock.size() == 1u);
        t.game.DiscardPlayerCard(9);  // the computer takes the 9D and throws its ace
        EXPECT_EQ(t.s.discardPile.back().number, parseCard("AC"));
        t.view.calls.clear();
        t.game.picDeal_Click();
        EXPECT_EQ(t.view.calls, (Calls{"hideStart", kTieAsk}));
        t.game.picReject_Click();
        EXPECT_EQ(t.view.count("ask"), 2);
        t.view.calls.clear();
        t.game.picPlayerDraw_Click();  // the computer, offered the ace back, draws into the exhausted pile: a tie, no prompt
        EXPECT_EQ(t.view.matching("message"), Calls{"message The game is a tie"});
        EXPECT_EQ(t.view.count("ask") + t.view.count("winner") + t.view.count("banks"), 0);
        EXPECT_TRUE(t.s.eval.handWon);
    }
}

// What happens when something else runs while the user's card glides.
TEST(RummyUser, InterruptedDrawsAndDiscards)
{
    {  // Clicks during the draw are ignored: one card drawn.
        Table t;
        t.view.onAnimation = [&](int n) { if (n == 1) t.clickEverything(9); };
        t.game.picDeal_Click();
        EXPECT_TRUE(t.view.animations == 1 && t.s.mustDiscard && placesCheck(t.s).empty());
    }
    for (bool newDeal : {true, false}) {  // a new deal or the window gone: the old draw stops
        Table t;
        t.arrange(kWinningNine, kLooseNine, "QH");
        t.view.onAnimation = [&](int) { if (newDeal) t.game.newHand(); };
        t.view.failAnimationAt = newDeal ? 0 : 1;
        t.game.picDeal_Click();
        EXPECT_TRUE(!t.s.mustDiscard && !t.s.eval.handWon && t.prefs.prfPlayerBank == 100);
        EXPECT_EQ(t.view.calls.back(), newDeal ? "showDeal" : "animate Stock>PlayerDraw 99");
        if (newDeal)
            EXPECT_EQ(placesCheck(t.s), "");
    }
}
