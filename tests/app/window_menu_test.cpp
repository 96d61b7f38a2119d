// The main window's menu bar: captions, shortcuts, the hand menus, the start item,
// the background entries and the switch between the games.
#include <QImage>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>

#include "app_fixture.h"
#include "table/helpview.h"

namespace dm::testing {
namespace {

using MenuTest = AppWindowTest;

struct Item {
    QString text;
    QKeySequence key;
    bool separator = false;
};

std::vector<Item> itemsOf(QMenu* m)
{
    std::vector<Item> items;
    for (QAction* a : m->actions())
        items.push_back({a->text(), a->shortcut(), a->isSeparator()});
    return items;
}

TEST_F(MenuTest, MenuBarHasEveryItemInOrderWithItsShortcut)
{
    start();
    const QList<QAction*> titles = w->menuBar()->actions();
    ASSERT_EQ(titles.size(), 4);
    EXPECT_EQ(titles[0]->text(), "&Game");
    EXPECT_EQ(titles[1]->text(), "&Action");
    EXPECT_EQ(titles[2]->text(), "&Preferences");
    EXPECT_EQ(titles[3]->text(), "&Help");

    const auto game = itemsOf(titles[0]->menu());
    ASSERT_EQ(game.size(), 4u);
    EXPECT_EQ(game[0].text, "Play &Video Poker");
    EXPECT_EQ(game[0].key, QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(game[1].text, "Play Tolva-&Rummy");
    EXPECT_EQ(game[1].key, QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_TRUE(game[2].separator);
    EXPECT_EQ(game[3].text, "E&xit");
    EXPECT_TRUE(game[3].key.isEmpty());

    const auto action = itemsOf(titles[1]->menu());
    ASSERT_EQ(action.size(), 4u);
    EXPECT_EQ(action[0].text, "Start New Game");
    EXPECT_FALSE(act("mnuStart")->isVisible()) << "offered only in the right-click pop-up";
    EXPECT_EQ(action[1].text, "Sort by &Rank");
    EXPECT_EQ(action[2].text, "Sort by &Suit");
    EXPECT_EQ(action[3].text, "Peek");

    QMenu* prefs = titles[2]->menu();
    const auto pref = itemsOf(prefs);
    ASSERT_EQ(pref.size(), 5u);
    EXPECT_EQ(pref[0].text, "Show Hand");
    EXPECT_EQ(pref[1].text, "Show Scores");
    EXPECT_EQ(pref[2].text, "Hide Desktop");
    EXPECT_EQ(pref[3].text, "Select Background");
    ASSERT_NE(prefs->actions()[3]->menu(), nullptr);
    EXPECT_EQ(prefs->actions()[3]->menu()->actions().size(), 21);
    EXPECT_EQ(pref[4].text, "More Options..");

    const auto help = itemsOf(titles[3]->menu());
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].text, "&Contents");
    EXPECT_EQ(help[1].text, "About Dunmere");
    for (const auto* list : {&action, &pref, &help})
        for (const Item& i : *list)
            EXPECT_TRUE(i.key.isEmpty()) << i.text.toStdString();
}

TEST_F(MenuTest, HelpItemsOpenTheContentsAndTheAboutBox)
{
    start();
    act("mnuAbout")->trigger();
    auto* about = w->findChild<QDialog*>("frmAbout");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->windowTitle(), "About Video-Poker / Tolva-Rummy");
    EXPECT_EQ(about->findChild<QLabel*>("lblVersion")->text(), "Version " + ctx.versionText);
    about->close();

    act("mnuContents")->trigger();
    auto* help = w->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(QFileInfo(help->helpFile()).fileName(), "dunmere.hlp");
    EXPECT_EQ(QFileInfo(help->helpFile()).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MenuTest, BackgroundMenuListsThePicturesAndHidesPokerOnesInRummy)
{
    start();
    const QStringList files = QDir(binPics()).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    ASSERT_GE(files.size(), 2);
    const auto entries = w->backgroundEntries();
    ASSERT_EQ(entries.size(), 21);
    for (int i = 0; i < 21; ++i) {
        if (i >= files.size()) {
            EXPECT_FALSE(entries[i]->isVisible()) << i;
            continue;
        }
        EXPECT_EQ(entries[i]->text(), files[i]);
        EXPECT_EQ(entries[i]->isVisible(), !files[i].startsWith("vpoker")) << files[i].toStdString();
    }

    // Video poker offers every picture, its own ones included; rummy hides them again.
    act("mnuPoker")->trigger();
    for (int i = 0; i < files.size() && i < 21; ++i)
        EXPECT_TRUE(entries[i]->isVisible()) << files[i].toStdString();
    act("mnuPlayRummy")->trigger();
    for (int i = 0; i < files.size() && i < 21; ++i)
        EXPECT_EQ(entries[i]->isVisible(), !files[i].startsWith("vpoker")) << files[i].toStdString();
}

TEST_F(MenuTest, BackgroundMenuTakesOnlyTheFirstTwentyOneFiles)
{
    withData = false;
    QDir(dir.path()).mkpath("pics/backs");
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::darkGreen);
    for (int i = 0; i < 23; ++i)
        ASSERT_TRUE(img.save(dir.path() + QStringLiteral("/pics/p%1.png").arg(i, 2, 10, QChar('0'))));
    start();
    const auto entries = w->backgroundEntries();
    ASSERT_EQ(entries.size(), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(entries[i]->text(), QStringLiteral("p%1.png").arg(i, 2, 10, QChar('0')));
        EXPECT_TRUE(entries[i]->isVisible());
    }
}

TEST_F(MenuTest, WithoutPicturesOnlyTheEmptyEntryShows)
{
    withData = false;
    start();
    const auto entries = w->backgroundEntries();
    EXPECT_EQ(entries[0]->text(), "empty");
    EXPECT_TRUE(entries[0]->isVisible());
    for (int i = 1; i < 21; ++i)
        EXPECT_FALSE(entries[i]->isVisible()) << i;
}

TEST_F(MenuTest, ShowHandFlipsCaptionAndPeekFollowsIt)
{
    start();
    ASSERT_TRUE(w->prefs.prfShowHide);
    EXPECT_EQ(act("mnuShowComputerHand")->text(), "Show Hand");
    EXPECT_TRUE(act("mnuPeek")->isEnabled());

    act("mnuShowComputerHand")->trigger();
    EXPECT_FALSE(w->prefs.prfShowHide);
    EXPECT_EQ(act("mnuShowComputerHand")->text(), "Hide Hand");
    EXPECT_FALSE(act("mnuPeek")->isEnabled());

    // Video poker has no hand to show; back in rummy the items follow the preference.
    act("mnuPoker")->trigger();
    EXPECT_FALSE(act("mnuPeek")->isEnabled());
    EXPECT_FALSE(act("mnuShowComputerHand")->isEnabled());
    act("mnuPlayRummy")->trigger();
    EXPECT_FALSE(act("mnuPeek")->isEnabled());
    EXPECT_EQ(act("mnuShowComputerHand")->text(), "Hide Hand");

    act("mnuShowComputerHand")->trigger();
    EXPECT_TRUE(w->prefs.prfShowHide);
    EXPECT_EQ(act("mnuShowComputerHand")->text(), "Show Hand");
    EXPECT_TRUE(act("mnuPeek")->isEnabled());
    act("mnuPeek")->trigger();  // shows the hand for a moment, then covers it again
    EXPECT_TRUE(messages.empty());
}

TEST_F(MenuTest, SortCommandsOrderTheHandAndKeepItsCards)
{
    start();
    auto sorted = handNumbers();
    std::sort(sorted.begin(), sorted.end());

    act("mnuSortSuit")->trigger();
    for (int i = 1; i < 9; ++i)
        EXPECT_LE(rs().playerHand[i - 1].suit, rs().playerHand[i].suit);
    act("mnuSortRank")->trigger();
    for (int i = 1; i < 9; ++i)
        EXPECT_LE(rs().playerHand[i - 1].rank, rs().playerHand[i].rank);
    auto now = handNumbers();
    std::sort(now.begin(), now.end());
    EXPECT_EQ(now, sorted);
    // The places are laid again: three groups of three, left to right.
    for (int i = 1; i < 9; ++i)
        EXPECT_EQ(rs().playerHand[i].left, rs().playerHand[i - 1].right) << i;
}

TEST_F(MenuTest, RightClickOffersStartNewGameAndTheTopOfTheTableHidesIt)
{
    start();
    QWidget* table = w->centralWidget();
    const QPoint low(table->width() - 30, table->height() / 2);
    QTest::mouseClick(table, Qt::RightButton, {}, low);
    EXPECT_TRUE(act("mnuStart")->isVisible());
    EXPECT_TRUE(w->actionMenu()->isVisible());
    w->actionMenu()->hide();

    QTest::mouseMove(table, QPoint(table->width() - 30, 150));
    EXPECT_TRUE(act("mnuStart")->isVisible()) << "only the top strip hides it";
    QTest::mouseMove(table, QPoint(table->width() - 30, 50));
    EXPECT_FALSE(act("mnuStart")->isVisible());

    // Starting a new game deals a fresh hand.
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
    ASSERT_FALSE(w->prefs.isPoker);
    QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(w->prefs.isPoker);
    EXPECT_TRUE(ps().holdPhase) << "the first hand is dealt";
    EXPECT_EQ(ps().winnings, -5);
    for (int i = 0; i < 21; ++i)
        EXPECT_TRUE(w->pokerLabel(i)->isVisible()) << i;
    EXPECT_TRUE(w->winningsLabel()->isVisible());
    EXPECT_EQ(w->winningsLabel()->text(), "-5");
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(box(QStringLiteral("picPoker%1").arg(i))->isVisible()) << i;
    for (const char* rummyBox : {"picPlayerHand", "picComputerHand", "picReject", "picPlayerDraw"})
        EXPECT_FALSE(box(rummyBox)->isVisible()) << rummyBox;
    EXPECT_FALSE(act("mnuSortRank")->isEnabled());

    QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(w->prefs.isPoker);
    EXPECT_TRUE(box("picPlayerHand")->isVisible());
    EXPECT_TRUE(box("picReject")->isVisible());
    EXPECT_FALSE(w->pokerLabel(0)->isVisible());
    EXPECT_FALSE(w->winningsLabel()->isVisible());
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(box(QStringLiteral("picPoker%1").arg(i))->isVisible()) << i;
    EXPECT_TRUE(act("mnuSortRank")->isEnabled());
    EXPECT_EQ(rs().stock.size(), 52u - 18u);
    EXPECT_EQ(ps().winnings, -5) << "the winnings outlive the switch";
}

TEST_F(MenuTest, ChosenBackgroundIsStoredForTheGameOnTheTable)
{
    start();
    const auto entries = w->backgroundEntries();
    auto entryNamed = [&](const QString& name) -> QAction* {
        for (QAction* a : entries)
            if (a->text() == name)
                return a;
        ADD_FAILURE() << name.toStdString();
        return entries[0];
    };
    const std::string pkBefore = w->prefs.prfPKBackground;
    entryNamed("winter.jpg")->trigger();
    EXPECT_EQ(w->prefs.prfTolvaBackground, "winter.jpg");
    EXPECT_EQ(w->prefs.prfPKBackground, pkBefore);
    EXPECT_TRUE(box("picPlayerHand")->isVisible()) << "the table is laid again";
    EXPECT_TRUE(box("picReject")->isVisible());

    act("mnuPoker")->trigger();
    entryNamed("felt.jpg")->trigger();
    EXPECT_EQ(w->prefs.prfPKBackground, "felt.jpg");
    EXPECT_EQ(w->prefs.prfTolvaBackground, "winter.jpg");
    EXPECT_TRUE(ps().holdPhase) << "a new hand is dealt on the new table";

    // A picture deleted since the menu was filled: the name is stored all the same.
    entries[0]->setText("gone.jpg");
    entries[0]->trigger();
    EXPECT_EQ(w->prefs.prfPKBackground, "gone.jpg");
    act("mnuPlayRummy")->trigger();
    entries[0]->trigger();
    EXPECT_EQ(w->prefs.prfTolvaBackground, "gone.jpg");
    EXPECT_TRUE(box("picPlayerHand")->isVisible());
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace dm::testing
