#pragma once
// Where a helper window opens: beside the table, not over it, when the screen has room.
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace dm {

// The place of a window of `frame` size (its frame included) next to `table` on `screen`:
// to the right when it fits there, else to the left; else narrowed, down to `narrowest`,
// into the roomier side; else on that side as far from the table as the screen allows.
// Top aligned with the table, kept on screen.
QRect besideTable(const QRect& table, QSize frame, const QRect& screen, int narrowest);

// Moves `window` (not yet shown) beside `table`'s frame on the table's screen.
void placeBeside(QWidget* window, const QWidget* table);

}  // namespace dm
