// A damaged file is set aside and a new one begun; a file or folder that cannot be
// written is told once and play goes on; two programs at once both keep every hand.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <random>
#include <sys/stat.h>

#include "history_support.h"
#include "history/history_hands.h"

namespace dm {
namespace {

using test::Peek;

// A history of a few thousand hands, closed cleanly (no log beside it).
void seedFile(const QString& path, int hands)
{
    SqlHandHistory::Options o;
    o.path = path;
    o.durable = false;
    SqlHandHistory h(o);
    SeededRng rng(11);
    HandSampler sampler(rng);
    for (int i = 0; i < hands; ++i) {
        h.recordPoker(sampler.poker(1000 + i));
        h.recordRummy(sampler.rummy(1000 + i));
    }
}

struct Drive {
    int status = -1;
    QString out, err;
};

Drive drive(const QString& file, int hands, bool asNobody, const QString& program)
{
    std::unique_ptr<QProcess> p(test::startDrive(file, hands, {}, asNobody, program));
    p->waitForFinished(120000);
    return {p->exitStatus() == QProcess::NormalExit ? p->exitCode() : -1, QString::fromUtf8(p->readAllStandardOutput()),
            QString::fromUtf8(p->readAllStandardError())};
}

TEST(HistoryFaultTest, ADamagedFileIsSetAsideWithOneMessageAndANewOneBegun)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    seedFile(path, 1500);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        std::mt19937 rng(5);
        QByteArray noise(16384, 0);
        for (char& c : noise)
            c = static_cast<char>(rng());
        f.seek(f.size() / 2);
        f.write(noise);
    }
    QStringList told;
    SqlHandHistory::Options o;
    o.path = path;
    o.clock = [] { return int64_t{1'800'000'000'000}; };  // 2027-01-15
    o.tell = [&](const QString& text) { told << text; };
    {
        SqlHandHistory h(o);
        h.recordRummy({});
        h.flush();
        QTest::qWait(50);
        EXPECT_EQ(test::rummyOf(h).byLevel[0].hands, 1);
    }
    const QString aside = path + ".damaged-2027-01-15";
    ASSERT_EQ(told.size(), 1);
    EXPECT_TRUE(told[0].contains(QDir::toNativeSeparators(path))) << told[0].toStdString();
    EXPECT_TRUE(told[0].contains(QDir::toNativeSeparators(aside))) << told[0].toStdString();
    EXPECT_TRUE(QFile::exists(aside));
    Peek peek(path);
    EXPECT_EQ(peek.value("PRAGMA integrity_check").toString(), "ok");
    EXPECT_EQ(peek.value("SELECT COUNT(*) FROM rummy_hands").toInt(), 1);
}

// The program told once that the history cannot be written, and played every hand.
void expectToldOnceAndPlayed(const Drive& d, int hands)
{
    EXPECT_EQ(d.status, 0) << d.err.toStdString();
    EXPECT_TRUE(d.out.contains(QStringLiteral("played %1 hands").arg(hands))) << d.out.toStdString();
    EXPECT_EQ(d.err.count("told:"), 1) << d.err.toStdString();
    EXPECT_TRUE(d.err.contains("cannot be written")) << d.err.toStdString();
}

TEST(HistoryFaultTest, AReadOnlyFileOrFolderIsToldOnceAndPlayGoesOn)
{
    QTemporaryDir dir;  // under root the program runs as nobody, so permission bits bite
    ::chmod(QFile::encodeName(dir.path()).constData(), 0777);
    const QString fileDir = dir.filePath("file"), folderDir = dir.filePath("folder");
    QDir().mkpath(fileDir);
    QDir().mkpath(folderDir);
    seedFile(fileDir + "/history.sqlite", 20);
    seedFile(folderDir + "/history.sqlite", 20);
    // A read-only file in a folder anyone may write.
    ::chmod(QFile::encodeName(fileDir).constData(), 0777);
    ::chmod(QFile::encodeName(fileDir + "/history.sqlite").constData(), 0444);
    // A file anyone may write in a folder no one may: its write-ahead log cannot be made.
    ::chmod(QFile::encodeName(folderDir + "/history.sqlite").constData(), 0666);
    ::chmod(QFile::encodeName(folderDir).constData(), 0555);

    const QString program = dir.filePath("dunmere");
    ASSERT_TRUE(QFile::copy(DUNMERE_BIN_DIR "/dunmere", program));
    ::chmod(QFile::encodeName(program).constData(), 0755);
    expectToldOnceAndPlayed(drive(fileDir + "/history.sqlite", 30, true, program), 30);
    expectToldOnceAndPlayed(drive(folderDir + "/history.sqlite", 30, true, program), 30);
    ::chmod(QFile::encodeName(folderDir).constData(), 0755);
    EXPECT_EQ(Peek(fileDir + "/history.sqlite").value("SELECT COUNT(*) FROM poker_hands").toInt(), 20);
}

TEST(HistoryFaultTest, TwoProgramsAtOnceBothKeepEveryHand)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    constexpr int kHands = 120;
    std::unique_ptr<QProcess> a(test::startDrive(path, kHands, dir.filePath("a.log")));
    std::unique_ptr<QProcess> b(test::startDrive(path, kHands, dir.filePath("b.log")));
    ASSERT_TRUE(a->waitForFinished(120000));
    ASSERT_TRUE(b->waitForFinished(120000));
    EXPECT_EQ(a->readAllStandardError(), "");
    EXPECT_EQ(b->readAllStandardError(), "");
    Peek peek(path);
    QSet<qlonglong> sessions;
    for (const QString log : {"a.log", "b.log"}) {
        const auto committed = test::readCommitLog(dir.filePath(log));
        EXPECT_EQ(committed.size(), 2u * kHands);
        for (const auto& c : committed) {
            sessions << c.session;
            EXPECT_EQ(peek.value(QStringLiteral("SELECT COUNT(*) FROM %1_hands WHERE id = %2 AND session = %3 AND "
                                                "ended_at = %4")
                                     .arg(c.game)
                                     .arg(c.id)
                                     .arg(c.session)
                                     .arg(c.endedAt))
                          .toInt(),
                      1)
                << log.toStdString() << " " << c.game.toStdString() << " " << c.id;
        }
    }
    EXPECT_EQ(sessions.size(), 2);
    EXPECT_EQ(peek.value("SELECT COUNT(*) FROM poker_hands").toInt(), 2 * kHands);
    EXPECT_EQ(peek.value("SELECT COUNT(*) FROM rummy_hands").toInt(), 2 * kHands);
}

}  // namespace
}  // namespace dm
