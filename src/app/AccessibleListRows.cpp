#include "app/AccessibleListRows.h"

#include <QAbstractItemModel>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <vector>

namespace {

// Rows are numbered as Qt's item views number them in their focus and selection events.
int ChildNumber(const QModelIndex& index)
{
    return index.row() * index.model()->columnCount(index.parent()) + index.column();
}

class ListRow final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    ListRow(QListView* view, const QModelIndex& index) : view_(view), index_(index) {}

    bool isValid() const override { return view_ && index_.isValid() && index_.model() == view_->model(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        const QAccessibleInterface* list = parent();
        return list ? list->window() : nullptr;
    }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(view_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name) {
            const QString spoken = index_.data(Qt::AccessibleTextRole).toString();
            return spoken.isEmpty() ? index_.data(Qt::DisplayRole).toString() : spoken;
        }
        if (t == QAccessible::Description)
            return index_.data(Qt::AccessibleDescriptionRole).toString();
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}

    // On screen only while the list is, and nowhere while it is hidden.
    QRect rect() const override
    {
        if (!isValid() || !view_->isVisible())
            return {};
        const QRect r = view_->visualRect(index_);
        return r.isEmpty() ? QRect() : r.translated(view_->viewport()->mapToGlobal(QPoint(0, 0)));
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invisible = true;
            return s;
        }
        const QWidget* port = view_->viewport();
        s.invisible = !QRect(port->mapToGlobal(QPoint(0, 0)), port->size()).intersects(rect());
        const Qt::ItemFlags flags = index_.flags();
        s.disabled = !view_->isEnabled() || !(flags & Qt::ItemIsEnabled);
        const QItemSelectionModel* selection = view_->selectionModel();
        s.selected = selection && selection->isSelected(index_);
        s.focused = view_->currentIndex() == index_;
        s.checked = index_.data(Qt::CheckStateRole).toInt() == Qt::Checked;
        if (flags & Qt::ItemIsSelectable) {
            s.selectable = s.focusable = true;
            s.multiSelectable = view_->selectionMode() == QAbstractItemView::MultiSelection;
            s.extSelectable = view_->selectionMode() == QAbstractItemView::ExtendedSelection;
        }
        return s;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    // Selects the row, or in a list where several may be chosen, toggles it.
    void doAction(const QString& name) override
    {
        QItemSelectionModel* selection = isValid() ? view_->selectionModel() : nullptr;
        const auto mode = view_ ? view_->selectionMode() : QAbstractItemView::NoSelection;
        if (name != toggleAction() || !selection || mode == QAbstractItemView::NoSelection)
            return;
        const bool several = mode == QAbstractItemView::MultiSelection || mode == QAbstractItemView::ExtendedSelection;
        if (!selection->isSelected(index_))
            selection->select(index_, several ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
        else if (several)
            selection->select(index_, QItemSelectionModel::Deselect);
    }

private:
    QPointer<QListView> view_;
    QPersistentModelIndex index_;  // follows its row as rows are added or taken away
};

class AccessibleList final : public QAccessibleWidget {
public:
    explicit AccessibleList(QListView* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~AccessibleList() override
    {
        for (const Row& row : rows_)
            QAccessible::deleteAccessibleInterface(row.id);
    }
    QListView* view() const { return static_cast<QListView*>(widget()); }

    // A drop-down list belongs to its combo box, not to the popup frame around it.
    QAccessibleInterface* parent() const override
    {
        const QObject* frame = view()->parent();
        auto* combo = frame ? qobject_cast<QComboBox*>(frame->parent()) : nullptr;
        if (combo && combo->view() == view())
            return QAccessible::queryAccessibleInterface(combo);
        return QAccessibleWidget::parent();
    }

    int childCount() const override
    {
        const QAbstractItemModel* model = view()->model();
        return model ? model->rowCount(view()->rootIndex()) * model->columnCount(view()->rootIndex()) : 0;
    }
    QAccessibleInterface* child(int number) const override
    {
        if (number < 0 || number >= childCount())
            return nullptr;
        const int columns = view()->model()->columnCount(view()->rootIndex());
        return rowFor(view()->model()->index(number / columns, number % columns, view()->rootIndex()));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (const Row& row : rows_)
            if (QAccessible::accessibleInterface(row.id) == child && row.index.isValid())
                return ChildNumber(row.index);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        return rowFor(view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y))));
    }
    QAccessibleInterface* focusChild() const override
    {
        if (view()->hasFocus())
            if (QAccessibleInterface* current = rowFor(view()->currentIndex()))
                return current;
        return QAccessibleWidget::focusChild();
    }

private:
    struct Row {
        QPersistentModelIndex index;
        QAccessible::Id id;
    };

    // The one interface for the row at index, made on first asking; rows whose model row is
    // gone are let go here.
    QAccessibleInterface* rowFor(const QModelIndex& index) const
    {
        if (!index.isValid() || index.model() != view()->model())
            return nullptr;
        std::erase_if(rows_, [this](const Row& row) {
            const bool gone = !row.index.isValid() || row.index.model() != view()->model();
            if (gone)
                QAccessible::deleteAccessibleInterface(row.id);
            return gone;
        });
        for (const Row& row : rows_)
            if (row.index == index)
                return QAccessible::accessibleInterface(row.id);
        auto* row = new ListRow(view(), index);
        rows_.push_back({QPersistentModelIndex(index), QAccessible::registerAccessibleInterface(row)});
        return row;
    }

    mutable std::vector<Row> rows_;
};

}  // namespace

QAccessibleInterface* NewAccessibleList(QListView* view)
{
    return new AccessibleList(view);
}
