#include "app/ElidedRows.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

ElidedRows::ElidedRows(QAbstractItemView* view) : QStyledItemDelegate(view), view_(view)
{
    view->setItemDelegate(this);
    view->setTextElideMode(Qt::ElideMiddle);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ElidedRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem o = option;
    o.rect.setRight(std::min(o.rect.right(), view_->viewport()->width() - 1));
    o.textElideMode = Qt::ElideMiddle;
    QStyledItemDelegate::paint(painter, o, index);
}

QSize ElidedRows::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // No row is wider than the list, so the list never scrolls sideways.
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(std::min(size.width(), view_->viewport()->width()));
    return size;
}

bool ElidedRows::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                           const QModelIndex& index)
{
    if (event->type() == QEvent::ToolTip && index.isValid() && !index.data(Qt::ToolTipRole).isValid()) {
        QToolTip::showText(event->globalPos(), index.data(Qt::DisplayRole).toString(), view);
        return true;
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}
