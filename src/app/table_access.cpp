#include "app/table_access.h"

#include <QEvent>
#include <QPainter>
#include <QTimer>

#include "app/frmmain.h"
#include "app/frmpreferences.h"
#include "app/table_words.h"
#include "poker/rules.h"

namespace dm {

// The keyboard's focus mark: a dashed frame in the hold-marker colour round a place.
class FocusMark : public QWidget {
public:
    FocusMark(const frmMain& w, QWidget* parent) : QWidget(parent), w_(w)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName(QStringLiteral("focusMark"));
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPen pen(colourFromBgr(w_.prefs.prfCardOutlineColor), 3, Qt::DashLine);
        p.setPen(pen);
        p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 7, 7);
    }

private:
    const frmMain& w_;
};

namespace {
constexpr int kMarkMargin = 4;
constexpr int kNewsGatherMs = 250;

void send(QAccessibleInterface* iface, QAccessible::Event type)
{
    if (!iface)
        return;
    QAccessibleEvent e(iface, type);
    QAccessible::updateAccessibility(&e);
}

}  // namespace

TableAccess::TableAccess(frmMain& window, QWidget* table) : QObject(table), w_(window), table_(table)
{
    setObjectName(QStringLiteral("tableAccess"));
    mark_ = new FocusMark(window, table);
    status_item_ = add({"status", QAccessible::Notification, -1, false, [] { return true; },
                        [this] { return status_; }, [] { return QRect(); }, {}, [this] { return status_; }});
    // The news as a list too: each line keeps its words, so a reader that comes late
    // (or reads back) finds every move in order. The description numbers the lines.
    const int news = add({"news", QAccessible::List, -1, false, [this] { return newsTotal_ > 0; },
                          [] { return QStringLiteral("Table news"); }, [] { return QRect(); }});
    for (int k = 0; k < kNewsKept; ++k) {
        const auto line = [this, k] { return newsTotal_ - static_cast<int>(news_.size()) + k; };
        add({QStringLiteral("news%1").arg(k), QAccessible::ListItem, news, false,
             [this, k] { return k < static_cast<int>(news_.size()); },
             [this, k] { return k < static_cast<int>(news_.size()) ? news_[k] : QString(); }, [] { return QRect(); }, {},
             [this, k, line] { return k < static_cast<int>(news_.size()) ? QString::number(line() + 1) : QString(); }});
    }
    buildRummyItems();
    buildPokerItems();
    seen_.resize(items_.size());
    ids_.resize(items_.size(), 0);
    focus_ = indexOf(QStringLiteral("stock"));
    // Every redraw of a place reaches the table's widgets as a paint, a show or a hide.
    table->installEventFilter(this);
    for (QWidget* child : table->findChildren<QWidget*>())
        if (child != mark_)
            child->installEventFilter(this);
}

TableAccess::~TableAccess()
{
    for (const auto id : ids_)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

int TableAccess::add(TableItem item)
{
    items_.push_back(std::move(item));
    return count() - 1;
}

int TableAccess::indexOf(const QString& key) const
{
    for (int i = 0; i < count(); ++i)
        if (items_[i].key == key)
            return i;
    return -1;
}

std::vector<int> TableAccess::childrenOf(int parent) const
{
    std::vector<int> out;
    for (int i = 0; i < count(); ++i)
        if (items_[i].parent == parent)
            out.push_back(i);
    return out;
}

bool TableAccess::shown(int i) const { return i >= 0 && i < count() && items_[i].shown(); }
QString TableAccess::name(int i) const { return i >= 0 && i < count() ? items_[i].name() : QString(); }

std::vector<int> TableAccess::focusOrder() const
{
    std::vector<int> out;
    for (int i = 0; i < count(); ++i)
        if (items_[i].focusable && shown(i))
            out.push_back(i);
    return out;
}

// ---------------------------------------------------------------- focus

void TableAccess::setFocus(int i)
{
    if (i < 0 || i >= count())
        return;
    focus_ = i;
    if (mark_->isVisible())
        showMark(true);
    sendFocus();
}

void TableAccess::sendFocus()
{
    if (QAccessible::isActive() && table_ && table_->hasFocus() && shown(focus_))
        send(iface(focus_), QAccessible::Focus);
}

QRect TableAccess::markRect() const
{
    return shown(focus_) ? items_[focus_].rect().adjusted(-kMarkMargin, -kMarkMargin, kMarkMargin, kMarkMargin) : QRect();
}

void TableAccess::showMark(bool on)
{
    const QRect r = markRect();
    if (!on || r.isEmpty()) {
        mark_->hide();
        return;
    }
    mark_->setGeometry(r);
    mark_->show();
    mark_->raise();
    mark_->update();
}

bool TableAccess::markShown() const { return mark_->isVisible(); }

// ---------------------------------------------------------------- what changed

bool TableAccess::eventFilter(QObject* watched, QEvent* e)
{
    const auto t = e->type();
    if (watched != mark_ && (t == QEvent::Paint || t == QEvent::Show || t == QEvent::Hide || t == QEvent::Move))
        changed();
    if (t == QEvent::FocusIn && watched == table_)
        sendFocus();
    // The mark is for the keyboard; a click means the mouse is in charge again.
    if (t == QEvent::MouseButtonPress)
        mark_->hide();
    return QObject::eventFilter(watched, e);
}

void TableAccess::changed()
{
    if (refreshQueued_)
        return;
    refreshQueued_ = true;
    QTimer::singleShot(0, this, [this] { refresh(); });
}

void TableAccess::refresh()
{
    refreshQueued_ = false;
    // A place that left the table takes the focus with it to the first place still there.
    if (!shown(focus_)) {
        const auto order = focusOrder();
        if (!order.empty())
            setFocus(order.front());
    }
    if (mark_->isVisible())
        showMark(true);
    followBanks(true);
    if (!QAccessible::isActive())
        return;
    for (int i = 0; i < count(); ++i) {
        if (i == status_item_)
            continue;
        Seen now{shown(i), items_[i].checked && items_[i].checked(), items_[i].name()};
        Seen& was = seen_[i];
        if (now.shown != was.shown || now.checked != was.checked) {
            QAccessible::State states;
            states.invisible = now.shown != was.shown;
            states.checked = now.checked != was.checked;
            QAccessibleStateChangeEvent e(iface(i), states);
            QAccessible::updateAccessibility(&e);
        }
        // The news lines move up one by one; only the status object speaks of them.
        const bool newsLine = items_[i].key.startsWith(QLatin1String("news")) && items_[i].key.size() > 4;
        if (now.name != was.name && !newsLine)
            send(iface(i), QAccessible::NameChanged);
        was = now;
    }
}

void TableAccess::followBanks(bool tell)
{
    if (w_.prefs.isPoker)
        return;
    const std::pair<int, int> now{w_.prefs.prfPlayerBank, w_.prefs.prfComputerBank};
    if (banks_ && *banks_ != now && tell)
        announce(QStringLiteral("Your bank: %1, the computer's bank: %2.").arg(now.first).arg(now.second));
    banks_ = now;
}

// ---------------------------------------------------------------- what happened

void TableAccess::announce(const QString& text)
{
    if (!pending_.isEmpty())
        pending_ += QLatin1Char(' ');
    pending_ += text;
    if (statusQueued_)
        return;
    statusQueued_ = true;
    // A screen reader that gets two notices in quick succession says only the last:
    // what happens within a moment (a win and the banks) is said as one.
    QTimer::singleShot(qRound(kNewsGatherMs * w_.context().timeScale), this, [this] { flushStatus(); });
}

void TableAccess::flushStatus()
{
    statusQueued_ = false;
    status_ = pending_;
    pending_.clear();
    news_.push_back(status_);
    ++newsTotal_;
    if (static_cast<int>(news_.size()) > kNewsKept)
        news_.erase(news_.begin());
    changed();
    if (!QAccessible::isActive())
        return;
    // A notification shown again is what a screen reader speaks; the name and
    // description changes serve those that follow the object's text.
    send(iface(status_item_), QAccessible::NameChanged);
    send(iface(status_item_), QAccessible::DescriptionChanged);
    send(iface(status_item_), QAccessible::ObjectShow);
}

void TableAccess::movePlayed(const RummyMove& m)
{
    const QString card = cardWords(m.card);
    switch (m.kind) {
    case RummyMove::Kind::UserStock: announce(QStringLiteral("You drew the %1 from the stock.").arg(card)); break;
    case RummyMove::Kind::UserPile: announce(QStringLiteral("You took the %1 from the discard pile.").arg(card)); break;
    case RummyMove::Kind::UserDiscard: announce(QStringLiteral("You threw the %1.").arg(card)); break;
    case RummyMove::Kind::ComputerStock:
        announce(card.isEmpty() ? QStringLiteral("The computer drew from the stock.")
                                : QStringLiteral("The computer drew the %1 from the stock.").arg(card));
        break;
    case RummyMove::Kind::ComputerPile:
        announce(QStringLiteral("The computer took the %1 from the discard pile.").arg(card));
        break;
    case RummyMove::Kind::ComputerDiscard: announce(QStringLiteral("The computer threw the %1.").arg(card)); break;
    case RummyMove::Kind::ComputerShown:
        announce(QStringLiteral("The computer's hand: %1.")
                     .arg(cardListWords(std::vector<int>(m.shown.begin(), m.shown.end()))));
        break;
    }
}

void TableAccess::handOver(const RummyHandResult& r)
{
    const std::vector<int> hand(r.winningHand.begin(), r.winningHand.end());
    switch (r.outcome) {
    case RummyHandResult::Outcome::UserWon: announce(QStringLiteral("You win with %1.").arg(cardListWords(hand))); break;
    case RummyHandResult::Outcome::ComputerWon:
        announce(QStringLiteral("The computer wins with %1.").arg(cardListWords(hand)));
        break;
    case RummyHandResult::Outcome::Tie: announce(QStringLiteral("The game is a tie.")); break;
    }
}

void TableAccess::dealShown()
{
    followBanks(false);
    pending_.clear();  // a deal makes whatever was about to be said old news
    std::vector<int> numbers;
    for (int i = 0; i < 9; ++i)
        numbers.push_back(w_.rummy.s.playerHand[i].number);
    announce(QStringLiteral("New hand. Your cards: %1.").arg(cardListWords(numbers)));
}

void TableAccess::pokerCardShown(int pos, CardShow how)
{
    if (pos < 0 || pos >= 5)
        return;
    pokerShown_[pos] = how;
    const bool allFaces = std::all_of(pokerShown_.begin(), pokerShown_.end(), [](CardShow c) { return c == CardShow::Face; });
    if (!allFaces || how != CardShow::Face)
        return;
    if (!pokerDrawing_) {
        announce(QStringLiteral("Dealt: %1.").arg(pokerHandWords()));
        return;
    }
    pokerDrawing_ = false;
    const int cls = w_.poker.s.handClass;
    const Payout pay = payoutFor(cls);
    if (pay.prize > 0)
        announce(QStringLiteral("You drew: %1. %2 pays %3 credits.")
                     .arg(pokerHandWords(), QString::fromLatin1(pokerCaption(cls)))
                     .arg(pay.prize));
    else
        announce(QStringLiteral("You drew: %1. No win.").arg(pokerHandWords()));
}

void TableAccess::pokerHandDrawn() { pokerDrawing_ = true; }

void TableAccess::labelLit(int cls, LabelLight light)
{
    if (cls < 1 || cls > 21)
        return;
    lights_[cls - 1] = light;
    const QString caption = QString::fromLatin1(pokerCaption(cls));
    if (light == LabelLight::BestPlay)
        announce(QStringLiteral("Best play: %1.").arg(caption));
    else if (light == LabelLight::Wrong)
        announce(QStringLiteral("Wrong hold: the best play was %1. Hold again.").arg(caption));
    changed();
}

void TableAccess::labelsCleared()
{
    lights_.fill(std::nullopt);
    changed();
}

}  // namespace dm
