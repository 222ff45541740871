#pragma once

#include <QStyledItemDelegate>

// Shows a cell's full text as a hint when the column is too narrow for it.
class TCutTextHintDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

    // Whether the cell's text does not fit into its rectangle.
    bool IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};
