#pragma once

#include "payments/PaymentJournal.h"

#include <QDate>
#include <QString>

#include <functional>

struct AppContext;
class MainWindowModel;

// The journal's days on disk: one file per day in the terminal directory, the
// day shown in the date picker, and today by the terminal's clock. Every path of
// a day file is made here.
class DayJournal {
public:
    DayJournal(AppContext& ctx, MainWindowModel& model);

    // The table of the day shown, as the grid shows it.
    PaymentJournal& table() { return table_; }
    const PaymentJournal& table() const { return table_; }

    // "yyyyMMdd.dat"
    static QString fileName(const QDate& date);
    // journalDir + fileName(date); empty before the terminal has its directory.
    QString dayFilePath(const QDate& date) const;
    // The file of the day shown.
    QString dayFilePath() const;

    QDate shownDay() const;
    QDate today() const;
    bool showingToday() const { return shownDay() == today(); }

    // Writes the whole table to the file of the day shown; throws AppError when
    // it cannot, leaving the previous file whole.
    void saveDay();
    // Replaces the table with the file of the day shown: an empty day when there
    // is none, a message and an empty day when it is damaged.
    void loadDay();
    // A change of the date picker: that day's journal.
    void showDay(const QDate& date);
    // "Открыть файл": the day named by a chosen file, from journalDir.
    void openDayFile();

    // Applies `change` to the row of transaction `id` in the file of `date` (not
    // the table shown) and writes the file back. False when the file or the row
    // is not there.
    bool changeRowInFile(const QDate& date, const QString& id,
                         const std::function<void(PaymentJournal&, int row)>& change) const;

private:
    AppContext& ctx_;
    MainWindowModel& model_;
    PaymentJournal table_;
};
