#include "sim/Money.h"

#include <cmath>

namespace sim {

bool Money::parse(QStringView text, qint64* cents) {
    text = text.trimmed();
    bool negative = false;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    qint64 whole = 0;
    int wholeDigits = 0;
    for (; i < text.size() && text[i].isDigit(); ++i) {
        if (++wholeDigits > 13) // far beyond any deposit; keeps the arithmetic exact
            return false;
        whole = whole * 10 + text[i].digitValue();
    }
    int fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (i < text.size() && (text[i] == u'.' || text[i] == u',')) {
        ++i;
        for (; i < text.size() && text[i].isDigit(); ++i) {
            if (fractionDigits < 2)
                fraction = fraction * 10 + text[i].digitValue();
            else if (fractionDigits == 2)
                roundUp = text[i].digitValue() >= 5;
            ++fractionDigits;
        }
    }
    if (i != text.size() || (wholeDigits == 0 && fractionDigits == 0))
        return false;
    if (fractionDigits == 1)
        fraction *= 10;
    qint64 value = whole * 100 + fraction + (roundUp ? 1 : 0);
    *cents = negative ? -value : value;
    return true;
}

QString Money::format(qint64 cents) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

qint64 Money::fromDouble(double value) {
    return static_cast<qint64>(std::llround(value * 100.0));
}

} // namespace sim
