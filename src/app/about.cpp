#include "app/about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace dm {

frmAbout::frmAbout(const QString& versionText, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Video-Poker / Tolva-Rummy"));
    setObjectName(QStringLiteral("frmAbout"));
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("Video-Poker / Tolva-Rummy Card Game"), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont f = title->font();
    f.setPointSizeF(f.pointSizeF() * 1.4);
    f.setBold(true);
    title->setFont(f);
    auto* version = new QLabel(QStringLiteral("Version ") + versionText, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto* blurb = new QLabel(tr("Dunmere: Tolva Rummy against the computer, and video poker with a strategy adviser."), this);
    blurb->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(blurb);
    layout->addWidget(buttons);
}

}  // namespace dm
