#include "payments/PaymentJournal.h"

#include <algorithm>

#include "platform/Locale.h"

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

} // namespace

PaymentJournal::PaymentJournal(QObject* parent) : QAbstractTableModel(parent) {
    table_.rows.resize(EmptyDayRows);
    sums_.resize(EmptyDayRows);
    resetHeaders();
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
                      cell(row, Status),     sendFlag(row)};
}

SendFlag PaymentJournal::sendFlag(int row) const {
    if (!inTable(row, 0))
        return SendFlag::None;
    return SendFlagText::read(table_.rows[size_t(row)][SendFlag]);
}

void PaymentJournal::setSendFlag(int row, ::SendFlag flag) {
    setCell(row, SendFlag, SendFlagText::of(flag));
}

PaymentStatus PaymentJournal::status(int row) const {
    if (!inTable(row, 0))
        return PaymentStatus::None;
    return classifyStatus(table_.rows[size_t(row)][Status]);
}

void PaymentJournal::setCancellationRequests(const QHash<QString, QString>& requests) {
    if (requests == requests_)
        return;
    requests_ = requests;
    if (rowCount() > FirstDataRow)
        emit dataChanged(index(FirstDataRow, 0), index(totalsRow(), ColumnCount - 1), {CancellationRequestRole});
}

QString PaymentJournal::cancellationRequest(int row) const {
    if (row < FirstDataRow || row >= totalsRow() || requests_.isEmpty())
        return QString();
    return requests_.value(table_.rows[size_t(row)][TransactionId]);
}

int PaymentJournal::rowOfTransaction(const QString& id) const {
    return findRow(TransactionId, id, 1, Match::Exact);
}

int PaymentJournal::rowOf(const JournalRow& fields) const {
    if (!fields.transactionId.isEmpty())
        return rowOfTransaction(fields.transactionId);
    for (int r = FirstDataRow; r < totalsRow(); ++r) {
        const JournalRow here = paymentRow(r);
        if (here.transactionId.isEmpty() && here.executedAt == fields.executedAt &&
            here.operatorName == fields.operatorName && here.account == fields.account &&
            here.credited == fields.credited && here.received == fields.received && here.note == fields.note &&
            here.article == fields.article && here.paymentType == fields.paymentType &&
            here.status == fields.status && here.sendFlag == fields.sendFlag)
            return r;
    }
    return -1;
}

void PaymentJournal::setPaymentRow(int row, const JournalRow& f) {
    if (!inTable(row, 0))
        return;
    dropIdIndex();
    table_.rows[size_t(row)] = {f.executedAt,  f.operatorName,  f.account, f.credited,
                                f.received,    f.transactionId, f.note,    f.article,
                                f.paymentType, f.status,        SendFlagText::of(f.sendFlag)};
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
    emit dataChanged(index(0, 0), index(1, ColumnCount - 1));
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
    case SendFlagRole:
        return int(sendFlag(row));
    case StatusRole:
        return int(status(row));
    case CancellationRequestRole:
        return cancellationRequest(row);
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
