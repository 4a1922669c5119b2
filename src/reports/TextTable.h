#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The text table of a report window: a fixed number of columns, rows
// addressed by index from 0. Cells nobody writes keep their text.
class TextTable {
public:
    TextTable(int columns, int rows);

    int rowCount() const { return int(rows_.size()); }
    int columnCount() const { return columns_; }
    // Empty outside the table.
    QString cell(int row, int column) const;
    // Ignored outside the table.
    void setCell(int row, int column, const QString& text);
    void setRow(int row, const QStringList& cells);
    void clearRow(int row);
    // The rows kept keep their texts; new rows are empty.
    void resize(int rows);

    // Every row, each cell followed by "##", as the spreadsheet export takes a table.
    QStringList gridLines() const;

private:
    int columns_;
    std::vector<QStringList> rows_;
};
