#include "payments/Money.h"

#include "platform/Locale.h"

#include <limits>

namespace {

using Wide = __int128;

Wide pow10(int n) {
    Wide p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// numerator / denominator (denominator > 0), halves away from zero, held to qint64.
qint64 roundedQuotient(Wide numerator, Wide denominator) {
    Wide q = numerator / denominator;
    const Wide r = numerator % denominator;
    const Wide twice = (r < 0 ? -r : r) * 2;
    if (twice >= denominator)
        q += numerator < 0 ? -1 : 1;
    constexpr qint64 top = std::numeric_limits<qint64>::max();
    if (q > Wide(top))
        return top;
    if (q < -Wide(top))
        return -top;
    return qint64(q);
}

} // namespace

std::optional<Decimal> Decimal::read(const QString& text) {
    // The same texts as the sum field has always taken; only the value is kept exactly.
    bool ok = false;
    Locale::toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    const QString s = text.trimmed();
    const QChar separator = Locale::decimalSeparator();
    qsizetype i = 0;
    bool negative = false;
    if (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))
        negative = s.at(i++) == QLatin1Char('-');
    QString digits; // all mantissa digits, the decimals last
    int decimals = 0;
    bool inFraction = false;
    for (; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == separator) {
            inFraction = true;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits += c;
            if (inFraction)
                ++decimals;
        } else {
            break; // the exponent
        }
    }
    int exponent = 0;
    if (i < s.size()) {
        ++i; // "e" or "E"
        bool negativeExponent = false;
        if (s.at(i) == QLatin1Char('+') || s.at(i) == QLatin1Char('-'))
            negativeExponent = s.at(i++) == QLatin1Char('-');
        for (; i < s.size(); ++i) {
            exponent = exponent * 10 + s.at(i).digitValue();
            if (exponent > 1000)
                exponent = 1000; // far beyond any range below; keeps the int whole
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    // Value = digits × 10^(exponent - decimals), without the zeros that add nothing.
    qsizetype first = 0;
    while (first < digits.size() && digits.at(first) == QLatin1Char('0'))
        ++first;
    digits = digits.mid(first);
    int scale = decimals - exponent;
    while (!digits.isEmpty() && digits.endsWith(QLatin1Char('0'))) {
        digits.chop(1);
        --scale;
    }
    if (digits.isEmpty())
        return Decimal();
    // Whole numbers carry their zeros in the units.
    const int wholeZeros = scale < 0 ? -scale : 0;
    if (digits.size() + wholeZeros > MaxDigits || scale > MaxScale)
        return std::nullopt;
    qint64 units = digits.toLongLong();
    for (int k = 0; k < wholeZeros; ++k)
        units *= 10;
    return Decimal(negative ? -units : units, scale < 0 ? 0 : scale);
}

double Decimal::toDouble() const {
    return double(units_) / double(pow10(scale_));
}

int Decimal::compare(const Decimal& a, const Decimal& b) {
    const int scale = qMax(a.scale_, b.scale_);
    const Wide x = Wide(a.units_) * pow10(scale - a.scale_);
    const Wide y = Wide(b.units_) * pow10(scale - b.scale_);
    return x < y ? -1 : x > y ? 1 : 0;
}

namespace Money {

qint64 toCents(const Decimal& value) {
    return roundedQuotient(Wide(value.units()) * 100, pow10(value.scale()));
}

qint64 lessPercentage(const Decimal& value, const Decimal& rate) {
    // value × (1 - rate / 100), in hundredths: units × (100·10^r - rate units) / 10^(s+r).
    const Wide keep = 100 * pow10(rate.scale()) - Wide(rate.units());
    return roundedQuotient(Wide(value.units()) * keep, pow10(value.scale() + rate.scale()));
}

qint64 lessAmount(const Decimal& value, const Decimal& amount) {
    const int scale = qMax(value.scale(), amount.scale());
    const Wide difference = Wide(value.units()) * pow10(scale - value.scale()) -
                            Wide(amount.units()) * pow10(scale - amount.scale());
    return roundedQuotient(difference * 100, pow10(scale));
}

qint64 divide(qint64 cents, const Decimal& divisor) {
    Wide numerator = Wide(cents) * pow10(divisor.scale());
    Wide denominator = divisor.units();
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    return roundedQuotient(numerator, denominator);
}

QString format(qint64 cents) {
    const quint64 magnitude = cents < 0 ? quint64(0) - quint64(cents) : quint64(cents);
    QString s = cents < 0 ? QStringLiteral("-") : QString();
    s += QString::number(magnitude / 100);
    s += Locale::decimalSeparator();
    const int fraction = int(magnitude % 100);
    s += QLatin1Char(char('0' + fraction / 10));
    s += QLatin1Char(char('0' + fraction % 10));
    return s;
}

} // namespace Money
