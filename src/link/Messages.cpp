#include "link/Messages.h"

#include "payments/PaymentJournal.h"
#include "platform/Convert.h"

namespace Messages {

QString takeField(QString& text, QChar separator) {
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        const QString field = text;
        text.clear();
        return field;
    }
    const QString field = text.left(at);
    text.remove(0, at + 1);
    return field;
}

namespace {

QString paymentBody(const QString& id, const QString& type, const QString& article, const QString& received,
                    const QString& credited, const QString& account, const QString& certificate) {
    return QLatin1Char('o') + id + QLatin1Char('#') + type + QLatin1Char('$') + article + QLatin1Char('?') +
           received + QLatin1Char('!') + credited + QLatin1Char('/') + account + QLatin1Char('#') +
           certificate + QLatin1Char(')');
}

} // namespace

QString payment(const JournalRow& row, const QString& certificate) {
    return paymentBody(row.transactionId, row.paymentType, row.article, row.received, row.credited,
                       row.account, certificate);
}

QString balanceQuery(const QString& transactionId, const QString& article, const QString& account,
                     const QString& certificate) {
    const QString nines = QStringLiteral("9999");
    return paymentBody(transactionId, QStringLiteral("20"), article, nines, nines, account, certificate);
}

QString keepAlive(const QString& terminal, const QString& version) {
    return QLatin1Char('T') + terminal + QStringLiteral("_u") + version + QLatin1Char('#');
}

QStringList login(const QString& login, const QString& password, const QString& settingsStamp,
                  const QString& catalogueStamp) {
    return {QLatin1Char('d') + login + QLatin1Char('#') + password + QLatin1Char('#') + settingsStamp +
                QLatin1Char('!') + catalogueStamp,
            deposit(login), QStringLiteral("QN")};
}

QString deposit(const QString& terminalOrLogin) {
    return QLatin1Char('B') + terminalOrLogin;
}

QString passwordChange(const QString& login, const QString& oldPassword, const QString& newPassword) {
    return QLatin1Char('l') + login + QLatin1Char('#') + oldPassword + QLatin1Char('#') + newPassword;
}

QString search(const QString& number) {
    return QStringLiteral("Ux") + number;
}

QString statusQuery(const QString& transactionId) {
    return QStringLiteral("UZ") + transactionId;
}

QString unknownTransaction(const QString& terminal) {
    return QStringLiteral("Ub") + terminal;
}

QStringList yearStatistics(const QString& terminal, const QString& twoDigitYear, const QString& login) {
    return {QStringLiteral("J6") + terminal + QLatin1Char('#') + twoDigitYear, deposit(login)};
}

QString monthStatement(const QString& terminal, const QString& month, const QString& twoDigitYear) {
    return QStringLiteral("J8") + terminal + QLatin1Char('#') + month + QLatin1Char('#') + twoDigitYear;
}

QString dayStatement(const QString& terminal, const QString& month, const QString& day,
                     const QString& twoDigitYear) {
    return QStringLiteral("J9") + terminal + QLatin1Char('#') + month + QLatin1Char('#') + day +
           QLatin1Char('#') + twoDigitYear;
}

QString priceList(const QString& terminal) {
    return QStringLiteral("Fp") + terminal;
}
QString stock(const QString& terminal) {
    return QStringLiteral("Fs") + terminal;
}
QString turnover(const QString& terminal) {
    return QStringLiteral("Fv") + terminal;
}

Greeting parseGreeting(const QString& payload) {
    QString datePart = payload;
    const qsizetype hash = datePart.indexOf(QLatin1Char('#'));
    QString timePart = hash < 0 ? QString() : datePart.mid(hash + 1);
    if (hash >= 0)
        datePart.truncate(hash);
    Greeting g;
    g.day = Convert::strToInt(takeField(datePart, QLatin1Char('.')));
    g.month = Convert::strToInt(takeField(datePart, QLatin1Char('.')));
    g.year = Convert::strToInt(QStringLiteral("20") + datePart);
    g.hour = Convert::strToInt(takeField(timePart, QLatin1Char(':')));
    g.minute = Convert::strToInt(timePart);
    return g;
}

Deposit parseDeposit(const QString& payload) {
    QString rest = payload;
    Deposit d;
    const QString first = takeField(rest, QLatin1Char('#'));
    if (first.startsWith(QLatin1Char('b')))
        d.deposit = first.mid(1);
    const QString second = takeField(rest, QLatin1Char('#'));
    if (second.startsWith(QLatin1Char('l')))
        d.limit = second.mid(1);
    return d;
}

std::optional<StatusAnswer> parseStatus(const QString& payload) {
    const qsizetype hash = payload.indexOf(QLatin1Char('#'));
    if (hash < 0)
        return std::nullopt;
    return StatusAnswer{payload.left(hash), payload.mid(hash + 1)};
}

FileReply parseFileReply(const QString& payload) {
    const qsizetype slash = payload.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return {payload, QString()};
    return {payload.left(slash), payload.mid(slash + 1)};
}

QStringList parseSearchReply(const QString& payload) {
    QStringList lines = payload.split(QLatin1Char('\n'));
    lines.removeLast(); // after the last "\n", or all of it when there is none
    return lines;
}

} // namespace Messages
