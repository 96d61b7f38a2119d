#include "app/zoom.h"

#include <QActionGroup>
#include <QMenu>
#include <algorithm>

#include "app/frmmain.h"
#include "store/prefs.h"

namespace dm {

int storedZoom(SettingsStore& store)
{
    const auto text = store.read("dmZoom");
    const auto number = text ? storedNumber(*text) : std::nullopt;
    const bool step = number && std::find(kZoomSteps.begin(), kZoomSteps.end(), *number) != kZoomSteps.end();
    return step ? static_cast<int>(*number) : 100;
}

void applyZoom(int percent)
{
    if (percent == 100 || qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(percent / 100.0));
}

void addZoomMenu(frmMain& window, QMenu* menu)
{
    auto* zoom = menu->addMenu(QObject::tr("&Zoom"));
    zoom->setObjectName(QStringLiteral("mnuZoom"));
    auto* group = new QActionGroup(zoom);
    for (const int percent : kZoomSteps) {
        auto* a = zoom->addAction(QStringLiteral("%1 %").arg(percent));
        a->setObjectName(QStringLiteral("mnuZoom%1").arg(percent));
        a->setCheckable(true);
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, &window, [&window, percent] {
            if (window.prefs.dmZoom == percent)
                return;
            window.prefs.dmZoom = static_cast<int16_t>(percent);
            window.message(QStringLiteral("The table will be shown at %1 % the next time Dunmere starts.")
                               .arg(percent)
                               .toStdString());
        });
    }
    QObject::connect(zoom, &QMenu::aboutToShow, zoom, [&window, zoom] {
        for (QAction* a : zoom->actions())
            a->setChecked(a->objectName() == QStringLiteral("mnuZoom%1").arg(window.prefs.dmZoom));
    });
}

}  // namespace dm
