#include "store/qt/highscores.h"

#include <QCoreApplication>
#include <QDir>
#include <QInputDialog>

namespace dm {

std::string scoreFilePath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("stats.dat")).toStdString();
}

// QString::toLatin1 leaves unrepresentable characters undefined and would split a
// character outside the basic plane into two; go by whole code points instead.
std::string toNameBytes(const QString& text)
{
    std::string bytes;
    for (const char32_t c : text.toUcs4())
        bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
    return bytes;
}

QString fromNameBytes(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

InputBox makeInputBox(QWidget* parent)
{
    return [parent](const std::string& prompt, const std::string& title, const std::string& defaultText) {
        bool ok = false;
        const QString answer = QInputDialog::getText(parent, QString::fromStdString(title),
                                                     QString::fromStdString(prompt), QLineEdit::Normal,
                                                     QString::fromStdString(defaultText), &ok);
        return ok ? toNameBytes(answer) : std::string();
    };
}

}  // namespace dm
