#pragma once

#include <QString>
#include <QStringView>

namespace sim {

// Sums travel as text ("150.00", "99,5", "-150.00"); the simulator keeps them as whole
// cents so that a deposit never drifts by a rounding error.
class Money {
public:
    // Reads an optional sign, digits and an optional "." or "," with decimals (a third
    // decimal rounds half away from zero, later ones are ignored). Blanks around are allowed.
    static bool parse(QStringView text, qint64* cents);
    // Two decimals with ".", e.g. "-150.00".
    static QString format(qint64 cents);
    static qint64 fromDouble(double value);
    static double toDouble(qint64 cents) { return double(cents) / 100.0; }
};

} // namespace sim
