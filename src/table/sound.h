#pragma once
// Plays the program's short sound files: asynchronous, one at a time, cached per file.
#include <QObject>
#include <QString>
#include <map>

class QSoundEffect;

namespace dm {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    SoundPlayer(QString wavsDir, QObject* parent = nullptr);

    // Starts wavsDir/file and returns at once; a new sound stops the one playing.
    // A missing, empty or unplayable file is skipped silently.
    void play(const QString& file);

    // How many sounds were really started, and the last one (empty when none).
    int played() const { return played_; }
    QString lastPlayed() const { return lastPlayed_; }

    // Silences whatever is playing.
    void stop();

private:
    QString wavsDir_;
    std::map<QString, bool> playable_;          // by path: the file is a whole PCM WAV
    std::map<QString, QSoundEffect*> effects_;  // children of this
    QSoundEffect* current_ = nullptr;
    int played_ = 0;
    QString lastPlayed_;
};

// A complete PCM WAV: RIFF/WAVE header, a PCM "fmt " chunk and a "data" chunk that the
// file really holds. Qt's loader waits for ever on a cut-off file, and deleting a sound
// still loading then hangs the program, so such files are never handed to it.
bool isPlayableWav(const QString& path);

}  // namespace dm
