#pragma once

#include <QObject>
#include <QString>

class DayJournal;
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
};

// "Отменить транзакцию": a payment the server has not yet accepted is deleted
// from the journal; for a credited one the cashier files a cancellation or, where
// the operator allows it, a correction of the account number. A request is a new
// journal row with the sums negated, sent as an ordinary payment; the server
// tells the two apart by the negative sums and the "+" in the account.
class Cancellation : public QObject {
    Q_OBJECT
public:
    Cancellation(const Environment& env, DayJournal& days, TransactionIds& ids, Transmission& transmission,
                 Dialogs& dialogs, SystemClock& clock, QObject* parent = nullptr);

    // ToolButton5 and N6, on the row the cashier chose.
    void command(const JournalRow& row);

    const CancellationForm& form() const { return form_; }

    // BitBtn1: files the request for the form's row. The new number (Edit6) is
    // read for a correction only. The window closes after it in every case.
    void file(const QString& newAccount);

signals:
    // The window is to be shown with the form, modally; returns when it closes.
    void showRequested();

private:
    void deleteUnsent(const JournalRow& row);
    void openWindow(const JournalRow& row);

    const Environment& env_;
    DayJournal& days_;
    TransactionIds& ids_;
    Transmission& transmission_;
    Dialogs& dialogs_;
    SystemClock& clock_;
    CancellationForm form_;
};
