// The figures of the "Statistics" window, worked out by the database, and the export
// and reset of one game's hands.
#include <QDateTime>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <QTimeZone>
#include <QVariant>

#include "poker/analysis.h"
#include "history/history_worker.h"

namespace dm {

namespace {

constexpr int kChartPoints = 400;  // a chart shows no more points than this
constexpr int kCurveBlock = 100;   // the learning curve's hands per point

QSqlQuery run(const QString& connection, const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(connection, false));
    q.setForwardOnly(true);
    q.exec(sql);
    return q;
}

struct Runs {
    int64_t longest = 0;
    int64_t last = 0;  // the run the string ends with
};

// The longest run of `mark` in a string of one-character outcomes, and the one at its end.
Runs runsOf(const QByteArray& marks, char mark)
{
    Runs r;
    for (const char c : marks) {
        r.last = c == mark ? r.last + 1 : 0;
        r.longest = std::max(r.longest, r.last);
    }
    return r;
}

QString gamePays()
{
    QStringList out;
    for (int p : kGamePays)
        out << QString::number(p);
    return out.join(QLatin1Char(' '));
}

}  // namespace

QString HistoryWorker::where(const StatsQuery& q) const
{
    switch (q.period) {
    case Period::Session:
        return QStringLiteral("session = %1").arg(settings_.session);
    case Period::Week:
    case Period::Month:
        return QStringLiteral("ended_at >= %1").arg(periodStart(q));
    case Period::All:
        break;
    }
    return QStringLiteral("1");
}

RummyStats HistoryWorker::rummyStats(const StatsQuery& query)
{
    RummyStats s;
    if (!ensureOpen())
        return s;
    const QString f = where(query);
    // Each hand as two digits, its opponent level and its outcome, in order of play: one
    // pass over the table gives the counts and the streaks. A tie ends both kinds of streak.
    auto q = run(connection_, QStringLiteral("SELECT group_concat(o || w, '') FROM (SELECT opponent AS o, winner AS w"
                                             " FROM rummy_hands WHERE %1 ORDER BY id)").arg(f));
    const QByteArray hands2 = q.next() ? q.value(0).toByteArray() : QByteArray();
    QByteArray outcomes(hands2.size() / 2, '2');
    for (qsizetype i = 0; i + 1 < hands2.size(); i += 2) {
        auto& l = s.byLevel[hands2[i] == '1' ? 1 : 0];
        const char w = hands2[i + 1];
        ++l.hands;
        l.won += w == '0';
        l.lost += w == '1';
        l.tied += w == '2';
        outcomes[i / 2] = w;
    }
    const int64_t hands = outcomes.size();
    if (hands == 0)
        return s;
    const Runs wins = runsOf(outcomes, '0'), losses = runsOf(outcomes, '1');
    s.longestWin = wins.longest;
    s.longestLoss = losses.longest;
    s.currentStreak = wins.last > 0 ? wins.last : -losses.last;

    // The banks in order as one string, thinned here to the chart's points.
    q = run(connection_, QStringLiteral("SELECT group_concat(b, ',') FROM (SELECT user_bank AS b FROM rummy_hands"
                                        " WHERE %1 ORDER BY id)").arg(f));
    const QList<QByteArray> banks = (q.next() ? q.value(0).toByteArray() : QByteArray()).split(',');
    const int64_t step = std::max<int64_t>(1, hands / kChartPoints);
    for (int64_t n = 1; n <= banks.size(); ++n)
        if (n == 1 || n % step == 0 || n == banks.size())
            s.bank.push_back({n, banks[n - 1].toDouble()});

    q = run(connection_,
            QStringLiteral("SELECT COUNT(*) FROM rummy_hands WHERE %1 AND chance_given_up IS NOT NULL").arg(f));
    s.scored = q.next() ? q.value(0).toLongLong() : 0;
    const int64_t block = std::max<int64_t>(1, (s.scored + kChartPoints - 1) / kChartPoints);
    q = run(connection_, QStringLiteral("SELECT MIN(n), AVG(c) FROM (SELECT ROW_NUMBER() OVER (ORDER BY id) AS n,"
                                        " chance_given_up AS c FROM rummy_hands WHERE %1 AND c IS NOT NULL)"
                                        " GROUP BY (n - 1) / %2 ORDER BY 1")
                             .arg(f)
                             .arg(block));
    while (q.next())
        s.chance.push_back({q.value(0).toLongLong(), q.value(1).toDouble()});
    return s;
}

PokerStats HistoryWorker::pokerStats(const StatsQuery& query)
{
    PokerStats s;
    const Perfect best = perfect();
    s.perfectFinals = best.finals;
    s.variance = best.variance;
    if (!ensureOpen())
        return s;
    const QString f = where(query);
    // The account and the final hands in one pass.
    auto q = run(connection_, QStringLiteral("SELECT final_hand, COUNT(*), TOTAL(pay), TOTAL(hold_value),"
                                             " TOTAL(best_value), TOTAL(adviser_accepted) FROM poker_hands"
                                             " WHERE %1 GROUP BY final_hand").arg(f));
    while (q.next()) {
        const int h = q.value(0).toInt();
        if (h >= 0 && h < kFinalHands)
            s.finals[h] = q.value(1).toLongLong();
        s.hands += q.value(1).toLongLong();
        s.won += static_cast<int64_t>(q.value(2).toDouble());
        s.expected += q.value(3).toDouble();
        s.perfect += q.value(4).toDouble();
        s.adviserAccepted += static_cast<int64_t>(q.value(5).toDouble());
    }
    if (s.hands == 0)
        return s;
    s.wagered = s.hands * kHistoryWager;

    const QString costly = QStringLiteral("best_value - hold_value > %1").arg(kNoCost);
    // The learning curve by runs of row ids, joined here into blocks of at least 100 hands:
    // ids have gaps where another copy of the program or the other period's hands lie.
    q = run(connection_, QStringLiteral("SELECT COUNT(*), SUM(%2), TOTAL(best_value - hold_value) FROM poker_hands"
                                        " WHERE %1 GROUP BY id / %3 ORDER BY id / %3")
                             .arg(f, costly)
                             .arg(kCurveBlock));
    PokerStats::Block block;
    int64_t seen = 0;
    while (q.next()) {
        if (block.hands == 0)
            block.firstHand = seen + 1;
        block.hands += q.value(0).toLongLong();
        block.mistakes += q.value(1).toLongLong();
        block.cost += q.value(2).toDouble();
        seen += q.value(0).toLongLong();
        if (block.hands >= kCurveBlock) {
            s.curve.push_back(block);
            block = {};
        }
    }
    if (block.hands > 0)
        s.curve.push_back(block);

    q = run(connection_, QStringLiteral("SELECT group_concat(NOT (%2), '') FROM (SELECT best_value, hold_value"
                                        " FROM poker_hands WHERE %1 ORDER BY id)").arg(f, costly));
    s.longestPerfectRun = runsOf(q.next() ? q.value(0).toByteArray() : QByteArray(), '1').longest;
    return s;
}

HistoryWorker::Perfect HistoryWorker::perfect()
{
    if (perfect_)
        return *perfect_;
    Perfect p;
    const QString pays = gamePays();
    if (ensureOpen()) {
        QSqlQuery q(QSqlDatabase::database(connection_, false));
        q.prepare(QStringLiteral("SELECT finals, variance FROM perfect_play WHERE pays = ?"));
        q.addBindValue(pays);
        if (q.exec() && q.next()) {
            const QStringList counts = q.value(0).toString().split(QLatin1Char(' '));
            double total = 0;
            for (const auto& c : counts)
                total += c.toDouble();
            if (counts.size() == kFinalHands && total > 0) {
                for (int i = 0; i < kFinalHands; ++i)
                    p.finals[i] = counts[i].toDouble() / total;
                p.variance = q.value(1).toDouble();
                perfect_ = p;
                return p;
            }
        }
    }
    const GameSolution game = solveGame(kGamePays);
    QStringList counts;
    for (int i = 0; i < kFinalHands; ++i) {
        p.finals[i] = static_cast<double>(game.finals[i]) / static_cast<double>(game.total);
        counts << QString::number(game.finals[i]);
    }
    p.variance = game.variance;
    perfect_ = p;
    if (opened_) {  // kept for the next start; a file that cannot be written solves again
        QSqlQuery q(QSqlDatabase::database(connection_, false));
        q.prepare(QStringLiteral("INSERT OR REPLACE INTO perfect_play (pays, finals, variance) VALUES (?, ?, ?)"));
        q.addBindValue(pays);
        q.addBindValue(counts.join(QLatin1Char(' ')));
        q.addBindValue(p.variance);
        q.exec();
    }
    return p;
}

QString HistoryWorker::exportCsv(HistoryGame game, const StatsQuery& query, const QString& path)
{
    if (!ensureOpen())
        return QStringLiteral("the hand history cannot be opened");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return file.errorString();
    QTextStream out(&file);
    const auto when = [](const QVariant& ms) {
        return QDateTime::fromMSecsSinceEpoch(ms.toLongLong(), Qt::UTC).toString(Qt::ISODate);
    };
    const QString f = where(query);
    if (game == HistoryGame::Rummy) {
        out << "ended_at,winner,stake,user_bank,computer_bank,opponent,turns,trainer_open,chance_given_up\n";
        auto q = run(connection_, QStringLiteral("SELECT ended_at, winner, stake, user_bank, computer_bank, opponent,"
                                                 " turns, trainer_open, chance_given_up FROM rummy_hands WHERE %1"
                                                 " ORDER BY id").arg(f));
        static const char* const kWinner[] = {"user", "computer", "tie"};
        while (q.next()) {
            out << when(q.value(0)) << ',' << kWinner[std::clamp(q.value(1).toInt(), 0, 2)];
            for (int i = 2; i <= 4; ++i)
                out << ',' << q.value(i).toInt();
            out << ',' << (q.value(5).toInt() == 1 ? "expert" : "standard") << ',' << q.value(6).toInt() << ','
                << q.value(7).toInt() << ',';
            if (!q.value(8).isNull())
                out << QString::number(q.value(8).toDouble(), 'f', 4);
            out << '\n';
        }
    } else {
        out << "ended_at,dealt,hold,final,final_class,pay,hold_value,best_value,adviser_accepted\n";
        auto q = run(connection_, QStringLiteral("SELECT ended_at, dealt, hold, final, final_class, pay, hold_value,"
                                                 " best_value, adviser_accepted FROM poker_hands WHERE %1 ORDER BY id")
                                      .arg(f));
        const auto cards = [](const QVariant& v) {
            std::array<int, 5> c{};
            const QStringList parts = v.toString().split(QLatin1Char(' '));
            for (int i = 0; i < 5 && i < parts.size(); ++i)
                c[i] = parts[i].toInt();
            return QString::fromStdString(cardsText(c));
        };
        while (q.next()) {
            QString hold;
            for (int i = 0; i < 5; ++i)
                hold += (q.value(2).toUInt() >> i) & 1 ? QLatin1Char('1') : QLatin1Char('0');
            out << when(q.value(0)) << ',' << cards(q.value(1)) << ',' << hold << ',' << cards(q.value(3)) << ','
                << q.value(4).toInt() << ',' << q.value(5).toInt() << ','
                << QString::number(q.value(6).toDouble(), 'f', 4) << ','
                << QString::number(q.value(7).toDouble(), 'f', 4) << ',' << q.value(8).toInt() << '\n';
        }
    }
    out.flush();
    if (!file.commit())
        return file.errorString();
    return {};
}

QString HistoryWorker::reset(HistoryGame game)
{
    if (!ensureOpen())
        return QStringLiteral("the hand history cannot be opened");
    if (game == HistoryGame::Rummy)
        pendingRummy_.clear();
    else
        pendingPoker_.clear();
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(game == HistoryGame::Rummy ? QStringLiteral("DELETE FROM rummy_hands")
                                           : QStringLiteral("DELETE FROM poker_hands")))
        return q.lastError().text();
    return {};
}

}  // namespace dm
