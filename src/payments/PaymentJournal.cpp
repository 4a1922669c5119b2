#include "payments/PaymentJournal.h"

#include <algorithm>

#include "platform/Locale.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

namespace {

using Row = DayFile::Table::Row;

const Row& headerRow0() {
    static const Row row = {QStringLiteral("Время выполнения"),
                            QStringLiteral("Оператор"),
                            QStringLiteral("Абонент"),
                            QStringLiteral("Сумма"),
                            QString(),
                            QStringLiteral("Транзакция"),
                            QStringLiteral("Примечание"),
                            QStringLiteral("Артикул"),
                            QStringLiteral("Тип платежа"),
                            QStringLiteral("Статус"),
                            QStringLiteral("Отправка")};
    return row;
}

const Row& headerRow1() {
    static const Row row = {QString(), QString(), QString(), QStringLiteral("Зачислено"),
                            QStringLiteral("Получено")};
    return row;
}

// The last four columns carry transmission data the cashier does not need to see.
constexpr std::array<int, PaymentJournal::ColumnCount> kHeaderWidths = {120, 130, 130, 100, 100, 150,
                                                                        130, 0,   0,   0,   0};

// A column whose header cell covers both header rows.
bool spansHeaderRows(int column) {
    return column == PaymentJournal::ExecutedAt || column == PaymentJournal::OperatorName ||
           column == PaymentJournal::Account || column == PaymentJournal::TransactionId ||
           column == PaymentJournal::Note;
}

bool isSumColumn(int column) {
    return column == PaymentJournal::Credited || column == PaymentJournal::Received;
}

// Columns whose text decides how the whole row is drawn.
bool drivesRowLook(int column) {
    return column == PaymentJournal::Article || column == PaymentJournal::Status ||
           column == PaymentJournal::SendFlag;
}

// A sum cell's value: the journal writes "-98.51" or "49,00", a day file may
// hold either mark; what does not read counts 0.
Decimal sumValue(const QString& text) {
    return Decimal::readOr0(text, Decimal::Form::Figure);
}

bool isOneOf(const QString& text, std::initializer_list<const char*> values) {
    for (const char* v : values) {
        if (text == QLatin1String(v))
            return true;
    }
    return false;
}

} // namespace

PaymentJournal::PaymentJournal(QObject* parent) : QAbstractTableModel(parent) {
    table_.rows.resize(EmptyDayRows);
    sums_.resize(EmptyDayRows);
    resetHeaders();
}

void PaymentJournal::setProgramDir(const QString& programDir) {
    programDir_ = programDir;
    icons_.clear();
}

bool PaymentJournal::inTable(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < ColumnCount;
}

QString PaymentJournal::cell(int row, int column) const {
    if (!inTable(row, column))
        return QString();
    return table_.rows[size_t(row)][size_t(column)];
}

void PaymentJournal::setCell(int row, int column, const QString& text) {
    if (!inTable(row, column))
        return;
    QString& target = table_.rows[size_t(row)][size_t(column)];
    if (target == text)
        return;
    if (column == TransactionId && idIndexValid_ && row >= FirstDataRow && row < totalsRow()) {
        auto& oldRows = idIndex_[target.toCaseFolded()];
        oldRows.erase(std::remove(oldRows.begin(), oldRows.end(), row), oldRows.end());
        auto& newRows = idIndex_[text.toCaseFolded()];
        newRows.insert(std::lower_bound(newRows.begin(), newRows.end(), row), row);
    }
    target = text;
    if (isSumColumn(column))
        readSums(row);
    if (drivesRowLook(column))
        emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    else
        emit dataChanged(index(row, column), index(row, column));
    if (isSumColumn(column))
        recomputeTotals();
}

JournalRow PaymentJournal::paymentRow(int row) const {
    return JournalRow{cell(row, ExecutedAt), cell(row, OperatorName), cell(row, Account),
                      cell(row, Credited),   cell(row, Received),     cell(row, TransactionId),
                      cell(row, Note),       cell(row, Article),      cell(row, PaymentType),
                      cell(row, Status),     cell(row, SendFlag)};
}

void PaymentJournal::setPaymentRow(int row, const JournalRow& f) {
    if (!inTable(row, 0))
        return;
    dropIdIndex();
    table_.rows[size_t(row)] = {f.executedAt,  f.operatorName,  f.account, f.credited,
                                f.received,    f.transactionId, f.note,    f.article,
                                f.paymentType, f.status,        f.sendFlag};
    readSums(row);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    recomputeTotals();
}

void PaymentJournal::resetHeaders() {
    table_.rows[0] = headerRow0();
    table_.rows[1] = headerRow1();
    readSums(0);
    readSums(1);
    table_.widths = kHeaderWidths;
    // The catalogue may have brought new icons since they were last looked up.
    icons_.clear();
    emit dataChanged(index(0, 0), index(1, ColumnCount - 1));
    emit dataChanged(index(FirstDataRow, OperatorName), index(totalsRow(), OperatorName),
                     {Qt::DecorationRole});
    emit columnWidthsChanged();
    switchTotalsOn();
}

int PaymentJournal::insertPaymentRow() {
    beginInsertRows(QModelIndex(), FirstDataRow, FirstDataRow);
    table_.rows.insert(table_.rows.begin() + FirstDataRow, Row{});
    sums_.insert(sums_.begin() + FirstDataRow, RowSums{});
    dropIdIndex();
    endInsertRows();
    switchTotalsOn();
    // Announced even when the index stays the same: a different row now stands there.
    currentRow_ = FirstDataRow;
    emit currentRowChanged(currentRow_);
    return FirstDataRow;
}

void PaymentJournal::removePaymentRow(int row) {
    if (row < FirstDataRow || row >= totalsRow())
        return;
    beginRemoveRows(QModelIndex(), row, row);
    table_.rows.erase(table_.rows.begin() + row);
    sums_.erase(sums_.begin() + row);
    dropIdIndex();
    endRemoveRows();
    recomputeTotals();
    // The selection stays at the same index, now the row that stood below.
    currentRow_ = qBound(int(FirstDataRow), currentRow_, totalsRow());
    emit currentRowChanged(currentRow_);
}

void PaymentJournal::setCurrentRow(int row) {
    row = qBound(int(FirstDataRow), row, totalsRow());
    if (row == currentRow_)
        return;
    currentRow_ = row;
    emit currentRowChanged(row);
}

const QHash<QString, std::vector<int>>& PaymentJournal::idIndex() const {
    if (!idIndexValid_) {
        idIndex_.clear();
        for (int r = FirstDataRow; r < totalsRow(); ++r)
            idIndex_[table_.rows[size_t(r)][TransactionId].toCaseFolded()].push_back(r);
        idIndexValid_ = true;
    }
    return idIndex_;
}

int PaymentJournal::findRow(int column, const QString& text, int afterRow, Match match) const {
    if (column < 0 || column >= ColumnCount)
        return -1;
    if (column == TransactionId && match == Match::Exact) {
        const auto& index = idIndex();
        const auto it = index.constFind(text.toCaseFolded());
        if (it == index.constEnd())
            return -1;
        const auto next = std::upper_bound(it->begin(), it->end(), afterRow);
        return next == it->end() ? -1 : *next;
    }
    for (int r = qMax(afterRow + 1, int(FirstDataRow)); r < totalsRow(); ++r) {
        const QString& c = table_.rows[size_t(r)][size_t(column)];
        const bool hit = match == Match::Contains ? c.contains(text, Qt::CaseInsensitive)
                                                  : c.compare(text, Qt::CaseInsensitive) == 0;
        if (hit)
            return r;
    }
    return -1;
}

int PaymentJournal::findText(const QString& text, int fromRow, bool forward) const {
    const int n = totalsRow() - FirstDataRow;
    if (text.isEmpty() || n <= 0)
        return -1;
    int at = fromRow - FirstDataRow;
    if (at < 0 || at >= n)
        at = forward ? -1 : n;
    for (int k = 1; k <= n; ++k) {
        const int i = ((at + (forward ? k : -k)) % n + n) % n;
        const Row& row = table_.rows[size_t(FirstDataRow + i)];
        for (int c = 0; c < ColumnCount; ++c) {
            if (table_.widths[size_t(c)] > 0 && row[size_t(c)].contains(text, Qt::CaseInsensitive))
                return FirstDataRow + i;
        }
    }
    return -1;
}

int PaymentJournal::columnWidth(int column) const {
    if (column < 0 || column >= ColumnCount)
        return 0;
    return table_.widths[size_t(column)];
}

QSize PaymentJournal::span(const QModelIndex& index) const {
    if (!index.isValid() || index.row() != 0)
        return QSize(1, 1);
    if (spansHeaderRows(index.column()))
        return QSize(1, 2);
    if (index.column() == Credited)
        return QSize(2, 1);
    return QSize(1, 1);
}

QByteArray PaymentJournal::toDayFile() const {
    return DayFile::encode(table_);
}

bool PaymentJournal::fromDayFile(const QByteArray& bytes) {
    if (!DayFile::readable(bytes))
        return false;
    // Read over the table in place: the cells reuse their memory.
    beginResetModel();
    DayFile::decode(bytes, &table_);
    tableReplaced();
    return true;
}

void PaymentJournal::clearDay() {
    DayFile::Table empty;
    empty.widths = table_.widths;
    empty.rows.resize(EmptyDayRows);
    replaceTable(std::move(empty));
    resetHeaders();
}

void PaymentJournal::replaceTable(DayFile::Table&& table) {
    beginResetModel();
    table_ = std::move(table);
    tableReplaced();
}

void PaymentJournal::tableReplaced() {
    readAllSums();
    dropIdIndex();
    icons_.clear();
    endResetModel();
    recomputeTotals();
    currentRow_ = FirstDataRow;
    emit currentRowChanged(currentRow_);
    emit columnWidthsChanged();
}

void PaymentJournal::switchTotalsOn() {
    // The totals follow every change of a sum already; only another decimal
    // separator can have left them stale, and the sums read under the old one.
    if (totalsSeparator_ != Locale::decimalSeparator()) {
        readAllSums();
        recomputeTotals();
    }
}

void PaymentJournal::readSums(int row) {
    const Row& cells = table_.rows[size_t(row)];
    sums_[size_t(row)] = {sumValue(cells[Credited]), sumValue(cells[Received])};
}

void PaymentJournal::readAllSums() {
    sums_.resize(table_.rows.size());
    for (int r = 0; r < rowCount(); ++r)
        readSums(r);
}

void PaymentJournal::recomputeTotals() {
    Money::Total credited;
    Money::Total received;
    const int last = totalsRow();
    for (int r = FirstDataRow; r < last; ++r) {
        credited.add(sums_[size_t(r)].credited);
        received.add(sums_[size_t(r)].received);
    }
    totalsSeparator_ = Locale::decimalSeparator();
    Row& totals = table_.rows[size_t(last)];
    const QString c = Money::format(credited.cents());
    const QString rcv = Money::format(received.cents());
    if (totals[Credited] == c && totals[Received] == rcv)
        return;
    totals[Credited] = c;
    totals[Received] = rcv;
    emit dataChanged(index(last, Credited), index(last, Received));
}

QColor PaymentJournal::light3dFace() {
    // Without a GUI application (the logic's own tests) there is no palette to ask.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return QGuiApplication::palette().color(QPalette::Midlight);
    return QColor(227, 227, 227);
}

PaymentJournal::Colours PaymentJournal::rowColours(const QString& status, const QString& sendFlag) {
    Colours c;
    // A flag no operation writes; such rows are shown plain whatever they hold.
    if (sendFlag == QLatin1String("9"))
        return c;
    // Later rules override earlier ones.
    if (sendFlag == QLatin1String("1"))
        c = {light3dFace(), Qt::black};
    if (isOneOf(status, {"3", "-"}))
        c = {QColor(255, 0, 0), QColor(255, 255, 0)};
    else if (status == QLatin1String("6"))
        c = {QColor(0, 255, 0), Qt::black};
    if (isOneOf(status, {"5", "8", "7", "70", "71", "72", "73", "74", "75", "76"}))
        c = {QColor(166, 202, 240), Qt::white};
    if (status == QLatin1String("11"))
        c = {QColor(0, 128, 0), Qt::white};
    if (status == QLatin1String("12"))
        c = {QColor(0, 0, 255), Qt::white};
    if (isOneOf(status, {"+", "1", "0", "10"}))
        c = {QColor(0, 255, 0), Qt::black};
    return c;
}

QIcon PaymentJournal::operatorIcon(const QString& article) const {
    if (article.isEmpty())
        return QIcon();
    auto it = icons_.constFind(article);
    if (it == icons_.constEnd()) {
        const QString path = programDir_ + QStringLiteral("img/") + article + QStringLiteral(".ico");
        it = icons_.insert(article, QFileInfo::exists(path) ? QIcon(path) : QIcon());
    }
    return *it;
}

int PaymentJournal::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(table_.rows.size());
}

int PaymentJournal::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PaymentJournal::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !inTable(index.row(), index.column()))
        return QVariant();
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return table_.rows[size_t(row)][size_t(column)];
    case Qt::TextAlignmentRole:
        if (row < FirstDataRow)
            return int(Qt::AlignCenter);
        if (isSumColumn(column))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::DecorationRole:
        if (column == OperatorName && row >= FirstDataRow) {
            const QIcon icon = operatorIcon(table_.rows[size_t(row)][Article]);
            if (!icon.isNull())
                return icon;
        }
        return QVariant();
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
        if (row < 1)
            return QVariant();
        const Row& r = table_.rows[size_t(row)];
        const Colours c = rowColours(r[Status], r[SendFlag]);
        const QColor& colour = role == Qt::BackgroundRole ? c.background : c.text;
        return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default:
        return QVariant();
    }
}

Qt::ItemFlags PaymentJournal::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    // The header rows are drawn as headers; neither a click nor the keys reach them.
    if (index.row() < FirstDataRow)
        return Qt::ItemNeverHasChildren;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
