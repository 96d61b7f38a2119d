// The real program's window and desktop cover as a window manager places them: a start
// in video poker shows the whole table, the cover hides the whole screen, and a close
// during the first deal ends the program.
#include <gtest/gtest.h>

#include <QFile>
#include <csignal>

#include "e2e_layout.h"
#include "e2e_session.h"

using namespace e2e;

namespace {

const QString kCoverTitle = QStringLiteral("^Dunmere$");
const QRect kScreen(0, 0, 1280, 1024);

bool labelGrey(const QColor& c) { return std::abs(c.red() - c.green()) < 14 && std::abs(c.green() - c.blue()) < 14 && c.red() >= 100; }

// "Hide Desktop" / "Show Desktop": the third item of "&Preferences" on the rummy table,
// where the menu opens on its first item.
bool toggleCoverFromMenu(XSession& x) { return x.key("alt+p") && (QThread::msleep(400), x.key("Down Down Return")); }

}  // namespace

TEST(E2eWindow, AStartInVideoPokerShowsTheWholeTable)
{
    XSession x;
    const unsigned long window = x.open("[Preferences]\nisPoker=True\nprfShowPokerPlay=False\n");
    ASSERT_NE(window, 0u) << x.why;
    const auto atStart = x.geometry(window);
    ASSERT_TRUE(atStart);
    const Boxes b = tableBoxes(atStart->table.topLeft(), true);
    const QImage dealt = pollScreen(x, 20000, [&](const QImage& img) { return allFaceUp(img, b); });
    ASSERT_FALSE(dealt.isNull()) << "the first poker hand was never dealt";

    // The adviser waits for an error, so no row is lit. Every row of the pay table is
    // whole, "All Trash" too, with the table and its rail showing below it.
    EXPECT_EQ(payTableRows(dealt, atStart->table), 21);
    const QRect belowLastRow(atStart->client.right() - 40, atStart->client.bottom() - 8, 20, 8);
    EXPECT_LT(share(dealt, belowLastRow, labelGrey), 0.2) << "the last pay-table row runs off the window";

    // A switch to rummy and back sizes the window after it is on the screen: the start
    // must have given the same size.
    for (const char* keys : {"ctrl+r", "ctrl+v"})
        ASSERT_TRUE(x.key(keys) && (QThread::msleep(1500), true));
    const auto afterSwitch = x.windowRect(window);
    ASSERT_TRUE(afterSwitch);
    EXPECT_EQ(atStart->client.size(), afterSwitch->size());
    EXPECT_EQ(atStart->client.width(), 800);

    EXPECT_EQ(x.closeAndWait(window), 0);
}

TEST(E2eWindow, TheDesktopCoverTakesTheWholeScreenAtStartAndFromTheMenu)
{
    XSession x;
    const unsigned long window = x.open("[Preferences]\nprfHideDesktop=True\n");
    ASSERT_NE(window, 0u) << x.why;
    const auto g = x.geometry(window);
    ASSERT_TRUE(g);
    const Boxes b = tableBoxes(g->table.topLeft(), false);
    ASSERT_TRUE(handShown(x, b)) << "rummy was never dealt, or the cover hides it";

    unsigned long cover = x.waitForTitle(kCoverTitle, 5000);
    ASSERT_NE(cover, 0u) << "no cover at a start with the desktop hidden";
    EXPECT_EQ(x.windowRect(cover), kScreen) << "the cover at start";

    ASSERT_TRUE(toggleCoverFromMenu(x));  // "Show Desktop"
    QThread::msleep(800);
    EXPECT_EQ(x.waitForTitle(kCoverTitle, 0), 0u) << "\"Show Desktop\" should take the cover away";
    ASSERT_TRUE(toggleCoverFromMenu(x));  // "Hide Desktop"
    cover = x.waitForTitle(kCoverTitle, 5000);
    ASSERT_NE(cover, 0u) << "\"Hide Desktop\" showed no cover";
    EXPECT_EQ(x.windowRect(cover), kScreen) << "the cover from the menu";
    // The table stays in front of it.
    EXPECT_TRUE(handShown(x, b, 5000)) << "the cover came over the table";

    // The cover never keeps the program running once the table is closed.
    EXPECT_EQ(x.closeAndWait(window), 0) << "the program did not end with its table";
    EXPECT_EQ(storedPreferences(x.settingsFile()).value("prfHideDesktop"), "True");
}

// Closing the window while the opening hand is still being dealt ends the program like
// any other close: it must not linger without a window.
TEST(E2eClose, ClosingDuringTheOpeningDealEndsTheProgram)
{
    XSession x;
    const unsigned long window = x.open("[Preferences]\nisPoker=True\nprfWager=10\n");
    ASSERT_NE(window, 0u) << x.why;
    ASSERT_EQ(x.closeAndWait(window), 0) << "the program kept running after its window was closed during the deal";
    const auto prefs = storedPreferences(x.settingsFile());
    EXPECT_EQ(prefs.value("isPoker"), "True");
    EXPECT_EQ(prefs.value("prfWager"), "10");
    EXPECT_TRUE(QFile::exists(x.programDir() + "/stats.dat"));
}

// TERM and HUP (a logout, a shutdown) end the program as the window manager's close does:
// the preferences and scores are kept, a new record takes the name box's default, and no
// box that is up (here "Top Scores") holds the exit. The score file is read again at the
// exit, so the low scores written while the program runs are the ones it competes with.
TEST(E2eClose, TermAndHupCloseLikeTheWindowManager)
{
    for (const int sig : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(sig == SIGTERM ? "TERM" : "HUP");
        XSession x;
        const unsigned long window = x.open("[Preferences]\nprfWager=10\n");
        ASSERT_NE(window, 0u) << x.why;
        QByteArray records;
        for (const int score : {50, 40, 30, 20, 20, 20, 100, 100, 100})
            records += QByteArray("someone").leftJustified(20, ' ') + char(score) + char(0);
        QFile scores(x.programDir() + "/stats.dat");
        ASSERT_TRUE(scores.open(QIODevice::WriteOnly) && scores.write(records) == records.size());
        scores.close();
        if (sig == SIGHUP) {
            ASSERT_TRUE(x.key("alt+p") && (QThread::msleep(400), x.key("Down Return")));
            ASSERT_NE(x.waitForTitle("^Top Scores$", 10000), 0u) << "the scores dialog did not open";
        }
        QThread::msleep(500);
        ASSERT_TRUE(x.signal(sig));
        ASSERT_EQ(x.exitStatus(20000), 0) << "the program did not end by itself";
        const auto prefs = storedPreferences(x.settingsFile());
        EXPECT_EQ(prefs.value("prfWager"), "10");
        EXPECT_EQ(prefs.value("isPoker"), "False") << "the preferences were not saved";
        ASSERT_TRUE(scores.open(QIODevice::ReadOnly));
        const QByteArray now = scores.readAll();
        ASSERT_EQ(now.size(), 198);
        EXPECT_EQ(now.left(22), QByteArray("anonymous").leftJustified(20, ' ') + char(100) + char(0));
        EXPECT_EQ(now.mid(22, 22), records.left(22)) << "the old entries move down";
    }
}
