#include "link/Transmission.h"

#include "core/AppContext.h"
#include "core/TerminalCertificate.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "payments/DayJournal.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"

namespace {

using Col = PaymentJournal::Column;

// The status table: the note and the send flag a status code writes
// (an empty text leaves the cell as it is).
struct StatusEffect {
    QString note;
    QString sendFlag;
};

StatusEffect effectOf(const QString& code) {
    static const QStringList credited = {"1", "0", "+", "10"};
    static const QStringList queued = {"5", "8", "7", "70", "71", "72", "73", "74", "75", "76"};
    if (credited.contains(code))
        return {QStringLiteral("Зачислено"), QStringLiteral("2")};
    if (code == QLatin1String("11"))
        return {QStringLiteral("Заявка отмены"), QString()};
    if (code == QLatin1String("12"))
        return {QStringLiteral("В ожидании отмены"), QString()};
    if (queued.contains(code))
        return {QStringLiteral("В очереди"), QString()};
    if (code == QLatin1String("3") || code == QLatin1String("-"))
        return {QStringLiteral("Ошибка"), QString()};
    if (code == QLatin1String("9"))
        return {QStringLiteral("Возврат"), QStringLiteral("2")};
    return {};
}

void writeStatus(PaymentJournal& journal, int row, const QString& code) {
    journal.setCell(row, Col::Status, code);
    const StatusEffect e = effectOf(code);
    if (!e.note.isEmpty())
        journal.setCell(row, Col::Note, e.note);
    if (!e.sendFlag.isEmpty())
        journal.setCell(row, Col::SendFlag, e.sendFlag);
}

} // namespace

Transmission::Transmission(AppContext& ctx, ServerLink& link, DayJournal& days, QObject* parent)
    : QObject(parent), ctx_(ctx), link_(link), days_(days) {
    link_.setHandler(QLatin1Char('o'), [this](const QString& m) { onAcknowledged(m); });
    link_.setHandler(QLatin1Char('Z'), [this](const QString& m) { onStatus(m); });
    link_.setHandler(QLatin1Char('O'), [this](const QString& m) { onRefused(m); });
    link_.setHandler(QLatin1Char('('), [this](const QString& m) { onRefused(m); });
    connect(&link_, &ServerLink::disconnected, this, &Transmission::onLinkLost);
    PaymentWatchdog.setObjectName(QStringLiteral("PaymentWatchdog"));
    PaymentWatchdog.setInterval(ReplyWatchdogMs);
    PaymentWatchdog.setSingleShot(true);
    connect(&PaymentWatchdog, &QTimer::timeout, this, &Transmission::PaymentWatchdogTimer);
}

PaymentJournal& Transmission::journal() {
    return days_.table();
}

bool Transmission::linkReady() const {
    return link_.isOpen() && ctx_.registered;
}

void Transmission::onLinkLost() {
    // No answer can come over a closed connection: the chain is over, and the
    // commands must work again once the cashier has logged in anew.
    abandonAwaitedPayment(QStringLiteral("Не отправлен: связь прервана"));
    stopWaiting();
    sendAllMode_ = false;
    emit chainEnded();
}

void Transmission::PaymentWatchdogTimer() {
    PaymentWatchdog.stop();
    if (awaited_.isEmpty())
        return;
    const bool payment = awaitingPayment_;
    link_.log(QStringLiteral("Нет ответа сервера: ") + awaited_);
    if (payment) {
        abandonAwaitedPayment(QStringLiteral("Не отправлен: нет ответа сервера"));
    } else {
        // The answers the pass did get reach the file.
        try {
            days_.saveDay();
        } catch (const AppError& e) {
            ctx_.dialogs->exception(e.text());
        }
    }
    stopWaiting();
    sendAllMode_ = false;
    emit chainEnded();
    emit stateText(payment ? QStringLiteral("Нет ответа: платеж сохранен")
                           : QStringLiteral("Нет ответа: статусы не обновлены"));
}

void Transmission::awaitAnswer(const QString& id, bool payment) {
    awaited_ = id;
    awaitingPayment_ = payment;
    PaymentWatchdog.start();
}

void Transmission::stopWaiting() {
    awaited_.clear();
    awaitingPayment_ = false;
    PaymentWatchdog.stop();
}

void Transmission::abandonAwaitedPayment(const QString& note) {
    if (!awaitingPayment_ || awaited_.isEmpty())
        return;
    // The row keeps its send flag "0" and its transaction id, so sending it again
    // later cannot charge it twice; only a row the server has not accepted
    // meanwhile gets the note.
    auto mark = [&note](PaymentJournal& j, int row) {
        const QString flag = j.cell(row, Col::SendFlag);
        if (flag == QLatin1String("0") || flag == QLatin1String("9"))
            j.setCell(row, Col::Note, note);
    };
    try {
        const int row = journal().findRow(Col::TransactionId, awaited_, 1, PaymentJournal::Match::Exact);
        if (row >= 0) {
            mark(journal(), row);
            days_.saveDay();
        } else if (!days_.showingToday()) {
            days_.changeRowInFile(days_.today(), awaited_, mark);
        }
    } catch (const AppError& e) {
        // Called from socket and timer events: the box says what failed, the chain still ends.
        ctx_.dialogs->exception(e.text());
    }
}

void Transmission::cannotStart(const QString& statusText) {
    // Nothing goes out: say so instead of leaving the transmission panel up.
    stopWaiting();
    emit chainEnded();
    emit stateText(statusText);
}

int Transmission::advance(int& cursor, const QString& flag) {
    cursor = journal().findRow(Col::SendFlag, flag, cursor, PaymentJournal::Match::Exact);
    return cursor;
}

void Transmission::sendSelectedRow() {
    quietPassEnd_ = false;
    emit sendingStarted();
    if (!linkReady()) {
        cannotStart(QStringLiteral("Нет связи: платеж сохранен"));
        return;
    }
    sendAllMode_ = false;
    if (sendRow(journal().currentRow()) == Sent::Unsendable)
        cannotStart(QStringLiteral("Платеж не отправлен: недопустимые символы"));
}

void Transmission::sendNextUnsent() {
    emit sendingStarted();
    if (!linkReady()) {
        cannotStart(QStringLiteral("Нет связи: платеж сохранен"));
        return;
    }
    link_.log(QStringLiteral("Синхронизация данных"));
    emit stateText(QStringLiteral("Передача платежей"));
    for (;;) {
        const int row = advance(sendCursor_, QStringLiteral("0"));
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
    const std::optional<QString> certificate = TerminalCertificate::readCertificate(ctx_);
    if (!certificate) {
        // A certificate file without a line: the request is abandoned.
        cannotStart(QStringLiteral("Нет сертификата: платеж сохранен"));
        return Sent::Abandoned;
    }
    const JournalRow fields = journal().paymentRow(row);
    const QString message = Messages::payment(fields, *certificate);
    try {
        link_.sendMessage(message);
    } catch (const AppError& e) {
        // A field the framing refuses (a loaded day file can hold anything): the
        // row stays unsent and says why.
        link_.log(e.text() + QStringLiteral(": ") + fields.transactionId);
        journal().setCell(row, Col::Note, QStringLiteral("Не отправлен: поле содержит \"$k$\""));
        days_.saveDay();
        return Sent::Unsendable;
    }
    link_.log(QStringLiteral("Передача данных ") + message.mid(1));
    emit captionChanged(fields.account + QLatin1Char(' ') + fields.received + QLatin1Char(' ') +
                        fields.transactionId);
    awaitAnswer(fields.transactionId, true);
    return Sent::Sent;
}

bool Transmission::changeRow(const QString& id, const std::function<void(PaymentJournal&, int)>& change) {
    // Only the row of exactly this transaction: a shorter id contained in a
    // longer one must not take its answer.
    locatedRow_ = journal().findRow(Col::TransactionId, id, 1, PaymentJournal::Match::Exact);
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

void Transmission::acknowledge(const QString& id) {
    link_.log(QStringLiteral("Отметка прибытия данных ") + id);
    const bool found = changeRow(id, [](PaymentJournal& j, int row) {
        j.setCell(row, Col::SendFlag, QStringLiteral("1"));
        j.setCell(row, Col::Note, QStringLiteral("в процессе"));
    });
    if (!found) {
        ctx_.dialogs->message(QStringLiteral("Транзакция ") + id + QStringLiteral(" ненайдена!"));
        // A single send is over; a send-all run goes on with its next row.
        if (sendAllMode_)
            emit answerNotFound();
        else
            emit chainEnded();
        return;
    }
    if (!sendAllMode_) {
        emit chainEnded();
        days_.saveDay();
        syncCursor_ = 1;
        requestNextStatus();
    }
}

void Transmission::requestNextStatus() {
    if (!linkReady()) {
        cannotStart(QStringLiteral("Нет связи: статусы не обновлены"));
        return;
    }
    emit statusPassRunning();
    link_.log(QStringLiteral("Синхронизация статусов данных"));
    emit stateText(QStringLiteral("Передача платежей"));
    const int row = advance(syncCursor_, QStringLiteral("1"));
    if (row < 0) {
        stopWaiting();
        days_.saveDay();
        emit progressChanged(journal().rowCount(), journal().rowCount());
        if (quietPassEnd_)
            quietPassEnd_ = false;
        else
            ctx_.dialogs->message(QStringLiteral("Синхронизация платежей успешно закончена!"));
        emit passFinished();
        emit chainEnded();
        return;
    }
    const QString id = journal().cell(row, Col::TransactionId);
    link_.sendMessage(Messages::statusQuery(id));
    link_.log(QStringLiteral("Передача данных статуса send"));
    emit captionChanged(id);
    awaitAnswer(id, false);
}

void Transmission::applyStatus(const QString& id, const QString& code) {
    if (!linkReady())
        return;
    emit statusPassRunning();
    link_.log(QStringLiteral("Отметка статуса данных  ") + id);
    answerApplied_ = changeRow(id, [&code](PaymentJournal& j, int row) { writeStatus(j, row, code); });
}

void Transmission::onAcknowledged(const QString& message) {
    link_.disarm();
    stopWaiting();
    acknowledge(message.mid(1));
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
    emit progressChanged(locatedRow_ >= 1 ? locatedRow_ : -1, journal().rowCount());
    if (locatedRow_ < 1 && !answerApplied_) {
        link_.sendMessage(Messages::unknownTransaction(ctx_.terminalNumber));
        emit captionChanged(QString());
    }
}

void Transmission::onRefused(const QString& message) {
    link_.disarm();
    stopWaiting();
    const QString text =
        message.startsWith(QLatin1Char('O'))
            ? QStringLiteral("Отказано в проведении платежа!\n Пожалуйста пополните свой баланс!!!")
            : QStringLiteral("Отказано в проведении платежа!\n Отсуствует сертификат!!!");
    ctx_.dialogs->box(text, QStringLiteral("Отказ"), Dialogs::Icon::Error);
    // The chain stops at the refused row; the commands come back so the cashier
    // can send it again once the cause is dealt with.
    emit chainEnded();
}

void Transmission::sendSelected() {
    const int row = journal().currentRow();
    const QString flag = journal().cell(row, Col::SendFlag);
    if (flag != QLatin1String("9") && flag != QLatin1String("0")) {
        ctx_.dialogs->box(QStringLiteral("Недопустимая операция для данной транзакции!"),
                          QStringLiteral("Проведение платежа"), Dialogs::Icon::Warning);
        return;
    }
    if (!ctx_.dialogs->question(QStringLiteral("Провести платеж ") + journal().cell(row, Col::Account) +
                                    QLatin1Char(' ') + journal().cell(row, Col::TransactionId) +
                                    QLatin1Char('?'),
                                QStringLiteral("Проведение платежа")))
        return;
    sendAllMode_ = false;
    emit sendCommandsLocked();
    sendSelectedRow();
}

void Transmission::sendAll() {
    if (!ctx_.dialogs->question(QStringLiteral("Провести все отложенные платежи?"),
                                QStringLiteral("Проведение платежей")))
        return;
    sendAllRows(true);
}

void Transmission::sendAllRows(bool announceEnd) {
    quietPassEnd_ = !announceEnd;
    sendAllMode_ = true;
    sendCursor_ = 1;
    emit sendCommandsLocked();
    sendNextUnsent();
}

void Transmission::refreshStatuses() {
    quietPassEnd_ = false;
    syncCursor_ = 1;
    requestNextStatus();
}
