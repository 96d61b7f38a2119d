#pragma once
// Where the asset tests find the generated files beside the built program.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace assets_test {

inline QString binPath(const QString& relative)
{
    return QStringLiteral(DUNMERE_BIN_DIR "/") + relative;
}

inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace assets_test
