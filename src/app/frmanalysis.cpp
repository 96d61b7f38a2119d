// The analysis page: the 32 holds of a hand best first, the user's hold marked live.
#include "app/frmanalysis.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>

#include "app/hold_cards.h"
#include "poker/game.h"

namespace dm {

namespace {
enum Column { HoldColumn, CreditsColumn, ShareColumn, CostColumn, NotesColumn, Columns };

QString credits(double v) { return QString::number(v, 'f', 4); }
QString share(double creditsBack) { return QString::number(creditsBack / kPokerWager * 100.0, 'f', 2) + " %"; }
}  // namespace

frmAnalysis::frmAnalysis(PokerSession& session, RummySession& rummySession, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session), rummySession_(rummySession)
{
    setObjectName(QStringLiteral("frmAnalysis"));
    setWindowTitle(tr("Hand Analysis"));
    tabs_ = new QTabWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    buildAnalysisPage();
    buildSessionPage();
    setTabOrder(tabs_, holds_);
    buildRummyPages();

    // The number keys hold cards here as they do on the table.
    for (int i = 0; i < 5; ++i) {
        auto* key = new QShortcut(QKeySequence(Qt::Key_1 + i), this);
        connect(key, &QShortcut::activated, this, [this, i] { toggleFromKey(i); });
    }
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

frmAnalysis::~frmAnalysis() = default;

void frmAnalysis::buildAnalysisPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    heading_ = new QLabel(page);
    heading_->setObjectName(QStringLiteral("analysisHeading"));
    heading_->setWordWrap(true);
    heading_->setTextFormat(Qt::PlainText);
    layout->addWidget(heading_);

    holds_ = cardList({tr("Hold"), tr("Credits"), tr("Of the wager"), tr("Costs"), tr("Notes")}, HoldColumn, page);
    holds_->setRowCount(kHolds);
    holds_->setObjectName(QStringLiteral("holds"));
    layout->addWidget(holds_, 1);
    connect(holds_, &QTableWidget::cellActivated, this, [this](int row, int) { holdActivated(row); });

    tabs_->addTab(page, tr("&Analysis"));
}

void frmAnalysis::showAnalysisPage()
{
    tabs_->setCurrentIndex(0);
    holds_->setFocus();  // the arrows and Enter pick a hold at once
}

QSize frmAnalysis::sizeHint() const
{
    if (rummy_) {
        // Every column of the choices and room for the hand's sentences, in the font's units.
        const QSize base = QWidget::sizeHint();
        return QSize(std::max(base.width(), 118 * fontMetrics().averageCharWidth()),
                     std::max(base.height(), 40 * fontMetrics().height()));
    }
    const QAbstractItemView* view = holds_;
    int width = 2 * holds_->frameWidth() + holds_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < Columns; ++c)
        width += std::max(view->sizeHintForColumn(c), holds_->horizontalHeader()->sectionSizeHint(c));
    const int row = std::max(view->sizeHintForRow(0), fontMetrics().height());
    const QSize base = QWidget::sizeHint();
    const int slack = 4 * fontMetrics().averageCharWidth();
    return QSize(std::max(base.width(), width + (base.width() - holds_->sizeHint().width()) + slack),
                 base.height() - holds_->sizeHint().height() + holds_->horizontalHeader()->sizeHint().height() +
                     8 * row + 2 * holds_->frameWidth());
}

void frmAnalysis::followTable(const PokerCards& hand, const std::array<bool, 5>& held, bool holding, bool toFront)
{
    const HoldMask mask = maskOf(held);
    // Only a change on the table moves the page: the countdown's ticks leave a hand that
    // is being studied from the session where it is.
    const bool changed = holding != tableHolding_ || (holding && (hand != tableHand_ || mask != tableHeld_));
    tableHolding_ = holding;
    tableHand_ = hand;
    tableHeld_ = mask;
    if (!changed && !toFront)
        return;
    live_ = holding;
    if (holding) {
        reviewing_ = 0;
        analyse(hand);
        markHold(mask);
    }
    // After the draw the hand as it was dealt stays for study.
    describe();
}

void frmAnalysis::analyse(const PokerCards& hand)
{
    if (analysed_ && hand == hand_)
        return;
    hand_ = hand;
    analysed_ = true;
    values_ = holdValues(hand);
    adviser_ = adviserHolds(hand);

    std::array<HoldMask, kHolds> order{};
    std::iota(order.begin(), order.end(), 0u);
    // Best first; of equal worth the lower mask first, as bestHold picks.
    std::stable_sort(order.begin(), order.end(),
                     [&](HoldMask a, HoldMask b) { return values_[a] > values_[b] + kSameValue; });
    const double best = values_[order[0]];
    for (int row = 0; row < kHolds; ++row) {
        const HoldMask m = order[row];
        auto* hold = listCell(QString(), Qt::AlignLeft | Qt::AlignVCenter);
        HoldCardsDelegate::setHold(hold, hand, m);
        holds_->setItem(row, HoldColumn, hold);
        holds_->setItem(row, CreditsColumn, listCell(credits(values_[m])));
        holds_->setItem(row, ShareColumn, listCell(share(values_[m])));
        const double cost = best - values_[m];
        holds_->setItem(row, CostColumn, listCell(cost > kSameValue ? credits(cost) : tr("best")));
        holds_->setItem(row, NotesColumn, listCell(QString(), Qt::AlignLeft | Qt::AlignVCenter));
    }
    marked_ = kHolds;  // no row carries the mark yet
}

void frmAnalysis::markHold(HoldMask held)
{
    marked_ = held;
    const QBrush mark(QColor(255, 226, 120));
    for (int row = 0; row < kHolds; ++row) {
        const HoldMask hold = HoldCardsDelegate::holdOf(holds_->model()->index(row, HoldColumn));
        const bool mine = hold == held;
        for (int c = 0; c < Columns; ++c) {
            QTableWidgetItem* item = holds_->item(row, c);
            QFont f = holds_->font();  // an item's own font starts as the program's, not the list's
            f.setBold(mine);
            item->setFont(f);
            item->setBackground(mine ? mark : QBrush());
            item->setForeground(mine ? QBrush(Qt::black) : QBrush());
        }
        QString notes = adviser_[hold] ? tr("the adviser's play") : QString();
        if (mine)
            notes = notes.isEmpty() ? tr("your hold") : tr("your hold, ") + notes;
        holds_->item(row, NotesColumn)->setText(notes);
        if (mine) {
            // The keyboard starts from the user's hold; the mark stays unhidden by a selection.
            holds_->clearSelection();
            holds_->selectionModel()->setCurrentIndex(holds_->model()->index(row, HoldColumn),
                                                      QItemSelectionModel::NoUpdate);
        }
    }
    revealMark();
}

void frmAnalysis::revealMark()
{
    // The best holds stay in view, and the user's with them when it fits.
    holds_->scrollToTop();
    if (QTableWidgetItem* mine = holds_->currentItem())
        holds_->scrollToItem(mine);
}

void frmAnalysis::describe()
{
    if (!analysed_ || marked_ >= kHolds) {
        heading_->setText(tr("Deal a hand of video poker: its holds show here."));
        return;
    }
    const HoldMask best = bestHold(values_);
    const double cost = values_[best] - values_[marked_];
    QString who = tr("Your hold");
    if (reviewing_ > 0)
        who = tr("Hand %1 of the session. You held").arg(reviewing_);
    else if (!live_)
        who = tr("Drawn. You held");
    QString text = who + ": " + holdText(hand_, marked_) + ", " + credits(values_[marked_]) + tr(" credits, ") +
                   share(values_[marked_]) + tr(" of the 5-credit wager. ");
    if (cost > kSameValue)
        text += tr("The best hold, %1, returns %2 credits: this one costs %3 credits.")
                    .arg(holdText(hand_, best), credits(values_[best]), credits(cost));
    else
        text += tr("That is the best hold.");
    text += "\n" + tr("The adviser plays it as \"%1\".").arg(QString::fromLatin1(pokerCaption(EvaluatePokerHand(hand_))).trimmed());
    if (live_ && reviewing_ == 0)
        text += tr(" Keys 1 to 5 hold cards; Enter takes the chosen hold.");
    heading_->setText(text);
}

void frmAnalysis::review(const PlayedHand& h)
{
    reviewing_ = h.number;
    analyse(h.dealt);
    markHold(h.held);
    describe();
    showAnalysisPage();
}

void frmAnalysis::holdActivated(int row)
{
    if (!live_ || reviewing_ > 0 || !pressCard)
        return;
    const HoldMask wanted = HoldCardsDelegate::holdOf(holds_->model()->index(row, HoldColumn));
    const HoldMask change = wanted ^ marked_;
    for (int i = 0; i < 5; ++i)
        if (change & (1u << i))
            pressCard(i);
}

void frmAnalysis::toggleFromKey(int pos)
{
    if (live_ && reviewing_ == 0 && pressCard)
        pressCard(pos);
}

void frmAnalysis::showEvent(QShowEvent* e)
{
    // Once the rows have their final place on the screen.
    QMetaObject::invokeMethod(this, &frmAnalysis::revealMark, Qt::QueuedConnection);
    QWidget::showEvent(e);
    if (rummy_ && rummyFollowed_)
        workOutRummy();  // the chances are worked out again from here on
}

void frmAnalysis::changeEvent(QEvent* e)
{
    // The cards are drawn to the font's size: a new font lays the rows out again.
    if (e->type() == QEvent::FontChange && holds_)
        holds_->resizeRowsToContents();
    QWidget::changeEvent(e);
}

}  // namespace dm
