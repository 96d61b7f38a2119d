#include "app/frmstats.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

namespace dm {

StatsPage::StatsPage(const StatsWindowArgs& args, HistoryGame game, QWidget* parent)
    : QWidget(parent), args_(args), game_(game)
{
    period_ = new QComboBox(this);
    period_->setObjectName(QStringLiteral("period"));
    period_->addItems({tr("This session"), tr("Last 7 days"), tr("Last 30 days"), tr("All")});
    period_->setCurrentIndex(3);
    period_->setAccessibleName(tr("Period"));
    connect(period_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
}

StatsQuery StatsPage::query() const
{
    StatsQuery q;
    q.period = static_cast<Period>(period_->currentIndex());
    q.now = args_.clock ? args_.clock() : QDateTime::currentMSecsSinceEpoch();
    return q;
}

QLabel* StatsPage::addFigure(QFormLayout* form, const QString& caption, const QString& name)
{
    auto* value = new QLabel(this);
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setFocusPolicy(Qt::StrongFocus);  // figures are read one by one with Tab
    value->setAccessibleName(caption);
    value->setWordWrap(true);
    auto* label = new QLabel(caption + QLatin1Char(':'), this);
    label->setBuddy(value);
    form->addRow(label, value);
    return value;
}

void StatsPage::addPeriodRow(QFormLayout* form)
{
    auto* label = new QLabel(tr("&Period:"), this);
    label->setBuddy(period_);
    form->addRow(label, period_);
}

void StatsPage::markFilled()
{
    const bool first = !filled_;
    filled_ = true;
    if (first && onFilled)
        onFilled();
}

frmStats::frmStats(const StatsWindowArgs& args) : QWidget(args.parent, Qt::Window), args_(args)
{
    setObjectName(QStringLiteral("frmStats"));
    setWindowTitle(tr("Statistics"));
    setAttribute(Qt::WA_DeleteOnClose, false);  // kept and shown again; the table owns it
    tabs_ = new QTabWidget(this);
    tabs_->setAccessibleName(tr("Games"));
    rummy_ = new RummyStatsPage(args_, tabs_);
    poker_ = new PokerStatsPage(args_, tabs_);
    tabs_->addTab(rummy_, tr("&Rummy"));
    tabs_->addTab(poker_, tr("&Video poker"));

    auto* exportButton = new QPushButton(tr("&Export..."), this);
    exportButton->setObjectName(QStringLiteral("export"));
    auto* resetButton = new QPushButton(tr("Re&set..."), this);
    resetButton->setObjectName(QStringLiteral("reset"));
    auto* closeButton = new QPushButton(tr("&Close"), this);
    connect(exportButton, &QPushButton::clicked, this, [this] { exportHands(); });
    connect(resetButton, &QPushButton::clicked, this, [this] { resetHands(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addWidget(resetButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
    const auto both = [this] {
        if (rummy_->filled() && poker_->filled() && args_.filled)
            std::exchange(args_.filled, nullptr)();
    };
    rummy_->onFilled = both;
    poker_->onFilled = both;
    rummy_->refresh();
    poker_->refresh();
    resize(sizeHint().expandedTo(QSize(800, 880)).boundedTo(screen()->availableGeometry().size() * 0.95));
}

StatsPage* frmStats::page(HistoryGame game) const
{
    return game == HistoryGame::Rummy ? static_cast<StatsPage*>(rummy_) : poker_;
}

StatsPage* frmStats::current() const { return static_cast<StatsPage*>(tabs_->currentWidget()); }

void frmStats::exportHands()
{
    StatsPage* page = current();
    const QString suggested = page->game() == HistoryGame::Rummy ? QStringLiteral("rummy-hands.csv")
                                                                 : QStringLiteral("poker-hands.csv");
    const QString path = args_.askSavePath
                             ? args_.askSavePath(suggested)
                             : QFileDialog::getSaveFileName(this, tr("Export"), suggested, tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QPointer<frmStats> self(this);
    args_.history->exportCsv(page->game(), page->query(), path.toStdString(), [self, path](const std::string& error) {
        if (!self || error.empty())
            return;
        const QString text = tr("The hands could not be exported to \"%1\": %2.").arg(path, QString::fromStdString(error));
        if (self->args_.message)
            self->args_.message(text);
        else
            QMessageBox::warning(self, tr("Statistics"), text);
    });
}

void frmStats::resetHands()
{
    StatsPage* page = current();
    const QString text = page->game() == HistoryGame::Rummy
                             ? tr("Clear the history of every rummy hand? This cannot be undone.")
                             : tr("Clear the history of every video poker hand? This cannot be undone.");
    const bool yes = args_.confirm ? args_.confirm(text)
                                   : QMessageBox::question(this, tr("Statistics"), text) == QMessageBox::Yes;
    if (!yes)
        return;
    QPointer<StatsPage> target(page);
    args_.history->reset(page->game(), [target](const std::string&) {
        if (target)
            target->refresh();
    });
}

}  // namespace dm

// The module's entry point, looked up by name when the window is first opened.
extern "C" Q_DECL_EXPORT QWidget* dunmereMakeStatsWindow(const dm::StatsWindowArgs& args)
{
    return new dm::frmStats(args);
}
