// What each place of the table is called, where it lies and when it shows.
#include <QLabel>

#include "app/frmmain.h"
#include "app/table_access.h"
#include "app/table_words.h"
#include "table/picture_box.h"
#include "table/surface.h"

namespace dm {

namespace {
std::vector<int> slotsOf(const Hand& hand, int from, int to)
{
    std::vector<int> numbers;
    for (int i = from; i <= to; ++i)
        numbers.push_back(hand[i].number);
    return numbers;
}

QString lightWords(const std::optional<LabelLight>& light)
{
    if (!light)
        return {};
    switch (*light) {
    case LabelLight::BestPlay: return QStringLiteral(", best play");
    case LabelLight::Wrong: return QStringLiteral(", the best play you missed");
    case LabelLight::Paid:
    case LabelLight::PaidBright: return QStringLiteral(", paid");
    }
    return {};
}
}  // namespace

void TableAccess::buildRummyItems()
{
    frmMain& w = w_;
    const auto rummy = [&w] { return !w.prefs.isPoker; };
    const auto geometryOf = [](QWidget* box) { return [box] { return box->geometry(); }; };

    add({"computerHand", QAccessible::List, -1, false,
         [&w, rummy] { return rummy() && w.picComputerHand_->isVisible(); },
         [&w] {
             // Peeks and a shown hand lie face up; otherwise the backs say only how many.
             return handWords(QStringLiteral("Computer's hand"), slotsOf(w.rummy.s.computerHand, 0, 8),
                              !w.prefs.prfShowHide);
         },
         geometryOf(w.picComputerHand_)});
    add({"computerDraw", QAccessible::StaticText, -1, false,
         [&w, rummy] { return rummy() && w.picComputerDraw_->isVisible(); },
         [&w] { return QStringLiteral("Computer's drawn card: ") + cardWords(w.rummy.s.computerHand[9].number); },
         geometryOf(w.picComputerDraw_)});
    add({"stock", QAccessible::Button, -1, true,
         [&w] {
             return std::any_of(w.picDeal_.begin(), w.picDeal_.end(), [](QWidget* b) { return b->isVisible(); });
         },
         [&w] {
             if (w.prefs.isPoker)
                 return w.poker.s.holdPhase ? QStringLiteral("Deck: draw") : QStringLiteral("Deck: deal");
             const auto& s = w.rummy.s;
             const int cards = s.stockEmpty ? 0 : static_cast<int>(s.stock.size());
             return QStringLiteral("Stock, %1 %2").arg(cards).arg(cards == 1 ? "card" : "cards");
         },
         geometryOf(w.picDeal_[0])});
    add({"pile", QAccessible::Button, -1, true, [&w, rummy] { return rummy() && w.picReject_->isVisible(); },
         [&w] {
             const auto& pile = w.rummy.s.discardPile;
             std::vector<int> numbers;
             for (size_t i = 1; i < pile.size(); ++i)
                 numbers.push_back(pile[i].number);
             return pileWords(numbers);
         },
         geometryOf(w.picReject_)});
    const int hand = add({"hand", QAccessible::List, -1, false,
                          [&w, rummy] { return rummy() && w.picPlayerHand_->isVisible(); },
                          [&w] { return handWords(QStringLiteral("Your hand"), slotsOf(w.rummy.s.playerHand, 0, 8), true); },
                          geometryOf(w.picPlayerHand_)});
    for (int i = 0; i < 9; ++i)
        add({QStringLiteral("hand%1").arg(i), QAccessible::ListItem, hand, true,
             [&w, rummy] { return rummy() && w.picPlayerHand_->isVisible(); },
             [&w, i] { return cardWords(w.rummy.s.playerHand[i].number); },
             [&w, i] {
                 const CardRec& c = w.rummy.s.playerHand[i];
                 const int strip = i == 8 ? w.cWidth : std::min(w.cWidth, c.right - c.left);
                 return QRect(w.picPlayerHand_->pos() + QPoint(c.left, 0), QSize(strip, w.picPlayerHand_->height()));
             },
             {},
             [&w] { return w.rummy.s.mustDiscard ? QStringLiteral("raised: Enter throws it") : QString(); }});
    add({"drawn", QAccessible::Button, -1, true, [&w, rummy] { return rummy() && w.picPlayerDraw_->isVisible(); },
         [&w] { return QStringLiteral("Your drawn card: ") + cardWords(w.rummy.s.playerHand[9].number); },
         geometryOf(w.picPlayerDraw_)});
    add({"bankPlayer", QAccessible::StaticText, -1, false, [&w, rummy] { return rummy() && w.surface_->isVisible(); },
         [&w] { return QStringLiteral("Your bank: %1").arg(w.prefs.prfPlayerBank); },
         [&w] { return w.lblBankPlayer_; }});
    add({"bankComputer", QAccessible::StaticText, -1, false,
         [&w, rummy] { return rummy() && w.surface_->isVisible(); },
         [&w] { return QStringLiteral("Computer's bank: %1").arg(w.prefs.prfComputerBank); },
         [&w] { return w.lblBankComputer_; }});
}

void TableAccess::buildPokerItems()
{
    frmMain& w = w_;
    for (int i = 0; i < 5; ++i)
        add({QStringLiteral("poker%1").arg(i), QAccessible::CheckBox, -1, true,
             [&w, i] { return w.prefs.isPoker && w.picPoker_[i]->isVisible(); },
             [this, &w, i] {
                 QString text = QStringLiteral("Card %1: ").arg(i + 1);
                 if (pokerShown_[i] != CardShow::Face)
                     return text + QStringLiteral("face down");
                 text += cardWords(w.poker.s.pokerHand[i].number);
                 if (w.poker.s.held[i])
                     text += QStringLiteral(", held");
                 return text;
             },
             [&w, i] { return w.picPoker_[i]->geometry(); },
             [&w, i] { return w.poker.s.held[i] && w.poker.s.holdPhase; }});
    const int pay = add({"payTable", QAccessible::List, -1, false,
                         [&w] { return w.prefs.isPoker && w.picPokerLabels_->isVisible(); },
                         [] { return QStringLiteral("Pay table"); },
                         [&w] { return w.picPokerLabels_->geometry(); }});
    for (int i = 0; i < 21; ++i)
        add({QStringLiteral("pay%1").arg(i), QAccessible::ListItem, pay, false,
             [&w] { return w.prefs.isPoker && w.picPokerLabels_->isVisible(); },
             [this, &w, i] { return w.pkLabel_[i]->text().simplified() + lightWords(lights_[i]); },
             [&w, i] { return w.pkLabel_[i]->geometry().translated(w.picPokerLabels_->pos()); }});
    const auto counter = [&](const char* key, const QString& caption, QLabel* label) {
        add({QString::fromLatin1(key), QAccessible::StaticText, -1, false,
             [&w] { return w.prefs.isPoker && w.pokerCounters_->isVisible(); },
             [caption, label] { return caption + QStringLiteral(": ") + label->text(); },
             [&w, label] { return label->geometry().translated(w.pokerCounters_->pos()); }});
    };
    counter("won", QStringLiteral("Won"), w.pklblWinnings_);
    counter("hands", QStringLiteral("Hands"), w.pkLabelHands_);
    counter("timer", QStringLiteral("Timer"), w.pkLabelTimer_);
}

QString TableAccess::pokerHandWords() const
{
    std::vector<int> numbers;
    for (const auto& c : w_.poker.s.pokerHand)
        numbers.push_back(c.number);
    return cardListWords(numbers);
}

}  // namespace dm
