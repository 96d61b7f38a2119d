// "Hand Analysis" in rummy: the rummy pages in place of the poker ones, following the
// table while the window is open and computing nothing while it is closed.
#include <QHideEvent>
#include <QTabWidget>

#include "app/frmanalysis.h"
#include "app/frmanalysis_rummy.h"
#include "app/rummy_trainer.h"
#include "app/rummy_words.h"

namespace dm {

void frmAnalysis::buildRummyPages()
{
    pokerPages_ = {tabs_->widget(0), tabs_->widget(1)};
    rummyPage_ = new RummyAnalysisPage(this);
    rummySessionPage_ = new RummySessionPage(rummySession_, this);
    rummyPage_->hide();
    rummySessionPage_->hide();
    trainer_ = new RummyTrainer(rummySession_, this);
    connect(trainer_, &RummyTrainer::working, this, [this](const RummyPosition& pos) {
        if (!rummyPage_->reviewing())
            rummyPage_->showWorking(pos);
    });
    connect(trainer_, &RummyTrainer::ready, this, [this](const RummyPosition& pos, const RummyHint& hint) {
        if (!rummyPage_->reviewing())
            rummyPage_->showHint(pos, hint);
    });
    connect(trainer_, &RummyTrainer::scored, rummySessionPage_, &RummySessionPage::refresh);
    connect(rummySessionPage_, &RummySessionPage::review, this, [this](const ScoredChoice& c) {
        rummyPage_->showReview(c);
        tabs_->setCurrentIndex(0);
    });
}

void frmAnalysis::showRummy(bool rummy)
{
    // The poker pages' whole-game solve is not worth a rummy player's cores.
    if (!rummy)
        startWholeGame();
    if (rummy == rummy_)
        return;
    rummy_ = rummy;
    const int current = tabs_->currentIndex();
    tabs_->clear();  // the pages stay, only the tabs go
    tabs_->addTab(rummy ? rummyPage_ : pokerPages_[0], tr("&Analysis"));
    tabs_->addTab(rummy ? static_cast<QWidget*>(rummySessionPage_) : pokerPages_[1], tr("&Session"));
    tabs_->setCurrentIndex(std::max(0, current));
    if (!rummy) {
        trainer_->stop();
    } else if (rummyFollowed_) {
        showRummyHistory();
        workOutRummy();
    }
}

void frmAnalysis::followRummy(const RummyPosition& pos, bool handOver, bool toFront)
{
    const bool changed = handOver != rummyOver_ || !samePosition(pos, rummyPos_);
    rummyPos_ = pos;
    rummyOver_ = handOver;
    rummyFollowed_ = true;
    if (!rummy_ || (!changed && !toFront))
        return;
    rummyPage_->leaveReview();
    showRummyHistory();
    workOutRummy();
}

void frmAnalysis::workOutRummy()
{
    if (!isVisible() || rummyPage_->reviewing())
        return;
    if (rummyOver_)
        rummyPage_->showIdle(tr("The hand is over. Your next decision shows here."));
    else if (decisionOf(rummyPos_) == RummyDecision::None)
        rummyPage_->showIdle(tr("The computer is playing."));
    trainer_->follow(rummyPos_, rummyOver_);
}

void frmAnalysis::showRummyHistory()
{
    QStringList lines = turnsInWords(rummyPos_);
    if (rummyOver_ && result_ && resultDeal_ == rummyPos_.userDeal)
        lines.prepend(handOverInWords(*result_));
    rummyPage_->setHistory(lines);
}

void frmAnalysis::rummyMovePlayed(const RummyPosition& after, const RummyMove& move)
{
    if (rummy_ && isVisible())
        trainer_->userMoved(after, move);
}

void frmAnalysis::rummyHandOver(const RummyPosition& pos, const RummyHandResult& result)
{
    result_ = result;
    resultDeal_ = pos.userDeal;
    rummySessionPage_->refresh();
    followRummy(pos, true, true);
}

void frmAnalysis::pointAt(int card) { rummyPage_->pointAt(card); }

void frmAnalysis::setBackDesign(int design)
{
    rummyPage_->setBackDesign(design);
    rummySessionPage_->setBackDesign(design);
}

void frmAnalysis::hideEvent(QHideEvent* e)
{
    // A closed window computes nothing: the table stays idle.
    if (!e->spontaneous())
        trainer_->stop();
    QWidget::hideEvent(e);
}

}  // namespace dm
