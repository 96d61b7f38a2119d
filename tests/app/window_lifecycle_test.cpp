// The main window's start and end: loading from an empty program folder, the size fitted
// to the picture, and the unload that stores preferences and scores.
#include <QFileInfo>

#include "app_fixture.h"

namespace dm::testing {
namespace {

using LifecycleTest = AppWindowTest;

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
    QCoreApplication::processEvents(), QCoreApplication::processEvents(), QCoreApplication::processEvents();
    EXPECT_EQ(w->size(), fitted) << "maximize";
    for (const char* game : {"mnuPlayRummy", "mnuPoker"}) {
        act(game)->trigger();
        for (QWidget* b : w->centralWidget()->findChildren<PictureBox*>())
            EXPECT_TRUE(!b->isVisible() || w->centralWidget()->rect().contains(b->geometry())) << game << b->objectName().toStdString();
    }
    EXPECT_EQ(w->size(), fitted) << "switching games";
}

TEST_F(LifecycleTest, AFirstStartFromAnEmptyFolderSaysWhereItLookedAndStillPlaysBothGames)
{
    withData = false;
    store.values.clear();  // sounds on, but there are none to play; the speed is measured
    store.values["prfShowPokerPlay"] = "True";  // any hold is drawn
    start();
    ASSERT_TRUE(w->isVisible());
    EXPECT_TRUE(w->prefs.prfAnimationDelay >= 0 && w->centralWidget()->width() >= 500);
    EXPECT_EQ(w->backgroundEntries()[0]->text(), "empty");

    drawFromStock();
    clickCard(0);
    EXPECT_FALSE(rs().mustDiscard || rs().discardEmpty());
    act("mnuPoker")->trigger();
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_FALSE(ps().holdPhase) << "drawn";
    act("mnuExit")->trigger();
    EXPECT_EQ(QFileInfo(dir.path() + "/stats.dat").size(), 198);
    EXPECT_EQ(store.values["isPoker"], "True");
    // Said once, at the start, with the places a user can put the folders.
    ASSERT_EQ(messages.size(), 1u) << messageTexts();
    EXPECT_TRUE(messages[0].contains(programDir + "\n") &&
                messages[0].contains(QDir::cleanPath(programDir + "/../share/dunmere")))
        << messageTexts();
}

}  // namespace
}  // namespace dm::testing
