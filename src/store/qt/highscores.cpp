#include "store/qt/highscores.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "table/files.h"

namespace dm {

FilePlace writablePlace(const QString& programDir, const QString& fileName)
{
    const QString beside = dataPath(programDir, fileName);
    const QFileInfo file(beside);
    if (QFileInfo(programDir).isWritable() || (file.isFile() && file.isWritable()))
        return {beside, beside, beside};
    // Installed read-only: every user keeps a copy of their own.
    const QString mine = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (mine.isEmpty())
        return {beside, beside, beside};  // nowhere else to go; writing will say so
    QDir().mkpath(mine);
    const QString path = QDir(mine).filePath(fileName);
    return {path, filePresent(path) ? path : beside, beside};
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
