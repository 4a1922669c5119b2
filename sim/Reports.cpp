#include "sim/Reports.h"

#include "sim/DemoData.h"
#include "sim/DemoHistory.h"
#include "sim/Money.h"

namespace sim {
namespace {

// "26" -> 2026; anything but two digits is no year.
int yearOf(const QString& twoDigits) {
    if (twoDigits.size() != 2 || !twoDigits[0].isDigit() || !twoDigits[1].isDigit())
        return 0;
    return 2000 + twoDigits.toInt();
}

int numberIn(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : 0;
}

QString field(const QString& text) {
    return text + QLatin1Char('#');
}

QString padRight(const QString& text, int width) {
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

QString padLeft(const QString& text, int width) {
    return text.rightJustified(width, QLatin1Char(' '));
}

} // namespace

Reports::Reports(const Ledger& ledger, const QDateTime& now, const QHash<QString, int>& goodsSold)
    : ledger_(ledger), now_(now), goodsSold_(goodsSold) {}

QString Reports::yearFile(const QString& login, const QString& twoDigitYear) const {
    const int year = yearOf(twoDigitYear);
    QStringList lines;
    lines << QStringLiteral("Терминал %1, %2 год: оборот#вознаграждение#платежей#")
                 .arg(login, year ? QString::number(year) : twoDigitYear);
    const DemoHistory history(login, ledger_, now_.date());
    for (int month = 1; month <= 12; ++month) {
        qint64 turnover = 0;
        int count = 0;
        if (year) {
            const QDate first(year, month, 1);
            for (int d = 0; d < first.daysInMonth(); ++d) {
                for (const Movement& m : history.day(first.addDays(d))) {
                    if (m.payment != 0) {
                        turnover += m.payment;
                        ++count;
                    }
                }
            }
        }
        const qint64 reward = (turnover * 15 + 500) / 1000; // 1.5 % for the agent
        lines << field(Money::format(turnover)) + field(Money::format(reward)) +
                     field(QString::number(count));
    }
    return DemoData::joinLines(lines);
}

QString Reports::monthFile(const QString& login, const QString& month, const QString& twoDigitYear) const {
    const int year = yearOf(twoDigitYear);
    const int monthNumber = numberIn(month, 1, 12);
    QStringList lines;
    if (!year || !monthNumber) {
        lines << field(QStringLiteral("Остаток на начало месяца")) + field(Money::format(0));
        lines << field(QStringLiteral("ИТОГО")) + field(Money::format(0)) + field(Money::format(0)) +
                     field(Money::format(0));
        return DemoData::joinLines(lines);
    }
    const DemoHistory history(login, ledger_, now_.date());
    const QDate first(year, monthNumber, 1);
    const qint64 opening = history.openingBalance(first);
    lines << field(QStringLiteral("Остаток на начало месяца")) + field(Money::format(opening));
    qint64 balance = opening;
    qint64 income = 0;
    qint64 expense = 0;
    for (int d = 0; d < first.daysInMonth(); ++d) {
        const QDate date = first.addDays(d);
        // A day that has not come has no movements to state.
        if (date > now_.date())
            break;
        qint64 dayIncome = 0;
        qint64 dayExpense = 0;
        for (const Movement& m : history.day(date)) {
            dayIncome += m.payin;
            dayExpense += m.payment;
        }
        balance += dayIncome - dayExpense;
        income += dayIncome;
        expense += dayExpense;
        lines << field(date.toString(QStringLiteral("dd.MM.yy"))) + field(Money::format(dayIncome)) +
                     field(Money::format(dayExpense)) + field(Money::format(balance));
    }
    lines << field(QStringLiteral("ИТОГО")) + field(Money::format(income)) + field(Money::format(expense)) +
                 field(Money::format(balance));
    return DemoData::joinLines(lines);
}

QString Reports::dayFile(const QString& login, const QString& month, const QString& day,
                         const QString& twoDigitYear) const {
    const int year = yearOf(twoDigitYear);
    const int monthNumber = numberIn(month, 1, 12);
    const QDate date = year && monthNumber ? QDate(year, monthNumber, numberIn(day, 1, 31)) : QDate();
    QStringList lines;
    if (!date.isValid()) {
        lines << QStringLiteral("Нет данных за выбранный день");
        return DemoData::joinLines(lines);
    }
    const DemoHistory history(login, ledger_, now_.date());
    qint64 balance = history.openingBalance(date);
    lines << QStringLiteral("Остаток на начало дня %1: %2 сомони")
                 .arg(date.toString(QStringLiteral("dd.MM.yyyy")), Money::format(balance));
    const QString dateText = date.toString(QStringLiteral("dd.MM.yy"));
    for (const Movement& m : history.day(date)) {
        balance += m.payin - m.payment;
        lines << field(m.time.toString(QStringLiteral("HH:mm"))) + field(dateText) + field(m.account) +
                     field(Money::format(m.payment)) + field(Money::format(m.payin)) +
                     field(Money::format(balance)) + field(m.transaction) + field(m.note);
    }
    return DemoData::joinLines(lines);
}

QString Reports::priceList() const {
    QStringList lines;
    lines << field(QDate(now_.date().year(), now_.date().month(), 1).toString(QStringLiteral("dd.MM.yyyy")) +
                   QStringLiteral(" 09:00"));
    for (const DemoGoods& item : DemoData::goods())
        lines << field(item.article) + field(item.name) + field(item.price);
    return DemoData::joinLines(lines);
}

int Reports::stockQuantity(const QString& article) const {
    for (const DemoGoods& item : DemoData::goods()) {
        if (item.article == article)
            return qMax(0, item.opening + item.incoming - item.sold - goodsSold_.value(article));
    }
    return 0;
}

QString Reports::stock() const {
    QStringList lines;
    lines << field(now_.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    for (const DemoGoods& item : DemoData::goods()) {
        const int quantity = stockQuantity(item.article);
        lines << field(item.article) + field(item.invoice) + field(item.name) +
                     field(QString::number(quantity)) + field(Money::format(quantity * item.priceCents));
    }
    return DemoData::joinLines(lines);
}

QString Reports::turnover(const QString& login) const {
    const QDate today = now_.date();
    const QString rule(76, QLatin1Char('-'));
    QStringList lines;
    lines << QStringLiteral("ОБОРОТНАЯ ВЕДОМОСТЬ ДВИЖЕНИЯ ТОВАРА");
    lines << QStringLiteral("Пункт оплаты: терминал %1").arg(login);
    lines << QStringLiteral("Период: %1 - %2")
                 .arg(QDate(today.year(), today.month(), 1).toString(QStringLiteral("dd.MM.yyyy")),
                      today.toString(QStringLiteral("dd.MM.yyyy")));
    lines << rule;
    lines << padRight(QStringLiteral("Артикул"), 8) + padRight(QStringLiteral("Наименование товара"), 36) +
                 padLeft(QStringLiteral("Начало"), 8) + padLeft(QStringLiteral("Приход"), 8) +
                 padLeft(QStringLiteral("Расход"), 8) + padLeft(QStringLiteral("Конец"), 8);
    lines << rule;
    int opening = 0, incoming = 0, outgoing = 0, closing = 0;
    for (const DemoGoods& item : DemoData::goods()) {
        const int out = item.sold + goodsSold_.value(item.article);
        const int end = stockQuantity(item.article);
        opening += item.opening;
        incoming += item.incoming;
        outgoing += out;
        closing += end;
        lines << padRight(item.article, 8) + padRight(item.name, 36) +
                     padLeft(QString::number(item.opening), 8) + padLeft(QString::number(item.incoming), 8) +
                     padLeft(QString::number(out), 8) + padLeft(QString::number(end), 8);
    }
    lines << rule;
    lines << padRight(QStringLiteral("ИТОГО"), 44) + padLeft(QString::number(opening), 8) +
                 padLeft(QString::number(incoming), 8) + padLeft(QString::number(outgoing), 8) +
                 padLeft(QString::number(closing), 8);
    return DemoData::joinLines(lines);
}

QStringList Reports::search(const QString& account, int limit) const {
    QList<FoundPayment> found;
    for (const PaymentRecord& record : ledger_.forAccount(account)) {
        if (record.kind != RowKind::Payment)
            continue;
        found << FoundPayment{record.at, record.article, record.creditedCents, record.transaction,
                              DemoHistory::stateText(record.lastStatus)};
    }
    found << DemoHistory::earlierPayments(account, now_.date());
    QStringList lines;
    for (const FoundPayment& p : found) {
        if (lines.size() >= limit)
            break;
        lines << QStringLiteral("%1  %2  %3 сомони  № %4  %5")
                     .arg(p.at.toString(QStringLiteral("dd.MM.yy HH:mm")), DemoData::payeeName(p.article),
                          Money::format(p.credited), p.transaction, p.state);
    }
    return lines;
}

} // namespace sim
