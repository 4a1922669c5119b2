#pragma once

#include "link/RequestedFile.h"
#include "reports/TextTable.h"

#include <QObject>
#include <QString>
#include <QStringList>

class MonthStatement;
class Session;
class SpreadsheetExport;
class YearStatistics;

// The daily statement (window TVipDay): each payment and pay-in of one day
// with its running balance, and the day's totals. Asked for with "J9"; the
// reply "9" + terminal + "#" + month + "#" + day is loaded and the window shown.
class DayStatement : public QObject {
    Q_OBJECT
public:
    static constexpr int ColumnCount = 8;

    DayStatement(const ServerFed& fed, YearStatistics& year, MonthStatement& month,
                 SpreadsheetExport& spreadsheet, QObject* parent = nullptr);

    const QString& day() const { return day_; }             // Label8
    const QString& monthName() const { return monthName_; } // Label2
    const QString& caption() const { return caption_; }     // Label1
    const QString& payments() const { return payments_; }   // Label5
    const QString& payIns() const { return payIns_; }       // Label6
    const QString& closing() const { return closing_; }     // Label7

    // The movement table: row 0 the fixed header.
    int rowCount() const { return table_.rowCount(); }
    QString cell(int row, int column) const { return table_.cell(row, column); }

    // The monthly statement's "Подробно" hands over the date of its selected row.
    void open(const QString& date);
    // "Обновить".
    void refresh();
    // loadDayStatement. Throws AppError for a file without lines, after the
    // day is set; the table stays and the window is not shown.
    void load(const QString& path);
    // "Отчет в Exel".
    void report();
    // The window became active: the monthly statement's "Подробно" is usable again.
    void formActivate();

    RequestedFile& file() { return file_; }
    const RequestedFile& file() const { return file_; }

    // The day of a stored reply, from the file's own name: the text after its
    // second "#" up to the next ".".
    static QString dayFromFileName(const QString& path);

signals:
    void changed();
    void shown();

private:
    const Session& session_;
    MonthStatement& month_;
    SpreadsheetExport& spreadsheet_;
    RequestedFile file_;
    QString day_ = QStringLiteral("7");
    QString monthName_ = QStringLiteral("Месяц");
    QString caption_ = QStringLiteral("Остаток на начало :");
    QString payments_ = QStringLiteral("0.00");
    QString payIns_ = QStringLiteral("0.00");
    QString closing_ = QStringLiteral("0.00");
    TextTable table_;
};
