#include "app/rummy_words.h"

#include <QObject>
#include <vector>

namespace dm {

namespace {
using Kind = RummyMove::Kind;

QString name(int card) { return QString::fromStdString(cardName(card)); }
bool byUser(Kind k) { return k == Kind::UserStock || k == Kind::UserPile || k == Kind::UserDiscard; }
bool isTake(Kind k) { return k == Kind::UserStock || k == Kind::UserPile || k == Kind::ComputerStock || k == Kind::ComputerPile; }

QString takeText(const RummyMove& m)
{
    const bool stock = m.kind == Kind::UserStock || m.kind == Kind::ComputerStock;
    const QString who = byUser(m.kind) ? QObject::tr("You") : QObject::tr("The computer");
    return stock ? QObject::tr("%1 drew the %2 from the stock").arg(who, name(m.card))
                 : QObject::tr("%1 took the %2 from the discard pile").arg(who, name(m.card));
}

QString cardsInWords(const int* first, int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << name(first[i]);
    return names.join(' ');
}
}  // namespace

QStringList turnsInWords(const RummyPosition& pos)
{
    QStringList lines;
    QString open;  // a take still waiting for its throw
    const auto close = [&] {
        if (!open.isEmpty())
            lines.prepend(open + '.');
        open.clear();
    };
    for (const RummyMove& m : pos.moves) {
        if (m.kind == Kind::ComputerShown) {
            close();
            lines.prepend(QObject::tr("You saw the computer's hand: %1.").arg(cardsInWords(m.shown.data(), 9)));
        } else if (isTake(m.kind)) {
            close();
            open = takeText(m);
        } else if (open.isEmpty()) {
            lines.prepend((byUser(m.kind) ? QObject::tr("You threw the %1.") : QObject::tr("The computer threw the %1."))
                              .arg(name(m.card)));
        } else {
            open += QObject::tr(" and threw the %1").arg(name(m.card));
            close();
        }
    }
    close();
    return lines;
}

QString meldsInWords(const std::array<int, 10>& hand)
{
    return cardsInWords(hand.data(), 4) + QStringLiteral(" \u00b7 ") + cardsInWords(hand.data() + 4, 3) +
           QStringLiteral(" \u00b7 ") + cardsInWords(hand.data() + 7, 3);
}

QString handOverInWords(const RummyHandResult& r)
{
    using Outcome = RummyHandResult::Outcome;
    if (r.outcome == Outcome::Tie)
        return QObject::tr("The stock ran out: the hand is a tie and no stake moved.");
    const bool user = r.outcome == Outcome::UserWon;
    const QString who = user ? QObject::tr("You won") : QObject::tr("The computer won");
    const QString paid = user ? QObject::tr("the computer paid you %1") : QObject::tr("you paid the computer %1");
    return QObject::tr("%1 with %2; %3 (your bank %4, the computer's %5).")
        .arg(who, meldsInWords(r.winningHand), paid.arg(r.stake))
        .arg(r.userBank)
        .arg(r.computerBank);
}

int pileTop(const RummyPosition& pos)
{
    std::vector<int> pile;
    for (const RummyMove& m : pos.moves) {
        if (m.kind == Kind::UserDiscard || m.kind == Kind::ComputerDiscard)
            pile.push_back(m.card);
        else if ((m.kind == Kind::UserPile || m.kind == Kind::ComputerPile) && !pile.empty())
            pile.pop_back();
    }
    return pile.empty() ? kNoCard : pile.back();
}

int choiceCard(const RummyChoice& c, const RummyPosition& pos, int back)
{
    if (c.kind == RummyChoice::Kind::Stock)
        return back;
    if (c.kind == RummyChoice::Kind::Pile && c.card == kNoCard)
        return pileTop(pos);
    return c.card;
}

QString choiceInWords(const RummyChoice& c, const RummyPosition& pos)
{
    switch (c.kind) {
    case RummyChoice::Kind::Pile:
        return QObject::tr("take the %1 from the discard pile").arg(name(c.card != kNoCard ? c.card : pileTop(pos)));
    case RummyChoice::Kind::Stock:
        return QObject::tr("draw from the stock");
    case RummyChoice::Kind::Throw:
        break;
    }
    return QObject::tr("throw the %1").arg(name(c.card));
}

RummyDecision decisionOf(const RummyPosition& pos)
{
    for (auto it = pos.moves.rbegin(); it != pos.moves.rend(); ++it) {
        switch (it->kind) {
        case Kind::ComputerShown:
            continue;
        case Kind::ComputerDiscard:
            return RummyDecision::Take;
        case Kind::UserStock:
        case Kind::UserPile:
            return RummyDecision::Throw;
        default:
            return RummyDecision::None;
        }
    }
    return RummyDecision::Take;  // the user plays first
}

bool samePosition(const RummyPosition& a, const RummyPosition& b)
{
    return a.userDeal == b.userDeal && a.moves == b.moves;
}

std::optional<RummyChoice> choiceOf(const RummyMove& m)
{
    switch (m.kind) {
    case Kind::UserStock:
        return RummyChoice{RummyChoice::Kind::Stock};
    case Kind::UserPile:
        return RummyChoice{RummyChoice::Kind::Pile, m.card};
    case Kind::UserDiscard:
        return RummyChoice{RummyChoice::Kind::Throw, m.card};
    default:
        return std::nullopt;
    }
}

}  // namespace dm
