#include "app/frmpreferences.h"

#include "app/frmmain.h"

namespace dm {

frmPreferences::frmPreferences(frmMain& main, QWidget* parent)
    : QDialog(parent ? parent : &main), main_(main)
{
    setWindowTitle(QStringLiteral("Preferences"));
}

}  // namespace dm
