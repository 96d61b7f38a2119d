#pragma once
// The desktop cover: a plain dark window over the whole screen that stays behind the
// main window, closes with it and never keeps the program running on its own.
#include <QPointer>
#include <QWidget>

namespace dm {

class frmHide : public QWidget {
    Q_OBJECT
public:
    // mainWindow is brought forward whenever the cover is activated. The cover is a
    // top-level window of its own (no parent) so it may sit behind the main window;
    // make it with new: it deletes itself when mainWindow is destroyed.
    explicit frmHide(QWidget* mainWindow = nullptr);

    void setMainWindow(QWidget* mainWindow);

    // Every showing covers the whole screen the main window is on (or the primary one)
    // from its top left corner, behind the main window.
    void setVisible(bool visible) override;

protected:
    void changeEvent(QEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    void sendBehind();

    QPointer<QWidget> main_;
};

}  // namespace dm
