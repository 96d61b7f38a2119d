// The rummy page: results by opponent level, streaks, the bank and the trainer's scores.
#include <QComboBox>
#include <QLocale>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/frmstats.h"
#include "app/frmstats_charts.h"

namespace dm {

namespace {

QString streakText(int64_t current, int64_t longestWin, int64_t longestLoss)
{
    QString now = current > 0   ? StatsPage::tr("%n won in a row", nullptr, static_cast<int>(current))
                  : current < 0 ? StatsPage::tr("%n lost in a row", nullptr, static_cast<int>(-current))
                                : StatsPage::tr("none");
    return StatsPage::tr("Current streak: %1. Longest winning streak: %2. Longest losing streak: %3.")
        .arg(now)
        .arg(longestWin)
        .arg(longestLoss);
}

}  // namespace

RummyStatsPage::RummyStatsPage(const StatsWindowArgs& args, QWidget* parent)
    : StatsPage(args, HistoryGame::Rummy, parent)
{
    setObjectName(QStringLiteral("rummyPage"));
    levels_ = new QTableWidget(3, 5, this);
    levels_->setObjectName(QStringLiteral("levels"));
    levels_->setAccessibleName(tr("Hands by opponent level"));
    levels_->setHorizontalHeaderLabels({tr("Hands"), tr("Won"), tr("Lost"), tr("Tied"), tr("Share won")});
    levels_->setVerticalHeaderLabels({tr("Standard"), tr("Expert"), tr("Both")});
    levels_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    levels_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    levels_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    levels_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    levels_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    streaks_ = new QLabel(this);
    streaks_->setObjectName(QStringLiteral("streaks"));
    streaks_->setWordWrap(true);
    streaks_->setFocusPolicy(Qt::StrongFocus);
    streaks_->setAccessibleName(tr("Streaks"));
    bank_ = new StatsChart(tr("Your bank"), this);
    bank_->setObjectName(QStringLiteral("bankChart"));
    chance_ = new StatsChart(tr("Chance given up per hand"), this);
    chance_->setObjectName(QStringLiteral("chanceChart"));

    auto* top = new QFormLayout;
    addPeriodRow(top);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(levels_);
    layout->addWidget(streaks_);
    layout->addWidget(bank_, 1);
    layout->addWidget(chance_, 1);
}

void RummyStatsPage::refresh() { ask(&HandHistory::rummyStats, this, &RummyStatsPage::show); }

void RummyStatsPage::show(const RummyStats& s)
{
    RummyStats::Level both;
    for (int row = 0; row < 3; ++row) {
        const RummyStats::Level l = row < 2 ? s.byLevel[row] : both;
        if (row < 2) {
            both.hands += l.hands, both.won += l.won, both.lost += l.lost, both.tied += l.tied;
        }
        const QString share =
            l.hands ? QLocale().toString(100.0 * static_cast<double>(l.won) / static_cast<double>(l.hands), 'f', 1) +
                          QStringLiteral(" %")
                    : QStringLiteral("-");
        const QStringList cells{QString::number(l.hands), QString::number(l.won), QString::number(l.lost),
                                QString::number(l.tied), share};
        for (int col = 0; col < 5; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            levels_->setItem(row, col, item);
        }
    }
    streaks_->setText(streakText(s.currentStreak, s.longestWin, s.longestLoss));
    if (s.bank.empty()) {
        bank_->showEmpty(tr("no hands in this period"));
    } else {
        ChartLine line{tr("Bank"), {}};
        for (const auto& p : s.bank)
            line.points.emplace_back(static_cast<double>(p.hand), p.value);
        bank_->setLines({line}, tr("Hand"), tr("Credits"));
    }
    if (s.chance.empty()) {
        chance_->showEmpty(tr("the trainer scored no hands in this period"));
    } else {
        ChartLine line{tr("Chance given up"), {}};
        for (const auto& p : s.chance)
            line.points.emplace_back(static_cast<double>(p.hand), 100.0 * p.value);
        chance_->setLines({line}, tr("Scored hand"), tr("Chance given up (%)"));
    }
    markFilled();
}

}  // namespace dm
