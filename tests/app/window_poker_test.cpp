// Video poker on the window: holds by key and by mouse, the draw by key and by the
// deal pile, and what the table shows meanwhile.
#include <QLabel>

#include "app_fixture.h"

namespace dm::testing {
namespace {

class PokerWindowTest : public AppWindowTest {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        // The adviser lights the best play instead of refusing a wrong hold, so any
        // hold the test makes is drawn.
        store.values["prfShowPokerPlay"] = "True";
        withData = withPictures();
        start();
        act("mnuPoker")->trigger();
        ASSERT_TRUE(ps().holdPhase);
    }
    virtual bool withPictures() const { return true; }
    QWidget* marker(int i) const { return w->findChild<QWidget*>(QStringLiteral("Shape1_%1").arg(i)); }
    PictureBox* card(int i) const { return box(QStringLiteral("picPoker%1").arg(i)); }
};

TEST_F(PokerWindowTest, NumberKeysToggleHoldsAndSpaceDraws)
{
    QTest::keyClick(w.get(), Qt::Key_1);
    QTest::keyClick(w.get(), Qt::Key_3);
    QTest::keyClick(w.get(), Qt::Key_5);
    QTest::keyClick(w.get(), Qt::Key_3);
    EXPECT_EQ(ps().held, (std::array<bool, 5>{true, false, false, false, true}));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(marker(i)->isVisible(), ps().held[i]) << i;
    shot("poker.png");

    const auto dealt = ps().pokerHand;
    const auto deck = ps().pokerDeck;
    const int16_t before = ps().winnings;
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_FALSE(ps().holdPhase);
    EXPECT_FALSE(ps().pokerBusy);
    for (int i = 0; i < 5; ++i) {
        const int want = ps().held[i] ? dealt[i].number : deck[5 + i];
        EXPECT_EQ(ps().pokerHand[i].number, want) << i;
        EXPECT_TRUE(card(i)->isVisible()) << i;
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
    EXPECT_EQ(w->winningsLabel()->text(), QString::number(ps().winnings));
    EXPECT_TRUE(messages.empty());
}

TEST_F(PokerWindowTest, MouseTogglesHoldsAndTheDealPileDraws)
{
    QTest::mouseClick(card(2), Qt::LeftButton);
    EXPECT_TRUE(ps().held[2]);
    EXPECT_TRUE(marker(2)->isVisible());
    // A quick second press arrives as a double-click and still toggles once.
    QTest::mouseDClick(card(2), Qt::LeftButton);
    EXPECT_FALSE(ps().held[2]);
    QTest::mouseClick(card(4), Qt::LeftButton);
    EXPECT_TRUE(ps().held[4]);

    const int kept = ps().pokerHand[4].number;
    drawFromStock();
    EXPECT_FALSE(ps().holdPhase);
    EXPECT_EQ(ps().pokerHand[4].number, kept);
    EXPECT_EQ(ps().pokerHand[2].number, ps().pokerDeck[7]);

    // Rummy from here and back: the hand is dealt afresh.
    act("mnuPlayRummy")->trigger();
    act("mnuPoker")->trigger();
    EXPECT_TRUE(ps().holdPhase);
    EXPECT_EQ(ps().held, (std::array<bool, 5>{}));
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(marker(i)->isVisible()) << i;
}

// Without pictures the table has its narrowest size.
class BarePokerWindowTest : public PokerWindowTest {
protected:
    bool withPictures() const override { return false; }
};

void expectPayTableClear(frmMain& w)
{
    auto card = [&](int i) { return w.box(QStringLiteral("picPoker%1").arg(i)); };
    QRect previous;
    QWidget* table = w.centralWidget();
    for (int i = 0; i < 21; ++i) {
        QLabel* l = w.pokerLabel(i);
        const QRect r(l->mapTo(table, QPoint(0, 0)), l->size());
        EXPECT_TRUE(table->rect().contains(r)) << i;
        EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString() << " is cut off";
        if (i > 0)
            EXPECT_LE(previous.bottom(), r.top()) << i;
        previous = r;
        for (int c = 0; c < 5; ++c)
            EXPECT_FALSE(r.intersects(card(c)->geometry())) << "label " << i << " over card " << c;
    }
    QWidget* counters = w.winningsLabel()->parentWidget();
    const QRect cr(counters->mapTo(table, QPoint(0, 0)), counters->size());
    for (int c = 0; c < 5; ++c) {
        EXPECT_FALSE(cr.intersects(card(c)->geometry())) << c;
        EXPECT_TRUE(table->rect().contains(card(c)->geometry())) << c;
    }
    for (int i = 0; i < 21; ++i) {
        QLabel* l = w.pokerLabel(i);
        const QRect r(l->mapTo(table, QPoint(0, 0)), l->size());
        EXPECT_FALSE(cr.intersects(r)) << "counters over label " << i;
    }
}

TEST_F(PokerWindowTest, PayTableLabelsAndCountersDoNotOverlap) { expectPayTableClear(*w); }

TEST_F(BarePokerWindowTest, PayTableFitsBesideTheCardsOnTheNarrowestTable)
{
    expectPayTableClear(*w);
    EXPECT_GE(w->centralWidget()->width(), 640);
}

}  // namespace
}  // namespace dm::testing
