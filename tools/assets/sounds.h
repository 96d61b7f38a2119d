#pragma once
// The game's sounds, each synthesised from a small recipe.
#include <QString>
#include <vector>

#include "wav.h"

namespace dm::assets {

struct NamedSound {
    QString file;  // name in wavs/
    Samples samples;
};

std::vector<NamedSound> sounds();

}  // namespace dm::assets
