#pragma once

#include "sim/Ledger.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

namespace sim {

// The texts of the file replies and of the search reply, laid out the way the terminal's
// loaders read them: CR LF between lines, every field closed by "#".
class Reports {
public:
    Reports(const Ledger& ledger, const QDateTime& now, const QHash<QString, int>& goodsSold);

    // Header line, then per month: turnover "#" reward "#" number of payments "#".
    QString yearFile(const QString& login, const QString& twoDigitYear) const;
    // Opening balance line, per day: date "#" pay-ins "#" payments "#" balance "#", then the totals.
    QString monthFile(const QString& login, const QString& month, const QString& twoDigitYear) const;
    // Caption line, then per movement: stamp, date, account, payment, pay-in, balance,
    // transaction and note, each closed by "#".
    QString dayFile(const QString& login, const QString& month, const QString& day,
                    const QString& twoDigitYear) const;
    QString priceList() const;
    QString stock() const;
    QString turnover(const QString& login) const;
    // The payments to an account, newest first: those received, then invented earlier ones.
    QStringList search(const QString& account, int limit = 5) const;

    int stockQuantity(const QString& article) const;

private:
    const Ledger& ledger_;
    QDateTime now_;
    const QHash<QString, int>& goodsSold_;
};

} // namespace sim
