#include "app/hold_cards.h"

#include <QApplication>
#include <QPainter>
#include <QTableWidgetItem>

#include "table/cardfaces.h"

namespace dm {

namespace {
constexpr int kCardsRole = Qt::UserRole;     // the five card numbers
constexpr int kHoldRole = Qt::UserRole + 1;  // the hold mask
constexpr qreal kDimmed = 0.28;

// Each card shows its top left corner, as in a fanned hand: the index, at about the size
// of the list's text, and the start of its picture. In card units (a card is 90 x 126).
constexpr qreal kCornerWidth = 40;
constexpr qreal kCornerHeight = 54;
qreal cardScale(const QFontMetrics& fm) { return fm.height() / 17.0; }
QSize cornerSize(const QFontMetrics& fm)
{
    return QSize(qRound(kCornerWidth * cardScale(fm)), qRound(kCornerHeight * cardScale(fm)));
}
int cardGap(const QFontMetrics& fm) { return std::max(2, fm.averageCharWidth() / 2); }
}  // namespace

QString holdText(const PokerCards& hand, HoldMask held)
{
    if (held == 0)
        return QObject::tr("draw five new cards");
    QStringList kept;
    for (int i = 0; i < 5; ++i)
        if (held & (1u << i))
            kept << QString::fromStdString(cardName(hand[i].number));
    return kept.join(' ') + QObject::tr(" held");
}

void HoldCardsDelegate::setHold(QTableWidgetItem* item, const PokerCards& hand, HoldMask held)
{
    QList<QVariant> numbers;
    for (const CardRec& c : hand)
        numbers << int(c.number);
    item->setData(kCardsRole, numbers);
    item->setData(kHoldRole, int(held));
    item->setData(Qt::AccessibleTextRole, holdText(hand, held));
    item->setToolTip(holdText(hand, held));
}

HoldMask HoldCardsDelegate::holdOf(const QModelIndex& index)
{
    return static_cast<HoldMask>(index.data(kHoldRole).toInt());
}

const QPixmap& HoldCardsDelegate::corner(int number, const QFontMetrics& fm, qreal ratio) const
{
    const qreal scale = cardScale(fm);
    const auto key = std::make_tuple(number, scale, ratio);
    auto it = corners_.find(key);
    if (it == corners_.end()) {
        // The faces paint no finer than one logical pixel: a smaller card is painted at
        // that and filtered down.
        const qreal rendered = std::max<qreal>(1.0, scale * ratio);
        const QImage card = renderCard(number, 0, rendered);
        const QRect part(0, 0, qRound(kCornerWidth * rendered), qRound(kCornerHeight * rendered));
        const QSize pixels = cornerSize(fm) * ratio;
        QImage img = card.copy(part).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        img.setDevicePixelRatio(ratio);
        it = corners_.emplace(key, QPixmap::fromImage(img)).first;
    }
    return it->second;
}

void HoldCardsDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();  // the cards say it
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, p, widget);

    const QList<QVariant> numbers = index.data(kCardsRole).toList();
    if (numbers.size() != 5)
        return;
    const HoldMask held = holdOf(index);
    const QSize size = cornerSize(opt.fontMetrics);
    const int gap = cardGap(opt.fontMetrics);
    const qreal ratio = p->device() ? p->device()->devicePixelRatioF() : 1.0;
    const qreal radius = 6.0 * cardScale(opt.fontMetrics);
    QRectF place(opt.rect.left() + gap, opt.rect.top() + (opt.rect.height() - size.height()) / 2, size.width(),
                 size.height());
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 5; ++i) {
        p->setOpacity(held & (1u << i) ? 1.0 : kDimmed);
        p->drawPixmap(place.topLeft(), corner(numbers[i].toInt(), opt.fontMetrics, ratio));
        // The card goes on beyond its corner: its edge closes the tile.
        p->setPen(QPen(QColor(110, 110, 110), 1));
        p->setBrush(Qt::NoBrush);
        p->drawRoundedRect(place.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        place.translate(size.width() + gap, 0);
    }
    p->restore();
}

QSize HoldCardsDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const
{
    const QFontMetrics& fm = option.fontMetrics;
    const QSize corner = cornerSize(fm);
    return QSize(5 * corner.width() + 6 * cardGap(fm), corner.height() + fm.height() / 2);
}

}  // namespace dm
