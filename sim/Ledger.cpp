#include "sim/Ledger.h"

namespace sim {

PaymentRecord* Ledger::find(const QString& transaction) {
    auto it = byTransaction_.find(transaction);
    return it == byTransaction_.end() ? nullptr : &it.value();
}

const PaymentRecord* Ledger::find(const QString& transaction) const {
    auto it = byTransaction_.constFind(transaction);
    return it == byTransaction_.constEnd() ? nullptr : &it.value();
}

void Ledger::add(const PaymentRecord& record) {
    if (byTransaction_.contains(record.transaction))
        return;
    while (int(order_.size()) >= capacity_ && !order_.empty()) {
        byTransaction_.remove(order_.front());
        order_.pop_front();
    }
    order_.push_back(record.transaction);
    byTransaction_.insert(record.transaction, record);
}

QString Ledger::nextStatus(PaymentRecord& record) {
    QString code = QStringLiteral("1");
    if (!record.statuses.isEmpty())
        code = record.statuses.at(qMin(record.asked, int(record.statuses.size()) - 1));
    ++record.asked;
    record.lastStatus = code;
    return code;
}

QList<PaymentRecord> Ledger::all() const {
    QList<PaymentRecord> list;
    list.reserve(int(order_.size()));
    for (const QString& transaction : order_)
        list << byTransaction_.value(transaction);
    return list;
}

QList<PaymentRecord> Ledger::forAccount(const QString& account) const {
    QList<PaymentRecord> list;
    for (auto it = order_.rbegin(); it != order_.rend(); ++it) {
        const PaymentRecord& record = *byTransaction_.constFind(*it);
        if (record.account == account)
            list << record;
    }
    return list;
}

} // namespace sim
