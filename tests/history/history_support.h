#pragma once
// Shared by the history tests: a file in a scratch folder, a history on it that answers
// synchronously, and the real program in its drive mode.
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <grp.h>
#include <unistd.h>

#include "history/sql_history.h"

namespace dm::test {

// Waits for the history's answer to one question.
template <class Result, class Ask>
Result answerOf(Ask ask)
{
    Result out{};
    QEventLoop loop;
    ask([&](const Result& r) {
        out = r;
        loop.quit();
    });
    loop.exec();
    return out;
}

inline RummyStats rummyOf(HandHistory& h, Period p = Period::All, int64_t now = 0)
{
    return answerOf<RummyStats>([&](auto done) { h.rummyStats({p, now}, done); });
}

inline PokerStats pokerOf(HandHistory& h, Period p = Period::All, int64_t now = 0)
{
    return answerOf<PokerStats>([&](auto done) { h.pokerStats({p, now}, done); });
}

// A plain read-only look at the file, as another program would take it.
class Peek {
public:
    explicit Peek(const QString& path) : name_(QStringLiteral("peek-%1").arg(++serial()))
    {
        auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        db.open();
    }
    ~Peek()
    {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    QVariant value(const QString& sql) const
    {
        QSqlQuery q(QSqlDatabase::database(name_));
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    QStringList column(const QString& sql) const
    {
        QSqlQuery q(QSqlDatabase::database(name_));
        QStringList out;
        if (q.exec(sql))
            while (q.next())
                out << q.value(0).toString();
        return out;
    }
    QSqlDatabase db() const { return QSqlDatabase::database(name_); }

private:
    static int& serial()
    {
        static int n = 0;
        return n;
    }
    QString name_;
};

// The real program recording hands in its drive mode; as nobody under root when `asNobody`,
// so permission bits bite. `program`: a copy of it where nobody may run it (the build folder
// may lie below a home folder closed to others).
inline QProcess* startDrive(const QString& file, int hands, const QString& commitLog = {}, bool asNobody = false,
                            const QString& program = QStringLiteral(DUNMERE_BIN_DIR "/dunmere"))
{
    auto* p = new QProcess;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DUNMERE_HISTORY_DRIVE"), file);
    env.insert(QStringLiteral("DUNMERE_HISTORY_DRIVE_HANDS"), QString::number(hands));
    if (!commitLog.isEmpty())
        env.insert(QStringLiteral("DUNMERE_HISTORY_COMMIT_LOG"), commitLog);
    p->setProcessEnvironment(env);
    if (asNobody && ::geteuid() == 0)
        p->setChildProcessModifier([] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(99);
        });
    p->start(program, {});
    return p;
}

// Committed hands from a commit log: "GAME ID SESSION ENDED" lines; a cut last line is left out.
struct Committed {
    QString game;
    qlonglong id = 0, session = 0, endedAt = 0;
};
std::vector<Committed> readCommitLog(const QString& path);

}  // namespace dm::test
