// The video poker page: the account, the learning curve, the final hands against perfect
// play, the longest perfect run and the luck line.
#include <QComboBox>
#include <QLocale>
#include <QFormLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "app/frmstats.h"
#include "app/frmstats_charts.h"

namespace dm {

namespace {

QString percent(double share) { return QLocale().toString(100.0 * share, 'f', 2) + QStringLiteral(" %"); }

// What the luck figure means, in a sentence.
QString luckText(const PokerStats& s)
{
    const double z = s.luck();
    const QString figure = QLocale().toString(std::abs(z), 'f', 2);
    const QString side = z >= 0 ? StatsPage::tr("above") : StatsPage::tr("below");
    return StatsPage::tr("%1 standard deviations %2 what your holds were expected to win. Within 2 either way "
                         "is ordinary chance; further out happens by luck alone in fewer than 1 run in 20.")
        .arg(figure, side);
}

}  // namespace

PokerStatsPage::PokerStatsPage(const StatsWindowArgs& args, QWidget* parent)
    : StatsPage(args, HistoryGame::Poker, parent)
{
    setObjectName(QStringLiteral("pokerPage"));
    auto* form = new QFormLayout;
    addPeriodRow(form);
    hands_ = addFigure(form, tr("Hands"), QStringLiteral("hands"));
    wagered_ = addFigure(form, tr("Credits wagered"), QStringLiteral("wagered"));
    won_ = addFigure(form, tr("Credits won"), QStringLiteral("won"));
    returns_ = addFigure(form, tr("Return"), QStringLiteral("returns"));
    run_ = addFigure(form, tr("Longest perfect-play run"), QStringLiteral("perfectRun"));
    luck_ = addFigure(form, tr("Luck"), QStringLiteral("luck"));
    curve_ = new StatsChart(tr("Learning curve: mistakes and their cost per 100 hands"), this);
    curve_->setObjectName(QStringLiteral("curveChart"));
    finals_ = new StatsChart(tr("Final hands: yours against perfect play"), this);
    finals_->setObjectName(QStringLiteral("finalsChart"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(curve_, 1);
    layout->addWidget(finals_, 2);
}

void PokerStatsPage::refresh() { ask(&HandHistory::pokerStats, this, &PokerStatsPage::show); }

void PokerStatsPage::show(const PokerStats& s)
{
    const double wagered = static_cast<double>(std::max<int64_t>(1, s.wagered));
    hands_->setText(QString::number(s.hands));
    wagered_->setText(QString::number(s.wagered));
    won_->setText(QString::number(s.won));
    returns_->setText(s.hands ? tr("actual %1; expected of your holds %2; of perfect play %3")
                                    .arg(percent(static_cast<double>(s.won) / wagered), percent(s.expected / wagered),
                                         percent(s.perfect / wagered))
                              : QStringLiteral("-"));
    run_->setText(tr("%n hand(s)", nullptr, static_cast<int>(s.longestPerfectRun)));
    luck_->setText(s.hands ? luckText(s) : QStringLiteral("-"));

    if (s.curve.empty()) {
        curve_->showEmpty(tr("no hands in this period"));
    } else {
        ChartLine mistakes{tr("Mistakes per 100 hands"), {}};
        ChartLine cost{tr("Cost per 100 hands (credits)"), {}, true};
        for (const auto& b : s.curve) {
            const double per = 100.0 / static_cast<double>(std::max<int64_t>(1, b.hands));
            mistakes.points.emplace_back(static_cast<double>(b.firstHand), per * static_cast<double>(b.mistakes));
            cost.points.emplace_back(static_cast<double>(b.firstHand), per * b.cost);
        }
        curve_->setLines({mistakes, cost}, tr("Hand"), tr("Mistakes"), tr("Credits"));
    }

    // Short enough to show whole under their bars; the chart's description has the rest.
    static const char* const kNames[] = {"Royal", "St. flush", "Four", "Full", "Flush",
                                         "Straight", "Three", "2 pair", "Jacks+", "Nothing"};
    QStringList categories;
    std::vector<double> seen, perfect;
    for (int i = 0; i < 10; ++i) {
        categories << tr(kNames[i]);
        seen.push_back(s.hands ? 100.0 * static_cast<double>(s.finals[i]) / static_cast<double>(s.hands) : 0.0);
        perfect.push_back(100.0 * s.perfectFinals[i]);
    }
    finals_->setBars(categories, {{tr("Yours"), seen}, {tr("Perfect play"), perfect}}, tr("Share of hands (%)"));
    markFilled();
}

}  // namespace dm
