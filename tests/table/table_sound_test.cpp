#include "table/sound.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace dm;

namespace {
bool audioLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6Multimedia");
}
}  // namespace

TEST(TableSound, PlaysPresentFilesAndSkipsTheRest)
{
    QTemporaryDir dir;
    QFile(dir.filePath("empty.wav")).open(QIODevice::WriteOnly);
    for (const char* name : {"deal.wav", "drop.wav", "cut.wav"})  // the game's own sounds
        ASSERT_TRUE(QFile::copy(QStringLiteral(DUNMERE_BIN_DIR "/wavs/") + (name[0] == 'c' ? "deal.wav" : name),
                                dir.filePath(name)));
    // A file cut off inside its data, and one that is no WAV at all, are never loaded:
    // a cut-off file would keep Qt's loader waiting, and its sound could not be deleted.
    QFile::resize(dir.filePath("cut.wav"), 300);
    QFile junk(dir.filePath("junk.wav"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly) && junk.write("RIFF....WAVEjunkjunkjunkjunkjunkjunkjunkjunk") > 0);
    junk.close();

    // The audio libraries come with the first sound, not with the program.
    SoundPlayer player(dir.path(), nullptr, {QStringLiteral(DUNMERE_BIN_DIR)});
    for (const char* name : {"missing.wav", "empty.wav", "cut.wav", "junk.wav"})
        player.play(name);
    EXPECT_EQ(player.played(), 0);
    EXPECT_FALSE(audioLoaded());

    player.play("deal.wav");
    player.play("drop.wav");  // replaces the deal sound
    player.play("deal.wav");  // cached effect, started again
    EXPECT_EQ(player.played(), 3);
    EXPECT_EQ(player.lastPlayed(), "deal.wav");
    EXPECT_TRUE(audioLoaded());
    // Whatever the audio device (none here), loading and playing must not hang or crash.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents();
    player.stop();
}
