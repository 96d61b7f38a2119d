// The rummy analysis page: each choice of the decision on the table with its chances,
// best first; the card the user points at, live; the hand so far in words.
#include "app/frmanalysis_rummy.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/hold_cards.h"
#include "app/rummy_words.h"

namespace dm {

namespace {
enum Column { CardColumn, WinColumn, LoseColumn, TieColumn, MarginColumn, CostColumn, NotesColumn, Columns };

QString points(double p) { return QString::number(p, 'f', 1); }
QString pointsGivenUpText(double p) { return p < 0.05 ? QObject::tr("best") : QObject::tr("%1 points").arg(points(p)); }

}  // namespace

QString chanceText(double share) { return QString::number(share * 100.0, 'f', 1) + " %"; }

RummyAnalysisPage::RummyAnalysisPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("rummyAnalysis"));
    auto* layout = new QVBoxLayout(this);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("rummyHeading"));
    heading_->setWordWrap(true);
    heading_->setTextFormat(Qt::PlainText);
    layout->addWidget(heading_);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("rummyStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    choices_ = cardList({tr("Choice"), tr("Win"), tr("Lose"), tr("Tie"), tr("Margin"), tr("Costs"), tr("Notes")},
                        CardColumn, this);
    choices_->setObjectName(QStringLiteral("rummyChoices"));
    layout->addWidget(choices_, 3);

    auto* meaning = new QLabel(tr("A chance is the share of hands won, lost or tied from here if both sides play on as "
                                  "the Standard computer, the computer's unseen cards dealt among those that fit all "
                                  "it did; the margin is that of the chance to win, at 95 %."),
                               this);
    meaning->setObjectName(QStringLiteral("rummyMeaning"));
    meaning->setWordWrap(true);
    layout->addWidget(meaning);

    auto* caption = new QLabel(tr("This &hand, newest first:"), this);
    layout->addWidget(caption);
    history_ = new QListWidget(this);
    history_->setObjectName(QStringLiteral("rummyMoves"));
    history_->setWordWrap(true);
    caption->setBuddy(history_);
    layout->addWidget(history_, 2);
    showIdle(tr("Deal a hand of rummy: the chances of your choices show here."));
}

void RummyAnalysisPage::showWorking(const RummyPosition& pos)
{
    if (reviewing_ == 0 && !idle_ && !hint_ && samePosition(pos, pos_))
        return;  // already working on it
    pos_ = pos;
    hint_.reset();
    idle_ = false;
    reviewing_ = 0;
    chosen_.reset();
    status_->setText(tr("Working out the chances of your choices..."));
    status_->show();
    fillChoices();
    describe();
}

void RummyAnalysisPage::showHint(const RummyPosition& pos, const RummyHint& hint)
{
    if (reviewing_ == 0 && hint_ && samePosition(pos, pos_))
        return;  // shown already: the selection stays where the user left it
    pos_ = pos;
    hint_ = hint;
    idle_ = false;
    reviewing_ = 0;
    chosen_.reset();
    status_->setVisible(hint.choices.empty());
    status_->setText(tr("The chances could not be worked out for this hand."));
    fillChoices();
    describe();
}

void RummyAnalysisPage::showReview(const ScoredChoice& c)
{
    pos_ = c.before;
    hint_ = c.hint;
    idle_ = false;
    reviewing_ = c.number;
    reviewCost_ = c.cost;
    chosen_ = c.chosen;
    status_->hide();
    fillChoices();
    describe();
    setHistory(turnsInWords(c.before));
}

void RummyAnalysisPage::leaveReview()
{
    if (reviewing_ == 0)
        return;
    reviewing_ = 0;
    chosen_.reset();
    hint_.reset();
}

void RummyAnalysisPage::showIdle(const QString& text)
{
    hint_.reset();
    idle_ = true;
    reviewing_ = 0;
    chosen_.reset();
    status_->setText(text);
    status_->show();
    fillChoices();
    heading_->clear();
    heading_->hide();
}

void RummyAnalysisPage::pointAt(int card)
{
    if (card == pointed_)
        return;
    pointed_ = card;
    markRows();
    describe();
}

void RummyAnalysisPage::setHistory(const QStringList& lines)
{
    history_->clear();
    history_->addItems(lines);
}

void RummyAnalysisPage::fillChoices()
{
    const std::vector<ChoiceChance> none;
    const auto& list = hint_ ? hint_->choices : none;
    choices_->setRowCount(static_cast<int>(list.size()));
    for (int row = 0; row < choices_->rowCount(); ++row) {
        const ChoiceChance& c = list[static_cast<size_t>(row)];
        auto* card = listCell(QString(), Qt::AlignLeft | Qt::AlignVCenter);
        HoldCardsDelegate::setCards(card, {choiceCard(c.choice, pos_, backDesign_)}, choiceInWords(c.choice, pos_));
        choices_->setItem(row, CardColumn, card);
        choices_->setItem(row, WinColumn, listCell(chanceText(c.win)));
        choices_->setItem(row, LoseColumn, listCell(chanceText(c.lose)));
        choices_->setItem(row, TieColumn, listCell(chanceText(c.tie)));
        choices_->setItem(row, MarginColumn, listCell(QStringLiteral("\u00b1") + points(c.margin * 100.0)));
        choices_->setItem(row, CostColumn, listCell(pointsGivenUpText(pointsGivenUp(*hint_, c.choice))));
        choices_->setItem(row, NotesColumn, listCell(QString(), Qt::AlignLeft | Qt::AlignVCenter));
    }
    markRows();
}

// The row the user points at (or chose, under review) is marked; the notes say whose
// choice each marked row is.
void RummyAnalysisPage::markRows()
{
    if (!hint_)
        return;
    const QBrush mark(QColor(255, 226, 120));
    for (int row = 0; row < choices_->rowCount(); ++row) {
        const RummyChoice& choice = hint_->choices[static_cast<size_t>(row)].choice;
        const bool mine = chosen_ ? sameChoice(choice, *chosen_)
                                  : reviewing_ == 0 && choice.kind == RummyChoice::Kind::Throw && choice.card == pointed_;
        for (int c = 0; c < Columns; ++c) {
            QTableWidgetItem* item = choices_->item(row, c);
            QFont f = choices_->font();
            f.setBold(mine);
            item->setFont(f);
            item->setBackground(mine ? mark : QBrush());
            item->setForeground(mine ? QBrush(Qt::black) : QBrush());
        }
        QStringList notes;
        if (choice.kind == RummyChoice::Kind::Pile)
            notes << tr("the discard pile");
        else if (choice.kind == RummyChoice::Kind::Stock)
            notes << tr("the stock");
        if (sameChoice(choice, hint_->standard))
            notes << tr("Standard's choice");
        if (mine)
            notes << (chosen_ ? tr("your choice") : tr("you point at it"));
        choices_->item(row, NotesColumn)->setText(notes.join(QStringLiteral(", ")));
        if (mine)
            choices_->scrollToItem(choices_->item(row, CardColumn));
    }
}

void RummyAnalysisPage::describe()
{
    if (idle_)
        return;
    heading_->show();
    QString text;
    if (reviewing_ > 0) {
        text = tr("Choice %1 of the session: you chose to %2, which gave up %3 points of the chance to win.")
                   .arg(reviewing_)
                   .arg(choiceInWords(*chosen_, pos_), points(reviewCost_));
    } else if (decisionOf(pos_) == RummyDecision::Take) {
        const int top = pileTop(pos_);
        text = top == kNoCard ? tr("Your turn to take a card from the stock.")
                              : tr("Your turn to take a card: the %1 from the discard pile, or one from the stock.")
                                    .arg(QString::fromStdString(cardName(top)));
    } else {
        text = tr("Your turn to throw one of your ten cards.");
    }
    if (hint_ && !hint_->choices.empty()) {
        text += ' ' + tr("The Standard computer in your place would %1.").arg(choiceInWords(hint_->standard, pos_));
        const RummyChoice pointed{RummyChoice::Kind::Throw, pointed_};
        if (const ChoiceChance* c = reviewing_ == 0 ? chanceOf(*hint_, pointed) : nullptr) {
            const double cost = pointsGivenUp(*hint_, pointed);
            text += '\n' + tr("You point at the %1: %2 to win, %3.")
                               .arg(QString::fromStdString(cardName(pointed_)), chanceText(c->win),
                                    cost < 0.05 ? tr("as good as the best") : tr("%1 points below the best").arg(points(cost)));
        }
    }
    heading_->setText(text);
}

}  // namespace dm
