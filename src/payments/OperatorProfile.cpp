#include "payments/OperatorProfile.h"

#include "core/IniFile.h"
#include "platform/Convert.h"
#include "platform/Locale.h"

namespace {

int intOrZero(const QString& text) {
    int value = 0;
    return Convert::tryStrToInt(text, &value) ? value : 0;
}

float localeDecimalOrZero(const QString& text) {
    bool ok = false;
    const double value = Locale::toDouble(text, &ok);
    return ok ? float(value) : 0.0f;
}

} // namespace

float parseDecimal(const QString& text) {
    return localeDecimalOrZero(Locale::normalizeDecimal(text));
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
    float sum = sumText.isEmpty() ? 0.0f : localeDecimalOrZero(sumText);
    float sign = 1;
    if (sum < 0) {
        sum = -sum;
        sign = -1;
    }

    profile.appliedKind = QStringLiteral("4");
    profile.appliedRate = 0;
    int applied = -1;
    for (int k = 0; k < OperatorProfile::TierCount; ++k) {
        const CommissionTier& tier = profile.tiers[size_t(k)];
        // Compared in double, which holds every int and every float exactly.
        if (double(tier.lower) < double(sum) && double(sum) <= double(tier.upper) && tier.described()) {
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

    float credited = sum;
    if (sum == 0) {
        credited = 0;
    } else if (profile.appliedKind == QLatin1String("0")) {
        // Formed in extended precision and rounded to single once, at the end:
        // float arithmetic would round the product too and can move the last cent.
        const long double s = sum;
        credited = float(s - s * (long double)profile.appliedRate * 0.01L);
    } else if (profile.appliedKind == QLatin1String("1")) {
        credited = float((long double)sum - (long double)profile.appliedRate);
    }

    profile.sum = sum * sign;
    profile.credited = credited * sign;
    labels.creditedText = Locale::formatFixed2(double(profile.credited));
    if (profile.exchangeRate != 0)
        labels.secondCurrencyText =
            Locale::formatFixed2(double((long double)profile.credited / (long double)profile.exchangeRate));
    else
        labels.secondCurrencyText.clear();
}
