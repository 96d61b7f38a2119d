#pragma once
// The "Preferences" dialog: general, video poker and card back settings.
#include <QDialog>

namespace dm {

class frmMain;

class frmPreferences : public QDialog {
    Q_OBJECT
public:
    explicit frmPreferences(frmMain& main, QWidget* parent = nullptr);

private:
    frmMain& main_;
};

}  // namespace dm
