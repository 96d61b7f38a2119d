// The session page: the run's account of the hands drawn, the hands whose hold cost
// something, and the whole game's returns, worked out away from the table's thread.
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPromise>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QThreadPool>
#include <QVBoxLayout>
#include <memory>

#include "app/frmanalysis.h"
#include "app/hold_cards.h"

namespace dm {

namespace {
enum Column { NumberColumn, CostColumn, HandColumn, Columns };

// A dash until there is something to share out.
QString percentOf(double rate, int hands) { return hands ? QString::number(rate * 100.0, 'f', 2) + " %" : QString("-"); }
QString percent(double rate) { return QString::number(rate * 100.0, 'f', 4) + " %"; }
QString credits(double v) { return QString::number(v, 'f', 4) + QObject::tr(" credits"); }
}  // namespace

void frmAnalysis::buildSessionPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    const std::array<QString, 7> names{tr("Hands played:"),
                                       tr("Credits wagered:"),
                                       tr("Credits won:"),
                                       tr("Actual return:"),
                                       tr("Expected return of your holds:"),
                                       tr("Expected return of perfect play:"),
                                       tr("Cost of mistakes:")};
    for (size_t i = 0; i < names.size(); ++i) {
        figures_[i] = new QLabel(page);
        figures_[i]->setObjectName(QStringLiteral("sessionFigure%1").arg(i));
        figures_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(names[i], figures_[i]);
    }
    layout->addLayout(form);

    wholeGame_ = new QLabel(tr("The whole game's returns are being worked out..."), page);
    wholeGame_->setObjectName(QStringLiteral("wholeGame"));
    wholeGame_->setWordWrap(true);
    layout->addWidget(wholeGame_);

    auto* listCaption = new QLabel(tr("&Hands whose hold cost something, newest first:"), page);
    layout->addWidget(listCaption);
    costly_ = cardList({tr("Hand"), tr("Costs"), tr("Dealt and held")}, HandColumn, page);
    costly_->setObjectName(QStringLiteral("costlyHands"));
    listCaption->setBuddy(costly_);
    layout->addWidget(costly_, 1);
    connect(costly_, &QTableWidget::cellActivated, this, [this] { reviewSelected(); });

    auto* buttons = new QHBoxLayout;
    showHand_ = new QPushButton(tr("Sho&w the Hand"), page);
    reset_ = new QPushButton(tr("&Reset"), page);
    reset_->setObjectName(QStringLiteral("sessionReset"));
    buttons->addWidget(showHand_);
    buttons->addStretch(1);
    buttons->addWidget(reset_);
    layout->addLayout(buttons);
    connect(showHand_, &QPushButton::clicked, this, &frmAnalysis::reviewSelected);
    connect(costly_, &QTableWidget::currentCellChanged, this, [this](int row) { showHand_->setEnabled(row >= 0); });
    connect(reset_, &QPushButton::clicked, this, [this] {
        session_.reset();
        sessionChanged();
    });
    setTabOrder(costly_, showHand_);
    setTabOrder(showHand_, reset_);

    tabs_->addTab(page, tr("&Session"));
    sessionChanged();
}

void frmAnalysis::sessionChanged()
{
    const PokerSession& s = session_;
    const std::array<QString, 7> texts{QString::number(s.hands()),
                                       QString::number(s.wagered()),
                                       QString::number(s.won()),
                                       percentOf(s.actualReturn(), s.hands()),
                                       percentOf(s.expectedReturn(), s.hands()),
                                       percentOf(s.perfectReturn(), s.hands()),
                                       credits(s.mistakeCost())};
    for (size_t i = 0; i < texts.size(); ++i)
        figures_[i]->setText(texts[i]);

    const auto& hands = s.costlyHands();
    costly_->setRowCount(static_cast<int>(hands.size()));
    for (int row = 0; row < costly_->rowCount(); ++row) {
        const PlayedHand& h = hands[hands.size() - 1 - static_cast<size_t>(row)];
        auto* number = new QTableWidgetItem(QString::number(h.number));
        number->setData(Qt::UserRole, h.number);
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* cards = new QTableWidgetItem;
        HoldCardsDelegate::setHold(cards, h.dealt, h.held);
        auto* cost = new QTableWidgetItem(credits(h.cost()));
        cost->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        costly_->setItem(row, NumberColumn, number);
        costly_->setItem(row, HandColumn, cards);
        costly_->setItem(row, CostColumn, cost);
    }
    showHand_->setEnabled(costly_->currentRow() >= 0);
    reset_->setEnabled(s.hands() > 0);
}

void frmAnalysis::reviewSelected()
{
    const QTableWidgetItem* item = costly_->item(costly_->currentRow(), NumberColumn);
    if (!item)
        return;
    const int number = item->data(Qt::UserRole).toInt();
    for (const PlayedHand& h : session_.costlyHands())
        if (h.number == number)
            return review(h);
}

void frmAnalysis::startWholeGame()
{
    if (solveStarted_)
        return;
    solveStarted_ = true;
    connect(&solve_, &QFutureWatcher<GameSolution>::finished, this, &frmAnalysis::showWholeGame);
    auto promise = std::make_shared<QPromise<GameSolution>>();
    solve_.setFuture(promise->future());
    promise->start();
    // The worker shares nothing with the window but the promise: a window or program
    // closed meanwhile only drops the answer, and the program waits for the pool as it ends.
    QThreadPool::globalInstance()->start([promise] {
        try {
            // One core is left to the table, so play stays smooth while this runs.
            const SolveOptions options{true, std::max(1, QThread::idealThreadCount() - 1)};
            promise->addResult(solveGame(kGamePays, true, options));
        } catch (...) {
        }
        promise->finish();
    });
}

void frmAnalysis::showWholeGame()
{
    if (solve_.future().resultCount() == 0) {
        wholeGame_->setText(tr("The whole game's returns could not be worked out."));
        return;
    }
    const GameSolution g = solve_.result();
    wholeGame_->setText(tr("Over all 2,598,960 deals, perfect play returns %1 of the wager. The adviser's "
                           "ladder returns %2 with its worst accepted holds and %3 with its best: "
                           "played without a slip it gives up %4 to %5 credits of every 100 wagered.")
                            .arg(percent(g.returnRate), percent(g.adviserLow), percent(g.adviserHigh),
                                 QString::number((g.returnRate - g.adviserHigh) * 100, 'f', 2),
                                 QString::number((g.returnRate - g.adviserLow) * 100, 'f', 2)));
}

}  // namespace dm
