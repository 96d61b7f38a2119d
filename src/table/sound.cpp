#include "table/sound.h"

#include "table/files.h"
#include "table/sound_backend.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QtEndian>

namespace dm {

SoundPlayer::SoundPlayer(QString wavsDir, QObject* parent, QStringList moduleDirs)
    : QObject(parent), wavsDir_(std::move(wavsDir)), moduleDirs_(std::move(moduleDirs))
{
}

SoundPlayer::~SoundPlayer() = default;

SoundBackend* SoundPlayer::backend()
{
    if (backendTried_)
        return backend_.get();
    backendTried_ = true;
    QStringList dirs = moduleDirs_;
    if (dirs.isEmpty()) {
        const QString program = QCoreApplication::applicationDirPath();
        dirs = {program, QDir::cleanPath(program + QStringLiteral("/" DUNMERE_SOUND_MODULE_DIR))};
    }
    for (const QString& dir : dirs) {
        const QString file = dataPath(dir, QStringLiteral("dunmere-sound.so"));
        if (!QFile::exists(file))
            continue;
        // Never unloaded: the effects it made live until the program ends.
        QLibrary module(file);
        if (auto make = reinterpret_cast<MakeSoundBackend>(module.resolve(kMakeSoundBackend))) {
            backend_.reset(make());
            break;
        }
    }
    return backend_.get();
}

void SoundPlayer::stop()
{
    if (backend_)
        backend_->stop();
}

bool isPlayableWav(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = f.size();
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    bool pcm = false;
    qint64 at = 12;
    while (at + 8 <= size) {
        f.seek(at);
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8)
            return false;
        const qint64 length = qFromLittleEndian<quint32>(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fmt = f.read(2);
            const quint16 format = fmt.size() == 2 ? qFromLittleEndian<quint16>(fmt.constData()) : 0;
            pcm = length >= 16 && (format == 1 || format == 3);  // integer or float samples
        } else if (chunk.startsWith("data")) {
            return pcm && length > 0 && at + 8 + length <= size;
        }
        at += 8 + length + (length & 1);  // chunks are padded to even sizes
    }
    return false;
}

void SoundPlayer::play(const QString& file)
{
    const QString path = dataPath(wavsDir_, file);
    if (!filePresent(path))
        return;
    auto known = playable_.find(path);
    if (known == playable_.end())
        known = playable_.emplace(path, isPlayableWav(path)).first;
    if (!known->second || !backend())
        return;
    backend_->play(path);
    ++played_;
    lastPlayed_ = file;
}

}  // namespace dm
