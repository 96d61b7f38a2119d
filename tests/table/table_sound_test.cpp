#include "table/sound.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace dm;

namespace {
// A short 8 kHz mono 16-bit tone, made here so the test needs no sound files.
QByteArray tinyWav()
{
    constexpr int kSamples = 400;
    QByteArray pcm;
    for (int i = 0; i < kSamples; ++i) {
        const qint16 s = (i / 8) % 2 ? 3000 : -3000;
        char le[2];
        qToLittleEndian(s, le);
        pcm.append(le, 2);
    }
    QByteArray w;
    auto u32 = [&](quint32 v) { char b[4]; qToLittleEndian(v, b); w.append(b, 4); };
    auto u16 = [&](quint16 v) { char b[2]; qToLittleEndian(v, b); w.append(b, 2); };
    w.append("RIFF");
    u32(36 + pcm.size());
    w.append("WAVEfmt ");
    u32(16);
    u16(1);         // PCM
    u16(1);         // mono
    u32(8000);      // sample rate
    u32(8000 * 2);  // byte rate
    u16(2);         // block align
    u16(16);        // bits
    w.append("data");
    u32(pcm.size());
    w.append(pcm);
    return w;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(TableSound, PlaysPresentFilesAndSkipsTheRest)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    writeFile(dir.filePath("empty.wav"), {});
    writeFile(dir.filePath("deal.wav"), tinyWav());
    writeFile(dir.filePath("drop.wav"), tinyWav());

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
    player.play("empty.wav");
    EXPECT_EQ(player.played(), 3);
}
