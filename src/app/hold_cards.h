#pragma once
// A hold drawn in a list cell: the corners of the five cards of a hand, the ones held
// bright and the ones thrown away dimmed. Sized from the list's font, so it grows with it.
// Any other row of cards (a back design for the stock) is drawn the same way, all bright.
#include <QPixmap>
#include <QStyledItemDelegate>
#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "poker/analysis.h"

class QTableWidget;
class QTableWidgetItem;

namespace dm {

class HoldCardsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Gives the item the hand and the hold to draw, and a spoken name for them.
    static void setHold(QTableWidgetItem* item, const PokerCards& hand, HoldMask held);
    static HoldMask holdOf(const QModelIndex& index);
    // Cards 0..51 face up, back designs 53..65 face down; `spoken` names them.
    static void setCards(QTableWidgetItem* item, const std::vector<int>& cards, const QString& spoken);

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const QPixmap& corner(int number, const QFontMetrics& fm, qreal ratio) const;

    mutable std::map<std::tuple<int, qreal, qreal>, QPixmap> corners_;
};

// A read-only list of the analysis pages: whole rows selected, Tab leaving it, columns as
// wide as their contents, the cards of `cardColumn` drawn small.
QTableWidget* cardList(const QStringList& headers, int cardColumn, QWidget* parent);

// A read-only cell of the analysis lists.
QTableWidgetItem* listCell(const QString& text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter);

// The cards of a hold in words: "K♥ Q♥ held" or "draw five new cards".
QString holdText(const PokerCards& hand, HoldMask held);

}  // namespace dm
