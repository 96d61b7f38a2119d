// The main window's start and end: loading from an empty or a bare program folder,
// the size fitted to the picture, and the unload that stores preferences and scores.
#include <QFileInfo>
#include <QTimer>

#include "app_fixture.h"
#include "table/layout.h"

namespace dm::testing {
namespace {

using LifecycleTest = AppWindowTest;

QString statsPath(const QTemporaryDir& d) { return d.path() + "/stats.dat"; }

TEST_F(LifecycleTest, ExitStoresPreferencesAndWritesTheScoreFile)
{
    topScoreName = "Tester";
    start();
    ASSERT_TRUE(w->isVisible());
    w->prefs.prfTolvaBackground = "winter.jpg";
    w->prefs.prfPlayerBank = 150;  // above every default rummy score
    w->prefs.prfComputerBank = 50;
    store.writes.clear();

    act("mnuExit")->trigger();
    EXPECT_TRUE(w->unloaded());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(store.values["prfTolvaBackground"], "winter.jpg");
    EXPECT_EQ(store.values["isPoker"], "False");
    EXPECT_EQ(store.values["prfSound"], "False");
    EXPECT_GE(store.writes.size(), 20u) << "every preference is written";

    const QFileInfo stats(statsPath(dir));
    ASSERT_TRUE(stats.exists());
    EXPECT_EQ(stats.size(), 198);
    EXPECT_FALSE(QFileInfo::exists(QStringLiteral(DUNMERE_BIN_DIR "/stats.dat.tmp")));
    // The bank tops the rummy table under the given name.
    QFile f(statsPath(dir));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("Tester"));
    EXPECT_FALSE(prompts.empty());
    for (const auto& m : messages)
        ADD_FAILURE() << m.text.toStdString();

    // Waits after the end return at once and say "stop".
    EXPECT_FALSE(w->wait(10));
}

TEST_F(LifecycleTest, ClosingDuringTheComputersTurnStopsItCleanly)
{
    start();
    drawFromStock();
    ASSERT_TRUE(rs().mustDiscard);
    bool sawWait = false;
    // The close arrives while the discard's glide or the computer waits.
    QTimer::singleShot(0, w.get(), [&] {
        sawWait = true;
        w->close();
    });
    clickCard(4);
    EXPECT_TRUE(sawWait);
    EXPECT_TRUE(w->unloaded());
    EXPECT_FALSE(w->wait(0));
    EXPECT_TRUE(QFileInfo::exists(statsPath(dir)));
    EXPECT_EQ(QFileInfo(statsPath(dir)).size(), 198);
    EXPECT_FALSE(store.values.empty());
    for (const auto& m : messages)
        ADD_FAILURE() << m.text.toStdString();
}

TEST_F(LifecycleTest, AWaitRunningAtTheCloseReturnsFalse)
{
    start();
    QTimer::singleShot(0, w.get(), [&] { w->close(); });
    EXPECT_FALSE(w->wait(5000));
    EXPECT_TRUE(w->unloaded());
}

TEST_F(LifecycleTest, WindowKeepsItsPictureFittedSize)
{
    start();
    const QSize pic = QImage(binPics() + "/" + QString::fromStdString(w->prefs.prfTolvaBackground)).size();
    ASSERT_FALSE(pic.isEmpty());
    const QSize table = fittedWindowSize(pic, false);
    const int menu = w->menuBar()->height();
    EXPECT_EQ(w->centralWidget()->size(), table);
    EXPECT_LE(w->width(), table.width());
    EXPECT_LE(w->height(), table.height() + menu);

    w->resize(table.width() + 300, table.height() + 300);
    QCoreApplication::processEvents();
    EXPECT_LE(w->width(), table.width());
    EXPECT_LE(w->height(), table.height() + menu);

    w->showMaximized();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_FALSE(w->isMaximized());
    EXPECT_LE(w->width(), table.width());
    EXPECT_LE(w->height(), table.height() + menu);

    // Every card box lies on the table.
    act("mnuPoker")->trigger();
    for (QWidget* b : w->centralWidget()->findChildren<PictureBox*>())
        if (b->isVisible())
            EXPECT_TRUE(w->centralWidget()->rect().contains(b->geometry())) << b->objectName().toStdString();
    act("mnuPlayRummy")->trigger();
    for (QWidget* b : w->centralWidget()->findChildren<PictureBox*>())
        if (b->isVisible())
            EXPECT_TRUE(w->centralWidget()->rect().contains(b->geometry())) << b->objectName().toStdString();
    EXPECT_LE(w->height(), table.height() + menu);
}

TEST_F(LifecycleTest, AnEmptyProgramFolderStillPlaysAHand)
{
    withData = false;
    store.values.erase("prfSound");  // sounds on, but there are none to play
    store.values["prfShowPokerPlay"] = "True";  // any hold is drawn
    start();
    ASSERT_TRUE(w->isVisible());
    EXPECT_FALSE(w->prefs.isPoker);
    EXPECT_TRUE(box("picPlayerHand")->isVisible());
    EXPECT_GE(w->centralWidget()->width(), 500);
    EXPECT_GE(w->centralWidget()->height(), 400);

    drawFromStock();
    ASSERT_TRUE(rs().mustDiscard);
    clickCard(0);
    EXPECT_FALSE(rs().mustDiscard);
    EXPECT_FALSE(rs().eval.computerTurn);
    EXPECT_FALSE(rs().discardEmpty());

    act("mnuPoker")->trigger();
    EXPECT_TRUE(ps().holdPhase);
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_FALSE(ps().holdPhase);
    for (const auto& m : messages)
        ADD_FAILURE() << m.text.toStdString();

    act("mnuExit")->trigger();
    EXPECT_EQ(QFileInfo(statsPath(dir)).size(), 198);
}

TEST_F(LifecycleTest, AFirstStartWithNothingStoredDealsRummyAndMeasuresTheSpeed)
{
    store.values.clear();
    // Sounds stay off: a sound still loading when its player is destroyed can hang the
    // test's teardown inside the audio backend.
    store.values["prfSound"] = "False";
    start();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->prefs.isPoker);
    EXPECT_EQ(rs().stock.size(), 52u - 18u);
    EXPECT_TRUE(box("picPlayerHand")->isVisible());
    EXPECT_GE(w->prefs.prfAnimationDelay, 0);
    drawFromStock();
    clickCard(1);
    EXPECT_FALSE(rs().mustDiscard);
    for (const auto& m : messages)
        ADD_FAILURE() << m.text.toStdString();
}

TEST_F(LifecycleTest, ARunLeftInVideoPokerStartsInVideoPoker)
{
    store.values["isPoker"] = "True";
    start();
    EXPECT_TRUE(w->prefs.isPoker);
    EXPECT_TRUE(ps().holdPhase);
    EXPECT_FALSE(box("picPlayerHand")->isVisible());
    act("mnuExit")->trigger();
    EXPECT_EQ(store.values["isPoker"], "True");
}

}  // namespace
}  // namespace dm::testing
