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

CommissionKind commissionKind(const QString& setting) {
    if (setting == QLatin1String("0"))
        return CommissionKind::Percentage;
    if (setting == QLatin1String("1"))
        return CommissionKind::Amount;
    return CommissionKind::None;
}

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
        tier.kind = commissionKind(settings.readString(article, QStringLiteral("typkomis") + n, zero));
        tier.description = settings.readString(article, QStringLiteral("text") + n, zero);
        // Bounds chain even through tiers that never apply.
        lower = tier.upper;
    }
    p.exchangeRate = parseDecimal(operators.readString(article, QStringLiteral("kurs"), zero));
    return p;
}

Commission computeCommission(const OperatorProfile& profile, const QString& sumText) {
    // Exact throughout: the sum as typed, the tariff as written, one rounding to
    // hundredths at the end.
    Commission c;
    const Decimal typed = sumText.isEmpty() ? Decimal() : localeDecimalOrZero(sumText);
    const bool negative = typed.isNegative();
    const Decimal sum = typed.abs();

    for (int k = 0; k < OperatorProfile::TierCount; ++k) {
        const CommissionTier& tier = profile.tiers[size_t(k)];
        if (Decimal::fromInt(tier.lower) < sum && sum <= Decimal::fromInt(tier.upper) && tier.described()) {
            c.tier = k;
            c.kind = tier.kind;
            c.rate = tier.rate;
            break;
        }
    }

    qint64 credited = 0;
    if (sum.isZero())
        credited = 0;
    else if (c.kind == CommissionKind::Percentage)
        credited = Money::lessPercentage(sum, c.rate);
    else if (c.kind == CommissionKind::Amount)
        credited = Money::lessAmount(sum, c.rate);
    else
        credited = Money::toCents(sum);

    c.sum = typed;
    c.creditedCents = negative ? -credited : credited;
    // The second currency is of the credited sum as shown.
    if (!profile.exchangeRate.isZero())
        c.secondCurrencyCents = Money::divide(c.creditedCents, profile.exchangeRate);
    return c;
}
