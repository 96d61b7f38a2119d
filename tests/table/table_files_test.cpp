#include "table/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dm;

TEST(TableFiles, PresenceAndFolderListing)
{
    QTemporaryDir dir;
    for (const auto& [name, bytes] : {std::pair{"empty.wav", ""}, {"b.jpg", "x"}, {"A.gif", "x"}, {"Beach.gif", "x"}}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QDir(dir.path()).mkdir("folder");

    for (const char* absent : {"missing.wav", "empty.wav", "folder", ""})
        EXPECT_FALSE(filePresent(*absent ? dir.filePath(absent) : QString())) << absent;
    EXPECT_TRUE(filePresent(dir.filePath("b.jpg")));
    // Files only, sorted ignoring case.
    EXPECT_EQ(listFolder(dir.path()), (QStringList{"A.gif", "b.jpg", "Beach.gif", "empty.wav"}));
    EXPECT_TRUE(listFolder(dir.filePath("nowhere")).isEmpty());
}

TEST(TableFiles, DataPathJoinsWithEitherSeparatorAndNeverPointsAtTheRoot)
{
    EXPECT_EQ(dataPath("/opt/dm", "wavs/deal.wav"), "/opt/dm/wavs/deal.wav");
    EXPECT_EQ(dataPath("/opt/dm/", "\\pics\\backs\\x.bmp"), "/opt/dm/pics/backs/x.bmp");
    EXPECT_EQ(dataPath("", "wavs/deal.wav"), "wavs/deal.wav");
}
