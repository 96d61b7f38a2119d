// GIF and BMP files from the palette reduction, and all-or-nothing file writes.
#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <random>

#include "../../tools/assets/gif.h"
#include "../../tools/assets/images.h"
#include "../../tools/assets/output.h"
#include "../../tools/assets/quantize.h"

using namespace dm::assets;

namespace {

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

TEST(PictureWriters, GifAndBmpKeepPicturesOfUpTo256ColoursExactly)
{
    // One colour, two, odd palette sizes and widths, and all 256.
    QTemporaryDir dir;
    uint32_t seed = 1;
    for (auto [w, h, colours] : {std::tuple{1, 1, 1}, {7, 5, 2}, {300, 1, 3}, {33, 17, 17}, {90, 126, 129}, {200, 150, 256}}) {
        SCOPED_TRACE(testing::Message() << w << "x" << h << ", " << colours << " colours");
        const QImage image = randomPicture(w, h, colours, seed++);
        const QByteArray gif = encodeGif(image);
        ASSERT_TRUE(gif.startsWith("GIF89a") && savePicture(dir.filePath("x.bmp"), image));
        EXPECT_EQ(QImage::fromData(gif, "GIF").convertToFormat(QImage::Format_RGB32), image);
        QImageReader bmp(dir.filePath("x.bmp"));
        EXPECT_EQ(bmp.imageFormat(), QImage::Format_Indexed8);
        EXPECT_EQ(bmp.read().convertToFormat(QImage::Format_RGB32), image);
    }
}

TEST(PictureWriters, ASmoothPictureOfManyColoursStaysClose)
{
    QImage sky(512, 64, QImage::Format_RGB32);
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x)
            sky.setPixel(x, y, qRgb(x / 2, 90 + y, 255 - x / 3));
    const QImage back = QImage::fromData(encodeGif(sky), "GIF").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(back.size(), sky.size());
    long error = 0;
    for (int y = 0; y < sky.height(); ++y)
        for (int x = 0; x < sky.width(); ++x) {
            const QRgb a = sky.pixel(x, y), b = back.pixel(x, y);
            error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(double(error) / (sky.width() * sky.height()), 6.0) << "mean error over the three channels";
}

TEST(PictureFiles, EachFormatSavesWholeOrLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QImage image = randomPicture(90, 126, 300, 9);
    for (const char* name : {"a.jpg", "a.png", "a.gif", "a.bmp"}) {
        ASSERT_TRUE(savePicture(dir.filePath(name), image)) << name;
        EXPECT_EQ(QImageReader(dir.filePath(name)).read().size(), image.size()) << name;
    }
    QFile file(dir.filePath("a.bmp"));
    const qint64 kept = file.size();
    EXPECT_FALSE(savePicture(file.fileName(), QImage()));
    EXPECT_FALSE(writeFileAtomically(file.fileName(), QByteArray()));
    EXPECT_EQ(file.size(), kept);
    EXPECT_EQ(QImageReader(file.fileName()).read().size(), image.size());
    EXPECT_FALSE(savePicture(dir.filePath("new.gif"), QImage()));
    EXPECT_FALSE(QFile::exists(dir.filePath("new.gif")));
    EXPECT_FALSE(savePicture(dir.filePath("no/such/folder/x.jpg"), image));
}

}  // namespace
