#include "output.h"

#include <QBuffer>
#include <QImageWriter>
#include <QSaveFile>

namespace dm::assets {

bool writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return false;  // an empty file would only count as missing to the game
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool saveImageAtomically(const QString& path, const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image))
        return false;
    return writeFileAtomically(path, bytes);
}

}  // namespace dm::assets
