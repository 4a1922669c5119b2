#pragma once

#include "payments/DayFile.h"
#include "payments/PaymentState.h"
#include "platform/Money.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QHash>
#include <QSize>
#include <QString>

#include <vector>

// One payment row, field by field in column order; every field is text.
struct JournalRow {
    QString executedAt;
    QString operatorName;
    QString account;
    QString credited;
    QString received;
    QString transactionId;
    QString note;
    QString article;
    QString paymentType;
    QString status; // the server's code, as it sent it
    SendFlag sendFlag = SendFlag::None;
};

// The day's payment journal: an 11-column table of texts. Rows 0 and 1 are the
// header rows, payments stand newest first from row 2, blank rows may follow,
// and the last row holds the totals of the two sum columns. The rest of the
// program addresses cells by (row, column) index.
class PaymentJournal : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        ExecutedAt = 0,
        OperatorName,
        Account,
        Credited,
        Received,
        TransactionId,
        Note,
        Article,
        PaymentType,
        Status,
        SendFlag
    };
    static constexpr int ColumnCount = DayFile::ColumnCount;
    static constexpr int FirstDataRow = 2;
    static constexpr int EmptyDayRows = DayFile::EmptyDayRows;

    // What a row means beside its texts, for the grid's drawing: its SendFlag and
    // its PaymentStatus, as ints.
    enum Role {
        SendFlagRole = Qt::UserRole + 1,
        StatusRole,
        // The transaction of a cancellation or correction request filed for the
        // row's payment; empty when there is none.
        CancellationRequestRole
    };

    // Contains: the cell holds the text anywhere, ignoring case.
    // Exact: the cell equals the text, ignoring case.
    enum class Match { Contains, Exact };

    explicit PaymentJournal(QObject* parent = nullptr);

    QString cell(int row, int column) const;
    // Out-of-range cells are ignored. A change of a sum column updates the totals.
    void setCell(int row, int column, const QString& text);

    JournalRow paymentRow(int row) const;
    void setPaymentRow(int row, const JournalRow& fields);

    // The requests filed for payments of this day, by the payment's transaction.
    // Known beside the table, never written into its cells or its file.
    void setCancellationRequests(const QHash<QString, QString>& requests);
    QString cancellationRequest(int row) const;

    ::SendFlag sendFlag(int row) const;
    void setSendFlag(int row, ::SendFlag flag);
    PaymentStatus status(int row) const;
    // A payment row's index between the header rows and the totals: by its
    // transaction, or, for a row without one, by all its fields; -1 when none.
    int rowOf(const JournalRow& fields) const;

    int totalsRow() const { return rowCount() - 1; }

    // Header texts, column widths, merged header cells and the totals.
    void resetHeaders();

    // A blank row at FirstDataRow, which becomes the current row; returns it.
    int insertPaymentRow();
    // Removes a row between the header rows and the totals row; others are ignored.
    void removePaymentRow(int row);

    // The row selected in the grid (FirstDataRow up to the totals row).
    int currentRow() const { return currentRow_; }
    void setCurrentRow(int row);

    // The first data row below `afterRow` whose cell in `column` matches, or -1.
    // Only rows between the header rows and the totals row are searched.
    int findRow(int column, const QString& text, int afterRow, Match match) const;
    // The row of exactly this transaction (ignoring case), or -1.
    int rowOfTransaction(const QString& id) const;
    // The first data row below `afterRow` whose send flag satisfies `wanted`, or -1.
    template <typename Wanted> int nextRowWithFlag(int afterRow, Wanted wanted) const {
        for (int r = qMax(afterRow + 1, int(FirstDataRow)); r < totalsRow(); ++r) {
            if (wanted(sendFlag(r)))
                return r;
        }
        return -1;
    }

    // For the grid's search bar: the next (or previous) data row after `fromRow`
    // with a shown cell containing the text, ignoring case; the search wraps
    // round and tries `fromRow` itself last. -1 when none or the text is empty.
    int findText(const QString& text, int fromRow, bool forward) const;

    int columnWidth(int column) const;
    // Merged header cells: the size (columns, rows) of the merge anchored at a
    // cell, 1x1 for a cell that is not merged.
    QSize span(const QModelIndex& index) const override;

    QByteArray toDayFile() const;
    // Replaces the table with the file's content in one step; false on a bad
    // format, the table then stays as it was.
    bool fromDayFile(const QByteArray& bytes);
    // An empty day with its headers.
    void clearDay();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void currentRowChanged(int row);
    // Widths from resetHeaders or a loaded file.
    void columnWidthsChanged();

private:
    bool inTable(int row, int column) const;
    void recomputeTotals();
    void switchTotalsOn();
    // The values of a row's two sum cells, read when their text changes.
    void readSums(int row);
    void readAllSums();
    void replaceTable(DayFile::Table&& table);
    // After the table changed whole, inside a model reset: ends the reset.
    void tableReplaced();

    // Rows by transaction id (case-folded), built when first needed: answers
    // from the server find their row without scanning the whole day.
    void dropIdIndex() { idIndexValid_ = false; }
    const QHash<QString, std::vector<int>>& idIndex() const;

    DayFile::Table table_;
    QHash<QString, QString> requests_;
    // Credited and received of every row, in step with table_.rows; the totals
    // row's own entry is not used.
    struct RowSums {
        Decimal credited;
        Decimal received;
    };
    std::vector<RowSums> sums_;
    mutable QHash<QString, std::vector<int>> idIndex_;
    mutable bool idIndexValid_ = false;
    int currentRow_ = FirstDataRow;
    QChar totalsSeparator_;
};
