#pragma once

#include "payments/PaymentState.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>

class DayJournal;
class DayRecords;
class Dialogs;
class Environment;
class PaymentJournal;
class ServerLink;
class Session;
struct JournalRow;

// Sending journal rows to the server as "o" messages and following their status
// with "UZ"/"Z". Both are chains driven by the server's replies: each step sends
// one message and the next runs when the reply arrives. It registers the
// handlers of "o", "Z", "O" and "(". It owns what the transmission panel shows
// and which of the journal's four commands can be used while a chain runs.
class Transmission : public QObject {
    Q_OBJECT
public:
    Transmission(const Environment& env, const Session& session, ServerLink& link, DayJournal& days,
                 DayRecords& records, Dialogs& dialogs, QObject* parent = nullptr);

    // Sends the row of transaction `id` of the journal shown: a new payment, a
    // cancellation or a sale right after it was recorded, or "Провести платеж".
    void send(const QString& id);
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
    void sendSelected(const JournalRow& row); // "Провести платеж"
    void sendAll();                            // "Провести все платежи"
    // "Провести все платежи" without its question, for the payments offered after
    // a login; without announceEnd the pass ends without its closing box.
    void sendAllRows(bool announceEnd);
    void refreshStatuses(); // "Обновить статусы"

    // An "o" or "UZ" that gets no answer in this time is given up, as after a
    // lost connection: nothing else would ever bring the panel down. Every "o"
    // on the wire has its own time, however payments overlap.
    static constexpr int ReplyWatchdogMs = 30000;
    QTimer PaymentWatchdog; // armed for the wait that runs out first
    // The watchdog's tick: the wait that began first has run out. Public so
    // tests call it instead of waiting.
    void PaymentWatchdogTimer();
    // The transaction whose answer the chain waits for; empty when none.
    const QString& awaitedTransaction() const { return awaited_; }
    // The "o" of this transaction is on the wire: neither an acknowledgement, a
    // refusal, a lost link nor the watchdog has ended its wait.
    bool onItsWay(const QString& id) const;
    // Some "o" is on the wire and its answer has not come.
    bool anyOnItsWay() const { return !payments_.empty(); }

    bool sendAllMode() const { return sendAllMode_; }
    int sendCursor() const { return sendCursor_; }
    int syncCursor() const { return syncCursor_; }
    int locatedRow() const { return locatedRow_; }

    // The transmission panel: shown while a chain runs, with the transaction
    // under way and how far the pass has come.
    struct Panel {
        bool visible = false;
        QString caption; // empty: the panel's own caption
        int position = 0;
        int maximum = 100;
    };
    const Panel& panel() const { return panel_; }
    // The journal commands a chain holds back while it starts or runs.
    struct Commands {
        bool sendAll = true;         // "Провести все платежи"
        bool refreshStatuses = true; // "Обновить статусы"
        bool cancel = true;          // "Отменить платеж"
        bool sendSelected = true;    // "Провести платеж"
    };
    const Commands& commands() const { return commands_; }
    // The panel goes (a new greeting): the commands stay as they are.
    void hidePanel();

signals:
    void panelChanged();
    void commandsChanged();
    // A status pass went through to its last row (just before chainEnded).
    void passFinished();
    // The chain is over (done, refused, impossible, or the link went).
    void chainEnded();
    // A line for the status bar's state panel.
    void stateText(const QString& text);

private:
    enum class Sent { Sent, Abandoned, Unsendable };

    void onAcknowledged(const QString& message); // "o"
    void onStatus(const QString& message);       // "Z"
    void onRefused(const QString& message);      // "O" and "("
    void onLinkLost();
    // The row of an "o" the server accepted: flag "1", "в процессе". Says so when
    // no journal holds it, and keeps it in the day's deletion record.
    bool markAccepted(const QString& id);

    PaymentJournal& journal();
    // The next row after `cursor` whose send flag `wanted` takes; the cursor
    // moves onto it, or to -1 when there is none.
    int advance(int& cursor, bool (*wanted)(SendFlag));
    Sent sendRow(int row);
    // Applies `change` to the row of transaction `id` in the journal shown, or in
    // today's file when another day is shown; false when neither holds it.
    bool changeRow(const QString& id, const std::function<void(PaymentJournal&, int)>& change);
    void cannotStart(const QString& statusText);
    // The chain now waits for the answer about `id`; `payment`: to an "o".
    void awaitAnswer(const QString& id, bool payment);
    // The chain's wait is over (the "o"s still on the wire keep theirs).
    void stopWaiting();
    // The "o" of `id` is answered or given up: its own wait ends.
    void settle(const QString& id);
    void armWatchdog();
    // An "o" will not be answered: the row stays unsent and its note says why.
    void abandonPayment(const QString& id, const QDate& day, const QString& note);
    // Writes the note into the row of `id` when it still waits to be sent.
    void noteUnsent(const QString& id, const QDate& day, const QString& note);

    // The panel and the commands as the chain's course moves them.
    void beginTransmission();   // a row goes out: panel up, the four commands wait
    void showPanel();           // a status pass asks: panel up
    void endTransmission();     // panel down, the four commands back
    void lockSendCommands();    // "Провести платеж" and "Провести все платежи" wait
    void setCaption(const QString& caption);
    // A negative position leaves the bar where it is.
    void setProgress(int position, int maximum);
    void setCommands(const Commands& commands);

    const Environment& env_;
    const Session& session_;
    ServerLink& link_;
    DayJournal& days_;
    DayRecords& records_;
    Dialogs& dialogs_;
    Panel panel_;
    Commands commands_;
    bool sendAllMode_ = false;
    int sendCursor_ = 1;
    int syncCursor_ = 1;
    int locatedRow_ = -1;
    bool answerApplied_ = false; // the last status answer changed a row here or in today's file
    QString awaited_;
    bool awaitingPayment_ = false;
    // The "o"s on the wire, oldest first, each with its own time; and the
    // status question the pass waits for.
    struct Wait {
        QString id;
        QDate day;
        QDeadlineTimer deadline;
    };
    std::deque<Wait> payments_;
    std::optional<Wait> statusWait_;
    bool quietPassEnd_ = false; // the running pass ends without its box
};
