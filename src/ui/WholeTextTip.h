#pragma once

#include <QStyledItemDelegate>

class QAbstractItemView;
class QHelpEvent;

// A cell whose text is cut shows it whole in a tooltip; a cell that fits
// shows none (or its own tooltip, if the model gives one).
namespace WholeTextTip {

// True when the tooltip was shown.
bool show(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option, const QModelIndex& index,
          const QString& shownText);

// The plain delegate of a table with that tooltip.
class Delegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

} // namespace WholeTextTip
