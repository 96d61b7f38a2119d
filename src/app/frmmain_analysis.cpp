// The trainer on the table: "Analyze Hand" and the session fed at every draw.
#include <QAction>

#include "app/frmanalysis.h"
#include "app/frmmain.h"
#include "app/table_access.h"
#include "app/window_place.h"

namespace dm {

void frmMain::mnuAnalyzeHand_Click()
{
    guarded("mnuAnalyzeHand_Click", [this] {
        const bool rummyTurn = !prefs.isPoker && !rummy.s.eval.handWon && !rummy.s.eval.computerTurn;
        if (!rummyTurn && !(prefs.isPoker && poker.s.holdPhase))
            return;
        const bool first = !analysis_;
        if (first) {
            analysis_ = new frmAnalysis(session, rummySession, this);
            analysis_->pressCard = [this](int pos) { picPoker_MouseDown(pos); };
        }
        analysis_->setBackDesign(prefs.prfTolvaBackFace);
        analysis_->showRummy(!prefs.isPoker);
        if (prefs.isPoker)
            analysis_->followTable(poker.s.pokerHand, poker.s.held, true, true);
        analysis_->showAnalysisPage();
        if (first) {
            analysis_->resize(analysis_->sizeHint());
            placeBeside(analysis_, this);
        }
        analysis_->show();
        if (!prefs.isPoker) {
            analysis_->followRummy(rummy.s.position, false, true);
            analysis_->pointAt(pointedCard());
        }
        analysis_->raise();
        analysis_->activateWindow();
    });
}

void frmMain::handPlayed(const PokerCards& dealt, const std::array<bool, 5>& held, int prize)
{
    session.record(dealt, held, prize);
    access_->pokerHandDrawn();
    recordPokerHand(dealt, held, prize);
    if (analysis_)
        analysis_->sessionChanged();
}

// Runs once the step that changed the table has gone on: a deal turns its cards up
// before it starts waiting for the draw.
void frmMain::followTable()
{
    if (followQueued_)
        return;
    followQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            followQueued_ = false;
            if (unloaded_)
                return;
            const bool holding = prefs.isPoker && poker.s.holdPhase;
            if (analysis_)
                analysis_->followTable(poker.s.pokerHand, poker.s.held, holding);
            if (!prefs.isPoker)
                return followRummyTable();
            action(QStringLiteral("mnuAnalyzeHand"))->setEnabled(holding);
            if (analysis_)
                analysis_->showRummy(false);
        },
        Qt::QueuedConnection);
}

}  // namespace dm
