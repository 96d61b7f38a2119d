// The main window's menu bar: captions, shortcuts, the start item, the background
// entries, the help items and the switch between the games.
#include <QFileInfo>
#include <QLabel>

#include "app_fixture.h"
#include "table/helpview.h"

namespace dm::testing {
namespace {

using MenuTest = AppWindowTest;

// "caption" or "caption|shortcut" per item, "-" for a separator.
QStringList itemsOf(QMenu* m)
{
    QStringList items;
    for (QAction* a : m->actions())
        items << (a->isSeparator()         ? QStringLiteral("-")
                  : a->shortcut().isEmpty() ? a->text()
                                            : a->text() + "|" + a->shortcut().toString());
    return items;
}

TEST_F(MenuTest, MenuBarHasEveryItemInOrderWithItsShortcut)
{
    start();
    const QList<QAction*> titles = w->menuBar()->actions();
    QStringList captions;
    for (QAction* t : titles)
        captions << t->text();
    ASSERT_EQ(captions, QStringList({"&Game", "&Action", "&Preferences", "&Help"}));
    EXPECT_EQ(itemsOf(titles[0]->menu()), QStringList({"Play &Video Poker|Ctrl+V", "Play Tolva-&Rummy|Ctrl+R", "-", "E&xit"}));
    EXPECT_EQ(itemsOf(titles[1]->menu()), QStringList({"Start New Game", "Sort by &Rank", "Sort by &Suit", "Peek"}));
    EXPECT_FALSE(act("mnuStart")->isVisible()) << "offered only in the right-click pop-up";
    EXPECT_EQ(itemsOf(titles[2]->menu()),
              QStringList({"Show Hand", "Show Scores", "Hide Desktop", "Select Background", "More Options.."}));
    EXPECT_EQ(titles[2]->menu()->actions()[3]->menu()->actions().size(), 21);
    EXPECT_EQ(itemsOf(titles[3]->menu()), QStringList({"&Contents", "About Dunmere"}));
}

TEST_F(MenuTest, HelpContentsOpensTheHelpFileBesideTheProgram)
{
    start();
    act("mnuContents")->trigger();
    auto* help = w->findChild<HelpWindow*>();
    ASSERT_TRUE(help && help->isVisible());
    EXPECT_EQ(QFileInfo(help->helpFile()).absoluteFilePath(), QFileInfo(dir.path() + "/dunmere.hlp").absoluteFilePath());
}

TEST_F(MenuTest, BackgroundMenuHidesThePokerPicturesInRummyOnly)
{
    start();
    const QStringList files = QDir(QStringLiteral(DUNMERE_BIN_DIR "/pics")).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    ASSERT_GE(files.size(), 2);
    const auto entries = w->backgroundEntries();
    auto expectShown = [&](bool poker) {
        for (int i = 0; i < 21; ++i) {
            if (i >= files.size()) {
                EXPECT_FALSE(entries[i]->isVisible()) << i;
                continue;
            }
            EXPECT_EQ(entries[i]->text(), files[i]);
            EXPECT_EQ(entries[i]->isVisible(), poker || !files[i].startsWith("vpoker")) << files[i].toStdString();
        }
    };
    expectShown(false);
    act("mnuPoker")->trigger();
    expectShown(true);
    act("mnuPlayRummy")->trigger();
    expectShown(false);
}

TEST_F(MenuTest, ChosenBackgroundIsStoredForTheGameOnTheTable)
{
    start();
    const std::string pkBefore = w->prefs.prfPKBackground;
    background("winter.jpg")->trigger();
    EXPECT_EQ(w->prefs.prfTolvaBackground, "winter.jpg");
    EXPECT_EQ(w->prefs.prfPKBackground, pkBefore);

    act("mnuPoker")->trigger();
    background("felt.jpg")->trigger();
    EXPECT_EQ(w->prefs.prfPKBackground, "felt.jpg");
    EXPECT_EQ(w->prefs.prfTolvaBackground, "winter.jpg");
    EXPECT_TRUE(ps().holdPhase) << "a new hand is dealt on the new table";
}

TEST_F(MenuTest, RightClickOffersStartNewGameAndTheTopOfTheTableHidesIt)
{
    start();
    QWidget* table = w->centralWidget();
    const QPoint low(table->width() - 30, table->height() / 2);
    QTest::mouseClick(table, Qt::RightButton, {}, low);
    EXPECT_TRUE(act("mnuStart")->isVisible() && w->actionMenu()->isVisible());
    w->actionMenu()->hide();
    QTest::mouseMove(table, QPoint(table->width() - 30, 150));
    EXPECT_TRUE(act("mnuStart")->isVisible()) << "only the top strip hides it";
    QTest::mouseMove(table, QPoint(table->width() - 30, 50));
    EXPECT_FALSE(act("mnuStart")->isVisible());

    QTest::mouseClick(table, Qt::RightButton, {}, low);
    w->actionMenu()->hide();
    drawFromStock();
    ASSERT_TRUE(rs().mustDiscard);
    EXPECT_FALSE(act("mnuStart")->isVisible()) << "a table action hides it";
    act("mnuStart")->trigger();
    EXPECT_FALSE(rs().mustDiscard);
    EXPECT_EQ(rs().stock.size(), 52u - 18u);
    EXPECT_TRUE(rs().discardEmpty());
}

TEST_F(MenuTest, CtrlVPlaysVideoPokerAndCtrlRReturnsToRummy)
{
    start();
    // Each game's boxes show only in that game.
    const auto expectGame = [&](bool poker) {
        EXPECT_EQ(w->prefs.isPoker, poker);
        EXPECT_EQ(w->pokerLabel(20)->isVisible(), poker);
        EXPECT_EQ(w->winningsLabel()->isVisible(), poker);
        EXPECT_EQ(box("picPoker4")->isVisible(), poker);
        for (const char* rummyBox : {"picPlayerHand", "picComputerHand", "picReject"})
            EXPECT_EQ(box(rummyBox)->isVisible(), !poker) << rummyBox;
        EXPECT_EQ(act("mnuSortRank")->isEnabled(), !poker);
        EXPECT_EQ(act("mnuShowComputerHand")->isEnabled(), !poker);
    };
    QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
    expectGame(true);
    EXPECT_TRUE(ps().holdPhase) << "the first hand is dealt";
    EXPECT_EQ(w->winningsLabel()->text(), "-5");
    QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
    expectGame(false);
    EXPECT_EQ(rs().stock.size(), 52u - 18u);
    EXPECT_EQ(ps().winnings, -5) << "the winnings outlive the switch";
}

}  // namespace
}  // namespace dm::testing
