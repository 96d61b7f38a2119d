// The generated data beside the game: every file the game names is there, whole and loadable.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QTextDocument>
#include <set>

namespace {

QString binPath(const QString& relative) { return QStringLiteral(DUNMERE_BIN_DIR "/") + relative; }

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage picture(const QString& relative)
{
    return QImageReader(binPath(relative)).read().convertToFormat(QImage::Format_RGB32);
}

// The bytes must be what the extension promises: loaders elsewhere go by the name.
bool contentMatchesExtension(const QString& relative)
{
    const QByteArray head = readAll(binPath(relative)).left(8);
    const QString suffix = QFileInfo(relative).suffix().toLower();
    return (suffix == "jpg" && head.startsWith("\xFF\xD8\xFF")) || (suffix == "gif" && head.startsWith("GIF89a")) ||
           (suffix == "bmp" && head.startsWith("BM")) || (suffix == "png" && head.startsWith("\x89PNG"));
}

TEST(AssetFiles, BackgroundsAreTableSizedAndWhatTheirNamesSay)
{
    const QStringList files = QDir(binPath("pics")).entryList(QDir::Files);
    // The defaults of both games and the pictures with shuffle sounds.
    for (const char* name : {"meadow.jpg", "vpokerwood.jpg", "pkwood.jpg", "beach.gif", "beach2.jpg", "winter.jpg"})
        EXPECT_TRUE(files.contains(name)) << name;
    EXPECT_LE(files.size(), 21) << "the background menu shows only 21 entries";
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(picture("pics/" + name).size(), QSize(800, 600));
        EXPECT_TRUE(contentMatchesExtension("pics/" + name));
    }
}

TEST(AssetHelp, OpensOnContentsAndEveryLinkResolves)
{
    const QString help = QString::fromUtf8(readAll(binPath("dunmere.hlp")));
    ASSERT_GE(help.indexOf("<a name=\"contents\">"), 0);
    EXPECT_EQ(help.indexOf("<a name="), help.indexOf("<a name=\"contents\">")) << "the contents page comes first";
    std::set<QString> anchors;
    for (const auto& m : QRegularExpression("<a name=\"([^\"]+)\"").globalMatch(help))
        anchors.insert(m.captured(1));
    int links = 0;
    for (const auto& m : QRegularExpression("href=\"#([^\"]+)\"").globalMatch(help)) {
        EXPECT_TRUE(anchors.count(m.captured(1))) << "broken link #" << m.captured(1).toStdString();
        ++links;
    }
    EXPECT_GE(links, 12);
    QTextDocument document;  // the viewer lays it out as rich text
    document.setHtml(help);
    EXPECT_TRUE(document.toPlainText().contains("Tolva Rummy rules"));
}

}  // namespace
