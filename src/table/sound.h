#pragma once
// Plays the program's short sound files: asynchronous, one at a time, cached per file.
// The module that plays them is loaded at the first sound.
#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

namespace dm {

class SoundBackend;

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    // moduleDirs: where to look for the sound module; empty means the program's own
    // folder, then where an installed program keeps it.
    SoundPlayer(QString wavsDir, QObject* parent = nullptr, QStringList moduleDirs = {});
    ~SoundPlayer() override;

    // Starts wavsDir/file and returns at once; a new sound stops the one playing.
    // A missing, empty or unplayable file is skipped silently, and so is every sound
    // when the module cannot be loaded.
    void play(const QString& file);

    // How many sounds were really started, and the last one (empty when none).
    int played() const { return played_; }
    QString lastPlayed() const { return lastPlayed_; }

    // Silences whatever is playing.
    void stop();

private:
    SoundBackend* backend();

    QString wavsDir_;
    QStringList moduleDirs_;
    std::map<QString, bool> playable_;  // by path: the file is a whole PCM WAV
    std::unique_ptr<SoundBackend> backend_;
    bool backendTried_ = false;
    int played_ = 0;
    QString lastPlayed_;
};

// A complete PCM WAV: RIFF/WAVE header, a PCM "fmt " chunk and a "data" chunk that the
// file really holds. Qt's loader waits for ever on a cut-off file, and deleting a sound
// still loading then hangs the program, so such files are never handed to it.
bool isPlayableWav(const QString& path);

}  // namespace dm
