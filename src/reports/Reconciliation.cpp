#include "reports/Reconciliation.h"

#include "core/FieldLine.h"
#include "platform/Locale.h"

#include <QHash>
#include <QSet>

namespace Reconciliation {

bool cents(const QString& text, qint64* value) {
    const QString s = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    qint64 whole = 0;
    int digits = 0;
    for (; i < s.size() && s[i].isDigit(); ++i, ++digits) {
        if (digits > 15)
            return false;
        whole = whole * 10 + s[i].digitValue();
    }
    qint64 fraction = 0;
    int fractionDigits = 0;
    if (i < s.size() && (s[i] == QLatin1Char('.') || s[i] == QLatin1Char(','))) {
        for (++i; i < s.size() && s[i].isDigit(); ++i, ++fractionDigits) {
            if (fractionDigits < 2)
                fraction = fraction * 10 + s[i].digitValue();
            else if (s[i].digitValue() != 0)
                return false; // a third decimal that matters is not a sum of money
        }
    }
    if (i != s.size() || digits + fractionDigits == 0)
        return false;
    if (fractionDigits == 1)
        fraction *= 10;
    *value = (negative ? -1 : 1) * (whole * 100 + fraction);
    return true;
}

QString formatCents(qint64 value) {
    const qint64 magnitude = value < 0 ? -value : value;
    return (value < 0 ? QStringLiteral("-") : QString()) + QString::number(magnitude / 100) +
           Locale::decimalSeparator() + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
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
