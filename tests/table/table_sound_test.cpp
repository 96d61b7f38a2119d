#include "table/sound.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dm;

TEST(TableSound, PlaysPresentFilesAndSkipsTheRest)
{
    QTemporaryDir dir;
    QFile(dir.filePath("empty.wav")).open(QIODevice::WriteOnly);
    for (const char* name : {"deal.wav", "drop.wav"}) {  // 0.05 s of an 8 kHz mono 16-bit square tone
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QDataStream w(&f);
        w.setByteOrder(QDataStream::LittleEndian);
        w.writeRawData("RIFF", 4);
        w << quint32(36 + 800);
        w.writeRawData("WAVEfmt ", 8);
        w << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000) << quint16(2) << quint16(16);
        w.writeRawData("data", 4);
        w << quint32(800);
        for (int i = 0; i < 400; ++i)
            w << qint16((i / 8) % 2 ? 3000 : -3000);
    }
    SoundPlayer player(dir.path());
    player.play("missing.wav");
    player.play("empty.wav");
    EXPECT_EQ(player.played(), 0);
    EXPECT_TRUE(player.lastPlayed().isEmpty());

    player.play("deal.wav");
    player.play("drop.wav");  // replaces the deal sound
    player.play("deal.wav");  // cached effect, started again
    EXPECT_EQ(player.played(), 3);
    EXPECT_EQ(player.lastPlayed(), "deal.wav");
    // Whatever the audio device (none here), loading and playing must not hang or crash.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    player.stop();
}
