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
        // The adviser lights the best play instead of refusing a wrong hold, so any
        // hold the test makes is drawn.
        store.values["prfShowPokerPlay"] = "True";
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
    EXPECT_EQ(ps().held, (std::array<bool, 5>{true, false, false, false, true}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(marker(i)->isVisible(), ps().held[i]) << i;

    const auto dealt = ps().pokerHand;
    const auto deck = ps().pokerDeck;
    const int16_t before = ps().winnings;
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_FALSE(ps().holdPhase);
    EXPECT_FALSE(ps().pokerBusy);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ps().pokerHand[i].number, ps().held[i] ? dealt[i].number : deck[5 + i]) << i;
        EXPECT_FALSE(marker(i)->isVisible()) << i;
    }
    EXPECT_GE(ps().winnings, before);
    EXPECT_EQ(w->winningsLabel()->text(), QString::number(ps().winnings));

    // After the draw the keys change no hold; the next Space deals again.
    QTest::keyClick(w.get(), Qt::Key_2);
    EXPECT_FALSE(ps().held[1]);
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_TRUE(ps().holdPhase);
    EXPECT_EQ(ps().held, (std::array<bool, 5>{}));

    // By mouse: a quick second press arrives as a double-click and still toggles once.
    QTest::mouseClick(card(2), Qt::LeftButton);
    QTest::mouseDClick(card(2), Qt::LeftButton);
    QTest::mouseClick(card(4), Qt::LeftButton);
    EXPECT_EQ(ps().held, (std::array<bool, 5>{false, false, false, false, true}));
    const int kept = ps().pokerHand[4].number;
    drawFromStock();
    EXPECT_FALSE(ps().holdPhase);
    EXPECT_EQ(ps().pokerHand[4].number, kept);
    EXPECT_EQ(ps().pokerHand[2].number, ps().pokerDeck[7]);
    EXPECT_TRUE(messages.empty());
}

// Every pay-table row whole, in order and clear of the cards; the counters whole at any
// 16-bit value and clear of both.
TEST_P(PokerWindowTest, PayTableAndCountersStayWholeAndClearOfTheCards)
{
    const struct {
        const char* name;
        int16_t winnings, hands, timer;
    } rows[] = {
        {"lowest of all", INT16_MIN, INT16_MAX, INT16_MIN},
        {"highest of all", INT16_MAX, INT16_MAX, INT16_MAX},
        {"a small loss beside the timer's start", -10, 3, 100},
        {"four-character winnings", 1000, 9999, 100},
    };
    const QRect table = w->centralWidget()->rect();
    QWidget* panel = w->winningsLabel()->parentWidget();
    const auto labels = panel->findChildren<QLabel*>();
    EXPECT_GE(table.width(), 640);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ps().winnings = row.winnings;
        ps().hands = row.hands;
        ps().timer = row.timer;
        w->showCounters();
        QCoreApplication::processEvents();
        const QRect counters = onTable(panel);
        EXPECT_TRUE(table.contains(counters));
        for (QLabel* l : labels) {
            const std::string text = l->text().toStdString();
            EXPECT_TRUE(panel->rect().contains(l->geometry())) << text << " runs out of its panel";
            EXPECT_GE(l->contentsRect().width(), l->fontMetrics().horizontalAdvance(l->text())) << text << " is cut";
            for (QLabel* other : labels)
                EXPECT_TRUE(other == l || !other->geometry().intersects(l->geometry()))
                    << text << " overlaps " << other->text().toStdString();
        }
        QRect previous;
        for (int i = 0; i < 21; ++i) {
            QLabel* l = w->pokerLabel(i);
            const QRect r = onTable(l);
            EXPECT_TRUE(table.contains(r)) << i;
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString() << " is cut off";
            EXPECT_TRUE(i == 0 || previous.bottom() <= r.top()) << i;
            EXPECT_FALSE(counters.intersects(r)) << "counters over label " << i;
            for (int c = 0; c < 5; ++c)
                EXPECT_FALSE(r.intersects(card(c)->geometry())) << "label " << i << " over card " << c;
            previous = r;
        }
        for (int c = 0; c < 5; ++c)
            EXPECT_TRUE(table.contains(card(c)->geometry()) && !counters.intersects(card(c)->geometry())) << c;
    }
}

// A prize still counting when the window closes is the user's, whole: closed in the
// draw's glides, and at two points of a royal's count-up.
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
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutPictures, PokerWindowTest, ::testing::Bool());

}  // namespace
}  // namespace dm::testing
