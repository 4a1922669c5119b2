#include "goods/Fixed4.h"

#include "platform/Locale.h"

#include <algorithm>

namespace Fixed4 {

namespace {

using Wide = __int128;

// Integer parts of 13 digits and more are refused, so every value and every
// product below stays far inside 64 bits.
constexpr qint64 kLimit = 1000000000000; // 10^12

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// n / d rounded to the nearest integer, halves away from zero; d > 0.
Wide divideRounded(Wide n, Wide d) {
    const Wide magnitude = ((n < 0 ? -n : n) * 2 + d) / (d * 2);
    return n < 0 ? -magnitude : magnitude;
}

QString formatWideHundredths(Wide hundredths) {
    const bool negative = hundredths < 0;
    Wide magnitude = negative ? -hundredths : hundredths;
    QString digits;
    do {
        digits.prepend(QLatin1Char(char('0' + int(magnitude % 10))));
        magnitude /= 10;
    } while (magnitude > 0);
    while (digits.size() < 3)
        digits.prepend(QLatin1Char('0'));
    digits.insert(digits.size() - 2, Locale::decimalSeparator());
    if (negative)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

} // namespace

std::optional<qint64> parse(const QString& text) {
    const QChar separator = Locale::decimalSeparator();
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
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
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        const int digit = c.unicode() - '0';
        anyDigit = true;
        if (!inFraction) {
            whole = whole * 10 + digit;
            if (whole >= kLimit)
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
    for (int d = std::min(fractionDigits, 4); d < 4; ++d)
        fraction *= 10;
    const qint64 magnitude = whole * One + fraction + (roundUp ? 1 : 0);
    return negative ? -magnitude : magnitude;
}

qint64 valueOr0(const QString& text) {
    return parse(text).value_or(0);
}

QString formatHundredths(qint64 hundredths) {
    return formatWideHundredths(hundredths);
}

QString format2(qint64 value) {
    return formatWideHundredths(divideRounded(value, 100));
}

QString Total::format2() const {
    return formatWideHundredths(divideRounded(sum_, 100));
}

QString quotient2(qint64 numerator, qint64 denominator) {
    // (n / 10^4) / (d / 10^4) in hundredths is n * 100 / d.
    Wide n = Wide(numerator) * 100;
    Wide d = denominator;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    return formatWideHundredths(divideRounded(n, d));
}

QString product2(qint64 quantity, qint64 price) {
    return formatWideHundredths(divideRounded(Wide(quantity) * price, 100));
}

} // namespace Fixed4
