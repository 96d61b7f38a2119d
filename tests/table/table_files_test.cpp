#include "table/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dm;

namespace {
void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(TableFiles, PresentOnlyForNonEmptyPlainFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath("empty.wav"), {});
    writeFile(dir.filePath("full.wav"), "RIFF");
    QDir(dir.path()).mkdir("folder");

    EXPECT_FALSE(filePresent(dir.filePath("missing.wav")));
    EXPECT_FALSE(filePresent(dir.filePath("empty.wav")));
    EXPECT_TRUE(filePresent(dir.filePath("full.wav")));
    EXPECT_FALSE(filePresent(dir.filePath("folder")));
    EXPECT_FALSE(filePresent(QString()));
}

TEST(TableFiles, DataPathJoinsWithEitherSeparator)
{
    EXPECT_EQ(dataPath("/opt/dm", "wavs/deal.wav"), "/opt/dm/wavs/deal.wav");
    EXPECT_EQ(dataPath("/opt/dm/", "\\pics\\backs\\x.bmp"), "/opt/dm/pics/backs/x.bmp");
    EXPECT_EQ(dataPath("/opt/dm", "dunmere.hlp"), "/opt/dm/dunmere.hlp");
    EXPECT_EQ(dataPath("", "wavs/deal.wav"), "wavs/deal.wav");  // never the root folder
}

TEST(TableFiles, ListFolderGivesFilesSortedIgnoringCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"b.jpg", "A.gif", "c.bmp", "Beach.gif"})
        writeFile(dir.filePath(name), "x");
    QDir(dir.path()).mkdir("backs");

    EXPECT_EQ(listFolder(dir.path()), (QStringList{"A.gif", "b.jpg", "Beach.gif", "c.bmp"}));
    EXPECT_TRUE(listFolder(dir.filePath("nowhere")).isEmpty());
}
