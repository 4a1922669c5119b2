#include "ui/JournalGrid.h"

#include "payments/PaymentJournal.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace {

constexpr int kRowHeight = 22;

// Draws the journal's header rows as header sections; the view's own headers
// are hidden because the journal keeps its headers as rows of the table.
class JournalDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.row() >= PaymentJournal::FirstDataRow) {
            if ((option.state & QStyle::State_Selected) && index.data(Qt::BackgroundRole).isValid()) {
                // The selected row keeps its status colours, so a credited or
                // failed payment reads as such; a frame marks the selection.
                QStyleOptionViewItem plain(option);
                plain.state &= ~QStyle::State_Selected;
                QStyledItemDelegate::paint(painter, plain, index);
                painter->save();
                painter->setPen(QPen(option.palette.color(QPalette::Active, QPalette::Highlight), 2));
                const QRect r = option.rect.adjusted(0, 1, 0, -1);
                painter->drawLine(r.topLeft(), r.topRight());
                painter->drawLine(r.bottomLeft(), r.bottomRight());
                painter->restore();
                return;
            }
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionHeader header;
        header.rect = option.rect;
        header.state = QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_Horizontal;
        header.orientation = Qt::Horizontal;
        header.position = QStyleOptionHeader::Middle;
        header.section = index.column();
        header.palette = option.palette;
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_HeaderSection, &header, painter, widget);
        // Wrapped rather than cut: a caption such as "Время выполнения" is wider
        // than its column but has the height of both header rows to use.
        painter->save();
        painter->setPen(option.palette.color(QPalette::Active, QPalette::ButtonText));
        painter->drawText(option.rect.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap,
                          index.data(Qt::DisplayRole).toString());
        painter->restore();
    }
};

} // namespace

JournalGrid::JournalGrid(PaymentJournal* journal, QWidget* parent) : QTableView(parent), journal_(journal) {
    setObjectName(QStringLiteral("Grid"));
    setModel(journal_);
    setItemDelegate(new JournalDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    verticalHeader()->setMinimumSectionSize(kRowHeight);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setIconSize(QSize(16, 16));

    connect(journal_, &PaymentJournal::columnWidthsChanged, this, &JournalGrid::applyWidths);
    connect(journal_, &QAbstractItemModel::modelReset, this, &JournalGrid::applyLayout);
    connect(journal_, &PaymentJournal::currentRowChanged, this, &JournalGrid::showCurrentRow);
    applyLayout();
    showCurrentRow(journal_->currentRow());
}

void JournalGrid::applyLayout() {
    clearSpans();
    for (int c = 0; c < PaymentJournal::ColumnCount; ++c) {
        const QSize span = journal_->span(journal_->index(0, c));
        if (span != QSize(1, 1))
            setSpan(0, c, span.height(), span.width());
    }
    applyWidths();
}

void JournalGrid::applyWidths() {
    for (int c = 0; c < PaymentJournal::ColumnCount; ++c) {
        const int width = journal_->columnWidth(c);
        setColumnHidden(c, width == 0);
        if (width > 0)
            setColumnWidth(c, width);
    }
}

void JournalGrid::showCurrentRow(int row) {
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == row && selectionModel()->isRowSelected(row, QModelIndex()))
        return;
    const QModelIndex target = journal_->index(row, PaymentJournal::ExecutedAt);
    setCurrentIndex(target);
    scrollTo(target);
}

void JournalGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.row() >= PaymentJournal::FirstDataRow)
        journal_->setCurrentRow(current.row());
}

bool JournalGrid::findText(const QString& text, bool forward) {
    const int row = journal_->findText(text, journal_->currentRow(), forward);
    if (row < 0)
        return false;
    journal_->setCurrentRow(row);
    showCurrentRow(row);
    return true;
}

JournalSearchBar::JournalSearchBar(JournalGrid* grid, QWidget* parent) : QWidget(parent), grid_(grid) {
    setObjectName(QStringLiteral("GridSearch"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(4);

    auto* caption = new QLabel(QStringLiteral("Поиск:"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("GridSearchText"));
    // The clear button's icon is looked up in the icon themes, which costs the
    // start-up several milliseconds; it comes with the first text typed instead.
    connect(text_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!text.isEmpty() && !text_->isClearButtonEnabled())
            text_->setClearButtonEnabled(true);
    });
    text_->setMaximumWidth(260);
    auto* next = new QToolButton(this);
    next->setObjectName(QStringLiteral("GridFindNext"));
    next->setText(QStringLiteral("Найти далее"));
    next->setArrowType(Qt::DownArrow);
    next->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* previous = new QToolButton(this);
    previous->setObjectName(QStringLiteral("GridFindPrevious"));
    previous->setText(QStringLiteral("Найти ранее"));
    previous->setArrowType(Qt::UpArrow);
    previous->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("GridSearchState"));

    row->addWidget(caption);
    row->addWidget(text_, 1);
    row->addWidget(next);
    row->addWidget(previous);
    row->addWidget(state_);
    row->addStretch();

    connect(text_, &QLineEdit::returnPressed, this, &JournalSearchBar::findNext);
    connect(text_, &QLineEdit::textChanged, state_, &QLabel::clear);
    connect(next, &QToolButton::clicked, this, &JournalSearchBar::findNext);
    connect(previous, &QToolButton::clicked, this, &JournalSearchBar::findPrevious);
}

void JournalSearchBar::findNext() {
    find(true);
}

void JournalSearchBar::findPrevious() {
    find(false);
}

void JournalSearchBar::find(bool forward) {
    if (text_->text().isEmpty()) {
        state_->clear();
        return;
    }
    state_->setText(grid_->findText(text_->text(), forward) ? QString() : QStringLiteral("Не найдено"));
}
