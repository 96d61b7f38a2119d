// Broken, odd and too many data files beside the program: the table still starts, the
// menus list what is there, and nothing that cannot be read is shown or played.
#include <gtest/gtest.h>

#include <QAction>
#include <QBuffer>
#include <QPainter>
#include <QTest>

#include "hostile_support.h"
#include "table/cardfaces.h"
#include "table/files.h"
#include "table/sound.h"

namespace dm::hostile {
namespace {

QByteArray jpegBytes()
{
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "JPG");
    return bytes;
}

// Files that are named as pictures but are none.
void putBrokenPictures(const Table& t, const QString& folder)
{
    t.put(folder + "zero.jpg", {});
    t.put(folder + "truncated.jpg", jpegBytes().left(40));
    t.put(folder + "text.gif", "GIF89a but then only words");
    t.put(folder + "junk.bmp", QByteArray("BM") + QByteArray(60, '\xff'));
}

QStringList visibleEntries(const frmMain& w)
{
    QStringList names;
    for (QAction* a : w.backgroundEntries())
        if (a->isVisible())
            names << a->text();
    return names;
}

QImage backImage(const frmMain& w, bool poker)
{
    QImage img(w.cWidth, w.cHeight, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    w.drawBack(p, 0, 0, poker);
    return img;
}

QImage libraryBack(const frmMain& w, int design)
{
    QImage img(w.cWidth, w.cHeight, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    cdtDraw(p, 0, 0, design, 1);
    return img;
}

TEST(HostileFiles, BrokenPicturesNeverStopTheTable)
{
    Table t;
    putBrokenPictures(t, "pics/");
    putBrokenPictures(t, "pics/backs/");
    t.picture("pics/good.png", Qt::darkGreen);
    t.mapStore.values["prfTolvaBackground"] = "truncated.jpg";
    t.mapStore.values["prfPKBackground"] = "zero.jpg";
    t.mapStore.values["prfIsTolvaCustomCardBack"] = "True";
    t.mapStore.values["prfTolvaCustomBackFace"] = "truncated.jpg";
    t.mapStore.values["prfIsPKCustomCardBack"] = "True";
    t.mapStore.values["prfPKCustomBackFace"] = "junk.bmp";
    frmMain& w = t.start();

    EXPECT_TRUE(t.messages.isEmpty()) << t.messages.join("\n").toStdString();
    EXPECT_TRUE(t.surface()->background().isNull());  // the bare table
    // A custom back that is no picture is skipped for the library's design.
    EXPECT_EQ(backImage(w, false), libraryBack(w, 54));
    EXPECT_EQ(backImage(w, true), libraryBack(w, 65));

    const QStringList names = visibleEntries(w);
    EXPECT_EQ(names, QStringList({"good.png", "junk.bmp", "text.gif", "truncated.jpg", "zero.jpg"}));
    // Every entry in both games: the good one shows, a bad one leaves the table usable.
    for (bool poker : {false, true}) {
        poker ? w.mnuPoker_Click() : w.mnuPlayRummy_Click();
        for (int i = 0; i < names.size(); ++i) {
            SCOPED_TRACE(names[i].toStdString());
            w.backgroundEntries()[i]->trigger();
            if (names[i] == "good.png")
                EXPECT_EQ(t.surface()->background().pixelColor(1, 1), QColor(Qt::darkGreen));
        }
        w.picDeal_Click(0);  // and the game still deals
    }
    EXPECT_TRUE(t.messages.isEmpty()) << t.messages.join("\n").toStdString();
    w.close();
}

TEST(HostileFiles, OnlyTwentyOnePicturesAreOffered)
{
    Table t;
    for (int i = 0; i < 25; ++i)
        t.picture(QStringLiteral("pics/p%1.png").arg(i, 2, 10, QLatin1Char('0')), QColor(i * 10, 0, 0), {16, 12});
    frmMain& w = t.start();
    const QStringList names = visibleEntries(w);
    ASSERT_EQ(w.backgroundEntries().size(), 21);
    ASSERT_EQ(names.size(), 21);
    EXPECT_EQ(names.front(), "p00.png");
    EXPECT_EQ(names.back(), "p20.png");
    w.backgroundEntries()[20]->trigger();
    EXPECT_EQ(w.prefs.prfTolvaBackground, "p20.png");
    EXPECT_EQ(t.surface()->background().pixelColor(0, 0), QColor(200, 0, 0));
    w.close();
}

TEST(HostileFiles, NamesWithBlanksAndNonAsciiLetters)
{
    const std::map<QString, QColor> pictures = {
        {QString::fromUtf8("Sunny beach.png"), QColor(250, 200, 0)},
        {QString::fromUtf8("\u00c6r\u00f8sk\u00f8bing fjord.jpg"), QColor(0, 0, 255)},
        {QString::fromUtf8("\u0141\u00f3d\u017a \u591c.png"), QColor(0, 128, 0)},
    };
    Table t;
    for (const auto& [name, colour] : pictures)
        t.picture("pics/" + name, colour, {40, 30});
    t.picture(QString::fromUtf8("pics/backs/\u00e9t\u00e9 back.png"), Qt::magenta, {30, 40});
    t.mapStore.values["prfTolvaBackground"] = "\u0141\u00f3d\u017a \u591c.png";  // UTF-8 text in the store
    t.mapStore.values["prfIsTolvaCustomCardBack"] = "True";
    t.mapStore.values["prfTolvaCustomBackFace"] = "\u00e9t\u00e9 back.png";
    frmMain& w = t.start();

    EXPECT_EQ(t.surface()->background().pixelColor(0, 0), QColor(0, 128, 0));
    EXPECT_EQ(backImage(w, false).pixelColor(w.cWidth / 2, w.cHeight / 2), QColor(Qt::magenta));
    const QStringList names = visibleEntries(w);
    ASSERT_EQ(names.size(), 3);
    for (int i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i].toStdString());
        ASSERT_TRUE(pictures.count(names[i]));
        w.backgroundEntries()[i]->trigger();
        EXPECT_EQ(QString::fromStdString(w.prefs.prfTolvaBackground), names[i]);
        // JPEG colours are close, not exact.
        const QColor got = t.surface()->background().pixelColor(5, 5);
        const QColor want = pictures.at(names[i]);
        EXPECT_NEAR(got.red(), want.red(), 8);
        EXPECT_NEAR(got.green(), want.green(), 8);
        EXPECT_NEAR(got.blue(), want.blue(), 8);
    }
    EXPECT_TRUE(t.messages.isEmpty()) << t.messages.join("\n").toStdString();
    // The chosen name is stored as it was chosen.
    w.close();
    EXPECT_EQ(QString::fromStdString(t.mapStore.values["prfTolvaBackground"]), names.back());
}

TEST(HostileFiles, SoundFilesThatAreNoSounds)
{
    Table t;
    t.put("wavs/deal.wav", {});
    t.put("wavs/drop.wav", "this is not a RIFF file at all");
    t.put("wavs/beach.wav", QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16));  // cut after the header
    t.put("wavs/rummywin.wav", QByteArray(5000, '\0'));

    SoundPlayer player(t.programDir + "/wavs");
    player.play("deal.wav");
    player.play("missing.wav");
    EXPECT_EQ(player.played(), 0);  // empty and missing files are skipped
    for (const char* name : {"drop.wav", "beach.wav", "rummywin.wav", "drop.wav"})
        player.play(name);
    QTest::qWait(200);  // let the failed loads report in
    player.stop();

    // A whole game turn with sound on plays against the same folder without trouble.
    t.mapStore.values["prfSound"] = "True";
    frmMain& w = t.start();
    w.picDeal_Click(0);
    w.picPlayerDraw_Click();
    QTest::qWait(100);
    EXPECT_TRUE(t.messages.isEmpty()) << t.messages.join("\n").toStdString();
    w.close();
}

}  // namespace
}  // namespace dm::hostile
