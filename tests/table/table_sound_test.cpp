#include "table/sound.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dm;

namespace {
// A short 8 kHz mono 16-bit square tone, made here so the test needs no sound files.
QByteArray tinyWav()
{
    QByteArray w;
    auto put = [&](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            w.append(char((v >> (8 * i)) & 0xFF));
    };
    constexpr quint32 kDataBytes = 800;
    w.append("RIFF");
    put(36 + kDataBytes, 4);
    w.append("WAVEfmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(1, 2);  // mono
    put(8000, 4);
    put(16000, 4);
    put(2, 2);
    put(16, 2);
    w.append("data");
    put(kDataBytes, 4);
    for (quint32 i = 0; i < kDataBytes / 2; ++i)
        put((i / 8) % 2 ? 3000 : quint16(-3000), 2);
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
