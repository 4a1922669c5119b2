#include "platform/Locale.h"

#include <QLocale>

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

} // namespace Locale
