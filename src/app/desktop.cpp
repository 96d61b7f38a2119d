#include "app/desktop.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstring>

namespace dm {

namespace {

constexpr const char* kUsage =
    "usage: dunmere [--help | --version]\n"
    "Video-Poker / Tolva-Rummy: Tolva Rummy against the computer and a five-card draw\n"
    "video poker machine, in one table window.\n"
    "\n"
    "  --help     shows this text\n"
    "  --version  shows the program's version\n"
    "\n"
    "Everything else is chosen in the window's menus. Preferences are kept in the\n"
    "settings store, the top scores in \"stats.dat\". See dunmere(6).\n";

}  // namespace

std::optional<int> answerInfoOption(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("dunmere %s\n", DUNMERE_VERSION);
            return 0;
        }
    }
    return std::nullopt;
}

QIcon appIcon(const QString& dataDir)
{
    for (const QString& tree : {dataDir + QStringLiteral("/icons/hicolor"), dataDir + QStringLiteral("/../icons/hicolor")}) {
        QIcon icon;
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString file =
                QStringLiteral("%1/%2x%2/apps/%3.png").arg(QDir::cleanPath(tree)).arg(size).arg(kAppId);
            if (QFile::exists(file))
                icon.addFile(file, QSize(size, size));
        }
        if (!icon.isNull())
            return icon;
    }
    return QIcon::fromTheme(kAppId);
}

}  // namespace dm
