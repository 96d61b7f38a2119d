#include "history_support.h"

#include <QFile>

namespace dm::test {

std::vector<Committed> readCommitLog(const QString& path)
{
    QFile f(path);
    std::vector<Committed> out;
    if (!f.open(QIODevice::ReadOnly))
        return out;
    const QByteArray all = f.readAll();
    const QList<QByteArray> lines = all.split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {  // the part after the last newline is cut
        const QList<QByteArray> parts = lines[i].split(' ');
        if (parts.size() == 4)
            out.push_back({QString::fromLatin1(parts[0]), parts[1].toLongLong(), parts[2].toLongLong(),
                           parts[3].toLongLong()});
    }
    return out;
}

}  // namespace dm::test
