// What the table's pictures show as the hand goes on: the raised card, the computer's
// hand, and commands that arrive while a step still runs.
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app_fixture.h"

namespace dm::testing {
namespace {

using DrawingTest = AppWindowTest;

QImage pixels(const QPixmap& pm) { return pm.toImage().convertToFormat(QImage::Format_ARGB32); }
QImage strip(const QPixmap& pm, int height) { return pixels(pm).copy(0, 0, pm.width(), height); }

TEST_F(DrawingTest, OnlyTheCardUnderThePointerStandsRaised)
{
    start();
    auto* hand = box("picPlayerHand");
    const int top = rs().geo.playerHandTop;
    drawFromStock();
    leaveHand();
    const QImage bg = strip(hand->backSlice, top);
    EXPECT_EQ(strip(hand->image, top), bg) << "no card raised";

    hoverCard(4);
    const QImage raised = strip(hand->image, top);
    EXPECT_NE(raised, bg);
    const auto& c = rs().playerHand[4];
    for (int x = 0; x < raised.width(); x += 3)
        EXPECT_TRUE((x >= c.left && x < c.left + w->cWidth) || raised.pixel(x, top / 2) == bg.pixel(x, top / 2)) << x;

    leaveHand();
    EXPECT_EQ(strip(hand->image, top), bg) << "leaving the hand lowers it";
}

// Ctrl+V in the computer's turn stops it and deals poker; Ctrl+R deals rummy; the winnings stay.
TEST_F(DrawingTest, SwitchingGamesByKeyDuringTheComputersTurnStopsIt)
{
    start();
    drawFromStock();
    QTimer::singleShot(0, w.get(), [&] { QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier); });
    clickCard(0);
    EXPECT_TRUE(w->prefs.isPoker && ps().holdPhase && !rs().eval.computerTurn);
    EXPECT_TRUE(box("picPoker4")->isVisible() && !box("picPlayerHand")->isVisible());
    EXPECT_EQ(w->winningsLabel()->text(), "-5");

    QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(w->prefs.isPoker || box("picPoker4")->isVisible());
    EXPECT_TRUE(box("picPlayerHand")->isVisible() && rs().discardEmpty());
    EXPECT_EQ(ps().winnings, -5);
}

TEST_F(DrawingTest, RummyIsRefusedWhilePokerDraws)
{
    store.values["prfShowPokerPlay"] = "True";
    start();
    act("mnuPoker")->trigger();
    bool refused = false;
    QTimer::singleShot(0, w.get(), [&] { act("mnuPlayRummy")->trigger(), refused = w->prefs.isPoker; });
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_TRUE(refused && w->prefs.isPoker && !ps().pokerBusy);
}

TEST_F(DrawingTest, ComputersHandShowsFaceUpOnlyWhenAskedOrPeekedAt)
{
    start();
    auto* hand = box("picComputerHand");
    const QImage backs = pixels(hand->image);
    act("mnuPeek")->trigger();  // a look of a moment, then covered again
    EXPECT_EQ(pixels(hand->image), backs);

    act("mnuShowComputerHand")->trigger();
    EXPECT_NE(pixels(hand->image), backs);
    EXPECT_FALSE(act("mnuPeek")->isEnabled()) << "nothing to peek at";
    drawFromStock();
    clickCard(0);
    QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_NE(pixels(hand->image), backs) << "turns and new games keep the shown hand face up";
    EXPECT_TRUE(act("mnuPeek")->isEnabled()) << "each new game offers a peek";
    act("mnuShowComputerHand")->trigger();
    EXPECT_EQ(pixels(hand->image), backs);
}

// The tie question's title is the question itself, so its box must show it whole.
TEST_F(DrawingTest, TheTiePromptIsWideEnoughForItsTitle)
{
    ctx.dialogs.askYesNo = nullptr;  // the program's own box, answered below
    start();
    rs().stock.resize(1);
    QString title;
    int width = 0, titleWidth = 0;
    QTimer answer;  // the draw runs event loops of its own before the question comes
    answer.start(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        answer.stop();
        title = box->windowTitle();
        width = box->width();
        titleWidth = box->fontMetrics().horizontalAdvance(title);
        box->button(QMessageBox::No)->click();
    });
    drawFromStock();
    EXPECT_EQ(title, "Start a new game...?");
    EXPECT_GE(width, titleWidth + 100);  // beside the title, the icon and the buttons
    EXPECT_TRUE(rs().mustDiscard) << "No plays on";
}

}  // namespace
}  // namespace dm::testing
