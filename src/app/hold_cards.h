#pragma once
// A hold drawn in a list cell: the corners of the five cards of a hand, the ones held
// bright and the ones thrown away dimmed. Sized from the list's font, so it grows with it.
#include <QPixmap>
#include <QStyledItemDelegate>
#include <array>
#include <map>
#include <tuple>

#include "poker/analysis.h"

class QTableWidgetItem;

namespace dm {

class HoldCardsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Gives the item the hand and the hold to draw, and a spoken name for them.
    static void setHold(QTableWidgetItem* item, const PokerCards& hand, HoldMask held);
    static HoldMask holdOf(const QModelIndex& index);

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const QPixmap& corner(int number, const QFontMetrics& fm, qreal ratio) const;

    mutable std::map<std::tuple<int, qreal, qreal>, QPixmap> corners_;
};

// The cards of a hold in words: "K♥ Q♥ held" or "draw five new cards".
QString holdText(const PokerCards& hand, HoldMask held);

}  // namespace dm
