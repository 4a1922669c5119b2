#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct JournalRow;

// Every message the terminal sends, built from its fields, and every server
// message it reads, taken apart: pure functions, the wire's whole vocabulary in
// one place. Bodies carry no terminator; ServerLink frames them.
namespace Messages {

// --- taking fields apart

// The text before the first separator, removed from `text` together with the
// separator. A missing separator yields the whole rest and leaves `text` empty.
QString takeField(QString& text, QChar separator);

// --- to the server

// "o": a journal row as a payment request with the terminal's certificate.
// The order type-article-received-credited-account is the server's, not the journal's.
QString payment(const JournalRow& row, const QString& certificate);
// "o" as the operator balance query: payment type 20 and both sums 9999.
QString balanceQuery(const QString& transactionId, const QString& article, const QString& account,
                     const QString& certificate);
// "T": the keep-alive.
QString keepAlive(const QString& terminal, const QString& version);
// "d", "B", "QN": the three messages of the login, sent in one write.
QStringList login(const QString& login, const QString& password, const QString& settingsStamp,
                  const QString& catalogueStamp);
// "B": the deposit enquiry.
QString deposit(const QString& terminalOrLogin);
// "l": the password change.
QString passwordChange(const QString& login, const QString& oldPassword, const QString& newPassword);
// "Ux": the payment search.
QString search(const QString& number);
// "UZ": the status of one transaction.
QString statusQuery(const QString& transactionId);
// "Ub": a status answer named a transaction the journal does not hold.
QString unknownTransaction(const QString& terminal);
// "J6" + "B": the year statistics, with the deposit enquiry behind it.
QStringList yearStatistics(const QString& terminal, const QString& twoDigitYear, const QString& login);
// "J8": the monthly statement.
QString monthStatement(const QString& terminal, const QString& month, const QString& twoDigitYear);
// "J9": the daily statement.
QString dayStatement(const QString& terminal, const QString& month, const QString& day,
                     const QString& twoDigitYear);
// "Fp", "Fs", "Fv": the price list, the stock and the turnover statement.
QString priceList(const QString& terminal);
QString stock(const QString& terminal);
QString turnover(const QString& terminal);

// --- from the server (payloads: the message without its command letter)

// "d": day "." month "." two-digit year "#" hour ":" minute. Throws AppError, the
// conversion error, when a part is not an integer.
struct Greeting {
    int day = 0;
    int month = 0;
    int year = 0; // four digits: "20" + the two sent
    int hour = 0;
    int minute = 0;
};
Greeting parseGreeting(const QString& payload);

// "B": "b" deposit "#" "l" limit "#"; a field without its marker is absent.
struct Deposit {
    std::optional<QString> deposit;
    std::optional<QString> limit;
};
Deposit parseDeposit(const QString& payload);

// "Z": code "#" transaction; nothing when there is no "#".
struct StatusAnswer {
    QString code;
    QString transactionId;
};
std::optional<StatusAnswer> parseStatus(const QString& payload);

// "f": file name "/" content; without "/" all of it is the name.
struct FileReply {
    QString name;
    QString content;
};
FileReply parseFileReply(const QString& payload);

// "x": the "\n"-ended lines of a search result; text after the last "\n" is dropped.
QStringList parseSearchReply(const QString& payload);

} // namespace Messages
