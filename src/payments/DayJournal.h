#pragma once

#include "payments/PaymentJournal.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <functional>

class Dialogs;
class FileDialog;
class Session;
class SystemClock;

// The journal's days on disk: one file per day in the terminal directory, the
// day shown in the date picker, and today by the terminal's clock. Every path of
// a day file is made here.
class DayJournal : public QObject {
    Q_OBJECT
public:
    // The day shown starts on today; its file is read at the login.
    DayJournal(const Session& session, SystemClock& clock, Dialogs& dialogs, FileDialog& fileDialog,
               QObject* parent = nullptr);

    // The table of the day shown, as the grid shows it.
    PaymentJournal& table() { return table_; }
    const PaymentJournal& table() const { return table_; }

    // "yyyyMMdd.dat"
    static QString fileName(const QDate& date);
    // journalDir + fileName(date); empty before the terminal has its directory.
    QString dayFilePath(const QDate& date) const;
    // The file of the day shown.
    QString dayFilePath() const;

    // The records kept beside a day file (see DayRecords).
    enum class Record { Transmission, Deletions, Requests, Prints };
    // "yyyyMMdd" + ".snd", ".del", ".req" or ".prn".
    static QString recordFileName(const QDate& date, Record record);
    // journalDir + recordFileName; empty before the terminal has its directory.
    QString recordPath(const QDate& date, Record record) const;

    const QDate& shownDay() const { return shownDay_; }
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

signals:
    // Another day is shown (before its file is read).
    void shownDayChanged(const QDate& day);

private:
    const Session& session_;
    SystemClock& clock_;
    Dialogs& dialogs_;
    FileDialog& fileDialog_;
    PaymentJournal table_;
    QDate shownDay_;
};
