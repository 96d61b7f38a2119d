// The generated data beside the game: every file the game names is there, whole and loadable.
#include "table/sound.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QRegularExpression>
#include <map>
#include <set>

namespace {

QString binPath(const QString& relative) { return QStringLiteral(DUNMERE_BIN_DIR "/") + relative; }

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(AssetFiles, EveryFileTheGameNamesIsThereAndWhole)
{
    // The defaults of both games, the pictures with shuffle sounds and every sound played.
    for (const char* name : {"pics/meadow.jpg", "pics/vpokerwood.jpg", "pics/pkwood.jpg", "pics/beach.gif",
                             "pics/beach2.jpg", "pics/winter.jpg", "dunmere.hlp"})
        EXPECT_TRUE(QFile::exists(binPath(name))) << name;
    for (const char* name : {"beach", "bird", "deal", "drop", "lost", "lost1", "lost2", "peek", "pokerwin1",
                             "pokerwin2", "pokerwin3", "rummywin", "wolf", "wrong", "wrong2", "wrong3"})
        EXPECT_TRUE(dm::isPlayableWav(binPath("wavs/%1.wav").arg(name))) << name;
    const QStringList pics = QDir(binPath("pics")).entryList(QDir::Files);
    EXPECT_LE(pics.size(), 21) << "the background menu shows only 21 entries";
    // Table-sized, and the bytes are what the extension promises: loaders elsewhere go by the name.
    const std::map<QString, QByteArray> magic{{"jpg", "\xFF\xD8\xFF"}, {"gif", "GIF89a"}, {"bmp", "BM"}, {"png", "\x89PNG"}};
    for (const QString& name : pics) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(QImageReader(binPath("pics/" + name)).read().size(), QSize(800, 600));
        const auto m = magic.find(name.section('.', -1).toLower());
        EXPECT_TRUE(m != magic.end() && readAll(binPath("pics/" + name)).startsWith(m->second));
    }
}

TEST(AssetHelp, OpensOnContentsAndEveryLinkResolves)
{
    const QString help = QString::fromUtf8(readAll(binPath("dunmere.hlp")));
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
}

}  // namespace
