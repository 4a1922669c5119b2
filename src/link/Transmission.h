#pragma once

#include <QObject>
#include <QString>

#include <functional>

struct AppContext;
class MainWindowModel;
class PaymentJournal;
class ServerLink;

// Sending journal rows to the server as "o" messages and following their status
// with "UZ"/"Z". Both are chains driven by the server's replies: each step sends
// one message and the next runs when the reply arrives.
class Transmission : public QObject {
    Q_OBJECT
public:
    // How the chains reach the journal's files: saving the day shown, and the
    // file of today's journal, where an answer lands when another day is shown.
    struct Days {
        std::function<void()> saveShownDay;
        std::function<bool()> showingToday;
        std::function<QString()> todayFilePath;
    };

    Transmission(AppContext& ctx, MainWindowModel& model, ServerLink& link, PaymentJournal& journal,
                 Days days, QObject* parent = nullptr);

    // "file": the selected row; "send": the next unsent row of a send-all run.
    void transmitPayment(const QString& mode);
    // "send": ask for the next status; otherwise mode is the transaction of a
    // status answer with its code.
    void syncStatus(const QString& mode, const QString& status = QString());

    // Server messages (whole message, command letter included).
    void onAcknowledged(const QString& message); // "o"
    void onStatus(const QString& message);       // "Z"
    void onRefused(const QString& message);      // "O" and "("

    // Journal menu commands.
    void sendSelected();    // "Провести платеж"
    void sendAll();         // "Провести все платежи"
    void refreshStatuses(); // "Обновить статусы"

    // The "o" message body (without the leading "o") for a journal row and a
    // certificate; empty when the certificate cannot be read.
    static QString paymentBody(const PaymentJournal& journal, int row, const QString& certificate);

    bool sendAllMode() const { return sendAllMode_; }
    int sendCursor() const { return sendCursor_; }
    int syncCursor() const { return syncCursor_; }
    int locatedRow() const { return locatedRow_; }

private:
    enum class Sent { Sent, Abandoned, Unsendable };

    bool linkReady() const;
    Sent sendRow(int row);
    void onLinkLost();
    // Applies the acknowledgement or a status to the row of transaction t in the
    // journal shown, or in today's file when another day is shown; false when
    // neither holds it.
    bool changeRow(const QString& t, const std::function<void(PaymentJournal&, int)>& change);
    bool acknowledge(const QString& t);
    bool applyStatus(const QString& t, const QString& code);
    void releaseCommands();
    void cannotStart(const QString& statusText);

    AppContext& ctx_;
    MainWindowModel& model_;
    ServerLink& link_;
    PaymentJournal& journal_;
    Days days_;
    bool sendAllMode_ = false;
    int sendCursor_ = 1;
    int syncCursor_ = 1;
    int locatedRow_ = -1;
    bool answerApplied_ = false; // the last status answer changed a row here or in today's file
};
