#pragma once

#include "reports/ProgressGauge.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class Dialogs;
class Environment;
class SpreadsheetWriter;
class SystemClock;

// The cells of a table that hold sums or counts. Such a cell is written as a
// number where its text reads as one, so a spreadsheet adds the column up;
// every other cell, whatever it looks like (accounts, codes, transaction ids,
// dates, years in a caption), stays text.
class NumberCells {
public:
    // Columns counted from 1, in the rows from firstRow to lastRow (0: to the
    // end), both counted from 1; the rows above are captions.
    NumberCells& add(const std::vector<int>& columns, int firstRow, int lastRow = 0);
    bool contains(int row, int column) const;

private:
    struct Block {
        std::vector<int> columns;
        int firstRow;
        int lastRow;
    };
    std::vector<Block> blocks_;
};

// The one export of every table of the program to a spreadsheet. A table comes
// as lines whose cells each end with "##"; line i goes to row i, cell by cell,
// through the context's SpreadsheetWriter, while the progress window shows the
// gauge. The workbook is kept as a file that says what and when, beside the
// program, and handed to the desktop's spreadsheet program.
class SpreadsheetExport : public QObject {
    Q_OBJECT
public:
    SpreadsheetExport(const Environment& env, SpreadsheetWriter& writer, Dialogs& dialogs, SystemClock& clock,
                      QObject* parent = nullptr);

    // tableName names the table in the workbook's file name ("Журнал", "Статистика").
    // Runs to its end without returning to the event loop; a failure throws
    // AppError for the application-wide report, after the rows written so far
    // have been kept.
    void exportToSpreadsheet(const QStringList& lines, int columnLimit, const QString& tableName,
                             const NumberCells& numbers = NumberCells());

    // A figure as the program and the server write them: an optional "-",
    // digits, and up to four decimals after "." or ","; few enough digits to be
    // held exactly. Nothing for any other text.
    struct Number {
        double value;
        int decimals; // as written
    };
    static std::optional<Number> number(QStringView text);

    // A grid row as every caller hands it over: each cell followed by "##".
    static QString gridLine(const QStringList& cells);
    // The cells line `line` gives, from column 1: cut at each "##" while the
    // column limit allows; the text after the last "##" takes the next column
    // if there is one; a line without "##" is one cell.
    static QStringList cells(const QString& line, int columnLimit);

    // Folder beside the program where the workbooks are kept.
    QString workbookFolder() const;
    // The next workbook's path: the table's name and the moment, made unique.
    QString workbookPath(const QString& tableName) const;

    ProgressGauge& gauge() { return gauge_; }
    bool progressVisible() const { return progressVisible_; }

signals:
    // The progress window comes up or goes.
    void progressVisibleChanged(bool visible);
    // A workbook is kept at `path`; `opened` when a program took it.
    void saved(const QString& path, bool opened);

private:
    void setProgressVisible(bool visible);

    const Environment& env_;
    SpreadsheetWriter& writer_;
    Dialogs& dialogs_;
    SystemClock& clock_;
    ProgressGauge gauge_;
    bool progressVisible_ = false;
};
