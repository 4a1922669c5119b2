#include "platform/Locale.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace {
QChar g_separator = QLatin1Char('.');
QString g_shortDate = QStringLiteral("dd.MM.yyyy");
} // namespace

namespace Locale {

void initFromSystem() {
    const QLocale sys = QLocale::system();
    const QString dp = sys.decimalPoint();
    g_separator = dp.isEmpty() ? QLatin1Char('.') : dp.at(0);
    g_shortDate = sys.dateFormat(QLocale::ShortFormat);
}

QChar decimalSeparator() {
    return g_separator;
}
void setDecimalSeparator(QChar separator) {
    g_separator = separator;
}
QString shortDateFormat() {
    return g_shortDate;
}
void setShortDateFormat(const QString& pattern) {
    g_shortDate = pattern;
}

QString normalizeDecimal(const QString& text) {
    QString s = text;
    qsizetype i = s.indexOf(QLatin1Char('.'));
    if (i >= 0)
        s[i] = g_separator;
    i = s.indexOf(QLatin1Char(','));
    if (i >= 0)
        s[i] = g_separator;
    return s;
}

double toDouble(const QString& text, bool* ok) {
    *ok = false;
    const QString s = text.trimmed();
    if (s.isEmpty())
        return 0;
    // Rewritten in the C form and read with from_chars, which never consults the
    // C library's locale: on a Russian desktop strtod would want a comma here.
    QByteArray ascii;
    ascii.reserve(s.size());
    bool seenSeparator = false;
    bool digit = false;
    for (const QChar c : s) {
        if (c == g_separator) {
            if (seenSeparator)
                return 0;
            seenSeparator = true;
            ascii += '.';
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digit = true;
            ascii += char(c.unicode());
        } else if (c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('e') ||
                   c == QLatin1Char('E')) {
            ascii += char(c.unicode());
        } else {
            return 0;
        }
    }
    if (!digit)
        return 0;
    const char* begin = ascii.constData();
    const char* end = begin + ascii.size();
    // from_chars takes no leading "+"; a sign is still allowed there.
    if (*begin == '+') {
        ++begin;
        if (begin == end || *begin == '-' || *begin == '+')
            return 0;
    }
    double v = 0;
    const auto [stop, error] = std::from_chars(begin, end, v, std::chars_format::general);
    if (error != std::errc() || stop != end || !std::isfinite(v))
        return 0;
    *ok = true;
    return v;
}

QString formatFixed2(double value) {
    if (!std::isfinite(value))
        value = 0;
    // to_chars rounds exact binary ties to even; the pattern rounds them away
    // from zero. A tie at two decimals is a value whose eighths are odd.
    const double eighths = value * 8.0;
    double rounded = value;
    if (std::fabs(eighths) < 9e15 && eighths == std::floor(eighths) &&
        std::fmod(std::fabs(eighths), 2.0) == 1.0)
        rounded = (value < 0 ? -1.0 : 1.0) * (std::floor(std::fabs(value) * 100.0 + 0.5) / 100.0);
    char buf[512];
    const auto result = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 2);
    QString s = QString::fromLatin1(buf, result.ptr - buf);
    if (s == QLatin1String("-0.00"))
        s = QStringLiteral("0.00");
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        s[dot] = g_separator;
    return s;
}

} // namespace Locale
