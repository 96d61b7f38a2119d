#pragma once
// What really plays the sound files. It lives in the "dunmere-sound" module, the one
// part of the program linked to Qt Multimedia, so that the audio libraries load with
// the first sound and not at every start.
#include <QString>

namespace dm {

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Starts path (a whole PCM WAV) from its beginning and returns at once; a new
    // sound stops the one playing.
    virtual void play(const QString& path) = 0;
    virtual void stop() = 0;
};

// The module's one exported function: a new backend, owned by the caller.
using MakeSoundBackend = SoundBackend* (*)();
inline constexpr const char* kMakeSoundBackend = "dunmereMakeSoundBackend";

}  // namespace dm
