#pragma once

#include <QString>

// Integer conversion with the terminal's rule: blanks before the number, an
// optional sign, decimal digits, nothing after. Anything else raises the
// conversion error shown in the standard exception box.
namespace Convert {
int strToInt(const QString& text);
bool tryStrToInt(const QString& text, int* value);
} // namespace Convert
