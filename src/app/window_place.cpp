#include "app/window_place.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace dm {

QPoint besideTable(const QRect& table, const QSize& frame, const QRect& screen)
{
    const int roomRight = screen.right() - table.right();
    const int roomLeft = table.left() - screen.left();
    int x = 0;
    if (roomRight >= frame.width())
        x = table.right() + 1;
    else if (roomLeft >= frame.width())
        x = table.left() - frame.width();
    else if (roomRight >= roomLeft)
        x = screen.right() + 1 - frame.width();
    else
        x = screen.left();
    const int y = std::clamp(table.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - frame.height()));
    return QPoint(std::max(x, screen.left()), y);
}

void placeBeside(QWidget* window, const QWidget* table)
{
    const QScreen* screen = table->screen();
    if (!screen)
        return;
    // A window not yet shown has no frame: it will get one like the table's.
    const QSize decoration = table->frameGeometry().size() - table->geometry().size();
    window->move(besideTable(table->frameGeometry(), window->size() + decoration, screen->availableGeometry()));
}

}  // namespace dm
