#include "table/helpview.h"
#include "table/picture_box.h"
#include "table/surface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace dm;

namespace {
QColor pixel(const QPixmap& pm, int x, int y) { return pm.toImage().pixelColor(x, y); }

// A background with a distinct colour in each quarter, so slices can be told apart.
QImage quarters(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    const int w = size.width() / 2, h = size.height() / 2;
    p.fillRect(0, 0, w, h, Qt::red);
    p.fillRect(w, 0, w, h, Qt::blue);
    p.fillRect(0, h, w, h, Qt::yellow);
    p.fillRect(w, h, w, h, Qt::cyan);
    return img;
}
}  // namespace

TEST(TableSurface, BoardIsBackgroundThenGreenAndSlicesCopyIt)
{
    TableSurface table(QStringLiteral("/nonexistent"));
    table.resize(300, 200);
    table.setBackground(quarters(QSize(200, 100)));
    const QPixmap board = table.board();
    EXPECT_EQ(board.deviceIndependentSize().toSize(), QSize(300, 200));
    EXPECT_EQ(pixel(board, 250, 150), TableSurface::tableGreen());  // beyond the picture

    const QPixmap s = table.slice(QRect(90, 40, 20, 20));  // across all four quarters
    EXPECT_EQ(s.deviceIndependentSize().toSize(), QSize(20, 20));
    EXPECT_EQ(pixel(s, 0, 0), QColor(Qt::red));
    EXPECT_EQ(pixel(s, 19, 0), QColor(Qt::blue));
    EXPECT_EQ(pixel(s, 0, 19), QColor(Qt::yellow));
    EXPECT_EQ(pixel(s, 19, 19), QColor(Qt::cyan));
    const QPixmap outside = table.slice(QRect(290, 190, 20, 20));  // half off the table
    EXPECT_EQ(outside.deviceIndependentSize().toSize(), QSize(20, 20));
    EXPECT_EQ(pixel(outside, 15, 15), TableSurface::tableGreen());
}

TEST(TablePictureBox, RestoreGivesTheSliceBack)
{
    TableSurface table(QString{});
    table.resize(200, 100);
    table.setBackground(quarters(QSize(200, 100)));
    PictureBox box(&table, 3);
    const QRect where(80, 30, 40, 40);
    box.setGeometry(where);
    box.setSlice(table.slice(where));
    box.paint([](QPainter& p) { p.fillRect(QRect(5, 5, 30, 30), Qt::white); });
    EXPECT_EQ(pixel(box.image, 20, 20), QColor(Qt::white));
    EXPECT_EQ(pixel(box.image, 1, 1), QColor(Qt::red));  // untouched corner keeps the table
    box.restore();
    const auto argb = [](const QPixmap& pm) { return pm.toImage().convertToFormat(QImage::Format_ARGB32); };
    EXPECT_EQ(argb(box.image), argb(table.slice(where)));
}

TEST(TableHelp, ShowsContentsOrSaysTheFileIsMissing)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("dunmere.hlp");
    HelpWindow* help = showHelp(nullptr, file);
    EXPECT_TRUE(help->browser()->toPlainText().contains("could not be found"));

    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><body><h1><a name=\"contents\">Contents</a></h1><p>Rummy rules</p></body></html>");
    f.close();
    EXPECT_EQ(showHelp(nullptr, file), help);  // the one window, reloaded and raised
    EXPECT_TRUE(help->browser()->toPlainText().contains("Rummy rules"));
    help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
