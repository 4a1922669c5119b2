#include "link/WaitingSender.h"

#include "link/Transmission.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/Dialogs.h"
#include "platform/SafeCall.h"

WaitingSender::WaitingSender(DayJournal& days, Transmission& transmission, Dialogs& dialogs, QObject* parent)
    : QObject(parent), days_(days), transmission_(transmission), dialogs_(dialogs) {
    connect(&transmission_, &Transmission::passFinished, this, &WaitingSender::onPassFinished);
    connect(&transmission_, &Transmission::chainEnded, this, &WaitingSender::onChainEnded);
}

void WaitingSender::offer() {
    if (running_)
        return;
    today_ = days_.today();
    const QList<WaitingPayments::Day> found = WaitingPayments::find(days_, today_, DaysBefore);
    if (found.isEmpty())
        return;
    if (!dialogs_.question(WaitingPayments::question(found, today_), QStringLiteral("Проведение платежей")))
        return;
    queue_ = found;
    earlierWaiting_ = WaitingPayments::countBefore(found, today_);
    earlierSent_ = 0;
    running_ = true;
    sendNextDay();
}

void WaitingSender::sendNextDay() {
    if (queue_.isEmpty()) {
        finish(true);
        return;
    }
    current_ = queue_.takeFirst();
    passFinished_ = false;
    if (days_.shownDay() != current_.date)
        days_.showDay(current_.date);
    // The closing box once, after the last day.
    transmission_.sendAllRows(queue_.isEmpty());
}

int WaitingSender::acceptedOfCurrentDay() const {
    const PaymentJournal& journal = days_.table();
    int accepted = 0;
    for (const QString& id : current_.transactionIds) {
        const int row = journal.rowOfTransaction(id);
        if (row >= 0 && !awaitsSending(journal.sendFlag(row)))
            ++accepted;
    }
    return accepted;
}

void WaitingSender::onPassFinished() {
    if (running_)
        passFinished_ = true;
}

void WaitingSender::onChainEnded() {
    if (!running_)
        return;
    if (current_.date < today_)
        earlierSent_ += acceptedOfCurrentDay();
    // A refusal, a lost link or a silent server ends the run: the rest waits
    // for the next login or "Провести все платежи".
    if (!passFinished_) {
        finish(false);
        return;
    }
    // Let the chain finish unwinding before the next day's starts.
    QMetaObject::invokeMethod(
        this, [this] { SafeCall::run(dialogs_, [this] { sendNextDay(); }); }, Qt::QueuedConnection);
}

void WaitingSender::finish(bool completed) {
    running_ = false;
    queue_.clear();
    if (days_.shownDay() != today_)
        days_.showDay(today_);
    if (earlierWaiting_ > 0)
        emit stateText(QStringLiteral("%1: прошлые дни %2 из %3")
                           .arg(completed ? QStringLiteral("Отправлено") : QStringLiteral("Прервано"))
                           .arg(earlierSent_)
                           .arg(earlierWaiting_));
}
