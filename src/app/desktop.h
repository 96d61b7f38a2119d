#pragma once
// What ties the program to the desktop: the id its menu entry and icon are named by,
// the icon itself, and the answers to --help and --version.
#include <QIcon>
#include <QString>
#include <optional>

namespace dm {

// The reverse-DNS id of the desktop entry, the AppStream metainfo and the icon files.
inline const QString kAppId = QStringLiteral(DUNMERE_APP_ID);

// Prints the usage or the version when asked on the command line; the exit status then,
// nullopt when the program should simply start.
std::optional<int> answerInfoOption(int argc, char** argv);

// The icon from the hicolor tree beside the data folder (a build folder has it inside,
// an installed one in share/icons), else from the desktop's icon theme.
QIcon appIcon(const QString& dataDir);

}  // namespace dm
