#include "table/files.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace dm {

bool filePresent(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && info.size() > 0;
}

QString dataPath(const QString& programDir, const QString& relative)
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    QString dir = programDir;
    dir.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (dir.endsWith(QLatin1Char('/')) && dir.size() > 1)
        dir.chop(1);
    if (dir.isEmpty())
        return rel;  // never the file system root
    return rel.isEmpty() ? dir : dir + QLatin1Char('/') + rel;
}

QString findDataDir(const QString& programDir)
{
    const QDir beside(programDir);
    if (beside.exists(QStringLiteral("pics")))
        return programDir;
    const QString installed = QDir::cleanPath(beside.filePath(QStringLiteral("../share/dunmere")));
    if (QDir(installed).exists(QStringLiteral("pics")))
        return installed;
    return programDir;
}

QStringList listFolder(const QString& dir)
{
    const QDir d(dir);
    if (dir.isEmpty() || !d.exists())
        return {};
    return d.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QImage loadPicture(const QString& path)
{
    if (!filePresent(path))
        return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);  // a .jpg that is really a .gif still loads
    return reader.read();
}

}  // namespace dm
