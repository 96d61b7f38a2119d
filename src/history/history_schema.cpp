#include "history/history_schema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <vector>

namespace dm {

namespace {

// Step i takes a file from version i to version i + 1. A shipped step is never changed:
// a later change is a new step.
const std::vector<std::vector<const char*>> kSteps = {
    // 1: one row per hand of each game, in the order they were played.
    {
        "CREATE TABLE rummy_hands ("
        " id INTEGER PRIMARY KEY,"
        " session INTEGER NOT NULL,"        // the start of the program run, ms since 1970
        " ended_at INTEGER NOT NULL,"       // ms since 1970, UTC
        " winner INTEGER NOT NULL,"         // 0 user, 1 computer, 2 tie
        " stake INTEGER NOT NULL,"
        " user_bank INTEGER NOT NULL,"
        " computer_bank INTEGER NOT NULL,"
        " opponent INTEGER NOT NULL,"       // 0 Standard, 1 Expert
        " turns INTEGER NOT NULL,"
        " trainer_open INTEGER NOT NULL,"
        " chance_given_up REAL)",           // NULL: not scored
        "CREATE TABLE poker_hands ("
        " id INTEGER PRIMARY KEY,"
        " session INTEGER NOT NULL,"
        " ended_at INTEGER NOT NULL,"
        " dealt TEXT NOT NULL,"             // five card numbers 0..51
        " hold INTEGER NOT NULL,"           // bit i kept card i
        " final TEXT NOT NULL,"
        " final_class INTEGER NOT NULL,"    // the game's class of the final hand
        " final_hand INTEGER NOT NULL,"     // 0 royal flush .. 9 nothing
        " pay INTEGER NOT NULL,"            // credits for the 5-credit wager
        " hold_value REAL NOT NULL,"
        " best_value REAL NOT NULL,"
        " adviser_accepted INTEGER NOT NULL)",
    },
    // 2: the periods and the session page look hands up by time and run; the whole-game
    // solve the poker page compares with is kept once worked out.
    {
        "CREATE INDEX rummy_by_time ON rummy_hands(ended_at)",
        "CREATE INDEX rummy_by_session ON rummy_hands(session)",
        "CREATE INDEX poker_by_time ON poker_hands(ended_at)",
        "CREATE INDEX poker_by_session ON poker_hands(session)",
        "CREATE TABLE perfect_play ("
        " pays TEXT PRIMARY KEY,"           // the nine per-credit pays
        " finals TEXT NOT NULL,"            // the ten final-hand counts
        " variance REAL NOT NULL)",
    },
};

bool run(QSqlDatabase& db, const QString& sql, QString& error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    error = q.lastError().databaseText();
    return false;
}

}  // namespace

int historySchemaVersion() { return static_cast<int>(kSteps.size()); }

int historyVersionOf(QSqlDatabase& db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return -1;
    return q.value(0).toInt();
}

bool migrateHistory(QSqlDatabase& db, QString& error, int target)
{
    if (target < 0)
        target = historySchemaVersion();
    for (;;) {
        // A file already up to date is only read: it may be read-only.
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next()) {
            error = q.lastError().databaseText();
            return false;
        }
        if (q.value(0).toInt() >= target)
            return true;
        q.finish();
        // BEGIN IMMEDIATE takes the write lock first, so two copies starting together
        // see each other's steps and never run one twice.
        if (!run(db, QStringLiteral("BEGIN IMMEDIATE"), error))
            return false;
        const int version = historyVersionOf(db);
        if (version < 0 || version >= target) {
            run(db, QStringLiteral("ROLLBACK"), error);
            return version >= 0;
        }
        bool ok = true;
        for (const char* sql : kSteps[version])
            ok = ok && run(db, QString::fromLatin1(sql), error);
        ok = ok && run(db, QStringLiteral("PRAGMA user_version = %1").arg(version + 1), error);
        if (!ok || !run(db, QStringLiteral("COMMIT"), error)) {
            QString ignored;
            run(db, QStringLiteral("ROLLBACK"), ignored);
            return false;
        }
    }
}

}  // namespace dm
