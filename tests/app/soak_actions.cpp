// What the random user does: the actions of the run.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "rummy/rules.h"
#include "soak_run.h"
#include "table/picture_box.h"

namespace dm::soak {

namespace {
const char* kMouseKinds[] = {"click", "press", "release", "double-click", "move"};

const char* buttonName(Qt::MouseButton b)
{
    return b == Qt::LeftButton ? "left" : b == Qt::RightButton ? "right" : "middle";
}
}  // namespace

void SoakRun::scheduleNested(int depth)
{
    const int n = 1 + below(3);
    for (int k = 0; k < n; ++k) {
        ++pending_;
        later(1 + below(40), [this, depth] {
            --pending_;
            act(depth);
        });
    }
}

// One command that ends or changes what is running, fired after some turns of the
// event loop: inside the flight of a card, a computer's pause or a prize count-up.
void SoakRun::scheduleInterrupt(int depth)
{
    ++pending_;
    later(1 + below(chance(0.5) ? 40 : 300), [this, depth] {
        --pending_;
        if (!problem_.empty() || w_->unloaded())
            return;
        ++actionNo_;
        if (QApplication::activeModalWidget())
            return;
        static const char* items[] = {"mnuStart", "mnuPoker", "mnuPlayRummy", "background", "mnuWager",
                                      "mnuMoreOptions", "mnuPeek", "mnuSortRank", "mnuShowComputerHand"};
        menuCommand(depth, items[below(std::size(items))]);
        ledger_->checkAlways();
    });
}

void SoakRun::act(int depth)
{
    if (!problem_.empty() || w_->unloaded())
        return;
    ++actionNo_;
    // Only the dialog's own answerer touches the screen while a dialog is up.
    if (QApplication::activeModalWidget()) {
        record(depth, "(a dialog is open: nothing)");
        return;
    }
    if (depth > 0 && depth < 3 && chance(0.15))
        scheduleNested(depth + 1);
    if (QApplication::activePopupWidget() && chance(0.7)) {
        popupAnswer(depth);
    } else {
        // Calm stretches play hands out to their end; the others throw everything at the table.
        const int menus = calm_ ? 2 : 16;
        const int r = below(80);
        if (chance(calm_ ? 0.7 : 0.1))
            aimedPlay(depth);
        else if (r < 60 - menus)
            mouseOnPlace(depth);
        else if (r < 68 - menus)
            dragAcrossHand(depth);
        else if (r < 76 - menus)
            keyPress(depth);
        else if (r < 76)
            menuCommand(depth);
        else if (r < 79)
            timerTicks(depth);
        else
            closeStrayWindows(depth);
    }
    ledger_->checkAlways();
    if (problem_.empty() && !ledger_->failure().empty())
        problem_ = ledger_->failure();
}

// ---------------------------------------------------------------- the mouse

QWidget* SoakRun::placeWidget(std::string& name)
{
    // Mostly the places of the game on the table, now and then the other game's.
    const bool poker = w_->prefs.isPoker != chance(0.1);
    const int r = below(100);
    if (r < 25)
        name = "picDeal" + std::to_string(below(4));
    else if (poker && r < 75)
        name = "picPoker" + std::to_string(below(5));
    else if (poker && r < 88)
        name = "pkLabel" + std::to_string(below(21));
    else if (!poker && r < 40)
        name = "picReject";
    else if (!poker && r < 75)
        name = "picPlayerHand";
    else if (!poker && r < 87)
        name = "picPlayerDraw";
    else if (!poker && r < 90)
        name = "picComputerHand";
    else
        name = "table";
    if (name == "table")
        return w_->centralWidget();
    if (name.rfind("pkLabel", 0) == 0)
        return w_->pokerLabel(std::stoi(name.substr(7)));
    return w_->box(QString::fromStdString(name));
}

QPoint SoakRun::randomPointIn(QWidget* target)
{
    const int margin = chance(0.1) ? 6 : 0;
    const int wdt = std::max(1, target->width());
    const int hgt = std::max(1, target->height());
    return QPoint(below(wdt + 2 * margin) - margin, below(hgt + 2 * margin) - margin);
}

// Sends the event to whatever lies under the point, as the window system would.
void SoakRun::deliverMouse(int depth, QWidget* target, QPoint at, int kind, Qt::MouseButton button, std::string what)
{
    QWidget* table = w_->centralWidget();
    const QPoint onTable = target == table ? at : target->mapTo(table, at);
    QWidget* hit = table->childAt(onTable);
    if (!hit)
        hit = table;
    const QPoint local = hit->mapFrom(table, onTable);
    record(depth, what + " -> " + hit->objectName().toStdString() + " (" + std::to_string(local.x()) + "," +
                      std::to_string(local.y()) + ")");
    switch (kind) {
    case 0:
        if (chance(0.8))
            QTest::mouseMove(hit, local);
        if (!w_->unloaded())
            QTest::mouseClick(hit, button, {}, local);
        break;
    case 1: QTest::mousePress(hit, button, {}, local); break;
    case 2: QTest::mouseRelease(hit, button, {}, local); break;
    case 3: QTest::mouseDClick(hit, button, {}, local); break;
    default: QTest::mouseMove(hit, local); break;
    }
}

void SoakRun::mouseOnPlace(int depth)
{
    std::string name;
    QWidget* target = placeWidget(name);
    if (!target || !target->isVisible()) {
        name += "(hidden)->table";
        target = w_->centralWidget();
    }
    const int kind = below(100) < 55 ? 0 : below(4) + 1;
    const int b = below(10);
    const Qt::MouseButton button = b < 7 ? Qt::LeftButton : b < 9 ? Qt::RightButton : Qt::MiddleButton;
    const QPoint at = randomPointIn(target);
    deliverMouse(depth, target, at, kind, button,
                 std::string(kMouseKinds[kind]) + " " + buttonName(button) + " on " + name);
}

// A draw from the pile on a quiet table must give the user a card (or end the hand):
// a table that ignores it is stuck.
template <class Click>
void SoakRun::drawAndExpectACard(int depth, QWidget* pile, Click& click)
{
    const RummyState& s = w_->rummy.s;
    const bool quiet = depth == 0 && pending_ == 0 && pile && !s.eval.handWon && !s.eval.computerTurn &&
                       !s.stockEmpty && !QApplication::activePopupWidget();
    const uint32_t serial = s.dealSerial;
    click(pile, QPoint(30, 40), "draw from the pile");
    if (quiet && problem_.empty() && s.dealSerial == serial && !s.mustDiscard && !s.eval.handWon &&
        !w_->unloaded())
        problem_ = "a draw from the pile on a quiet table gave no card";
}

// A move a player would make: take a card and throw the weakest (as the computer
// judges), or hold some poker cards and deal or draw; all through the mouse.
void SoakRun::aimedPlay(int depth)
{
    auto click = [&](QWidget* target, QPoint at, const std::string& what) {
        if (target && target->isVisible())
            deliverMouse(depth, target, at, 0, Qt::LeftButton, "aimed: " + what);
        else
            record(depth, "aimed: " + what + " (not shown)");
    };
    auto visiblePile = [this]() -> QWidget* {
        for (int i = 0; i < 4; ++i)
            if (auto* b = w_->box(QStringLiteral("picDeal%1").arg(i)); b && b->isVisible())
                return b;
        return nullptr;
    };
    if (chance(0.2))
        scheduleInterrupt(depth + 1);
    if (w_->prefs.isPoker) {
        if (w_->poker.s.holdPhase && chance(0.6)) {
            const int pos = below(5);
            auto* card = w_->box(QStringLiteral("picPoker%1").arg(pos));
            click(card, QPoint(40, 60), "hold " + std::to_string(pos));
            return;
        }
        click(visiblePile(), QPoint(30, 40), "deal or draw");
        return;
    }
    const RummyState& s = w_->rummy.s;
    if (!s.mustDiscard) {
        // Take the discard when it would not be the weakest card, as the computer does.
        bool take = false;
        if (!s.discardEmpty()) {
            Hand copy = s.playerHand;
            copy[9] = s.discardPile.back();
            EvalState scratch;
            bool reset = true;
            EvaluateHand(copy, reset, scratch);
            take = decideOffer(copy, copy[9].number).takeDiscard;
        }
        if (!stalling_ && (take || (chance(0.1) && !s.discardEmpty())))
            click(w_->box(QStringLiteral("picReject")), QPoint(20, 40), "take the discard");
        else
            drawAndExpectACard(depth, visiblePile(), click);
        return;
    }
    Hand copy = s.playerHand;
    EvalState scratch;
    bool reset = true;
    const int worst = stalling_ ? 9 : chance(0.9) ? EvaluateHand(copy, reset, scratch).discardIndex : below(10);
    if (worst == 9 || worst < 0 || worst > 9) {
        click(w_->box(QStringLiteral("picPlayerDraw")), QPoint(30, 40), "throw the drawn card");
        return;
    }
    QWidget* hand = w_->box(QStringLiteral("picPlayerHand"));
    const QPoint at(s.playerHand[worst].left + 4, s.playerHand[worst].top + 40);
    if (hand && hand->isVisible())
        QTest::mouseMove(hand, at);
    click(hand, at, "throw slot " + std::to_string(worst));
}

// Press on the hand, a few moves (some beyond its edges), release: the drag of a card.
void SoakRun::dragAcrossHand(int depth)
{
    QWidget* hand = w_->box(QStringLiteral("picPlayerHand"));
    if (!hand || !hand->isVisible()) {
        mouseOnPlace(depth);
        return;
    }
    const Qt::MouseButton button = chance(0.85) ? Qt::LeftButton : Qt::RightButton;
    QPoint at = randomPointIn(hand);
    const int moves = 1 + below(8);
    record(depth, std::string("drag ") + buttonName(button) + " across the hand from (" + std::to_string(at.x()) +
                      "," + std::to_string(at.y()) + "), " + std::to_string(moves) + " moves");
    QTest::mouseMove(hand, at);
    QTest::mousePress(hand, button, {}, at);
    for (int i = 0; i < moves && !w_->unloaded(); ++i) {
        at = QPoint(below(hand->width() + 120) - 60, below(hand->height() + 40) - 20);
        QTest::mouseMove(hand, at);
    }
    if (!w_->unloaded())
        QTest::mouseRelease(hand, button, {}, at);
}

// ---------------------------------------------------------------- keys

void SoakRun::keyPress(int depth)
{
    static const Qt::Key keys[] = {Qt::Key_1, Qt::Key_2, Qt::Key_3,      Qt::Key_4,     Qt::Key_5,
                                   Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab};
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const int r = below(100);
    if (r < 75) {
        key = keys[below(std::size(keys))];
    } else if (r < 90) {
        key = static_cast<Qt::Key>(Qt::Key_A + below(26));
    } else {
        key = chance(0.5) ? Qt::Key_V : Qt::Key_R;
        mods = Qt::ControlModifier;
    }
    record(depth, "key " + QKeySequence(QKeyCombination(mods, key)).toString().toStdString());
    QTest::keyClick(w_.get(), key, mods);
}

// ---------------------------------------------------------------- menus

void SoakRun::menuCommand(int depth, const char* only)
{
    struct Item {
        const char* name;
        int weight;
    };
    static const Item items[] = {{"mnuPoker", 3},    {"mnuPlayRummy", 3},        {"mnuStart", 4},
                                 {"mnuSortRank", 3}, {"mnuSortSuit", 3},         {"mnuPeek", 3},
                                 {"mnuShowComputerHand", 3}, {"mnuWager", 3},    {"mnuHide", 1},
                                 {"background", 4}, {"mnuMoreOptions", 3},       {"mnuContents", 1},
                                 {"mnuAbout", 1}};
    int total = 0;
    for (const auto& i : items)
        total += i.weight;
    int r = below(total);
    const Item* chosen = &items[0];
    for (const auto& i : items) {
        if (r < i.weight) {
            chosen = &i;
            break;
        }
        r -= i.weight;
    }
    const std::string name = only ? only : chosen->name;
    if (name == "mnuWager" || name == "mnuMoreOptions") {
        openDialog(name == "mnuWager" ? "mnuWager" : "mnuMoreOptions", depth);
        return;
    }
    if (name == "background") {
        QList<QAction*> shown;
        for (QAction* a : w_->backgroundEntries())
            if (a->isVisible())
                shown.append(a);
        if (shown.isEmpty())
            return;
        QAction* a = shown[below(static_cast<int>(shown.size()))];
        record(depth, "background " + a->text().toStdString());
        a->trigger();
        return;
    }
    if (name == "mnuStart" && chance(0.6)) {
        // As the user finds it: a right-click on the table opens the Action menu.
        record(depth, "right-click on the table, then Start New Game");
        QWidget* table = w_->centralWidget();
        QTest::mouseClick(table, Qt::RightButton, {}, QPoint(table->width() / 2, table->height() - 30));
        if (auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget()))
            m->close();
    } else {
        record(depth, name + (w_->action(QString::fromStdString(name))->isEnabled() ? "" : " (disabled)"));
    }
    w_->action(QString::fromStdString(name))->trigger();
}

void SoakRun::popupAnswer(int depth)
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) {
        QApplication::activePopupWidget()->close();
        record(depth, "close a pop-up");
        return;
    }
    QList<QAction*> usable;
    for (QAction* a : menu->actions())
        if (a->isVisible() && a->isEnabled() && !a->isSeparator() && !a->menu())
            usable.append(a);
    menu->close();
    if (usable.isEmpty() || chance(0.3)) {
        record(depth, "close the pop-up menu");
        return;
    }
    QAction* a = usable[below(static_cast<int>(usable.size()))];
    record(depth, "pop-up menu: " + a->objectName().toStdString());
    a->trigger();
}

void SoakRun::timerTicks(int depth)
{
    if (!w_->timerRunning) {
        record(depth, "timer tick (timer stopped: nothing)");
        return;
    }
    const int n = 1 + below(chance(0.2) ? 120 : 5);
    record(depth, "Timer1 x" + std::to_string(n));
    for (int i = 0; i < n && w_->timerRunning && !w_->unloaded(); ++i)
        w_->poker.Timer1_Timer();
}

void SoakRun::closeStrayWindows(int depth)
{
    if (chance(0.5)) {
        // The title bar's buttons: the table snaps back from maximised, and comes back from the taskbar.
        const int r = below(3);
        record(depth, r == 0 ? "maximise the window" : r == 1 ? "minimise the window" : "restore the window");
        if (r == 0)
            w_->showMaximized();
        else if (r == 1)
            w_->showMinimized();
        else
            w_->showNormal();
        return;
    }
    record(depth, "close the About box, help and cover windows");
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != w_.get() && top->isVisible() && !top->isModal() && !(top->windowFlags() & Qt::Popup))
            top->close();
}

}  // namespace dm::soak
