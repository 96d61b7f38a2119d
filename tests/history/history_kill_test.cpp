// The real program records hands as fast as it can and is killed at random moments, 200
// times over. Afterwards the file is whole and every hand whose commit returned is there.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QThread>
#include <random>

#include "history_support.h"

namespace dm {
namespace {

TEST(HistoryKillTest, EveryCommittedHandSurvivesTwoHundredKills)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    const QString log = dir.filePath("committed.log");
    std::mt19937 rng(2026);
    // Killed once the run has committed a hand, a random moment later: amid the next ones.
    std::uniform_int_distribution<int> pause(0, 40);
    constexpr int kKills = 200;
    int killedRunning = 0;
    for (int i = 0; i < kKills; ++i) {
        std::unique_ptr<QProcess> p(test::startDrive(path, 0, log));
        const qint64 before = QFileInfo(log).size();
        ASSERT_TRUE(p->waitForStarted(10000));
        for (int wait = 0; wait < 2000 && QFileInfo(log).size() == before; ++wait)
            QThread::msleep(5);
        QThread::msleep(static_cast<unsigned long>(pause(rng)));
        killedRunning += p->state() == QProcess::Running;
        p->kill();  // SIGKILL
        ASSERT_TRUE(p->waitForFinished(10000));
    }
    EXPECT_EQ(killedRunning, kKills);

    test::Peek peek(path);
    EXPECT_EQ(peek.value("PRAGMA integrity_check").toString(), "ok");
    const auto committed = test::readCommitLog(log);
    EXPECT_GT(committed.size(), 100u) << "too few hands committed to tell anything";
    int missing = 0;
    for (const auto& c : committed)
        missing += peek.value(QStringLiteral("SELECT COUNT(*) FROM %1_hands WHERE id = %2 AND session = %3 AND "
                                             "ended_at = %4")
                                  .arg(c.game)
                                  .arg(c.id)
                                  .arg(c.session)
                                  .arg(c.endedAt))
                       .toInt() != 1;
    EXPECT_EQ(missing, 0) << "of " << committed.size() << " committed hands";
}

}  // namespace
}  // namespace dm
