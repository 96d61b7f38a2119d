// Our GIF and BMP writers, the palette reduction behind them, and all-or-nothing file writes.
#include <gtest/gtest.h>

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

TEST(PictureWriters, GifAndBmpRoundTripPicturesOfUpTo256ColoursExactly)
{
    // One colour, the two-colour minimum code size, odd palette sizes and widths, 256 colours
    // that fill the code table and restart it many times, and long runs that build long chains.
    std::vector<QImage> pictures;
    uint32_t seed = 1;
    for (auto [w, h, colours] : {std::tuple{1, 1, 1}, {7, 5, 2}, {300, 1, 3}, {1, 40, 5}, {33, 17, 17},
                                 {90, 126, 129}, {200, 150, 256}})
        pictures.push_back(randomPicture(w, h, colours, seed++));
    QImage stripes(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            stripes.setPixel(x, y, y >= 100 && y < 300 && (x / 37 + y / 11) % 2 ? qRgb(200, 10, 10) : qRgb(40, 90, 60));
    pictures.push_back(stripes);
    for (const QImage& image : pictures) {
        SCOPED_TRACE(testing::Message() << image.width() << "x" << image.height());
        const QByteArray gif = encodeGif(image), bmp = encodeBmp(quantize(image));
        ASSERT_TRUE(gif.startsWith("GIF89a") && gif.endsWith(';') && bmp.startsWith("BM"));
        EXPECT_EQ(QImage::fromData(gif, "GIF").convertToFormat(QImage::Format_RGB32), image);
        EXPECT_EQ(QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32), image);
    }
    EXPECT_LT(encodeGif(stripes).size(), 640 * 480 / 8) << "runs should compress";
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
