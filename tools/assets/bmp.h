#pragma once
// An 8-bit palette BMP writer. Qt's own writer leaves the row padding of 8-bit
// pictures uninitialised, which made our output differ from build to build.
#include <QByteArray>

#include "quantize.h"

namespace dm::assets {

// Bottom-up rows, each padded with zeros to four bytes; empty on malformed input.
QByteArray encodeBmp(const IndexedPicture& picture);

}  // namespace dm::assets
