#include "sim/DemoHistory.h"

#include "sim/DemoData.h"
#include "sim/Money.h"

#include <algorithm>
#include <iterator>

namespace sim {
namespace {

// splitmix64: small, fast, and the same on every platform.
class Rng {
public:
    explicit Rng(quint64 seed) : state_(seed) {}
    quint64 next() {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }

private:
    quint64 state_;
};

const QList<const DemoOperator*>& payableOperators() {
    static const QList<const DemoOperator*> list = [] {
        QList<const DemoOperator*> ops;
        for (const DemoOperator& op : DemoData::operators()) {
            if (op.status != "0" && op.status != "999" && op.section != "winTovar")
                ops << &op;
        }
        return ops;
    }();
    return list;
}

QString randomDigits(Rng& rng, int count) {
    QString digits;
    for (int i = 0; i < count; ++i)
        digits += QChar(u'0' + rng.below(10));
    return digits;
}

QString accountFor(const DemoOperator& op, Rng& rng) {
    return op.prefix + randomDigits(rng, op.digits.toInt());
}

qint64 randomSum(Rng& rng) {
    static const int somoni[] = {5, 10, 15, 20, 25, 30, 40, 50, 75, 100, 150, 200, 250, 300, 500};
    qint64 cents = qint64(somoni[rng.below(int(std::size(somoni)))]) * 100;
    if (rng.below(4) == 0)
        cents += rng.below(100);
    return cents;
}

quint64 daySeed(quint64 seed, const QDate& date) {
    return seed ^ (quint64(date.toJulianDay()) * 0xD1B54A32D192ED03ULL);
}

// The operator an account number most likely belongs to: the one whose prefix and
// length fit, otherwise one chosen by the number itself.
const DemoOperator& operatorForAccount(const QString& account) {
    for (const DemoOperator* op : payableOperators()) {
        if (!op->prefix.isEmpty() && account.startsWith(op->prefix) &&
            account.size() == op->prefix.size() + op->digits.toInt())
            return *op;
    }
    const auto& ops = payableOperators();
    return *ops.at(int(stableHash(account) % quint64(ops.size())));
}

} // namespace

quint64 stableHash(const QString& text) {
    quint64 hash = 0xCBF29CE484222325ULL;
    for (QChar c : text) {
        hash ^= c.unicode();
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

DemoHistory::DemoHistory(const QString& login, const Ledger& ledger, const QDate& today)
    : login_(login), seed_(stableHash(login)), today_(today) {
    for (const PaymentRecord& record : ledger.all()) {
        if (record.terminal != login)
            continue;
        Movement m;
        m.time = record.at.time();
        m.account = record.account;
        m.article = record.article;
        m.transaction = record.transaction;
        const QString name = DemoData::payeeName(record.article);
        if (record.kind == RowKind::Payment) {
            m.payment = record.creditedCents;
            m.note = name;
        } else {
            // Requests move no money until the operator has decided on them.
            m.note = (record.kind == RowKind::Cancellation ? QStringLiteral("Заявка на отмену ")
                                                           : QStringLiteral("Заявка на корректировку ")) +
                     record.credited;
        }
        live_[record.at.date()] << m;
    }
}

QList<Movement> DemoHistory::demoPayments(const QDate& date) const {
    QList<Movement> list;
    if (!date.isValid() || date >= today_)
        return list;
    Rng rng(daySeed(seed_, date));
    const int count = date.dayOfWeek() == 7 ? 2 + rng.below(4) : 4 + rng.below(9);
    const auto& ops = payableOperators();
    for (int i = 0; i < count; ++i) {
        const DemoOperator& op = *ops.at(rng.below(int(ops.size())));
        Movement m;
        m.time = QTime(8, 5).addSecs(rng.below(12 * 3600));
        m.account = accountFor(op, rng);
        m.article = op.article;
        m.payment = randomSum(rng);
        m.transaction = login_ + QLatin1Char('_') + date.toString(QStringLiteral("yyMMdd")) +
                        m.time.toString(QStringLiteral("HHmmss"));
        m.note = op.name;
        list << m;
    }
    std::sort(list.begin(), list.end(), [](const Movement& a, const Movement& b) { return a.time < b.time; });
    return list;
}

QList<Movement> DemoHistory::day(const QDate& date) const {
    QList<Movement> list;
    if (!date.isValid())
        return list;
    if (date < today_ && date.dayOfWeek() == 1) {
        qint64 week = 0;
        for (int back = 1; back <= 7; ++back) {
            for (const Movement& m : demoPayments(date.addDays(-back)))
                week += m.payment;
        }
        Movement payin;
        payin.time = QTime(8, 0);
        payin.account = QStringLiteral("Касса");
        payin.payin = (week + 49999) / 50000 * 50000; // whole 500 somoni
        payin.transaction = QStringLiteral("ПП-") + date.toString(QStringLiteral("yyMMdd"));
        payin.note = QStringLiteral("Пополнение депозита");
        list << payin;
    }
    list << demoPayments(date) << live_.value(date);
    std::stable_sort(list.begin(), list.end(),
                     [](const Movement& a, const Movement& b) { return a.time < b.time; });
    return list;
}

qint64 DemoHistory::net(const QDate& date) const {
    qint64 sum = 0;
    for (const Movement& m : day(date))
        sum += m.payin - m.payment;
    return sum;
}

qint64 DemoHistory::openingBalance(const QDate& date) const {
    if (!date.isValid())
        return 0;
    const quint64 yearSeed = seed_ ^ (quint64(date.year()) * 0x9E3779B97F4A7C15ULL);
    qint64 balance = 1500000 + qint64(yearSeed % 1000000); // 15000.00 to 24999.99
    for (QDate d(date.year(), 1, 1); d < date; d = d.addDays(1))
        balance += net(d);
    return balance;
}

QList<FoundPayment> DemoHistory::earlierPayments(const QString& account, const QDate& today) {
    QList<FoundPayment> list;
    int digits = 0;
    for (QChar c : account)
        digits += c.isDigit() ? 1 : 0;
    if (digits < 5)
        return list;
    Rng rng(stableHash(account));
    const DemoOperator& op = operatorForAccount(account);
    const int count = 2 + rng.below(3);
    QDate date = today;
    for (int i = 0; i < count; ++i) {
        date = date.addDays(-(1 + rng.below(20)));
        FoundPayment p;
        p.at = QDateTime(date, QTime(9, 0).addSecs(rng.below(10 * 3600)));
        p.article = op.article;
        p.credited = randomSum(rng);
        p.transaction = QStringLiteral("100_") + p.at.toString(QStringLiteral("yyMMddHHmmss"));
        p.state = stateText(QStringLiteral("1"));
        list << p;
    }
    return list;
}

QString DemoHistory::stateText(const QString& code) {
    static const QStringList credited = {"1", "0", "+", "10"};
    if (code.isEmpty())
        return QStringLiteral("Принят");
    if (credited.contains(code))
        return QStringLiteral("Зачислено");
    if (code == "9")
        return QStringLiteral("Возврат");
    if (code == "3" || code == "-")
        return QStringLiteral("Ошибка");
    if (code == "11" || code == "12")
        return QStringLiteral("Отмена в работе");
    return QStringLiteral("В обработке");
}

} // namespace sim
