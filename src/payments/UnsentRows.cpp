#include "payments/UnsentRows.h"

#include "payments/PaymentJournal.h"

UnsentRows::UnsentRows(const PaymentJournal& journal, QObject* parent) : QObject(parent), journal_(journal) {
    connect(&journal_, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (topLeft.column() <= PaymentJournal::SendFlag &&
                    bottomRight.column() >= PaymentJournal::SendFlag)
                    recheck(topLeft.row(), bottomRight.row());
            });
    connect(&journal_, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { inserted(first, last); });
    connect(&journal_, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { removed(first, last); });
    connect(&journal_, &QAbstractItemModel::modelReset, this, &UnsentRows::rebuild);
    rebuild();
}

bool UnsentRows::isUnsent(int row) const {
    // The header and totals rows never hold a send flag.
    return awaitsSending(journal_.sendFlag(row));
}

void UnsentRows::recheck(int first, int last) {
    const int before = count_;
    for (int row = first; row <= last && row < int(unsent_.size()); ++row) {
        const bool now = isUnsent(row);
        if (now != unsent_[size_t(row)]) {
            unsent_[size_t(row)] = now;
            count_ += now ? 1 : -1;
        }
    }
    report(before);
}

void UnsentRows::inserted(int first, int last) {
    const int before = count_;
    for (int row = first; row <= last; ++row) {
        const bool now = isUnsent(row);
        unsent_.insert(unsent_.begin() + row, now);
        count_ += now ? 1 : 0;
    }
    report(before);
}

void UnsentRows::removed(int first, int last) {
    const int before = count_;
    for (int row = last; row >= first; --row) {
        count_ -= unsent_[size_t(row)] ? 1 : 0;
        unsent_.erase(unsent_.begin() + row);
    }
    report(before);
}

void UnsentRows::rebuild() {
    const int before = count_;
    unsent_.assign(size_t(journal_.rowCount()), false);
    count_ = 0;
    for (int row = 0; row < journal_.rowCount(); ++row) {
        unsent_[size_t(row)] = isUnsent(row);
        count_ += unsent_[size_t(row)] ? 1 : 0;
    }
    report(before);
}

void UnsentRows::report(int before) {
    if (count_ != before)
        emit changed(count_);
}
