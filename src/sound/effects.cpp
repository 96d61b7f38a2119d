// The "dunmere-sound" module: sound files played with Qt Multimedia's sound effects.
#include <QObject>
#include <QSoundEffect>
#include <QUrl>
#include <map>

#include "table/sound_backend.h"

namespace {

class EffectsBackend : public dm::SoundBackend {
public:
    void play(const QString& path) override
    {
        QSoundEffect*& effect = effects_[path];
        if (!effect) {
            // Loading is asynchronous; play() on an effect still loading starts it once ready.
            effect = new QSoundEffect(&owner_);
            effect->setSource(QUrl::fromLocalFile(path));
        }
        if (current_ && current_ != effect)
            current_->stop();
        effect->stop();  // the same sound again starts from the beginning
        effect->play();
        current_ = effect;
    }

    void stop() override
    {
        if (current_)
            current_->stop();
        current_ = nullptr;
    }

private:
    QObject owner_;                             // parent of every effect
    std::map<QString, QSoundEffect*> effects_;  // by path, children of owner_
    QSoundEffect* current_ = nullptr;
};

}  // namespace

extern "C" Q_DECL_EXPORT dm::SoundBackend* dunmereMakeSoundBackend() { return new EffectsBackend; }
