#include "table/cover.h"
#include "table/helpview.h"
#include "table/picture_box.h"
#include "table/surface.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QMouseEvent>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace dm;

namespace {
QColor pixel(const QPixmap& pm, int x, int y)
{
    return pm.toImage().pixelColor(x, y);
}

bool sameImage(const QPixmap& a, const QPixmap& b)
{
    return a.toImage().convertToFormat(QImage::Format_ARGB32) == b.toImage().convertToFormat(QImage::Format_ARGB32);
}

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
    EXPECT_EQ(pixel(board, 10, 10), QColor(Qt::red));
    EXPECT_EQ(pixel(board, 150, 60), QColor(Qt::cyan));
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

TEST(TableSurface, FramePicturesStretchAlongTheEdges)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkdir("frames");
    auto frame = [&](const char* name, QSize size, QColor colour) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(dir.filePath(QString("frames/") + name)));
    };
    frame("top.png", QSize(4, 6), Qt::magenta);
    frame("bottom.png", QSize(4, 5), Qt::darkBlue);
    frame("left.png", QSize(3, 4), Qt::white);
    frame("right.png", QSize(7, 4), Qt::black);

    TableSurface table(dir.path());
    table.resize(300, 200);
    table.setBackground(quarters(QSize(300, 200)));
    const QPixmap b = table.board();
    EXPECT_EQ(pixel(b, 150, 5), QColor(Qt::magenta));
    EXPECT_EQ(pixel(b, 150, 6), QColor(Qt::blue));
    EXPECT_EQ(pixel(b, 150, 195), QColor(Qt::darkBlue));
    EXPECT_EQ(pixel(b, 1, 100), QColor(Qt::white));    // the sides go over top and bottom
    EXPECT_EQ(pixel(b, 1, 2), QColor(Qt::white));
    EXPECT_EQ(pixel(b, 294, 100), QColor(Qt::black));
    EXPECT_EQ(pixel(b, 292, 100), QColor(Qt::cyan));
    // Slices include the frame where the box overlaps it.
    EXPECT_EQ(pixel(table.slice(QRect(100, 0, 10, 10)), 5, 2), QColor(Qt::magenta));
}

TEST(TableSurface, PaintOnBoardLastsUntilReset)
{
    TableSurface table(QString{});
    table.resize(120, 80);
    table.setBackground(quarters(QSize(120, 80)));
    table.paintOnBoard([](QPainter& p) { p.fillRect(QRect(0, 0, 10, 10), Qt::green); });
    EXPECT_EQ(pixel(table.board(), 5, 5), QColor(Qt::green));
    EXPECT_EQ(pixel(table.slice(QRect(0, 0, 20, 20)), 5, 5), QColor(Qt::green));
    table.resetBoard();
    EXPECT_EQ(pixel(table.board(), 5, 5), QColor(Qt::red));
}

TEST(TablePictureBox, RestoreGivesTheSliceBack)
{
    TableSurface table(QString{});
    table.resize(200, 100);
    table.setBackground(quarters(QSize(200, 100)));
    PictureBox box(&table, 3);
    EXPECT_EQ(box.index(), 3);
    const QRect where(80, 30, 40, 40);
    box.setGeometry(where);
    box.setSlice(table.slice(where));
    EXPECT_TRUE(sameImage(box.image, box.backSlice));

    box.paint([](QPainter& p) { p.fillRect(QRect(5, 5, 30, 30), Qt::white); });
    EXPECT_EQ(pixel(box.image, 20, 20), QColor(Qt::white));
    EXPECT_EQ(pixel(box.image, 1, 1), QColor(Qt::red));  // untouched corner keeps the table

    box.restore();
    EXPECT_TRUE(sameImage(box.image, table.slice(where)));
}

namespace {
void sendMouse(QWidget* w, QEvent::Type type, Qt::MouseButton button, QPoint pos)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
}  // namespace

TEST(TablePictureBox, MouseSignalsCarryButtonAndPosition)
{
    QWidget table;
    table.resize(200, 200);
    auto* box = new PictureBox(&table);
    box->setGeometry(10, 10, 90, 126);
    std::vector<std::pair<Qt::MouseButton, QPoint>> pressed, released, clicked;
    QObject::connect(box, &PictureBox::pressed, [&](Qt::MouseButton b, QPoint p) { pressed.emplace_back(b, p); });
    QObject::connect(box, &PictureBox::released, [&](Qt::MouseButton b, QPoint p) { released.emplace_back(b, p); });
    QObject::connect(box, &PictureBox::clicked, [&](Qt::MouseButton b, QPoint p) { clicked.emplace_back(b, p); });

    sendMouse(box, QEvent::MouseButtonPress, Qt::RightButton, QPoint(20, 30));
    sendMouse(box, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(22, 31));
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], std::make_pair(Qt::RightButton, QPoint(20, 30)));
    ASSERT_EQ(clicked.size(), 1u);
    EXPECT_EQ(clicked[0], std::make_pair(Qt::RightButton, QPoint(22, 31)));

    // Released outside the box: no click.
    sendMouse(box, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(20, 30));
    sendMouse(box, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(150, 30));
    EXPECT_EQ(released.size(), 2u);
    EXPECT_EQ(clicked.size(), 1u);
}

TEST(TableHelp, ShowsContentsOrSaysTheFileIsMissing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath("dunmere.hlp");
    HelpWindow* none = showHelp(nullptr, missing);
    EXPECT_TRUE(none->browser()->toPlainText().contains("could not be found"));
    EXPECT_TRUE(none->browser()->toPlainText().contains(missing));
    none->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QFile f(missing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<html><body><h1><a name=\"contents\">Contents</a></h1><p>Rummy rules</p>"
            "<script>bad()</script></body></html>");
    f.close();
    HelpWindow* help = showHelp(nullptr, missing);
    EXPECT_TRUE(help->browser()->toPlainText().contains("Rummy rules"));
    EXPECT_EQ(showHelp(nullptr, missing), help);  // one window, raised again
    help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(TableCover, CoversTheWholeScreen)
{
    QWidget main;
    main.show();
    frmHide cover(&main);
    cover.showCover();
    ASSERT_NE(QGuiApplication::primaryScreen(), nullptr);
    EXPECT_EQ(cover.geometry(), main.screen()->geometry());
    EXPECT_TRUE(cover.isVisible());
    cover.hide();
}
