#pragma once
// The pictures beside the game: table backgrounds, the user's own card backs and
// the wooden rail round the table.
#include <QImage>
#include <QString>
#include <vector>

namespace dm::assets {

constexpr int kCardWidth = 90;
constexpr int kCardHeight = 126;
constexpr int kRailThickness = 14;

struct NamedPicture {
    QString file;
    QImage image;
};

std::vector<NamedPicture> cardBacks();  // for pics/backs/
std::vector<NamedPicture> frames();     // top, bottom, left and right rails

// Saves in the format named by the file's extension; GIF and BMP get a palette of at most 256 colours.
bool savePicture(const QString& path, const QImage& image);

}  // namespace dm::assets
