#include "reports/TextTable.h"

#include "reports/SpreadsheetExport.h"

#include <algorithm>

TextTable::TextTable(int columns, int rows) : columns_(columns), rows_(size_t(rows), QStringList(columns)) {}

QString TextTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_)
        return QString();
    return rows_[size_t(row)][column];
}

void TextTable::setCell(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columns_)
        return;
    rows_[size_t(row)][column] = text;
}

void TextTable::setRow(int row, const QStringList& cells) {
    for (int c = 0; c < columns_; ++c)
        setCell(row, c, cells.value(c));
}

void TextTable::clearRow(int row) {
    setRow(row, QStringList());
}

void TextTable::resize(int rows) {
    rows_.resize(size_t(std::max(rows, 0)), QStringList(columns_));
}

QStringList TextTable::gridLines() const {
    QStringList lines;
    lines.reserve(rowCount());
    for (const QStringList& row : rows_)
        lines << SpreadsheetExport::gridLine(row);
    return lines;
}
