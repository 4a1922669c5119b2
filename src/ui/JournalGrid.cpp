#include "ui/JournalGrid.h"

#include "payments/PaymentJournal.h"
#include "ui/WholeTextTip.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QHelpEvent>
#include <QToolButton>
#include <QToolTip>

namespace {

constexpr int kRowHeight = 22;

JournalGrid::Colours coloursOf(const QModelIndex& index) {
    if (index.row() < 1)
        return {};
    return JournalGrid::rowColours(SendFlag(index.data(PaymentJournal::SendFlagRole).toInt()),
                                   PaymentStatus(index.data(PaymentJournal::StatusRole).toInt()));
}

// Draws the journal's header rows as header sections (the view's own headers
// are hidden because the journal keeps its headers as rows of the table), and
// the payment rows in their colours with the operator's icon.
class JournalDelegate : public QStyledItemDelegate {
public:
    explicit JournalDelegate(JournalGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const JournalGrid::Colours c = coloursOf(index);
        if (c.background.isValid())
            option->backgroundBrush = c.background;
        if (c.text.isValid())
            option->palette.setColor(QPalette::Text, c.text);
        // A payment with a cancellation request says so beside its note; its
        // cells stay as the day file has them.
        if (index.column() == PaymentJournal::Note &&
            !index.data(PaymentJournal::CancellationRequestRole).toString().isEmpty())
            option->text += RequestMark;
        if (index.row() >= PaymentJournal::FirstDataRow && index.column() == PaymentJournal::OperatorName) {
            const QIcon icon =
                grid_->operatorIcon(index.siblingAtColumn(PaymentJournal::Article).data().toString());
            if (!icon.isNull()) {
                option->icon = icon;
                option->features |= QStyleOptionViewItem::HasDecoration;
                option->decorationSize = grid_->iconSize();
            }
        }
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (index.row() >= PaymentJournal::FirstDataRow) {
            if ((option.state & QStyle::State_Selected) && coloursOf(index).background.isValid()) {
                // The selected row keeps a shade of its status colour, so a
                // credited or failed payment still reads as such, mixed with the
                // selection colour and framed thick enough to be seen on green.
                QStyleOptionViewItem plain(option);
                plain.state &= ~QStyle::State_Selected;
                const QColor highlight = option.palette.color(QPalette::Active, QPalette::Highlight);
                QStyledItemDelegate::paint(painter, plain, index);
                painter->save();
                QColor shade = highlight;
                shade.setAlpha(90);
                painter->fillRect(option.rect, shade);
                painter->setPen(QPen(highlight.darker(160), 3));
                const QRect r = option.rect.adjusted(0, 1, 0, -2);
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

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        const QString request = index.data(PaymentJournal::CancellationRequestRole).toString();
        if (event->type() == QEvent::ToolTip && !request.isEmpty()) {
            QToolTip::showText(event->globalPos(),
                               QStringLiteral("По этому платежу подана заявка на отмену: ") + request, view);
            return true;
        }
        QStyleOptionViewItem shown(option);
        initStyleOption(&shown, index);
        if (index.row() >= PaymentJournal::FirstDataRow && WholeTextTip::show(event, view, shown, index, shown.text))
            return true;
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    }

    static const QString RequestMark;

private:
    JournalGrid* grid_;
};

const QString JournalDelegate::RequestMark = QStringLiteral(" (подана заявка на отмену)");

} // namespace

JournalGrid::Colours JournalGrid::rowColours(SendFlag flag, PaymentStatus status) {
    Colours c;
    // A flag no operation writes; such rows are shown plain whatever they hold.
    if (flag == SendFlag::Held)
        return c;
    // Later rules override earlier ones.
    if (flag == SendFlag::Accepted)
        c = {light3dFace(), Qt::black};
    if (status == PaymentStatus::Failed)
        c = {QColor(255, 0, 0), QColor(255, 255, 0)};
    else if (status == PaymentStatus::Settled)
        c = {QColor(0, 255, 0), Qt::black};
    if (status == PaymentStatus::Queued)
        c = {QColor(166, 202, 240), Qt::white};
    if (status == PaymentStatus::CancellationFiled)
        c = {QColor(0, 128, 0), Qt::white};
    if (status == PaymentStatus::CancellationPending)
        c = {QColor(0, 0, 255), Qt::white};
    if (status == PaymentStatus::Credited)
        c = {QColor(0, 255, 0), Qt::black};
    return c;
}

QColor JournalGrid::light3dFace() {
    return QApplication::palette().color(QPalette::Midlight);
}

void JournalGrid::setIconLookup(std::function<QString(const QString&)> lookup) {
    iconLookup_ = std::move(lookup);
    icons_.clear();
    viewport()->update();
}

QIcon JournalGrid::operatorIcon(const QString& article) const {
    if (article.isEmpty() || !iconLookup_)
        return QIcon();
    auto it = icons_.constFind(article);
    if (it == icons_.constEnd()) {
        const QString path = iconLookup_(article);
        it = icons_.insert(article, path.isEmpty() ? QIcon() : QIcon(path));
    }
    return *it;
}

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

    connect(journal_, &PaymentJournal::columnWidthsChanged, this, [this] {
        // The catalogue may have brought new icons since they were last looked up.
        icons_.clear();
        applyWidths();
    });
    connect(journal_, &QAbstractItemModel::modelReset, this, [this] {
        icons_.clear();
        applyLayout();
    });
    connect(journal_, &PaymentJournal::currentRowChanged, this, &JournalGrid::showCurrentRow);
    head_ = makeFrozen();
    foot_ = makeFrozen();
    connect(journal_, &QAbstractItemModel::rowsInserted, this, &JournalGrid::hideFrozenRows);
    connect(journal_, &QAbstractItemModel::rowsRemoved, this, &JournalGrid::hideFrozenRows);
    applyLayout();
    showCurrentRow(journal_->currentRow());
}

QTableView* JournalGrid::makeFrozen() {
    auto* v = new QTableView(this);
    v->setModel(journal_);
    v->setItemDelegate(itemDelegate());
    v->horizontalHeader()->hide();
    v->verticalHeader()->hide();
    v->verticalHeader()->setDefaultSectionSize(kRowHeight);
    v->verticalHeader()->setMinimumSectionSize(kRowHeight);
    v->setFocusPolicy(Qt::NoFocus);
    v->setSelectionMode(QAbstractItemView::NoSelection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    v->setFrameShape(QFrame::NoFrame);
    v->setWordWrap(false);
    v->setIconSize(iconSize());
    // A click or a right-click there means the grid: it goes on to it.
    v->setContextMenuPolicy(Qt::NoContextMenu);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, v->horizontalScrollBar(), &QScrollBar::setValue);
    return v;
}

void JournalGrid::hideFrozenRows() {
    if (hiddenTotals_ >= 0 && hiddenTotals_ < journal_->rowCount())
        setRowHidden(hiddenTotals_, false);
    for (int r = 0; r < PaymentJournal::FirstDataRow; ++r)
        setRowHidden(r, true);
    hiddenTotals_ = journal_->totalsRow();
    if (hiddenTotals_ >= PaymentJournal::FirstDataRow)
        setRowHidden(hiddenTotals_, true);
    placeFrozen();
}

void JournalGrid::placeFrozen() {
    if (!head_ || !foot_)
        return;
    const int top = PaymentJournal::FirstDataRow * kRowHeight;
    const int bottom = kRowHeight;
    const QMargins wanted(0, top, 0, bottom);
    if (viewportMargins() != wanted)
        setViewportMargins(wanted);
    const QRect port = viewport()->geometry();
    head_->setGeometry(port.left(), port.top() - top, port.width(), top);
    foot_->setGeometry(port.left(), port.bottom() + 1, port.width(), bottom);
    head_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    foot_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    head_->scrollToTop();
    foot_->scrollToBottom();
}

void JournalGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFrozen();
}

void JournalGrid::updateGeometries() {
    QTableView::updateGeometries();
    placeFrozen();
}

void JournalGrid::applyLayout() {
    clearSpans();
    head_->clearSpans();
    for (int c = 0; c < PaymentJournal::ColumnCount; ++c) {
        const QSize span = journal_->span(journal_->index(0, c));
        if (span != QSize(1, 1)) {
            setSpan(0, c, span.height(), span.width());
            head_->setSpan(0, c, span.height(), span.width());
        }
    }
    hiddenTotals_ = -1; // a new table: every row shown again
    hideFrozenRows();
    applyWidths();
}

void JournalGrid::applyWidths() {
    for (QTableView* v : {static_cast<QTableView*>(this), head_, foot_}) {
        for (int c = 0; c < PaymentJournal::ColumnCount; ++c) {
            const int width = journal_->columnWidth(c);
            v->setColumnHidden(c, width == 0);
            if (width > 0)
                v->setColumnWidth(c, width);
        }
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
