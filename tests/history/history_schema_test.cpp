// A file of every older schema version is brought up to date with its hands kept.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "history_support.h"
#include "history/history_schema.h"

namespace dm {
namespace {

QStringList schemaOf(const test::Peek& peek)
{
    return peek.column("SELECT type || ' ' || name || ' ' || IFNULL(sql, '') FROM sqlite_master ORDER BY name");
}

TEST(HistorySchemaTest, EveryOlderVersionMigratesToTheNewestWithItsHands)
{
    QTemporaryDir dir;
    const QString fresh = dir.filePath("fresh.sqlite");
    {
        SqlHandHistory made({fresh});
        made.flush();
    }
    const QStringList newest = schemaOf(test::Peek(fresh));
    ASSERT_GE(historySchemaVersion(), 2);
    for (int version = 0; version < historySchemaVersion(); ++version) {
        SCOPED_TRACE(version);
        const QString path = dir.filePath(QStringLiteral("v%1.sqlite").arg(version));
        {
            test::Peek old(path);
            auto db = old.db();
            QString error;
            ASSERT_TRUE(migrateHistory(db, error, version)) << error.toStdString();
            ASSERT_EQ(historyVersionOf(db), version);
            if (version >= 1) {  // hands in the first schema's columns
                QSqlQuery q(db);
                ASSERT_TRUE(q.exec("INSERT INTO rummy_hands VALUES (7, 1, 2, 0, 10, 110, 90, 1, 12, 1, 0.125)"));
                ASSERT_TRUE(q.exec("INSERT INTO poker_hands VALUES (3, 1, 2, '0 36 40 44 5', 15, '0 36 40 44 48', "
                                   "1, 0, 4000, 93.6, 93.6, 1)"));
            }
        }
        {
            SqlHandHistory h({path});
            h.flush();
            if (version >= 1) {
                EXPECT_EQ(test::rummyOf(h).byLevel[1].won, 1);
                EXPECT_EQ(test::pokerOf(h).won, 4000);
            }
        }
        test::Peek peek(path);
        auto db = peek.db();
        EXPECT_EQ(historyVersionOf(db), historySchemaVersion());
        EXPECT_EQ(schemaOf(peek), newest);
        EXPECT_EQ(peek.value("PRAGMA journal_mode").toString(), "wal");
    }
}

TEST(HistorySchemaTest, AFileFromANewerProgramIsReadAsItIs)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    {
        SqlHandHistory h({path});
        h.flush();
    }
    {
        test::Peek peek(path);
        QSqlQuery(peek.db()).exec(QStringLiteral("PRAGMA user_version = %1").arg(historySchemaVersion() + 1));
    }
    QString told;
    SqlHandHistory::Options o;
    o.path = path;
    o.tell = [&](const QString& t) { told = t; };
    SqlHandHistory h(o);
    h.recordRummy({});
    h.flush();
    EXPECT_EQ(test::rummyOf(h).byLevel[0].hands, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(told, "");
}

}  // namespace
}  // namespace dm
