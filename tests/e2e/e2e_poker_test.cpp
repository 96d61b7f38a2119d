// The real program's video poker by keyboard: deal, hold two, draw; the held cards stay,
// the others are replaced, and video poker is kept for the next start.
#include <gtest/gtest.h>

#include "e2e_layout.h"
#include "e2e_session.h"

using namespace e2e;

// The hold markers: a frame and a caption in the outline colour around the card.
static double markerShare(const QImage& img, const QRect& card) { return share(img, card.adjusted(-8, -8, 8, 30), brightGreen); }

TEST(E2ePoker, HeldCardsStayTheRestAreReplacedAndPokerIsKept)
{
    XSession x;
    const unsigned long window = x.open("[Preferences]\nprfShowPokerPlay=True\n");
    ASSERT_NE(window, 0u) << x.why;
    auto g = x.geometry(window);
    ASSERT_TRUE(g);
    ASSERT_TRUE(handShown(x, tableBoxes(g->table.topLeft(), false))) << "rummy was never dealt";

    ASSERT_TRUE(x.key("ctrl+v"));
    g = x.geometry(window);
    ASSERT_TRUE(g);
    const Boxes b = tableBoxes(g->table.topLeft(), true);
    const QImage dealt = pollScreen(x, 20000, [&](const QImage& img) { return allFaceUp(img, b); });
    ASSERT_FALSE(dealt.isNull()) << "five face-up poker cards never showed";

    ASSERT_TRUE(x.key("1 2"));
    const QImage held = pollScreen(x, 5000, [&](const QImage& img) {
        return markerShare(img, b.poker[0]) > 0.03 && markerShare(img, b.poker[1]) > 0.03;
    });
    ASSERT_FALSE(held.isNull()) << "keys 1 and 2 should mark the first two cards held";
    for (int i = 2; i < 5; ++i)
        EXPECT_LT(markerShare(held, b.poker[i]), 0.01) << "card " << i << " was not held";

    ASSERT_TRUE(x.key("space"));
    // Every replaced position gets a different card of the shuffled deck.
    const QImage drawn = pollScreen(x, 20000, [&](const QImage& img) {
        return allFaceUp(img, b) && std::all_of(b.poker.begin() + 2, b.poker.end(), [&](const QRect& r) {
                   return changedShare(dealt, img, r.adjusted(4, 4, -4, -4)) >= 0.01;
               });
    });
    ASSERT_FALSE(drawn.isNull()) << "the three cards not held were never replaced";
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(changedShare(dealt, drawn, b.poker[i].adjusted(8, 8, -8, -8)), 0.0) << "held card " << i;

    EXPECT_EQ(x.closeAndWait(window), 0) << "the program did not end after its window was closed";
    EXPECT_EQ(storedPreferences(x.settingsFile()).value("isPoker"), "True") << "the next start opens in video poker";
}
