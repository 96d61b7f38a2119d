// The rummy trainer on the table: the moves and the hand's end told to "Hand Analysis",
// the card the user points at, and the opponent choice of the Game menu.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/frmanalysis.h"
#include "app/frmmain.h"
#include "app/table_access.h"

namespace dm {

namespace {
constexpr const char* kExpert = "Expert";
constexpr const char* kStandard = "Standard";
}  // namespace

// The one place the flow's news fans out: the trainer, the screen reader and the history.
void frmMain::movePlayed(const RummyMove& move)
{
    access_->movePlayed(move);
    if (analysis_)
        analysis_->rummyMovePlayed(rummy.s.position, move);
    followTable();
}

void frmMain::handOver(const RummyHandResult& result)
{
    const bool trainerOpen = analysis_ && analysis_->isVisible();
    setRummyTrainerFigures(trainerOpen, rummySession.thisHandGivenUp());
    recordRummyHand(result);
    access_->handOver(result);
    rummySession.handOver(result);
    if (analysis_)
        analysis_->rummyHandOver(rummy.s.position, result);
    followTable();
}

int frmMain::pointedCard() const
{
    const bool raised = rummy.s.mustDiscard && raisedIndex_ >= 0 && raisedIndex_ < 9;
    return raised ? rummy.s.playerHand[raisedIndex_].number : kNoCard;
}

void frmMain::followRummyTable()
{
    const bool over = rummy.s.eval.handWon;
    action(QStringLiteral("mnuAnalyzeHand"))->setEnabled(!over && !rummy.s.eval.computerTurn);
    if (!analysis_)
        return;
    analysis_->showRummy(true);
    analysis_->followRummy(rummy.s.position, over);
    analysis_->pointAt(pointedCard());
}

void frmMain::buildOpponentMenu(QMenu* game)
{
    auto* menu = game->addMenu(tr("&Opponent"));
    menu->setObjectName(QStringLiteral("mnuOpponent"));
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const char* name : {kStandard, kExpert}) {
        auto* a = menu->addAction(tr(name));
        a->setObjectName(QStringLiteral("mnuOpponent") + QLatin1String(name));
        a->setCheckable(true);
        a->setChecked(name == kStandard);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, name] {
            prefs.dmOpponent = name;
            applyOpponent();
        });
    }
}

// The hand on the table keeps its opponent; the choice plays from the next deal.
void frmMain::applyOpponent()
{
    const bool expert = prefs.dmOpponent == kExpert;
    rummy.setOpponent(expert ? Opponent::Expert : Opponent::Standard);
    action(QStringLiteral("mnuOpponent") + QLatin1String(expert ? kExpert : kStandard))->setChecked(true);
}

}  // namespace dm
