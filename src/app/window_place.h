#pragma once
// Where a helper window opens: beside the table, not over it, when the screen has room.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace dm {

// The top left of a window of `frame` size (its frame included) next to `table` on
// `screen`: to the right when it fits there, else to the left, else on the roomier side
// as far from the table as the screen allows. Top aligned with the table, kept on screen.
QPoint besideTable(const QRect& table, const QSize& frame, const QRect& screen);

// Moves `window` (not yet shown) beside `table`'s frame on the table's screen.
void placeBeside(QWidget* window, const QWidget* table);

}  // namespace dm
