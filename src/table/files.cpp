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

QStringList dataDirCandidates(const QString& programDir)
{
    return {programDir, QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/dunmere")))};
}

QString findDataDir(const QString& programDir)
{
    for (const QString& dir : dataDirCandidates(programDir))
        if (QDir(dir).exists(QStringLiteral("pics")))
            return dir;
    return programDir;
}

QString missingDataNote(const QString& programDir, const QString& dataDir)
{
    if (QDir(dataDir).exists(QStringLiteral("pics")))
        return {};
    return QStringLiteral("The pictures, sounds and help were not found: there is no \"pics\" folder in\n\n") +
           dataDirCandidates(programDir).join(QLatin1Char('\n')) +
           QStringLiteral("\n\nThe games play on a bare table, without sound.");
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
