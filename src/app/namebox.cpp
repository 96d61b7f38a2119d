#include "app/namebox.h"

#include <QInputDialog>
#include <QPointer>

#include "store/qt/highscores.h"

namespace dm {

InputBox makeInputBox(QWidget* parent)
{
    return [owner = QPointer<QWidget>(parent)](const std::string& prompt, const std::string& title,
                                               const std::string& defaultText) {
        // A window already closed (names are asked at exit) is no parent to centre on.
        QWidget* parent = owner && owner->isVisible() ? owner.data() : nullptr;
        bool ok = false;
        const QString answer = QInputDialog::getText(parent, QString::fromStdString(title),
                                                     QString::fromStdString(prompt), QLineEdit::Normal,
                                                     QString::fromStdString(defaultText), &ok);
        return ok ? toNameBytes(answer) : std::string();
    };
}

}  // namespace dm
