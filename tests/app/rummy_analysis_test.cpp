// "Hand Analysis" in rummy: the working line, the choices best first with their cost, the
// pointed card, scoring and review, the hand in words, the opponent choice, the placement.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <atomic>
#include <thread>

#include "app/frmanalysis.h"
#include "app/hold_cards.h"
#include "app/rummy_trainer.h"
#include "app/rummy_words.h"
#include "app/window_place.h"
#include "app_fixture.h"

namespace dm::testing {
namespace {

using Kind = RummyMove::Kind;
// QTRY_* would return quietly from a GoogleTest body.
bool eventually(const std::function<bool()>& done) { return QTest::qWaitFor(done, 20000); }

constexpr int c(int rank, int suit) { return cardNumber(rank, suit); }  // suits: clubs, diamonds, hearts, spades

// Dealt A..9 of clubs; the user drew the K♠ and is to throw.
RummyPosition throwing()
{
    RummyPosition p;
    for (int i = 0; i < 9; ++i)
        p.userDeal[i] = c(i + 1, 0);
    p.moves = {{Kind::UserStock, c(13, 3)}};
    return p;
}

ChoiceChance chance(int card, double win) { return {{RummyChoice::Kind::Throw, card}, win, 1 - win - 0.1, 0.1, 0.02}; }

// The K♠ best, then the 9♣ 3 points down and the A♣ 10 points down; Standard throws the 9♣.
RummyHint threeChoices()
{
    RummyHint h;
    h.choices = {chance(c(13, 3), 0.50), chance(c(9, 0), 0.47), chance(c(1, 0), 0.40)};
    h.standard = {RummyChoice::Kind::Throw, c(9, 0)};
    h.deals = 1000;
    return h;
}

struct AnalysisWindow {
    PokerSession poker;
    RummySession rummy;
    frmAnalysis window{poker, rummy};
    std::atomic<bool> release{true};
    std::atomic<int> cancelled{0};

    AnalysisWindow()
    {
        // Waits for the test's word; a stale job is let go by its cancel flag.
        window.rummyTrainer().hintFunction = [this](const RummyPosition&, const HintOptions& o) {
            while (!release && !o.cancel->load())
                std::this_thread::yield();
            if (o.cancel->load())
                ++cancelled;
            return threeChoices();
        };
        window.showRummy(true);
        window.show();
    }
    QTableWidget* choices() const { return window.findChild<QTableWidget*>("rummyChoices"); }
    QString text(const char* name) const { return window.findChild<QLabel*>(name)->text(); }
    QString cell(int row, int column) const { return choices()->item(row, column)->text(); }
};

TEST(RummyAnalysis, WorkingLineThenTheChoicesBestFirstWithCostStandardAndThePointedCard)
{
    AnalysisWindow a;
    a.release = false;
    a.window.followRummy(throwing(), false, true);
    EXPECT_TRUE(a.text("rummyStatus").startsWith("Working"));
    EXPECT_EQ(a.choices()->rowCount(), 0);

    // A new position drops the stale job; closing the window drops the running one.
    RummyPosition other = throwing();
    other.moves.push_back({Kind::ComputerShown});
    a.window.followRummy(other, false);
    ASSERT_TRUE(eventually([&] { return a.cancelled == 1; }));
    a.window.hide();
    ASSERT_TRUE(eventually([&] { return a.cancelled == 2; }));

    a.release = true;
    a.window.show();  // works the table's position out again
    ASSERT_TRUE(eventually([&] { return a.choices()->rowCount() == 3; }));
    EXPECT_FALSE(a.window.findChild<QLabel*>("rummyStatus")->isVisible());
    EXPECT_EQ(a.choices()->item(0, 0)->data(Qt::AccessibleTextRole).toString(), "throw the K\u2660");
    EXPECT_EQ(a.cell(0, 1), "50.0 %");
    EXPECT_EQ(a.cell(0, 4), "\u00b12.0");
    EXPECT_EQ(a.cell(0, 5), "best");
    EXPECT_EQ(a.cell(1, 5), "3.0 points");
    EXPECT_EQ(a.cell(1, 6), "Standard's choice");
    EXPECT_TRUE(a.text("rummyHeading").contains("would throw the 9\u2663"));
    EXPECT_TRUE(a.text("rummyMeaning").contains("if both sides play on as the Standard computer"));

    a.window.pointAt(c(1, 0));
    EXPECT_TRUE(a.text("rummyHeading").contains("You point at the A\u2663: 40.0 % to win, 10.0 points below the best"));
    EXPECT_EQ(a.cell(2, 6), "you point at it");
    a.window.pointAt(kNoCard);
    EXPECT_EQ(a.cell(2, 6), "");
}

TEST(RummyAnalysis, ChoicesScoredWhileOpenAndACostlyOneShownAgain)
{
    AnalysisWindow a;
    RummyPosition pos = throwing();
    a.window.followRummy(pos, false, true);
    ASSERT_TRUE(eventually([&] { return a.choices()->rowCount() == 3; }));

    // Throwing the A♣ gives up 10 points; the page tells of the turn at once.
    pos.moves.push_back({Kind::UserDiscard, c(1, 0)});
    a.window.rummyMovePlayed(pos, pos.moves.back());
    a.window.followRummy(pos, false);
    EXPECT_EQ(a.rummy.scored(), 1);
    EXPECT_DOUBLE_EQ(a.rummy.pointsGivenUp(), 10.0);
    auto* moves = a.window.findChild<QListWidget*>("rummyMoves");
    EXPECT_EQ(moves->item(0)->text(), "You drew the K\u2660 from the stock and threw the A\u2663.");

    auto* costly = a.window.findChild<QTableWidget*>("rummyCostly");
    ASSERT_EQ(costly->rowCount(), 1);
    EXPECT_EQ(costly->item(0, 4)->text(), "throw the A\u2663");
    EXPECT_EQ(a.window.findChild<QLabel*>("rummyFigure4")->text(), "10.0 points");
    costly->setCurrentCell(0, 0);
    a.window.findChild<QPushButton*>("rummyShowChoice")->click();
    EXPECT_TRUE(a.text("rummyHeading").contains("you chose to throw the A\u2663, which gave up 10.0 points"));
    EXPECT_EQ(a.cell(2, 6), "your choice");

    // The end of the hand: counted, and told first.
    RummyHandResult won{RummyHandResult::Outcome::ComputerWon, 5, 95, 105};
    won.winningHand = {c(2, 1), c(3, 1), c(4, 1), c(5, 1), c(7, 0), c(7, 1), c(7, 2), c(12, 0), c(12, 1), c(12, 3)};
    a.rummy.handOver(won);
    a.window.rummyHandOver(pos, won);
    EXPECT_EQ(a.window.findChild<QLabel*>("rummyFigure1")->text(), "1");
    EXPECT_EQ(moves->item(0)->text(),
              "The computer won with 2\u2666 3\u2666 4\u2666 5\u2666 \u00b7 7\u2663 7\u2666 7\u2665 \u00b7 Q\u2663 Q\u2666 "
              "Q\u2660; you paid the computer 5 (your bank 95, the computer's 105).");
}

TEST(RummyWords, TurnsNewestFirstAndTheDecisionOfAPosition)
{
    RummyPosition p = throwing();
    EXPECT_EQ(decisionOf(p), RummyDecision::Throw);
    p.moves.push_back({Kind::UserDiscard, c(13, 3)});
    EXPECT_EQ(decisionOf(p), RummyDecision::None);
    p.moves.push_back({Kind::ComputerPile, c(13, 3)});
    p.moves.push_back({Kind::ComputerDiscard, c(9, 2)});
    p.moves.push_back({Kind::ComputerShown});
    EXPECT_EQ(decisionOf(p), RummyDecision::Take);
    EXPECT_EQ(pileTop(p), c(9, 2));
    p.moves.push_back({Kind::UserPile, c(9, 2)});
    EXPECT_EQ(pileTop(p), kNoCard);
    const QStringList want{"You took the 9\u2665 from the discard pile.",
                           "You saw the computer's hand: A\u2663 A\u2663 A\u2663 A\u2663 A\u2663 A\u2663 A\u2663 "
                           "A\u2663 A\u2663.",
                           "The computer took the K\u2660 from the discard pile and threw the 9\u2665.",
                           "You drew the K\u2660 from the stock and threw the K\u2660."};
    EXPECT_EQ(turnsInWords(p), want);
    EXPECT_EQ(handOverInWords({}), "The stock ran out: the hand is a tie and no stake moved.");
}

TEST(RummyAnalysis, OpensBesideTheTableWhenTheScreenHasRoom)
{
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(700, 700);
    EXPECT_EQ(besideTable(QRect(100, 50, 800, 600), size, screen, 700), QRect(QPoint(900, 50), size));
    EXPECT_EQ(besideTable(QRect(1000, 50, 800, 600), size, screen, 700), QRect(QPoint(300, 50), size));
    // Narrowed into the roomier side; kept on the screen.
    EXPECT_EQ(besideTable(QRect(600, 500, 800, 600), size, screen, 500), QRect(0, 380, 600, 700));
    // Too narrow then: as far from the table as the screen allows.
    EXPECT_EQ(besideTable(QRect(600, 500, 800, 600), size, screen, 650), QRect(0, 380, 700, 700));
}

// A marked row is bold: its cards are measured in its own font, so none is cut.
TEST(RummyAnalysis, SmallCardsMeasuredInTheRowsOwnFont)
{
    auto widthWith = [](int pointSize) {
        QTableWidget list(1, 1);
        list.setItemDelegate(new HoldCardsDelegate(&list));
        auto* item = new QTableWidgetItem;
        HoldCardsDelegate::setHold(item, PokerCards{}, 0b11111);
        QFont f = list.font();
        f.setPointSize(pointSize);
        item->setFont(f);
        list.setItem(0, 0, item);
        list.resizeColumnsToContents();
        return list.columnWidth(0);
    };
    EXPECT_GT(widthWith(20), widthWith(8) + 40);
}

// The table feeds the window: its moves, the raised card and the user's choices, scored.
TEST_F(AppWindowTest, AnalyzeHandInRummyFollowsTheTableAndScoresTheChoices)
{
    start();
    act("mnuAnalyzeHand")->trigger();
    auto* window = w->findChild<frmAnalysis*>("frmAnalysis");
    ASSERT_TRUE(window && window->findChild<QWidget*>("rummyAnalysis")->isVisible());
    auto* heading = window->findChild<QLabel*>("rummyHeading");
    auto* moves = window->findChild<QListWidget*>("rummyMoves");
    ASSERT_TRUE(eventually([&] { return heading->text().contains("would draw from the stock"); }));

    drawFromStock();
    const QString drawn = QString::fromStdString(cardName(rs().playerHand[9].number));
    ASSERT_TRUE(eventually([&] { return moves->count() == 1; }));
    EXPECT_EQ(moves->item(0)->text(), "You drew the " + drawn + " from the stock.");
    hoverCard(0);
    const QString pointed = QString::fromStdString(cardName(rs().playerHand[0].number));
    ASSERT_TRUE(eventually([&] { return heading->text().contains("You point at the " + pointed + ": "); }));

    clickCard(0);
    ASSERT_TRUE(eventually([&] { return w->rummySession.scored() == 2; }));
    EXPECT_TRUE(moves->item(moves->count() - 1)->text().endsWith("threw the " + pointed + "."));
    EXPECT_TRUE(rs().eval.handWon || moves->item(0)->text().startsWith("The computer"));
}

TEST_F(AppWindowTest, OpponentChoiceKeptAndPlayedFromTheNextHand)
{
    start();
    EXPECT_TRUE(act("mnuOpponentStandard")->isChecked());
    act("mnuOpponentExpert")->trigger();
    EXPECT_TRUE(act("mnuOpponentExpert")->isChecked() && !act("mnuOpponentStandard")->isChecked());
    EXPECT_EQ(rs().opponent, Opponent::Standard);  // the hand on the table keeps its own
    EXPECT_EQ(w->rummy.nextOpponent(), Opponent::Expert);
    act("mnuStart")->trigger();
    EXPECT_EQ(rs().opponent, Opponent::Expert);
    w->close();
    EXPECT_EQ(store.values["dmOpponent"], "Expert");

    start();  // the next run starts with it
    EXPECT_TRUE(act("mnuOpponentExpert")->isChecked());
    EXPECT_EQ(rs().opponent, Opponent::Expert);
}

}  // namespace
}  // namespace dm::testing
