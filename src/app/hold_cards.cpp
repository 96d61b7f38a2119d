#include "app/hold_cards.h"

#include <QApplication>
#include <QHeaderView>
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

QTableWidget* cardList(const QStringList& headers, int cardColumn, QWidget* parent)
{
    auto* list = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    list->setHorizontalHeaderLabels(headers);
    list->verticalHeader()->setVisible(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setTabKeyNavigation(false);  // Tab leaves the list for the buttons and tabs
    list->setWordWrap(false);
    list->setItemDelegateForColumn(cardColumn, new HoldCardsDelegate(list));
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->horizontalHeader()->setStretchLastSection(true);
    list->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return list;
}

QTableWidgetItem* listCell(const QString& text, Qt::Alignment align)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(align);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

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

void HoldCardsDelegate::setCards(QTableWidgetItem* item, const std::vector<int>& cards, const QString& spoken)
{
    QList<QVariant> numbers;
    for (int c : cards)
        numbers << c;
    item->setData(kCardsRole, numbers);
    item->setData(kHoldRole, int((1u << cards.size()) - 1));
    item->setData(Qt::AccessibleTextRole, spoken);
    item->setToolTip(spoken);
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
        const QImage card = renderCard(number, number < kDeckSize ? 0 : 1, rendered);
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
    if (numbers.isEmpty())
        return;
    const HoldMask held = holdOf(index);
    const QSize size = cornerSize(opt.fontMetrics);
    const int gap = cardGap(opt.fontMetrics);
    const qreal ratio = p->device() ? p->device()->devicePixelRatioF() : 1.0;
    const qreal radius = 6.0 * cardScale(opt.fontMetrics);
    // In a column narrower than the cards they overlap as a fanned hand does; none is cut.
    const qsizetype n = numbers.size();
    int step = size.width() + gap;
    if (n > 1 && gap + n * step > opt.rect.width())
        step = std::max(1, int((opt.rect.width() - 2 * gap - size.width()) / (n - 1)));
    QRectF place(opt.rect.left() + gap, opt.rect.top() + (opt.rect.height() - size.height()) / 2, size.width(),
                 size.height());
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < n; ++i) {
        p->setOpacity(held & (1u << i) ? 1.0 : kDimmed);
        p->drawPixmap(place.topLeft(), corner(numbers[i].toInt(), opt.fontMetrics, ratio));
        // The card goes on beyond its corner: its edge closes the tile.
        p->setPen(QPen(QColor(110, 110, 110), 1));
        p->setBrush(Qt::NoBrush);
        p->drawRoundedRect(place.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        place.translate(step, 0);
    }
    p->restore();
}

QSize HoldCardsDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The cards are painted to the item's own font (a marked row is bold): measured so too.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QFontMetrics& fm = opt.fontMetrics;
    const QSize corner = cornerSize(fm);
    const int cards = std::max<int>(1, index.data(kCardsRole).toList().size());
    return QSize(cards * corner.width() + (cards + 1) * cardGap(fm), corner.height() + fm.height() / 2);
}

}  // namespace dm
