#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>

#include <optional>

class DayJournal;
class DayRecords;
class Dialogs;
class Environment;
class SystemClock;
class TransactionIds;
class Transmission;
struct JournalRow;

// What the cancellation window shows for the chosen row, and the two values of
// it the request row needs besides.
struct CancellationForm {
    enum class Kind { Cancel, Correct };
    Kind kind = Kind::Cancel;
    QString caption; // the window's and its group box's
    QString executedAt;
    QString operatorName;
    QString account;
    QString credited;
    QString transactionId;
    QString article;
    QString paymentType;
    QString iconPath; // empty when the operator has no icon
    QDate day;        // the payment's day, which the request is filed against
};

// "Отменить транзакцию": a payment that never left the terminal is deleted from
// the journal, and the deletion recorded; one on its way to the server, or one
// that went out without an answer, is not, as the server may hold it. For a
// credited one the cashier files a cancellation or, where the operator allows it,
// a correction of the account number, once per payment. A request is a new
// journal row with the sums negated, sent as an ordinary payment; the server
// tells the two apart by the negative sums and the "+" in the account. Which
// payment a request is for is kept in the request day's record.
class Cancellation : public QObject {
    Q_OBJECT
public:
    Cancellation(const Environment& env, DayJournal& days, DayRecords& records, TransactionIds& ids,
                 Transmission& transmission, Dialogs& dialogs, SystemClock& clock, QObject* parent = nullptr);

    // ToolButton5 and N6, on the row the cashier chose.
    void command(const JournalRow& row);

    const CancellationForm& form() const { return form_; }

    // BitBtn1: files the request for the form's row. The new number (Edit6) is
    // read for a correction only. The window closes after it in every case.
    void file(const QString& newAccount);

    // The request filed for payment `id` of `day` that the server has not
    // refused (one waiting to be sent counts), if there is one.
    std::optional<QString> pendingRequest(const QDate& day, const QString& id) const;
    // Of the payments of `day`, those with such a request, by transaction.
    QHash<QString, QString> requestsAgainst(const QDate& day) const;

    static const QString OnItsWayText;      // refused while the "o" is on the wire
    static const QString MayHaveReachedText; // refused for a row that went out unanswered
    static const QString AlreadyRequestedText;

signals:
    // The window is to be shown with the form, modally; returns when it closes.
    void showRequested();

private:
    void deleteUnsent(const JournalRow& row);
    void openWindow(const JournalRow& row);
    // Whether the row may not be deleted; says why when so.
    bool keptFromDeletion(const JournalRow& row);
    // A request filed and not refused: still in its day's journal, not failed at
    // the server, not sent back with a refusal.
    bool stands(const QDate& requestDay, const QString& requestId) const;
    // The grid's marks for the day shown.
    void markRequests();

    const Environment& env_;
    DayJournal& days_;
    DayRecords& records_;
    TransactionIds& ids_;
    Transmission& transmission_;
    Dialogs& dialogs_;
    SystemClock& clock_;
    CancellationForm form_;
};
