// The rummy session page: hands won, lost and tied, the chance given up by the user's
// choices while the analysis was open, and the costly ones, each shown again on request.
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/frmanalysis_rummy.h"
#include "app/hold_cards.h"
#include "app/rummy_words.h"

namespace dm {

namespace {
enum Column { CardColumn, NumberColumn, HandColumn, CostColumn, WhatColumn, Columns };
}

RummySessionPage::RummySessionPage(RummySession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("rummySession"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const std::array<QString, 5> names{tr("Hands won:"), tr("Hands lost:"), tr("Hands tied:"),
                                       tr("Choices scored:"), tr("Chance to win given up:")};
    for (size_t i = 0; i < names.size(); ++i) {
        figures_[i] = new QLabel(this);
        figures_[i]->setObjectName(QStringLiteral("rummyFigure%1").arg(i));
        figures_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(names[i], figures_[i]);
    }
    layout->addLayout(form);
    auto* note = new QLabel(tr("Your choices are scored while this window is open: each against the best choice "
                               "of its position, in points of the chance to win."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);

    auto* caption = new QLabel(tr("&Choices that cost more than %1 points, newest first:").arg(kCostlyPoints), this);
    layout->addWidget(caption);
    costly_ = cardList({tr("Card"), tr("Choice"), tr("Hand"), tr("Costs"), tr("What you did")}, CardColumn, this);
    costly_->setObjectName(QStringLiteral("rummyCostly"));
    caption->setBuddy(costly_);
    layout->addWidget(costly_, 1);
    connect(costly_, &QTableWidget::cellActivated, this, &RummySessionPage::reviewSelected);

    auto* buttons = new QHBoxLayout;
    show_ = new QPushButton(tr("Sho&w the Choice"), this);
    show_->setObjectName(QStringLiteral("rummyShowChoice"));
    reset_ = new QPushButton(tr("&Reset"), this);
    buttons->addWidget(show_);
    buttons->addStretch(1);
    buttons->addWidget(reset_);
    layout->addLayout(buttons);
    connect(show_, &QPushButton::clicked, this, &RummySessionPage::reviewSelected);
    connect(costly_, &QTableWidget::currentCellChanged, this, [this](int row) { show_->setEnabled(row >= 0); });
    connect(reset_, &QPushButton::clicked, this, [this] {
        session_.reset();
        refresh();
    });
    refresh();
}

void RummySessionPage::refresh()
{
    const RummySession& s = session_;
    const std::array<QString, 5> texts{QString::number(s.won()), QString::number(s.lost()), QString::number(s.tied()),
                                       QString::number(s.scored()),
                                       tr("%1 points").arg(QString::number(s.pointsGivenUp(), 'f', 1))};
    for (size_t i = 0; i < texts.size(); ++i)
        figures_[i]->setText(texts[i]);

    const auto& list = s.costlyChoices();
    costly_->setRowCount(static_cast<int>(list.size()));
    for (int row = 0; row < costly_->rowCount(); ++row) {
        const ScoredChoice& c = list[list.size() - 1 - static_cast<size_t>(row)];
        const QString what = choiceInWords(c.chosen, c.before);
        auto* card = listCell(QString(), Qt::AlignLeft | Qt::AlignVCenter);
        HoldCardsDelegate::setCards(card, {choiceCard(c.chosen, c.before, backDesign_)}, what);
        auto* number = listCell(QString::number(c.number));
        number->setData(Qt::UserRole, c.number);
        costly_->setItem(row, CardColumn, card);
        costly_->setItem(row, NumberColumn, number);
        costly_->setItem(row, HandColumn, listCell(QString::number(c.hand)));
        costly_->setItem(row, CostColumn, listCell(tr("%1 points").arg(QString::number(c.cost, 'f', 1))));
        costly_->setItem(row, WhatColumn, listCell(what, Qt::AlignLeft | Qt::AlignVCenter));
    }
    show_->setEnabled(costly_->currentRow() >= 0);
    reset_->setEnabled(s.hands() > 0 || s.scored() > 0);
}

void RummySessionPage::reviewSelected()
{
    const QTableWidgetItem* item = costly_->item(costly_->currentRow(), NumberColumn);
    if (!item)
        return;
    const int number = item->data(Qt::UserRole).toInt();
    for (const ScoredChoice& c : session_.costlyChoices())
        if (c.number == number)
            return emit review(c);
}

}  // namespace dm
