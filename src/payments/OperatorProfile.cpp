#include "payments/OperatorProfile.h"

#include "core/IniFile.h"
#include "platform/Convert.h"

namespace {

int intOrZero(const QString& text) {
    int value = 0;
    return Convert::tryStrToInt(text, &value) ? value : 0;
}

Decimal localeDecimalOrZero(const QString& text) {
    return Decimal::read(text).value_or(Decimal());
}

} // namespace

Decimal parseDecimal(const QString& text) {
    return Decimal::readOr0(text, Decimal::Form::Figure);
}

OperatorProfile OperatorProfile::read(const IniFile& operators, const IniFile& settings,
                                      const QString& article) {
    OperatorProfile p;
    p.article = article;
    const QString zero = QStringLiteral("0");
    p.mask = operators.readString(article, QStringLiteral("Format"), QStringLiteral("XX=XXX-XX-XX"));
    p.prefix = operators.readString(article, QStringLiteral("tel"), QString()).trimmed();
    // Only the locale's separator: a minimum written with the other one reads as 0.
    p.minSum = localeDecimalOrZero(operators.readString(article, QStringLiteral("MinSum"), zero));
    p.digitCount = intOrZero(operators.readString(article, QStringLiteral("kolznak"), zero));
    p.balanceQuery = operators.readString(article, QStringLiteral("CheckBalance"), zero) != zero;

    int lower = -1;
    for (int k = 0; k < TierCount; ++k) {
        CommissionTier& tier = p.tiers[size_t(k)];
        const QString n = QString::number(k + 1);
        tier.lower = lower;
        tier.upper = intOrZero(settings.readString(article, QStringLiteral("max") + n, zero));
        tier.rate = parseDecimal(settings.readString(article, QStringLiteral("komis") + n, zero));
        tier.kind = settings.readString(article, QStringLiteral("typkomis") + n, zero);
        tier.description = settings.readString(article, QStringLiteral("text") + n, zero);
        // Bounds chain even through tiers that never apply.
        lower = tier.upper;
    }
    p.exchangeRate = parseDecimal(operators.readString(article, QStringLiteral("kurs"), zero));
    return p;
}

void computeCommission(OperatorProfile& profile, const QString& sumText, CommissionLabels& labels) {
    // Exact throughout: the sum as typed, the tariff as written, one rounding to
    // hundredths at the end.
    const Decimal typed = sumText.isEmpty() ? Decimal() : localeDecimalOrZero(sumText);
    const bool negative = typed.isNegative();
    const Decimal sum = typed.abs();

    profile.appliedKind = QStringLiteral("4");
    profile.appliedRate = Decimal();
    int applied = -1;
    for (int k = 0; k < OperatorProfile::TierCount; ++k) {
        const CommissionTier& tier = profile.tiers[size_t(k)];
        if (Decimal::fromInt(tier.lower) < sum && sum <= Decimal::fromInt(tier.upper) && tier.described()) {
            applied = k;
            break;
        }
    }
    if (applied >= 0) {
        const CommissionTier& tier = profile.tiers[size_t(applied)];
        for (int k = 0; k < OperatorProfile::TierCount; ++k)
            labels.tierColours[size_t(k)] =
                k == applied ? CommissionLabels::appliedColour() : CommissionLabels::tierColour();
        labels.tierDescription = tier.description;
        profile.appliedKind = tier.kind;
        profile.appliedRate = tier.rate;
    } else {
        // A sum outside every tier pays nothing, and the labels say so rather than
        // keep pointing at the tier of an earlier sum.
        labels.tierColours.fill(CommissionLabels::tierColour());
        labels.tierDescription = QStringLiteral("без комиссии");
    }

    qint64 credited = 0;
    if (sum.isZero())
        credited = 0;
    else if (profile.appliedKind == QLatin1String("0"))
        credited = Money::lessPercentage(sum, profile.appliedRate);
    else if (profile.appliedKind == QLatin1String("1"))
        credited = Money::lessAmount(sum, profile.appliedRate);
    else
        credited = Money::toCents(sum);

    profile.sum = typed;
    profile.creditedCents = negative ? -credited : credited;
    labels.creditedText = Money::format(profile.creditedCents);
    // The second currency is of the credited sum as shown.
    if (!profile.exchangeRate.isZero())
        labels.secondCurrencyText = Money::format(Money::divide(profile.creditedCents, profile.exchangeRate));
    else
        labels.secondCurrencyText.clear();
}
