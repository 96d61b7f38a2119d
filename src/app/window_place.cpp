#include "app/window_place.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace dm {

QRect besideTable(const QRect& table, QSize frame, const QRect& screen, int narrowest)
{
    const int roomRight = screen.right() - table.right();
    const int roomLeft = table.left() - screen.left();
    const int room = std::max(roomRight, roomLeft);
    // Narrower beside the table rather than over it, while it stays usable.
    if (frame.width() > room && room >= narrowest)
        frame.setWidth(room);
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
    return QRect(QPoint(std::max(x, screen.left()), y), frame);
}

void placeBeside(QWidget* window, const QWidget* table)
{
    const QScreen* screen = table->screen();
    if (!screen)
        return;
    // A window not yet shown has no frame: it will get one like the table's.
    const QSize decoration = table->frameGeometry().size() - table->geometry().size();
    const QSize wanted = window->size() + decoration;
    const QRect place = besideTable(table->frameGeometry(), wanted, screen->availableGeometry(), wanted.width() * 3 / 5);
    window->resize(place.size() - decoration);
    window->move(place.topLeft());
}

}  // namespace dm
