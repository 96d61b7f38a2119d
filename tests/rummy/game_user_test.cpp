// The deal and the user's side of a hand, played on the recording table.
#include <gtest/gtest.h>

#include "fake_rummy_view.h"

using namespace dm;
using namespace dm::test;

TEST(RummyDeal, DealsEveryCardOnceAndResetsTheHand)
{
    Table t;
    t.s.mustDiscard = t.s.stockEmpty = t.s.eval.handWon = t.s.eval.computerTurn = true;
    t.s.discardPile.push_back(cardOf(3));
    t.s.computerHand[4].value = 10;
    const uint32_t serial = t.s.dealSerial;

    t.game.shuffleCards(false);

    EXPECT_EQ(placesCheck(t.s), "");
    EXPECT_EQ(t.s.stock.size(), 34u);
    EXPECT_EQ(t.s.stock.front().number, t.s.deck[18].number);
    EXPECT_EQ(t.s.computerHand[0].number, t.s.deck[0].number);
    EXPECT_EQ(t.s.playerHand[0].number, t.s.deck[9].number);
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(t.s.playerHand[k].top, t.s.geo.playerHandTop);
        EXPECT_EQ(t.s.playerHand[k].left, handSlotLeft(k, t.s.geo.cardStep));
        EXPECT_EQ(t.s.computerHand[k].left, handSlotLeft(k, t.s.geo.cardStep));
    }
    for (const CardRec& c : t.s.computerHand)
        EXPECT_EQ(c.value, 0);
    EXPECT_FALSE(t.s.mustDiscard || t.s.stockEmpty || t.s.eval.handWon || t.s.eval.computerTurn);
    EXPECT_TRUE(t.s.discardEmpty());
    EXPECT_TRUE(t.s.resetMelds);
    EXPECT_EQ(t.s.dealSerial, serial + 1);
    EXPECT_EQ(t.view.calls.back(), "showDeal");
}

TEST(RummyDeal, ShuffleSoundFollowsTheBackground)
{
    struct Case {
        const char* background;
        bool sound;
        double r;
        const char* expected;  // "" for silence
    } cases[] = {
        {"winter.jpg", true, 0.2, "sound wolf.wav"}, {"winter.jpg", true, 0.7, "sound bird.wav"},
        {"beach2.jpg", true, 0.5, "sound beach.wav"}, {"beach.gif", true, 0.5, "sound beach.wav"},
        {"Beach.gif", true, 0.5, ""},                 {"winter.jpg", false, 0.5, ""},
    };
    for (const Case& c : cases) {
        Table t;
        t.prefs.prfTolvaBackground = c.background;
        t.prefs.prfSound = c.sound;
        t.rng.next = {c.r};
        t.game.shuffleCards(false);
        auto sounds = t.view.matching("sound");
        if (*c.expected)
            EXPECT_EQ(sounds, std::vector<std::string>{c.expected}) << c.background;
        else
            EXPECT_TRUE(sounds.empty()) << c.background;
    }
}

TEST(RummyDeal, NewHandSortsAndShowsTheBanksAfterASecond)
{
    Table t;
    t.prefs.prfTolvaAutoSort = true;
    t.prefs.prfTolvaScores = true;
    t.s.discardPile.push_back(cardOf(7));
    t.game.newHand();

    EXPECT_EQ(after(t.view, 0), (std::vector<std::string>{"showDeal", "refreshHand Player 99", "wait 1000",
                                                          "banks 100/100"}));
    for (int k = 1; k < 9; ++k)
        EXPECT_LE(t.s.playerHand[k - 1].rank, t.s.playerHand[k].rank);
    EXPECT_TRUE(t.s.discardEmpty());
}

TEST(RummyUser, WinsAWholeHandWithTheNextDraw)
{
    Table t;
    t.arrange(kWinningNine, kLooseNine, "QH");
    t.game.picDeal_Click();

    EXPECT_EQ(after(t.view, 0),
              (std::vector<std::string>{"hideStart", "stock 0", "sound deal.wav", "animate Stock>PlayerDraw 99",
                                        "drawSpot Player shown", "sound rummywin.wav", "winner Player",
                                        "banks 105/95"}));
    EXPECT_TRUE(t.s.eval.handWon);
    EXPECT_EQ(t.s.playerHand[9].number, parseCard("QH"));
    EXPECT_EQ(placesCheck(t.s), "");

    // After the win the table is dead: no second draw, no second announcement.
    size_t n = t.view.calls.size();
    t.game.picDeal_Click();
    t.game.picReject_Click();
    t.game.picPlayerDraw_Click();
    t.game.DiscardPlayerCard(0);
    EXPECT_EQ(after(t.view, n), (std::vector<std::string>{"hideStart", "hideStart", "hideStart"}));
}

TEST(RummyUser, StatesOfAHandFollowTheFlags)
{
    Table t;
    t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "KD 9H");
    const Hand before = t.s.playerHand;

    // User to take: the empty discard pile does nothing.
    t.game.picReject_Click();
    EXPECT_EQ(t.view.calls, std::vector<std::string>{"hideStart"});

    // Draw: user to discard.
    t.game.picDeal_Click();
    EXPECT_TRUE(t.s.mustDiscard);
    EXPECT_EQ(t.s.stock.size(), 33u);

    // A second click on the pile only plays its back animation; the discard pile stays shut.
    size_t n = t.view.calls.size();
    t.game.picDeal_Click();
    t.game.picReject_Click();
    EXPECT_EQ(after(t.view, n), (std::vector<std::string>{"hideStart", "stockAnimation", "hideStart"}));
    EXPECT_EQ(t.s.stock.size(), 33u);

    // Discarding slot 3 puts the drawn card there and starts the computer's turn, during
    // which table clicks are ignored.
    std::string duringTurn;
    t.view.onWait = [&](int) {
        EXPECT_TRUE(t.s.eval.computerTurn);
        const auto state = t.s.stock.size() + 100 * t.s.discardPile.size();
        t.game.picDeal_Click();
        t.game.picReject_Click();
        t.game.picPlayerDraw_Click();
        t.game.DiscardPlayerCard(0);
        if (state != t.s.stock.size() + 100 * t.s.discardPile.size() || t.s.mustDiscard)
            duringTurn = "a click changed the hand";
    };
    t.game.DiscardPlayerCard(3);
    EXPECT_EQ(duringTurn, "");
    EXPECT_GT(t.view.waits, 0);
    EXPECT_EQ(t.s.playerHand[3].number, parseCard("9H"));
    for (int k : {0, 1, 2, 4, 5, 6, 7, 8})
        EXPECT_EQ(t.s.playerHand[k].number, before[k].number);
    EXPECT_EQ(t.s.discardPile[1].number, parseCard("8S"));

    // Back to the user to take.
    EXPECT_FALSE(t.s.mustDiscard || t.s.eval.computerTurn || t.s.eval.handWon);
    EXPECT_EQ(t.s.computerHand[9].number, -1);
    EXPECT_EQ(placesCheck(t.s), "");
}

TEST(RummyUser, DiscardIgnoresBadIndexesAndUntimelyCalls)
{
    Table t;
    t.game.DiscardPlayerCard(4);  // nothing drawn yet
    t.game.picDeal_Click();
    t.game.DiscardPlayerCard(-1);
    t.game.DiscardPlayerCard(10);
    EXPECT_TRUE(t.s.mustDiscard);
    EXPECT_TRUE(t.s.discardEmpty());
    EXPECT_FALSE(t.view.has("error"));
}

TEST(RummyUser, TiePromptAnsweredNoKeepsTheHandAndAsksAgain)
{
    Table t;
    // The computer holds a 9 so it takes the user's 9D instead of drawing.
    t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", "AC 3D 5D 7S JD KH 2S 4C 9S", "9D", "", true);
    t.view.answers = {false};
    t.game.picDeal_Click();
    EXPECT_TRUE(t.s.stockEmpty);
    EXPECT_EQ(t.s.stock.size(), 1u);
    EXPECT_EQ(t.s.pileImage, 4);
    EXPECT_EQ(t.view.matching("ask"), std::vector<std::string>{"ask The game is a tie..|Start a new game...?"});
    EXPECT_TRUE(t.s.mustDiscard);
    EXPECT_EQ(placesCheck(t.s), "");

    // The computer takes the 9D and throws its ace.
    t.game.DiscardPlayerCard(9);
    EXPECT_FALSE(t.s.eval.computerTurn);
    EXPECT_EQ(t.s.discardPile.back().number, parseCard("AC"));

    // Every later click on the pile asks again without drawing, and so does every take.
    size_t n = t.view.calls.size();
    t.game.picDeal_Click();
    EXPECT_EQ(after(t.view, n), (std::vector<std::string>{"hideStart", "ask The game is a tie..|Start a new game...?"}));
    t.game.picReject_Click();
    EXPECT_EQ(t.view.count("ask"), 3);

    // The computer, offered the ace back, draws into the exhausted pile: a tie, no prompt.
    t.game.picPlayerDraw_Click();
    EXPECT_EQ(t.view.matching("message"), std::vector<std::string>{"message The game is a tie"});
    EXPECT_EQ(t.view.count("ask"), 3);
    EXPECT_TRUE(t.s.eval.handWon);
    EXPECT_EQ(t.prefs.prfPlayerBank, 100);
    EXPECT_FALSE(t.view.has("winner"));
    EXPECT_EQ(placesCheck(t.s), "");
}

TEST(RummyUser, TiePromptAnsweredYesDealsAgain)
{
    Table t;
    t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "9D", "", true);
    t.view.answers = {true};
    const uint32_t serial = t.s.dealSerial;
    t.game.picDeal_Click();
    EXPECT_EQ(t.s.dealSerial, serial + 1);
    EXPECT_FALSE(t.s.mustDiscard || t.s.stockEmpty);
    EXPECT_EQ(t.s.stock.size(), 34u);
    EXPECT_TRUE(t.s.discardEmpty());
    EXPECT_EQ(placesCheck(t.s), "");
}

TEST(RummyUser, StockPicturesFollowTheCardsLeft)
{
    Table t;
    t.arrange("2C 4D 6H 8S 9C QD AH 3S 5C", kLooseNine, "8C 9D 9H 9S KC", "", true);
    std::vector<int> shown;
    for (int i = 0; i < 5; ++i) {
        t.s.mustDiscard = false;  // draw again without playing the discard
        t.game.picDeal_Click();
        shown.push_back(t.s.pileImage);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(t.s.stockEmpty);
}

TEST(RummyUser, ClicksDuringTheDrawAnimationAreIgnored)
{
    Table t;
    t.view.onAnimation = [&](int n) {
        if (n == 1) {
            t.game.picDeal_Click();
            t.game.picReject_Click();
            t.game.picPlayerDraw_Click();
            t.game.DiscardPlayerCard(9);
        }
    };
    t.game.picDeal_Click();
    EXPECT_EQ(t.s.stock.size(), 33u);
    EXPECT_EQ(t.view.animations, 1);
    EXPECT_TRUE(t.s.mustDiscard);
    EXPECT_EQ(placesCheck(t.s), "");
}

TEST(RummyUser, NewDealDuringTheDrawAnimationWinsOverTheOldStep)
{
    Table t;
    t.arrange(kWinningNine, kLooseNine, "QH");
    t.view.onAnimation = [&](int n) {
        if (n == 1)
            t.game.newHand();
    };
    t.game.picDeal_Click();
    EXPECT_FALSE(t.s.mustDiscard);
    EXPECT_FALSE(t.s.eval.handWon);
    EXPECT_FALSE(t.view.has("winner"));
    EXPECT_EQ(t.view.calls.back(), "showDeal");
    EXPECT_EQ(placesCheck(t.s), "");
}

TEST(RummyUser, WindowGoneDuringTheDrawStopsTheStep)
{
    Table t;
    t.arrange(kWinningNine, kLooseNine, "QH");
    t.view.failAnimationAt = 1;
    t.game.picDeal_Click();
    EXPECT_EQ(t.view.calls.back(), "animate Stock>PlayerDraw 99");
    EXPECT_FALSE(t.s.mustDiscard);
    EXPECT_FALSE(t.s.eval.handWon);
    EXPECT_EQ(t.prefs.prfPlayerBank, 100);
}

TEST(RummyUser, AFailingTableIsReportedAndTheGameGoesOn)
{
    Table t;
    t.view.onAnimation = [](int n) {
        if (n == 1)
            throw std::runtime_error("no picture");
    };
    t.game.picDeal_Click();
    EXPECT_EQ(t.view.calls.back(), "error picDeal_Click: no picture");
    t.view.onAnimation = nullptr;
    t.game.newHand();
    t.game.picDeal_Click();
    EXPECT_TRUE(t.s.mustDiscard);
}
