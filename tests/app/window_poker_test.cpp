// Video poker on the window: holds by key and by mouse, the draw by key and by the
// deal pile, a pay table that stays clear of the cards and counters that show any value.
#include <QLabel>
#include <QTimer>

#include "app_fixture.h"

namespace dm::testing {
namespace {

class PokerWindowTest : public AppWindowTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        store.values["prfShowPokerPlay"] = "True";  // the adviser lights the best play: any hold is drawn
        withData = GetParam();  // without pictures the table has its narrowest size
        start();
        act("mnuPoker")->trigger();
        ASSERT_TRUE(ps().holdPhase);
    }
    QWidget* marker(int i) const { return w->findChild<QWidget*>(QStringLiteral("Shape1_%1").arg(i)); }
    PictureBox* card(int i) const { return box(QStringLiteral("picPoker%1").arg(i)); }
    QRect onTable(QWidget* x) const { return QRect(x->mapTo(w->centralWidget(), QPoint(0, 0)), x->size()); }
};

TEST_P(PokerWindowTest, KeysAndTheMouseHoldAndDraw)
{
    for (auto key : {Qt::Key_1, Qt::Key_3, Qt::Key_5, Qt::Key_3})
        QTest::keyClick(w.get(), key);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(ps().held[i] == (i == 0 || i == 4) && marker(i)->isVisible() == ps().held[i]) << i;

    const auto dealt = ps().pokerHand;
    const auto deck = ps().pokerDeck;
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_FALSE(ps().holdPhase || ps().pokerBusy);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(ps().pokerHand[i].number == (ps().held[i] ? dealt[i].number : deck[5 + i]) && !marker(i)->isVisible()) << i;
    EXPECT_EQ(w->winningsLabel()->text(), QString::number(ps().winnings));

    // After the draw the keys change no hold; the next Space deals again.
    QTest::keyClick(w.get(), Qt::Key_2);
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_TRUE(ps().holdPhase && ps().held == (std::array<bool, 5>{}));

    // By mouse: a quick second press arrives as a double-click and still toggles once.
    QTest::mouseClick(card(2), Qt::LeftButton);
    QTest::mouseDClick(card(2), Qt::LeftButton);
    QTest::mouseClick(card(4), Qt::LeftButton);
    EXPECT_EQ(ps().held, (std::array<bool, 5>{false, false, false, false, true}));
    drawFromStock();
    EXPECT_FALSE(ps().holdPhase);
    EXPECT_EQ(ps().pokerHand[2].number, ps().pokerDeck[7]);
}

// The counters whole at any 16-bit value; they and the pay table clear of each other and
// of the cards.
TEST_P(PokerWindowTest, PayTableAndCountersStayWholeAndClearOfTheCards)
{
    const QRect table = w->centralWidget()->rect();
    QWidget* panel = w->winningsLabel()->parentWidget();
    for (const int16_t v : {int16_t(INT16_MIN), int16_t(INT16_MAX), int16_t(-10)}) {
        SCOPED_TRACE(v);
        ps().winnings = v, ps().hands = INT16_MAX, ps().timer = v;
        w->showCounters();
        QCoreApplication::processEvents();
        const QRect counters = onTable(panel);
        EXPECT_TRUE(table.contains(counters));
        for (QLabel* l : panel->findChildren<QLabel*>())
            EXPECT_TRUE(panel->rect().contains(l->geometry()) &&
                        l->contentsRect().width() >= l->fontMetrics().horizontalAdvance(l->text()))
                << l->text().toStdString() << " is cut";
        for (int i = 0; i < 21; ++i) {
            const QRect r = onTable(w->pokerLabel(i));
            EXPECT_TRUE(table.contains(r) && !counters.intersects(r)) << "pay table row " << i;
            EXPECT_GE(w->pokerLabel(i)->width(), w->pokerLabel(i)->sizeHint().width()) << i << " is cut";
            for (int c = 0; c < 5; ++c)
                EXPECT_FALSE(r.intersects(card(c)->geometry())) << "row " << i << " over card " << c;
        }
        for (int c = 0; c < 5; ++c)
            EXPECT_TRUE(table.contains(card(c)->geometry()) && !counters.intersects(card(c)->geometry())) << c;
    }
}

// A prize still counting when the window closes is the user's, whole, and the scores are
// written: closed in the draw's glides, and at two points of a royal's count-up.
TEST_P(PokerWindowTest, ClosingDuringTheDrawHandsOnTheWholePrize)
{
    for (int turns : {3, 60, 150}) {
        SCOPED_TRACE(turns);
        w.reset();
        resumeWaits();
        start();
        act("mnuPoker")->trigger();
        const int dealtAt = ps().winnings;
        for (int i = 0; i < 5; ++i)  // nothing is held, so the royal in hearts is drawn
            ps().pokerDeck[5 + i] = static_cast<int16_t>(cardNumber(i == 0 ? 1 : 9 + i, 2));
        ps().held.fill(false);
        std::function<void(int)> closeAfter = [&](int n) {
            QTimer::singleShot(0, w.get(), [&, n] { n > 0 ? closeAfter(n - 1) : (void)w->close(); });
        };
        closeAfter(turns);
        drawFromStock();
        ASSERT_TRUE(w->unloaded());
        EXPECT_EQ(w->prfvidPokMoney, dealtAt + 4000);
        EXPECT_FALSE(w->wait(5000)) << "a closed window's waits end at once";
        EXPECT_EQ(QFileInfo(programDir + "/stats.dat").size(), 198) << "the scores are written all the same";
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutPictures, PokerWindowTest, ::testing::Bool());

}  // namespace
}  // namespace dm::testing
