#pragma once

#include <QChar>
#include <QString>

// The locale facts the terminal's number and date rules depend on, in one place.
// Taken from the system at start; tests set them to run a rule under "." and ",".
namespace Locale {

void initFromSystem();

QChar decimalSeparator();
void setDecimalSeparator(QChar separator);

// Short date pattern in Qt's notation ("dd.MM.yyyy"), used where the host's
// short date form is written.
QString shortDateFormat();
void setShortDateFormat(const QString& pattern);

// Replaces the first "." and then the first "," by the locale's separator.
QString normalizeDecimal(const QString& text);

// Reads a decimal number written with the locale's separator only (blanks
// around it allowed, an exponent allowed, no group separators).
double toDouble(const QString& text, bool* ok);

// The pattern "0.00": two decimals, halves away from zero, the locale's separator.
QString formatFixed2(double value);

} // namespace Locale
