// Video poker on the table: the switch to it, its labels, cards and counters.
#include <QAction>
#include <QLabel>

#include "app/frmmain.h"
#include "app/table_access.h"
#include "app/hold_marker.h"
#include "table/animation.h"
#include "table/cardfaces.h"
#include "table/picture_box.h"
#include "table/surface.h"

namespace dm {

namespace {
// Label colours as 0x00BBGGRR values.
QColor fromBgr(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

void colourLabel(QLabel* l, const QColor& back, const QColor& text)
{
    QPalette pal = l->palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, text);
    l->setPalette(pal);
}
}  // namespace

void frmMain::mnuPoker_Click()
{
    guarded("mnuPoker_Click", [this] {
        // A deal, draw or count-up still running keeps the table as it is.
        if (poker.s.pokerBusy)
            return;
        ++rummy.s.dealSerial;  // a computer turn waiting on the rummy table stops there
        rummy.s.eval.computerTurn = false;
        poker.initPokerScreen();
    });
}

void frmMain::picPoker_MouseDown(int index)
{
    guarded("picPoker_MouseDown", [this, index] {
        if (prefs.isPoker)
            poker.toggleHold(index);
    });
}

void frmMain::setUpPokerTable()
{
    for (const char* name : {"mnuPeek", "mnuShowComputerHand", "mnuSortRank", "mnuSortSuit"})
        action(name)->setEnabled(false);
    for (auto* b : picDeal_)
        b->hide();
    for (auto* s : shape1_)
        s->hide();
    prefs.isPoker = true;
    loadPicture(QString::fromStdString(prefs.prfPKBackground));
    hideAllBoxes();
    AutoSizeToPicture();
    for (auto* a : mnuBackgoundSelected_)
        if (!a->text().isEmpty())
            a->setVisible(true);
    colourLabelsNormal();
    rummy.shuffleCards(true);
    surface_->resetBoard();
    placeBoxes();
    for (auto* b : picPoker_)
        b->hide();
    picPokerLabels_->show();
    pokerCounters_->show();
    pokerCounters_->raise();
    showCounters();
    DrawDealDeck();
    for (auto* b : picDeal_)
        b->show();
    picDeal_[0]->raise();  // the full deck shows on top of the thinner piles
    if (!isVisible())
        show();
}

void frmMain::colourLabelsNormal()
{
    access_->labelsCleared();
    for (int i = 0; i < 21; ++i) {
        if (i % 2 == 0)
            colourLabel(pkLabel_[i], fromBgr(0x808080), fromBgr(0xFFFFFF));
        else
            colourLabel(pkLabel_[i], fromBgr(0xE0E0E0), palette().color(QPalette::WindowText));
    }
}

void frmMain::lightLabel(int cls, LabelLight light)
{
    if (cls < 1 || cls > 21)
        return;
    access_->labelLit(cls, light);
    unsigned back = 0x00C000;
    switch (light) {
    case LabelLight::BestPlay: back = 0xC0C0FF; break;
    case LabelLight::Wrong: back = 0x0000FF; break;
    case LabelLight::Paid: back = 0x00C000; break;
    case LabelLight::PaidBright: back = 0x00FF00; break;
    }
    colourLabel(pkLabel_[cls - 1], fromBgr(back), Qt::black);
}

void frmMain::drawPokerCard(int pos, CardShow how)
{
    auto* b = picPoker_[pos];
    if (how == CardShow::Hidden) {
        b->hide();
        return;
    }
    b->restore();
    b->paint([&](QPainter& p) {
        if (how == CardShow::Back)
            drawBack(p, 0, 0, true);
        else
            cdtDraw(p, 0, 0, poker.s.pokerHand[pos].number, 0);
    });
    b->refresh();
    b->show();
}

void frmMain::showCard(int pos, CardShow how)
{
    drawPokerCard(pos, how);
    access_->pokerCardShown(pos, how);
    followTable();
}

void frmMain::showHoldMarkers(int pos, bool shown)
{
    shape1_[pos]->setVisible(shown);
    if (shown)
        shape1_[pos]->raise();
    followTable();
}

bool frmMain::animateToPosition(int pos)
{
    return glide(picDeal_[0]->pos() + QPoint(8, 4), picPoker_[pos]->pos(), kNoCard, true);
}

void frmMain::showCounters()
{
    pklblWinnings_->setText(QString::number(poker.s.winnings));
    pkLabelHands_->setText(QString::number(poker.s.hands));
    pkLabelTimer_->setText(QString::number(poker.s.timer));
    followTable();  // a refused hold comes back to the hold phase here
}

void frmMain::setTimerRunning(bool running)
{
    if (running)
        Timer1_.start();
    else
        Timer1_.stop();
}

void frmMain::offerPerfectRun(int16_t run)
{
    prfvidPokPerfPlay = run;
    runTopScores();
    prfvidPokPerfPlay = 0;
}

}  // namespace dm
