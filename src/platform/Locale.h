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
// Numbers themselves are read and written by Decimal and Money (platform/Money.h).
QString normalizeDecimal(const QString& text);

} // namespace Locale
