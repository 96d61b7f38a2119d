#include "app/rummy_trainer.h"

#include <QPromise>

#include "app/rummy_words.h"

namespace dm {

RummyTrainer::RummyTrainer(RummySession& session, QObject* parent)
    : QObject(parent), hintFunction([](const RummyPosition& p, const HintOptions& o) { return rummyHint(p, o); }),
      session_(session)
{
    pool_.setMaxThreadCount(1);  // the hint spreads over the cores itself
}

RummyTrainer::~RummyTrainer() { stop(); }

void RummyTrainer::follow(const RummyPosition& pos, bool handOver)
{
    if (handOver || decisionOf(pos) == RummyDecision::None) {
        wanted_.reset();
        // A hint still to score a choice runs on; one only to be shown is stale.
        if (running_ && !running_->chosen)
            dropRunning();
        return;
    }
    wanted_ = pos;
    if (last_ && samePosition(last_->first, pos)) {
        emit ready(pos, last_->second);
        return;
    }
    emit working(pos);
    if (running_ && samePosition(running_->pos, pos))
        return;
    if (running_ && !running_->chosen)
        dropRunning();
    if (!running_)
        start(pos);  // otherwise it starts when the one scoring a choice is done
}

void RummyTrainer::userMoved(const RummyPosition& after, const RummyMove& move)
{
    const auto choice = choiceOf(move);
    if (!choice || after.moves.empty() || !(after.moves.back() == move))
        return;
    RummyPosition before = after;
    before.moves.pop_back();
    if (last_ && samePosition(last_->first, before)) {
        session_.record(before, last_->second, *choice);
        emit scored();
    } else if (running_ && samePosition(running_->pos, before)) {
        running_->chosen = choice;
    }
}

void RummyTrainer::stop()
{
    wanted_.reset();
    if (running_)
        dropRunning();
}

void RummyTrainer::dropRunning()
{
    running_->cancel->store(true);
    running_.reset();
    releaseWatcher();  // its answer, when it comes, goes nowhere
}

void RummyTrainer::releaseWatcher()
{
    // It may be the sender of the signal being handled: it goes once that is over.
    if (watcher_) {
        watcher_->disconnect(this);
        watcher_.release()->deleteLater();
    }
}

void RummyTrainer::start(const RummyPosition& pos)
{
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    running_ = Job{pos, cancel, std::nullopt};
    watcher_ = std::make_unique<QFutureWatcher<RummyHint>>();
    connect(watcher_.get(), &QFutureWatcherBase::finished, this, &RummyTrainer::finished);
    auto promise = std::make_shared<QPromise<RummyHint>>();
    watcher_->setFuture(promise->future());
    promise->start();
    // The worker shares only the promise and the cancel flag with the window: a window
    // closed meanwhile just drops the answer.
    pool_.start([promise, cancel, pos, hint = hintFunction] {
        try {
            HintOptions options;
            options.cancel = cancel.get();
            RummyHint h = hint(pos, options);
            if (!cancel->load())
                promise->addResult(std::move(h));
        } catch (...) {
            // An impossible history: no answer, which the page reports.
        }
        promise->finish();
    });
}

void RummyTrainer::finished()
{
    if (!running_)
        return;
    const Job job = std::move(*running_);
    running_.reset();
    const RummyHint hint = watcher_->future().resultCount() > 0 ? watcher_->result() : RummyHint{};
    releaseWatcher();
    last_ = std::make_pair(job.pos, hint);
    if (job.chosen) {
        session_.record(job.pos, hint, *job.chosen);
        emit scored();
    }
    if (!wanted_)
        return;
    if (samePosition(*wanted_, job.pos))
        emit ready(job.pos, hint);
    else
        start(*wanted_);
}

}  // namespace dm
