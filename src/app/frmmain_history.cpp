// The hand history on the table: every finished hand recorded, and the "Statistics" window.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>

#include "app/frmmain.h"
#include "app/stats_module.h"
#include "history/sql_history.h"
#include "table/files.h"

namespace dm {

MakeStatsWindow loadStatsWindowModule(const QString& programDir)
{
    const QString program = QCoreApplication::applicationDirPath();
    for (const QString& dir : {programDir.isEmpty() ? program : programDir,
                               QDir::cleanPath(program + QStringLiteral("/" DUNMERE_MODULE_DIR))}) {
        const QString file = dataPath(dir, QStringLiteral("dunmere-stats.so"));
        if (!QFile::exists(file))
            continue;
        QLibrary module(file);  // never unloaded: the window's code lives in it
        if (auto make = reinterpret_cast<MakeStatsWindow>(module.resolve(kMakeStatsWindow)))
            return make;
    }
    return nullptr;
}

void frmMain::startHistory()
{
    if (history_)
        return;
    SqlHandHistory::Options options;
    options.path = writablePlace(ctx_.programDir, QStringLiteral("history.sqlite")).path;
    // The kill test reads which hands were committed before each kill.
    options.commitLog = qEnvironmentVariable("DUNMERE_HISTORY_COMMIT_LOG");
    QPointer<frmMain> self(this);
    options.tell = [self](const QString& text) {
        if (self && !self->unloaded_)
            self->message(text.toStdString());
    };
    history_ = std::make_unique<SqlHandHistory>(std::move(options));
}

void frmMain::stopHistory()
{
    delete stats_;  // it asks the history: it goes first
    history_.reset();
}

void frmMain::setRummyTrainerFigures(bool trainerOpen, std::optional<double> chanceGivenUp)
{
    rummyTrainerOpen_ = trainerOpen;
    rummyChanceGivenUp_ = chanceGivenUp;
}

void frmMain::recordRummyHand(const RummyHandResult& result)
{
    if (!history_)
        return;
    RummyRecord r;
    r.winner = result.outcome == RummyHandResult::Outcome::UserWon       ? RummyRecord::Winner::User
               : result.outcome == RummyHandResult::Outcome::ComputerWon ? RummyRecord::Winner::Computer
                                                                         : RummyRecord::Winner::Tie;
    r.stake = result.stake;
    r.userBank = result.userBank;
    r.computerBank = result.computerBank;
    r.opponent = result.opponent == Opponent::Expert ? 1 : 0;
    r.turns = result.turns;
    r.trainerOpen = rummyTrainerOpen_;
    r.chanceGivenUp = rummyChanceGivenUp_;
    rummyChanceGivenUp_.reset();  // each hand is scored afresh
    history_->recordRummy(r);
}

void frmMain::recordPokerHand(const PokerCards& dealt, const std::array<bool, 5>& held, int prize)
{
    if (!history_)
        return;
    PokerRecord r;
    for (int i = 0; i < 5; ++i) {
        r.dealt[i] = dealt[i].number;
        r.final[i] = poker.s.pokerHand[i].number;  // drawn by now
        if (held[i])
            r.hold |= 1u << i;
    }
    r.pay = prize;
    history_->recordPoker(r);  // the values are worked out on the history's thread
}

void frmMain::mnuStatistics_Click()
{
    guarded("mnuStatistics_Click", [this] {
        if (!stats_) {
            startHistory();
            const MakeStatsWindow make = loadStatsWindowModule(ctx_.programDir);
            if (!make) {
                message("The Statistics window cannot be shown: its module \"dunmere-stats.so\" is missing.");
                return;
            }
            StatsWindowArgs args;
            args.history = history_.get();
            args.parent = this;
            args.message = [this](const QString& text) { message(text.toStdString()); };
            if (ctx_.dialogs.askYesNo)
                args.confirm = [this](const QString& text) { return ctx_.dialogs.askYesNo(text, tr("Statistics")); };
            stats_ = make(args);
        }
        stats_->show();
        stats_->raise();
        stats_->activateWindow();
    });
}

}  // namespace dm
