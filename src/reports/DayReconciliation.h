#pragma once

#include "link/RequestedFile.h"
#include "reports/Reconciliation.h"

#include <QDate>
#include <QObject>
#include <QStringList>

class DayJournal;
class NumberCells;
class Session;
class SpreadsheetExport;
class Transmission;

// "Сверка с сервером": the day shown in the journal against the server's own
// statement of that day ("J9", as the daily statement asks it), compared once
// the statement has arrived.
class DayReconciliation : public QObject {
    Q_OBJECT
public:
    DayReconciliation(const ServerFed& fed, DayJournal& days, Transmission& transmission,
                      SpreadsheetExport& spreadsheet, QObject* parent = nullptr);

    // Asks for the statement of the day shown; false (after the refusal) when
    // the terminal is not registered.
    bool start();
    // The day asked for, and whether its statement has been compared.
    const QDate& day() const { return day_; }
    bool compared() const { return compared_; }
    const Reconciliation::Result& result() const { return result_; }

    // The lines at the top of the window: counts and sums of each list.
    QStringList summary() const;
    // Sends the journal's payment the server does not have (its index in
    // result().onlyInJournal) as "Провести платеж" does, after its question.
    void sendMissing(int index);
    // "Отчет": the summary and the three lists; `numbers`, when given, learns
    // which cells are the lists' sums.
    QStringList exportLines(NumberCells* numbers = nullptr) const;
    void report();

    RequestedFile& file() { return file_; }

signals:
    void changed();

private:
    void compare(const QString& path);
    QList<JournalRow> journalRows() const;

    const Session& session_;
    DayJournal& days_;
    Transmission& transmission_;
    SpreadsheetExport& spreadsheet_;
    RequestedFile file_;
    QDate day_;
    bool compared_ = false;
    Reconciliation::Result result_;
};
