#include "table/sound.h"

#include "table/files.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <QtEndian>

namespace dm {

SoundPlayer::SoundPlayer(QString wavsDir, QObject* parent) : QObject(parent), wavsDir_(std::move(wavsDir))
{
}

void SoundPlayer::stop()
{
    if (current_)
        current_->stop();
    current_ = nullptr;
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
    if (!known->second)
        return;
    QSoundEffect*& effect = effects_[path];
    if (!effect) {
        // Loading is asynchronous; play() on an effect still loading starts it once ready.
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    if (current_ && current_ != effect)
        current_->stop();
    effect->stop();  // the same sound again starts from the beginning
    effect->play();
    current_ = effect;
    ++played_;
    lastPlayed_ = file;
}

}  // namespace dm
