#include "platform/Money.h"

#include "platform/Locale.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

using Wide = __int128;

// 10^0 to 10^18, every power a qint64 holds.
constexpr std::array<qint64, 19> kPow10 = [] {
    std::array<qint64, 19> p{};
    p[0] = 1;
    for (size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

Wide pow10(qsizetype n) {
    if (n < qsizetype(kPow10.size()))
        return kPow10[size_t(n)];
    Wide p = kPow10.back();
    for (n -= qsizetype(kPow10.size()) - 1; n > 0; --n)
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

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c) {
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

// Goods figures have always been trimmed of spaces and tabs only.
inline bool isBlank(QChar c, Decimal::Form form) {
    if (c.unicode() > u' ' && c.unicode() < 0x80) // digits and marks, the usual case
        return false;
    if (form == Decimal::Form::Goods)
        return c == QLatin1Char(' ') || c == QLatin1Char('\t');
    return c.isSpace();
}

// A goods figure's whole part stays below 10^12, so every product of two stays
// far inside 64 bits.
constexpr qint64 kGoodsWholeLimit = 1000000000000;

} // namespace

std::optional<Decimal> Decimal::read(QStringView text, Form form) {
    const QChar separator = Locale::decimalSeparator();
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i], form))
        ++i;
    while (end > i && isBlank(text[end - 1], form))
        --end;
    bool negative = false;
    if (i < end && isSign(text[i]))
        negative = text[i++] == QLatin1Char('-');

    if (form == Form::Goods) {
        qint64 whole = 0;
        qint64 fraction = 0; // the first four decimals
        int fractionDigits = 0;
        bool roundUp = false; // the fifth decimal is 5 or more
        bool inFraction = false;
        bool anyDigit = false;
        for (; i < end; ++i) {
            const QChar c = text[i];
            if (c == separator && !inFraction) {
                inFraction = true;
                continue;
            }
            if (!isDigit(c))
                return std::nullopt;
            const int digit = c.unicode() - '0';
            anyDigit = true;
            if (!inFraction) {
                whole = whole * 10 + digit;
                if (whole >= kGoodsWholeLimit)
                    return std::nullopt;
            } else if (fractionDigits < 4) {
                fraction = fraction * 10 + digit;
                ++fractionDigits;
            } else if (fractionDigits == 4) {
                roundUp = digit >= 5;
                ++fractionDigits;
            }
        }
        if (!anyDigit)
            return std::nullopt;
        for (int d = fractionDigits; d < 4; ++d)
            fraction *= 10;
        const qint64 magnitude = whole * 10000 + fraction + (roundUp ? 1 : 0);
        return Decimal(negative ? -magnitude : magnitude, 4).normalized();
    }

    // The mantissa's significant digits, without the trailing zeros, which are
    // counted apart: they only move the scale.
    qint64 digits = 0;
    qsizetype length = 0; // significant digits in `digits`
    qsizetype zeros = 0;  // zeros after the last non-zero digit
    qsizetype decimals = 0;
    bool seenSeparator = false;
    bool anyDigit = false;
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            anyDigit = true;
            if (seenSeparator)
                ++decimals;
            if (c == QLatin1Char('0')) {
                if (length > 0)
                    ++zeros;
                continue;
            }
            length += zeros + 1;
            if (length > MaxDigits)
                return std::nullopt;
            digits = digits * qint64(pow10(zeros + 1)) + (c.unicode() - '0');
            zeros = 0;
        } else if (!seenSeparator && (c == separator || (form == Form::Figure &&
                                                         (c == QLatin1Char('.') || c == QLatin1Char(','))))) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    qsizetype exponent = 0;
    if (i < end) {
        if (text[i] != QLatin1Char('e') && text[i] != QLatin1Char('E'))
            return std::nullopt;
        ++i;
        bool negativeExponent = false;
        if (i < end && isSign(text[i]))
            negativeExponent = text[i++] == QLatin1Char('-');
        if (i == end)
            return std::nullopt;
        for (; i < end; ++i) {
            if (!isDigit(text[i]))
                return std::nullopt;
            // Far beyond any scale below; keeps the count whole.
            exponent = qMin<qsizetype>(exponent * 10 + (text[i].unicode() - '0'), 1000);
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (digits == 0)
        return Decimal();
    const qsizetype scale = decimals - zeros - exponent;
    if (scale > MaxScale)
        return std::nullopt;
    if (scale < 0) {
        // A whole number carries its zeros in the units.
        if (length - scale > MaxDigits)
            return std::nullopt;
        digits *= qint64(pow10(-scale));
        return Decimal(negative ? -digits : digits, 0);
    }
    return Decimal(negative ? -digits : digits, int(scale));
}

Decimal Decimal::normalized() const {
    Decimal d = *this;
    while (d.scale_ > 0 && d.units_ % 10 == 0) {
        d.units_ /= 10;
        --d.scale_;
    }
    if (d.units_ == 0)
        d.scale_ = 0;
    return d;
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

qint64 divide(const Decimal& value, const Decimal& divisor) {
    // (v / 10^vs) / (d / 10^ds) in hundredths is v · 10^ds · 100 / (d · 10^vs).
    Wide numerator = Wide(value.units()) * pow10(divisor.scale()) * 100;
    Wide denominator = Wide(divisor.units()) * pow10(value.scale());
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    return roundedQuotient(numerator, denominator);
}

qint64 times(const Decimal& value, int factor) {
    return roundedQuotient(Wide(value.units()) * factor * 100, pow10(value.scale()));
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

void Total::add(const Decimal& value) {
    units_ += Wide(value.units()) * pow10(Decimal::MaxScale - value.scale());
}

qint64 Total::cents() const {
    return roundedQuotient(units_, pow10(Decimal::MaxScale - 2));
}

float asSinglePrecision(const Decimal& value) {
    // The double is the text's nearest, as the old files were read; then single precision.
    return float(value.toDouble());
}

qint64 singlePrecisionCents(float value) {
    if (!std::isfinite(value) || value == 0)
        return 0;
    // value = mantissa × 2^exponent with a whole mantissa of at most 24 bits, so
    // its hundredths are formed exactly.
    int exponent = 0;
    const float fraction = std::frexp(value, &exponent);
    const Wide mantissa = Wide(std::ldexp(fraction, 24));
    exponent -= 24;
    if (exponent >= 0)
        return roundedQuotient(mantissa * 100 * (Wide(1) << qMin(exponent, 90)), 1);
    if (exponent < -100)
        return 0;
    return roundedQuotient(mantissa * 100, Wide(1) << -exponent);
}

} // namespace Money
