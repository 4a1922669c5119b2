#include "link/Transmission.h"

#include "core/Environment.h"
#include "core/Session.h"
#include "core/TerminalCertificate.h"
#include "link/Framing.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "payments/DayJournal.h"
#include "payments/DayRecords.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"

namespace {

using Col = PaymentJournal::Column;

void writeStatus(PaymentJournal& journal, int row, const QString& code) {
    journal.setCell(row, Col::Status, code);
    const StatusEffect e = statusEffect(classifyStatus(code));
    if (!e.note.isEmpty())
        journal.setCell(row, Col::Note, e.note);
    if (e.flag != SendFlag::None)
        journal.setSendFlag(row, e.flag);
}

bool accepted(SendFlag flag) {
    return flag == SendFlag::Accepted;
}

} // namespace

Transmission::Transmission(const Environment& env, const Session& session, ServerLink& link, DayJournal& days,
                           DayRecords& records, Dialogs& dialogs, QObject* parent)
    : QObject(parent), env_(env), session_(session), link_(link), days_(days), records_(records),
      dialogs_(dialogs) {
    link_.setHandler(QLatin1Char('o'), [this](const QString& m) { onAcknowledged(m); });
    link_.setHandler(QLatin1Char('Z'), [this](const QString& m) { onStatus(m); });
    link_.setHandler(QLatin1Char('O'), [this](const QString& m) { onRefused(m); });
    link_.setHandler(QLatin1Char('('), [this](const QString& m) { onRefused(m); });
    connect(&link_, &ServerLink::disconnected, this, &Transmission::onLinkLost);
    connect(&link_, &ServerLink::disconnectedByCashier, this, &Transmission::endTransmission);
    PaymentWatchdog.setObjectName(QStringLiteral("PaymentWatchdog"));
    PaymentWatchdog.setInterval(ReplyWatchdogMs);
    PaymentWatchdog.setSingleShot(true);
    connect(&PaymentWatchdog, &QTimer::timeout, this, &Transmission::PaymentWatchdogTimer);
}

PaymentJournal& Transmission::journal() {
    return days_.table();
}

void Transmission::setCommands(const Commands& c) {
    const Commands& o = commands_;
    if (o.sendAll == c.sendAll && o.refreshStatuses == c.refreshStatuses && o.cancel == c.cancel &&
        o.sendSelected == c.sendSelected)
        return;
    commands_ = c;
    emit commandsChanged();
}

void Transmission::beginTransmission() {
    panel_.visible = true;
    emit panelChanged();
    setCommands({false, false, false, false});
}

void Transmission::showPanel() {
    if (panel_.visible)
        return;
    panel_.visible = true;
    emit panelChanged();
}

void Transmission::hidePanel() {
    if (!panel_.visible)
        return;
    panel_.visible = false;
    emit panelChanged();
}

void Transmission::endTransmission() {
    setCommands({true, true, true, true});
    hidePanel();
}

void Transmission::lockSendCommands() {
    Commands c = commands_;
    c.sendAll = c.sendSelected = false;
    setCommands(c);
}

void Transmission::setCaption(const QString& caption) {
    panel_.caption = caption;
    emit panelChanged();
}

void Transmission::setProgress(int position, int maximum) {
    if (position >= 0)
        panel_.position = position;
    panel_.maximum = maximum;
    emit panelChanged();
}

void Transmission::onLinkLost() {
    // No answer can come over a closed connection: every "o" on the wire is given
    // up, the chain is over, and the commands must work again once the cashier
    // has logged in anew.
    while (!payments_.empty()) {
        const Wait w = payments_.front();
        payments_.pop_front();
        abandonPayment(w.id, w.day, QStringLiteral("Не отправлен: связь прервана"));
    }
    stopWaiting();
    sendAllMode_ = false;
    endTransmission();
    emit chainEnded();
}

bool Transmission::onItsWay(const QString& id) const {
    for (const Wait& w : payments_) {
        if (w.id == id)
            return true;
    }
    return false;
}

void Transmission::armWatchdog() {
    // The wait that runs out first; payments and the status question each began
    // with their own 30 s.
    std::optional<QDeadlineTimer> first;
    if (!payments_.empty())
        first = payments_.front().deadline;
    if (statusWait_ && (!first || statusWait_->deadline < *first))
        first = statusWait_->deadline;
    if (!first) {
        PaymentWatchdog.stop();
        return;
    }
    PaymentWatchdog.start(int(qMax<qint64>(0, first->remainingTime())));
}

void Transmission::PaymentWatchdogTimer() {
    PaymentWatchdog.stop();
    const bool paymentFirst =
        !payments_.empty() && (!statusWait_ || payments_.front().deadline <= statusWait_->deadline);
    if (paymentFirst) {
        const Wait w = payments_.front();
        payments_.pop_front();
        link_.log(QStringLiteral("Нет ответа сервера: ") + w.id);
        abandonPayment(w.id, w.day, QStringLiteral("Не отправлен: нет ответа сервера"));
        // The chain waited for this one: it is over. An earlier payment overlapped
        // by a later one ends alone; the later one's chain goes on.
        if (awaitingPayment_ && awaited_ == w.id) {
            stopWaiting();
            sendAllMode_ = false;
            endTransmission();
            emit chainEnded();
        } else {
            armWatchdog();
        }
        emit stateText(QStringLiteral("Нет ответа: платеж сохранен"));
        return;
    }
    if (!statusWait_)
        return;
    link_.log(QStringLiteral("Нет ответа сервера: ") + statusWait_->id);
    // The answers the pass did get reach the file.
    try {
        days_.saveDay();
    } catch (const AppError& e) {
        dialogs_.exception(e.text());
    }
    stopWaiting();
    sendAllMode_ = false;
    endTransmission();
    emit chainEnded();
    emit stateText(QStringLiteral("Нет ответа: статусы не обновлены"));
}

void Transmission::awaitAnswer(const QString& id, bool payment) {
    awaited_ = id;
    awaitingPayment_ = payment;
    const Wait wait{id, days_.shownDay(), QDeadlineTimer(ReplyWatchdogMs)};
    if (payment) {
        // Sent again while still on the wire: one wait, from the last send. A
        // status question of an earlier pass is left behind by the new chain.
        settle(id);
        payments_.push_back(wait);
        statusWait_.reset();
    } else {
        statusWait_ = wait;
    }
    armWatchdog();
}

void Transmission::stopWaiting() {
    awaited_.clear();
    awaitingPayment_ = false;
    statusWait_.reset();
    armWatchdog();
}

void Transmission::settle(const QString& id) {
    for (auto it = payments_.begin(); it != payments_.end(); ++it) {
        if (it->id == id) {
            payments_.erase(it);
            break;
        }
    }
    armWatchdog();
}

void Transmission::noteUnsent(const QString& id, const QDate& day, const QString& note) {
    // Only a row the server has not accepted meanwhile gets the note.
    auto mark = [&note](PaymentJournal& j, int row) {
        if (awaitsSending(j.sendFlag(row)))
            j.setCell(row, Col::Note, note);
    };
    try {
        if (day == days_.shownDay()) {
            const int row = journal().rowOfTransaction(id);
            if (row >= 0) {
                mark(journal(), row);
                days_.saveDay();
            }
        } else {
            days_.changeRowInFile(day, id, mark);
        }
    } catch (const AppError& e) {
        // Called from socket and timer events: the box says what failed, the chain still ends.
        dialogs_.exception(e.text());
    }
}

void Transmission::abandonPayment(const QString& id, const QDate& day, const QString& note) {
    // The row keeps its send flag "0" and its transaction id, so sending it again
    // later cannot charge it twice. The record of the day keeps that it went out.
    noteUnsent(id, day, note);
}

void Transmission::cannotStart(const QString& statusText) {
    // Nothing goes out: say so instead of leaving the transmission panel up.
    stopWaiting();
    endTransmission();
    emit chainEnded();
    emit stateText(statusText);
}

int Transmission::advance(int& cursor, bool (*wanted)(SendFlag)) {
    cursor = journal().nextRowWithFlag(cursor, wanted);
    return cursor;
}

void Transmission::send(const QString& id) {
    quietPassEnd_ = false;
    beginTransmission();
    if (!link_.ready()) {
        cannotStart(QStringLiteral("Нет связи: платеж сохранен"));
        return;
    }
    sendAllMode_ = false;
    // A row without a transaction could never be told apart in the answer.
    const int row = id.isEmpty() ? -1 : journal().rowOfTransaction(id);
    if (row < 0) {
        cannotStart(QStringLiteral("Платеж не отправлен: нет в журнале"));
        return;
    }
    if (sendRow(row) == Sent::Unsendable)
        cannotStart(QStringLiteral("Платеж не отправлен: недопустимые символы"));
}

void Transmission::sendNextUnsent() {
    beginTransmission();
    if (!link_.ready()) {
        cannotStart(QStringLiteral("Нет связи: платеж сохранен"));
        return;
    }
    link_.log(QStringLiteral("Синхронизация данных"));
    emit stateText(QStringLiteral("Передача платежей"));
    for (;;) {
        const int row = advance(sendCursor_, awaitsSending);
        if (row < 0) {
            days_.saveDay();
            syncCursor_ = 1;
            requestNextStatus();
            return;
        }
        // A row that cannot go out must not hold back the rows behind it.
        if (sendRow(row) != Sent::Unsendable)
            return;
    }
}

Transmission::Sent Transmission::sendRow(int row) {
    const std::optional<QString> certificate =
        TerminalCertificate::readCertificate(env_.certificatePath(session_.loginTerminal()));
    if (!certificate) {
        // A certificate file without a line: the request is abandoned.
        cannotStart(QStringLiteral("Нет сертификата: платеж сохранен"));
        return Sent::Abandoned;
    }
    const JournalRow fields = journal().paymentRow(row);
    const QString message = Messages::payment(fields, *certificate);
    try {
        Framing::frame(message); // throws for a field the framing refuses
    } catch (const AppError& e) {
        // A field the framing refuses (a loaded day file can hold anything): the
        // row stays unsent and says why.
        link_.log(e.text() + QStringLiteral(": ") + fields.transactionId);
        journal().setCell(row, Col::Note, QStringLiteral("Не отправлен: поле содержит \"$k$\""));
        days_.saveDay();
        return Sent::Unsendable;
    }
    // On disk before it goes out: after a crash, a restart or a lost answer the
    // terminal still knows that the server may hold this payment.
    try {
        records_.sent(days_.shownDay(), fields.transactionId);
    } catch (const AppError& e) {
        dialogs_.exception(e.text());
        cannotStart(QStringLiteral("Платеж не отправлен: запись не сохранена"));
        return Sent::Abandoned;
    }
    link_.sendMessage(message);
    link_.log(QStringLiteral("Передача данных ") + message.mid(1));
    setCaption(fields.account + QLatin1Char(' ') + fields.received + QLatin1Char(' ') + fields.transactionId);
    awaitAnswer(fields.transactionId, true);
    return Sent::Sent;
}

bool Transmission::changeRow(const QString& id, const std::function<void(PaymentJournal&, int)>& change) {
    // Only the row of exactly this transaction: a shorter id contained in a
    // longer one must not take its answer.
    locatedRow_ = journal().rowOfTransaction(id);
    if (locatedRow_ >= 0) {
        link_.log(QStringLiteral("Замена статуса ") + id);
        change(journal(), locatedRow_);
        return true;
    }
    // Another day is shown: the answer is about today's payment, kept in today's file.
    if (days_.showingToday() || !days_.changeRowInFile(days_.today(), id, change))
        return false;
    link_.log(QStringLiteral("Замена статуса ") + id);
    return true;
}

bool Transmission::markAccepted(const QString& id) {
    link_.log(QStringLiteral("Отметка прибытия данных ") + id);
    const bool found = changeRow(id, [](PaymentJournal& j, int row) {
        j.setSendFlag(row, SendFlag::Accepted);
        j.setCell(row, Col::Note, QStringLiteral("в процессе"));
    });
    if (!found) {
        dialogs_.message(QStringLiteral("Транзакция ") + id + QStringLiteral(" ненайдена!"));
        // The server holds a payment no journal does: the day's record names it,
        // for the reconciliation and the shift's report.
        try {
            records_.orphanAcknowledgement(days_.today(), id);
        } catch (const AppError& e) {
            dialogs_.exception(e.text());
        }
    }
    return found;
}

void Transmission::acknowledge(const QString& id) {
    if (!markAccepted(id)) {
        // A single send is over; a send-all run goes on with its next row.
        if (sendAllMode_) {
            hidePanel();
        } else {
            endTransmission();
            emit chainEnded();
        }
        return;
    }
    if (!sendAllMode_) {
        endTransmission();
        emit chainEnded();
        days_.saveDay();
        syncCursor_ = 1;
        requestNextStatus();
    }
}

void Transmission::requestNextStatus() {
    if (!link_.ready()) {
        cannotStart(QStringLiteral("Нет связи: статусы не обновлены"));
        return;
    }
    showPanel();
    link_.log(QStringLiteral("Синхронизация статусов данных"));
    emit stateText(QStringLiteral("Передача платежей"));
    const int row = advance(syncCursor_, accepted);
    if (row < 0) {
        stopWaiting();
        days_.saveDay();
        setProgress(journal().rowCount(), journal().rowCount());
        if (quietPassEnd_)
            quietPassEnd_ = false;
        else
            dialogs_.message(QStringLiteral("Синхронизация платежей успешно закончена!"));
        emit passFinished();
        endTransmission();
        emit chainEnded();
        return;
    }
    const QString id = journal().cell(row, Col::TransactionId);
    link_.sendMessage(Messages::statusQuery(id));
    link_.log(QStringLiteral("Передача данных статуса send"));
    setCaption(id);
    awaitAnswer(id, false);
}

void Transmission::applyStatus(const QString& id, const QString& code) {
    if (!link_.ready())
        return;
    showPanel();
    link_.log(QStringLiteral("Отметка статуса данных  ") + id);
    answerApplied_ = changeRow(id, [&code](PaymentJournal& j, int row) { writeStatus(j, row, code); });
}

void Transmission::onAcknowledged(const QString& message) {
    link_.disarm();
    const QString id = message.mid(1);
    // The chain waits for another payment's answer: this one (an earlier payment
    // the later one overlapped, or one given up) is accepted on its own.
    const bool chains = !(awaitingPayment_ && awaited_ != id);
    settle(id);
    if (!chains) {
        if (markAccepted(id))
            days_.saveDay();
        return;
    }
    stopWaiting();
    acknowledge(id);
    if (sendAllMode_)
        sendNextUnsent();
    else
        days_.saveDay();
}

void Transmission::onStatus(const QString& message) {
    link_.disarm();
    const std::optional<Messages::StatusAnswer> answer = Messages::parseStatus(message.mid(1));
    // A malformed answer moves nothing on; the watchdog still ends the pass.
    if (!answer)
        return;
    stopWaiting();
    locatedRow_ = -1;
    answerApplied_ = false;
    applyStatus(answer->transactionId, answer->code);
    requestNextStatus();
    setProgress(locatedRow_ >= 1 ? locatedRow_ : -1, journal().rowCount());
    if (locatedRow_ < 1 && !answerApplied_) {
        link_.sendMessage(Messages::unknownTransaction(session_.terminalNumber()));
        setCaption(QString());
    }
}

void Transmission::onRefused(const QString& message) {
    link_.disarm();
    const bool balance = message.startsWith(QLatin1Char('O'));
    // The refusal names no transaction. With one "o" on the wire it is that one's,
    // and the server holds nothing of it; with several, the chain's is marked but
    // kept as possibly received: an answer lost on the way would make it another's.
    const bool sure = payments_.size() == 1;
    const std::optional<Wait> refused =
        sure ? std::optional<Wait>(payments_.front()) : std::optional<Wait>();
    const QString chainPayment = awaitingPayment_ ? awaited_ : QString();
    const QDate chainDay = days_.shownDay();
    stopWaiting();
    if (refused) {
        settle(refused->id);
        try {
            records_.refused(refused->day, refused->id);
        } catch (const AppError& e) {
            dialogs_.exception(e.text());
        }
    } else if (!chainPayment.isEmpty()) {
        settle(chainPayment);
    }
    const QString note = balance ? QStringLiteral("Отказ: пополните баланс") : QStringLiteral("Отказ: нет сертификата");
    if (refused)
        noteUnsent(refused->id, refused->day, note);
    else if (!chainPayment.isEmpty())
        noteUnsent(chainPayment, chainDay, note);
    const QString text =
        balance ? QStringLiteral("Отказано в проведении платежа!\n Пожалуйста пополните свой баланс!!!")
                : QStringLiteral("Отказано в проведении платежа!\n Отсуствует сертификат!!!");
    dialogs_.box(text, QStringLiteral("Отказ"), Dialogs::Icon::Error);
    // The chain stops at the refused row; the commands come back so the cashier
    // can send it again once the cause is dealt with.
    endTransmission();
    emit chainEnded();
}

void Transmission::sendSelected(const JournalRow& row) {
    if (!awaitsSending(row.sendFlag)) {
        dialogs_.box(QStringLiteral("Недопустимая операция для данной транзакции!"),
                     QStringLiteral("Проведение платежа"), Dialogs::Icon::Warning);
        return;
    }
    if (!dialogs_.question(QStringLiteral("Провести платеж ") + row.account + QLatin1Char(' ') +
                               row.transactionId + QLatin1Char('?'),
                           QStringLiteral("Проведение платежа")))
        return;
    sendAllMode_ = false;
    lockSendCommands();
    send(row.transactionId);
}

void Transmission::sendAll() {
    if (!dialogs_.question(QStringLiteral("Провести все отложенные платежи?"),
                                QStringLiteral("Проведение платежей")))
        return;
    sendAllRows(true);
}

void Transmission::sendAllRows(bool announceEnd) {
    quietPassEnd_ = !announceEnd;
    sendAllMode_ = true;
    sendCursor_ = 1;
    lockSendCommands();
    sendNextUnsent();
}

void Transmission::refreshStatuses() {
    quietPassEnd_ = false;
    syncCursor_ = 1;
    requestNextStatus();
}
