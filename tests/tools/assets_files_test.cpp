// The generated data beside the game: every file the game names is there, whole and loadable.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextDocument>
#include <set>

#include "../../tools/assets/help.h"
#include "assets_support.h"
#include "poker/rules.h"

using assets_test::binPath;
using assets_test::readAll;

namespace {

QImage loadPicture(const QString& relative)
{
    return QImageReader(binPath(relative)).read();
}

// The bytes must be what the extension promises: loaders elsewhere go by the name.
bool contentMatchesExtension(const QString& relative)
{
    const QByteArray head = readAll(binPath(relative)).left(8);
    const QString suffix = QFileInfo(relative).suffix().toLower();
    if (suffix == "jpg")
        return head.startsWith("\xFF\xD8\xFF");
    if (suffix == "gif")
        return head.startsWith("GIF89a");
    if (suffix == "bmp")
        return head.startsWith("BM");
    if (suffix == "png")
        return head.startsWith("\x89PNG");
    return false;
}

TEST(AssetFiles, BackgroundsTheGameNamesLoadAtTableSize)
{
    // The defaults of both games, the pictures with shuffle sounds, and the rest of the set.
    const std::vector<QString> names{"meadow.jpg", "vpokerwood.jpg", "pkwood.jpg", "beach.gif", "beach2.jpg",
                                     "winter.jpg"};
    for (const QString& name : names) {
        const QImage image = loadPicture("pics/" + name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(800, 600)) << name.toStdString();
    }
}

TEST(AssetFiles, BackgroundFolderOffersEnoughVarietyInEveryFormat)
{
    const QStringList files = QDir(binPath("pics")).entryList(QDir::Files);
    int gif = 0, bmp = 0, vpoker = 0;
    qint64 total = 0;
    for (const QString& name : files) {
        const QImage image = loadPicture("pics/" + name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(800, 600)) << name.toStdString();
        EXPECT_TRUE(contentMatchesExtension("pics/" + name)) << name.toStdString();
        gif += name.endsWith(".gif");
        bmp += name.endsWith(".bmp");
        vpoker += name.startsWith("vpoker");
        total += QFileInfo(binPath("pics/" + name)).size();
    }
    EXPECT_GE(files.size(), 10);
    EXPECT_LE(files.size(), 21) << "the background menu shows only 21 entries";
    EXPECT_GE(gif, 1);
    EXPECT_GE(bmp, 1);
    EXPECT_GE(vpoker, 2);
    EXPECT_LT(total, 2'200'000) << "pictures should stay modest in size";
}

TEST(AssetFiles, PicturesAreCalmMidToneSurfaces)
{
    // White cards must stand out: no background may be light on average or violently contrasted.
    for (const QString& name : QDir(binPath("pics")).entryList(QDir::Files)) {
        const QImage image = loadPicture("pics/" + name).convertToFormat(QImage::Format_RGB32);
        double sum = 0, sumSq = 0;
        int n = 0;
        for (int y = 0; y < image.height(); y += 7)
            for (int x = 0; x < image.width(); x += 7) {
                const double l = qGray(image.pixel(x, y));
                sum += l;
                sumSq += l * l;
                ++n;
            }
        const double mean = sum / n, spread = std::sqrt(sumSq / n - mean * mean);
        EXPECT_LT(mean, 185) << name.toStdString();
        EXPECT_GT(mean, 25) << name.toStdString();
        EXPECT_LT(spread, 45) << name.toStdString();
    }
}

TEST(AssetFiles, CardBacksAreCardSizedPicturesWithALightBorder)
{
    const QStringList files = QDir(binPath("pics/backs")).entryList(QDir::Files);
    EXPECT_GE(files.size(), 3);
    for (const QString& name : files) {
        const QImage image = loadPicture("pics/backs/" + name);
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        EXPECT_EQ(image.size(), QSize(90, 126)) << name.toStdString();
        EXPECT_TRUE(contentMatchesExtension("pics/backs/" + name)) << name.toStdString();
        // The middle of each edge is the white border, not the table corner colour.
        for (QPoint p : {QPoint(45, 2), QPoint(45, 123), QPoint(2, 63), QPoint(87, 63)})
            EXPECT_GT(qGray(image.pixel(p)), 200) << name.toStdString() << " at " << p.x() << "," << p.y();
    }
}

TEST(AssetFiles, FrameRailsShareOneThickness)
{
    const QImage top = loadPicture("frames/top.png"), bottom = loadPicture("frames/bottom.png");
    const QImage left = loadPicture("frames/left.png"), right = loadPicture("frames/right.png");
    for (const QImage* rail : {&top, &bottom, &left, &right})
        ASSERT_FALSE(rail->isNull());
    EXPECT_EQ(top.height(), bottom.height());
    EXPECT_EQ(left.width(), right.width());
    EXPECT_EQ(top.height(), left.width());
    EXPECT_GE(top.height(), 8);
    EXPECT_LE(top.height(), 20);
    EXPECT_GT(top.width(), top.height() * 10) << "horizontal rails run along the table";
    EXPECT_GT(left.height(), left.width() * 10) << "vertical rails run down the table";
}

TEST(AssetHelp, OpensOnContentsAndEveryLinkFindsItsSection)
{
    const QString help = QString::fromUtf8(readAll(binPath("dunmere.hlp")));
    ASSERT_FALSE(help.isEmpty());
    const int contents = help.indexOf("<a name=\"contents\">");
    ASSERT_GE(contents, 0);
    std::set<QString> anchors;
    for (const auto& m : QRegularExpression("<a name=\"([^\"]+)\"").globalMatch(help))
        anchors.insert(m.captured(1));
    EXPECT_EQ(help.indexOf("<a name="), contents) << "the contents page comes first";
    int links = 0;
    for (const auto& m : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(help)) {
        EXPECT_TRUE(anchors.count(m.captured(1))) << "broken link #" << m.captured(1).toStdString();
        ++links;
    }
    EXPECT_GE(links, 12);

    // The viewer must be able to lay it out as rich text.
    QTextDocument document;
    document.setHtml(help);
    EXPECT_TRUE(document.toPlainText().contains("Tolva Rummy rules"));
}

TEST(AssetHelp, NamesEveryCommandOptionAndLadderCaption)
{
    const QString help = QString::fromUtf8(readAll(binPath("dunmere.hlp")));
    for (int cls = 1; cls <= dm::kPokerClasses; ++cls)
        EXPECT_TRUE(help.contains(QString::fromLatin1(dm::pokerCaption(cls)).toHtmlEscaped()))
            << "caption of class " << cls << ": '" << dm::pokerCaption(cls) << "'";
    const char* texts[] = {"Play Video Poker", "Play Tolva-Rummy", "Exit", "Start New Game", "Sort by Rank",
                           "Sort by Suit", "Peek", "Show Hand", "Hide Hand", "Show Scores", "Hide Desktop",
                           "Show Desktop", "Select Background", "More Options..", "Contents", "About Dunmere",
                           "Always Show Best Play", "Show Best Play after Error", "Auto Deal", "Auto sort by rank",
                           "Show Tolva-Rummy Scores", "Enable sounds", "Enable animation", "Card Spacers (pixels)",
                           "Animation Delay", "Select Card Image", "Hold Card Outline color", "stats.dat",
                           "Tolva Rummy Top Scores", "Video Poker Perfect Play", "Big Winners", "Hands", "Timer"};
    for (const char* text : texts)
        EXPECT_TRUE(help.contains(QString::fromLatin1(text))) << text;
}

}  // namespace
