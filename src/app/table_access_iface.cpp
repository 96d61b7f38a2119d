// The accessible objects of the table: the table widget itself, whose children are
// the places of TableAccess rather than its card boxes, and one object per place.
#include <QAccessibleWidget>
#include <QWidget>

#include "app/table_access.h"

namespace dm {

namespace {

QAccessible::State itemState(const TableAccess& a, int i)
{
    QAccessible::State s;
    const TableItem& item = a.item(i);
    s.invisible = !a.shown(i);
    s.focusable = item.focusable;
    s.focused = item.focusable && a.focus() == i && a.table() && a.table()->hasFocus() && !s.invisible;
    if (item.checked) {
        s.checkable = true;
        s.checked = item.checked();
    }
    s.readOnly = !item.focusable;
    return s;
}

// One place of the table. It has no QObject of its own; it reads its TableAccess.
class ItemAccessible : public QAccessibleInterface {
public:
    ItemAccessible(TableAccess* access, int index) : access_(access), index_(index) {}

    bool isValid() const override { return access_ && access_->table(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return access_ && access_->table() ? access_->table()->window()->windowHandle() : nullptr; }

    QAccessibleInterface* parent() const override
    {
        if (!isValid())
            return nullptr;
        const int p = access_->item(index_).parent;
        return p < 0 ? QAccessible::queryAccessibleInterface(access_->table()) : access_->iface(p);
    }
    QAccessibleInterface* child(int i) const override
    {
        const auto kids = isValid() ? access_->childrenOf(index_) : std::vector<int>();
        return i >= 0 && i < static_cast<int>(kids.size()) ? access_->iface(kids[i]) : nullptr;
    }
    int childCount() const override { return isValid() ? static_cast<int>(access_->childrenOf(index_).size()) : 0; }
    int indexOfChild(const QAccessibleInterface* c) const override
    {
        if (!isValid())
            return -1;
        const auto kids = access_->childrenOf(index_);
        const int k = access_->indexOfIface(c);
        const auto it = std::find(kids.begin(), kids.end(), k);
        return it == kids.end() ? -1 : static_cast<int>(it - kids.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (auto* c = child(i); c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return access_->name(index_);
        const auto& describe = access_->item(index_).description;
        if (t == QAccessible::Description && describe)
            return describe();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!isValid() || !access_->shown(index_))
            return {};
        const QRect r = access_->item(index_).rect();
        return QRect(access_->table()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return isValid() ? access_->item(index_).role : QAccessible::NoRole; }
    QAccessible::State state() const override { return isValid() ? itemState(*access_, index_) : QAccessible::State(); }

private:
    QPointer<TableAccess> access_;
    int index_;
};

// The table widget, whose children are the places on it.
class TableAccessible : public QAccessibleWidget {
public:
    explicit TableAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Pane) {}

    TableAccess* access() const
    {
        return widget()->findChild<TableAccess*>(QString(), Qt::FindDirectChildrenOnly);
    }
    std::vector<int> top() const { return access() ? access()->childrenOf(-1) : std::vector<int>(); }

    int childCount() const override { return static_cast<int>(top().size()); }
    QAccessibleInterface* child(int i) const override
    {
        const auto kids = top();
        return i >= 0 && i < static_cast<int>(kids.size()) ? access()->iface(kids[i]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* c) const override
    {
        const auto kids = top();
        const int k = access() ? access()->indexOfIface(c) : -1;
        const auto it = std::find(kids.begin(), kids.end(), k);
        return it == kids.end() ? -1 : static_cast<int>(it - kids.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (auto* c = child(i); c && !c->state().invisible && c->rect().contains(x, y))
                return c;
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        TableAccess* a = access();
        if (!a || !widget()->hasFocus() || !a->shown(a->focus()))
            return nullptr;
        return a->iface(a->focus());
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return QStringLiteral("Card table");
        if (t == QAccessible::Description)
            return QStringLiteral("Tab and Shift+Tab move between places, the arrow keys along the hand, Enter or Space takes or throws.");
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* tableFactory(const QString& className, QObject* object)
{
    if (object && object->isWidgetType() && className == QLatin1String("dm::TableSurface"))
        return new TableAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

QAccessibleInterface* TableAccess::iface(int i)
{
    if (i < 0 || i >= count())
        return nullptr;
    if (!ids_[i] || !QAccessible::accessibleInterface(ids_[i]))
        ids_[i] = QAccessible::registerAccessibleInterface(new ItemAccessible(this, i));
    return QAccessible::accessibleInterface(ids_[i]);
}

int TableAccess::indexOfIface(const QAccessibleInterface* iface) const
{
    for (int i = 0; i < count(); ++i)
        if (ids_[i] && QAccessible::accessibleInterface(ids_[i]) == iface)
            return i;
    return -1;
}

void installTableAccessFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(tableFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace dm
