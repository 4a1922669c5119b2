#pragma once

#include <QString>
#include <QStringView>

// Where a journal row stands with the server: its send flag and what the
// server's last status code means. Every reader of the journal asks these; the
// characters the day file keeps for them are known only to the functions at the
// end of this file.

enum class SendFlag {
    None,     // no flag: a header, a blank row or the totals
    Unsent,   // the server has not accepted the payment yet (new or deferred)
    Accepted, // accepted; its final status is awaited
    Final,    // a final status has come
    Held,     // no operation writes it, a day file may hold it: not yet sent, drawn plain
    Other     // any other text a day file may hold
};

// A row that still waits to be sent: what sending, send-all, deletion, the
// waiting payments and the unsent count all look for.
inline bool awaitsSending(SendFlag flag) {
    return flag == SendFlag::Unsent || flag == SendFlag::Held;
}

// The server's status codes by what they mean for the payment.
enum class PaymentStatus {
    None,                // no status yet
    Credited,            // the money reached the account
    CancellationFiled,   // a cancellation request was taken
    CancellationPending, // it waits for the operator's decision
    Queued,              // waiting at the server or the operator
    Failed,              // the server could not carry it out
    Returned,            // the money went back
    Settled,             // shown as credited, though its row's note and flag stay
    Other                // a code with no meaning here
};

PaymentStatus classifyStatus(QStringView code);

// What a status answer writes into its row besides the code itself: the note
// (empty: left as it is) and the send flag (None: left as it is).
struct StatusEffect {
    QString note;
    SendFlag flag = SendFlag::None;
};
StatusEffect statusEffect(PaymentStatus status);

// The send flag column of the day file.
namespace SendFlagText {
SendFlag read(QStringView cell);
// The cell text of a flag an operation writes; empty for None and Other.
QString of(SendFlag flag);
} // namespace SendFlagText
