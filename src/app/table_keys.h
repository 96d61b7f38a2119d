#pragma once
// Both games by keyboard: the focus mark moves over the places of the table, and the
// keys do there what the mouse does, through the same handlers.
#include <QObject>

class QKeyEvent;

namespace dm {

class frmMain;
class TableAccess;

class TableKeys {
public:
    TableKeys(frmMain& window, TableAccess& access) : w_(window), a_(access) {}

    // A key pressed on the table; false: not one of the table's keys.
    bool keyPress(QKeyEvent* e);
    // What a left click on the place does.
    void activate(int item);

private:
    void moveFocus(int item);
    void step(int direction, bool byGroup);
    int handSlot(int item) const;  // 0..8, or -1 when the item is no card of the hand
    bool handArrangeable() const;
    void moveCardTo(int slot, int target);
    void focusSlot(int slot);

    frmMain& w_;
    TableAccess& a_;
    int lastHandSlot_ = 0;  // where Tab enters the hand again
    bool raisedByKey_ = false;
};

}  // namespace dm
