#include "store/qt/highscores.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <filesystem>

#include "table/files.h"

namespace dm {

FilePlace writablePlace(const QString& programDir, const QString& fileName)
{
    const QString beside = dataPath(programDir, fileName);
    std::error_code ec;
    const auto kind = std::filesystem::symlink_status(beside.toStdString(), ec).type();
    // A link could lead anywhere, /etc included when run as root; a folder or a FIFO is no
    // score file. Neither is touched.
    const bool refused = kind != std::filesystem::file_type::not_found && kind != std::filesystem::file_type::regular;
    const QFileInfo file(beside);
    if (!refused && (QFileInfo(programDir).isWritable() || (file.isFile() && file.isWritable())))
        return {beside, beside, beside};
    // Installed read-only: every user keeps a copy of their own.
    const QString mine = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (mine.isEmpty())  // nowhere else to go; writing will say so
        return refused ? FilePlace{QString(), QString(), beside, true} : FilePlace{beside, beside, beside};
    QDir().mkpath(mine);
    const QString path = QDir(mine).filePath(fileName);
    const QString startFrom = filePresent(path) ? path : refused ? QString() : beside;
    return {path, startFrom, beside, refused};
}

// QString::toLatin1 leaves unrepresentable characters undefined and would split a
// character outside the basic plane into two; go by whole code points instead.
std::string toNameBytes(const QString& text)
{
    std::string bytes;
    for (const char32_t c : text.toUcs4()) {
        if (c == 0)
            break;  // the file's names are C strings to whoever reads them
        bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    }
    return bytes;
}

QString fromNameBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace dm
