// The contact sheet: written as a readable PNG holding the whole deck, or a clear failure.
#include "table/contact_sheet.h"

#include <gtest/gtest.h>
#include <QImage>
#include <QTemporaryDir>

TEST(ContactSheet, WritesOnePngWithEveryCardOnFelt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("sheet.png");
    ASSERT_TRUE(dm::renderContactSheet(path.toStdString()));
    const QImage sheet(path);
    ASSERT_FALSE(sheet.isNull());
    // Thirteen columns of cards wide, eight face rows plus the backs and frames tall.
    EXPECT_GE(sheet.width(), 13 * 90);
    EXPECT_GE(sheet.height(), 10 * 126);
    const QRgb felt = sheet.pixel(15, 15);
    EXPECT_GT(qGreen(felt), qRed(felt) + 30);
}

TEST(ContactSheet, ReportsFailureWhenTheFileCannotBeWritten)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(dm::renderContactSheet(dir.filePath("missing/folder/sheet.png").toStdString()));
    EXPECT_FALSE(dm::renderContactSheet(""));
}
