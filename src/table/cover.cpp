#include "table/cover.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

namespace dm {

frmHide::frmHide(QWidget* mainWindow) : QWidget(nullptr)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    // Closing the table must end the program even while the cover is up.
    setAttribute(Qt::WA_QuitOnClose, false);
    setMainWindow(mainWindow);
    setWindowTitle(QStringLiteral("Dunmere"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0x10, 0x10, 0x14));
    setPalette(pal);
    setAutoFillBackground(true);
}

void frmHide::setMainWindow(QWidget* mainWindow)
{
    if (main_)
        disconnect(main_, nullptr, this, nullptr);
    main_ = mainWindow;
    if (!main_)
        return;
    // The cover lives no longer than the window it stands behind.
    connect(main_, &QObject::destroyed, this, &QObject::deleteLater, Qt::UniqueConnection);
}

void frmHide::setVisible(bool visible)
{
    if (!visible) {
        QWidget::setVisible(false);
        return;
    }
    QScreen* screen = main_ ? main_->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    QWidget::setVisible(true);
    sendBehind();
}

void frmHide::sendBehind()
{
    lower();
    if (main_ && main_->isVisible()) {
        main_->raise();
        main_->activateWindow();
    }
}

void frmHide::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    // Deferred: raising another window inside our own activation confuses some window managers.
    if (e->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] { sendBehind(); });
}

void frmHide::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    QTimer::singleShot(0, this, [this] { sendBehind(); });
}

void frmHide::mousePressEvent(QMouseEvent*)
{
    sendBehind();
}

}  // namespace dm
