#pragma once

#include "payments/DayFile.h"
#include "platform/Money.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QIcon>
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
    QString status;
    QString sendFlag;
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

    // Contains: the cell holds the text anywhere, ignoring case.
    // Exact: the cell equals the text, ignoring case.
    enum class Match { Contains, Exact };

    explicit PaymentJournal(QObject* parent = nullptr);

    // Where "img/" with the operator icons lives (ends with a separator).
    void setProgramDir(const QString& programDir);

    QString cell(int row, int column) const;
    // Out-of-range cells are ignored. A change of a sum column updates the totals.
    void setCell(int row, int column, const QString& text);

    JournalRow paymentRow(int row) const;
    void setPaymentRow(int row, const JournalRow& fields);

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

    // Colours of a row by its status and send flag; an invalid QColor keeps the
    // grid's own colour.
    struct Colours {
        QColor background;
        QColor text;
    };
    static Colours rowColours(const QString& status, const QString& sendFlag);
    static QColor light3dFace();

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
    QIcon operatorIcon(const QString& article) const;
    void replaceTable(DayFile::Table&& table);
    // After the table changed whole, inside a model reset: ends the reset.
    void tableReplaced();

    // Rows by transaction id (case-folded), built when first needed: answers
    // from the server find their row without scanning the whole day.
    void dropIdIndex() { idIndexValid_ = false; }
    const QHash<QString, std::vector<int>>& idIndex() const;

    DayFile::Table table_;
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
    QString programDir_;
    mutable QHash<QString, QIcon> icons_;
};
