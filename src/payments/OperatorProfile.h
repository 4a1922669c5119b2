#pragma once

#include "platform/Money.h"

#include <QColor>
#include <QString>

#include <array>

class IniFile;

// One commission tier: sums above `lower` up to and including `upper` pay `rate`,
// as a percentage (kind "0") or a fixed amount (kind "1"); any other kind takes
// nothing. A tier whose description is 3 characters or shorter never applies.
struct CommissionTier {
    int lower = -1;
    int upper = 0;
    Decimal rate;
    QString kind = QStringLiteral("0");
    QString description = QStringLiteral("0");

    bool described() const { return description.size() > 3; }
};

// The tariff of the operator being paid, read from the operator's section of
// operator.ini and of the terminal directory's setting.ini, and the result of
// the last commission computation.
struct OperatorProfile {
    static constexpr int TierCount = 3;

    QString article;
    QString mask = QStringLiteral("XX=XXX-XX-XX");
    QString prefix;
    Decimal minSum;
    int digitCount = 0;
    bool balanceQuery = false;
    Decimal exchangeRate;
    std::array<CommissionTier, TierCount> tiers;

    // Result of computeCommission, exact: the sum typed and the credited sum in hundredths.
    Decimal sum;
    qint64 creditedCents = 0;
    QString appliedKind = QStringLiteral("4"); // "4": no tier applied
    Decimal appliedRate;

    // Every key has a default and every conversion falls back to 0, so a missing
    // file or a bad value never fails the read.
    static OperatorProfile read(const IniFile& operators, const IniFile& settings, const QString& article);
};

// The labels of the payment window that computeCommission writes.
struct CommissionLabels {
    static QColor appliedColour() { return QColor(255, 0, 0); }
    static QColor tierColour() { return QColor(0, 0, 128); }

    QString tierDescription = QStringLiteral("без комиссии"); // of the applied tier (Label16)
    std::array<QColor, OperatorProfile::TierCount> tierColours{tierColour(), tierColour(), tierColour()};
    QString creditedText;       // credited sum (Label18)
    QString secondCurrencyText; // credited sum in the second currency (Label12)
};

// A decimal written with "." or ",": the first "." and then the first "," become
// the locale's separator before reading; text that does not read gives 0.
Decimal parseDecimal(const QString& text);

// Recomputes the commission for the sum field's text (written with the locale's
// separator; empty or unreadable is 0) and updates the profile's result and the
// labels.
void computeCommission(OperatorProfile& profile, const QString& sumText, CommissionLabels& labels);
