#pragma once

#include "link/RequestedFile.h"
#include "reports/TextTable.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Session;
class SpreadsheetExport;
class YearStatistics;

// The monthly statement (window TVipMon): one line per day of a month with the
// day's income, expense and balance and a bar of the income, the opening
// balance and the month's totals. Asked for with "J8"; the reply "8" + terminal
// + "#" + month + "#" + year is loaded and the window shown.
class MonthStatement : public QObject {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 5;
    static constexpr int BarColumn = 4;

    MonthStatement(const ServerFed& fed, YearStatistics& year, SpreadsheetExport& spreadsheet,
                   QObject* parent = nullptr);

    const QString& monthNumber() const { return monthNumber_; } // Label8, used by the requests
    const QString& monthName() const { return monthName_; }     // Label2
    const QString& opening() const { return opening_; }         // Label3
    const QString& income() const { return income_; }           // Label5
    const QString& expense() const { return expense_; }         // Label6
    const QString& closing() const { return closing_; }         // Label7

    // The day table: row 0 the fixed header.
    int rowCount() const { return table_.rowCount(); }
    QString cell(int row, int column) const { return table_.cell(row, column); }
    float monthMaximum() const { return monthMaximum_; }
    int barPercent(int row) const;

    // The statistics page's "Подробно" hands over the month and asks for it.
    void open(int month, const QString& name);
    // "Обновить".
    void refresh();
    // loadMonthStatement. Throws AppError for a file without lines, after the
    // month is set; the table stays and the window is not shown.
    void load(const QString& path);
    // "Подробно" (and its menu item): the selected day goes to the daily statement.
    void details();
    // "Отчет в Exel" (and "Отчет в Excel" of the menu).
    void report();
    // The window became active: the statistics page's "Подробно" is usable again.
    void formActivate();

    int selectedRow() const { return selectedRow_; }
    void setSelectedRow(int row);
    bool detailsEnabled() const { return detailsEnabled_; }
    // The daily statement gives "Подробно" back when its window becomes active.
    void setDetailsEnabled(bool enabled);

    RequestedFile& file() { return file_; }
    const RequestedFile& file() const { return file_; }

    // The month number of a stored reply, from the file's own name: the text
    // between its first and second "#".
    static QString monthFromFileName(const QString& path);

signals:
    void changed();
    // A statement is loaded: the window comes up.
    void shown();
    // "Подробно": the date text of the selected row.
    void dayChosen(const QString& date);

private:
    const Session& session_;
    YearStatistics& year_;
    SpreadsheetExport& spreadsheet_;
    RequestedFile file_;
    QString monthNumber_ = QStringLiteral("7");
    QString monthName_ = QStringLiteral("Месяц");
    QString opening_ = QStringLiteral("0.00");
    QString income_ = QStringLiteral("0.00");
    QString expense_ = QStringLiteral("0.00");
    QString closing_ = QStringLiteral("0.00");
    TextTable table_;
    float monthMaximum_ = 0;
    int selectedRow_ = 1;
    bool detailsEnabled_ = true;
};
