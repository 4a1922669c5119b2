#include "link/Transmission.h"

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "core/TerminalCertificate.h"
#include "link/ServerLink.h"
#include "payments/PaymentJournal.h"
#include "platform/AppError.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"

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

Transmission::Transmission(AppContext& ctx, MainWindowModel& model, ServerLink& link, PaymentJournal& journal,
                           Days days, QObject* parent)
    : QObject(parent), ctx_(ctx), model_(model), link_(link), journal_(journal), days_(std::move(days)) {
    connect(&link_, &ServerLink::disconnected, this, &Transmission::onLinkLost);
}

void Transmission::onLinkLost() {
    // No answer can come over a closed connection: the chain is over, and the
    // commands must work again once the cashier has logged in anew.
    sendAllMode_ = false;
    model_.panel4Visible = false;
    model_.gridEnabled = true;
    releaseCommands();
    model_.notify();
}

bool Transmission::linkReady() const {
    return link_.isOpen() && ctx_.registered;
}

QString Transmission::paymentBody(const PaymentJournal& j, int row, const QString& certificate) {
    return j.cell(row, Col::TransactionId) + QLatin1Char('#') + j.cell(row, Col::PaymentType) +
           QLatin1Char('$') + j.cell(row, Col::Article) + QLatin1Char('?') + j.cell(row, Col::Received) +
           QLatin1Char('!') + j.cell(row, Col::Credited) + QLatin1Char('/') + j.cell(row, Col::Account) +
           QLatin1Char('#') + certificate + QLatin1Char(')');
}

void Transmission::releaseCommands() {
    model_.n3Enabled = model_.n4Enabled = model_.n6Enabled = model_.n7Enabled = true;
}

void Transmission::cannotStart(const QString& statusText) {
    // Nothing goes out: say so instead of leaving the transmission panel up.
    model_.panel4Visible = false;
    model_.gridEnabled = true;
    releaseCommands();
    model_.statusPanel[1] = statusText;
    model_.notify();
}

void Transmission::transmitPayment(const QString& mode) {
    model_.panel4Visible = true;
    model_.n3Enabled = model_.n4Enabled = model_.n6Enabled = model_.n7Enabled = false;
    model_.notify();
    if (!linkReady()) {
        cannotStart(QStringLiteral("Нет связи: платеж сохранен"));
        return;
    }
    if (mode == QLatin1String("file")) {
        sendAllMode_ = false;
        if (sendRow(journal_.currentRow()) == Sent::Unsendable)
            cannotStart(QStringLiteral("Платеж не отправлен: недопустимые символы"));
        return;
    }
    if (mode == QLatin1String("send")) {
        link_.log(QStringLiteral("Синхронизация данных"));
        model_.statusPanel[1] = QStringLiteral("Передача платежей");
        model_.notify();
        for (;;) {
            const int row = journal_.findRow(Col::SendFlag, QStringLiteral("0"), sendCursor_,
                                             PaymentJournal::Match::Exact);
            sendCursor_ = row;
            if (row < 0) {
                days_.saveShownDay();
                syncCursor_ = 1;
                syncStatus(QStringLiteral("send"));
                return;
            }
            // A row that cannot go out must not hold back the rows behind it.
            if (sendRow(row) != Sent::Unsendable)
                return;
        }
    }
    // The transaction of an acknowledgement.
    const QString& t = mode;
    link_.log(QStringLiteral("Отметка прибытия данных ") + t);
    if (!acknowledge(t)) {
        ctx_.dialogs->message(QStringLiteral("Транзакция ") + t + QStringLiteral(" ненайдена!"));
        model_.panel4Visible = false;
        model_.gridEnabled = true;
        model_.notify();
        return;
    }
    if (!sendAllMode_) {
        model_.panel4Visible = false;
        model_.gridEnabled = true;
        releaseCommands();
        model_.notify();
        days_.saveShownDay();
        syncCursor_ = 1;
        syncStatus(QStringLiteral("send"));
    }
}

Transmission::Sent Transmission::sendRow(int row) {
    const std::optional<QString> certificate = TerminalCertificate::readCertificate(ctx_);
    if (!certificate) {
        // A certificate file without a line: the request is abandoned.
        cannotStart(QStringLiteral("Нет сертификата: платеж сохранен"));
        return Sent::Abandoned;
    }
    const QString body = paymentBody(journal_, row, *certificate);
    try {
        link_.sendMessage(QStringLiteral("o") + body);
    } catch (const AppError& e) {
        // A field the framing refuses (a loaded day file can hold anything): the
        // row stays unsent and says why.
        link_.log(e.text() + QStringLiteral(": ") + journal_.cell(row, Col::TransactionId));
        journal_.setCell(row, Col::Note, QStringLiteral("Не отправлен: поле содержит \"$k$\""));
        days_.saveShownDay();
        return Sent::Unsendable;
    }
    link_.log(QStringLiteral("Передача данных ") + body);
    model_.platejCaption = journal_.cell(row, Col::Account) + QLatin1Char(' ') +
                           journal_.cell(row, Col::Received) + QLatin1Char(' ') +
                           journal_.cell(row, Col::TransactionId);
    model_.notify();
    return Sent::Sent;
}

bool Transmission::changeRow(const QString& t, const std::function<void(PaymentJournal&, int)>& change) {
    // Only the row of exactly this transaction: a shorter id contained in a
    // longer one must not take its answer.
    locatedRow_ = journal_.findRow(Col::TransactionId, t, 1, PaymentJournal::Match::Exact);
    if (locatedRow_ >= 0) {
        link_.log(QStringLiteral("Замена статуса ") + t);
        change(journal_, locatedRow_);
        return true;
    }
    if (days_.showingToday())
        return false;
    // Another day is shown: the answer is about today's payment, kept in today's file.
    const QString path = days_.todayFilePath();
    QByteArray bytes;
    PaymentJournal today;
    if (!FileIo::readBytes(path, &bytes) || !today.fromDayFile(bytes))
        return false;
    const int row = today.findRow(Col::TransactionId, t, 1, PaymentJournal::Match::Exact);
    if (row < 0)
        return false;
    link_.log(QStringLiteral("Замена статуса ") + t);
    change(today, row);
    FileIo::writeBytes(path, today.toDayFile());
    return true;
}

bool Transmission::acknowledge(const QString& t) {
    return changeRow(t, [](PaymentJournal& j, int row) {
        j.setCell(row, Col::SendFlag, QStringLiteral("1"));
        j.setCell(row, Col::Note, QStringLiteral("в процессе"));
    });
}

bool Transmission::applyStatus(const QString& t, const QString& code) {
    return changeRow(t, [&code](PaymentJournal& j, int row) { writeStatus(j, row, code); });
}

void Transmission::syncStatus(const QString& mode, const QString& status) {
    if (!linkReady()) {
        if (mode == QLatin1String("send"))
            cannotStart(QStringLiteral("Нет связи: статусы не обновлены"));
        return;
    }
    model_.panel4Visible = true;
    model_.notify();
    if (mode != QLatin1String("send")) {
        link_.log(QStringLiteral("Отметка статуса данных  ") + mode);
        answerApplied_ = applyStatus(mode, status);
        return;
    }
    link_.log(QStringLiteral("Синхронизация статусов данных"));
    model_.statusPanel[1] = QStringLiteral("Передача платежей");
    model_.notify();
    const int row =
        journal_.findRow(Col::SendFlag, QStringLiteral("1"), syncCursor_, PaymentJournal::Match::Exact);
    syncCursor_ = row;
    if (row < 0) {
        days_.saveShownDay();
        model_.progressPos = model_.progressMax;
        model_.notify();
        ctx_.dialogs->message(QStringLiteral("Синхронизация платежей успешно закончена!"));
        releaseCommands();
        model_.panel4Visible = false;
        model_.gridEnabled = true;
        model_.notify();
        return;
    }
    const QString t = journal_.cell(row, Col::TransactionId);
    link_.sendMessage(QStringLiteral("UZ") + t);
    link_.log(QStringLiteral("Передача данных статуса send"));
    model_.platejCaption = t;
    model_.notify();
}

void Transmission::onAcknowledged(const QString& message) {
    link_.disarm();
    transmitPayment(message.mid(1));
    if (sendAllMode_)
        transmitPayment(QStringLiteral("send"));
    else
        days_.saveShownDay();
}

void Transmission::onStatus(const QString& message) {
    link_.disarm();
    const QString payload = message.mid(1);
    const qsizetype hash = payload.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return;
    locatedRow_ = -1;
    answerApplied_ = false;
    syncStatus(payload.mid(hash + 1), payload.left(hash));
    syncStatus(QStringLiteral("send"));
    model_.progressMax = journal_.rowCount();
    if (locatedRow_ >= 1) {
        model_.progressPos = locatedRow_;
    } else if (!answerApplied_) {
        link_.sendMessage(QStringLiteral("Ub") + ctx_.terminalNumber);
        model_.platejCaption.clear();
    }
    model_.notify();
}

void Transmission::onRefused(const QString& message) {
    link_.disarm();
    const QString text =
        message.startsWith(QLatin1Char('O'))
            ? QStringLiteral("Отказано в проведении платежа!\n Пожалуйста пополните свой баланс!!!")
            : QStringLiteral("Отказано в проведении платежа!\n Отсуствует сертификат!!!");
    ctx_.dialogs->box(text, QStringLiteral("Отказ"), Dialogs::Icon::Error);
    model_.panel4Visible = false;
    model_.gridEnabled = true;
    // The chain stops at the refused row; the commands come back so the cashier
    // can send it again once the cause is dealt with.
    releaseCommands();
    model_.notify();
}

void Transmission::sendSelected() {
    const int row = journal_.currentRow();
    const QString flag = journal_.cell(row, Col::SendFlag);
    if (flag != QLatin1String("9") && flag != QLatin1String("0")) {
        ctx_.dialogs->box(QStringLiteral("Недопустимая операция для данной транзакции!"),
                          QStringLiteral("Проведение платежа"), Dialogs::Icon::Warning);
        return;
    }
    if (!ctx_.dialogs->question(QStringLiteral("Провести платеж ") + journal_.cell(row, Col::Account) +
                                    QLatin1Char(' ') + journal_.cell(row, Col::TransactionId) +
                                    QLatin1Char('?'),
                                QStringLiteral("Проведение платежа")))
        return;
    sendAllMode_ = false;
    model_.n3Enabled = model_.n7Enabled = false;
    model_.notify();
    transmitPayment(QStringLiteral("file"));
}

void Transmission::sendAll() {
    if (!ctx_.dialogs->question(QStringLiteral("Провести все отложенные платежи?"),
                                QStringLiteral("Проведение платежей")))
        return;
    sendAllMode_ = true;
    sendCursor_ = 1;
    model_.n3Enabled = model_.n7Enabled = false;
    model_.notify();
    transmitPayment(QStringLiteral("send"));
}

void Transmission::refreshStatuses() {
    syncCursor_ = 1;
    syncStatus(QStringLiteral("send"));
}
