// The main window's start and end: loading from an empty or a bare program folder,
// the size fitted to the picture, and the unload that stores preferences and scores.
#include <QFileInfo>
#include <QTimer>

#include "app_fixture.h"

namespace dm::testing {
namespace {

using LifecycleTest = AppWindowTest;

// The close arrives while the discard glides or the computer waits: the turn stops, the
// wait says stop, and the scores and settings are written all the same.
TEST_F(LifecycleTest, ClosingDuringTheComputersTurnStopsItCleanly)
{
    start();
    drawFromStock();
    ASSERT_TRUE(rs().mustDiscard);
    bool sawWait = false;
    QTimer::singleShot(0, w.get(), [&] {
        sawWait = true;
        w->close();
    });
    clickCard(4);
    EXPECT_TRUE(sawWait);
    EXPECT_TRUE(w->unloaded());
    EXPECT_FALSE(w->wait(5000));
    EXPECT_EQ(QFileInfo(dir.path() + "/stats.dat").size(), 198);
    EXPECT_FALSE(store.values.empty());
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

TEST_F(LifecycleTest, WindowKeepsItsSizeAndEveryCardBoxLiesOnTheTable)
{
    store.values["isPoker"] = "True";  // sized before it is first shown
    start();
    const QSize fitted = w->size();
    EXPECT_EQ(w->centralWidget()->geometry().bottom(), w->height() - 1) << "the table reaches the bottom";
    w->resize(fitted + QSize(300, 300));
    QCoreApplication::processEvents();
    EXPECT_EQ(w->size(), fitted) << "resize";
    w->showMaximized();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    EXPECT_FALSE(w->isMaximized());
    EXPECT_EQ(w->size(), fitted) << "maximize";
    for (const char* game : {"mnuPlayRummy", "mnuPoker"}) {
        act(game)->trigger();
        for (QWidget* b : w->centralWidget()->findChildren<PictureBox*>())
            if (b->isVisible())
                EXPECT_TRUE(w->centralWidget()->rect().contains(b->geometry())) << game << b->objectName().toStdString();
    }
    EXPECT_EQ(w->size(), fitted) << "switching games";
}

TEST_F(LifecycleTest, AFirstStartFromAnEmptyFolderStillPlaysBothGames)
{
    withData = false;
    store.values.clear();  // sounds on, but there are none to play; the speed is measured
    store.values["prfShowPokerPlay"] = "True";  // any hold is drawn
    start();
    ASSERT_TRUE(w->isVisible());
    EXPECT_FALSE(w->prefs.isPoker);
    EXPECT_GE(w->prefs.prfAnimationDelay, 0);
    EXPECT_GE(w->centralWidget()->width(), 500);
    EXPECT_GE(w->centralWidget()->height(), 400);
    const auto entries = w->backgroundEntries();
    EXPECT_EQ(entries[0]->text(), "empty");
    for (int i = 0; i < 21; ++i)
        EXPECT_EQ(entries[i]->isVisible(), i == 0) << i;

    drawFromStock();
    clickCard(0);
    EXPECT_FALSE(rs().mustDiscard);
    EXPECT_FALSE(rs().discardEmpty());
    act("mnuPoker")->trigger();
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_FALSE(ps().holdPhase);
    act("mnuExit")->trigger();
    EXPECT_EQ(QFileInfo(dir.path() + "/stats.dat").size(), 198);
    EXPECT_EQ(store.values["isPoker"], "True");
    EXPECT_TRUE(messages.empty()) << messageTexts();
}

}  // namespace
}  // namespace dm::testing
