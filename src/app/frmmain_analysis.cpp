// The trainer on the table: "Analyze Hand" and the session fed at every draw.
#include <QAction>

#include "app/frmanalysis.h"
#include "app/frmmain.h"
#include "app/table_access.h"

namespace dm {

void frmMain::mnuAnalyzeHand_Click()
{
    guarded("mnuAnalyzeHand_Click", [this] {
        if (!prefs.isPoker || !poker.s.holdPhase)
            return;
        const bool first = !analysis_;
        if (first) {
            analysis_ = new frmAnalysis(session, this);
            analysis_->pressCard = [this](int pos) { picPoker_MouseDown(pos); };
        }
        analysis_->followTable(poker.s.pokerHand, poker.s.held, true, true);
        analysis_->showAnalysisPage();
        if (first)
            analysis_->resize(analysis_->sizeHint());
        analysis_->show();
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
void frmMain::followPokerTable()
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
            action(QStringLiteral("mnuAnalyzeHand"))->setEnabled(holding);
            if (analysis_)
                analysis_->followTable(poker.s.pokerHand, poker.s.held, holding);
        },
        Qt::QueuedConnection);
}

}  // namespace dm
