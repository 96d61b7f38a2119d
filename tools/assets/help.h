#pragma once
// The player's manual, "dunmere.hlp": a small HTML page set for the help viewer,
// opening on the contents (anchor "contents").
#include <QString>

namespace dm::assets {

QString helpText();

}  // namespace dm::assets
