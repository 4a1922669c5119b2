#include "ui/BarGrid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace {

class CellPainter : public QStyledItemDelegate {
public:
    explicit CellPainter(BarGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const BarGrid::Look& look = grid_->look();
        const int row = index.row();
        const int column = index.column();
        const bool fixed = row < look.fixedRows || column < look.fixedColumns;
        const bool selected = !fixed && (option.state & QStyle::State_Selected);
        const QRect r = option.rect;
        p->save();
        p->fillRect(r, fixed      ? look.fixedColor
                       : selected ? option.palette.color(QPalette::Highlight)
                                  : option.palette.color(QPalette::Base));
        p->setPen(selected ? QColor(Qt::white) : look.textColor);
        p->setFont(option.font);
        p->drawText(r.adjusted(2, 1, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data().toString());
        if (column == look.barColumn && row >= look.fixedRows && look.barPercent) {
            const int percent = look.barPercent(row);
            const int right = r.left() + percent * BarGrid::FullBar / 100;
            if (right > r.left() + 2) {
                p->setPen(Qt::black);
                p->setBrush(Qt::red);
                p->drawRect(QRect(QPoint(r.left() + 2, r.top() + 2), QPoint(right, r.top() + 20)));
            }
        }
        p->restore();
    }

private:
    BarGrid* grid_;
};

} // namespace

BarGrid::BarGrid(int rows, int columns, const Look& look, const char* objectName, QWidget* parent)
    : QTableWidget(rows, columns, parent), look_(look) {
    setObjectName(QString::fromLatin1(objectName));
    verticalHeader()->hide();
    // The first fixed row's captions stand in the table's own header, which
    // stays in view while the rows scroll and whose columns the cashier can
    // widen; the row itself stays in the table, hidden.
    QHeaderView* header = horizontalHeader();
    header->setVisible(look_.fixedRows > 0);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setMinimumHeight(24);
    header->setStyleSheet(QStringLiteral("QHeaderView::section { background: %1; color: %2; padding-left: 2px;"
                                         " border: none; border-right: 1px solid #a0a0a0;"
                                         " border-bottom: 1px solid #a0a0a0; }")
                              .arg(look_.fixedColor.name(), look_.textColor.name()));
    for (int c = 0; c < columns; ++c)
        setHorizontalHeaderItem(c, new QTableWidgetItem());
    for (int r = 0; r < std::min(look_.fixedRows, rows); ++r)
        setRowHidden(r, true);
    verticalHeader()->setDefaultSectionSize(24); // room for the 18 px bar
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new CellPainter(this));
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (syncing_ || row < look_.fixedRows)
            return;
        if (rowPicked)
            rowPicked(row);
    });
}

void BarGrid::setCellText(int row, int column, const QString& text) {
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        if (text.isEmpty())
            return;
        it = new QTableWidgetItem();
        if (row < look_.fixedRows || column < look_.fixedColumns)
            it->setFlags(Qt::ItemIsEnabled);
        setItem(row, column, it);
    }
    if (it->text() != text)
        it->setText(text);
    if (row == 0 && look_.fixedRows > 0) {
        if (QTableWidgetItem* caption = horizontalHeaderItem(column); caption && caption->text() != text)
            caption->setText(text);
    }
}

void BarGrid::selectRow(int row) {
    if (row < look_.fixedRows || row >= rowCount() ||
        (currentRow() == row && selectionModel()->isRowSelected(row)))
        return;
    syncing_ = true;
    setCurrentCell(row, std::max(look_.fixedColumns, currentColumn()));
    QTableWidget::selectRow(row);
    syncing_ = false;
}

void BarGrid::showTable(int rows, const std::function<QString(int, int)>& cell,
                        const std::vector<int>& formWidths) {
    if (rowCount() != rows) {
        setRowCount(rows);
        for (int r = 0; r < std::min(look_.fixedRows, rows); ++r)
            setRowHidden(r, true);
    }
    for (int row = 0; row < rows; ++row)
        for (int c = 0; c < columnCount(); ++c)
            setCellText(row, c, cell(row, c));
    fitColumns(formWidths);
}

void BarGrid::fitColumns(const std::vector<int>& formWidths) {
    const QFontMetrics fm(font());
    for (int c = 0; c < columnCount(); ++c) {
        int width = c < int(formWidths.size()) ? formWidths[size_t(c)] : 64;
        for (int r = 0; r < rowCount(); ++r)
            if (const QTableWidgetItem* it = item(r, c))
                width = std::max(width, fm.horizontalAdvance(it->text()) + 8);
        // Only ever wider: a column the cashier widened keeps its width.
        if (columnWidth(c) < width)
            setColumnWidth(c, width);
    }
}
