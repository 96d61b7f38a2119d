// The real program under a private X display: a fresh start deals rummy, a click on
// the stock brings a card to the user's draw spot, and closing saves settings and scores.
#include <gtest/gtest.h>

#include <QFile>

#include "e2e_layout.h"
#include "e2e_session.h"

using namespace e2e;

TEST(E2eRummy, StockClickDrawsACardAndClosingSavesSettingsAndScores)
{
    XSession x;
    std::string why;
    const unsigned long window = x.open("", why);
    ASSERT_NE(window, 0u) << why;
    const auto g = x.geometry(window);
    ASSERT_TRUE(g) << "window geometry";
    EXPECT_EQ(g->client.width(), 800);
    const Boxes b = onScreen(tableBoxes(800, 600, false), g->table.topLeft());

    // The first hand is dealt: the user's cards are face up, the draw spot still empty.
    const QImage before =
        pollScreen(x, 15000, [&](const QImage& img) { return share(img, b.playerHand, nearWhite) > 0.3; });
    ASSERT_FALSE(before.isNull()) << "the user's hand was never shown";
    EXPECT_LT(share(before, b.playerDraw, nearWhite), 0.05) << "the draw spot should show the table";
    EXPECT_EQ(payTableRows(before, g->table), 0) << "rummy shows no pay table";

    ASSERT_TRUE(x.click(b.stock.center()));
    const QImage after =
        pollScreen(x, 15000, [&](const QImage& img) { return share(img, b.playerDraw, nearWhite) > 0.4; });
    ASSERT_FALSE(after.isNull()) << "no card arrived at the user's draw spot";
    EXPECT_GT(changedShare(before, after, b.playerDraw.adjusted(6, 6, -6, -6)), 0.4);

    EXPECT_EQ(x.closeAndWait(window), 0) << "the program did not end after its window was closed";

    const auto prefs = storedPreferences(x.settingsFile());
    ASSERT_FALSE(prefs.isEmpty()) << "no settings in " << x.settingsFile().toStdString();
    EXPECT_EQ(prefs.value("isPoker"), "False");
    EXPECT_EQ(prefs.value("prfPlayerBank"), "100");
    // The animation speed is measured on a first start and kept from then on.
    EXPECT_GE(prefs.value("prfAnimationDelay").toInt(), 0);

    // Nine 22-byte records with the fresh tables: rummy's first entry scores 130.
    QFile stats(x.programDir() + "/stats.dat");
    ASSERT_TRUE(stats.open(QIODevice::ReadOnly)) << "stats.dat was not written beside the program";
    const QByteArray bytes = stats.readAll();
    ASSERT_EQ(bytes.size(), 198);
    EXPECT_EQ(bytes.left(20), QByteArray("anonymous").leftJustified(20, ' '));
    EXPECT_EQ(uint8_t(bytes[20]) | (uint8_t(bytes[21]) << 8), 130);
}
