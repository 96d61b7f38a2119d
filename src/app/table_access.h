#pragma once
// The table as a screen reader sees it: each place on it (hands, cards, piles, banks,
// pay table, counters) as an accessible object under the table widget, a status object
// whose name tells what just happened, and the keyboard focus among the places.
#include <QAccessible>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "poker/view.h"
#include "rummy/view.h"

namespace dm {

class frmMain;
class FocusMark;

// One place on the table, read from the window's state whenever it is asked.
struct TableItem {
    QString key;                      // "stock", "hand3", "pay12" ...
    QAccessible::Role role = QAccessible::StaticText;
    int parent = -1;                  // the item this one belongs to; -1: the table
    bool focusable = false;           // the keyboard's focus mark can stand on it
    std::function<bool()> shown;
    std::function<QString()> name;
    std::function<QRect()> rect;      // in the table's coordinates
    std::function<bool()> checked;    // empty: not checkable
    std::function<QString()> description;  // empty: none
};

class TableAccess : public QObject {
    Q_OBJECT
public:
    TableAccess(frmMain& window, QWidget* table);
    ~TableAccess() override;

    QWidget* table() const { return table_; }
    int count() const { return static_cast<int>(items_.size()); }
    const TableItem& item(int i) const { return items_[i]; }
    int indexOf(const QString& key) const;
    std::vector<int> childrenOf(int parent) const;
    bool shown(int i) const;
    QString name(int i) const;
    // The accessible object of item i; Qt's registry owns it.
    QAccessibleInterface* iface(int i);
    int indexOfIface(const QAccessibleInterface* iface) const;

    // The keyboard's focus: an item index, or -1.
    int focus() const { return focus_; }
    // Moves the focus (and the mark, when it shows) and tells the screen reader.
    void setFocus(int i);
    void showMark(bool shown);
    bool markShown() const;
    // The shown focusable items, in the order Tab visits them.
    std::vector<int> focusOrder() const;

    // What just happened, for the status object; joined with whatever else happens
    // in the same moment and said once.
    void announce(const QString& text);
    QString status() const { return status_; }
    // The last news, oldest first, each with its number in the run.
    static constexpr int kNewsKept = 20;

    // The table tells what it does.
    void movePlayed(const RummyMove& move);
    void handOver(const RummyHandResult& result);
    void dealShown();
    void pokerCardShown(int pos, CardShow how);
    void pokerHandDrawn();
    void labelLit(int cls, LabelLight light);
    void labelsCleared();
    // The table was redrawn: compare every place with what was last told, soon.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildRummyItems();
    void buildPokerItems();
    int add(TableItem item);
    void refresh();
    void flushStatus();
    void sendFocus();
    QRect markRect() const;
    QString pokerHandWords() const;
    void followBanks(bool tell);

    frmMain& w_;
    QPointer<QWidget> table_;
    FocusMark* mark_ = nullptr;
    std::vector<TableItem> items_;
    std::vector<QAccessible::Id> ids_;
    struct Seen {
        bool shown = false;
        bool checked = false;
        QString name;
    };
    std::vector<Seen> seen_;
    int focus_ = -1;
    int status_item_ = -1;
    QString status_;
    QString pending_;
    std::vector<QString> news_;  // every announcement of the run, the last kNewsKept kept
    int newsTotal_ = 0;
    bool refreshQueued_ = false;
    bool statusQueued_ = false;
    std::array<std::optional<LabelLight>, 21> lights_{};
    std::array<CardShow, 5> pokerShown_{};
    bool pokerDrawing_ = false;
    std::optional<std::pair<int, int>> banks_;
};

// Lets Qt build the table widget's accessible object from its TableAccess.
void installTableAccessFactory();

}  // namespace dm
