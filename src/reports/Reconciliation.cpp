#include "reports/Reconciliation.h"

#include "core/FieldLine.h"
#include "platform/Money.h"

#include <QHash>
#include <QSet>

namespace Reconciliation {

bool cents(const QString& text, qint64* value) {
    // Read as the journal's totals read it; a third decimal that matters is not a sum of money.
    const std::optional<Decimal> sum = Decimal::read(text, Decimal::Form::Figure);
    if (!sum || sum->scale() > 2)
        return false;
    *value = Money::toCents(*sum);
    return true;
}

QList<Movement> movements(const QStringList& statementLines) {
    QList<Movement> out;
    for (qsizetype i = 1; i < statementLines.size(); ++i) {
        const QStringList f = FieldLine::fields(statementLines[i], 8);
        Movement m{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
        const qsizetype star = m.transactionId.indexOf(QLatin1Char('*'));
        if (star >= 0)
            m.transactionId.truncate(star);
        out << m;
    }
    return out;
}

namespace {

bool isPayIn(const Movement& m) {
    qint64 payment = 0;
    qint64 payIn = 0;
    const bool hasPayment = cents(m.payment, &payment) && payment != 0;
    return !hasPayment && cents(m.payIn, &payIn) && payIn != 0;
}

bool isRequest(const JournalRow& row) {
    qint64 credited = 0;
    return cents(row.credited, &credited) && credited < 0;
}

} // namespace

Result compare(const QList<JournalRow>& journal, const QStringList& statementLines) {
    Result result;
    QHash<QString, Movement> server;
    QStringList order; // the statement's own order, for the list of what the journal lacks
    for (const Movement& m : movements(statementLines)) {
        // Money paid into the deposit is no payment of this terminal's.
        if (isPayIn(m)) {
            ++result.payIns;
            continue;
        }
        if (m.transactionId.isEmpty())
            continue;
        if (!server.contains(m.transactionId))
            order << m.transactionId;
        server.insert(m.transactionId, m);
    }
    QSet<QString> seen;
    for (const JournalRow& row : journal) {
        if (row.transactionId.isEmpty())
            continue;
        seen.insert(row.transactionId);
        const auto it = server.constFind(row.transactionId);
        if (it == server.constEnd()) {
            result.onlyInJournal << row;
            continue;
        }
        qint64 ours = 0;
        qint64 theirs = 0;
        const bool same =
            isRequest(row) || (cents(row.credited, &ours) && cents(it->payment, &theirs) && ours == theirs);
        if (same)
            ++result.matched;
        else
            result.sumsDiffer << SumDiffers{row, *it};
    }
    for (const QString& id : order) {
        if (!seen.contains(id))
            result.onlyOnServer << server.value(id);
    }
    return result;
}

} // namespace Reconciliation
