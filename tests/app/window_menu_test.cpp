// The main window's menus as a user meets them: the background entries of each game, the
// right-click start item.
#include "app_fixture.h"

namespace dm::testing {
namespace {

using MenuTest = AppWindowTest;

TEST_F(MenuTest, BackgroundsAreOfferedAndStoredPerGame)
{
    start();
    const QStringList files = QDir(QStringLiteral(DUNMERE_BIN_DIR "/pics")).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const bool poker : {false, true}) {
        act(poker ? "mnuPoker" : "mnuPlayRummy")->trigger();
        for (int i = 0; i < 21; ++i)
            EXPECT_EQ(w->backgroundEntries()[i]->isVisible(), i < files.size() && (poker || !files[i].startsWith("vpoker"))) << i;
        if (!poker)
            drawFromStock();  // a card waits in the draw spot while the table changes
        background(poker ? "felt.jpg" : "winter.jpg")->trigger();
        EXPECT_TRUE(poker || box("picPlayerDraw")->isVisible()) << "the drawn card is still there to discard";
    }
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
    QTest::mouseMove(table, QPoint(table->width() - 30, 50));
    EXPECT_FALSE(act("mnuStart")->isVisible()) << "the top strip hides it";

    QTest::mouseClick(table, Qt::RightButton, {}, low), w->actionMenu()->hide();
    drawFromStock();
    ASSERT_TRUE(rs().mustDiscard);
    EXPECT_FALSE(act("mnuStart")->isVisible()) << "a table action hides it";
    act("mnuStart")->trigger();
    EXPECT_TRUE(!rs().mustDiscard && rs().stock.size() == 52u - 18u) << "a new deal";
}

}  // namespace
}  // namespace dm::testing
