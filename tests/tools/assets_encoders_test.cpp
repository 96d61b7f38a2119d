// Our GIF and BMP writers, the palette reduction behind them, and the all-or-nothing file writes.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <random>

#include "../../tools/assets/bmp.h"
#include "../../tools/assets/gif.h"
#include "../../tools/assets/images.h"
#include "../../tools/assets/output.h"

using namespace dm::assets;

namespace {

QImage decode(const QByteArray& bytes, const char* format = "gif")
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

// A picture drawn from `colours` distinct colours, placed at random.
QImage randomPicture(int width, int height, int colours, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::vector<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(qRgb(int(rng() % 256), int(rng() % 256), i % 256));  // blue keeps them distinct
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, palette[rng() % palette.size()]);
    return image;
}

void expectSamePixels(const QImage& a, const QImage& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            ASSERT_EQ(a.pixel(x, y) | 0xFF000000u, b.pixel(x, y) | 0xFF000000u) << "at " << x << "," << y;
}

TEST(GifWriter, RoundTripsFewColourPicturesExactly)
{
    struct Case {
        int width, height, colours;
    };
    // One colour, the two-colour minimum code size, odd palette sizes, and a full 256-colour
    // picture large enough to fill the code table and restart it many times.
    const Case cases[] = {{1, 1, 1}, {7, 5, 2}, {300, 1, 3}, {1, 40, 5}, {33, 17, 17}, {64, 64, 129}, {200, 150, 256}};
    uint32_t seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " with " << c.colours << " colours");
        const QImage image = randomPicture(c.width, c.height, c.colours, seed++);
        const QByteArray gif = encodeGif(image);
        ASSERT_TRUE(gif.startsWith("GIF89a"));
        ASSERT_TRUE(gif.endsWith(';'));
        expectSamePixels(image, decode(gif));
    }
}

TEST(GifWriter, LongRunsOfOneColourRoundTrip)
{
    // Long runs build long dictionary chains: the widest codes and the table reset matter here.
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(qRgb(40, 90, 60));
    for (int y = 100; y < 300; ++y)
        for (int x = 0; x < 640; ++x)
            image.setPixel(x, y, (x / 37 + y / 11) % 2 ? qRgb(200, 10, 10) : qRgb(40, 90, 60));
    const QByteArray gif = encodeGif(image);
    EXPECT_LT(gif.size(), 640 * 480 / 8) << "runs should compress";
    expectSamePixels(image, decode(gif));
}

TEST(GifWriter, ManyColourPicturesComeBackCloseWithAFullPalette)
{
    QImage image(120, 90, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 2, y * 2, (x + y) % 256));
    const IndexedPicture indexed = quantize(image);
    EXPECT_EQ(indexed.palette.size(), 256u);
    const QImage back = decode(encodeGif(indexed));
    ASSERT_EQ(back.size(), image.size());
    double error = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb a = image.pixel(x, y), b = back.pixel(x, y);
            error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(error / (image.width() * image.height() * 3), 6.0);
}

TEST(GifWriter, RefusesMalformedInput)
{
    IndexedPicture bad{2, 2, {qRgb(0, 0, 0)}, {0, 0, 1, 0}};  // index 1 has no colour
    EXPECT_TRUE(encodeGif(bad).isEmpty());
    IndexedPicture shortData{2, 2, {qRgb(0, 0, 0)}, {0, 0}};
    EXPECT_TRUE(encodeGif(shortData).isEmpty());
    EXPECT_TRUE(encodeGif(QImage()).isEmpty());
}

TEST(BmpWriter, RoundTripsOddWidthsExactlyWithZeroPadding)
{
    // Widths that are not a multiple of four need padded rows; the padding must be zeros
    // so that the same picture always gives the same file.
    uint32_t seed = 40;
    for (QSize size : {QSize(1, 1), QSize(90, 126), QSize(33, 7), QSize(64, 3)}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        const QImage image = randomPicture(size.width(), size.height(), 200, seed++);
        const IndexedPicture indexed = quantize(image);
        const QByteArray bmp = encodeBmp(indexed);
        ASSERT_TRUE(bmp.startsWith("BM"));
        expectSamePixels(image, decode(bmp, "bmp"));
        const int stride = (size.width() + 3) / 4 * 4;
        for (int row = 0; row < size.height(); ++row)
            for (int pad = size.width(); pad < stride; ++pad)
                ASSERT_EQ(bmp[1078 + row * stride + pad], '\0');
    }
    EXPECT_TRUE(encodeBmp(IndexedPicture{2, 1, {qRgb(1, 2, 3)}, {0, 3}}).isEmpty());
}

TEST(PictureFiles, FailedSavesLeaveExistingFilesWhole)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("keep.bmp");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old content");
    }
    EXPECT_FALSE(savePicture(path, QImage()));
    EXPECT_FALSE(savePicture(dir.filePath("keep.gif"), QImage()));
    EXPECT_FALSE(writeFileAtomically(path, QByteArray()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("old content"));
    EXPECT_FALSE(QFile::exists(dir.filePath("keep.gif")));

    EXPECT_FALSE(savePicture(dir.filePath("no/such/folder/x.jpg"), QImage(4, 4, QImage::Format_RGB32)));
}

TEST(PictureFiles, EachFormatLoadsBackAtItsSize)
{
    QTemporaryDir dir;
    const QImage image = randomPicture(90, 126, 300, 9);
    for (const char* name : {"a.jpg", "a.png", "a.bmp", "a.gif"}) {
        ASSERT_TRUE(savePicture(dir.filePath(name), image)) << name;
        QImageReader reader(dir.filePath(name));
        EXPECT_EQ(reader.read().size(), image.size()) << name;
    }
}

}  // namespace
