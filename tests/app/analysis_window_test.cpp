// The trainer's window on the table: F2 lists the holds best first and follows the user.
#include <QLabel>
#include <QTableWidget>

#include "app/hold_cards.h"
#include "app_fixture.h"
#include "poker/analysis.h"

namespace dm::testing {
namespace {

TEST_F(AppWindowTest, AnalyzeHandListsTheHoldsBestFirstAndFollowsTheTable)
{
    store.values["prfShowPokerPlay"] = "True";  // any hold draws
    start();
    act("mnuPoker")->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(ps().holdPhase);
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F2);

    auto* window = w->findChild<QWidget*>("frmAnalysis");
    ASSERT_TRUE(window && window->isVisible());
    auto* holds = window->findChild<QTableWidget*>("holds");
    ASSERT_EQ(holds->rowCount(), 32);
    const HoldValues values = holdValues(ps().pokerHand);
    auto holdAt = [&](int row) { return HoldCardsDelegate::holdOf(holds->model()->index(row, 0)); };
    EXPECT_EQ(holdAt(0), bestHold(values));
    for (int row = 1; row < 32; ++row)
        EXPECT_GE(values[holdAt(row - 1)], values[holdAt(row)]) << row;

    // A click on the table's third card: the window marks that hold as the user's.
    QTest::mouseClick(box("picPoker2"), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(holdAt(holds->currentRow()), 0b00100u);
    EXPECT_TRUE(holds->item(holds->currentRow(), 4)->text().contains("your hold"));

    // The draw counts on the session page.
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_EQ(window->findChild<QLabel*>("sessionFigure0")->text(), "1");
    QCoreApplication::processEvents();
    EXPECT_FALSE(act("mnuAnalyzeHand")->isEnabled());
}

}  // namespace
}  // namespace dm::testing
