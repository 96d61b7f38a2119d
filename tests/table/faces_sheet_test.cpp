// The contact sheet: written as a readable PNG holding the whole deck, or a clear failure.
#include "table/contact_sheet.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QTemporaryDir>

TEST(ContactSheet, WritesOnePngWithEveryCardOnFeltOrReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sheet.png");
    ASSERT_TRUE(dm::renderContactSheet(path.toStdString()));
    const QImage sheet(path);
    // Thirteen columns of cards wide, eight face rows plus the backs and frames tall.
    EXPECT_GE(sheet.width(), 13 * 90);
    EXPECT_GE(sheet.height(), 10 * 126);
    EXPECT_GT(qGreen(sheet.pixel(15, 15)), qRed(sheet.pixel(15, 15)) + 30);

    EXPECT_FALSE(dm::renderContactSheet(dir.filePath("missing/folder/sheet.png").toStdString()));
    EXPECT_FALSE(dm::renderContactSheet(""));
}
