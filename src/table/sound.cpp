#include "table/sound.h"

#include "table/files.h"

#include <QSoundEffect>
#include <QUrl>

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

void SoundPlayer::play(const QString& file)
{
    const QString path = dataPath(wavsDir_, file);
    if (!filePresent(path))
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
