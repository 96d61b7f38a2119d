// Rummy on the table: starting a hand, the table's clicks, dragging, gliding cards.
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include "app/frmmain.h"
#include "app/table_keys.h"
#include "app/hold_marker.h"
#include "table/animation.h"
#include "table/cardfaces.h"
#include "table/picture_box.h"
#include "table/surface.h"

namespace dm {

namespace {
constexpr int kGlideStep = 3;  // pixels a moving card advances per frame
constexpr int kDragThreshold = 5;
}  // namespace

void frmMain::mnuPlayRummy_Click()
{
    guarded("mnuPlayRummy_Click", [this] {
        if (poker.s.pokerBusy)
            return;
        if (prefs.isPoker)
            poker.leave();
        Timer1_.stop();
        updateHandMenus();
        // A new rummy game offers Peek again, also while the computer's hand is shown.
        for (const char* name : {"mnuPeek", "mnuShowComputerHand", "mnuSortRank", "mnuSortSuit"})
            action(name)->setEnabled(true);
        for (auto* b : picDeal_)
            b->hide();
        rummy.s.resetMelds = true;
        prefs.isPoker = false;
        followTable();
        surface_->resetBoard();
        if (!isVisible())
            show();
        LoadBackGroundPic(QString::fromStdString(prefs.prfTolvaBackground));
        for (auto* a : mnuBackgoundSelected_)
            if (a->text().startsWith(QLatin1String("vpoker")))
                a->setVisible(false);
        rummy.newHand();
    });
}

void frmMain::picDeal_Click(int index)
{
    guarded("picDeal_Click", [this, index] {
        hideStartItem();
        if (prefs.isPoker) {
            poker.picDeal_Click(index);
        } else {
            rummy.picDeal_Click();
            endDragOnTakenCard();
        }
    });
}

void frmMain::picReject_Click()
{
    guarded("picReject_Click", [this] {
        if (!prefs.isPoker) {
            rummy.picReject_Click();
            endDragOnTakenCard();
        }
    });
}

// A drag that rearranged the hand before the card was taken is over: the card under
// the pointer may rise again, so the next click discards it.
void frmMain::endDragOnTakenCard()
{
    if (rummy.s.mustDiscard)
        dragging_ = false;
}

void frmMain::picPlayerDraw_Click()
{
    guarded("picPlayerDraw_Click", [this] {
        if (!prefs.isPoker)
            rummy.picPlayerDraw_Click();
    });
}

// ---------------------------------------------------------------- gliding cards

QPoint frmMain::placePoint(const Place& p) const
{
    const int onPile = static_cast<int>(rummy.s.discardPile.size()) - 1;
    switch (p.kind) {
    case Place::Kind::Stock:
        return picDeal_[0]->pos() + QPoint(8, 4);
    case Place::Kind::DiscardTop:
        return picReject_->pos() + pileOffset(std::clamp(onPile - 1, 0, 2));
    case Place::Kind::DiscardNext:
        return picReject_->pos() + pileOffset(std::clamp(onPile, 0, 2));
    case Place::Kind::PlayerDraw:
        return picPlayerDraw_->pos();
    case Place::Kind::ComputerDraw:
        return picComputerDraw_->pos();
    case Place::Kind::PlayerSlot:
        return picPlayerHand_->pos() + QPoint(rummy.s.playerHand[p.slot].left, playerHandTop_);
    case Place::Kind::ComputerSlot:
        return picComputerHand_->pos() + QPoint(handSlotLeft(p.slot, cardStep_), 0);
    }
    return {};
}

bool frmMain::glide(QPoint from, QPoint to, int card, bool forPoker)
{
    if (unloaded_)
        return false;
    QPixmap face(QSize(cWidth, cHeight) * devicePixelRatioF());
    face.setDevicePixelRatio(devicePixelRatioF());
    face.fill(Qt::transparent);
    {
        QPainter p(&face);
        if (card == kNoCard)
            drawBack(p, 0, 0, forPoker);
        else
            cdtDraw(p, 0, 0, card, 0);
    }
    if (!prefs.prfAnimation)
        return !unloaded_;
    picAnimate_->setPicture(face);
    picAnimate_->move(from);
    picAnimate_->show();
    picAnimate_->raise();
    // The pause after each frame is the delay's loop turns at this machine's speed.
    if (loopTurnSeconds_ <= 0)
        loopTurnSeconds_ = measureLoopTurnSeconds();
    const int frameMs = frameWaitMs(prefs.prfAnimationDelay, loopTurnSeconds_);
    const bool alive = picAnimate_->glide(from, to, kGlideStep, frameMs, this, ctx_.timeScale);
    picAnimate_->hide();
    return alive && !unloaded_;
}

bool frmMain::animateCard(Place from, Place to, int card)
{
    if (from.kind == Place::Kind::PlayerSlot && from.slot < 8)
        refreshHand(Side::Player, from.slot, true);
    if (from.kind == Place::Kind::ComputerSlot && from.slot < 8)
        refreshHand(Side::Computer, from.slot, true);
    picPlayerDraw_->hide();
    picComputerDraw_->hide();
    const int shown = card == kNoCard ? kNoCard : card;
    return glide(placePoint(from), placePoint(to), shown, false);
}

bool frmMain::stockAnimation()
{
    bool alive = true;
    guarded("cardGraphics", [&] {
        const int design = prefs.isPoker ? prefs.prfPKBackFace : prefs.prfTolvaBackFace;
        for (int animated : {64, 65}) {
            if (prefs.prfTolvaBackFace != animated && prefs.prfPKBackFace != animated)
                continue;
            for (int frame = 0; frame < 4 && picDeal_[0]->isVisible(); ++frame) {
                picDeal_[0]->paint([&](QPainter& p) { cdtAnimate(p, design, 6, 3, frame); });
                picDeal_[0]->refresh();
                if (!wait(250)) {
                    alive = false;
                    return;
                }
            }
        }
    });
    return alive;
}

// ---------------------------------------------------------------- the user's hand under the mouse

int frmMain::cardUnder(int x) const
{
    for (int i = 0; i < 9; ++i) {
        const auto& c = rummy.s.playerHand[i];
        if (c.left < x && x < c.right)
            return i;
    }
    return kNoCard;
}

void frmMain::picPlayerHand_MouseDown(QMouseEvent* e)
{
    buttonDown_ = true;
    dragging_ = false;
    pressX_ = e->position().toPoint().x();
    // A click may have reordered the hand under a still pointer: the drag takes the
    // card that is under the press now.
    if (const int i = cardUnder(pressX_); i != kNoCard) {
        dragNumber_ = rummy.s.playerHand[i].number;
        grabOffset_ = pressX_ - rummy.s.playerHand[i].left;
    }
}

void frmMain::picPlayerHand_MouseMove(QMouseEvent* e)
{
    if (rummy.s.eval.handWon || prefs.isPoker)
        return;
    const int x = e->position().toPoint().x();
    const bool held = buttonDown_ && e->buttons() != Qt::NoButton;
    if (held && !rummy.s.mustDiscard && std::abs(x - pressX_) > kDragThreshold)
        dragging_ = true;
    const int previous = hoverIndex_;
    const int i = cardUnder(x);
    if (i != kNoCard) {
        hoverIndex_ = i;
        hovering_ = true;
        if (!held) {
            dragNumber_ = rummy.s.playerHand[i].number;
            grabOffset_ = x - rummy.s.playerHand[i].left;
        }
    }
    if (held && !rummy.s.mustDiscard && dragNumber_ >= 0) {
        refreshHand(Side::Player);
        picPlayerHand_->paint([&](QPainter& p) { cdtDraw(p, x - grabOffset_, playerHandTop_, dragNumber_, 0); });
        picPlayerHand_->refresh();
    } else if (hoverIndex_ != previous && !held && !dragging_) {
        refreshHand(Side::Player, hoverIndex_);
    }
}

void frmMain::picPlayerHand_MouseUp(QMouseEvent* e)
{
    if (dragging_ && buttonDown_ && dragNumber_ >= 0) {
        const int d = static_cast<int>(e->position().x()) - grabOffset_;
        for (int t = 0; t < 9; ++t) {
            const auto& c = rummy.s.playerHand[t];
            if (c.left <= d && d < c.right) {
                MoveCardDragging(rummy.s.playerHand, dragNumber_, t);
                layoutHand(rummy.s.playerHand, cardStep_, cWidth, playerHandTop_);
                break;
            }
        }
        refreshHand(Side::Player);
        dragNumber_ = -1;
    }
    buttonDown_ = false;
    pressX_ = 0;
}

void frmMain::picPlayerHand_Click(Qt::MouseButton button)
{
    guarded("picPlayerHand_Click", [this, button] {
        hideStartItem();
        if (rummy.s.eval.handWon || prefs.isPoker || rummy.s.eval.computerTurn)
            return;
        if (!dragging_ && !buttonDown_ && !rummy.s.mustDiscard && hoverIndex_ != kNoCard) {
            if (button == Qt::LeftButton)
                MoveCardForward(rummy.s.playerHand, hoverIndex_);
            else
                MoveCardBack(rummy.s.playerHand, hoverIndex_);
            layoutHand(rummy.s.playerHand, cardStep_, cWidth, playerHandTop_);
            refreshHand(Side::Player);
        } else if (rummy.s.mustDiscard && raisedIndex_ != kNoCard && raisedIndex_ == hoverIndex_) {
            rummy.DiscardPlayerCard(raisedIndex_);
        }
    });
}

void frmMain::Form_MouseDown(QMouseEvent* e)
{
    if (e->button() != Qt::RightButton)
        return;
    action("mnuStart")->setVisible(true);
    mnuAction_->popup(e->globalPosition().toPoint());
}

void frmMain::Form_MouseMove(QMouseEvent* e)
{
    if (e->position().y() < 100)
        hideStartItem();
    // While a card glides its slot is left out of the hand picture; a redraw now
    // would show it twice.
    if (!prefs.isPoker && !rummy.s.eval.handWon && hovering_ && !picAnimate_->isVisible()) {
        refreshHand(Side::Player, kNoCard);
        hovering_ = false;
        hoverIndex_ = kNoCard;
    }
}

void frmMain::Form_MouseUp()
{
    buttonDown_ = false;
    dragging_ = false;
}

bool frmMain::eventFilter(QObject* watched, QEvent* e)
{
    const auto type = e->type();
    if (watched == surface_ && type == QEvent::KeyPress && keys_->keyPress(static_cast<QKeyEvent*>(e)))
        return true;
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonDblClick)
        return QMainWindow::eventFilter(watched, e);
    auto* me = static_cast<QMouseEvent*>(e);
    if (watched == surface_) {
        if (type == QEvent::MouseButtonPress)
            Form_MouseDown(me);
        else if (type == QEvent::MouseMove)
            Form_MouseMove(me);
        else if (type == QEvent::MouseButtonRelease)
            Form_MouseUp();
        return false;
    }
    if (watched == picPlayerHand_) {
        // The hand is mid-step while a card glides (a discard keeps its slot number
        // until it lands): clicks and drags then would reorder cards under it.
        if (picAnimate_->isVisible())
            return true;
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
            picPlayerHand_MouseDown(me);
        } else if (type == QEvent::MouseMove) {
            picPlayerHand_MouseMove(me);
        } else {
            picPlayerHand_MouseUp(me);
            if (picPlayerHand_->rect().contains(me->position().toPoint()))
                picPlayerHand_Click(me->button());
        }
        return true;
    }
    const bool release = type == QEvent::MouseButtonRelease;
    if (watched == picPlayerDraw_ && release && me->button() == Qt::LeftButton) {
        picPlayerDraw_Click();
        return true;
    }
    if (watched == picReject_ && release && me->button() == Qt::LeftButton) {
        picReject_Click();
        return true;
    }
    for (int i = 0; i < 4; ++i)
        if (watched == picDeal_[i] && release && me->button() == Qt::LeftButton) {
            picDeal_Click(i);
            return true;
        }
    for (int i = 0; i < 5; ++i)
        if (watched == picPoker_[i] && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
            picPoker_MouseDown(i);
            return true;
        }
    return QMainWindow::eventFilter(watched, e);
}

void frmMain::keyPressEvent(QKeyEvent* e)
{
    if (prefs.isPoker) {
        if (e->key() >= Qt::Key_1 && e->key() <= Qt::Key_5) {
            picPoker_MouseDown(e->key() - Qt::Key_1);
            return;
        }
        if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
            picDeal_Click(3);
            return;
        }
    }
    QMainWindow::keyPressEvent(e);
}

void frmMain::changeEvent(QEvent* e)
{
    // The table never runs maximised: it snaps back to its picture's size.
    if (e->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMaximized))
        QTimer::singleShot(0, this, [this] { showNormal(); AutoSizeToPicture(); });
    QMainWindow::changeEvent(e);
}

}  // namespace dm
