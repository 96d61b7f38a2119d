#include "table/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dm;

TEST(TableFiles, FolderListingAndDataPaths)
{
    QTemporaryDir dir;
    for (const char* name : {"b.jpg", "A.gif", "Beach.gif"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    EXPECT_FALSE(filePresent(dir.filePath("b.jpg")));  // an empty file is no file
    // Sorted ignoring case, as the background menu shows them.
    EXPECT_EQ(listFolder(dir.path()), (QStringList{"A.gif", "b.jpg", "Beach.gif"}));
    EXPECT_TRUE(listFolder(dir.filePath("nowhere")).isEmpty());
    EXPECT_EQ(dataPath("/opt/dm/", "\\pics\\backs\\x.bmp"), "/opt/dm/pics/backs/x.bmp");  // either separator
    EXPECT_EQ(dataPath("", "wavs/deal.wav"), "wavs/deal.wav");  // never the root
}
