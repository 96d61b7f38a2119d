#pragma once
// The history's database work, all of it on the history's own thread with its own
// connection: opening and checking the file, writing each hand as one transaction, and
// the figures the "Statistics" window asks for.
#include <QSqlDatabase>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "store/history.h"

namespace dm {

class HistoryWorker {
public:
    struct Settings {
        QString path;       // "history.sqlite"
        int64_t session = 0;
        QString commitLog;  // set: a line per hand appended once its commit has returned
        std::function<int64_t()> clock;
        bool durable = true;
        // A reader only asks: the writer checks, sets aside and brings the tables up to date.
        bool reader = false;
    };
    // `tell` gets each problem worth telling the user; the caller tells each kind once.
    enum class Problem { Damaged, CannotWrite };
    using Tell = std::function<void(Problem, const QString& text)>;

    HistoryWorker(Settings settings, Tell tell);
    ~HistoryWorker();

    // Opens the file: checks it, sets a damaged one aside, brings the tables up to date.
    void open();
    void write(const RummyRecord& hand);
    void write(PokerRecord hand);  // completed here
    // Tries the hands a failed write kept back; true when none are left.
    bool retryPending();
    size_t pending() const { return pendingRummy_.size() + pendingPoker_.size(); }

    RummyStats rummyStats(const StatsQuery& q);
    PokerStats pokerStats(const StatsQuery& q);
    QString exportCsv(HistoryGame game, const StatsQuery& q, const QString& path);
    QString reset(HistoryGame game);
    void close();

    // The whole-game solve the poker page compares with; worked out once and kept.
    struct Perfect {
        std::array<double, 10> finals{};
        double variance = 0;
    };

private:
    bool ensureOpen();
    bool connect(QString& error);
    bool checkIntegrity(QString& error, bool& damaged);
    void setAside();
    bool insert(const RummyRecord& hand, QString& error);
    bool insert(const PokerRecord& hand, QString& error);
    bool commitHand(const char* game, QSqlQuery& insert, int64_t endedAt, QString& error);
    template <class Hand>
    void writeHand(const Hand& hand, std::deque<Hand>& pending);
    void cannotWrite(const QString& error);
    QString where(const StatsQuery& q) const;
    Perfect perfect();

    Settings settings_;
    Tell tell_;
    QString connection_;
    bool opened_ = false;
    bool checked_ = false;  // the integrity check runs once per start
    std::deque<RummyRecord> pendingRummy_;
    std::deque<PokerRecord> pendingPoker_;
    std::optional<Perfect> perfect_;
};

}  // namespace dm
