#include "store/sql/sql_history.h"

#include <QDateTime>

#include "store/sql/history_worker.h"

namespace dm {

SqlHandHistory::SqlHandHistory(Options options) : options_(std::move(options))
{
    if (!options_.clock)
        options_.clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
    session_ = options_.clock();
    HistoryWorker::Settings settings{options_.path, session_, options_.commitLog, options_.clock};
    worker_ = std::make_unique<HistoryWorker>(settings, [this](HistoryWorker::Problem kind, const QString& text) {
        QMetaObject::invokeMethod(
            &replies_,
            [this, kind, text] {
                bool& told = kind == HistoryWorker::Problem::Damaged ? toldDamaged_ : toldCannotWrite_;
                if (told)
                    return;
                told = true;
                if (options_.tell)
                    options_.tell(text);
            },
            Qt::QueuedConnection);
    });
    host_ = new QObject;
    host_->moveToThread(&thread_);
    thread_.setObjectName(QStringLiteral("history"));
    thread_.start(QThread::LowPriority);
    post([this] { worker_->open(); });
}

SqlHandHistory::~SqlHandHistory()
{
    // Queued behind every write still waiting, so none is dropped.
    post([this] {
        worker_->retryPending();
        worker_->close();
        delete host_;
        QThread::currentThread()->quit();
    });
    thread_.wait();
}

void SqlHandHistory::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(host_, std::move(work), Qt::QueuedConnection);
}

template <class Result>
void SqlHandHistory::answer(std::function<void(const Result&)> done, Result result)
{
    QMetaObject::invokeMethod(
        &replies_, [done = std::move(done), result = std::move(result)] { done(result); }, Qt::QueuedConnection);
}

void SqlHandHistory::recordRummy(const RummyRecord& hand)
{
    RummyRecord h = hand;
    if (h.endedAt == 0)
        h.endedAt = options_.clock();
    post([this, h] { worker_->write(h); });
}

void SqlHandHistory::recordPoker(const PokerRecord& hand)
{
    PokerRecord h = hand;
    if (h.endedAt == 0)
        h.endedAt = options_.clock();
    post([this, h] { worker_->write(h); });
}

void SqlHandHistory::rummyStats(const StatsQuery& q, std::function<void(const RummyStats&)> done)
{
    post([this, q, done = std::move(done)]() mutable { answer(std::move(done), worker_->rummyStats(q)); });
}

void SqlHandHistory::pokerStats(const StatsQuery& q, std::function<void(const PokerStats&)> done)
{
    post([this, q, done = std::move(done)]() mutable { answer(std::move(done), worker_->pokerStats(q)); });
}

void SqlHandHistory::exportCsv(HistoryGame game, const StatsQuery& q, const std::string& path,
                               std::function<void(const std::string&)> done)
{
    post([this, game, q, path, done = std::move(done)]() mutable {
        answer(std::move(done), worker_->exportCsv(game, q, QString::fromStdString(path)).toStdString());
    });
}

void SqlHandHistory::reset(HistoryGame game, std::function<void(const std::string&)> done)
{
    post([this, game, done = std::move(done)]() mutable {
        answer(std::move(done), worker_->reset(game).toStdString());
    });
}

void SqlHandHistory::flush()
{
    QMetaObject::invokeMethod(host_, [] {}, Qt::BlockingQueuedConnection);
}

}  // namespace dm
