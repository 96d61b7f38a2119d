#pragma once
// The rummy side of "Hand Analysis" at work: the chances of the decision on the table
// worked out away from the table's thread, one position at a time, and each of the
// user's choices scored against them. It computes only while told to follow the table.
#include <QFutureWatcher>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "app/rummy_session.h"
#include "rummy/trainer.h"

namespace dm {

class RummyTrainer : public QObject {
    Q_OBJECT
public:
    using HintFunction = std::function<RummyHint(const RummyPosition&, const HintOptions&)>;

    explicit RummyTrainer(RummySession& session, QObject* parent = nullptr);
    ~RummyTrainer() override;

    // Runs on a worker thread; tests put their own.
    HintFunction hintFunction;

    // The table's position: its decision is worked out unless the hand is over.
    void follow(const RummyPosition& pos, bool handOver);
    // The user's move just played, `after` the position it led to: scored when the hint
    // of the position before it is known or on its way.
    void userMoved(const RummyPosition& after, const RummyMove& move);
    // Nothing more to compute (the window closed): running work is dropped.
    void stop();

signals:
    void working(const RummyPosition& pos);
    void ready(const RummyPosition& pos, const RummyHint& hint);
    void scored();

private:
    struct Job {
        RummyPosition pos;
        std::shared_ptr<std::atomic<bool>> cancel;
        std::optional<RummyChoice> chosen;  // the user chose while it ran: score it when done
    };
    void start(const RummyPosition& pos);
    void finished();
    void dropRunning();
    void releaseWatcher();

    RummySession& session_;
    std::optional<RummyPosition> wanted_;  // the position whose chances are to be shown
    std::optional<Job> running_;
    std::unique_ptr<QFutureWatcher<RummyHint>> watcher_;
    std::optional<std::pair<RummyPosition, RummyHint>> last_;  // the newest finished hint
    // Its own worker, so a hint never queues behind other long work; the last member,
    // so it waits for a cancelled hint to end before the rest goes.
    QThreadPool pool_;
};

}  // namespace dm
