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
    void post(std::function<void()> work);
    template <class Result>
    void answer(std::function<void(const Result&)> done, Result result);

    Options options_;
    int64_t session_ = 0;
    QThread thread_;
    QObject* host_ = nullptr;   // lives on the thread; work is queued to it
    QObject replies_;           // lives here; answers are queued to it
    std::unique_ptr<HistoryWorker> worker_;
    bool toldDamaged_ = false;
    bool toldCannotWrite_ = false;
};

}  // namespace dm
