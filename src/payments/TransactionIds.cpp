#include "payments/TransactionIds.h"

#include "core/Session.h"
#include "payments/PaymentJournal.h"
#include "platform/SystemClock.h"

QString TransactionIds::next() {
    const QDateTime now = clock_.now();
    const QString prefix =
        session_.terminalNumber() + QLatin1Char('_') + now.date().toString(QStringLiteral("yyMMdd"));
    QTime time = now.time();
    QString id;
    for (int tries = 0; tries < 24 * 3600; ++tries) {
        id = prefix + time.toString(QStringLiteral("hhmmss"));
        const bool taken = issued_.contains(id) || journal_.rowOfTransaction(id) >= 0;
        if (!taken)
            break;
        time = time.addSecs(1);
    }
    issued_.insert(id);
    return id;
}
