#pragma once

#include <QString>
#include <QStringView>

// Where an exported table goes: a new workbook whose first worksheet takes the
// cells. Every operation throws AppError when it fails.
class SpreadsheetWriter {
public:
    virtual ~SpreadsheetWriter() = default;

    // Gets ready for a new workbook; what a previous, unfinished one held is dropped.
    virtual void create() = 0;
    // A new workbook, to be kept at `path` (its folder is made when missing).
    virtual void openWorkbook(const QString& path) = 0;
    // The text of the cell at row, column, both counted from 1.
    virtual void writeText(int row, int column, QStringView text) = 0;
    // A number the spreadsheet can add up, shown with as many decimals as it
    // was written with (`shown`, which also sizes its column).
    virtual void writeNumber(int row, int column, double value, int decimals, QStringView shown) = 0;
    // Finishes the workbook and hands it to the user's spreadsheet program;
    // false when no program took it (the file is kept all the same).
    virtual bool end() = 0;
};
