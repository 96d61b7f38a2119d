#pragma once
// The table surfaces offered under "Select Background": calm, muted pictures
// (felt, wood, meadow, beach, snow) on which white cards stand out.
#include <QImage>
#include <QString>
#include <vector>

namespace dm::assets {

constexpr int kBackgroundWidth = 800;
constexpr int kBackgroundHeight = 600;

struct Background {
    QString file;  // name in pics/; its extension picks the file format
    QImage (*paint)();
};

std::vector<Background> backgrounds();

}  // namespace dm::assets
