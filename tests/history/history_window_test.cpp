// The table records its hands, and "Statistics..." shows them in its own window.
#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "app/app_fixture.h"
#include "history_support.h"
#include "history/sql_history.h"

namespace dm::testing {
namespace {

class HistoryWindowTest : public AppWindowTest {
protected:
    void SetUp() override
    {
        AppWindowTest::SetUp();
        ctx.dialogs.askYesNo = [this](const QString& text, const QString&) { return asked << text, answer; };
        store.values["prfShowPokerPlay"] = "True";  // the adviser lights the best play: any hold is drawn
        ASSERT_TRUE(QFile::link(DUNMERE_BIN_DIR "/dunmere-stats.so", dir.filePath("dunmere-stats.so")));
        start();
    }
    QStringList asked;
    bool answer = false;
    SqlHandHistory& history() const { return dynamic_cast<SqlHandHistory&>(*w->history()); }
};

TEST_F(HistoryWindowTest, TheTablesHandsAreRecordedAndShownInTheStatisticsWindow)
{
    act("mnuPoker")->trigger();
    ASSERT_TRUE(ps().holdPhase);
    const auto dealt = ps().pokerHand;
    QTest::keyClick(w.get(), Qt::Key_1);
    QTest::keyClick(w.get(), Qt::Key_3);
    QTest::keyClick(w.get(), Qt::Key_Space);
    ASSERT_FALSE(ps().holdPhase);

    RummyHandResult result;
    result.outcome = RummyHandResult::Outcome::UserWon;
    result.stake = 10, result.userBank = 110, result.computerBank = 90, result.turns = 7;
    result.opponent = Opponent::Expert;
    w->handOver(result);  // the trainer closed: no figures
    history().flush();

    test::Peek peek(dir.filePath("history.sqlite"));
    QStringList cards;
    for (const auto& c : dealt)
        cards << QString::number(c.number);
    EXPECT_EQ(peek.value("SELECT dealt FROM poker_hands").toString(), cards.join(' '));
    EXPECT_EQ(peek.value("SELECT hold FROM poker_hands").toInt(), 0b101);
    EXPECT_EQ(peek.value("SELECT pay FROM poker_hands").toInt(), ps().prizeOwed);
    EXPECT_EQ(peek.value("SELECT winner || ' ' || opponent || ' ' || turns || ' ' || trainer_open || ' ' || "
                         "ifnull(chance_given_up, '-') FROM rummy_hands")
                  .toString(),
              "0 1 7 0 -");

    act("mnuStatistics")->trigger();
    QWidget* stats = w->statisticsWindow();
    ASSERT_TRUE(stats && stats->isVisible());
    EXPECT_EQ(stats->windowTitle(), "Statistics");
    EXPECT_FALSE(stats->isModal());
    auto* tabs = stats->findChild<QTabWidget*>();
    ASSERT_EQ(tabs->count(), 2);
    auto* hands = stats->findChild<QLabel*>("hands");
    ASSERT_TRUE(QTest::qWaitFor([&] { return hands->text() == "1"; }, 10000)) << hands->text().toStdString();
    for (auto* period : stats->findChildren<QComboBox*>("period")) {
        EXPECT_EQ(period->accessibleName(), "Period");
        EXPECT_EQ(period->count(), 4);
    }
    for (auto* chart : stats->findChildren<QGraphicsView*>())
        EXPECT_FALSE(chart->accessibleName().isEmpty());

    // "Reset..." asks first; a "no" keeps the hands, a "yes" clears that game only.
    tabs->setCurrentIndex(1);
    auto* reset = stats->findChild<QPushButton*>("reset");
    reset->click();
    answer = true;
    reset->click();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[0].contains("video poker"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return hands->text() == "0"; }, 10000));
    EXPECT_EQ(peek.value("SELECT COUNT(*) FROM rummy_hands").toInt(), 1);

    // Closing the table takes the window with it: nothing is left to ask a closed history.
    QPointer<QWidget> open(stats);
    w->close();
    EXPECT_TRUE(open.isNull());
}

}  // namespace
}  // namespace dm::testing
