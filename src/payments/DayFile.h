#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

// The day file of the payment journal: the whole table as cp1251 text, one
// line per non-empty cell. This is only the byte format; PaymentJournal owns
// the table's meaning.
namespace DayFile {

constexpr int ColumnCount = 11;

struct Table {
    using Row = std::array<QString, ColumnCount>;
    std::vector<Row> rows;
    std::array<int, ColumnCount> widths{};
};

// The exact bytes: "11,<rows>", one "cw <column>,<width>" line per column, then
// "<column>,<row>,<text>" for every non-empty cell, row by row; CR LF line ends.
QByteArray encode(const Table& table);

// Reads a whole day file into `table`, over what it held. Widths not named by
// the file keep the values `table` came in with. Returns false when the counts
// are unusable; `table` is then left as it was.
bool decode(const QByteArray& bytes, Table* table);
// Whether decode would take the file (its counts are usable).
bool readable(const QByteArray& bytes);

// Row counts a file may declare: room for the two header rows and the totals
// row, and a ceiling far above any day's payments so a damaged count cannot
// exhaust memory.
constexpr int MinRows = 3;
constexpr int MaxRows = 100000;

// A day without payments: the two header rows, two blank rows, the totals row.
constexpr int EmptyDayRows = 5;

} // namespace DayFile
