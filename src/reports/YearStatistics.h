#pragma once

#include "link/RequestedFile.h"
#include "reports/TextTable.h"

#include <QObject>
#include <QString>
#include <QStringList>

class Dialogs;
class Environment;
class AccountSession;
class Session;
class SpreadsheetExport;
class SystemClock;

// The statistics page: the agent's figures for one year, a row per month, with
// a bar comparing each month's first figure with the best month of the year.
// Asked for with "J6", answered by a file reply "6" + terminal + "#" + year,
// which stays beside the program and is shown again the next time.
class YearStatistics : public QObject {
    Q_OBJECT
public:
    static constexpr int RowCount = 13;
    static constexpr int ColumnCount = 5;
    static constexpr int BarColumn = 4;

    YearStatistics(const ServerFed& fed, const AccountSession& account, SpreadsheetExport& spreadsheet,
                   SystemClock& clock, QObject* parent = nullptr);

    // Column 0: "Месяц" and the month names, written by the main window's creation.
    void setMonthNames(const QStringList& names);

    // The table BalGrid: row 0 and column 0 fixed, rows 1 to 12 the months.
    QString cell(int row, int column) const { return table_.cell(row, column); }
    // The largest first figure of the loaded year; 0 when none is larger.
    float yearMaximum() const { return yearMaximum_; }
    // The bar of a row: percent of the year maximum, 0 to 100.
    int barPercent(int row) const;
    // Truncated percent of `maximum` that `figure` ("." or "," as its mark) is; 0
    // when it is no number or the maximum is not above 0.
    static int barPercent(const QString& figure, float maximum);

    // The year box (ComboBox3): this year and the two before, starting at this year.
    const QStringList& yearItems() const { return yearItems_; }
    const QString& yearText() const { return yearText_; }
    void setYearText(const QString& text);
    // The third and fourth characters of the year box's text; every request carries it.
    QString twoDigitYear() const { return yearText_.mid(2, 2); }
    // "6" + loginTerminal + "#" + two-digit year + ".txt" beside the program
    QString yearFilePath(const QString& twoDigitYear) const;

    // The page is shown: the stored file of this year, else of last year, else a request.
    void show();
    // "Обновить".
    void refresh();
    // loadYearStatistics. Throws AppError for a file without lines; the table stays.
    void load(const QString& path);
    // "Подробно": the selected month goes to the monthly statement.
    void details();
    // "Отчет в Exel".
    void report();

    int selectedRow() const { return selectedRow_; }
    // Only month rows can be selected; other rows are ignored.
    void setSelectedRow(int row);
    bool gridVisible() const { return gridVisible_; }
    bool detailsEnabled() const { return detailsEnabled_; }
    // The monthly statement gives "Подробно" back when its window becomes active.
    void setDetailsEnabled(bool enabled);

    RequestedFile& file() { return file_; }
    const RequestedFile& file() const { return file_; }

signals:
    void changed();
    // "Подробно": month 1 to 12 and its name from column 0.
    void monthChosen(int month, const QString& name);

private:
    void offerYears();

    const Environment& env_;
    const Session& session_;
    Dialogs& dialogs_;
    SystemClock& clock_;
    SpreadsheetExport& spreadsheet_;
    RequestedFile file_;
    TextTable table_;
    float yearMaximum_ = 0;
    QStringList yearItems_;
    QString yearText_;
    int selectedRow_ = 1;
    bool gridVisible_ = true;
    bool detailsEnabled_ = true;
};
