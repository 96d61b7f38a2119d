#include "app/table_keys.h"

#include <QKeyEvent>

#include "app/frmmain.h"
#include "app/table_access.h"
#include "rummy/rules.h"
#include "table/animation.h"
#include "table/picture_box.h"

namespace dm {

int TableKeys::handSlot(int item) const
{
    const QString key = item >= 0 && item < a_.count() ? a_.item(item).key : QString();
    if (!key.startsWith(QLatin1String("hand")) || key.size() != 5)
        return -1;
    return key.at(4).digitValue();
}

bool TableKeys::keyPress(QKeyEvent* e)
{
    const auto mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const int key = e->key();
    if (key == Qt::Key_Tab && mods == Qt::NoModifier) {
        step(+1, true);
        return true;
    }
    if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && mods == Qt::ShiftModifier)) {
        step(-1, true);
        return true;
    }
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && mods == Qt::NoModifier) {
        step(key == Qt::Key_Right ? +1 : -1, false);
        return true;
    }
    const int slot = handSlot(a_.focus());
    if ((key == Qt::Key_Left || key == Qt::Key_Right) && mods == Qt::ControlModifier) {
        if (slot >= 0 && handArrangeable())
            moveCardTo(slot, key == Qt::Key_Right ? slot + 1 : slot - 1);
        return true;
    }
    if ((key == Qt::Key_Home || key == Qt::Key_End) && mods == Qt::NoModifier) {
        // The right and left clicks; with a discard due a click would throw instead.
        if (slot >= 0 && handArrangeable())
            moveCardTo(slot, key == Qt::Key_Home ? 0 : 8);
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) && mods == Qt::NoModifier) {
        a_.showMark(a_.markShown());
        activate(a_.focus());
        return true;
    }
    return false;
}

void TableKeys::step(int direction, bool byGroup)
{
    const auto order = a_.focusOrder();
    if (order.empty())
        return;
    if (!a_.markShown()) {
        a_.showMark(true);  // the first key only shows where the focus stands
        if (std::find(order.begin(), order.end(), a_.focus()) != order.end()) {
            moveFocus(a_.focus());
            return;
        }
    }
    auto at = std::find(order.begin(), order.end(), a_.focus());
    int pos = at == order.end() ? 0 : static_cast<int>(at - order.begin());
    const int n = static_cast<int>(order.size());
    if (!byGroup) {
        pos = std::clamp(pos + direction, 0, n - 1);
        moveFocus(order[pos]);
        return;
    }
    // Tab leaves the hand as one place and comes back to the card it left.
    const bool inHand = handSlot(order[pos]) >= 0;
    for (int k = 1; k <= n; ++k) {
        const int next = order[((pos + direction * k) % n + n) % n];
        if (inHand && handSlot(next) >= 0)
            continue;
        if (handSlot(next) >= 0) {
            focusSlot(lastHandSlot_);
            return;
        }
        moveFocus(next);
        return;
    }
}

void TableKeys::moveFocus(int item)
{
    const int slot = handSlot(item);
    if (slot >= 0)
        lastHandSlot_ = slot;
    a_.setFocus(item);
    a_.showMark(true);
    // With a discard due, the card under the focus stands raised as under the pointer:
    // it is the one Enter throws.
    auto& s = w_.rummy.s;
    if (w_.prefs.isPoker || s.eval.handWon || w_.picAnimate_->isVisible())
        return;
    if (slot >= 0 && s.mustDiscard) {
        w_.hoverIndex_ = slot;
        w_.hovering_ = true;
        w_.refreshHand(Side::Player, slot);
        raisedByKey_ = true;
    } else if (raisedByKey_) {
        raisedByKey_ = false;
        w_.hoverIndex_ = kNoCard;
        w_.refreshHand(Side::Player, kNoCard);
    }
}

void TableKeys::focusSlot(int slot)
{
    const int item = a_.indexOf(QStringLiteral("hand%1").arg(std::clamp(slot, 0, 8)));
    moveFocus(item);
}

void TableKeys::activate(int item)
{
    if (item < 0 || item >= a_.count() || !a_.shown(item))
        return;
    const QString key = a_.item(item).key;
    if (key == QLatin1String("stock")) {
        w_.picDeal_Click(w_.prefs.isPoker ? 3 : std::clamp<int>(w_.rummy.s.pileImage, 0, 3));
    } else if (key == QLatin1String("pile")) {
        w_.picReject_Click();
    } else if (key == QLatin1String("drawn")) {
        w_.picPlayerDraw_Click();
    } else if (key.startsWith(QLatin1String("poker"))) {
        w_.picPoker_MouseDown(key.mid(5).toInt());
    } else if (const int slot = handSlot(item); slot >= 0) {
        if (w_.picAnimate_->isVisible())
            return;  // the hand is mid-step while a card glides, as for the mouse
        // The click lands on the card under the focus; with a discard due that card
        // is the raised one.
        w_.hoverIndex_ = slot;
        w_.hovering_ = true;
        if (w_.rummy.s.mustDiscard && !w_.rummy.s.eval.handWon && w_.raisedIndex_ != slot)
            w_.refreshHand(Side::Player, slot);
        const int number = w_.rummy.s.playerHand[slot].number;
        const bool arranging = !w_.rummy.s.mustDiscard;
        w_.picPlayerHand_Click(Qt::LeftButton);
        if (arranging)  // the card went to the right end: the focus goes with it
            for (int i = 0; i < 9; ++i)
                if (w_.rummy.s.playerHand[i].number == number)
                    focusSlot(i);
    }
}

bool TableKeys::handArrangeable() const
{
    const auto& s = w_.rummy.s;
    return !w_.prefs.isPoker && !s.eval.handWon && !s.mustDiscard && !w_.picAnimate_->isVisible();
}

// Moves the card at `slot` to `target` as a drag, or to an end as a click does.
void TableKeys::moveCardTo(int slot, int target)
{
    auto& hand = w_.rummy.s.playerHand;
    const int number = hand[slot].number;
    if (target < 0 || target > 8 || target == slot)
        return;
    w_.hideStartItem();
    if (target == 0) {
        w_.hoverIndex_ = slot;
        w_.picPlayerHand_Click(Qt::RightButton);
    } else if (target == 8) {
        w_.hoverIndex_ = slot;
        w_.picPlayerHand_Click(Qt::LeftButton);
    } else {
        // A drop lands after the card dropped on: one step right is a drop on the right
        // neighbour, one step left a drop on the card two to the left.
        MoveCardDragging(hand, number, target > slot ? target : target - 1);
        layoutHand(hand, w_.cardStep_, w_.cWidth, w_.playerHandTop_);
        w_.refreshHand(Side::Player);
    }
    for (int i = 0; i < 9; ++i)
        if (hand[i].number == number)
            focusSlot(i);
}

}  // namespace dm
