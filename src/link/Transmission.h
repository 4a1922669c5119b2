#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

struct AppContext;
class DayJournal;
class PaymentJournal;
class ServerLink;

// Sending journal rows to the server as "o" messages and following their status
// with "UZ"/"Z". Both are chains driven by the server's replies: each step sends
// one message and the next runs when the reply arrives. It registers the
// handlers of "o", "Z", "O" and "(" and reports the chains' course through its
// signals.
class Transmission : public QObject {
    Q_OBJECT
public:
    Transmission(AppContext& ctx, ServerLink& link, DayJournal& days, QObject* parent = nullptr);

    // Sends the row selected in the journal: a new payment, a cancellation or a
    // sale right after it was recorded, or "Провести платеж".
    void sendSelectedRow();
    // One step of "Провести все платежи": the next unsent row after the send
    // cursor; when none is left, the run turns into a status pass.
    void sendNextUnsent();
    // The server accepted transaction `id` ("o").
    void acknowledge(const QString& id);
    // Asks for the status of the next row awaiting one after the status cursor;
    // when none is left the pass ends.
    void requestNextStatus();
    // The server's status `code` for transaction `id` ("Z").
    void applyStatus(const QString& id, const QString& code);

    // Journal menu commands.
    void sendSelected(); // "Провести платеж"
    void sendAll();      // "Провести все платежи"
    // "Провести все платежи" without its question, for the payments offered after
    // a login; without announceEnd the pass ends without its closing box.
    void sendAllRows(bool announceEnd);
    void refreshStatuses(); // "Обновить статусы"

    // An "o" or "UZ" that gets no answer in this time ends its chain, as a lost
    // connection does: nothing else would ever bring the panel down.
    static constexpr int ReplyWatchdogMs = 30000;
    QTimer PaymentWatchdog;
    // The watchdog's tick, public so tests call it instead of waiting.
    void PaymentWatchdogTimer();
    // The transaction whose answer the chain waits for; empty when none.
    const QString& awaitedTransaction() const { return awaited_; }

    bool sendAllMode() const { return sendAllMode_; }
    int sendCursor() const { return sendCursor_; }
    int syncCursor() const { return syncCursor_; }
    int locatedRow() const { return locatedRow_; }

signals:
    // A row is being sent: the transmission panel up, the journal commands wait.
    void sendingStarted();
    // A status pass asks its first or next question: the panel up.
    void statusPassRunning();
    // A status pass went through to its last row (just before chainEnded).
    void passFinished();
    // The chain is over (done, refused, impossible, or the link went).
    void chainEnded();
    // An acknowledgement named a transaction no journal holds; a send-all run
    // goes on with its next row.
    void answerNotFound();
    // "Провести платеж" and "Провести все платежи" start their chain.
    void sendCommandsLocked();
    // What the panel says and how far the pass has come; a negative position
    // leaves the bar where it is.
    void captionChanged(const QString& caption);
    void progressChanged(int position, int maximum);
    // A line for the status bar's state panel.
    void stateText(const QString& text);

private:
    enum class Sent { Sent, Abandoned, Unsendable };

    void onAcknowledged(const QString& message); // "o"
    void onStatus(const QString& message);       // "Z"
    void onRefused(const QString& message);      // "O" and "("
    void onLinkLost();

    bool linkReady() const;
    PaymentJournal& journal();
    // The next row after `cursor` whose send flag is `flag`; the cursor moves
    // onto it, or to -1 when there is none.
    int advance(int& cursor, const QString& flag);
    Sent sendRow(int row);
    // Applies `change` to the row of transaction `id` in the journal shown, or in
    // today's file when another day is shown; false when neither holds it.
    bool changeRow(const QString& id, const std::function<void(PaymentJournal&, int)>& change);
    void cannotStart(const QString& statusText);
    // The chain now waits for the answer about `id`; `payment`: to an "o".
    void awaitAnswer(const QString& id, bool payment);
    void stopWaiting();
    // The awaited "o" will not be answered: the row stays unsent and says why.
    void abandonAwaitedPayment(const QString& note);

    AppContext& ctx_;
    ServerLink& link_;
    DayJournal& days_;
    bool sendAllMode_ = false;
    int sendCursor_ = 1;
    int syncCursor_ = 1;
    int locatedRow_ = -1;
    bool answerApplied_ = false; // the last status answer changed a row here or in today's file
    QString awaited_;
    bool awaitingPayment_ = false;
    bool quietPassEnd_ = false; // the running pass ends without its box
};
