#pragma once
// The drive mode: the program plays hands by the game's rules as fast as the history
// takes them, for the kill and fault tests. DUNMERE_HISTORY_DRIVE names the file,
// DUNMERE_HISTORY_DRIVE_HANDS how many hands of each game (none: until killed).
#include <QString>

namespace dm {

// Needs a QCoreApplication. Prints each problem the history tells, then "played N hands".
int driveHistory(const QString& path, int hands);

}  // namespace dm
