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
        if (x < c.left || x >= c.left + w->cWidth)
            EXPECT_EQ(raised.pixel(x, top / 2), bg.pixel(x, top / 2)) << "x " << x;

    leaveHand();
    EXPECT_EQ(strip(hand->image, top), bg) << "leaving the hand lowers it";
}

TEST_F(DrawingTest, NewBackgroundMidTurnKeepsTheDrawnCard)
{
    start();
    drawFromStock();
    const int drawn = rs().playerHand[9].number;
    background("dusk.jpg")->trigger();
    ASSERT_EQ(w->prefs.prfTolvaBackground, "dusk.jpg");
    EXPECT_TRUE(rs().mustDiscard);
    EXPECT_EQ(rs().playerHand[9].number, drawn);
    EXPECT_TRUE(box("picPlayerDraw")->isVisible());
    EXPECT_NE(visibleStock(), nullptr);
    EXPECT_EQ(pixels(box("picPlayerDraw")->backSlice), pixels(surface()->board().copy(box("picPlayerDraw")->geometry())))
        << "the slice is taken from the new picture";
    clickBox(box("picPlayerDraw"));
    EXPECT_FALSE(rs().mustDiscard);
}

// Ctrl+V during the computer's turn stops it and deals video poker; Ctrl+R deals rummy
// afresh, and the winnings outlive the switch.
TEST_F(DrawingTest, SwitchingGamesByKeyDuringTheComputersTurnStopsIt)
{
    start();
    drawFromStock();
    QTimer::singleShot(0, w.get(), [&] { QTest::keyClick(w.get(), Qt::Key_V, Qt::ControlModifier); });
    clickCard(0);
    EXPECT_TRUE(w->prefs.isPoker);
    EXPECT_FALSE(rs().eval.computerTurn);
    EXPECT_TRUE(ps().holdPhase);
    EXPECT_TRUE(w->winningsLabel()->isVisible() && box("picPoker4")->isVisible());
    EXPECT_EQ(w->winningsLabel()->text(), "-5");
    EXPECT_FALSE(box("picPlayerHand")->isVisible() || box("picComputerDraw")->isVisible());
    EXPECT_FALSE(act("mnuSortRank")->isEnabled());
    EXPECT_TRUE(messages.empty()) << messageTexts();

    QTest::keyClick(w.get(), Qt::Key_R, Qt::ControlModifier);
    EXPECT_FALSE(w->prefs.isPoker || w->winningsLabel()->isVisible() || box("picPoker4")->isVisible());
    EXPECT_TRUE(box("picPlayerHand")->isVisible() && act("mnuSortRank")->isEnabled());
    EXPECT_EQ(rs().stock.size(), 52u - 18u);
    EXPECT_TRUE(rs().discardEmpty());
    EXPECT_EQ(ps().winnings, -5);
}

TEST_F(DrawingTest, RummyIsRefusedWhilePokerDraws)
{
    store.values["prfShowPokerPlay"] = "True";
    start();
    act("mnuPoker")->trigger();
    bool refused = false;
    QTimer::singleShot(0, w.get(), [&] {
        act("mnuPlayRummy")->trigger();
        refused = w->prefs.isPoker;
    });
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_TRUE(refused);
    EXPECT_TRUE(w->prefs.isPoker && !ps().pokerBusy);
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
    // Beside the title, a title bar holds the icon and the buttons.
    EXPECT_GE(width, titleWidth + 100);
    EXPECT_TRUE(rs().mustDiscard) << "No plays on";
}

}  // namespace
}  // namespace dm::testing
