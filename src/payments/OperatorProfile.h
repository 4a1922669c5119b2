#pragma once

#include "platform/Money.h"

#include <QString>

#include <array>
#include <optional>

class IniFile;

// How a tier's rate is taken off the sum.
enum class CommissionKind {
    Percentage, // "0" in setting.ini
    Amount,     // "1": a fixed sum
    None        // any other: nothing is taken
};
CommissionKind commissionKind(const QString& setting);

// One commission tier: sums above `lower` up to and including `upper` pay `rate`
// as its kind says. A tier whose description is 3 characters or shorter never applies.
struct CommissionTier {
    int lower = -1;
    int upper = 0;
    Decimal rate;
    CommissionKind kind = CommissionKind::Percentage;
    QString description = QStringLiteral("0");

    bool described() const { return description.size() > 3; }
};

// The tariff of the operator being paid, read from the operator's section of
// operator.ini and of the terminal directory's setting.ini.
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

    // Every key has a default and every conversion falls back to 0, so a missing
    // file or a bad value never fails the read.
    static OperatorProfile read(const IniFile& operators, const IniFile& settings, const QString& article);
};

// What a commission computation found, exact throughout.
struct Commission {
    int tier = -1; // the tier that applied, -1 none
    CommissionKind kind = CommissionKind::None;
    Decimal rate;
    Decimal sum;              // the sum typed
    qint64 creditedCents = 0; // the credited sum, in hundredths
    // The credited sum in the second currency; none when the rate is 0.
    std::optional<qint64> secondCurrencyCents;
};

// A decimal written with "." or ",": the first "." and then the first "," become
// the locale's separator before reading; text that does not read gives 0.
Decimal parseDecimal(const QString& text);

// The commission for the sum field's text (written with the locale's separator;
// empty or unreadable is 0).
Commission computeCommission(const OperatorProfile& profile, const QString& sumText);
