#pragma once
// The hand history in "history.sqlite": the table's records go to a thread of its own
// that owns the database connection, so recording a hand costs the table a queued call.
#include <QObject>
#include <QString>
#include <QThread>
#include <functional>
#include <memory>

#include "store/history.h"

namespace dm {

class HistoryWorker;

class SqlHandHistory : public HandHistory {
public:
    struct Options {
        QString path;
        // Test hook: a line per hand once its transaction committed ("GAME ID SESSION ENDED").
        QString commitLog;
        std::function<int64_t()> clock;  // ms since 1970; default: the system clock
        // Off only for the bench tool's seeding: commits then skip the sync to the disk.
        bool durable = true;
        // Told on the calling thread, once for a damaged file set aside and once for a
        // file that cannot be written.
        std::function<void(const QString& text)> tell;
    };
    // Opens the file on the history's thread at once; checking it there, too.
    explicit SqlHandHistory(Options options);
    // Writes what is queued, then closes the file.
    ~SqlHandHistory() override;

    void recordRummy(const RummyRecord& hand) override;
    void recordPoker(const PokerRecord& hand) override;
    void rummyStats(const StatsQuery& q, std::function<void(const RummyStats&)> done) override;
    void pokerStats(const StatsQuery& q, std::function<void(const PokerStats&)> done) override;
    void exportCsv(HistoryGame game, const StatsQuery& q, const std::string& path,
                   std::function<void(const std::string&)> done) override;
    void reset(HistoryGame game, std::function<void(const std::string&)> done) override;

    // Returns once everything queued so far has been done (tests and the bench tool).
    void flush();
    int64_t session() const { return session_; }
    const QString& path() const { return options_.path; }

private:
    // A thread with its own connection; work is queued to it in order.
    struct Lane {
        QThread thread;
        QObject* host = nullptr;  // lives on the thread
        std::unique_ptr<HistoryWorker> worker;
        void start(const char* name);
        void post(std::function<void()> work);
        void stop();
    };
    // Runs `work` on a reader once everything the writer had queued before is done, so a
    // question sees every hand recorded before it was asked.
    void ask(Lane& reader, std::function<void()> work);
    template <class Result>
    void answer(std::function<void(const Result&)> done, Result result);

    Options options_;
    int64_t session_ = 0;
    QObject replies_;  // lives here; answers are queued to it
    // The writer records the hands; the figures of the two games are worked out side by
    // side by two readers, and never hold up a hand being written.
    Lane writer_, rummyReader_, pokerReader_;
    bool toldDamaged_ = false;
    bool toldCannotWrite_ = false;
};

}  // namespace dm
