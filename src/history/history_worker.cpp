#include "history/history_worker.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <fcntl.h>
#include <unistd.h>

#include "history/history_hands.h"
#include "history/history_schema.h"

namespace dm {

namespace {

constexpr size_t kMaxPending = 100000;  // hands kept back while the file cannot be written

QString numbers(const std::array<int, 5>& cards)
{
    QStringList out;
    for (int c : cards)
        out << QString::number(c);
    return out.join(QLatin1Char(' '));
}

// SQLite's own words ("attempt to write a readonly database"), without Qt's framing.
QString textOf(const QSqlError& e) { return e.databaseText().isEmpty() ? e.text() : e.databaseText(); }

bool isDamage(const QSqlError& e)
{
    // SQLITE_CORRUPT (11) and SQLITE_NOTADB (26), also as extended codes.
    const int code = e.nativeErrorCode().toInt() & 0xFF;
    return code == 11 || code == 26;
}

}  // namespace

HistoryWorker::HistoryWorker(Settings settings, Tell tell)
    : settings_(std::move(settings)), tell_(std::move(tell)),
      connection_(QStringLiteral("history-%1").arg(reinterpret_cast<quintptr>(this)))
{
    if (!settings_.clock)
        settings_.clock = [] { return QDateTime::currentMSecsSinceEpoch(); };
}

HistoryWorker::~HistoryWorker() { close(); }

void HistoryWorker::close()
{
    if (!QSqlDatabase::contains(connection_))
        return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
    opened_ = false;
}

bool HistoryWorker::connect(QString& error)
{
    close();
    auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(settings_.path);
    // Another copy of the program may hold the write lock for a moment: wait for it.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    if (!db.open()) {
        error = textOf(db.lastError());
        return false;
    }
    return true;
}

bool HistoryWorker::checkIntegrity(QString& error, bool& damaged)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    damaged = false;
    if (!q.exec(QStringLiteral("PRAGMA integrity_check"))) {
        damaged = isDamage(q.lastError());
        error = textOf(q.lastError());
        return false;
    }
    QStringList found;
    while (q.next())
        found << q.value(0).toString();
    if (found == QStringList{QStringLiteral("ok")})
        return true;
    damaged = true;
    error = found.join(QLatin1Char(' ')).left(200);
    return false;
}

void HistoryWorker::setAside()
{
    close();
    const QString stamp = QDateTime::fromMSecsSinceEpoch(settings_.clock()).toString(QStringLiteral("yyyy-MM-dd"));
    QString aside = settings_.path + QStringLiteral(".damaged-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = settings_.path + QStringLiteral(".damaged-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(settings_.path, aside)) {
        cannotWrite(QStringLiteral("it is damaged and could not be set aside"));
        return;
    }
    // The log and index beside it belong to the damaged file.
    for (const char* tail : {"-wal", "-shm"})
        if (QFileInfo::exists(settings_.path + QLatin1String(tail)))
            QFile::rename(settings_.path + QLatin1String(tail), aside + QLatin1String(tail));
    tell_(Problem::Damaged, QStringLiteral("The hand history \"%1\" was damaged. It has been set aside as \"%2\", "
                                           "and a new history has been begun.")
                                .arg(QDir::toNativeSeparators(settings_.path), QDir::toNativeSeparators(aside)));
}

void HistoryWorker::open()
{
    QString error;
    if (!connect(error))
        return cannotWrite(error);
    if (settings_.reader) {
        opened_ = true;
        return;
    }
    if (!checked_) {
        bool damaged = false;
        if (!checkIntegrity(error, damaged)) {
            if (!damaged)
                return cannotWrite(error);
            setAside();
            if (!connect(error))
                return cannotWrite(error);
        }
        checked_ = true;
    }
    auto db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    // A committed hand is on the disk when the commit returns, and readers never wait.
    q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    q.exec(settings_.durable ? QStringLiteral("PRAGMA synchronous=FULL") : QStringLiteral("PRAGMA synchronous=OFF"));
    if (!migrateHistory(db, error)) {
        if (historyVersionOf(db) < 1)
            return cannotWrite(error);  // no tables to read either
        cannotWrite(error);             // an older file still reads
    }
    opened_ = true;
}

bool HistoryWorker::ensureOpen()
{
    if (!opened_)
        open();
    return opened_;
}

void HistoryWorker::cannotWrite(const QString& error)
{
    tell_(Problem::CannotWrite,
          QStringLiteral("The hand history \"%1\" cannot be written: %2. Play goes on; the hands of this session "
                         "are kept and written when it can be written again.")
              .arg(QDir::toNativeSeparators(settings_.path), error));
}

bool HistoryWorker::commitHand(const char* game, QSqlQuery& insert, int64_t endedAt, QString& error)
{
    auto db = QSqlDatabase::database(connection_, false);
    QSqlQuery begin(db);
    if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        error = textOf(begin.lastError());
        return false;
    }
    QSqlQuery commit(db);
    if (!insert.exec() || !commit.exec(QStringLiteral("COMMIT"))) {
        error = insert.lastError().isValid() ? textOf(insert.lastError()) : textOf(commit.lastError());
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return false;
    }
    if (!settings_.commitLog.isEmpty()) {
        // One write per line, after the commit returned: a kill can cut no line but the last.
        const QByteArray line = QStringLiteral("%1 %2 %3 %4\n")
                                    .arg(QLatin1String(game))
                                    .arg(insert.lastInsertId().toLongLong())
                                    .arg(settings_.session)
                                    .arg(endedAt)
                                    .toLatin1();
        const int fd = ::open(QFile::encodeName(settings_.commitLog).constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
        if (fd >= 0) {
            [[maybe_unused]] const auto n = ::write(fd, line.constData(), static_cast<size_t>(line.size()));
            ::close(fd);
        }
    }
    return true;
}

bool HistoryWorker::insert(const RummyRecord& h, QString& error)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("INSERT INTO rummy_hands (session, ended_at, winner, stake, user_bank, computer_bank, "
                             "opponent, turns, trainer_open, chance_given_up) VALUES (?,?,?,?,?,?,?,?,?,?)"));
    q.addBindValue(static_cast<qlonglong>(settings_.session));
    q.addBindValue(static_cast<qlonglong>(h.endedAt));
    q.addBindValue(static_cast<int>(h.winner));
    q.addBindValue(h.stake);
    q.addBindValue(h.userBank);
    q.addBindValue(h.computerBank);
    q.addBindValue(h.opponent);
    q.addBindValue(h.turns);
    q.addBindValue(h.trainerOpen ? 1 : 0);
    q.addBindValue(h.chanceGivenUp ? QVariant(*h.chanceGivenUp) : QVariant(QMetaType(QMetaType::Double)));
    return commitHand("rummy", q, h.endedAt, error);
}

bool HistoryWorker::insert(const PokerRecord& h, QString& error)
{
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("INSERT INTO poker_hands (session, ended_at, dealt, hold, final, final_class, final_hand, "
                             "pay, hold_value, best_value, adviser_accepted) VALUES (?,?,?,?,?,?,?,?,?,?,?)"));
    q.addBindValue(static_cast<qlonglong>(settings_.session));
    q.addBindValue(static_cast<qlonglong>(h.endedAt));
    q.addBindValue(numbers(h.dealt));
    q.addBindValue(h.hold);
    q.addBindValue(numbers(h.final));
    q.addBindValue(h.finalClass);
    q.addBindValue(h.finalHand);
    q.addBindValue(h.pay);
    q.addBindValue(h.holdValue);
    q.addBindValue(h.bestValue);
    q.addBindValue(h.adviserAccepted ? 1 : 0);
    return commitHand("poker", q, h.endedAt, error);
}

bool HistoryWorker::retryPending()
{
    if (pending() == 0)
        return true;
    if (!ensureOpen())
        return false;
    QString error;
    while (!pendingRummy_.empty() && insert(pendingRummy_.front(), error))
        pendingRummy_.pop_front();
    while (!pendingPoker_.empty() && insert(pendingPoker_.front(), error))
        pendingPoker_.pop_front();
    if (pending() != 0)
        cannotWrite(error);
    return pending() == 0;
}

template <class Hand>
void HistoryWorker::writeHand(const Hand& hand, std::deque<Hand>& pending)
{
    QString error;
    if (retryPending() && insert(hand, error))
        return;
    if (!error.isEmpty())
        cannotWrite(error);
    if (this->pending() < kMaxPending)
        pending.push_back(hand);  // kept for the next write that can go through
}

void HistoryWorker::write(const RummyRecord& hand) { writeHand(hand, pendingRummy_); }

void HistoryWorker::write(PokerRecord hand)
{
    completePokerRecord(hand);
    writeHand(hand, pendingPoker_);
}

}  // namespace dm
