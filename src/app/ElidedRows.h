#pragma once
// Rows of a list that never scroll sideways: a text too long for the list's width is cut in
// the middle ("Track3  Morning T...Dawn"), and its tooltip tells the whole of it.
#include <QStyledItemDelegate>

class QAbstractItemView;

class ElidedRows : public QStyledItemDelegate {
public:
    // Installs itself on the view, which owns it.
    explicit ElidedRows(QAbstractItemView* view);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    QAbstractItemView* view_;
};
