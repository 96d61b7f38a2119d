// The real program under a private X display: a fresh start deals rummy, a click on
// the stock brings a card to the user's draw spot, and closing saves settings and scores.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "e2e_layout.h"
#include "e2e_session.h"

using namespace e2e;

TEST(E2eRummy, StockClickDrawsACardAndClosingSavesSettingsAndScores)
{
    XSession x;
    const unsigned long window = x.open("");
    ASSERT_NE(window, 0u) << x.why;
    const auto g = x.geometry(window);
    ASSERT_TRUE(g) << "window geometry";
    EXPECT_EQ(g->client.width(), 800);
    const Boxes b = tableBoxes(g->table.topLeft(), false);

    // The first hand is dealt: the user's cards are face up, the draw spot still empty.
    const QImage before =
        pollScreen(x, 15000, [&](const QImage& img) { return share(img, b.playerHand, nearWhite) > 0.3; });
    ASSERT_FALSE(before.isNull()) << "the user's hand was never shown";
    EXPECT_LT(share(before, b.playerDraw, nearWhite), 0.05) << "the draw spot should show the table";
    EXPECT_EQ(payTableRows(before, g->table), 0) << "rummy shows no pay table";

    ASSERT_TRUE(x.click(b.stock.center()));
    EXPECT_FALSE(pollScreen(x, 15000, [&](const QImage& img) { return share(img, b.playerDraw, nearWhite) > 0.4; }).isNull())
        << "no card arrived at the user's draw spot";

    EXPECT_EQ(x.closeAndWait(window), 0) << "the program did not end after its window was closed";

    EXPECT_EQ(storedPreferences(x.settingsFile()).value("isPoker"), "False");
    EXPECT_EQ(QFileInfo(x.programDir() + "/stats.dat").size(), 198) << "nine score tables beside the program";
}
