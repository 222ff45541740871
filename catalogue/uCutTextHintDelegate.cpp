#include "catalogue/uCutTextHintDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>

bool TCutTextHintDelegate::IsCut(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    // The style keeps a margin on each side of the text.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
    return opt.fontMetrics.horizontalAdvance(opt.text) > textRect.width() - 2 * margin;
}

bool TCutTextHintDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                                     const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    if (IsCut(option, index))
        QToolTip::showText(event->globalPos(), index.data().toString(), view, option.rect);
    else
        QToolTip::hideText();
    return true;
}
