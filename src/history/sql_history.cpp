#include "history/sql_history.h"

#include <QDateTime>

#include "history/history_worker.h"

namespace dm {

void SqlHandHistory::Lane::start(const char* name)
{
    host = new QObject;
    host->moveToThread(&thread);
    thread.setObjectName(QLatin1String(name));
    thread.start(QThread::LowPriority);
}

void SqlHandHistory::Lane::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(host, std::move(work), Qt::QueuedConnection);
}

void SqlHandHistory::Lane::stop()
{
    if (!host)
        return;  // never started
    // Queued behind everything still waiting, so no hand is dropped.
    post([this] {
        worker->retryPending();
        worker->close();
        delete host;
        QThread::currentThread()->quit();
    });
    thread.wait();
}

SqlHandHistory::SqlHandHistory(Options options) : options_(std::move(options))
{
    if (!options_.clock)
        options_.clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
    session_ = options_.clock();
    HistoryWorker::Settings settings{options_.path, session_, options_.commitLog, options_.clock, options_.durable};
    writer_.worker = std::make_unique<HistoryWorker>(settings, [this](HistoryWorker::Problem kind, const QString& text) {
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
    settings.reader = true;
    settings.commitLog.clear();
    for (Lane* reader : {&rummyReader_, &pokerReader_})
        reader->worker = std::make_unique<HistoryWorker>(settings, [](HistoryWorker::Problem, const QString&) {});
    writer_.start("history");  // the readers start with the first question
    writer_.post([this] { writer_.worker->open(); });
}

SqlHandHistory::~SqlHandHistory()
{
    writer_.stop();
    rummyReader_.stop();
    pokerReader_.stop();
}

void SqlHandHistory::ask(Lane& reader, std::function<void()> work)
{
    if (!reader.host)
        reader.start(&reader == &rummyReader_ ? "history-rummy" : "history-poker");
    writer_.post([&reader, work = std::move(work)]() mutable { reader.post(std::move(work)); });
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
    writer_.post([this, h] { writer_.worker->write(h); });
}

void SqlHandHistory::recordPoker(const PokerRecord& hand)
{
    PokerRecord h = hand;
    if (h.endedAt == 0)
        h.endedAt = options_.clock();
    writer_.post([this, h] { writer_.worker->write(h); });
}

void SqlHandHistory::rummyStats(const StatsQuery& q, std::function<void(const RummyStats&)> done)
{
    ask(rummyReader_,
        [this, q, done = std::move(done)]() mutable { answer(std::move(done), rummyReader_.worker->rummyStats(q)); });
}

void SqlHandHistory::pokerStats(const StatsQuery& q, std::function<void(const PokerStats&)> done)
{
    ask(pokerReader_,
        [this, q, done = std::move(done)]() mutable { answer(std::move(done), pokerReader_.worker->pokerStats(q)); });
}

void SqlHandHistory::exportCsv(HistoryGame game, const StatsQuery& q, const std::string& path,
                               std::function<void(const std::string&)> done)
{
    Lane& reader = game == HistoryGame::Rummy ? rummyReader_ : pokerReader_;
    ask(reader, [this, &reader, game, q, path, done = std::move(done)]() mutable {
        answer(std::move(done), reader.worker->exportCsv(game, q, QString::fromStdString(path)).toStdString());
    });
}

void SqlHandHistory::reset(HistoryGame game, std::function<void(const std::string&)> done)
{
    writer_.post([this, game, done = std::move(done)]() mutable {
        answer(std::move(done), writer_.worker->reset(game).toStdString());
    });
}

void SqlHandHistory::flush()
{
    QMetaObject::invokeMethod(writer_.host, [] {}, Qt::BlockingQueuedConnection);
}

}  // namespace dm
