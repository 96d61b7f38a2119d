#pragma once
// The application icon: one scalable drawing, rendered to the fixed sizes desktops ask for.
#include <QByteArray>
#include <QImage>
#include <array>

namespace dm::assets {

inline constexpr std::array<int, 6> kIconSizes{16, 32, 48, 64, 128, 256};

// A green table with a card back and an ace of hearts fanned over it (SVG, 256 units square).
QByteArray iconSvg();

// The drawing at size x size pixels, transparent outside the rounded table.
QImage renderIcon(int size);

}  // namespace dm::assets
