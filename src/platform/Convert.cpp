#include "platform/Convert.h"

#include "platform/AppError.h"

#include <limits>

namespace Convert {

bool tryStrToInt(const QString& text, int* value) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i >= n)
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > qint64(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    *value = int(v);
    return true;
}

int strToInt(const QString& text) {
    int v = 0;
    if (!tryStrToInt(text, &v))
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

} // namespace Convert
