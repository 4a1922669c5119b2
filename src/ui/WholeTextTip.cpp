#include "ui/WholeTextTip.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace WholeTextTip {

bool show(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index,
          const QString& shownText) {
    if (event->type() != QEvent::ToolTip || shownText.isEmpty() || !index.data(Qt::ToolTipRole).isNull())
        return false;
    // The cell's own margins and an icon take from the room of the text.
    int room = option.rect.width() - 8;
    if (!index.data(Qt::DecorationRole).isNull() || (option.features & QStyleOptionViewItem::HasDecoration))
        room -= option.decorationSize.width() + 4;
    if (option.fontMetrics.horizontalAdvance(shownText) <= room)
        return false;
    QToolTip::showText(event->globalPos(), shownText, view->viewport(), option.rect);
    return true;
}

bool Delegate::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                         const QModelIndex& index) {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    if (show(event, view, opt, index, opt.text))
        return true;
    if (event->type() == QEvent::ToolTip && index.data(Qt::ToolTipRole).isNull())
        QToolTip::hideText();
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace WholeTextTip
