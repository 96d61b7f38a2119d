#pragma once
// The About box: the program's title and version.
#include <QDialog>

namespace dm {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const QString& versionText, QWidget* parent = nullptr);
};

}  // namespace dm
